// Google's error answers in the codes the layers above know from the Atom protocol: the status of
// one entry of a batch, and the failure of a whole request.
#pragma once

#include "platform/gdata/entries/gdatabatch.h"
#include "platform/gdata/gdataerror.h"

#include <QByteArray>
#include <QJsonObject>

// userInfo key of Google's error object ({"code", "message", "status", "details"}).
inline constexpr char kPeopleErrorGoogleErrorKey[] = "googleError";

namespace peopleerrors {

// A canonical status name (INVALID_ARGUMENT ...) as the code of a batch entry.
unsigned codeForStatusName(const QString &status);

// A google.rpc.Status (by name, else by its numeric code) as the status of a batch entry: the
// message as reason, the ErrorInfo reason as stringValue.
GDataBatchStatus batchStatusForStatus(const QJsonObject &status);

// The ErrorInfo reasons of an error object, and the reasons of its older "errors" list.
QStringList errorReasons(const QJsonObject &error);

// The failure of a whole request. A stale etag is 412 whichever form Google gives it; a refused
// refresh (invalid_grant) is 403, the refused-account path; a disabled API or unconfigured project
// is -1 with Google's message, since dropping the account for it would not mend it.
GDataError errorForReply(int httpStatus, const QByteArray &body);

} // namespace peopleerrors
