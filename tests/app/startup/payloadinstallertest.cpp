#include "app/startup/payloadinstaller.h"
#include "app/bundleinfo.h"
#include "app/startup/folderlayout.h"
#include "foundation/programfolder.h"
#include "platform/scripting/busprograms.h"
#include "tests/support/logcapture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The program's payloads in a folder of the test's own, and an empty local domain.
class PayloadInstallerTest : public LogCaptureTest
{
protected:
    void SetUp() override
    {
        setLevel(2);
        ASSERT_TRUE(programFolder.isValid());
        ASSERT_TRUE(localDomain.isValid());
        programfolder::setPathForTesting(programFolder.path());
        qputenv("XDG_DATA_DIRS", localDomain.path().toUtf8());
        layout = FolderLayout::current();
        payloadinstaller::createLibraryFolder(layout);
    }
    void TearDown() override
    {
        if (busprograms::isRunning(bundleinfo::kAgentBundleIdentifier))
            busprograms::quit(bundleinfo::kAgentBundleIdentifier);
        programfolder::setPathForTesting(QString());
    }

    // An agent payload that, started through its desktop entry, owns the agent's bus name; the
    // text tells the copies apart.
    void writeAgentPayload(const QByteArray &mark)
    {
        QFile payload(payloadinstaller::agentPayloadPath());
        ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
        payload.write("#!/bin/sh\n# " + mark + "\nexec \"" TOLVANE_SCRIPTING_PEER "\" " +
                      bundleinfo::kAgentBundleIdentifier.toUtf8() + "\n");
        payload.close();
        ASSERT_TRUE(payload.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    QByteArray installedAgent() const
    {
        QFile agent(payloadinstaller::installedAgentPath(layout));
        return agent.open(QIODevice::ReadOnly) ? agent.readAll() : QByteArray();
    }
    static bool agentRunning(bool running)
    {
        QDeadlineTimer deadline(10000);
        while (busprograms::isRunning(bundleinfo::kAgentBundleIdentifier) != running &&
               !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return busprograms::isRunning(bundleinfo::kAgentBundleIdentifier) == running;
    }
    void startInstalledAgent()
    {
        ASSERT_TRUE(busprograms::launch(bundleinfo::kAgentBundleIdentifier));
        ASSERT_TRUE(agentRunning(true));
    }

    QTemporaryDir programFolder;
    QTemporaryDir localDomain;
    FolderLayout layout;
};

TEST_F(PayloadInstallerTest, AMissingAgentPayloadIsSaidAndLeavesTheInstalledCopy)
{
    payloadinstaller::installAgent(layout);
    EXPECT_TRUE(lines().contains(
        "[AppDelegate(PrivateUtilities) setupFileAndFolderEnvironment] - Agent Tolvane.app - "
        "Payload Not Located."));
    EXPECT_FALSE(QFileInfo::exists(payloadinstaller::installedAgentPath(layout)));
}

TEST_F(PayloadInstallerTest, TheAgentIsInstalledWithADesktopEntryThatStartsIt)
{
    writeAgentPayload("first");
    payloadinstaller::installAgent(layout);
    EXPECT_TRUE(installedAgent().contains("# first"));
    EXPECT_TRUE(QFileInfo(payloadinstaller::installedAgentPath(layout)).isExecutable());
    EXPECT_EQ(busprograms::executablePath(bundleinfo::kAgentBundleIdentifier),
              payloadinstaller::installedAgentPath(layout));
    startInstalledAgent();
}

// The launch entry quotes the agent's path as desktop entries are read: a data folder holding a
// space, a quote, "$", "%" or a backquote still names the installed agent, which then starts.
TEST_F(PayloadInstallerTest, AnAgentPathWithReservedCharacters_IsNamedAndStartedByItsEntry)
{
    const QString data = QDir::homePath() + QStringLiteral("/a \"quoted\" $HOME at 100% `x`");
    ASSERT_TRUE(QDir().mkpath(data));
    qputenv("XDG_DATA_HOME", data.toUtf8());
    layout = FolderLayout::current();
    payloadinstaller::createLibraryFolder(layout);
    ASSERT_TRUE(payloadinstaller::installedAgentPath(layout).startsWith(data));
    writeAgentPayload("odd");
    payloadinstaller::installAgent(layout);
    EXPECT_EQ(busprograms::executablePath(bundleinfo::kAgentBundleIdentifier),
              payloadinstaller::installedAgentPath(layout));
    startInstalledAgent();
}

TEST_F(PayloadInstallerTest, ARunningAgentIsQuitReplacedAndStartedAgain)
{
    writeAgentPayload("first");
    payloadinstaller::installAgent(layout);
    startInstalledAgent();
    const QString before = busprograms::runningBusName(bundleinfo::kAgentBundleIdentifier);

    writeAgentPayload("second");
    payloadinstaller::installAgent(layout);
    EXPECT_TRUE(installedAgent().contains("# second"));
    EXPECT_TRUE(agentRunning(true));
    const QStringList log = lines();
    EXPECT_TRUE(log.contains("[AppDelegate(PrivateUtilities) setupFileAndFolderEnvironment] - "
                             "Agent Tolvane.app - Running application was halted."));
    EXPECT_TRUE(log.contains("[AppDelegate(PrivateUtilities) setupFileAndFolderEnvironment] - "
                             "Agent Tolvane.app - Updated."));
}

TEST_F(PayloadInstallerTest, ACopyThatCannotBeWrittenLeavesTheOldAgentRunning)
{
    writeAgentPayload("first");
    payloadinstaller::installAgent(layout);
    startInstalledAgent();
    // The copy in progress cannot be made where a folder stands in its way.
    ASSERT_TRUE(QDir().mkpath(payloadinstaller::installedAgentPath(layout) + ".new/blocked"));

    writeAgentPayload("second");
    payloadinstaller::installAgent(layout);
    EXPECT_TRUE(installedAgent().contains("# first"));
    EXPECT_TRUE(agentRunning(true));
    EXPECT_TRUE(lines().contains(
        "[AppDelegate(PrivateUtilities) setupFileAndFolderEnvironment] - ERROR -- Agent "
        "Tolvane.app - Update Failure - unable to copy newer file."));
}

TEST_F(PayloadInstallerTest, TheSampleScriptIsKeptAndTheDocumentScriptReplaced)
{
    payloadinstaller::installScripts(layout);
    const QDir scripts(layout.scriptsFolderPath);
    const QString sample = scripts.filePath(payloadinstaller::kSampleScriptName);
    const QString document = scripts.filePath(payloadinstaller::kDocumentScriptName);
    ASSERT_TRUE(QFileInfo(sample).isExecutable());
    ASSERT_TRUE(QFileInfo(document).isExecutable());
    for (const QString &path : {sample, document}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho edited\n");
    }

    payloadinstaller::installScripts(layout);
    QFile kept(sample);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "#!/bin/sh\necho edited\n");
    QFile replaced(document);
    ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
    EXPECT_TRUE(replaced.readAll().contains("##$$##"));
}

TEST_F(PayloadInstallerTest, TheServiceGoesToTheLocalDomainWhenItCanBeMade)
{
    QFile payload(payloadinstaller::servicePayloadPath());
    ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
    payload.write("#!/bin/sh\n");
    payload.close();

    payloadinstaller::installService();
    const QDir local(localDomain.filePath("applications"));
    EXPECT_TRUE(QFileInfo(local.filePath(bundleinfo::kServiceFileName)).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(local.filePath("com.zel-tor.tolvaneService.desktop")));
}

TEST_F(PayloadInstallerTest, TheServiceFallsBackToTheUsersApplications)
{
    QFile payload(payloadinstaller::servicePayloadPath());
    ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
    payload.write("#!/bin/sh\n");
    payload.close();
    // A plain file where the local domain's folder must be: its applications folder cannot be
    // made, even by root.
    const QString blocked = localDomain.filePath("share");
    QFile plain(blocked);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    qputenv("XDG_DATA_DIRS", blocked.toUtf8());

    payloadinstaller::installService();
    const QDir user(qEnvironmentVariable("XDG_DATA_HOME") + "/applications");
    EXPECT_TRUE(QFileInfo(user.filePath(bundleinfo::kServiceFileName)).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(user.filePath("com.zel-tor.tolvaneService.desktop")));
}

} // namespace
