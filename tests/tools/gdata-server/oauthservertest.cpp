// The loopback server's sign-in: the authorization endpoint and its consent page, the token
// endpoint with PKCE, refresh and revocation, spoken to as an installed application would.

#include "tests/tools/gdata-server/peopleserverfixture.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QThread>
#include <QUrlQuery>

namespace {

const QString kVerifier = QStringLiteral("verifier-0123456789-abcdefghijklmnopqrstuvwxyz-ABCDEF");
const QString kScope = QStringLiteral("https://www.googleapis.com/auth/contacts openid email");

QString challengeOf(const QString &verifier)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(verifier.toLatin1(), QCryptographicHash::Sha256)
            .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QJsonObject jwtClaims(const QString &token)
{
    return QJsonDocument::fromJson(QByteArray::fromBase64(token.split(u'.').value(1).toLatin1(),
                                                          QByteArray::Base64UrlEncoding))
        .object();
}

class OAuthServerTest : public PeopleServerTest
{
protected:
    void SetUp() override
    {
        PeopleServerTest::SetUp();
        accessToken.clear();
    }

    QUrlQuery authorizationQuery(const QString &redirect = QStringLiteral("http://127.0.0.1:5123/"))
    {
        QUrlQuery query;
        query.addQueryItem("client_id", kClientId);
        query.addQueryItem("redirect_uri", redirect);
        query.addQueryItem("response_type", "code");
        query.addQueryItem("scope", kScope);
        query.addQueryItem("state", "state-42");
        query.addQueryItem("code_challenge", challengeOf(kVerifier));
        query.addQueryItem("code_challenge_method", "S256");
        query.addQueryItem("login_hint", kPeopleUser);
        return query;
    }

    HttpTestReply authorize(const QUrlQuery &query)
    {
        QUrl target = url("/o/oauth2/v2/auth");
        target.setQuery(query);
        return httptest::send("GET", target);
    }

    // The redirect's query after a consent given at once.
    QUrlQuery consent(const QJsonObject &options = {})
    {
        QJsonObject all = options;
        all.insert("autoConsent", true);
        server.setOptions(all);
        const HttpTestReply reply = authorize(authorizationQuery());
        EXPECT_EQ(reply.status, 302) << reply.body.constData();
        return QUrlQuery(QUrl(QString::fromUtf8(reply.headers.value("location"))));
    }

    JsonReply post(const QString &path, const QUrlQuery &form)
    {
        const HttpTestReply reply =
            httptest::send("POST", url(path), form.toString(QUrl::FullyEncoded).toLatin1(),
                           {{"Content-Type", "application/x-www-form-urlencoded"}});
        return {reply.status, QJsonDocument::fromJson(reply.body).object(), reply.headers};
    }

    QUrlQuery exchange(const QString &code)
    {
        QUrlQuery form;
        form.addQueryItem("grant_type", "authorization_code");
        form.addQueryItem("code", code);
        form.addQueryItem("code_verifier", kVerifier);
        form.addQueryItem("client_id", kClientId);
        form.addQueryItem("client_secret", kClientSecret);
        form.addQueryItem("redirect_uri", "http://127.0.0.1:5123/");
        return form;
    }

    QUrlQuery refresh(const QString &token)
    {
        QUrlQuery form;
        form.addQueryItem("grant_type", "refresh_token");
        form.addQueryItem("refresh_token", token);
        form.addQueryItem("client_id", kClientId);
        form.addQueryItem("client_secret", kClientSecret);
        return form;
    }

    int listStatus(const QString &token)
    {
        accessToken = token.toLatin1();
        return call("GET", "/v1/people/me/connections?personFields=names").status;
    }
};

TEST_F(OAuthServerTest, CodeFlow_ThroughTheConsentPageToTokensRefreshAndRevocation)
{
    const HttpTestReply page = authorize(authorizationQuery());
    ASSERT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains("Allow"));
    EXPECT_TRUE(page.body.contains("Deny"));

    // What the page's form posts when the person allows.
    QUrlQuery decision = authorizationQuery();
    decision.addQueryItem("account", kPeopleUser);
    decision.addQueryItem("decision", "allow");
    for (const QString &scope : kScope.split(u' '))
        decision.addQueryItem("grant", scope);
    const JsonReply redirect = post("/o/oauth2/v2/auth/decision", decision);
    ASSERT_EQ(redirect.status, 302);
    const QUrl location(QString::fromUtf8(redirect.headers.value("location")));
    EXPECT_EQ(location.port(), 5123);
    const QUrlQuery answer(location);
    EXPECT_EQ(answer.queryItemValue("state"), "state-42");
    const QString code = answer.queryItemValue("code");
    ASSERT_FALSE(code.isEmpty());

    const JsonReply tokens = post("/token", exchange(code));
    ASSERT_EQ(tokens.status, 200) << QJsonDocument(tokens.body).toJson().constData();
    const QString refreshToken = tokens.body.value("refresh_token").toString();
    const QString access = tokens.body.value("access_token").toString();
    EXPECT_FALSE(refreshToken.isEmpty());
    EXPECT_EQ(tokens.body.value("token_type").toString(), "Bearer");
    EXPECT_EQ(tokens.body.value("expires_in").toInt(), 3599);
    EXPECT_TRUE(
        tokens.body.value("scope").toString().contains("https://www.googleapis.com/auth/contacts"));
    const QJsonObject claims = jwtClaims(tokens.body.value("id_token").toString());
    EXPECT_EQ(claims.value("email").toString(), kPeopleUser);
    EXPECT_EQ(claims.value("aud").toString(), kClientId);
    EXPECT_EQ(listStatus(access), 200);

    // The code is good once.
    EXPECT_EQ(post("/token", exchange(code)).body.value("error").toString(), "invalid_grant");

    const JsonReply renewed = post("/token", refresh(refreshToken));
    ASSERT_EQ(renewed.status, 200);
    EXPECT_FALSE(renewed.body.contains("refresh_token"));
    EXPECT_EQ(listStatus(renewed.body.value("access_token").toString()), 200);

    QUrlQuery revoke;
    revoke.addQueryItem("token", refreshToken);
    EXPECT_EQ(post("/revoke", revoke).status, 200);
    EXPECT_EQ(listStatus(access), 401);
    const JsonReply refused = post("/token", refresh(refreshToken));
    EXPECT_EQ(refused.status, 400);
    EXPECT_EQ(refused.body.value("error").toString(), "invalid_grant");

    // No secret of the flow is kept in the request log.
    const QString log = QString::fromUtf8(QJsonDocument(server.requestLog()).toJson());
    for (const QString &secret : {kClientSecret, code, refreshToken, access, kVerifier})
        EXPECT_FALSE(log.contains(secret)) << secret.toStdString();
}

TEST_F(OAuthServerTest, Authorization_RefusesBadClientsRedirectsAndChallenges)
{
    struct Case
    {
        const char *label;
        const char *key;
        QString value;
        int expected;
    };
    const Case cases[] = {
        {"any loopback port", "redirect_uri", "http://127.0.0.1:61000/", 302},
        {"IPv6 loopback", "redirect_uri", "http://[::1]:61000/", 302},
        {"unknown client", "client_id", "nobody.apps.loopback", 401},
        {"a host of the network", "redirect_uri", "http://192.0.2.1:5123/", 400},
        {"https elsewhere", "redirect_uri", "https://example.com/callback", 400},
        {"a plain challenge", "code_challenge_method", "plain", 400},
        {"no challenge", "code_challenge", "", 400},
        {"another response type", "response_type", "token", 400},
    };
    server.setOptions({{"autoConsent", true}});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QUrlQuery query = authorizationQuery();
        query.removeAllQueryItems(QLatin1String(c.key));
        query.addQueryItem(QLatin1String(c.key), c.value);
        const HttpTestReply reply = authorize(query);
        EXPECT_EQ(reply.status, c.expected);
        if (c.expected != 302) {
            EXPECT_FALSE(reply.headers.contains("location"));
        }
    }
}

TEST_F(OAuthServerTest, Consent_DeniedOrNarrowedOrByAnotherAccount)
{
    server.addAccount(QStringLiteral("other@example.com"), QStringLiteral("x"));
    const QUrlQuery denied = consent({{"consentDenied", true}});
    EXPECT_EQ(denied.queryItemValue("error"), "access_denied");
    EXPECT_EQ(denied.queryItemValue("state"), "state-42");
    EXPECT_FALSE(denied.hasQueryItem("code"));

    // The contacts box unticked: the grant works, but not for contacts.
    const QUrlQuery narrow = consent({{"consentDenied", false}, {"consentScopes", "openid email"}});
    const JsonReply narrowTokens = post("/token", exchange(narrow.queryItemValue("code")));
    ASSERT_EQ(narrowTokens.status, 200);
    EXPECT_FALSE(narrowTokens.body.value("scope").toString().contains("auth/contacts"));
    EXPECT_EQ(listStatus(narrowTokens.body.value("access_token").toString()), 403);

    const QUrlQuery other =
        consent({{"consentScopes", ""}, {"consentAccount", "other@example.com"}});
    const JsonReply otherTokens = post("/token", exchange(other.queryItemValue("code")));
    ASSERT_EQ(otherTokens.status, 200);
    EXPECT_EQ(jwtClaims(otherTokens.body.value("id_token").toString()).value("email"),
              "other@example.com");
}

TEST_F(OAuthServerTest, TokenExchange_RefusesWhatDoesNotMatchTheCode)
{
    struct Case
    {
        const char *label;
        const char *key;
        QString value;
        int expected;
        const char *error;
    };
    const Case cases[] = {
        {"a wrong verifier", "code_verifier", kVerifier + "x", 400, "invalid_grant"},
        {"a short verifier", "code_verifier", "short", 400, "invalid_grant"},
        {"a wrong secret", "client_secret", "guess", 401, "invalid_client"},
        {"another redirect", "redirect_uri", "http://127.0.0.1:5124/", 400,
         "redirect_uri_mismatch"},
        {"an unknown code", "code", "4/unknown", 400, "invalid_grant"},
        {"another grant type", "grant_type", "password", 400, "unsupported_grant_type"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QUrlQuery form = exchange(consent().queryItemValue("code"));
        form.removeAllQueryItems(QLatin1String(c.key));
        form.addQueryItem(QLatin1String(c.key), c.value);
        const JsonReply reply = post("/token", form);
        EXPECT_EQ(reply.status, c.expected);
        EXPECT_EQ(reply.body.value("error").toString(), QLatin1String(c.error));
        EXPECT_FALSE(reply.body.contains("access_token"));
    }
}

TEST_F(OAuthServerTest, AccessTokens_LiveAsLongAsAskedAndRefreshFaultsComeInGooglesForm)
{
    server.setOptions({{"accessTokenLifetime", 1}});
    const GDataTestServer::MintedToken minted = server.mintToken(kPeopleUser, kClientId);
    EXPECT_EQ(minted.expiresIn, 1);
    EXPECT_EQ(listStatus(minted.accessToken), 200);
    QThread::msleep(1100);
    EXPECT_EQ(listStatus(minted.accessToken), 401);
    const JsonReply renewed = post("/token", refresh(minted.refreshToken));
    ASSERT_EQ(renewed.status, 200);
    EXPECT_EQ(listStatus(renewed.body.value("access_token").toString()), 200);

    server.injectOAuthError(QStringLiteral("/token"), 400, QStringLiteral("invalid_grant"));
    const JsonReply refused = post("/token", refresh(minted.refreshToken));
    EXPECT_EQ(refused.status, 400);
    EXPECT_EQ(refused.body.value("error").toString(), "invalid_grant");
    EXPECT_EQ(post("/token", refresh(minted.refreshToken)).status, 200); // the fault is used up

    // A refresh token of one client is no good to another.
    server.registerOAuthClient(QStringLiteral("other.apps.loopback"), QStringLiteral("s2"));
    QUrlQuery foreign = refresh(minted.refreshToken);
    foreign.removeAllQueryItems("client_id");
    foreign.removeAllQueryItems("client_secret");
    foreign.addQueryItem("client_id", "other.apps.loopback");
    foreign.addQueryItem("client_secret", "s2");
    EXPECT_EQ(post("/token", foreign).body.value("error").toString(), "invalid_grant");

    // Revoked from the control endpoint, as a user removing the program's access would.
    server.expireTokens(kPeopleUser, true);
    EXPECT_EQ(post("/token", refresh(minted.refreshToken)).body.value("error").toString(),
              "invalid_grant");
}

TEST(OAuthServerStateTest, StateFile_KeepsClientsGrantsAndPeopleJsonAcrossRestarts)
{
    QTemporaryDir dir;
    GDataTestServer server;
    ASSERT_TRUE(server.start({QStringLiteral("--state"), dir.filePath("state.json"),
                              QStringLiteral("--oauth-client"),
                              kClientId + QLatin1Char(':') + kClientSecret}));
    server.addAccount(kPeopleUser, QStringLiteral("unused"));
    const GDataTestServer::MintedToken minted = server.mintToken(kPeopleUser, kClientId);
    const QString name =
        server.seedPerson(kPeopleUser, {{"birthdays", QJsonArray{QJsonObject{{"text", "1 May"}}}}});
    ASSERT_TRUE(server.restart());
    const QJsonArray birthdays{QJsonObject{{"text", "1 May"}}};
    EXPECT_EQ(server.peopleJson(kPeopleUser, name).value("birthdays"), birthdays);
    QUrlQuery form;
    form.addQueryItem("grant_type", "refresh_token");
    form.addQueryItem("refresh_token", minted.refreshToken);
    form.addQueryItem("client_id", kClientId);
    form.addQueryItem("client_secret", kClientSecret);
    const HttpTestReply reply =
        httptest::send("POST", QUrl(server.baseUrl().toString() + "/token"),
                       form.toString(QUrl::FullyEncoded).toLatin1(),
                       {{"Content-Type", "application/x-www-form-urlencoded"}});
    EXPECT_EQ(reply.status, 200) << reply.body.constData();
}

TEST(OAuthServerDemoTest, Demo_RegistersAClientForItsAccount)
{
    GDataTestServer server;
    ASSERT_TRUE(server.start({QStringLiteral("--demo")}));
    const QString client = QStringLiteral("demo-client.apps.loopback");
    const GDataTestServer::MintedToken minted =
        server.mintToken(QStringLiteral("demo@example.com"), client);
    for (const char *secret : {"demo-secret", "wrong"}) {
        SCOPED_TRACE(secret);
        QUrlQuery form;
        form.addQueryItem("grant_type", "refresh_token");
        form.addQueryItem("refresh_token", minted.refreshToken);
        form.addQueryItem("client_id", client);
        form.addQueryItem("client_secret", QLatin1String(secret));
        const HttpTestReply reply =
            httptest::send("POST", QUrl(server.baseUrl().toString() + "/token"),
                           form.toString(QUrl::FullyEncoded).toLatin1(),
                           {{"Content-Type", "application/x-www-form-urlencoded"}});
        EXPECT_EQ(reply.status, qstrcmp(secret, "wrong") ? 200 : 401);
    }
}

} // namespace
