// The sign-in side of the People face: the registered OAuth clients, authorization codes waiting
// for their one exchange, and the refresh and access tokens issued from them.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QString>

#include <optional>

struct AuthorizationCode
{
    QString clientId;
    QString redirectUri;
    QString challenge; // S256 of the verifier the exchange must bring
    QString email;
    QString scope; // as granted, space-separated
    QDateTime expires;
};

struct RefreshGrant
{
    QString clientId;
    QString email;
    QString scope;
};

struct AccessGrant
{
    QString refreshToken; // the grant it was issued from
    QString email;
    QString scope;
    QDateTime expires;
};

class OAuthState
{
public:
    void addClient(const QString &id, const QString &secret);
    bool hasClient(const QString &id) const { return m_clients.contains(id); }
    bool secretMatches(const QString &id, const QString &secret) const;

    QString issueCode(const AuthorizationCode &code);
    // A code is good for one exchange: taking it removes it, whatever the exchange then finds.
    std::optional<AuthorizationCode> takeCode(const QString &code);

    QString issueRefreshToken(const RefreshGrant &grant);
    std::optional<RefreshGrant> refreshGrant(const QString &token) const;
    QString issueAccessToken(const QString &refreshToken, int lifetimeSeconds);
    // A live access token's grant; none when unknown, expired or revoked.
    std::optional<AccessGrant> access(const QString &token) const;

    // A refresh or an access token: the whole grant ends, every token issued from it with it.
    bool revoke(const QString &token);
    // The account's access tokens expire at once; with refresh tokens too, the account's grants
    // are revoked.
    void expireTokens(const QString &email, bool revokeGrants);

    QJsonObject toJson() const;
    void fromJson(const QJsonObject &object);
    void clear() { *this = OAuthState(); }

private:
    void revokeGrant(const QString &refreshToken);

    QHash<QString, QString> m_clients; // id to secret
    QHash<QString, AuthorizationCode> m_codes;
    QHash<QString, RefreshGrant> m_refresh;
    QHash<QString, AccessGrant> m_access;
};

// A random URL-safe text of that many random bytes.
QString randomToken(int bytes);
