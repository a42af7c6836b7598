#include "platform/gdata/people/peoplephotobytes.h"

#include <QBuffer>
#include <QImage>

namespace peoplephotobytes {

namespace {

bool isJPEGOrPNG(const QByteArray &data)
{
    return data.startsWith("\xFF\xD8\xFF") || data.startsWith("\x89PNG\r\n\x1A\n");
}

} // namespace

std::optional<QByteArray> uploadable(const QByteArray &data)
{
    if (isJPEGOrPNG(data))
        return data;
    QImage image;
    if (!image.loadFromData(data))
        return std::nullopt;
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG"))
        return std::nullopt;
    qInfo("People: a photo of another format goes up as JPEG (%lld bytes)", qint64(jpeg.size()));
    return jpeg;
}

} // namespace peoplephotobytes
