// A plain fetch of one URL with a request built by the service (photo bytes): success with the
// body, failure with the HTTP status and body, or failure with a network error. Callbacks run later
// on the event loop.
#pragma once

#include "platform/gdata/gdataerror.h"

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QVariant>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

class GDataHTTPFetcher : public QObject
{
    Q_OBJECT
public:
    using Finished = std::function<void(GDataHTTPFetcher *, const QByteArray &data)>;
    using FailedWithStatus =
        std::function<void(GDataHTTPFetcher *, int status, const QByteArray &)>;
    using FailedWithError = std::function<void(GDataHTTPFetcher *, const GDataError &)>;

    GDataHTTPFetcher(QNetworkAccessManager *network, QObject *parent = nullptr);

    // Logs each request and response, with Authorization and passwords left out.
    static void setIsLoggingEnabled(bool enabled);
    static bool isLoggingEnabled();

    void setUserData(const QVariant &data) { m_userData = data; }
    QVariant userData() const { return m_userData; }

    // False when a fetch is already running.
    bool beginFetch(const QNetworkRequest &request, Finished finished,
                    FailedWithStatus failedWithStatus, FailedWithError failedWithError);

private:
    void complete(QNetworkReply *reply);

    QNetworkAccessManager *m_network;
    QVariant m_userData;
    Finished m_finished;
    FailedWithStatus m_failedWithStatus;
    FailedWithError m_failedWithError;
    bool m_running = false;
};
