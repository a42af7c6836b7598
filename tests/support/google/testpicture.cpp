#include "tests/support/google/testpicture.h"

#include <QBuffer>
#include <QImage>

namespace testpicture {

QByteArray encoded(const QColor &colour, const char *format, int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

} // namespace testpicture
