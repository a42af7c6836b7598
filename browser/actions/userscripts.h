// The user's scripts in the scripts folder: which the scripts menu lists, the records of the
// selected contacts they are given, and one run. A script is any program: it is started with the
// single argument "runTolvaneScript", reads the records as a JSON array of objects on its standard
// input, and answers on its standard output.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace userscripts {

// The extensions of script files, in the order a title without one is completed.
inline const QStringList searchExtensions = {QStringLiteral("scpt"), QStringLiteral("app"),
                                             QStringLiteral("text"), QStringLiteral("applescript"),
                                             QStringLiteral("txt")};
// The handler every script is asked to run.
inline const QString handlerName = QStringLiteral("runTolvaneScript");

struct MenuItem
{
    // The name without its extension.
    QString title;
    // The file itself, which the item runs: a title such as "my.script" cannot name
    // "my.script.scpt" again.
    QString fileName;
    bool operator==(const MenuItem &) const = default;
};

// Every executable file and every file with one of the extensions (compared exactly), sorted by
// name without regard to case; dot-files and the document-data script are left out. No folder
// lists nothing.
QList<MenuItem> menuItems(const QString &folder);

// The file a title names in the folder: the title itself when it has an extension, else the
// title with the first extension of the search order for which a file exists, else with the last.
QString fileNameForTitle(const QString &folder, const QString &title);

// The record of one contact row; a field whose row value is missing is left out. "email",
// "phone" and "location" take the work value, else the home value.
QJsonObject scriptRecord(const QVariantMap &row);

struct Outcome
{
    enum class Kind { Text, Failed };
    Kind kind = Kind::Failed;
    // The trimmed standard output, or the reason of the failure.
    QString text;
};

// Runs the script and waits for it, at most timeLimitMs; meanwhile the event loop runs but takes
// no user input. A script that cannot start, ends with another status than 0, or is still
// running at the limit (then ended) fails.
Outcome run(const QString &path, const QJsonArray &records, int timeLimitMs);

} // namespace userscripts
