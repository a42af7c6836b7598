#include "google/photos/photouploadentry.h"

#include <QBuffer>
#include <QImage>

namespace photouploadentry {

QByteArray jpegData(const QByteArray &imageData)
{
    const QImage image = QImage::fromData(imageData);
    if (image.isNull())
        return QByteArray();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    // The writer's default quality, as the photos were always sent.
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "JPEG"))
        return QByteArray();
    return jpeg;
}

GDataEntryContactPtr photoEntry(const QString &title, const QByteArray &data,
                                const QString &mimeType, const QString &slug,
                                const std::optional<QString> &eTag)
{
    GDataEntryContactPtr entry = GDataEntryContact::contactEntryWithTitle(title);
    entry->setUploadData(data);
    entry->setUploadMIMEType(mimeType);
    entry->setUploadSlug(slug);
    entry->setETag(eTag);
    return entry;
}

} // namespace photouploadentry
