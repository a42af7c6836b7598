#include "app/apptexts.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/app/mainprogramtest.h"
#include "tests/support/privatekeyring.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <optional>

namespace {

// When the keyring last changed the item whose attributes name the service: the Secret Service
// keeps it in seconds. Nothing when no such item exists.
std::optional<qulonglong> keyringItemModified(const QString &service)
{
    const auto property = [](const QString &path, const QString &interface, const QString &name) {
        QDBusMessage get = QDBusMessage::createMethodCall("org.freedesktop.secrets", path,
                                                          "org.freedesktop.DBus.Properties", "Get");
        get << interface << name;
        const QDBusMessage reply = QDBusConnection::sessionBus().call(get);
        return reply.arguments().isEmpty()
                   ? QVariant()
                   : reply.arguments().at(0).value<QDBusVariant>().variant();
    };
    const QVariant items = property("/org/freedesktop/secrets/collection/login",
                                    "org.freedesktop.Secret.Collection", "Items");
    for (const QDBusObjectPath &item : qdbus_cast<QList<QDBusObjectPath>>(items)) {
        const auto attributes = qdbus_cast<QMap<QString, QString>>(
            property(item.path(), "org.freedesktop.Secret.Item", "Attributes"));
        if (std::find(attributes.cbegin(), attributes.cend(), service) != attributes.cend())
            return property(item.path(), "org.freedesktop.Secret.Item", "Modified").toULongLong();
    }
    return std::nullopt;
}

class LoginTest : public MainProgramTest
{
protected:
    bool sheetOpen() const { return delegate->loginPanel() && delegate->loginPanel()->isVisible(); }
    bool waitForSheet()
    {
        return runUntil([this] { return sheetOpen(); });
    }
    void fillSheet(const QString &user, const QString &password)
    {
        LoginSheet *const sheet = delegate->loginPanel();
        sheet->userTextField()->clear();
        QTest::keyClicks(sheet->userTextField(), user);
        sheet->pwTextField()->clear();
        QTest::keyClicks(sheet->pwTextField(), password);
    }
    bool loggedIn()
    {
        return runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); });
    }
};

TEST_F(LoginTest, WithoutAStoredPasswordTheSheetAsksAndItsLoginStoresThePassword)
{
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitForSheet());
    EXPECT_TRUE(lines().contains("Prompting for user credentials"));
    EXPECT_FALSE(delegate->welcomePanel()->isVisible());
    EXPECT_EQ(delegate->loginPanel()->userTextField()->text(), "");
    EXPECT_FALSE(delegate->loginPanel()->loginButton()->isEnabled());

    fillSheet("bob", kPassword);
    EXPECT_TRUE(delegate->canLogin());
    EXPECT_TRUE(delegate->loginPanel()->loginButton()->isEnabled());
    QTest::mouseClick(delegate->loginPanel()->loginButton(), Qt::LeftButton);
    EXPECT_FALSE(sheetOpen());
    EXPECT_EQ(storedPassword(kAccount), kPassword);
    EXPECT_EQ(UserDefaults::standard().stringForKey(googlekeys::gsAccount), "bob");
    ASSERT_TRUE(loggedIn());
    EXPECT_TRUE(delegate->gsPW().isEmpty());
    EXPECT_EQ(terminations, 0);
}

TEST_F(LoginTest, TheSamePasswordAgainLeavesTheKeyringAlone)
{
    storePassword(kPassword);
    const std::optional<qulonglong> stored = keyringItemModified(keychainService);
    ASSERT_TRUE(stored);
    ASSERT_TRUE(startAndLogIn());
    // The keyring counts in seconds: a rewrite would now show.
    QTest::qWait(1100);
    delegate->changeGoogleAccount();
    ASSERT_TRUE(waitForSheet());
    fillSheet("bob", kPassword);
    delegate->login();
    EXPECT_EQ(keyringItemModified(keychainService), stored);

    delegate->changeGoogleAccount();
    ASSERT_TRUE(waitForSheet());
    fillSheet("bob", "another");
    delegate->login();
    EXPECT_NE(keyringItemModified(keychainService), stored);
    EXPECT_EQ(storedPassword(kAccount), "another");
}

TEST_F(LoginTest, CancellingTheFirstStartsSheetEndsTheProgram)
{
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitForSheet());
    QTest::mouseClick(delegate->loginPanel()->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(terminations, 1);
}

TEST_F(LoginTest, CancellingAChangeOfAccountKeepsTheProgramAndItsStores)
{
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    delegate->changeGoogleAccount();
    ASSERT_TRUE(waitForSheet());
    QTest::keyClick(delegate->loginPanel(), Qt::Key_Escape);
    EXPECT_FALSE(sheetOpen());
    EXPECT_EQ(terminations, 0);
    EXPECT_TRUE(delegate->appGoogleContactTool()->isLoggedIn());
    EXPECT_EQ(storedPassword(kAccount), kPassword);
}

TEST_F(LoginTest, ARefusedPasswordAsksAgainAndCancellingThatKeepsTheProgram)
{
    storePassword("wrong");
    ASSERT_TRUE(startProgram());
    // The engine's alert answers "Submit" (its first button), which opens the sheet again.
    ASSERT_TRUE(waitForSheet());
    ASSERT_FALSE(prompter.shown().isEmpty());
    EXPECT_EQ(prompter.shown().at(0).prompt.message, "A Google Authetication Error has Occurred.");
    EXPECT_EQ(delegate->loginPanel()->userTextField()->text(), "");
    delegate->cancelLogin();
    EXPECT_EQ(terminations, 0);

    delegate->changeGoogleAccount();
    ASSERT_TRUE(waitForSheet());
    fillSheet("bob", kPassword);
    delegate->login();
    EXPECT_EQ(storedPassword(kAccount), kPassword);
    EXPECT_TRUE(loggedIn());
}

TEST_F(LoginTest, RunsTheLockedKeyringCaseOnAPrivateKeyring)
{
    if (privatekeyring::isPrivateRun())
        GTEST_SKIP() << "this is the private run";
    QString output;
    EXPECT_TRUE(privatekeyring::runInnerTests("LockedKeyringLoginTest.*", &output))
        << output.toStdString();
}

class LockedKeyringLoginTest : public LoginTest
{
};

TEST_F(LockedKeyringLoginTest, AKeyringThatRefusesThePasswordEndsTheProgramNamingWhy)
{
    if (!privatekeyring::isPrivateRun())
        GTEST_SKIP() << "runs on a private keyring only";
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitForSheet());
    EMKeychainProxy::sharedProxy().lockKeychain();
    fillSheet("bob", kPassword);
    delegate->login();
    ASSERT_TRUE(privatekeyring::unlockWithPassword());
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().at(0).prompt.message, apptexts::loginFailed);
    EXPECT_TRUE(prompter.shown().at(0).prompt.informativeText.contains("keyring is locked"))
        << prompter.shown().at(0).prompt.informativeText.toStdString();
    EXPECT_EQ(terminations, 1);
    EXPECT_TRUE(storedPassword(kAccount).isNull());
}

TEST_F(LoginTest, ASheetOpenedFromASecondAccountsBrowserShowsThatAccount)
{
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    UserDefaults::standard().setString("carol@example.com", googlekeys::gsAccount2);
    delegate->openBrowserView();
    delegate->openBrowser2View();
    WindowController *const second = windows->made.constLast();
    second->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(second->window()));
    delegate->changeGoogleAccount();
    ASSERT_TRUE(waitForSheet());
    EXPECT_EQ(delegate->loginPanel()->userTextField()->text(), "carol@example.com");
    EXPECT_EQ(delegate->loginPanel()->parentWidget(), second->window());
    delegate->cancelLogin();
    EXPECT_EQ(terminations, 0);

    delegate->googleBrowserWindowController()->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(delegate->googleBrowserWindowController()->window()));
    delegate->changeGoogleAccount();
    ASSERT_TRUE(waitForSheet());
    EXPECT_EQ(delegate->loginPanel()->userTextField()->text(), "bob");
}

} // namespace
