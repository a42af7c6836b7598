#include "app/appkeys.h"
#include "app/delegate/appdelegate.h"
#include "foundation/log.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/app/mainprogramtest.h"
#include "tests/support/app/urlrecorder.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcutEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

class AppEnvironmentTest : public MainProgramTest
{
};

TEST_F(AppEnvironmentTest, TheFrontApplicationIsWrittenOncePerChange)
{
    ASSERT_TRUE(startProgram());
    UserDefaults &defaults = UserDefaults::standard();
    struct Step
    {
        const char *name;
        bool written;
    };
    const Step steps[] = {{"", false},        {"Safari.app", true}, {"Safari.app", false},
                          {"Mail.app", true}, {"", false},          {"Safari.app", true}};
    for (const Step &step : steps) {
        defaults.setString("untouched", appkeys::frontAppBundle);
        delegate->setFrontAppBundle(QString::fromUtf8(step.name));
        EXPECT_EQ(defaults.stringForKey(appkeys::frontAppBundle),
                  step.written ? QString::fromUtf8(step.name) : QString("untouched"))
            << step.name;
    }
    EXPECT_EQ(delegate->frontAppBundle(), "Safari.app");
}

// Every way a menu sends its action: the action's handler sees interface scripting on, although
// it was off when the menu opened.
TEST_F(AppEnvironmentTest, InterfaceScriptingIsOnBeforeEveryMenuAction)
{
    ASSERT_TRUE(startProgram());
    QMenu menu;
    QAction *action = menu.addAction("Backup Address Book");
    action->setShortcut(QKeySequence("Ctrl+B"));
    QList<bool> seen;
    QObject::connect(action, &QAction::triggered, [&seen] {
        seen << UserDefaults::standard().boolForKey(appkeys::guiScriptingEnabled);
    });
    const std::function<void()> triggers[] = {
        [&] {
            QShortcutEvent shortcut(action->shortcut(), 0);
            QCoreApplication::sendEvent(action, &shortcut);
        },
        [&] {
            menu.popup({10, 10});
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
        },
        [&] {
            menu.popup({10, 10});
            menu.setActiveAction(action);
            QTest::keyClick(&menu, Qt::Key_Return);
        },
    };
    for (const auto &trigger : triggers) {
        UserDefaults::standard().setBool(false, appkeys::guiScriptingEnabled);
        trigger();
    }
    EXPECT_EQ(seen, (QList<bool>{true, true, true}));
}

TEST_F(AppEnvironmentTest, EachWebPageActionOpensItsPreferencesAddress)
{
    ASSERT_TRUE(startProgram());
    UrlRecorder browser("https");
    struct Page
    {
        QString key;
        void (AppDelegate::*action)();
    };
    const Page pages[] = {{appkeys::googleContactsPage, &AppDelegate::openGoogleContactPage},
                          {appkeys::faqPage, &AppDelegate::openFAQPage},
                          {appkeys::userManualPage, &AppDelegate::openManuaPage},
                          {appkeys::supportForumPage, &AppDelegate::openSupportForum},
                          {appkeys::homePage, &AppDelegate::openHomePage}};
    QList<QUrl> expected;
    for (const Page &page : pages) {
        const QUrl address("https://example.com/" + page.key);
        UserDefaults::standard().setString(address.toString(), page.key);
        (delegate.get()->*page.action)();
        expected << address;
    }
    EXPECT_EQ(browser.opened, expected);

    // A page without an address opens nothing.
    UserDefaults::standard().removeObjectForKey(appkeys::homePage);
    delegate->openHomePage();
    EXPECT_EQ(browser.opened.size(), expected.size());
}

TEST_F(AppEnvironmentTest, APreferencesChangeIsLoggedOnlyAtDiagnosticLevels)
{
    ASSERT_TRUE(startProgram());
    const QVariantMap change{{"autoPushABChanges", true}};
    const QString line =
        "[AppDelegate defaultsDidChangeNotification:] [note userInfo] = " + tlog::describe(change);
    setLevel(0);
    delegate->defaultsDidChangeNotification(change);
    EXPECT_FALSE(lines().join(u'\n').contains(line));
    setLevel(1);
    delegate->defaultsDidChangeNotification(change);
    EXPECT_TRUE(lines().join(u'\n').contains(line));
}

TEST_F(AppEnvironmentTest, AScriptFailsWithItsMessageAndLogsItsSource)
{
    ASSERT_TRUE(startProgram());
    setLevel(1);
    const QString message = delegate->doAppleScript("tell application \"Finder\" to activate");
    EXPECT_FALSE(message.isEmpty());
    EXPECT_NE(message, "Success");
    EXPECT_TRUE(lines().contains(
        "[AppDelegate doAppleScript:] ERROR:: tell application \"Finder\" to activate"));
    EXPECT_TRUE(lines().contains(
        "[AppDelegate doAppleScript:] [errorDict objectForKey:@\"NSAppleScriptErrorMessage\"] = " +
        message));
}

} // namespace
