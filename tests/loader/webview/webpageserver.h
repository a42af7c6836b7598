#pragma once

#include <QByteArray>
#include <QHash>
#include <QHttpServer>
#include <QList>
#include <QString>
#include <QUrl>

// A loopback web server of small pages for the web view's tests. Any other path answers 404.
class WebPageServer
{
public:
    WebPageServer();

    bool start();
    QUrl url(const QString &path) const;
    // An address on the loopback interface where nothing listens: a connection there is refused.
    static QUrl refusedUrl(const QString &path);

    void addPage(const QString &path, const QByteArray &html, int status = 200);
    void addFile(const QString &path, const QByteArray &contentType, const QByteArray &body);
    void addRedirect(const QString &path, const QString &target);
    // Answers the page with a header of its own, such as Set-Cookie.
    void addHeader(const QString &path, const QByteArray &name, const QByteArray &value);

    // The Cookie header of each request for the path, in order.
    QList<QByteArray> cookiesSentFor(const QString &path) const;

private:
    struct Reply
    {
        int status = 200;
        QByteArray contentType;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
    };
    void answer(const QHttpServerRequest &request, QHttpServerResponder &&responder);

    QHttpServer m_server;
    quint16 m_port = 0;
    QHash<QString, Reply> m_replies;
    QHash<QString, QList<QByteArray>> m_cookies;
};
