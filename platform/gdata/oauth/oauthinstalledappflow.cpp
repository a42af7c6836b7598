#include "platform/gdata/oauth/oauthinstalledappflow.h"

#include "platform/gdata/oauth/oauthformpost.h"
#include "platform/gdata/oauth/oauthloopbacklistener.h"
#include "platform/gdata/oauth/oauthpkce.h"

#include <QJsonDocument>
#include <QUrlQuery>

namespace {

constexpr char kRequestedScope[] = "https://www.googleapis.com/auth/contacts openid email";
constexpr char kAccessDenied[] = "access_denied";

// The e-mail claim of an id_token. It came straight from the token endpoint over TLS, so its
// signature is not checked.
QString emailOfIdToken(const QString &idToken)
{
    const QStringList parts = idToken.split(u'.');
    if (parts.size() < 2)
        return {};
    const QByteArray payload =
        QByteArray::fromBase64(parts[1].toLatin1(), QByteArray::Base64UrlEncoding);
    return QJsonDocument::fromJson(payload).object().value(QLatin1String("email")).toString();
}

bool grantsContacts(const QString &scope)
{
    return scope.split(u' ', Qt::SkipEmptyParts).contains(QLatin1String(kOAuthContactsScope));
}

} // namespace

OAuthInstalledAppFlow::OAuthInstalledAppFlow(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent)
    , m_network(network)
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        fail(OAuthSignInFailure::TimedOut,
             QStringLiteral("The sign-in in your browser was not finished in time."));
    });
}

OAuthInstalledAppFlow::~OAuthInstalledAppFlow() = default;

void OAuthInstalledAppFlow::start(const Settings &settings, Done done)
{
    m_settings = settings;
    m_done = std::move(done);
    m_running = true;
    // A program that hands in no opener (the agent) never starts a browser behind the person.
    if (!m_settings.opener) {
        QTimer::singleShot(0, this, [this] {
            fail(OAuthSignInFailure::NoBrowser,
                 QStringLiteral("Signing in to Google needs the Tolvane application."));
        });
        return;
    }
    m_verifier = makeOAuthCodeVerifier();
    m_state = makeOAuthState();
    m_listener = std::make_unique<OAuthLoopbackListener>();
    if (!m_listener->listen(m_state, [this](const QUrlQuery &query) { answered(query); })) {
        QTimer::singleShot(0, this, [this] {
            fail(OAuthSignInFailure::NoListener,
                 QStringLiteral("Tolvane could not wait for your browser's answer: no local "
                                "port was free."));
        });
        return;
    }
    m_redirectUri = m_listener->redirectUri();
    m_timeout.start(m_settings.timeoutMs);
    qDebug("OAuth sign-in of %s: opening the browser, answer awaited on port %d",
           qPrintable(m_settings.account), m_redirectUri.port());
    if (!m_settings.opener(authorizationUrl())) {
        QTimer::singleShot(0, this, [this] {
            fail(OAuthSignInFailure::BrowserFailed,
                 QStringLiteral("Tolvane could not open your browser."));
        });
    }
}

void OAuthInstalledAppFlow::cancel()
{
    if (m_running)
        fail(OAuthSignInFailure::Cancelled, QStringLiteral("The sign-in was cancelled."));
}

QUrl OAuthInstalledAppFlow::authorizationUrl() const
{
    QUrlQuery query;
    const auto add = [&query](const char *name, const QString &value) {
        query.addQueryItem(QLatin1String(name),
                           QString::fromLatin1(QUrl::toPercentEncoding(value)));
    };
    add("client_id", m_settings.clientId);
    add("redirect_uri", m_redirectUri.toString());
    add("response_type", QStringLiteral("code"));
    add("scope", QLatin1String(kRequestedScope));
    add("state", m_state);
    add("code_challenge", oauthCodeChallenge(m_verifier));
    add("code_challenge_method", QStringLiteral("S256"));
    add("login_hint", m_settings.account);
    // So that Google hands out a refresh token at every sign-in, not only at the first.
    add("prompt", QStringLiteral("consent"));
    QUrl url = m_settings.endpoints.authorization;
    url.setQuery(query);
    return url;
}

void OAuthInstalledAppFlow::answered(const QUrlQuery &query)
{
    if (!m_running)
        return;
    // The browser step is over; the code exchange has its own request time-out.
    m_timeout.stop();
    m_listener->close();
    const QString error = query.queryItemValue(QStringLiteral("error"), QUrl::FullyDecoded);
    if (!error.isEmpty()) {
        fail(OAuthSignInFailure::Denied,
             error == QLatin1String(kAccessDenied)
                 ? QStringLiteral("You did not allow Tolvane to reach your Google contacts.")
                 : QStringLiteral("Google ended the sign-in (%1).").arg(error));
        return;
    }
    const QString code = query.queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded);
    if (code.isEmpty()) {
        fail(OAuthSignInFailure::Refused, QStringLiteral("Google's answer held no sign-in."));
        return;
    }
    exchange(code);
}

void OAuthInstalledAppFlow::exchange(const QString &code)
{
    const OAuthForm form{{QStringLiteral("grant_type"), QStringLiteral("authorization_code")},
                         {QStringLiteral("code"), code},
                         {QStringLiteral("code_verifier"), m_verifier},
                         {QStringLiteral("client_id"), m_settings.clientId},
                         {QStringLiteral("client_secret"), m_settings.clientSecret},
                         {QStringLiteral("redirect_uri"), m_redirectUri.toString()}};
    postOAuthForm(m_network, m_settings.endpoints.token, form, m_settings.requestTimeoutMs, this,
                  [this](const std::optional<GDataError> &error, const QJsonObject &answer) {
                      exchanged(error, answer);
                  });
}

void OAuthInstalledAppFlow::exchanged(const std::optional<GDataError> &error,
                                      const QJsonObject &answer)
{
    if (!m_running)
        return;
    if (error) {
        const bool unreached = error->domain == QLatin1String(kGDataErrorDomainNetwork);
        fail(unreached ? OAuthSignInFailure::Network : OAuthSignInFailure::Refused,
             unreached
                 ? QStringLiteral("Tolvane could not reach Google to finish the sign-in (%1).")
                       .arg(error->description)
                 : QStringLiteral("Google did not accept the sign-in (%1). Check the client file "
                                  "and sign in again.")
                       .arg(error->description),
             error);
        return;
    }
    OAuthSignInResult result;
    result.credential.clientId = m_settings.clientId;
    result.credential.refreshToken = answer.value(QLatin1String("refresh_token")).toString();
    result.credential.scope = answer.value(QLatin1String("scope")).toString();
    result.accessToken = answer.value(QLatin1String("access_token")).toString();
    result.email = emailOfIdToken(answer.value(QLatin1String("id_token")).toString());
    if (!grantsContacts(result.credential.scope)) {
        fail(OAuthSignInFailure::ScopeNotGranted,
             QStringLiteral("Tolvane was not allowed to reach your contacts. Sign in again and "
                            "leave the contacts box ticked."));
        return;
    }
    if (result.email.compare(m_settings.account.trimmed(), Qt::CaseInsensitive) != 0) {
        fail(OAuthSignInFailure::OtherAccount,
             QStringLiteral("You signed in as %1, not as %2. Sign in again with %2.")
                 .arg(result.email.isEmpty() ? QStringLiteral("an unknown account") : result.email,
                      m_settings.account));
        return;
    }
    if (result.credential.refreshToken.isEmpty()) {
        fail(OAuthSignInFailure::NoRefreshToken,
             QStringLiteral("Google did not grant lasting access. Sign in again."));
        return;
    }
    if (result.accessToken.isEmpty()) {
        fail(OAuthSignInFailure::Refused, QStringLiteral("Google's answer held no access token."));
        return;
    }
    revokePrevious(result);
}

void OAuthInstalledAppFlow::revokePrevious(const OAuthSignInResult &result)
{
    const QString previous = m_settings.previousRefreshToken;
    if (previous.isEmpty() || previous == result.credential.refreshToken) {
        finish(result);
        return;
    }
    postOAuthForm(m_network, m_settings.endpoints.revoke, {{QStringLiteral("token"), previous}},
                  m_settings.requestTimeoutMs, this,
                  [this, result](const std::optional<GDataError> &error, const QJsonObject &) {
                      // The old grant may be gone already; the new one stands either way.
                      if (error)
                          qDebug("OAuth sign-in: the replaced grant was not revoked (%d)",
                                 error->code);
                      finish(result);
                  });
}

void OAuthInstalledAppFlow::fail(OAuthSignInFailure failure, const QString &message,
                                 const std::optional<GDataError> &error)
{
    qDebug("OAuth sign-in of %s failed: %s", qPrintable(m_settings.account), qPrintable(message));
    OAuthSignInResult result;
    result.failure = failure;
    result.message = message;
    result.error = error;
    finish(result);
}

void OAuthInstalledAppFlow::finish(const OAuthSignInResult &result)
{
    if (!m_running)
        return;
    m_running = false;
    m_timeout.stop();
    if (m_listener)
        m_listener->close();
    const Done done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(result);
}
