#include "platform/gdata/gdatanetworkerror.h"

#include "platform/gdata/atom/xmlnamespaces.h"
#include "platform/gdata/gdataconstants.h"

#include <QVariantList>

namespace {

constexpr const char *kServerErrorFields[] = {"domain", "code", "location", "internalReason"};

// The <errors> document a GData server may send with a failure: one map per <error>.
QVariantList serverErrors(const QByteArray &body)
{
    QVariantList errors;
    pugi::xml_document doc;
    if (!body.contains("errors") || !doc.load_buffer(body.constData(), size_t(body.size()),
                                                     pugi::parse_default, pugi::encoding_utf8))
        return errors;
    const pugi::xml_node root = doc.document_element();
    if (!xmlnamespaces::isElement(root, kGDataNamespaceGData, "errors"))
        return errors;
    for (const pugi::xml_node &error : root.children()) {
        if (!xmlnamespaces::isElement(error, kGDataNamespaceGData, "error"))
            continue;
        QVariantMap fields;
        for (const pugi::xml_node &field : error.children()) {
            for (const char *name : kServerErrorFields) {
                if (xmlnamespaces::isElement(field, kGDataNamespaceGData, name))
                    fields.insert(QString::fromLatin1(name), QString::fromUtf8(field.text().get()));
            }
        }
        errors.append(fields);
    }
    return errors;
}

} // namespace

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
    case QNetworkReply::ContentReSendError: // closed unanswered, and the body may not go twice
        code = kGDataErrorConnectionLost;
        break;
    default:
        break;
    }
    return {code, QLatin1String(kGDataErrorDomainNetwork), text, {}};
}

GDataError gdataHTTPError(int status, const QByteArray &body)
{
    GDataError error{status,
                     QLatin1String(kGDataErrorDomainHTTP),
                     QStringLiteral("HTTP status %1: %2")
                         .arg(status)
                         .arg(QString::fromUtf8(body.left(200)).trimmed()),
                     {{QLatin1String(kGDataErrorResponseBodyKey), body}}};
    const QVariantList errors = serverErrors(body);
    if (!errors.isEmpty())
        error.userInfo.insert(QLatin1String(kGDataErrorServerErrorsKey), errors);
    return error;
}

GDataError gdataBadResponse(const QString &what, const QByteArray &body)
{
    return {kGDataErrorBadResponse,
            QLatin1String(kGDataErrorDomainParse),
            what,
            {{QLatin1String(kGDataErrorResponseBodyKey), body}}};
}
