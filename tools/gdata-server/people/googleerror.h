// Errors as Google's JSON APIs answer them: {"error": {"code", "message", "status", "details"}},
// the status named as the RPC code that HTTP status stands for.
#pragma once

#include "tools/gdata-server/http/httpmessage.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

namespace googleerror {

// The RPC status name of an HTTP status ("INVALID_ARGUMENT" for 400, ...).
QString statusName(int httpStatus);
// The numeric RPC code of an HTTP status, as a google.rpc.Status carries it.
int rpcCode(int httpStatus);
// A google.rpc.Status object, for the per-entry errors of batches.
QJsonObject rpcStatus(int httpStatus, const QString &message);

HttpResponse json(int status, const QJsonObject &body);
// A body already written as JSON text.
HttpResponse jsonText(int status, QByteArray body);
// rpcStatus names the status where the HTTP status alone does not (a stale etag's 400
// FAILED_PRECONDITION).
HttpResponse error(int status, const QString &message, const QString &reason = {},
                   const QString &rpcStatus = {}, const QJsonArray &moreDetails = {});

} // namespace googleerror
