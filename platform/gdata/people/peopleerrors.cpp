#include "platform/gdata/people/peopleerrors.h"

#include "platform/gdata/oauth/oautherrors.h"
#include "platform/gdata/people/peoplejson.h"

#include <QJsonArray>

namespace peopleerrors {

namespace {

struct StatusCode
{
    const char *name;
    int rpcCode;
    unsigned code;
};

constexpr StatusCode kStatusCodes[] = {
    {"INVALID_ARGUMENT", 3, 400},   {"FAILED_PRECONDITION", 9, 412}, {"NOT_FOUND", 5, 404},
    {"PERMISSION_DENIED", 7, 403},  {"ALREADY_EXISTS", 6, 409},      {"ABORTED", 10, 409},
    {"RESOURCE_EXHAUSTED", 8, 429}, {"UNAVAILABLE", 14, 503},
};
constexpr unsigned kOtherStatusCode = 500;

constexpr char kStaleReason[] = "failedPrecondition";
constexpr char kStaleStatus[] = "FAILED_PRECONDITION";
constexpr char kRefusedGrant[] = "invalid_grant";
constexpr char kErrorInfoType[] = "type.googleapis.com/google.rpc.ErrorInfo";

unsigned codeForRpcCode(int rpcCode)
{
    for (const StatusCode &entry : kStatusCodes) {
        if (entry.rpcCode == rpcCode)
            return entry.code;
    }
    return kOtherStatusCode;
}

bool hasReason(const QStringList &reasons, const char *reason)
{
    return reasons.contains(QLatin1String(reason));
}

GDataError httpError(int code, const QString &description)
{
    return {code, QString::fromLatin1(kGDataErrorDomainHTTP), description, {}};
}

GDataError errorForGoogleError(int httpStatus, const QJsonObject &error)
{
    const QStringList reasons = errorReasons(error);
    const QString message = error.value(QStringLiteral("message")).toString();
    const QString status = error.value(QStringLiteral("status")).toString();
    // No new sign-in can mend a disabled API: it must not drop the account.
    if (httpStatus == 403 && namesDisabledAPI(error))
        return httpError(kGDataErrorOther, message);
    const bool stale =
        httpStatus == 412 || (httpStatus == 400 && (status == QLatin1String(kStaleStatus) ||
                                                    hasReason(reasons, kStaleReason)));
    return httpError(stale ? 412 : httpStatus, message);
}

} // namespace

unsigned codeForStatusName(const QString &status)
{
    for (const StatusCode &entry : kStatusCodes) {
        if (status == QLatin1String(entry.name))
            return entry.code;
    }
    return kOtherStatusCode;
}

QStringList errorReasons(const QJsonObject &error)
{
    QStringList reasons;
    for (const QJsonValue &detail : error.value(QStringLiteral("details")).toArray()) {
        const QJsonObject object = detail.toObject();
        if (object.value(QStringLiteral("@type")).toString() == QLatin1String(kErrorInfoType))
            reasons.append(object.value(QStringLiteral("reason")).toString());
    }
    for (const QJsonValue &item : error.value(QStringLiteral("errors")).toArray())
        reasons.append(item.toObject().value(QStringLiteral("reason")).toString());
    reasons.removeAll(QString());
    return reasons;
}

GDataBatchStatus batchStatusForStatus(const QJsonObject &status)
{
    const QJsonValue name = status.value(QStringLiteral("status"));
    const unsigned code = name.isString()
                              ? codeForStatusName(name.toString())
                              : codeForRpcCode(status.value(QStringLiteral("code")).toInt());
    return {code, status.value(QStringLiteral("message")).toString(),
            errorReasons(status).value(0)};
}

GDataError errorForReply(int httpStatus, const QByteArray &body)
{
    const auto json = peoplejson::parseObject(body);
    const QJsonValue error = json ? json->value(QStringLiteral("error")) : QJsonValue();
    GDataError result;
    if (error.isString()) {
        // The token endpoint's form: {"error": "invalid_grant", "error_description": ...}.
        const QString description = json->value(QStringLiteral("error_description")).toString();
        const bool refused = error.toString() == QLatin1String(kRefusedGrant);
        result = httpError(refused ? 403 : httpStatus,
                           description.isEmpty() ? error.toString() : description);
    } else if (error.isObject()) {
        result = errorForGoogleError(httpStatus, error.toObject());
        result.userInfo.insert(QString::fromLatin1(kPeopleErrorGoogleErrorKey),
                               error.toObject().toVariantMap());
    } else {
        result = httpError(httpStatus, QStringLiteral("HTTP status %1").arg(httpStatus));
    }
    result.userInfo.insert(QString::fromLatin1(kGDataErrorResponseBodyKey), body);
    return result;
}

} // namespace peopleerrors
