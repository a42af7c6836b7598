#include "addressbook/vcards/vcardescaping.h"

namespace vcard {
namespace {

constexpr int maximumLineOctets = 75;

int utf8Octets(char32_t codePoint)
{
    if (codePoint < 0x80)
        return 1;
    if (codePoint < 0x800)
        return 2;
    return codePoint < 0x10000 ? 3 : 4;
}

} // namespace

QString escapeText(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case u'\\':
            result += QLatin1String("\\\\");
            break;
        case u',':
            result += QLatin1String("\\,");
            break;
        case u';':
            result += QLatin1String("\\;");
            break;
        case u'\r':
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            result += QLatin1String("\\n");
            break;
        case u'\n':
            result += QLatin1String("\\n");
            break;
        default:
            result += c;
        }
    }
    return result;
}

QString unescapeText(const QString &text)
{
    if (!text.contains(u'\\'))
        return text;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 == text.size()) {
            result += c;
            continue;
        }
        const QChar next = text.at(i + 1);
        if (next == u'n' || next == u'N')
            result += u'\n';
        else if (next == u'\\' || next == u',' || next == u';' || next == u':')
            result += next;
        else {
            result += c;
            continue;
        }
        ++i;
    }
    return result;
}

QStringList foldLine(const QString &line)
{
    QStringList lines;
    // Each physical line is cut out whole once its end is known.
    const auto cut = [&](qsizetype from, qsizetype to) {
        if (lines.isEmpty()) {
            lines.append(line.mid(from, to - from));
            return;
        }
        QString continued;
        continued.reserve(to - from + 1);
        continued += QLatin1Char(' ');
        continued += QStringView(line).mid(from, to - from);
        lines.append(continued);
    };
    qsizetype start = 0;
    int octets = 0;
    for (qsizetype i = 0; i < line.size();) {
        const qsizetype length = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const char32_t codePoint =
            length == 2 ? QChar::surrogateToUcs4(line.at(i), line.at(i + 1)) : line.at(i).unicode();
        const int size = utf8Octets(codePoint);
        if (octets + size > maximumLineOctets) {
            cut(start, i);
            start = i;
            octets = 1; // the blank that begins the next line
        }
        octets += size;
        i += length;
    }
    cut(start, line.size());
    return lines;
}

} // namespace vcard
