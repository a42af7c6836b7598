// Plain HTTP requests for tests, answered before the call returns (a local event loop runs while
// waiting); redirects are returned, not followed.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QNetworkReply>
#include <QUrl>

struct HttpTestReply
{
    int status = 0; // 0: no HTTP answer
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray body;
    QHash<QByteArray, QByteArray> headers; // names in lower case
};

namespace httptest {

HttpTestReply send(const QByteArray &method, const QUrl &url, const QByteArray &body = {},
                   const QHash<QByteArray, QByteArray> &headers = {}, int timeoutMs = 90000);

} // namespace httptest
