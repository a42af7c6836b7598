#include "platform/gdata/gdatarequest.h"

#include "platform/gdata/gdataclientlogin.h"
#include "platform/gdata/gdatanetworkerror.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace {

constexpr int kRetriedStatuses[] = {408, 500, 502, 503, 504};

bool isRetriedStatus(int status)
{
    return std::find(std::begin(kRetriedStatuses), std::end(kRetriedStatuses), status) !=
           std::end(kRetriedStatuses);
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
    QNetworkReply *reply =
        m_service->networkAccessManager()->sendCustomRequest(request, m_spec.method, m_spec.body);
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
    // contacts, so only one that never left is sent again.
    if (m_spec.method == "POST")
        return networkError && networkError->code == kGDataErrorNotConnected;
    if (networkError)
        return networkError->code == kGDataErrorTimedOut ||
               networkError->code == kGDataErrorConnectionLost;
    return isRetriedStatus(status);
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
        const auto delays = m_service->retryPolicy().delaysMs;
        const int delay =
            delays.empty() ? 0 : delays[std::min(size_t(m_retries), delays.size() - 1)];
        ++m_retries;
        QTimer::singleShot(delay, this, [this] { send(); });
        return;
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
