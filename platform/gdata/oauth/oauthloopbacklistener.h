// The redirect target of a browser sign-in: a listener on 127.0.0.1 alone, on a port the system
// picks, that answers the one request bearing the sign-in's state and then stops listening. Any
// other request (another path, a wrong or missing state, a page's icon) is refused and the listener
// waits on.
#pragma once

#include <QHash>
#include <QObject>
#include <QTcpServer>
#include <QUrl>
#include <QUrlQuery>

#include <functional>

class QTcpSocket;

class OAuthLoopbackListener : public QObject
{
    Q_OBJECT
public:
    // The redirect's query: code and state, or error and state; later on the event loop.
    using Answered = std::function<void(const QUrlQuery &query)>;

    explicit OAuthLoopbackListener(QObject *parent = nullptr);

    bool listen(const QString &state, Answered answered);
    // http://127.0.0.1:PORT/
    QUrl redirectUri() const;
    void close();

private:
    void accept();
    void read(QTcpSocket *socket);
    void reply(QTcpSocket *socket, int status, const QByteArray &text);
    bool isTheAnswer(const QByteArray &requestLine, QUrlQuery *query) const;

    QTcpServer m_server;
    QString m_state;
    Answered m_answered;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};
