#include "browser/actions/userscripts.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QTimer>

#include <algorithm>

namespace userscripts {

namespace {

const QString kDocumentDataScript = QStringLiteral("GetCurrentDocumentData");

// The extension after the last dot; none for a name whose only dot begins it.
QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.mid(dot + 1) : QString();
}

QString withoutExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

struct Field
{
    const char *recordKey;
    const char *workKey;
    // The row key read when the work key's value is empty; null for a field of one key.
    const char *homeKey;
};

constexpr Field kFields[] = {
    {"gname", "name", nullptr},
    {"email", "workEmail", "homeEmail"},
    {"location", "workLocation", "homeLocation"},
    {"phone", "workPhone", "homePhone"},
    {"mobilePhone", "mobilePhone", nullptr},
    {"jobtitle", "job", nullptr},
    {"organization", "org", nullptr},
    {"notes", "notes", nullptr},
};

// What the script wrote to its standard error, else what went wrong.
QString failureText(QProcess &process, const QString &fallback)
{
    const QString errors = QString::fromUtf8(process.readAllStandardError()).trimmed();
    return errors.isEmpty() ? fallback : errors;
}

} // namespace

QList<MenuItem> menuItems(const QString &folder)
{
    // No folder is not the current directory.
    if (folder.isEmpty())
        return {};
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    QList<MenuItem> items;
    for (const QString &name : names) {
        if (name.contains(kDocumentDataScript) || name.startsWith(u'.'))
            continue;
        const QString extension = extensionOf(name);
        const bool scriptFile = searchExtensions.contains(extension);
        if (!scriptFile && !QFileInfo(QDir(folder).filePath(name)).isExecutable())
            continue;
        items.append({scriptFile ? withoutExtension(name) : name, name});
    }
    return items;
}

QString fileNameForTitle(const QString &folder, const QString &title)
{
    if (!extensionOf(title).isEmpty())
        return title;
    QString candidate;
    for (const QString &extension : searchExtensions) {
        candidate = title + u'.' + extension;
        if (QFileInfo::exists(QDir(folder).filePath(candidate)))
            break;
    }
    return candidate;
}

QJsonObject scriptRecord(const QVariantMap &row)
{
    QJsonObject record;
    for (const Field &field : kFields) {
        const QString workKey = QString::fromLatin1(field.workKey);
        QVariant value = row.value(workKey);
        if (field.homeKey && value.toString().isEmpty() &&
            row.contains(QString::fromLatin1(field.homeKey)))
            value = row.value(QString::fromLatin1(field.homeKey));
        if (value.isValid())
            record.insert(QString::fromLatin1(field.recordKey), value.toString());
    }
    return record;
}

Outcome run(const QString &path, const QJsonArray &records, int timeLimitMs)
{
    QProcess process;
    QEventLoop loop;
    bool timedOut = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process.start(path, {handlerName});
    if (!process.waitForStarted(timeLimitMs))
        return {Outcome::Kind::Failed, process.errorString()};
    process.write(QJsonDocument(records).toJson(QJsonDocument::Compact));
    process.closeWriteChannel();
    limit.start(timeLimitMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (timedOut) {
        process.kill();
        process.waitForFinished();
        return {Outcome::Kind::Failed,
                QStringLiteral("The script did not finish within %1 seconds.")
                    .arg(timeLimitMs / 1000.0)};
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return {Outcome::Kind::Failed, failureText(process, process.errorString())};
    if (process.exitCode() != 0)
        return {Outcome::Kind::Failed,
                failureText(
                    process,
                    QStringLiteral("The script ended with status %1.").arg(process.exitCode()))};
    return {Outcome::Kind::Text, QString::fromUtf8(process.readAllStandardOutput()).trimmed()};
}

} // namespace userscripts
