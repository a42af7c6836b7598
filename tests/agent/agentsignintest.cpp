// The agent on the People protocol never signs in through a browser: with a refused credential it
// shows the engine's authentication alert, then its own fatal alert, and quits. Once the main
// program has signed in again, the agent's next start pushes what changed meanwhile.

#include "tests/agent/agenttest.h"

#include "agent/agenttexts.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/keychain/keychain.h"

#include <gtest/gtest.h>

namespace {

const QString kClientId = QStringLiteral("tolvane-agent.apps.loopback");
const QString kClientSecret = QStringLiteral("agent-client-secret");

class AgentSignInTest : public AgentTest
{
protected:
    void SetUp() override
    {
        AgentTest::SetUp();
        server.registerOAuthClient(kClientId, kClientSecret);
        setMainPreference(googlekeys::googleServiceProtocol, QStringLiteral("people"));
        setMainPreference(googlekeys::googleOAuthClientID, kClientId);
        ASSERT_TRUE(EMKeychainProxy::sharedProxy().addGenericKeychainItemForService(
            googleoauthclient::kKeychainService, kClientId, kClientSecret));
    }

    // What the main program's sign-in leaves in the account's item.
    void storeSignedInCredential()
    {
        const GDataTestServer::MintedToken minted = server.mintToken(kAccount, kClientId);
        ASSERT_FALSE(minted.refreshToken.isEmpty());
        const QString credential =
            serializeOAuthCredential({kClientId, minted.refreshToken,
                                      QStringLiteral("https://www.googleapis.com/auth/contacts")});
        const KeychainItemRef item = genericItemRef(keychainService, kAccount);
        keychain::deletePassword(item);
        ASSERT_TRUE(EMKeychainProxy::sharedProxy().addGenericKeychainItemForService(
            keychainService, kAccount, credential));
    }

    void TearDown() override
    {
        keychain::deletePassword(genericItemRef(googleoauthclient::kKeychainService, kClientId));
        AgentTest::TearDown();
    }
};

TEST_F(AgentSignInTest, ARevokedCredentialEndsInTheFatalAlertWithoutABrowser)
{
    storeSignedInCredential();
    server.expireTokens(kAccount, true);

    ASSERT_TRUE(startAgent());
    ASSERT_TRUE(runUntil([this] { return terminations > 0; }));
    // The engine's alert answers "Submit", which asks the agent for a login it cannot give.
    QStringList messages;
    for (const auto &shown : prompter.shown())
        messages << shown.prompt.message;
    const qsizetype refused = messages.indexOf(googletexts::authenticationAlert);
    ASSERT_GE(refused, 0) << messages.join(" | ").toStdString();
    ASSERT_GT(messages.size(), refused + 1);
    EXPECT_EQ(messages.at(refused + 1), agenttexts::noCredentials);
    EXPECT_EQ(prompter.shown().at(refused + 1).prompt.informativeText,
              agenttexts::noCredentialsSmall);
    EXPECT_EQ(terminations, 1);
    // No sign-in page was ever asked for: nothing opened a browser.
    EXPECT_TRUE(server.requestsTo(QStringLiteral("/o/oauth2/v2/auth")).isEmpty());
}

TEST_F(AgentSignInTest, AfterASignInInTheMainProgram_TheNextStartPushesWhatChanged)
{
    storeSignedInCredential();
    ASSERT_TRUE(startAgent());
    ASSERT_TRUE(runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); }));
    delegate->applicationWillTerminate();
    delegate.reset();

    // The credential is revoked while the agent is away; its next start is refused and quits.
    server.expireTokens(kAccount, true);
    addPersonElsewhere(QStringLiteral("Before"), QStringLiteral("Refusal"));
    ASSERT_TRUE(startAgent());
    ASSERT_TRUE(runUntil([this] { return terminations > 0; }));
    delegate.reset();
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Before Refusal")));

    addPersonElsewhere(QStringLiteral("After"), QStringLiteral("Refusal"));
    storeSignedInCredential();
    ASSERT_TRUE(startAgent());
    EXPECT_TRUE(runUntil([this] {
        const QStringList titles = serverContactTitles();
        return titles.contains(QStringLiteral("Before Refusal")) &&
               titles.contains(QStringLiteral("After Refusal"));
    }));
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(serverContactTitles().count(QStringLiteral("Before Refusal")), 1);
    EXPECT_TRUE(server.requestsTo(QStringLiteral("/o/oauth2/v2/auth")).isEmpty());
}

} // namespace
