#include "addressbook/vcards/vcardcontentline.h"

#include "addressbook/vcards/vcardescaping.h"
#include "foundation/text/zeltordata.h"
#include "platform/addressbook/vcard/vcardparser.h"

namespace {

const QStringList bareEncodings = {QStringLiteral("BASE64"), QStringLiteral("B"),
                                   QStringLiteral("QUOTED-PRINTABLE"), QStringLiteral("8BIT"),
                                   QStringLiteral("7BIT")};

bool isBase64Encoding(const QString &encoding)
{
    return encoding == QLatin1String("B") || encoding == QLatin1String("BASE64");
}

// The splits of a header at a separator that is not inside double quotes.
QStringList splitOutsideQuotes(QStringView text, QChar separator)
{
    QStringList parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'"')
            quoted = !quoted;
        else if (text.at(i) == separator && !quoted) {
            parts.append(text.mid(start, i - start).toString());
            start = i + 1;
        }
    }
    parts.append(text.mid(start).toString());
    return parts;
}

qsizetype valueColon(QStringView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'"')
            quoted = !quoted;
        else if (line.at(i) == u':' && !quoted)
            return i;
    }
    return -1;
}

VCardContentLine readHeader(const QString &line)
{
    VCardContentLine property;
    property.physicalLines.append(line);
    const qsizetype colon = valueColon(line);
    if (colon <= 0)
        return property;
    const QStringList header = splitOutsideQuotes(QStringView(line).left(colon), u';');
    const QString &qualifiedName = header.first();
    const qsizetype dot = qualifiedName.lastIndexOf(u'.');
    property.group = dot < 0 ? QString() : qualifiedName.left(dot);
    property.name = qualifiedName.mid(dot + 1).trimmed().toUpper();
    for (qsizetype i = 1; i < header.size(); ++i) {
        const qsizetype equals = header.at(i).indexOf(u'=');
        if (equals < 0) {
            property.parameters.append({QString(), header.at(i).trimmed()});
            continue;
        }
        QString value = header.at(i).mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        property.parameters.append({header.at(i).left(equals).trimmed().toUpper(), value});
    }
    property.value = line.mid(colon + 1);
    return property;
}

// Whether the physical line carries the property on, other than by a leading blank.
bool continuesEncodedValue(const VCardContentLine &property, QStringView line)
{
    const QString encoding = property.encoding();
    if (encoding == QLatin1String("QUOTED-PRINTABLE"))
        return property.value.endsWith(u'=');
    return isBase64Encoding(encoding) && !line.isEmpty() && vcard::isBase64Text(line);
}

QStringList physicalLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        // CR CR LF, as a file copied twice in text mode on Windows ends its lines, is one end.
        if (c == u'\r' && i + 2 < text.size() && text.at(i + 1) == u'\r' && text.at(i + 2) == u'\n')
            i += 2;
        else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QByteArray decodeQuotedPrintable(const QString &text)
{
    QByteArray result;
    result.reserve(text.size());
    const QByteArray bytes = text.toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) != '=') {
            result.append(bytes.at(i));
            continue;
        }
        bool ok = false;
        const int code = i + 2 < bytes.size() ? bytes.mid(i + 1, 2).toInt(&ok, 16) : 0;
        if (ok) {
            result.append(char(code));
            i += 2;
        } else if (i + 1 < bytes.size()) {
            result.append('='); // not an escape: kept as written
        }
    }
    return result;
}

} // namespace

QString VCardContentLine::parameter(const QString &upperName) const
{
    for (const VCardParameter &p : parameters) {
        if (p.name == upperName)
            return p.value;
    }
    return {};
}

QStringList VCardContentLine::types() const
{
    QStringList result;
    for (const VCardParameter &p : parameters) {
        if (p.name == QLatin1String("TYPE")) {
            for (const QString &type : p.value.split(u',', Qt::SkipEmptyParts))
                result.append(type.trimmed().toUpper());
        } else if (p.name.isEmpty() && !bareEncodings.contains(p.value.toUpper())) {
            result.append(p.value.toUpper());
        }
    }
    return result;
}

QString VCardContentLine::encoding() const
{
    for (const VCardParameter &p : parameters) {
        if (p.name == QLatin1String("ENCODING"))
            return p.value.toUpper();
        if (p.name.isEmpty() && bareEncodings.contains(p.value.toUpper()))
            return p.value.toUpper();
    }
    return {};
}

QString VCardContentLine::textValue() const
{
    if (encoding() != QLatin1String("QUOTED-PRINTABLE"))
        return vcard::unescapeText(value);
    const QByteArray bytes = decodeQuotedPrintable(value);
    return vcard::unescapeText(
        vcardparser::decodeText(bytes, parameter(QStringLiteral("CHARSET")).toLatin1()));
}

std::optional<QByteArray> VCardContentLine::binaryValue() const
{
    if (isBase64Encoding(encoding()))
        return zeltor::decodeBase64(value);
    return vcardparser::decodeDataUri(value.trimmed());
}

namespace vcard {

bool isBase64Text(QStringView line)
{
    for (QChar c : line) {
        const char16_t u = c.unicode();
        const bool symbol = (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') ||
                            (u >= u'0' && u <= u'9') || u == u'+' || u == u'/' || u == u'=' ||
                            u == u' ' || u == u'\t';
        if (!symbol)
            return false;
    }
    return true;
}

QList<VCardContentLine> parseContentLines(const QString &text)
{
    QList<VCardContentLine> result;
    for (const QString &line : physicalLines(text)) {
        if (!result.isEmpty()) {
            VCardContentLine &last = result.last();
            const bool folded = !line.isEmpty() && (line.at(0) == u' ' || line.at(0) == u'\t');
            if (last.isProperty() && (folded || continuesEncodedValue(last, line))) {
                if (!folded && last.encoding() == QLatin1String("QUOTED-PRINTABLE"))
                    last.value.chop(1); // the "=" of a soft line break
                last.value += folded ? QStringView(line).mid(1) : QStringView(line);
                last.physicalLines.append(line);
                continue;
            }
        }
        result.append(readHeader(line));
    }
    return result;
}

const VCardContentLine *findProperty(const QList<VCardContentLine> &lines, const QString &name)
{
    for (const VCardContentLine &line : lines) {
        if (line.name == name)
            return &line;
    }
    return nullptr;
}

} // namespace vcard
