// The error of a request that got no HTTP answer, in the codes callers test for.
#pragma once

#include "platform/gdata/gdataerror.h"

#include <QNetworkReply>

GDataError gdataNetworkError(QNetworkReply::NetworkError error, const QString &text);
// An HTTP failure: the status as code, the body in userInfo.
GDataError gdataHTTPError(int status, const QByteArray &body);
