#include "platform/gdata/gdatarequest.h"

#include "platform/gdata/gdataclientlogin.h"
#include "platform/gdata/gdatanetworkerror.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/gdata/oauth/oautherrors.h"
#include "platform/gdata/oauth/oauthtokensource.h"
#include "platform/gdata/onceonlybody.h"
#include "platform/gdata/people/peopleerrors.h"
#include "platform/gdata/people/peoplewritequeue.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>

namespace {

constexpr int kRetriedStatuses[] = {408, 429, 500, 502, 503, 504};
constexpr int kTooManyRequests = 429;

bool isRetriedStatus(int status)
{
    return std::find(std::begin(kRetriedStatuses), std::end(kRetriedStatuses), status) !=
           std::end(kRetriedStatuses);
}

// Retry-After in seconds, as Google writes it; nothing when absent or unreadable.
std::optional<qint64> retryAfterMs(const QByteArray &value)
{
    bool ok = false;
    const qint64 seconds = value.trimmed().toLongLong(&ok);
    if (!ok || seconds < 0)
        return std::nullopt;
    return seconds * 1000;
}

} // namespace

GDataRequest::GDataRequest(GDataServiceGoogleContact *service, GDataServiceTicketPtr ticket,
                           Spec spec, Done done)
    : QObject(service)
    , m_service(service)
    , m_ticket(std::move(ticket))
    , m_spec(std::move(spec))
    , m_done(std::move(done))
{}

GDataRequest::~GDataRequest()
{
    releaseWriteTurn();
}

bool GDataRequest::isPeople() const
{
    return m_service->protocol() == GDataServiceGoogleContact::Protocol::People;
}

bool GDataRequest::isPeopleWrite() const
{
    return isPeople() && m_spec.method != "GET" && m_spec.method != "HEAD";
}

void GDataRequest::releaseWriteTurn()
{
    if (m_writeTurn == 0)
        return;
    peoplewritequeue::release(m_writeAccount, m_writeTurn);
    m_writeTurn = 0;
}

void GDataRequest::start()
{
    QTimer::singleShot(0, this, [this] {
        if (!m_spec.url.isValid() || m_spec.url.isEmpty()) {
            complete(GDataError{kGDataErrorBadURL,
                                QLatin1String(kGDataErrorDomainNetwork),
                                QStringLiteral("the request has no URL"),
                                {}},
                     {});
            return;
        }
        if (!m_service->isServiceURL(m_spec.url)) {
            complete(GDataError{kGDataErrorBadURL,
                                QLatin1String(kGDataErrorDomainNetwork),
                                QStringLiteral("%1 is not a URL of the service")
                                    .arg(m_spec.url.toString(QUrl::RemoveQuery)),
                                {}},
                     {});
            return;
        }
        begin();
    });
}

void GDataRequest::begin()
{
    if (!isPeopleWrite()) {
        authorise();
        return;
    }
    // The token is taken inside the turn: a long wait behind other writes could outlast it.
    m_writeAccount = m_service->username().toLower();
    QPointer<GDataRequest> self(this);
    m_writeTurn = peoplewritequeue::enqueue(m_writeAccount, [self] {
        if (self)
            self->authorise();
    });
}

void GDataRequest::authorise()
{
    if (m_ticket->isCancelled()) {
        deleteLater();
        return;
    }
    if (isPeople()) {
        authorisePeople();
        return;
    }
    m_service->m_login->signIn(m_service->authUrl(), m_service->userAgent(),
                               m_service->requestTimeoutMs(),
                               [this](const std::optional<GDataError> &error) {
                                   if (error)
                                       complete(error, {});
                                   else
                                       send();
                               });
}

void GDataRequest::authorisePeople()
{
    QPointer<GDataRequest> self(this);
    m_service->m_tokens->authorize(
        [self](const std::optional<GDataError> &error, const QString &token) {
            if (!self)
                return;
            if (error) {
                self->complete(error, {});
                return;
            }
            self->m_token = token;
            self->send();
        });
}

void GDataRequest::send()
{
    QNetworkRequest request = m_service->requestForURL(m_spec.url, m_spec.ifMatch, m_spec.method);
    if (isPeople() && m_service->isPeopleAPIURL(m_spec.url))
        request.setRawHeader("Authorization", "Bearer " + m_token.toLatin1());
    if (!m_spec.contentType.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, m_spec.contentType);
    for (const auto &[name, value] : m_spec.headers)
        request.setRawHeader(name, value);
    request.setTransferTimeout(m_service->requestTimeoutMs());
    QNetworkReply *reply = nullptr;
    // Every People write goes this way too: the service decides what is sent again, and knows
    // then that it was (a delete sent again that finds nothing was done).
    if (m_spec.method == "POST" || isPeopleWrite()) {
        // Qt Network sends a request again by itself when its connection closes before any
        // answer, and a batch the server already applied would then insert its contacts twice.
        // It can only do so by rewinding the body: an unbuffered sequential body cannot be
        // rewound, so the request fails instead. HTTP/2 streams keep their own copy, so a POST
        // stays on HTTP/1.1.
        request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
        request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
        request.setHeader(QNetworkRequest::ContentLengthHeader, m_spec.body.size());
        auto *body = new OnceOnlyBody(m_spec.body);
        reply = m_service->networkAccessManager()->sendCustomRequest(request, m_spec.method, body);
        body->setParent(reply);
    } else {
        reply = m_service->networkAccessManager()->sendCustomRequest(request, m_spec.method,
                                                                     m_spec.body);
    }
    if (m_service->m_progress) {
        connect(reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
            if (m_service->m_progress && !m_ticket->isCancelled())
                m_service->m_progress(m_ticket, quint64(qMax<qint64>(sent, 0)),
                                      quint64(qMax<qint64>(total, 0)));
        });
    }
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

bool GDataRequest::mayRetry(int status, const std::optional<GDataError> &networkError) const
{
    const auto policy = m_service->activeRetryPolicy();
    if (!policy.enabled || m_retries >= policy.maxRetries)
        return false;
    if (isPeople()) {
        const bool unsent = networkError && networkError->code == kGDataErrorNotConnected;
        if (m_spec.resendOnlyUnserved)
            return unsent || (!networkError && status == kTooManyRequests);
        if (networkError)
            return unsent || networkError->code == kGDataErrorTimedOut ||
                   networkError->code == kGDataErrorConnectionLost;
        return isRetriedStatus(status);
    }
    // A POST that reached the server may have been applied: sending it again could duplicate
    // contacts, so only one that never left is sent again, or one the server's rate limit
    // turned away before serving it.
    if (m_spec.method == "POST")
        return (networkError && networkError->code == kGDataErrorNotConnected) ||
               (!networkError && status == kTooManyRequests);
    if (networkError)
        return networkError->code == kGDataErrorTimedOut ||
               networkError->code == kGDataErrorConnectionLost;
    return isRetriedStatus(status);
}

std::optional<int> GDataRequest::retryDelayMs(const QByteArray &retryAfter) const
{
    const auto policy = m_service->activeRetryPolicy();
    qint64 delay = 0;
    if (!policy.delaysMs.empty()) {
        const size_t last = policy.delaysMs.size() - 1;
        delay = policy.delaysMs[std::min(size_t(m_retries), last)];
        for (size_t i = last; i < size_t(m_retries) && delay < policy.maxRetryAfterMs; ++i)
            delay *= 2;
    }
    // Clients that failed together must not all come back at the same instant.
    if (policy.jitterPercent > 0 && delay > 0)
        delay += QRandomGenerator::global()->bounded(delay * policy.jitterPercent / 100 + 1);
    if (const std::optional<qint64> asked = retryAfterMs(retryAfter)) {
        if (*asked > policy.maxRetryAfterMs)
            return std::nullopt;
        delay = std::max(delay, *asked);
    }
    return int(std::min<qint64>(delay, policy.maxRetryAfterMs));
}

void GDataRequest::finished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (m_ticket->isCancelled()) {
        deleteLater();
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    Answer answer{status, reply->isOpen() ? reply->readAll() : QByteArray(),
                  reply->header(QNetworkRequest::ContentTypeHeader).toByteArray(), m_retries > 0};
    std::optional<GDataError> networkError;
    if (status == 0 || (reply->error() != QNetworkReply::NoError && status < 300))
        networkError = gdataNetworkError(reply->error(), reply->errorString());
    m_ticket->setStatusCode(status);

    if (status == 401 && isPeople()) {
        // A 401 is answered before anything is applied: renew the token once and send once
        // more. A second one means the grant no longer holds, as a refused sign-in.
        if (m_signedInAgain) {
            complete(oauthRefusedError(QStringLiteral("the API refused a freshly renewed token")),
                     answer);
            return;
        }
        m_signedInAgain = true;
        m_service->m_tokens->dropAccessToken(m_token);
        authorise();
        return;
    }
    if (status == 401 && !m_signedInAgain) {
        // The token expired or was revoked: sign in once more and send again; nothing was applied.
        m_signedInAgain = true;
        m_service->m_login->dropToken();
        authorise();
        return;
    }
    if (mayRetry(status, networkError)) {
        if (const std::optional<int> delay = retryDelayMs(reply->rawHeader("Retry-After"))) {
            ++m_retries;
            // On People the token is asked again: it may have run out during the wait.
            QTimer::singleShot(*delay, this, [this] {
                if (isPeople())
                    authorise();
                else
                    send();
            });
            return;
        }
    }
    if (networkError) {
        complete(networkError, answer);
        return;
    }
    if (status >= 300) {
        complete(isPeople() ? peopleerrors::errorForReply(status, answer.body)
                            : gdataHTTPError(status, answer.body),
                 answer);
        return;
    }
    complete(std::nullopt, answer);
}

void GDataRequest::complete(const std::optional<GDataError> &error, const Answer &answer)
{
    releaseWriteTurn();
    if (!m_ticket->isCancelled())
        m_done(error, answer);
    deleteLater();
}
