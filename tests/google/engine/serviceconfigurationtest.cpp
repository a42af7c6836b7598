// The sign-in side of the engine's service: the protocol the preferences choose, the OAuth client
// of the People protocol, and a renewed credential kept in the account's keychain item.

#include "tests/support/google/engineservertest.h"

#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "google/engine/googleserviceprotocol.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/keychain/keychain.h"

namespace {

using Protocol = GDataServiceGoogleContact::Protocol;

const QString kClientId = QStringLiteral("tolvane-engine.apps.loopback");
const QString kClientSecret = QStringLiteral("engine-client-secret");

class ServiceConfigurationTest : public EngineServerTest
{
protected:
    void TearDown() override
    {
        googleoauthclient::clearClient();
        UserDefaults::standard().removeObjectForKey(googlekeys::googleServiceProtocol);
        EngineServerTest::TearDown();
    }

    QString storedCredential()
    {
        const auto item =
            EMKeychainProxy::sharedProxy().genericKeychainItemForService(keychainService, kUser);
        return item ? item->password() : QString();
    }
};

TEST(ServiceProtocolChoice, AnExplicitValueWinsElseTheBaseURLDecides)
{
    struct Case
    {
        const char *protocol;
        const char *baseURL;
        Protocol chosen;
    };
    // clang-format off
    const Case cases[] = {
        {"",       "",                      Protocol::People}, // Google's own service
        {"",       "http://127.0.0.1:8080", Protocol::Atom},   // the loopback server, the demo
        {"atom",   "",                      Protocol::Atom},
        {"people", "http://127.0.0.1:8080", Protocol::People}, // the loopback server's People face
        {" People ", "http://127.0.0.1:8080", Protocol::People},
        {"ATOM",   "",                      Protocol::Atom},
        {"carddav","http://127.0.0.1:8080", Protocol::Atom},   // unknown: as if unset
        {"carddav","",                      Protocol::People},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.protocol) + " / " + c.baseURL);
        EXPECT_EQ(googleprotocol::protocolFor(QString::fromLatin1(c.protocol),
                                              QString::fromLatin1(c.baseURL)),
                  c.chosen);
    }
}

TEST_F(ServiceConfigurationTest, TheServiceSpeaksTheProtocolOfThePreferences)
{
    {
        const auto engine = makeEngine();
        EXPECT_EQ(engine->contactService()->protocol(), Protocol::Atom);
        EXPECT_EQ(engine->contactService()->maximumConcurrentWrites(), 6);
    }
    UserDefaults::standard().setString(QStringLiteral("people"), googlekeys::googleServiceProtocol);
    const auto engine = makeEngine();
    EXPECT_EQ(engine->contactService()->protocol(), Protocol::People);
    EXPECT_EQ(engine->contactService()->maximumConcurrentWrites(), 1);
    EXPECT_TRUE(engine->contactService()->credentialRenewed());
    // A sign-in after the preference changed speaks the new protocol.
    UserDefaults::standard().setString(QStringLiteral("atom"), googlekeys::googleServiceProtocol);
    storePassword(kPassword);
    engine->setUser(kUser);
    ASSERT_TRUE(engine->establishUserCredentials());
    EXPECT_EQ(engine->contactService()->protocol(), Protocol::Atom);
}

// A credential the token endpoint renewed goes into the account's item, replacing the old text or
// making the item; a credential handed in for a second account is never stored.
TEST_F(ServiceConfigurationTest, ARenewedCredentialIsWrittenToTheAccountsItem)
{
    UserDefaults::standard().setString(QStringLiteral("people"), googlekeys::googleServiceProtocol);
    const auto engine = makeEngine();
    engine->setUser(kUser);
    const GDataServiceGoogleContact::CredentialRenewed renewed =
        engine->contactService()->credentialRenewed();
    ASSERT_TRUE(renewed);
    renewed(QStringLiteral("first credential"));
    EXPECT_EQ(storedCredential(), QStringLiteral("first credential"));
    renewed(QStringLiteral("second credential"));
    EXPECT_EQ(storedCredential(), QStringLiteral("second credential"));

    engine->establishUser2CredentialsForUser(QStringLiteral("carol"),
                                             QStringLiteral("carol's credential"));
    EXPECT_FALSE(engine->contactService()->credentialRenewed());
    const auto carol = EMKeychainProxy::sharedProxy().genericKeychainItemForService(
        keychainService, QStringLiteral("carol@example.com"));
    EXPECT_FALSE(carol);
}

// End to end: the token endpoint hands out a new refresh token during the fetch; the item then
// holds it, and a fresh engine signs in with what the item holds.
TEST_F(ServiceConfigurationTest, ARenewalDuringTheFetchReachesTheItemAndSignsTheNextEngineIn)
{
    server.registerOAuthClient(kClientId, kClientSecret);
    ASSERT_TRUE(googleoauthclient::storeClient({kClientId, kClientSecret}));
    UserDefaults::standard().setString(QStringLiteral("people"), googlekeys::googleServiceProtocol);
    const GDataTestServer::MintedToken minted = server.mintToken(kUser, kClientId);
    storePassword(
        serializeOAuthCredential({kClientId, minted.refreshToken,
                                  QStringLiteral("https://www.googleapis.com/auth/contacts")}));
    server.setOptions({{"rotateRefreshTokens", true}});
    {
        const auto engine = makeEngine();
        ASSERT_TRUE(logIn(*engine));
    }
    const std::optional<OAuthCredential> renewed =
        parseOAuthCredential(storedCredential(), kClientId);
    ASSERT_TRUE(renewed);
    EXPECT_NE(renewed->refreshToken, minted.refreshToken);
    server.setOptions({{"rotateRefreshTokens", false}});
    const auto next = makeEngine();
    EXPECT_TRUE(logIn(*next));
}

TEST_F(ServiceConfigurationTest, TheImportedClientIsKeptWithItsSecretInTheKeyring)
{
    EXPECT_FALSE(googleoauthclient::currentClient());
    ASSERT_TRUE(googleoauthclient::storeClient({kClientId, kClientSecret}));
    EXPECT_EQ(UserDefaults::standard().stringForKey(googlekeys::googleOAuthClientID), kClientId);
    std::optional<GoogleOAuthClient> client = googleoauthclient::currentClient();
    ASSERT_TRUE(client);
    EXPECT_EQ(client->clientSecret, kClientSecret);

    // Another client replaces the first, whose secret goes.
    const QString otherId = QStringLiteral("other.apps.loopback");
    ASSERT_TRUE(googleoauthclient::storeClient({otherId, QStringLiteral("other secret")}));
    EXPECT_EQ(keychain::readPassword(genericItemRef(googleoauthclient::kKeychainService, kClientId))
                  .result.status,
              KeychainStatus::ItemNotFound);
    client = googleoauthclient::currentClient();
    ASSERT_TRUE(client);
    EXPECT_EQ(client->clientId, otherId);

    googleoauthclient::clearClient();
    EXPECT_FALSE(googleoauthclient::currentClient());
    EXPECT_EQ(keychain::readPassword(genericItemRef(googleoauthclient::kKeychainService, otherId))
                  .result.status,
              KeychainStatus::ItemNotFound);
}

TEST(GoogleClientFile, OnlyADesktopClientWithIdAndSecretIsRead)
{
    struct Case
    {
        const char *label;
        QByteArray contents;
        bool read;
    };
    const Case cases[] = {
        {"a desktop client",
         R"({"installed": {"client_id": "id.apps", "client_secret": "s3", "auth_uri": "x",
            "redirect_uris": ["http://localhost"]}})",
         true},
        {"not JSON", "client_id=id.apps", false},
        {"cut short", R"({"installed": {"client_id": "id.apps", "client_se)", false},
        {"a web client", R"({"web": {"client_id": "id.apps", "client_secret": "s3"}})", false},
        {"no secret", R"({"installed": {"client_id": "id.apps"}})", false},
        {"an empty ID", R"({"installed": {"client_id": " ", "client_secret": "s3"}})", false},
        {"a list", R"([{"installed": {}}])", false},
        {"empty", "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QString why;
        const std::optional<GoogleOAuthClient> client =
            googleoauthclient::readClientFile(c.contents, &why);
        EXPECT_EQ(bool(client), c.read);
        EXPECT_EQ(why.isEmpty(), c.read);
        if (client) {
            EXPECT_EQ(client->clientId, QStringLiteral("id.apps"));
            EXPECT_EQ(client->clientSecret, QStringLiteral("s3"));
        }
    }
}

} // namespace
