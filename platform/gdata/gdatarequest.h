// One HTTP exchange of the service, the part every request shares: it signs in first when no token
// is held, sends, signs in again once on a 401, retries what the retry policy allows, and reports
// the final answer or error once, later on the event loop. It deletes itself when done.
#pragma once

#include "platform/gdata/gdataerror.h"
#include "platform/gdata/gdataserviceticket.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QUrl>

#include <functional>
#include <optional>

class GDataServiceGoogleContact;
class QNetworkReply;

class GDataRequest : public QObject
{
    Q_OBJECT
public:
    struct Spec
    {
        QByteArray method;
        QUrl url;
        QByteArray body; // a snapshot taken when the request was made
        QByteArray contentType;
        std::optional<QString> ifMatch;
        QList<QPair<QByteArray, QByteArray>> headers;
    };

    struct Answer
    {
        int status = 0;
        QByteArray body;
        QByteArray contentType;
    };

    // error set: the request failed; otherwise answer holds a status below 300.
    using Done = std::function<void(const std::optional<GDataError> &error, const Answer &answer)>;

    GDataRequest(GDataServiceGoogleContact *service, GDataServiceTicketPtr ticket, Spec spec,
                 Done done);

    // Begins on the next turn of the event loop.
    void start();

private:
    void authorise();
    void send();
    void finished(QNetworkReply *reply);
    bool mayRetry(int status, const std::optional<GDataError> &networkError) const;
    // The wait before the next try; nothing when the server asks for a longer one than allowed.
    std::optional<int> retryDelayMs(const QByteArray &retryAfter) const;
    void complete(const std::optional<GDataError> &error, const Answer &answer);

    GDataServiceGoogleContact *m_service;
    GDataServiceTicketPtr m_ticket;
    Spec m_spec;
    Done m_done;
    int m_retries = 0;
    bool m_signedInAgain = false;
};
