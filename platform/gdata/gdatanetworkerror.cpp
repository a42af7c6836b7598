#include "platform/gdata/gdatanetworkerror.h"

GDataError gdataNetworkError(QNetworkReply::NetworkError error, const QString &text)
{
    int code = kGDataErrorOther;
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        code = kGDataErrorNotConnected;
        break;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // what a transfer timeout ends with
        code = kGDataErrorTimedOut;
        break;
    case QNetworkReply::RemoteHostClosedError:
        code = kGDataErrorConnectionLost;
        break;
    default:
        break;
    }
    return {code, QLatin1String(kGDataErrorDomainNetwork), text, {}};
}

GDataError gdataHTTPError(int status, const QByteArray &body)
{
    return {status,
            QLatin1String(kGDataErrorDomainHTTP),
            QStringLiteral("HTTP status %1: %2")
                .arg(status)
                .arg(QString::fromUtf8(body.left(200)).trimmed()),
            {{QLatin1String(kGDataErrorResponseBodyKey), body}}};
}
