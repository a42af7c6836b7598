#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>

class QTextDocument;

// The program's images, found on the "images" search path, and the texts with a small image in
// them that menus and lists show.
namespace imagetext {

// The path of the image of that name, tried as given and then with ".png", ".tiff" and ".tif";
// empty when there is no such image.
QString imagePath(const QString &name);
// The image at imagePath; a null image when there is none or it cannot be read.
QImage imageNamed(const QString &name);

// The text with its baseline raised by offset points, in the font when one is given, and the
// image, scaled to size x size points, inserted at the position. A null image leaves the text
// alone.
std::unique_ptr<QTextDocument> textWithImage(const QString &text, const std::optional<QFont> &font,
                                             qreal offset, const QImage &image, int position,
                                             int size);

} // namespace imagetext
