// The body of a request that must reach the server once at most: a sequential device, which the
// network layer cannot rewind, so it cannot send the request again on its own when a connection
// closes before any answer (a POST the server already applied would then be applied twice).
#pragma once

#include <QByteArray>
#include <QIODevice>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

class OnceOnlyBody : public QIODevice
{
public:
    explicit OnceOnlyBody(QByteArray data, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QByteArray m_data;
    qsizetype m_read = 0;
};

// Sends a write with its body as a once-only body. Qt Network sends a request again by itself when
// its connection closes before any answer, and a write the server already applied would then be
// applied twice. It can only do so by rewinding the body: an unbuffered sequential body cannot be
// rewound, so the request fails instead. HTTP/2 streams keep their own copy, so the write stays on
// HTTP/1.1.
QNetworkReply *sendOnceOnly(QNetworkAccessManager &network, QNetworkRequest request,
                            const QByteArray &method, const QByteArray &body);
