#include "foundation/views/imagetext.h"

#include <QFile>
#include <QFontInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace imagetext {

QString imagePath(const QString &name)
{
    if (name.isEmpty())
        return {};
    for (const QString &suffix :
         {QString(), QStringLiteral(".png"), QStringLiteral(".tiff"), QStringLiteral(".tif")}) {
        const QString path = QStringLiteral("images:") + name + suffix;
        if (QFile::exists(path))
            return path;
    }
    return {};
}

QImage imageNamed(const QString &name)
{
    const QString path = imagePath(name);
    return path.isEmpty() ? QImage() : QImage(path);
}

std::unique_ptr<QTextDocument> textWithImage(const QString &text, const std::optional<QFont> &font,
                                             qreal offset, const QImage &image, int position,
                                             int size)
{
    auto document = std::make_unique<QTextDocument>();
    QTextCharFormat format;
    if (font)
        format.setFont(*font);
    // The offset is given in points; Qt takes it as a share of the font's size.
    const qreal points = QFontInfo(font.value_or(document->defaultFont())).pointSizeF();
    if (points > 0)
        format.setBaselineOffset(offset * 100 / points);
    QTextCursor cursor(document.get());
    cursor.insertText(text, format);
    if (image.isNull())
        return document;

    const QUrl url(QStringLiteral("image:%1").arg(image.cacheKey()));
    document->addResource(
        QTextDocument::ImageResource, url,
        image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QTextImageFormat picture;
    picture.setName(url.toString());
    picture.setWidth(size);
    picture.setHeight(size);
    cursor.setPosition(position);
    cursor.insertImage(picture);
    return document;
}

} // namespace imagetext
