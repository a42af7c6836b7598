#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "app/delegate/appdelegate.h"
#include "app/delegate/modetexts.h"
#include "app/prefs/prefsheet.h"
#include "foundation/programfolder.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/busprograms.h"
#include "platform/ui/statusitem.h"
#include "tests/support/app/mainprogramtest.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ostream>

namespace {

class AppModeTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        setLevel(1);
    }
    void TearDown() override
    {
        StatusItem::setTrayAvailableForTesting(std::nullopt);
        MainProgramTest::TearDown();
    }
    // Runs the application's own event loop until the program quits or the time is up; true when
    // the program asked to quit. As in the program, closing the last window quits nothing.
    static bool quitsWithin(int ms)
    {
        const bool quitOnClose = QApplication::quitOnLastWindowClosed();
        QApplication::setQuitOnLastWindowClosed(false);
        bool timedOut = false;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&timedOut] {
            timedOut = true;
            QCoreApplication::quit();
        });
        deadline.start(ms);
        QCoreApplication::exec();
        QApplication::setQuitOnLastWindowClosed(quitOnClose);
        return !timedOut;
    }
    void provideProgram(const QString &fileName, const QString &target)
    {
        ASSERT_TRUE(QFile::link(target, programfolder::programPath(fileName)));
    }
    // The old program's part of a restart; its exit code says how far it came. It leaves at once,
    // without the exit handlers, so nothing but its own end closes the relauncher's pipe.
    void restartInThisProcess()
    {
        provideProgram(bundleinfo::kMainProgramFileName, QStringLiteral(TOLVANE_PATH));
        provideProgram(bundleinfo::kRelauncherFileName, QStringLiteral(RELAUNCHER_PATH));
        if (!startProgram())
            std::_Exit(10);
        prompter.answer(kAlertSecondButtonReturn);
        delegate->changeStatusItemStatus(true);
        if (!quitsWithin(5000))
            std::_Exit(11);
        // The relauncher waits while this process lives.
        QThread::msleep(500);
        if (!busprograms::runningBusName(bundleinfo::kBundleIdentifier).isEmpty())
            std::_Exit(12);
        server.stop();
        std::_Exit(0);
    }
};

struct ModeCase
{
    const char *name;
    bool runAsStatusItem;
    bool trayAvailable;
    bool showsStatusItem;
    bool logsNoTray;
};

void PrintTo(const ModeCase &c, std::ostream *out)
{
    *out << c.name;
}

class StartUpModeTest : public AppModeTest, public ::testing::WithParamInterface<ModeCase>
{
};

TEST_P(StartUpModeTest, ThePreferenceAndTheTrayChooseTheMode)
{
    const ModeCase &c = GetParam();
    UserDefaults::standard().setBool(c.runAsStatusItem, appkeys::runAsStatusItem);
    StatusItem::setTrayAvailableForTesting(c.trayAvailable);
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(delegate->isStatusItem(), c.runAsStatusItem);
    EXPECT_EQ(lines().contains(modetexts::noTray), c.logsNoTray);
    EXPECT_EQ(lines().contains("[AppDelegate morphToApp] - Morphed into an Application"),
              !c.showsStatusItem);
    ASSERT_EQ(delegate->statusItem() != nullptr, c.showsStatusItem);
    if (c.showsStatusItem) {
        EXPECT_EQ(delegate->statusItem()->form(), StatusItem::Form::Tray);
        ASSERT_NE(delegate->statusMenu(), nullptr);
        EXPECT_EQ(delegate->statusItem()->menu(), delegate->statusMenu());
        // The tray item's menu holds the whole main menu, so every command stays in reach.
        QList<QMenu *> held;
        for (QAction *item : delegate->statusMenu()->actions())
            held << item->menu();
        EXPECT_EQ(held, delegate->menuSet()->mainMenu());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Launches, StartUpModeTest,
    ::testing::Values(ModeCase{"ApplicationWithATray", false, true, false, false},
                      ModeCase{"ApplicationWithoutATray", false, false, false, false},
                      ModeCase{"StatusItemInTheTray", true, true, true, false},
                      ModeCase{"StatusItemWithoutATray", true, false, false, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AppModeTest, OffscreenThereIsNoTraySoTheStatusItemPreferenceGivesAnApplication)
{
    UserDefaults::standard().setBool(true, appkeys::runAsStatusItem);
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(delegate->statusItem(), nullptr);
    EXPECT_TRUE(lines().contains(modetexts::noTray));
}

TEST_F(AppModeTest, SwitchingTheStatusItemOffRemovesItAtOnce)
{
    UserDefaults::standard().setBool(true, appkeys::runAsStatusItem);
    StatusItem::setTrayAvailableForTesting(true);
    ASSERT_TRUE(startProgram());
    ASSERT_NE(delegate->statusItem(), nullptr);

    delegate->changeStatusItemStatus(false);
    EXPECT_EQ(delegate->statusItem(), nullptr);
    EXPECT_EQ(delegate->statusMenu(), nullptr);
    EXPECT_FALSE(delegate->isStatusItem());
    EXPECT_FALSE(UserDefaults::standard().boolForKey(appkeys::runAsStatusItem));
    EXPECT_TRUE(lines().contains("[AppDelegate morphToApp] - removing StatusItem"));
    EXPECT_TRUE(lines().contains("[AppDelegate morphToApp] - Morphed into an Application"));
    EXPECT_TRUE(prompter.shown().isEmpty());
}

TEST_F(AppModeTest, SwitchingOnAsksForARestartAndLaterKeepsTheProgramRunning)
{
    ASSERT_TRUE(startProgram());
    prompter.answer(kAlertFirstButtonReturn);
    delegate->changeStatusItemStatus(true);
    ASSERT_EQ(prompter.shown().size(), 1);
    const ScriptedPrompter::Shown &sheet = prompter.shown().constFirst();
    EXPECT_TRUE(sheet.asSheet);
    EXPECT_EQ(sheet.prompt.message, modetexts::restartTitle);
    EXPECT_EQ(sheet.prompt.informativeText, modetexts::restartMessage);
    EXPECT_EQ(sheet.prompt.buttons, (QStringList{"I'll restart later", "Restart now"}));
    EXPECT_FALSE(quitsWithin(300));
    // The preference takes effect at the next launch.
    EXPECT_TRUE(UserDefaults::standard().boolForKey(appkeys::runAsStatusItem));
    EXPECT_EQ(delegate->statusItem(), nullptr);
}

TEST_F(AppModeTest, RestartWithoutARelauncherShowsAnAlertAndTheProgramStays)
{
    ASSERT_TRUE(startProgram());
    provideProgram(bundleinfo::kMainProgramFileName, QStringLiteral(TOLVANE_PATH));
    delegate->showPreferencePanel();
    prompter.answer(kAlertSecondButtonReturn);
    delegate->changeStatusItemStatus(true);
    EXPECT_FALSE(quitsWithin(500));
    // The preferences sheet closed before the relauncher was looked for.
    ASSERT_NE(delegate->prefSheet(), nullptr);
    EXPECT_FALSE(delegate->prefSheet()->isVisible());
    ASSERT_EQ(prompter.shown().size(), 2);
    const ScriptedPrompter::Shown &alert = prompter.shown().at(1);
    EXPECT_FALSE(alert.asSheet);
    EXPECT_EQ(alert.prompt.message, modetexts::relaunchFailed);
    EXPECT_TRUE(alert.prompt.informativeText.contains(
        programfolder::programPath(bundleinfo::kRelauncherFileName)));
    const QStringList log = lines();
    EXPECT_TRUE(std::any_of(log.cbegin(), log.cend(), [](const QString &line) {
        return line.startsWith("relauncher not started: ");
    }));
    EXPECT_TRUE(UserDefaults::standard().boolForKey(appkeys::runAsStatusItem));
}

// The pid of the program that owns the bus name, or 0.
uint ownerPid(const QString &name)
{
    const QDBusReply<uint> reply = QDBusConnection::sessionBus().interface()->servicePid(name);
    return reply.isValid() ? reply.value() : 0;
}

bool waitForBusName(bool owned, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (busprograms::runningBusName(bundleinfo::kBundleIdentifier).isEmpty() != owned)
            return true;
        QThread::msleep(50);
    }
    return false;
}

// The old process is a child of the test (it must end for the relaunch to happen): it answers
// "Restart now", quits, and its exit lets the real relauncher start the real program, which takes
// the program's bus name.
TEST_F(AppModeTest, RestartNowStartsTheProgramAgainOnceTheOldProcessHasEnded)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_TRUE(busprograms::runningBusName(bundleinfo::kBundleIdentifier).isEmpty());
    EXPECT_EXIT(restartInThisProcess(), ::testing::ExitedWithCode(0), "");
    ASSERT_TRUE(waitForBusName(true, 60000));
    const uint pid = ownerPid(bundleinfo::kBundleIdentifier);
    EXPECT_NE(pid, 0u);
    busprograms::quit(bundleinfo::kBundleIdentifier);
    if (!waitForBusName(false, 20000) && pid != 0)
        ::kill(pid_t(pid), SIGKILL);
}

} // namespace
