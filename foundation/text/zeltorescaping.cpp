#include "foundation/text/zeltorescaping.h"

#include <QByteArray>

namespace zeltor {

QString urlSafe(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding());
}

QString xmlSafe(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            result += QStringLiteral("&amp;");
            break;
        case u'<':
            result += QStringLiteral("&lt;");
            break;
        case u'>':
            result += QStringLiteral("&gt;");
            break;
        case u'"':
            result += QStringLiteral("&quot;");
            break;
        default:
            result += c;
        }
    }
    return result.isNull() ? QStringLiteral("") : result;
}

} // namespace zeltor
