// One HTTP request as the server read it, and the response it sends (or holds back or drops, when a
// fault asks for it).
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QUrl>

#include <functional>

struct HttpRequest
{
    QByteArray method;
    QUrl url;                              // path and query
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

    QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
};

struct HttpResponse
{
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    int delayMs = 0;
    bool drop = false;    // close the connection without answering
    bool cutBody = false; // announce the whole body, send half of it, close the connection
    // Called once the response has left (or was dropped, or its connection went first).
    std::function<void()> onSent;

    static HttpResponse text(int status, const QByteArray &body);
    static HttpResponse atom(int status, const QByteArray &body);
    void setHeader(const QByteArray &name, const QByteArray &value);
};
