// A small HTTP/1.1 server on 127.0.0.1: reads requests with a Content-Length body, keeps
// connections alive, answers one request at a time per connection, and can hold back or drop a
// response.
#pragma once

#include "tools/gdata-server/http/httpmessage.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

class HttpServer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<HttpResponse(const HttpRequest &)>;

    HttpServer(Handler handler, QObject *parent = nullptr);
    // Port 0 picks a free one; false when the port cannot be had.
    bool listen(quint16 port);
    quint16 port() const { return m_server.serverPort(); }

private:
    void accept();
    void readFrom(QTcpSocket *socket);
    void send(QTcpSocket *socket, const HttpResponse &response, bool close);

    Handler m_handler;
    // What each connection has sent of its next requests, appended to in place as it arrives.
    // Declared before the server: the server's connections, ending with it, take themselves out.
    QHash<QTcpSocket *, QByteArray> m_pending;
    QTcpServer m_server;
};
