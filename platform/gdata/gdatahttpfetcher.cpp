#include "platform/gdata/gdatahttpfetcher.h"

#include "platform/gdata/gdatanetworkerror.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <atomic>

namespace {

std::atomic_bool loggingEnabled = false;

// Headers that carry secrets are named but never shown.
constexpr const char *kSecretHeaders[] = {"authorization", "cookie"};

void logRequest(const QNetworkRequest &request)
{
    QStringList headers;
    for (const QByteArray &name : request.rawHeaderList()) {
        const bool secret = std::any_of(std::begin(kSecretHeaders), std::end(kSecretHeaders),
                                        [&](const char *s) { return name.toLower() == s; });
        headers.append(
            QString::fromLatin1(name) + QStringLiteral(": ") +
            (secret ? QStringLiteral("<redacted>") : QString::fromLatin1(request.rawHeader(name))));
    }
    qDebug("GDataHTTPFetcher GET %s [%s]", qPrintable(request.url().toString(QUrl::RemoveQuery)),
           qPrintable(headers.join(QStringLiteral("; "))));
}

} // namespace

GDataHTTPFetcher::GDataHTTPFetcher(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent)
    , m_network(network)
{}

void GDataHTTPFetcher::setIsLoggingEnabled(bool enabled)
{
    loggingEnabled = enabled;
}

bool GDataHTTPFetcher::isLoggingEnabled()
{
    return loggingEnabled;
}

bool GDataHTTPFetcher::beginFetch(const QNetworkRequest &request, Finished finished,
                                  FailedWithStatus failedWithStatus,
                                  FailedWithError failedWithError)
{
    if (m_running)
        return false;
    m_running = true;
    m_finished = std::move(finished);
    m_failedWithStatus = std::move(failedWithStatus);
    m_failedWithError = std::move(failedWithError);
    if (loggingEnabled)
        logRequest(request);
    QNetworkReply *reply = m_network->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { complete(reply); });
    return true;
}

void GDataHTTPFetcher::complete(QNetworkReply *reply)
{
    reply->deleteLater();
    m_running = false;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray data = reply->isOpen() ? reply->readAll() : QByteArray();
    if (loggingEnabled)
        qDebug("GDataHTTPFetcher status %d, %lld bytes", status,
               static_cast<long long>(data.size()));
    if (status == 0 || (reply->error() != QNetworkReply::NoError && status < 300)) {
        if (m_failedWithError)
            m_failedWithError(this, gdataNetworkError(reply->error(), reply->errorString()));
    } else if (status >= 300) {
        if (m_failedWithStatus)
            m_failedWithStatus(this, status, data);
    } else if (m_finished) {
        m_finished(this, data);
    }
}
