// One API request with the account's bearer token: it waits for a token, sends, and on a 401 renews
// the token once and sends once more (a 401 is answered before anything is applied). A second 401
// means the grant no longer holds: 403, as a refused sign-in. Done runs once, later on the event
// loop; the request deletes itself.
#pragma once

#include "platform/gdata/gdataerror.h"

#include <QByteArray>
#include <QObject>
#include <QUrl>

#include <functional>
#include <optional>

class OAuthTokenSource;
class QNetworkAccessManager;
class QNetworkReply;

class OAuthAuthorizedRequest : public QObject
{
    Q_OBJECT
public:
    struct Spec
    {
        QByteArray method;
        QUrl url;
        QByteArray body;
        QByteArray contentType;
        int timeoutMs = 60000;
    };

    struct Answer
    {
        int status = 0;
        QByteArray body;
    };

    // error set: the request failed (oauthAPIError for an HTTP failure); otherwise answer holds a
    // status below 300.
    using Done = std::function<void(const std::optional<GDataError> &error, const Answer &answer)>;

    static void send(OAuthTokenSource *tokens, QNetworkAccessManager *network, Spec spec,
                     Done done);

private:
    OAuthAuthorizedRequest(OAuthTokenSource *tokens, QNetworkAccessManager *network, Spec spec,
                           Done done);

    void authorize();
    void sendWithToken(const QString &token);
    void finished(QNetworkReply *reply);
    void complete(const std::optional<GDataError> &error, const Answer &answer);

    OAuthTokenSource *m_tokens;
    QNetworkAccessManager *m_network;
    Spec m_spec;
    Done m_done;
    QString m_sentToken;
    bool m_renewedOnce = false;
};
