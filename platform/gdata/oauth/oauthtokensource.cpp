#include "platform/gdata/oauth/oauthtokensource.h"

#include "platform/gdata/oauth/oautherrors.h"
#include "platform/gdata/oauth/oauthformpost.h"

#include <QTimer>

namespace {

// A token with less left than this may expire on its way or while its request waits in a queue.
constexpr qint64 kRenewalMarginMs = 60 * 1000;
constexpr int kRefreshTimeoutMs = 60 * 1000;

} // namespace

OAuthTokenSource::OAuthTokenSource(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent)
    , m_network(network)
{}

void OAuthTokenSource::setClient(const QString &clientId, const QString &clientSecret)
{
    m_clientId = clientId;
    m_clientSecret = clientSecret;
    reset();
}

void OAuthTokenSource::setCredentialText(const QString &secret)
{
    m_credentialText = secret;
    reset();
}

void OAuthTokenSource::reset()
{
    m_credential = parseOAuthCredential(m_credentialText, m_clientId);
    m_accessToken.clear();
    ++m_generation;
    if (m_refreshing) {
        // The renewal under way was for the old credential; its waiters get a token of the new.
        m_refreshing = false;
        if (!m_waiting.empty())
            refresh();
    }
}

bool OAuthTokenSource::holdsLastingToken() const
{
    return !m_accessToken.isEmpty() && m_expiry.remainingTime() >= kRenewalMarginMs;
}

void OAuthTokenSource::dropAccessToken(const QString &refused)
{
    if (refused == m_accessToken)
        m_accessToken.clear();
}

void OAuthTokenSource::authorize(Done done)
{
    if (holdsLastingToken()) {
        QTimer::singleShot(0, this, [done = std::move(done), token = m_accessToken] {
            done(std::nullopt, token);
        });
        return;
    }
    m_waiting.push_back(std::move(done));
    if (!m_refreshing)
        refresh();
}

void OAuthTokenSource::refresh()
{
    if (!m_credential) {
        QTimer::singleShot(0, this, [this] {
            complete(oauthRefusedError(
                QStringLiteral("the keychain item holds no sign-in of this OAuth client")));
        });
        return;
    }
    m_refreshing = true;
    const OAuthForm form{{QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
                         {QStringLiteral("refresh_token"), m_credential->refreshToken},
                         {QStringLiteral("client_id"), m_clientId},
                         {QStringLiteral("client_secret"), m_clientSecret}};
    const quint64 generation = m_generation;
    postOAuthForm(
        m_network, m_endpoints.token, form, kRefreshTimeoutMs, this,
        [this, generation](const std::optional<GDataError> &error, const QJsonObject &answer) {
            refreshed(error, answer, generation);
        });
}

void OAuthTokenSource::refreshed(const std::optional<GDataError> &error, const QJsonObject &answer,
                                 quint64 generation)
{
    if (generation != m_generation)
        return;
    m_refreshing = false;
    if (error) {
        qDebug("OAuth token refresh failed: %d %s", error->code, qPrintable(error->description));
        complete(error);
        return;
    }
    const QString token = answer.value(QLatin1String("access_token")).toString();
    if (token.isEmpty()) {
        complete(GDataError{kGDataErrorBadResponse,
                            QLatin1String(kGDataErrorDomainParse),
                            QStringLiteral("the token endpoint's answer holds no access token"),
                            {}});
        return;
    }
    m_accessToken = token;
    m_expiry.setRemainingTime(qint64(answer.value(QLatin1String("expires_in")).toInt()) * 1000);
    const QString renewedRefresh = answer.value(QLatin1String("refresh_token")).toString();
    if (!renewedRefresh.isEmpty() && renewedRefresh != m_credential->refreshToken) {
        m_credential->refreshToken = renewedRefresh;
        const QString scope = answer.value(QLatin1String("scope")).toString();
        if (!scope.isEmpty())
            m_credential->scope = scope;
        m_credentialText = serializeOAuthCredential(*m_credential);
        if (m_renewed)
            m_renewed(*m_credential);
    }
    complete(std::nullopt);
}

void OAuthTokenSource::complete(const std::optional<GDataError> &error)
{
    std::vector<Done> waiting;
    waiting.swap(m_waiting);
    const QString token = error ? QString() : m_accessToken;
    for (const Done &done : waiting)
        done(error, token);
}
