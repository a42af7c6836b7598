// The data loader's login sheet on the People protocol: the browser signs in in place of a typed
// password, which would otherwise replace the account's credential in the keyring.

#include "tests/loader/window/dataloadertest.h"

#include "app/signin/googlesignin.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "loader/loaderkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "tests/support/app/scriptedbrowser.h"

#include <QFormLayout>
#include <QLabel>
#include <QTimer>

namespace {

const QString kClientId = QStringLiteral("tolvane-loader.apps.loopback");
const QString kClientSecret = QStringLiteral("loader-client-secret");

class LoaderBrowserLoginTest : public DataLoaderTest
{
protected:
    void SetUp() override
    {
        DataLoaderTest::SetUp();
        ASSERT_TRUE(browser.install(server, kClientId, kClientSecret));
        const GDataTestServer::MintedToken minted = server.mintToken(kAccount, kClientId);
        // The account signed in through the browser before: its item holds the grant.
        const std::unique_ptr<EMGenericKeychainItem> item =
            EMKeychainProxy::sharedProxy().genericKeychainItemForService(keychainService, kAccount);
        ASSERT_TRUE(item);
        ASSERT_TRUE(item->setPassword(serializeOAuthCredential(
            {kClientId, minted.refreshToken,
             QStringLiteral("https://www.googleapis.com/auth/contacts openid email")})));
    }

    void TearDown() override
    {
        browser.uninstall();
        DataLoaderTest::TearDown();
    }

    QLabel *label(const char *name) const
    {
        return loader->loginPanel()->findChild<QLabel *>(QLatin1String(name));
    }

    ScriptedBrowser browser;
};

TEST_F(LoaderBrowserLoginTest, TheSheetSignsInThroughTheBrowserAndKeepsTheCredential)
{
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runUntil([this] { return tool()->isLoggedIn(); }));
    UserDefaults &ud = UserDefaults::standard();
    for (const bool keychain : {false, true}) {
        SCOPED_TRACE(keychain ? "keychain" : "no keychain");
        ud.setBool(keychain, loaderkeys::useKeychain);
        const QString before = storedPassword(kAccount);
        tool()->logout();
        server.setOptions({{"consentDenied", true}});
        loader->openLoginPanel();
        ASSERT_TRUE(loader->loginPanel()->isVisible());
        EXPECT_FALSE(loader->pwTextField()->isVisibleTo(loader->loginPanel()));
        ASSERT_TRUE(label("browserSignInLine"));
        EXPECT_TRUE(label("browserSignInLine")->isVisibleTo(loader->loginPanel()));
        loader->userTextField()->setText(kAccount);
        EXPECT_TRUE(loader->canLogin()) << "no password on this protocol";

        // A refusal leaves the sheet open with its message, and the keyring as it was.
        loader->login();
        EXPECT_EQ(label("signInMessage")->text(), "Waiting for your browser…");
        EXPECT_FALSE(loader->canLogin()) << "one sign-in at a time";
        ASSERT_TRUE(runUntil([this] { return loader->canLogin(); }));
        EXPECT_TRUE(loader->loginPanel()->isVisible());
        EXPECT_NE(label("signInMessage")->text(), "Waiting for your browser…");
        EXPECT_EQ(storedPassword(kAccount), before);

        server.setOptions({{"consentDenied", false}, {"autoConsent", true}});
        loader->login();
        ASSERT_TRUE(runUntil([this] { return tool()->isLoggedIn(); }));
        EXPECT_FALSE(loader->loginPanel()->isVisible());
        const QString after = storedPassword(kAccount);
        if (keychain) {
            // The item holds the new grant, never a password.
            const std::optional<OAuthCredential> credential =
                parseOAuthCredential(after, kClientId);
            ASSERT_TRUE(credential);
            EXPECT_NE(after, before);
        } else {
            EXPECT_EQ(after, before);
        }
    }
    EXPECT_EQ(browser.opens, 4);
}

} // namespace
