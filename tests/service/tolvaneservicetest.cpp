#include "service/tolvaneservice.h"
#include "agent/documentdata.h"
#include "agent/handoverfile.h"
#include "service/servicetexts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <optional>

#include <gtest/gtest.h>

namespace {

// The service as a child process, with its own data folder and no agent installed.
struct ServiceRun
{
    int status = -1;
    QString errors;
};

ServiceRun runService(const QTemporaryDir &home, const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", QDir(home.path()).filePath("data"));
    environment.insert("XDG_DATA_DIRS", QDir(home.path()).filePath("none"));
    environment.insert("XDG_STATE_HOME", QDir(home.path()).filePath("state"));
    process.setProcessEnvironment(environment);
    // Whatever a smuggled command would write lands in the test's own folder.
    process.setWorkingDirectory(home.path());
    process.start(QStringLiteral(TOLVANE_SERVICE), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    // Qt's own warnings may come first: the error text is the last line.
    const QStringList lines =
        QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    return {process.exitCode(), lines.isEmpty() ? QString() : lines.last()};
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files);
}

// The one hand-over file the service left in the folder (no agent takes it), read as the agent
// reads it; the file is removed.
std::optional<handoverfile::Fields> takeHandOver(const QString &folder)
{
    const QStringList files = filesIn(folder);
    if (files.size() != 1)
        return std::nullopt;
    QFile file(QDir(folder).filePath(files.first()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const handoverfile::Fields fields = handoverfile::parse(QString::fromUtf8(file.readAll()));
    file.remove();
    return fields;
}

} // namespace

TEST(TolvaneService, HandOverFiles_AreNewFilesUnderUniqueNames)
{
    QTemporaryDir dir;
    const QString first = tolvaneservice::writeHandOverFile(dir.path(), "one");
    const QString second = tolvaneservice::writeHandOverFile(dir.path(), "two");
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NE(first, second);
    QFile file(first);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("one"));
    EXPECT_TRUE(tolvaneservice::writeHandOverFile(QDir(dir.path()).filePath("missing"), "x").isEmpty());
}

TEST(TolvaneService, ErrorTextsAndStatuses)
{
    QTemporaryDir home;
    const ServiceRun noText = runService(home, {}, QByteArray());
    EXPECT_EQ(noText.status, servicetexts::NoText);
    EXPECT_EQ(noText.errors, servicetexts::noText);

    const ServiceRun noTmp = runService(home, {}, "Ada Lovelace");
    EXPECT_EQ(noTmp.status, servicetexts::NoTmp);
    EXPECT_EQ(noTmp.errors, servicetexts::noTmp);

    const QString tmp = QDir(home.path()).filePath("data/Tolvane/tmp");
    ASSERT_TRUE(QDir().mkpath(tmp));
    const ServiceRun noAgent = runService(home, {"--source-app", "x;touch hacked"}, "Ada##$$##Lovelace");
    EXPECT_EQ(noAgent.status, servicetexts::NoLaunch);
    EXPECT_EQ(noAgent.errors, servicetexts::noLaunch);
    // The file stays in tmp, holding the text whole and no identifier.
    const QStringList files = filesIn(tmp);
    ASSERT_EQ(files.size(), 1);
    QFile file(QDir(tmp).filePath(files.first()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Ada##$$##Lovelace##$$####$$##"));
}

TEST(TolvaneService, DocumentData_RunsOnlyForAPlainIdentifierAndAtMostFiveSeconds)
{
    QTemporaryDir scripts;
    const auto writeScript = [&](const QByteArray &text) {
        QFile file(QDir(scripts.path()).filePath(documentdata::kScriptName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    writeScript("echo \"data of ##$$##\"");
    EXPECT_EQ(documentdata::getCurrentDocDataFromApp(scripts.path(), "org.example.editor"),
              "data of org.example.editor");
    const QString marker = QDir(scripts.path()).filePath("ran");
    EXPECT_TRUE(documentdata::getCurrentDocDataFromApp(scripts.path(), "x;touch " + marker).isNull());
    EXPECT_FALSE(QFileInfo::exists(marker));

    writeScript("sleep 30");
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(documentdata::getCurrentDocDataFromApp(scripts.path(), "org.example.editor").isNull());
    EXPECT_LT(timer.elapsed(), 8000);
}

TEST(TolvaneService, HostileInput_TheTextArrivesWholeAndOnlyAPlainIdentifierReachesTheScript)
{
    QTemporaryDir home;
    const QDir library(QDir(home.path()).filePath("data/Tolvane"));
    ASSERT_TRUE(library.mkpath("tmp"));
    ASSERT_TRUE(library.mkpath("scripts"));
    const QString tmp = library.filePath("tmp");
    const QString runs = QDir(home.path()).filePath("runs");
    const auto writeScript = [&](const QByteArray &text) {
        QFile file(library.filePath("scripts/" + documentdata::kScriptName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    // Each run of the script leaves the identifier it was given.
    writeScript("echo '##$$##' >> '" + runs.toUtf8() + "'; printf 'data of ##$$##'");
    const QString text = QStringLiteral("Ada Lovelace##$$##ada@engines.example");
    const struct
    {
        const char *source;
        const char *documentData;
        const char *identifier;
    } cases[] = {
        {"org.example.editor", "data of org.example.editor", "org.example.editor"},
        {"x;touch pwned", "", ""},
        {"$(touch pwned)", "", ""},
        {"`touch pwned`", "", ""},
        {"a'b", "", ""},
        {"../pwned", "", ""},
        {"/bin/sh", "", ""},
        {".hidden", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        const ServiceRun run = runService(home, {"--source-app", c.source}, text.toUtf8());
        EXPECT_EQ(run.status, servicetexts::NoLaunch);
        const std::optional<handoverfile::Fields> fields = takeHandOver(tmp);
        ASSERT_TRUE(fields);
        EXPECT_EQ(fields->text, text);
        EXPECT_EQ(fields->documentData, QString::fromUtf8(c.documentData));
        EXPECT_EQ(fields->sourceBID, QString::fromUtf8(c.identifier));
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(home.path()).filePath("pwned")));
    QFile ran(runs);
    ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
    EXPECT_EQ(ran.readAll(), QByteArray("org.example.editor\n"));

    // A script that hangs is killed, and the text goes over without data.
    writeScript("sleep 30");
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(runService(home, {"--source-app", "org.example.editor"}, text.toUtf8()).status,
              servicetexts::NoLaunch);
    EXPECT_LT(timer.elapsed(), 8000);
    const std::optional<handoverfile::Fields> fields = takeHandOver(tmp);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->text, text);
    EXPECT_EQ(fields->documentData, QString());
    EXPECT_EQ(fields->sourceBID, QStringLiteral("org.example.editor"));
}
