#include "tools/gdata-server/people/googleerror.h"

#include <QJsonDocument>

namespace {

struct StatusCode
{
    int http;
    int rpc;
    const char *name;
};

// The first row of an HTTP status names it; FAILED_PRECONDITION also comes as 400.
constexpr StatusCode kStatusCodes[] = {
    {200, 0, "OK"},
    {400, 3, "INVALID_ARGUMENT"},
    {401, 16, "UNAUTHENTICATED"},
    {403, 7, "PERMISSION_DENIED"},
    {404, 5, "NOT_FOUND"},
    {409, 6, "ALREADY_EXISTS"},
    {412, 9, "FAILED_PRECONDITION"},
    {429, 8, "RESOURCE_EXHAUSTED"},
    {499, 1, "CANCELLED"},
    {500, 13, "INTERNAL"},
    {501, 12, "UNIMPLEMENTED"},
    {503, 14, "UNAVAILABLE"},
    {504, 4, "DEADLINE_EXCEEDED"},
};

const StatusCode &codeFor(int httpStatus)
{
    for (const StatusCode &code : kStatusCodes) {
        if (code.http == httpStatus)
            return code;
    }
    return httpStatus >= 500 ? kStatusCodes[9] : kStatusCodes[1];
}

} // namespace

namespace googleerror {

QString statusName(int httpStatus)
{
    return QString::fromLatin1(codeFor(httpStatus).name);
}

int rpcCode(int httpStatus)
{
    return codeFor(httpStatus).rpc;
}

QJsonObject rpcStatus(int httpStatus, const QString &message)
{
    return {{"code", rpcCode(httpStatus)}, {"message", message}};
}

HttpResponse json(int status, const QJsonObject &body)
{
    return jsonText(status, QJsonDocument(body).toJson(QJsonDocument::Compact));
}

HttpResponse jsonText(int status, QByteArray body)
{
    HttpResponse response;
    response.status = status;
    response.body = std::move(body);
    response.setHeader("Content-Type", "application/json; charset=UTF-8");
    return response;
}

HttpResponse error(int status, const QString &message, const QString &reason,
                   const QString &rpcStatus, const QJsonArray &moreDetails)
{
    QJsonArray details;
    if (!reason.isEmpty())
        details.append(QJsonObject{{"@type", "type.googleapis.com/google.rpc.ErrorInfo"},
                                   {"reason", reason},
                                   {"domain", "googleapis.com"}});
    for (const QJsonValue &detail : moreDetails)
        details.append(detail);
    QJsonObject body{{"code", status},
                     {"message", message},
                     {"status", rpcStatus.isEmpty() ? statusName(status) : rpcStatus}};
    if (!details.isEmpty())
        body.insert("details", details);
    return json(status, {{"error", body}});
}

} // namespace googleerror
