#pragma once

#include <QImage>
#include <QString>

#include <memory>

class QTextDocument;

// The text a country or region shows in menus: two blanks and the name, its baseline raised by 4
// points, with the image at 15 x 15 points between the two blanks; the text alone when the image
// is null.
std::unique_ptr<QTextDocument> menuNameWithImage(const QString &name, const QImage &image);
