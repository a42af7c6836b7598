#include "tests/loader/webview/webpageserver.h"

#include <QHostAddress>
#include <QTcpServer>

WebPageServer::WebPageServer()
{
    m_server.setMissingHandler(
        [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
            answer(request, std::move(responder));
        });
}

bool WebPageServer::start()
{
    m_port = m_server.listen(QHostAddress::LocalHost, 0);
    return m_port != 0;
}

QUrl WebPageServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
}

QUrl WebPageServer::refusedUrl(const QString &path)
{
    // A port the system just handed out and took back has no listener.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path));
}

void WebPageServer::addPage(const QString &path, const QByteArray &html, int status)
{
    m_replies.insert(path, Reply{status, "text/html; charset=utf-8", html, {}});
}

void WebPageServer::addFile(const QString &path, const QByteArray &contentType,
                            const QByteArray &body)
{
    m_replies.insert(path, Reply{200, contentType, body, {}});
}

void WebPageServer::addRedirect(const QString &path, const QString &target)
{
    m_replies.insert(path, Reply{302, "text/plain", QByteArray(), {{"Location", target.toUtf8()}}});
}

void WebPageServer::addHeader(const QString &path, const QByteArray &name, const QByteArray &value)
{
    m_replies[path].headers.append({name, value});
}

QList<QByteArray> WebPageServer::cookiesSentFor(const QString &path) const
{
    return m_cookies.value(path);
}

void WebPageServer::answer(const QHttpServerRequest &request, QHttpServerResponder &&responder)
{
    const QString path = request.url().path();
    m_cookies[path].append(request.value("Cookie"));
    const auto found = m_replies.constFind(path);
    const Reply reply = found != m_replies.constEnd()
                            ? *found
                            : Reply{404, "text/plain", QByteArray("Not Found"), {}};
    responder.writeStatusLine(QHttpServerResponder::StatusCode(reply.status));
    responder.writeHeader("Content-Type", reply.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
    // Every test page is fetched afresh, never from a cache of an earlier test.
    responder.writeHeader("Cache-Control", "no-store");
    for (const auto &[name, value] : reply.headers)
        responder.writeHeader(name, value);
    responder.writeBody(reply.body);
}
