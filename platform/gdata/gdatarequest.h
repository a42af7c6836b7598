// One HTTP exchange of the service, the part every request shares: it signs in first when no token
// is held, sends, signs in again once on a 401, retries what the retry policy allows, and reports
// the final answer or error once, later on the event loop. It deletes itself when done. On the
// People protocol the sign-in is an OAuth access token, and a write first waits for its turn
// among the account's writes.
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
        // People: a write that is never sent again once the server may have served it (a create
        // sent twice makes its contacts twice); only a refusal before serving (429) is retried.
        bool resendOnlyUnserved = false;
    };

    struct Answer
    {
        int status = 0;
        QByteArray body;
        QByteArray contentType;
        // Whether the request went more than once (a resent delete answering 404 was done).
        bool resent = false;
    };

    // error set: the request failed; otherwise answer holds a status below 300.
    using Done = std::function<void(const std::optional<GDataError> &error, const Answer &answer)>;

    GDataRequest(GDataServiceGoogleContact *service, GDataServiceTicketPtr ticket, Spec spec,
                 Done done);
    ~GDataRequest() override;

    // Begins on the next turn of the event loop.
    void start();

private:
    bool isPeople() const;
    bool isPeopleWrite() const;
    void begin();
    void authorise();
    void authorisePeople();
    void releaseWriteTurn();
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
    // People: the bearer token sent, and this request's turn among the account's writes.
    QString m_token;
    quint64 m_writeTurn = 0;
    QString m_writeAccount;
};
