#include "platform/scripting/busprograms.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

const QString kPeerInterface = QStringLiteral("com.zel_tor.test.Peer");
const QString kPeerPath = QStringLiteral("/commands");

// Each test installs the peer program under a bundle identifier of its own, as tests share the
// session bus.
class BusProgramsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile entry(folder + u'/' + bundleIdentifier + QStringLiteral(".desktop"));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Peer\nExec=" TOLVANE_SCRIPTING_PEER
                    " " +
                    bundleIdentifier.toUtf8() + " %U\n");
    }
    void TearDown() override
    {
        if (busprograms::isRunning(bundleIdentifier))
            busprograms::quit(bundleIdentifier);
    }

    // Spins the event loop until the condition holds or five seconds pass.
    static bool waitFor(const std::function<bool()> &condition)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > 5000)
                return false;
            QEventLoop().processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }

    bool launchAndWait()
    {
        return busprograms::launch(bundleIdentifier) &&
               waitFor([this] { return busprograms::isRunning(bundleIdentifier); });
    }

    ScriptReply command(const QString &method, const QVariantList &arguments = {})
    {
        return busprograms::sendCommand(bundleIdentifier, kPeerInterface, kPeerPath, method,
                                        arguments);
    }

    const QString bundleIdentifier =
        QStringLiteral("com.zel-tor.peer") + QUuid::createUuid().toString(QUuid::Id128);
};

TEST_F(BusProgramsTest, NotRunningProgram_IsLaunchedFoundRunningAnswersAndQuits)
{
    EXPECT_FALSE(busprograms::isRunning(bundleIdentifier));
    EXPECT_EQ(busprograms::executablePath(bundleIdentifier), TOLVANE_SCRIPTING_PEER);
    ASSERT_TRUE(launchAndWait());

    const ScriptReply echo = command("Echo", {QStringLiteral("hello")});
    ASSERT_TRUE(echo.succeeded());
    EXPECT_EQ(echo.result.stringValue(), "hello");

    EXPECT_TRUE(busprograms::quit(bundleIdentifier));
    EXPECT_TRUE(waitFor([this] { return !busprograms::isRunning(bundleIdentifier); }));
    EXPECT_FALSE(busprograms::quit(bundleIdentifier));
}

TEST_F(BusProgramsTest, RunningTest_ComparesWholeIdentifiersWithoutRegardToCase)
{
    ASSERT_TRUE(launchAndWait());
    EXPECT_TRUE(busprograms::isRunning(bundleIdentifier.toUpper()));
    EXPECT_EQ(busprograms::runningBusName(bundleIdentifier.toUpper()), bundleIdentifier);
    EXPECT_FALSE(busprograms::isRunning(bundleIdentifier.chopped(1)));
    EXPECT_FALSE(busprograms::isRunning(bundleIdentifier + "Service"));
}

TEST_F(BusProgramsTest, CommandAnswers_ArriveAsTypedDescriptors)
{
    ASSERT_TRUE(launchAndWait());
    const ScriptReply listening = command("IsListening");
    ASSERT_TRUE(listening.succeeded());
    EXPECT_EQ(listening.result.descriptorType(), fourCharCode("bool"));
    EXPECT_TRUE(listening.result.booleanValue());

    const ScriptReply names = command("Names");
    ASSERT_EQ(names.result.descriptorType(), fourCharCode("list"));
    ASSERT_EQ(names.result.numberOfItems(), 3);
    EXPECT_EQ(names.result.descriptorAtIndex(3).stringValue(), "Finder");

    const ScriptReply record = command("Record");
    ASSERT_EQ(record.result.descriptorType(), fourCharCode("reco"));
    const AppleEventDescriptor fields = record.result.descriptorAtIndex(1);
    ASSERT_EQ(fields.numberOfItems(), 4);
    EXPECT_EQ(fields.descriptorAtIndex(1).stringValue(), "count");
    EXPECT_EQ(fields.descriptorAtIndex(2).int32Value(), 3);

    EXPECT_EQ(command("Large").result.descriptorType(), fourCharCode("comp"));
    EXPECT_EQ(command("Nothing").result, AppleEventDescriptor::nullDescriptor());
}

TEST_F(BusProgramsTest, FailedCommands_AnswerErrorInformation)
{
    const ScriptReply notRunning = command("Echo", {QStringLiteral("x")});
    EXPECT_FALSE(notRunning.succeeded());
    EXPECT_TRUE(notRunning.errorInfo.contains("NSAppleScriptErrorMessage"));

    ASSERT_TRUE(launchAndWait());
    const ScriptReply unknown = command("NoSuchCommand");
    EXPECT_FALSE(unknown.succeeded());
    EXPECT_TRUE(unknown.errorInfo.value("NSAppleScriptErrorMessage")
                    .toString()
                    .contains("org.freedesktop.DBus.Error.UnknownMethod"));
}

TEST(BusPrograms, ProgramNotInstalled_IsNeitherLaunchedNorFound)
{
    const QString missing = QStringLiteral("com.zel-tor.notInstalled");
    EXPECT_TRUE(busprograms::executablePath(missing).isEmpty());
    EXPECT_FALSE(busprograms::launch(missing));
    EXPECT_FALSE(busprograms::isRunning(missing));
    EXPECT_FALSE(busprograms::quit(missing));
}

TEST(ScriptReply, AppleScriptSource_FailsAsAScriptThatCannotRun)
{
    const ScriptReply reply = runAppleScript("tell application \"Finder\" to activate");
    EXPECT_FALSE(reply.succeeded());
    EXPECT_EQ(reply.result.descriptorType(), 0u);
    EXPECT_FALSE(reply.errorInfo.value("NSAppleScriptErrorMessage").toString().isEmpty());
}

} // namespace
