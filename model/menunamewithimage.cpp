#include "model/menunamewithimage.h"

#include "foundation/views/imagetext.h"

#include <QTextDocument>

std::unique_ptr<QTextDocument> menuNameWithImage(const QString &name, const QImage &image)
{
    constexpr qreal kBaselineOffset = 4;
    constexpr int kImageSize = 15;
    return imagetext::textWithImage(QStringLiteral("  ") + name, std::nullopt, kBaselineOffset,
                                    image, 1, kImageSize);
}
