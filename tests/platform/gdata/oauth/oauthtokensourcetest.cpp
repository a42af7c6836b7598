// Access tokens at run time: renewed before they run out and once when the API refuses one, one
// renewal at a time for every request waiting, a refused grant as 403, a renewed refresh token
// handed back for the keychain.

#include "platform/gdata/oauth/oauthtokensource.h"
#include "platform/gdata/oauth/oauthauthorizedrequest.h"
#include "tests/platform/gdata/oauth/oauthclientfixture.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

const QString kListPath = QStringLiteral("/v1/people/me/connections?personFields=names");

class OAuthTokenSourceTest : public OAuthClientTest
{
protected:
    void SetUp() override
    {
        OAuthClientTest::SetUp();
        tokens.setEndpoints(endpoints());
        tokens.setClient(kOAuthClientId, kOAuthClientSecret);
    }

    QString mintedCredential()
    {
        const GDataTestServer::MintedToken minted = server.mintToken(kOAuthUser, kOAuthClientId);
        return serializeOAuthCredential({kOAuthClientId, minted.refreshToken, {}});
    }

    std::optional<GDataError> authorize(QString *token = nullptr)
    {
        bool done = false;
        std::optional<GDataError> result;
        tokens.authorize([&](const std::optional<GDataError> &error, const QString &given) {
            result = error;
            if (token)
                *token = given;
            done = true;
        });
        EXPECT_TRUE(waitFor(done));
        return result;
    }

    struct Outcome
    {
        std::optional<GDataError> error;
        int status = 0;
    };

    Outcome list()
    {
        bool done = false;
        Outcome outcome;
        OAuthAuthorizedRequest::send(&tokens, &network, {"GET", apiUrl(kListPath), {}, {}},
                                     [&](const std::optional<GDataError> &error,
                                         const OAuthAuthorizedRequest::Answer &answer) {
                                         outcome = {error, answer.status};
                                         done = true;
                                     });
        EXPECT_TRUE(waitFor(done));
        return outcome;
    }

    int refreshes() { return int(server.requestsTo(QStringLiteral("/token")).size()); }
    int lists()
    {
        return int(server.requestsTo(QStringLiteral("/v1/people/me/connections")).size());
    }

    OAuthTokenSource tokens{&network};
};

TEST_F(OAuthTokenSourceTest, Renewal_WhenUnderAMinuteIsLeft)
{
    struct Case
    {
        int lifetimeSeconds;
        int pauseMs;           // between the first and the second authorization
        int expectedRefreshes; // for both together
    };
    const Case cases[] = {
        {3599, 0, 1},  // the first finds no token, the second the one it got
        {59, 0, 2},    // a token of under a minute is never used as it is
        {62, 2500, 2}, // good for the first, under a minute left for the second
        {62, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.lifetimeSeconds << " s, pause " << c.pauseMs);
        server.setOptions({{"accessTokenLifetime", c.lifetimeSeconds}});
        tokens.setCredentialText(mintedCredential());
        server.clearRequestLog();
        QString first;
        QString second;
        EXPECT_FALSE(authorize(&first));
        QThread::msleep(c.pauseMs);
        EXPECT_FALSE(authorize(&second));
        EXPECT_FALSE(first.isEmpty());
        EXPECT_EQ(first == second, c.expectedRefreshes == 1);
        EXPECT_EQ(refreshes(), c.expectedRefreshes);
        EXPECT_EQ(list().status, 200);
    }
}

TEST_F(OAuthTokenSourceTest, Authorization_OneRenewalForEveryRequestWaiting)
{
    tokens.setCredentialText(mintedCredential());
    server.clearRequestLog();
    // The token endpoint answers slowly, so that the requests all arrive during its renewal.
    server.injectFault(QStringLiteral("/token"), 0, 1, 300);
    constexpr int kRequests = 6;
    int done = 0;
    int succeeded = 0;
    for (int i = 0; i < kRequests; ++i)
        OAuthAuthorizedRequest::send(&tokens, &network, {"GET", apiUrl(kListPath), {}, {}},
                                     [&](const std::optional<GDataError> &error,
                                         const OAuthAuthorizedRequest::Answer &answer) {
                                         ++done;
                                         succeeded += !error && answer.status == 200;
                                     });
    QDeadlineTimer deadline(30000);
    while (done < kRequests && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    EXPECT_EQ(succeeded, kRequests);
    EXPECT_EQ(refreshes(), 1);
    EXPECT_EQ(lists(), kRequests);

    // Expired all at once: every request meets a 401, and still one renewal serves them all.
    server.expireTokens(kOAuthUser);
    server.clearRequestLog();
    done = succeeded = 0;
    for (int i = 0; i < kRequests; ++i)
        OAuthAuthorizedRequest::send(&tokens, &network, {"GET", apiUrl(kListPath), {}, {}},
                                     [&](const std::optional<GDataError> &error,
                                         const OAuthAuthorizedRequest::Answer &answer) {
                                         ++done;
                                         succeeded += !error && answer.status == 200;
                                     });
    deadline.setRemainingTime(30000);
    while (done < kRequests && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    EXPECT_EQ(succeeded, kRequests);
    EXPECT_EQ(refreshes(), 1);
    EXPECT_EQ(lists(), 2 * kRequests);
}

TEST_F(OAuthTokenSourceTest, Request_A401RenewsOnceAndGoesOnceMore)
{
    struct Case
    {
        const char *label;
        int unauthorizedAnswers; // 401s the API gives in a row
        int expectedCode;        // 0: success
        int expectedLists;
    };
    const Case cases[] = {
        {"an expired token", 1, 0, 2},
        {"refused again after the renewal", 2, 403, 2},
        {"refused every time", 5, 403, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        server.clearFaults();
        tokens.setCredentialText(mintedCredential());
        EXPECT_FALSE(authorize());
        server.clearRequestLog();
        server.injectFault(QStringLiteral("/v1/people/me/connections"), 401, c.unauthorizedAnswers);
        const Outcome outcome = list();
        EXPECT_EQ(outcome.error ? outcome.error->code : 0, c.expectedCode);
        EXPECT_EQ(lists(), c.expectedLists);
        EXPECT_EQ(refreshes(), 1);
    }
}

TEST_F(OAuthTokenSourceTest, Authorization_RefusedGrantsAre403AndOutagesKeepTheirStatus)
{
    struct Case
    {
        const char *label;
        std::function<void(GDataTestServer &)> arrange;
        bool storedCredential;
        int expectedCode;
        int expectedRefreshes;
    };
    const Case cases[] = {
        {"invalid_grant",
         [](GDataTestServer &s) {
             s.injectOAuthError(QStringLiteral("/token"), 400, QStringLiteral("invalid_grant"));
         },
         true, 403, 1},
        {"the grant revoked", [](GDataTestServer &s) { s.expireTokens(kOAuthUser, true); }, true,
         403, 1},
        {"the token endpoint failing",
         [](GDataTestServer &s) { s.injectFault(QStringLiteral("/token"), 503); }, true, 503, 1},
        {"no credential stored", [](GDataTestServer &) {}, false, 403, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        tokens.setCredentialText(c.storedCredential ? mintedCredential() : QString());
        server.clearRequestLog();
        c.arrange(server);
        QString token = QStringLiteral("unset");
        const std::optional<GDataError> error = authorize(&token);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->code, c.expectedCode);
        EXPECT_EQ(refreshes(), c.expectedRefreshes);
        EXPECT_TRUE(token.isEmpty());
        server.clearFaults();
    }
}

TEST_F(OAuthTokenSourceTest, Credential_AnOldPasswordOrAnotherClientsGrantIsRefusedUnsent)
{
    server.registerOAuthClient(QStringLiteral("other.apps.loopback"), QStringLiteral("s2"));
    const GDataTestServer::MintedToken foreign =
        server.mintToken(kOAuthUser, QStringLiteral("other.apps.loopback"));
    for (const QString &text :
         {QStringLiteral("the old password"),
          serializeOAuthCredential(
              {QStringLiteral("other.apps.loopback"), foreign.refreshToken, {}})}) {
        SCOPED_TRACE(text.toStdString());
        tokens.setCredentialText(text);
        server.clearRequestLog();
        EXPECT_FALSE(tokens.hasCredential());
        const Outcome outcome = list();
        ASSERT_TRUE(outcome.error);
        EXPECT_EQ(outcome.error->code, 403);
        EXPECT_EQ(refreshes(), 0);
        EXPECT_EQ(lists(), 0);
    }
}

// A token endpoint that hands out a new refresh token with its access token, as Google may.
class RotatingTokenEndpoint
{
public:
    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/token").arg(m_server.serverPort()));
    }

    void answer(const QByteArray &json)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this, json] {
            QTcpSocket *socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, json] {
                m_received += socket->readAll();
                if (!m_received.contains("\r\n\r\n") || !m_received.contains("grant_type"))
                    return;
                socket->write(
                    "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                    QByteArray::number(json.size()) + "\r\nConnection: close\r\n\r\n" + json);
                socket->disconnectFromHost();
            });
        });
    }
    QByteArray received() const { return m_received; }

private:
    QTcpServer m_server;
    QByteArray m_received;
};

TEST_F(OAuthTokenSourceTest, Renewal_ANewRefreshTokenGoesToTheCallbackOnce)
{
    RotatingTokenEndpoint endpoint;
    ASSERT_TRUE(endpoint.listen());
    endpoint.answer(
        R"({"access_token":"ya29.new","expires_in":3599,"refresh_token":"1//rotated+&=","scope":"https://www.googleapis.com/auth/contacts"})");
    OAuthEndpoints rotating = endpoints();
    rotating.token = endpoint.url();
    tokens.setEndpoints(rotating);
    tokens.setCredentialText(serializeOAuthCredential({kOAuthClientId, "1//old+/&", "openid"}));
    std::vector<OAuthCredential> renewed;
    tokens.setCredentialRenewed([&](const OAuthCredential &c) { renewed.push_back(c); });

    QString token;
    EXPECT_FALSE(authorize(&token));
    EXPECT_EQ(token, "ya29.new");
    ASSERT_EQ(renewed.size(), 1u);
    EXPECT_EQ(renewed[0].clientId, kOAuthClientId);
    EXPECT_EQ(renewed[0].refreshToken, "1//rotated+&=");
    EXPECT_EQ(renewed[0].scope, "https://www.googleapis.com/auth/contacts");
    // The old token went form-encoded whole, so its '+', '/' and '&' arrived as written.
    EXPECT_TRUE(endpoint.received().contains("refresh_token=1%2F%2Fold%2B%2F%26"))
        << endpoint.received().constData();
}

} // namespace

TEST_F(OAuthTokenSourceTest, Request_AWriteWhoseAnswerIsLostIsNotSentAgain)
{
    tokens.setCredentialText(mintedCredential());
    EXPECT_FALSE(authorize());
    server.clearRequestLog();
    const QString createPath = QStringLiteral("/v1/people:createContact");
    server.injectApplyThenDrop(createPath, 1);
    bool done = false;
    std::optional<GDataError> result;
    const QByteArray person = R"({"names": [{"unstructuredName": "Once Only"}]})";
    OAuthAuthorizedRequest::send(
        &tokens, &network,
        {"POST", apiUrl(createPath + QStringLiteral("?personFields=names")), person,
         "application/json"},
        [&](const std::optional<GDataError> &error, const OAuthAuthorizedRequest::Answer &) {
            result = error;
            done = true;
        });
    ASSERT_TRUE(waitFor(done));
    EXPECT_TRUE(result.has_value());
    EXPECT_EQ(server.requestsTo(createPath).size(), 1);
}
