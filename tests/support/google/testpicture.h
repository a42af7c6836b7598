// Pictures for the tests that need one.
#pragma once

#include <QByteArray>
#include <QColor>

namespace testpicture {

// A square picture of one colour, side pixels wide, in the format ("JPEG", "PNG", "TIFF").
QByteArray encoded(const QColor &colour, const char *format, int side = 8);

} // namespace testpicture
