// The access tokens of one account: held in memory only, renewed with the refresh token of its
// credential when under a minute of one is left or when the API refused it, one renewal at a time
// with every request that needs a token waiting for it.
#pragma once

#include "platform/gdata/gdataerror.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/gdata/oauth/oauthendpoints.h"

#include <QDeadlineTimer>
#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QNetworkAccessManager;

class OAuthTokenSource : public QObject
{
    Q_OBJECT
public:
    // The token to send, when there is no error.
    using Done = std::function<void(const std::optional<GDataError> &error, const QString &token)>;
    // The credential with a refresh token the endpoint handed out in place of the old one.
    using CredentialRenewed = std::function<void(const OAuthCredential &credential)>;

    OAuthTokenSource(QNetworkAccessManager *network, QObject *parent = nullptr);

    void setEndpoints(const OAuthEndpoints &endpoints) { m_endpoints = endpoints; }
    // The client and the keychain item's text. A text that does not parse as a credential of this
    // client leaves none, and every authorization is then refused with 403. Either drops the held
    // access token.
    void setClient(const QString &clientId, const QString &clientSecret);
    void setCredentialText(const QString &secret);
    bool hasCredential() const { return m_credential.has_value(); }
    // The token held now, however little of it is left; empty before the first renewal.
    QString accessToken() const { return m_accessToken; }
    void setCredentialRenewed(CredentialRenewed renewed) { m_renewed = std::move(renewed); }

    // The API refused this token: the next authorization renews it, unless a renewal already
    // replaced it (requests sent with the old token come back one after another).
    void dropAccessToken(const QString &refused);

    // The held token while it has a minute or more left, else a renewed one (used as it comes,
    // however short its life: a token endpoint handing out short ones must not send the requests
    // round in renewals). done runs later on the event loop. A refused renewal is 403.
    void authorize(Done done);

private:
    void refresh();
    void refreshed(const std::optional<GDataError> &error, const QJsonObject &answer,
                   quint64 generation);
    void complete(const std::optional<GDataError> &error);
    void reset();
    bool holdsLastingToken() const;

    QNetworkAccessManager *m_network;
    OAuthEndpoints m_endpoints;
    QString m_clientId;
    QString m_clientSecret;
    QString m_credentialText;
    std::optional<OAuthCredential> m_credential;
    CredentialRenewed m_renewed;
    QString m_accessToken;
    QDeadlineTimer m_expiry;
    // A new credential or client invalidates a renewal under way.
    quint64 m_generation = 0;
    bool m_refreshing = false;
    std::vector<Done> m_waiting;
};
