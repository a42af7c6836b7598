#include "tools/gdata-server/oauth/oauthstate.h"

#include <QJsonArray>
#include <QRandomGenerator>

QString randomToken(int bytes)
{
    QByteArray data(bytes, Qt::Uninitialized);
    for (char &byte : data)
        byte = char(QRandomGenerator::system()->bounded(256));
    return QString::fromLatin1(
        data.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

void OAuthState::addClient(const QString &id, const QString &secret)
{
    m_clients.insert(id, secret);
}

bool OAuthState::secretMatches(const QString &id, const QString &secret) const
{
    const auto found = m_clients.constFind(id);
    return found != m_clients.cend() && *found == secret;
}

QString OAuthState::issueCode(const AuthorizationCode &code)
{
    const QString token = QStringLiteral("4/") + randomToken(32);
    m_codes.insert(token, code);
    return token;
}

std::optional<AuthorizationCode> OAuthState::takeCode(const QString &code)
{
    const auto found = m_codes.find(code);
    if (found == m_codes.end())
        return std::nullopt;
    const AuthorizationCode taken = *found;
    m_codes.erase(found);
    if (taken.expires < QDateTime::currentDateTimeUtc())
        return std::nullopt;
    return taken;
}

QString OAuthState::issueRefreshToken(const RefreshGrant &grant)
{
    const QString token = QStringLiteral("1//") + randomToken(36);
    m_refresh.insert(token, grant);
    return token;
}

std::optional<RefreshGrant> OAuthState::refreshGrant(const QString &token) const
{
    const auto found = m_refresh.constFind(token);
    if (found == m_refresh.cend())
        return std::nullopt;
    return *found;
}

QString OAuthState::issueAccessToken(const QString &refreshToken, int lifetimeSeconds)
{
    const RefreshGrant grant = m_refresh.value(refreshToken);
    const QString token = QStringLiteral("ya29.") + randomToken(48);
    m_access.insert(token, {refreshToken, grant.email, grant.scope,
                            QDateTime::currentDateTimeUtc().addSecs(lifetimeSeconds)});
    return token;
}

std::optional<AccessGrant> OAuthState::access(const QString &token) const
{
    const auto found = m_access.constFind(token);
    if (found == m_access.cend() || found->expires <= QDateTime::currentDateTimeUtc() ||
        !m_refresh.contains(found->refreshToken))
        return std::nullopt;
    return *found;
}

void OAuthState::revokeGrant(const QString &refreshToken)
{
    m_refresh.remove(refreshToken);
    m_access.removeIf(
        [&](const auto &entry) { return entry.value().refreshToken == refreshToken; });
}

bool OAuthState::revoke(const QString &token)
{
    if (m_refresh.contains(token)) {
        revokeGrant(token);
        return true;
    }
    const auto found = m_access.constFind(token);
    if (found == m_access.cend())
        return false;
    revokeGrant(found->refreshToken);
    return true;
}

void OAuthState::expireTokens(const QString &email, bool revokeGrants)
{
    const QDateTime past = QDateTime::currentDateTimeUtc().addSecs(-1);
    for (AccessGrant &grant : m_access) {
        if (grant.email.compare(email, Qt::CaseInsensitive) == 0)
            grant.expires = past;
    }
    if (!revokeGrants)
        return;
    m_refresh.removeIf([&](const auto &entry) {
        return entry.value().email.compare(email, Qt::CaseInsensitive) == 0;
    });
}

QJsonObject OAuthState::toJson() const
{
    QJsonObject clients;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it)
        clients.insert(it.key(), it.value());
    QJsonObject refresh;
    for (auto it = m_refresh.cbegin(); it != m_refresh.cend(); ++it)
        refresh.insert(
            it.key(),
            QJsonObject{{"client", it->clientId}, {"email", it->email}, {"scope", it->scope}});
    QJsonObject access;
    for (auto it = m_access.cbegin(); it != m_access.cend(); ++it)
        access.insert(it.key(), QJsonObject{{"refresh", it->refreshToken},
                                            {"email", it->email},
                                            {"scope", it->scope},
                                            {"expires", it->expires.toMSecsSinceEpoch()}});
    return {{"clients", clients}, {"refresh", refresh}, {"access", access}};
}

void OAuthState::fromJson(const QJsonObject &object)
{
    clear();
    const QJsonObject clients = object.value("clients").toObject();
    for (auto it = clients.begin(); it != clients.end(); ++it)
        m_clients.insert(it.key(), it.value().toString());
    const QJsonObject refresh = object.value("refresh").toObject();
    for (auto it = refresh.begin(); it != refresh.end(); ++it) {
        const QJsonObject grant = it.value().toObject();
        m_refresh.insert(it.key(),
                         {grant.value("client").toString(), grant.value("email").toString(),
                          grant.value("scope").toString()});
    }
    const QJsonObject access = object.value("access").toObject();
    for (auto it = access.begin(); it != access.end(); ++it) {
        const QJsonObject grant = it.value().toObject();
        m_access.insert(it.key(), {grant.value("refresh").toString(),
                                   grant.value("email").toString(), grant.value("scope").toString(),
                                   QDateTime::fromMSecsSinceEpoch(
                                       grant.value("expires").toInteger(), Qt::UTC)});
    }
}
