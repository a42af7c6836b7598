#include "google/entries/lineends.h"

namespace lineends {

QString lineFeedsOnly(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace lineends
