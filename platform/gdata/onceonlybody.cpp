#include "platform/gdata/onceonlybody.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <cstring>

OnceOnlyBody::OnceOnlyBody(QByteArray data, QObject *parent)
    : QIODevice(parent)
    , m_data(std::move(data))
{
    open(QIODevice::ReadOnly);
}

qint64 OnceOnlyBody::bytesAvailable() const
{
    return m_data.size() - m_read + QIODevice::bytesAvailable();
}

qint64 OnceOnlyBody::readData(char *data, qint64 maxSize)
{
    const qint64 count = std::min<qint64>(maxSize, m_data.size() - m_read);
    if (count <= 0)
        return m_read >= m_data.size() ? -1 : 0;
    std::memcpy(data, m_data.constData() + m_read, size_t(count));
    m_read += count;
    return count;
}

qint64 OnceOnlyBody::writeData(const char *, qint64)
{
    return -1;
}

QNetworkReply *sendOnceOnly(QNetworkAccessManager &network, QNetworkRequest request,
                            const QByteArray &method, const QByteArray &body)
{
    request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    auto *device = new OnceOnlyBody(body);
    QNetworkReply *reply = network.sendCustomRequest(request, method, device);
    device->setParent(reply);
    return reply;
}
