// The errors of a request that got no HTTP answer, a failed one, or an answer that could not be
// read, in the codes callers test for.
#pragma once

#include "platform/gdata/gdataerror.h"

#include <QNetworkReply>

GDataError gdataNetworkError(QNetworkReply::NetworkError error, const QString &text);
// An HTTP failure: the status as code, the body in userInfo.
GDataError gdataHTTPError(int status, const QByteArray &body);
// An answer that is not what the request expects: the fetch fails whole, with the body kept.
GDataError gdataBadResponse(const QString &what, const QByteArray &body);
