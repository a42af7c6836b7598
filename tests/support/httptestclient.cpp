#include "tests/support/httptestclient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QTimer>

namespace httptest {

HttpTestReply send(const QByteArray &method, const QUrl &url, const QByteArray &body,
                   const QHash<QByteArray, QByteArray> &headers, int timeoutMs)
{
    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    // A redirect is an answer the test reads (a sign-in's 302 to a loopback listener that may
    // not exist), never one to follow.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    for (auto it = headers.cbegin(); it != headers.cend(); ++it)
        request.setRawHeader(it.key(), it.value());
    QNetworkReply *reply = network.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    HttpTestReply answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.error = reply->error();
    answer.body = reply->readAll();
    for (const auto &[name, value] : reply->rawHeaderPairs())
        answer.headers.insert(name.toLower(), value);
    delete reply;
    return answer;
}

} // namespace httptest
