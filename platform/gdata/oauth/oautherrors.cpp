#include "platform/gdata/oauth/oautherrors.h"

#include "platform/gdata/gdatanetworkerror.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int kForbidden = 403;
// The grant errors of the token endpoint that no retry can mend.
constexpr const char *kRefusingTokenErrors[] = {"invalid_grant", "invalid_client",
                                                "unauthorized_client"};
// ErrorInfo reasons (and the older error list's reasons) of an API the project has not enabled.
constexpr const char *kDisabledAPIReasons[] = {"SERVICE_DISABLED", "accessNotConfigured"};

bool isDisabledAPIReason(const QString &reason)
{
    for (const char *known : kDisabledAPIReasons)
        if (reason == QLatin1String(known))
            return true;
    return false;
}

} // namespace

bool namesDisabledAPI(const QJsonObject &error)
{
    for (const QJsonValue &detail : error.value(QLatin1String("details")).toArray())
        if (isDisabledAPIReason(detail.toObject().value(QLatin1String("reason")).toString()))
            return true;
    for (const QJsonValue &item : error.value(QLatin1String("errors")).toArray())
        if (isDisabledAPIReason(item.toObject().value(QLatin1String("reason")).toString()))
            return true;
    return false;
}

GDataError oauthRefusedError(const QString &why)
{
    return GDataError{kForbidden, QLatin1String(kGDataErrorDomainHTTP), why, {}};
}

GDataError oauthTokenEndpointError(int status, const QByteArray &body)
{
    const QString error =
        QJsonDocument::fromJson(body).object().value(QLatin1String("error")).toString();
    for (const char *refusing : kRefusingTokenErrors) {
        if (error == QLatin1String(refusing)) {
            GDataError refused =
                oauthRefusedError(QStringLiteral("the sign-in was refused (%1)").arg(error));
            refused.userInfo.insert(QLatin1String(kGDataErrorResponseBodyKey), body);
            return refused;
        }
    }
    return gdataHTTPError(status, body);
}

GDataError oauthAPIError(int status, const QByteArray &body)
{
    const QJsonObject error =
        QJsonDocument::fromJson(body).object().value(QLatin1String("error")).toObject();
    if (status == kForbidden && namesDisabledAPI(error)) {
        GDataError disabled{kGDataErrorOther,
                            QLatin1String(kGDataErrorDomainHTTP),
                            error.value(QLatin1String("message")).toString(),
                            {}};
        disabled.userInfo.insert(QLatin1String(kGDataErrorResponseBodyKey), body);
        return disabled;
    }
    return gdataHTTPError(status, body);
}
