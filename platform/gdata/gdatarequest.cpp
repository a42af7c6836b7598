#include "platform/gdata/gdatarequest.h"

#include "platform/gdata/gdataclientlogin.h"
#include "platform/gdata/gdatanetworkerror.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/gdata/onceonlybody.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
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
        authorise();
    });
}

void GDataRequest::authorise()
{
    if (m_ticket->isCancelled()) {
        deleteLater();
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

void GDataRequest::send()
{
    QNetworkRequest request = m_service->requestForURL(m_spec.url, m_spec.ifMatch, m_spec.method);
    if (!m_spec.contentType.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, m_spec.contentType);
    for (const auto &[name, value] : m_spec.headers)
        request.setRawHeader(name, value);
    request.setTransferTimeout(m_service->requestTimeoutMs());
    QNetworkReply *reply = nullptr;
    if (m_spec.method == "POST") {
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
    const auto policy = m_service->retryPolicy();
    if (!policy.enabled || m_retries >= policy.maxRetries)
        return false;
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
    const auto policy = m_service->retryPolicy();
    qint64 delay = 0;
    if (!policy.delaysMs.empty()) {
        const size_t last = policy.delaysMs.size() - 1;
        delay = policy.delaysMs[std::min(size_t(m_retries), last)];
        for (size_t i = last; i < size_t(m_retries) && delay < policy.maxRetryAfterMs; ++i)
            delay *= 2;
    }
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
                  reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()};
    std::optional<GDataError> networkError;
    if (status == 0 || (reply->error() != QNetworkReply::NoError && status < 300))
        networkError = gdataNetworkError(reply->error(), reply->errorString());
    m_ticket->setStatusCode(status);

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
            QTimer::singleShot(*delay, this, [this] { send(); });
            return;
        }
    }
    if (networkError) {
        complete(networkError, answer);
        return;
    }
    if (status >= 300) {
        complete(gdataHTTPError(status, answer.body), answer);
        return;
    }
    complete(std::nullopt, answer);
}

void GDataRequest::complete(const std::optional<GDataError> &error, const Answer &answer)
{
    if (!m_ticket->isCancelled())
        m_done(error, answer);
    deleteLater();
}
