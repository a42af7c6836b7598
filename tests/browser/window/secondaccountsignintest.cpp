// The second account's sheet on the People protocol: the browser sign-in of the login sheet, its
// credential handed to the window's own engine and never stored.

#include "app/signin/googlesignin.h"
#include "app/windows/windowfactory.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "tests/support/app/mainprogramtest.h"
#include "tests/support/app/scriptedbrowser.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kSecondAccount = QStringLiteral("ann@example.com");
const QString kClientId = QStringLiteral("tolvane-browser.apps.loopback");
const QString kClientSecret = QStringLiteral("browser-client-secret");

class SecondAccountSignInTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        ASSERT_TRUE(browser.install(server, kClientId, kClientSecret));
        // The main account signed in before, without a browser.
        const GDataTestServer::MintedToken minted = server.mintToken(kAccount, kClientId);
        storePassword(serializeOAuthCredential(
            {kClientId, minted.refreshToken,
             QStringLiteral("https://www.googleapis.com/auth/contacts openid email")}));
        server.generateContacts(kAccount, 5);
        server.addAccount(kSecondAccount, QStringLiteral("unused"));
        server.generateContacts(kSecondAccount, 3);
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Reader%1").arg(i), kABFirstNameProperty);
            person->setValueForProperty(QStringLiteral("Person"), kABLastNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
        }
        ASSERT_TRUE(AddressBook::shared()->save());
        // Every contact in the All row, whether or not Google put it in My Contacts.
        UserDefaults::standard().setInteger(1, QStringLiteral("systemGroupUseAll"));
    }

    void TearDown() override
    {
        browser.uninstall();
        MainProgramTest::TearDown();
    }

    BrowserWindowController *openSecondBrowser()
    {
        if (!startProgram() || !runUntil([this] {
                return delegate->googleBrowserWindowController() &&
                       delegate->appGoogleContactTool()->isLoggedIn();
            }))
            return nullptr;
        delegate->openBrowser2View();
        if (delegate->browserControllerCache().size() != 1)
            return nullptr;
        return qobject_cast<BrowserWindowController *>(
            delegate->browserControllerCache().begin()->second.data());
    }

    ScriptedBrowser browser;
};

TEST_F(SecondAccountSignInTest, TheSheetSignsInThroughTheBrowserAndHandsTheCredentialOn)
{
    QPointer<BrowserWindowController> second = openSecondBrowser();
    ASSERT_TRUE(second);
    ASSERT_TRUE(second->loginPanel() && second->loginPanel()->isVisible());
    EXPECT_FALSE(second->pwTextField()->isVisibleTo(second->loginPanel()));
    auto *const line = second->loginPanel()->findChild<QLabel *>("browserSignInLine");
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->isVisibleTo(second->loginPanel()));
    EXPECT_FALSE(second->canLogin());
    second->userTextField()->setText(kSecondAccount);
    EXPECT_TRUE(second->canLogin()) << "no password on this protocol";

    // A refusal leaves the sheet open with its message.
    server.setOptions({{"consentDenied", true}});
    second->login();
    auto *const message = second->loginPanel()->findChild<QLabel *>("signInMessage");
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text(), "Waiting for your browser…");
    EXPECT_FALSE(second->canLogin()) << "one sign-in at a time";
    ASSERT_TRUE(runUntil([&second] { return second->canLogin(); }));
    EXPECT_TRUE(second->loginPanel()->isVisible());
    EXPECT_NE(message->text(), "Waiting for your browser…");
    EXPECT_FALSE(message->text().isEmpty());

    server.setOptions({{"consentDenied", false}});
    second->login();
    ASSERT_TRUE(runUntil([&second] { return second->contactArrayController()->rowCount() == 3; }));
    EXPECT_EQ(browser.opens, 2);
    EXPECT_FALSE(second->loginPanel()->isVisible());
    EXPECT_EQ(second->window()->windowTitle(), kSecondAccount);
    // The second account's credential is the engine's alone: no keychain item holds it.
    EXPECT_TRUE(storedPassword(kSecondAccount).isNull());
    EXPECT_FALSE(parseOAuthCredential(storedPassword(kAccount), kClientId)->refreshToken.isEmpty());
}

} // namespace
