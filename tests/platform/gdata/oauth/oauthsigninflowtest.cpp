// The browser sign-in end to end against the loopback server: a scripted browser fetches the
// authorization page (answered at once) and follows its redirect to the flow's listener.

#include "platform/gdata/oauth/oauthauthorizedrequest.h"
#include "platform/gdata/oauth/oauthinstalledappflow.h"
#include "platform/gdata/oauth/oauthpkce.h"
#include "platform/gdata/oauth/oauthtokensource.h"
#include "tests/platform/gdata/oauth/oauthclientfixture.h"
#include "tests/support/httptestclient.h"
#include "tests/support/logcapture.h"

#include <QNetworkInterface>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

namespace {

// What the scripted browser does with the page it is sent to.
enum class Browser {
    Follows,         // fetches the page and follows the redirect
    AltersState,     // follows a redirect whose state is not the flow's
    AltersChallenge, // asks with a challenge of another verifier
    StaysClosed,     // never loads the page
    FailsToOpen,
};

QUrl withItem(QUrl url, const QString &key, const QString &value)
{
    QUrlQuery query(url);
    query.removeAllQueryItems(key);
    query.addQueryItem(key, value);
    url.setQuery(query);
    return url;
}

class OAuthSignInFlowTest : public OAuthClientTest
{
protected:
    struct Run
    {
        OAuthSignInResult result;
        QUrl opened;
        int listenerStatus = 0; // the listener's answer to the redirect
        QString code;           // what the redirect carried
        QByteArray listenerPage;
        int opens = 0;
    };

    OAuthInstalledAppFlow::Settings settings(Browser browser, Run &run)
    {
        OAuthInstalledAppFlow::Settings s;
        s.endpoints = endpoints();
        s.clientId = kOAuthClientId;
        s.clientSecret = kOAuthClientSecret;
        s.account = kOAuthUser;
        s.timeoutMs = 1500;
        s.opener = [browser, &run](const QUrl &url) {
            ++run.opens;
            run.opened = url;
            if (browser == Browser::FailsToOpen)
                return false;
            if (browser != Browser::StaysClosed)
                QTimer::singleShot(0, [browser, url, &run] { browse(browser, url, run); });
            return true;
        };
        return s;
    }

    static void browse(Browser browser, QUrl url, Run &run)
    {
        if (browser == Browser::AltersChallenge)
            url = withItem(url, QStringLiteral("code_challenge"),
                           oauthCodeChallenge(makeOAuthCodeVerifier()));
        const HttpTestReply page = httptest::send("GET", url);
        ASSERT_EQ(page.status, 302) << page.body.constData();
        QUrl redirect(QString::fromUtf8(page.headers.value("location")));
        if (browser == Browser::AltersState)
            redirect = withItem(redirect, QStringLiteral("state"), QStringLiteral("forged"));
        run.code = QUrlQuery(redirect).queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded);
        const HttpTestReply answer = httptest::send("GET", redirect);
        run.listenerStatus = answer.status;
        run.listenerPage = answer.body;
    }

    Run signIn(OAuthInstalledAppFlow::Settings s)
    {
        Run run;
        bool done = false;
        flow.start(s, [&](const OAuthSignInResult &result) {
            run.result = result;
            done = true;
        });
        EXPECT_TRUE(waitFor(done));
        return run;
    }

    Run signIn(Browser browser)
    {
        Run scratch;
        Run run = signIn(settings(browser, scratch));
        run.opened = scratch.opened;
        run.listenerStatus = scratch.listenerStatus;
        run.listenerPage = scratch.listenerPage;
        run.opens = scratch.opens;
        return run;
    }

    int listWith(const OAuthCredential &credential)
    {
        OAuthTokenSource tokens(&network);
        tokens.setEndpoints(endpoints());
        tokens.setClient(kOAuthClientId, kOAuthClientSecret);
        tokens.setCredentialText(serializeOAuthCredential(credential));
        bool done = false;
        int status = 0;
        OAuthAuthorizedRequest::send(
            &tokens, &network,
            {"GET", apiUrl(QStringLiteral("/v1/people/me/connections?personFields=names")), {}, {}},
            [&](const std::optional<GDataError> &error,
                const OAuthAuthorizedRequest::Answer &answer) {
                status = error ? error->code : answer.status;
                done = true;
            });
        EXPECT_TRUE(waitFor(done));
        return status;
    }

    OAuthInstalledAppFlow flow{&network};
};

TEST_F(OAuthSignInFlowTest, SignIn_EachWayItEnds)
{
    server.addAccount(QStringLiteral("other@example.com"), QStringLiteral("x"));
    struct Case
    {
        const char *label;
        Browser browser;
        QJsonObject consent; // the server's answer for the person
        QString secret;      // empty: the right one
        bool tokenEndpointDrops;
        std::optional<OAuthSignInFailure> failure;
        int listenerStatus; // 0: no redirect reached it
    };
    using F = OAuthSignInFailure;
    const QString wrong = QStringLiteral("guess");
    // clang-format off
    const Case cases[] = {
        {"allowed",                     Browser::Follows,         {},                                        {},    false, std::nullopt,       200},
        {"denied",                      Browser::Follows,         {{"consentDenied", true}},                 {},    false, F::Denied,          200},
        {"a wrong state, then time-out",Browser::AltersState,     {},                                        {},    false, F::TimedOut,        400},
        {"a wrong verifier",            Browser::AltersChallenge, {},                                        {},    false, F::Refused,         200},
        {"a wrong secret",              Browser::Follows,         {},                                        wrong, false, F::Refused,         200},
        {"another account",             Browser::Follows,         {{"consentAccount", "other@example.com"}}, {},    false, F::OtherAccount,    200},
        {"the contacts scope unticked", Browser::Follows,         {{"consentScopes", "openid email"}},       {},    false, F::ScopeNotGranted, 200},
        {"the browser never answering", Browser::StaysClosed,     {},                                        {},    false, F::TimedOut,        0},
        {"no browser to open",          Browser::FailsToOpen,     {},                                        {},    false, F::BrowserFailed,   0},
        {"the token endpoint unreached",Browser::Follows,         {},                                        {},    true,  F::Network,         200},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QJsonObject options{{"autoConsent", true},
                            {"consentDenied", false},
                            {"consentScopes", ""},
                            {"consentAccount", ""}};
        for (auto it = c.consent.begin(); it != c.consent.end(); ++it)
            options.insert(it.key(), it.value());
        server.setOptions(options);
        Run scratch;
        OAuthInstalledAppFlow::Settings s = settings(c.browser, scratch);
        if (!c.secret.isEmpty())
            s.clientSecret = c.secret;
        // Qt Network sends a request once more by itself when a kept-alive connection closes
        // unanswered: every try is dropped.
        if (c.tokenEndpointDrops)
            server.injectFault(QStringLiteral("/token"), 0, 3, 0, true);
        Run run = signIn(s);
        EXPECT_EQ(scratch.opens, 1);
        EXPECT_EQ(scratch.listenerStatus, c.listenerStatus);
        EXPECT_EQ(run.result.failure, c.failure) << run.result.message.toStdString();
        if (c.failure) {
            EXPECT_FALSE(run.result.message.isEmpty());
            EXPECT_TRUE(run.result.credential.refreshToken.isEmpty());
            continue;
        }
        EXPECT_TRUE(scratch.listenerPage.contains("You may close this tab"));
        EXPECT_EQ(run.result.email, kOAuthUser);
        EXPECT_EQ(run.result.credential.clientId, kOAuthClientId);
        EXPECT_TRUE(run.result.credential.scope.contains(QLatin1String(kOAuthContactsScope)));
        EXPECT_EQ(listWith(run.result.credential), 200) << "the fetch with the credential";
    }
}

TEST_F(OAuthSignInFlowTest, SignIn_AsksWithAProofKeyAndAListenerOnTheLoopbackAlone)
{
    server.setOptions({{"autoConsent", true}});
    LogCapture log;
    Run scratch;
    OAuthInstalledAppFlow::Settings s = settings(Browser::Follows, scratch);
    const Run run = signIn(s);
    ASSERT_FALSE(run.result.failure) << run.result.message.toStdString();

    const QUrlQuery asked(scratch.opened);
    EXPECT_EQ(scratch.opened.adjusted(QUrl::RemoveQuery), endpoints().authorization);
    const QUrl redirect(asked.queryItemValue("redirect_uri", QUrl::FullyDecoded));
    EXPECT_EQ(redirect.scheme(), "http");
    EXPECT_EQ(redirect.host(), "127.0.0.1");
    EXPECT_GT(redirect.port(), 0);
    EXPECT_EQ(asked.queryItemValue("code_challenge_method"), "S256");
    EXPECT_EQ(asked.queryItemValue("code_challenge").size(), 43);
    EXPECT_EQ(asked.queryItemValue("response_type"), "code");
    EXPECT_EQ(asked.queryItemValue("login_hint", QUrl::FullyDecoded), kOAuthUser);
    EXPECT_EQ(asked.queryItemValue("prompt"), "consent");
    EXPECT_EQ(asked.queryItemValue("scope", QUrl::FullyDecoded),
              "https://www.googleapis.com/auth/contacts openid email");

    // One request answered: the listener is gone once it has its answer.
    QTcpSocket again;
    again.connectToHost(QHostAddress::LocalHost, quint16(redirect.port()));
    EXPECT_FALSE(again.waitForConnected(1000));

    // Two sign-ins never share a port or a state.
    Run second;
    const Run next = signIn(settings(Browser::Follows, second));
    ASSERT_FALSE(next.result.failure);
    const QUrlQuery askedAgain(second.opened);
    EXPECT_NE(askedAgain.queryItemValue("state"), asked.queryItemValue("state"));
    EXPECT_NE(askedAgain.queryItemValue("code_challenge"), asked.queryItemValue("code_challenge"));

    // Nothing a thief could use is in the log.
    const QString lines = log.lines().join(u'\n');
    EXPECT_TRUE(lines.contains(QLatin1String("OAuth sign-in of"))) << "the log was captured";
    for (const QString &secret : {run.result.credential.refreshToken, run.result.accessToken,
                                  kOAuthClientSecret, next.result.credential.refreshToken,
                                  asked.queryItemValue("state"), scratch.code, second.code}) {
        ASSERT_FALSE(secret.isEmpty());
        EXPECT_FALSE(lines.contains(secret)) << secret.toStdString();
    }
}

TEST_F(OAuthSignInFlowTest, Listener_WaitsOnlyOnTheLoopbackAndOnlyForItsAnswer)
{
    Run scratch;
    OAuthInstalledAppFlow::Settings s = settings(Browser::StaysClosed, scratch);
    s.timeoutMs = 4000;
    bool done = false;
    OAuthSignInResult result;
    flow.start(s, [&](const OAuthSignInResult &r) {
        result = r;
        done = true;
    });
    const QUrl redirect(
        QUrlQuery(scratch.opened).queryItemValue("redirect_uri", QUrl::FullyDecoded));
    const quint16 port = quint16(redirect.port());
    ASSERT_GT(port, 0);

    // Not reachable from the network: every address of this machine but the loopback.
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        SCOPED_TRACE(address.toString().toStdString());
        QTcpSocket outside;
        outside.connectToHost(address, port);
        EXPECT_FALSE(outside.waitForConnected(1000));
    }

    struct Case
    {
        const char *label;
        QString pathAndQuery;
    };
    const QString state = QUrlQuery(scratch.opened).queryItemValue("state", QUrl::FullyDecoded);
    const Case refused[] = {
        {"the browser's icon", QStringLiteral("/favicon.ico")},
        {"no state", QStringLiteral("/?code=4/abc")},
        {"a forged state", QStringLiteral("/?code=4/abc&state=forged")},
        {"the state on another path", QStringLiteral("/elsewhere?code=4/abc&state=") + state},
    };
    for (const Case &c : refused) {
        SCOPED_TRACE(c.label);
        const HttpTestReply reply = httptest::send(
            "GET", QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(c.pathAndQuery)));
        EXPECT_EQ(reply.status, 400);
        EXPECT_FALSE(done);
    }
    // A connection that never sends a whole request holds nothing up.
    QTcpSocket idle;
    idle.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(idle.waitForConnected(1000));
    idle.write("GET /?state=");

    // The answer with the right state ends the wait, here as a denial.
    const HttpTestReply answer = httptest::send(
        "GET", QUrl(QStringLiteral("http://127.0.0.1:%1/?error=access_denied&state=%2")
                        .arg(port)
                        .arg(QString::fromLatin1(QUrl::toPercentEncoding(state)))));
    EXPECT_EQ(answer.status, 200);
    ASSERT_TRUE(waitFor(done));
    EXPECT_EQ(result.failure, OAuthSignInFailure::Denied);
}

TEST_F(OAuthSignInFlowTest, SignIn_RefusesToStartWithoutABrowserOpener)
{
    Run scratch;
    OAuthInstalledAppFlow::Settings s = settings(Browser::Follows, scratch);
    s.opener = nullptr;
    server.clearRequestLog();
    const Run run = signIn(s);
    EXPECT_EQ(run.result.failure, OAuthSignInFailure::NoBrowser);
    EXPECT_FALSE(run.result.message.isEmpty());
    EXPECT_TRUE(server.requestLog().isEmpty());
}

TEST_F(OAuthSignInFlowTest, SignIn_CancelledWhileTheBrowserIsOpen)
{
    Run scratch;
    OAuthInstalledAppFlow::Settings s = settings(Browser::StaysClosed, scratch);
    s.timeoutMs = 60000;
    bool done = false;
    OAuthSignInResult result;
    flow.start(s, [&](const OAuthSignInResult &r) {
        result = r;
        done = true;
    });
    QTimer::singleShot(50, &flow, [this] { flow.cancel(); });
    ASSERT_TRUE(waitFor(done, 5000));
    EXPECT_EQ(result.failure, OAuthSignInFailure::Cancelled);
    const QUrl redirect(
        QUrlQuery(scratch.opened).queryItemValue("redirect_uri", QUrl::FullyDecoded));
    QTcpSocket late;
    late.connectToHost(QHostAddress::LocalHost, quint16(redirect.port()));
    EXPECT_FALSE(late.waitForConnected(1000)) << "the listener closed with the cancel";
}

TEST_F(OAuthSignInFlowTest, SignInAgain_RevokesTheReplacedGrant)
{
    server.setOptions({{"autoConsent", true}});
    const GDataTestServer::MintedToken old = server.mintToken(kOAuthUser, kOAuthClientId);
    ASSERT_EQ(listWith({kOAuthClientId, old.refreshToken, {}}), 200);
    Run scratch;
    OAuthInstalledAppFlow::Settings s = settings(Browser::Follows, scratch);
    s.previousRefreshToken = old.refreshToken;
    const Run run = signIn(s);
    ASSERT_FALSE(run.result.failure) << run.result.message.toStdString();
    EXPECT_EQ(server.requestsTo(QStringLiteral("/revoke")).size(), 1);
    EXPECT_EQ(listWith({kOAuthClientId, old.refreshToken, {}}), 403);
    EXPECT_EQ(listWith(run.result.credential), 200);

    // Revoking is best effort: a grant already gone does not spoil the new sign-in.
    Run again;
    OAuthInstalledAppFlow::Settings s2 = settings(Browser::Follows, again);
    s2.previousRefreshToken = old.refreshToken;
    const Run next = signIn(s2);
    EXPECT_FALSE(next.result.failure) << next.result.message.toStdString();
    EXPECT_EQ(listWith(next.result.credential), 200);
}

} // namespace
