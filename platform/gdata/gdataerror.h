// The failure of a request: the HTTP status for HTTP failures, a negative code for network ones.
#pragma once

#include <QString>
#include <QVariantMap>

inline constexpr int kGDataErrorOther = -1;
inline constexpr int kGDataErrorTimedOut = -1001;
inline constexpr int kGDataErrorConnectionLost = -1005;
inline constexpr int kGDataErrorNotConnected = -1009;
// A reply that is not the Atom document the request expects (HTML error page, truncated body).
inline constexpr int kGDataErrorBadResponse = -1017;
// A request that cannot be sent: no URL (an entry without edit link, a feed without batch link).
inline constexpr int kGDataErrorBadURL = -1000;

inline constexpr char kGDataErrorDomainHTTP[] = "com.google.HTTPStatus";
inline constexpr char kGDataErrorDomainNetwork[] = "NSURLErrorDomain";
inline constexpr char kGDataErrorDomainParse[] = "com.google.GDataParse";

// userInfo keys.
inline constexpr char kGDataErrorResponseBodyKey[] = "data";
inline constexpr char kGDataErrorServerErrorsKey[] = "serverErrors";

struct GDataError
{
    int code = kGDataErrorOther;
    QString domain;
    QString description;
    QVariantMap userInfo;
};
