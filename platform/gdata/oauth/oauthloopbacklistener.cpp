#include "platform/gdata/oauth/oauthloopbacklistener.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

// A browser's request head is a few hundred bytes; anything far larger is not a redirect.
constexpr qsizetype kMostHeadBytes = 16 * 1024;

constexpr char kAnsweredPage[] =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Tolvane</title></head><body>"
    "<p>Tolvane has the answer of your sign-in. You may close this tab.</p></body></html>";
constexpr char kRefusedPage[] =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Tolvane</title></head><body>"
    "<p>This is not the sign-in Tolvane is waiting for.</p></body></html>";

QByteArray reasonOf(int status)
{
    return status == 200 ? QByteArrayLiteral("OK") : QByteArrayLiteral("Bad Request");
}

} // namespace

OAuthLoopbackListener::OAuthLoopbackListener(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &OAuthLoopbackListener::accept);
}

bool OAuthLoopbackListener::listen(const QString &state, Answered answered)
{
    m_state = state;
    m_answered = std::move(answered);
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl OAuthLoopbackListener::redirectUri() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort()));
}

void OAuthLoopbackListener::close()
{
    m_server.close();
    const QList<QTcpSocket *> sockets = m_buffers.keys();
    m_buffers.clear();
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void OAuthLoopbackListener::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        m_buffers.insert(socket, {});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void OAuthLoopbackListener::read(QTcpSocket *socket)
{
    auto buffer = m_buffers.find(socket);
    if (buffer == m_buffers.end())
        return;
    buffer->append(socket->readAll());
    const qsizetype headEnd = buffer->indexOf("\r\n\r\n");
    if (headEnd < 0) {
        if (buffer->size() > kMostHeadBytes)
            reply(socket, 400, kRefusedPage);
        return;
    }
    const QByteArray requestLine = buffer->left(buffer->indexOf("\r\n"));
    QUrlQuery query;
    if (!isTheAnswer(requestLine, &query)) {
        reply(socket, 400, kRefusedPage);
        return;
    }
    reply(socket, 200, kAnsweredPage);
    m_server.close();
    // Handed on from the event loop, so that whoever is answered may close or delete the
    // listener.
    Answered answered = std::move(m_answered);
    m_answered = nullptr;
    QTimer::singleShot(0, this, [answered = std::move(answered), query] { answered(query); });
}

bool OAuthLoopbackListener::isTheAnswer(const QByteArray &requestLine, QUrlQuery *query) const
{
    const QList<QByteArray> parts = requestLine.split(' ');
    if (parts.size() != 3 || parts[0] != "GET" || !m_answered)
        return false;
    const QUrl target(QString::fromLatin1(parts[1]));
    if (target.path() != QLatin1String("/"))
        return false;
    *query = QUrlQuery(target);
    return !m_state.isEmpty() &&
           query->queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded) == m_state;
}

void OAuthLoopbackListener::reply(QTcpSocket *socket, int status, const QByteArray &text)
{
    m_buffers.remove(socket);
    socket->disconnect(this);
    QByteArray response = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonOf(status) +
                          "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                          QByteArray::number(text.size()) +
                          "\r\nConnection: close\r\nCache-Control: no-store\r\n\r\n" + text;
    socket->write(response);
    socket->disconnectFromHost();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}
