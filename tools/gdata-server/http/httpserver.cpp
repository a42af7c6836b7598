#include "tools/gdata-server/http/httpserver.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace {

// Bodies past this are refused rather than buffered.
constexpr qsizetype kMaxRequestSize = 64 * 1024 * 1024;
constexpr char kBusyProperty[] = "gdataBusy";

// A client that sends its body in several writes with Nagle's algorithm on holds the last short
// piece until the previous one is acknowledged; acknowledging at once, rather than after the
// kernel's delayed-acknowledgement timer, spares every such request that wait. Linux turns quick
// acknowledgement off again by itself, so it is asked for at every read.
void acknowledgeAtOnce(QTcpSocket *socket)
{
#ifdef TCP_QUICKACK
    const int on = 1;
    setsockopt(int(socket->socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#else
    Q_UNUSED(socket);
#endif
}

enum class ParseState { Incomplete, Complete, Invalid };

ParseState parseRequest(QByteArray &buffer, HttpRequest &request)
{
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return buffer.size() > 65536 ? ParseState::Invalid : ParseState::Incomplete;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    if (requestLine.size() != 3 || !requestLine[2].startsWith("HTTP/1."))
        return ParseState::Invalid;
    request = {};
    request.method = requestLine[0];
    request.url = QUrl::fromEncoded(requestLine[1]);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    if (request.headers.contains("transfer-encoding"))
        return ParseState::Invalid;
    bool ok = true;
    const QByteArray lengthText = request.headers.value("content-length", "0");
    const qsizetype length = lengthText.toLongLong(&ok);
    if (!ok || length < 0 || length > kMaxRequestSize)
        return ParseState::Invalid;
    if (buffer.size() < headerEnd + 4 + length)
        return ParseState::Incomplete;
    request.body = buffer.mid(headerEnd + 4, length);
    buffer.remove(0, headerEnd + 4 + length);
    return ParseState::Complete;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 204:
        return "No Content";
    case 302:
        return "Found";
    case 304:
        return "Not Modified";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 409:
        return "Conflict";
    case 412:
        return "Precondition Failed";
    case 413:
        return "Request Entity Too Large";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    default:
        return "Status";
    }
}

} // namespace

HttpServer::HttpServer(Handler handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpServer::accept);
}

bool HttpServer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

void HttpServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        // Answers go out whole at once, without waiting for the client's acknowledgement.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        acknowledgeAtOnce(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_pending.remove(socket); });
    }
}

void HttpServer::readFrom(QTcpSocket *socket)
{
    if (socket->property(kBusyProperty).toBool())
        return; // the held-back response reads on when it is sent
    // A large body arrives in many reads: appending to one buffer per connection keeps each
    // read's cost to its own bytes, not the whole body received so far.
    QByteArray &buffer = m_pending[socket];
    buffer.append(socket->readAll());
    acknowledgeAtOnce(socket);
    HttpRequest request;
    const ParseState state = parseRequest(buffer, request);
    if (state == ParseState::Incomplete)
        return;
    if (state == ParseState::Invalid) {
        send(socket, HttpResponse::text(400, "Bad Request\n"), true);
        return;
    }
    const HttpResponse response = m_handler(request);
    const bool close = request.header("connection").compare("close", Qt::CaseInsensitive) == 0;
    if (response.delayMs <= 0) {
        send(socket, response, close);
        return;
    }
    socket->setProperty(kBusyProperty, true);
    QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(response.delayMs, this, [this, guard, response, close] {
        if (guard)
            send(guard, response, close);
        else if (response.onSent)
            response.onSent();
    });
}

void HttpServer::send(QTcpSocket *socket, const HttpResponse &response, bool close)
{
    socket->setProperty(kBusyProperty, false);
    if (response.onSent)
        response.onSent();
    if (response.drop) {
        socket->abort();
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                      reasonPhrase(response.status) + "\r\n";
    for (const auto &[name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    if (close)
        head += "Connection: close\r\n";
    if (response.cutBody) {
        socket->write(head + "\r\n" + response.body.left(response.body.size() / 2));
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + "\r\n" + response.body);
    if (close) {
        socket->disconnectFromHost();
        return;
    }
    if (socket->bytesAvailable() > 0 || !m_pending.value(socket).isEmpty())
        QTimer::singleShot(0, socket, [this, socket] { readFrom(socket); });
}
