#include "platform/gdata/people/peoplejson.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cstring>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

qsizetype skipSpace(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
    return at;
}

// Past the closing quote of the string opening at at; -1 when it does not close. A quote closes
// the string unless an odd run of backslashes stands before it; strings are most of a reply's
// text, and each is passed over several times as the reply is taken apart.
qsizetype stringEnd(QByteArrayView text, qsizetype at)
{
    const char *data = text.data();
    for (qsizetype from = at + 1; from < text.size();) {
        const auto *found = static_cast<const char *>(memchr(data + from, '"', text.size() - from));
        if (!found)
            return -1;
        const qsizetype quote = found - data;
        qsizetype escapes = quote;
        while (escapes > from && data[escapes - 1] == '\\')
            --escapes;
        if ((quote - escapes) % 2 == 0)
            return quote + 1;
        from = quote + 1;
    }
    return -1;
}

// Past the value starting at at; -1 when it does not end.
qsizetype valueEnd(QByteArrayView text, qsizetype at)
{
    if (at >= text.size())
        return -1;
    if (text[at] == '"')
        return stringEnd(text, at);
    if (text[at] == '{' || text[at] == '[') {
        int depth = 0;
        while (at < text.size()) {
            const char c = text[at];
            if (c == '"') {
                at = stringEnd(text, at);
                if (at < 0)
                    return -1;
                continue;
            }
            if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (--depth == 0)
                    return at + 1;
            }
            ++at;
        }
        return -1;
    }
    while (at < text.size() && text[at] != ',' && text[at] != '}' && text[at] != ']' &&
           !isSpace(text[at]))
        ++at;
    return at;
}

// The parts between open and close, each read by part from the position after a separator;
// part answers the position past what it read, or -1.
template <typename Part> bool readParts(QByteArrayView text, char open, char close, Part part)
{
    qsizetype at = skipSpace(text, 0);
    if (at >= text.size() || text[at] != open)
        return false;
    at = skipSpace(text, at + 1);
    if (at < text.size() && text[at] == close)
        return skipSpace(text, at + 1) == text.size();
    while (at < text.size()) {
        at = part(skipSpace(text, at));
        if (at < 0)
            return false;
        at = skipSpace(text, at);
        if (at < text.size() && text[at] == close)
            return skipSpace(text, at + 1) == text.size();
        if (at >= text.size() || text[at] != ',')
            return false;
        ++at;
    }
    return false;
}

constexpr int kPlainDepth = 64;
constexpr qsizetype kPlainNumberLength = 15;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The code unit of the \u escape at at (its backslash), or -1.
int escapedUnit(QByteArrayView text, qsizetype at)
{
    if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u')
        return -1;
    int unit = 0;
    for (qsizetype i = at + 2; i < at + 6; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

bool isHighSurrogate(int unit)
{
    return unit >= 0xd800 && unit < 0xdc00;
}

bool isLowSurrogate(int unit)
{
    return unit >= 0xdc00 && unit < 0xe000;
}

// The length of the well-formed UTF-8 sequence at at, or 0. A byte order mark counts as none:
// Qt's parser drops it from a string.
qsizetype utf8Length(QByteArrayView text, qsizetype at)
{
    const auto byte = [&](qsizetype i) {
        return i < text.size() ? uchar(text[i]) : 0u;
    };
    const auto isTail = [&](qsizetype i) {
        return (byte(i) & 0xc0) == 0x80;
    };
    const uint lead = byte(at);
    if (lead >= 0xc2 && lead <= 0xdf)
        return isTail(at + 1) ? 2 : 0;
    if (lead >= 0xe0 && lead <= 0xef) {
        const uint second = byte(at + 1);
        if (!isTail(at + 1) || !isTail(at + 2) || (lead == 0xe0 && second < 0xa0) ||
            (lead == 0xed && second >= 0xa0))
            return 0;
        const bool byteOrderMark = lead == 0xef && second == 0xbb && byte(at + 2) == 0xbf;
        return byteOrderMark ? 0 : 3;
    }
    if (lead >= 0xf0 && lead <= 0xf4) {
        const uint second = byte(at + 1);
        if (!isTail(at + 1) || !isTail(at + 2) || !isTail(at + 3) ||
            (lead == 0xf0 && second < 0x90) || (lead == 0xf4 && second >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

// A reader of the plain form: each step answers the position past what it read, or -1.
class PlainReader
{
public:
    explicit PlainReader(QByteArrayView text)
        : m_text(text)
    {}

    bool readsWhole()
    {
        const qsizetype end = value(skipSpace(m_text, 0), 0);
        return end >= 0 && skipSpace(m_text, end) == m_text.size();
    }

private:
    qsizetype value(qsizetype at, int depth)
    {
        if (at >= m_text.size())
            return -1;
        switch (m_text[at]) {
        case '"':
            return string(at);
        case '{':
            return depth < kPlainDepth ? object(at, depth + 1) : -1;
        case '[':
            return depth < kPlainDepth ? array(at, depth + 1) : -1;
        case 't':
            return word(at, "true");
        case 'f':
            return word(at, "false");
        case 'n':
            return word(at, "null");
        default:
            return number(at);
        }
    }

    // Past the printable ASCII from at that a string holds as it is written.
    qsizetype plainRunEnd(qsizetype at) const
    {
        const char *data = m_text.data();
        while (at < m_text.size()) {
            const char c = data[at];
            if (c < 0x20 || c > 0x7e || c == '"' || c == '\\')
                break;
            ++at;
        }
        return at;
    }

    qsizetype word(qsizetype at, QByteArrayView word) const
    {
        return m_text.sliced(at).startsWith(word) ? at + word.size() : -1;
    }

    qsizetype digits(qsizetype at) const
    {
        const qsizetype start = at;
        while (at < m_text.size() && m_text[at] >= '0' && m_text[at] <= '9')
            ++at;
        return at > start ? at : -1;
    }

    // An exponent or a long number is left to Qt's parser, which refuses what overflows.
    qsizetype number(qsizetype at) const
    {
        const qsizetype start = at;
        if (m_text[at] == '-')
            ++at;
        if (at < m_text.size() && m_text[at] == '0')
            ++at;
        else if ((at = digits(at)) < 0)
            return -1;
        if (at < m_text.size() && m_text[at] == '.' && (at = digits(at + 1)) < 0)
            return -1;
        if (at < m_text.size() && (m_text[at] == 'e' || m_text[at] == 'E'))
            return -1;
        return at - start <= kPlainNumberLength ? at : -1;
    }

    qsizetype string(qsizetype at) const
    {
        for (++at; at < m_text.size();) {
            at = plainRunEnd(at);
            if (at >= m_text.size())
                return -1;
            const uchar c = uchar(m_text[at]);
            if (c == '"')
                return at + 1;
            if (c < 0x20)
                return -1;
            if (c == '\\') {
                at = escape(at);
                if (at < 0)
                    return -1;
            } else if (c < 0x80) {
                ++at;
            } else {
                const qsizetype length = utf8Length(m_text, at);
                if (length == 0)
                    return -1;
                at += length;
            }
        }
        return -1;
    }

    // Past the escape at at; a \u escape of half a surrogate pair, or of a byte order mark, is
    // left to Qt's parser.
    qsizetype escape(qsizetype at) const
    {
        if (at + 1 >= m_text.size())
            return -1;
        if (QByteArrayView("\"\\/bfnrt").contains(m_text[at + 1]))
            return at + 2;
        const int unit = escapedUnit(m_text, at);
        if (unit < 0 || unit == 0xfeff || isLowSurrogate(unit))
            return -1;
        if (!isHighSurrogate(unit))
            return at + 6;
        return isLowSurrogate(escapedUnit(m_text, at + 6)) ? at + 12 : -1;
    }

    template <typename Part> qsizetype parts(qsizetype at, char close, Part part)
    {
        at = skipSpace(m_text, at + 1);
        if (at < m_text.size() && m_text[at] == close)
            return at + 1;
        while (at < m_text.size()) {
            at = part(at);
            if (at < 0)
                return -1;
            at = skipSpace(m_text, at);
            if (at < m_text.size() && m_text[at] == close)
                return at + 1;
            if (at >= m_text.size() || m_text[at] != ',')
                return -1;
            at = skipSpace(m_text, at + 1);
        }
        return -1;
    }

    qsizetype object(qsizetype at, int depth)
    {
        return parts(at, '}', [&](qsizetype member) -> qsizetype {
            if (m_text[member] != '"')
                return -1;
            member = string(member);
            if (member < 0)
                return -1;
            member = skipSpace(m_text, member);
            if (member >= m_text.size() || m_text[member] != ':')
                return -1;
            return value(skipSpace(m_text, member + 1), depth);
        });
    }

    qsizetype array(qsizetype at, int depth)
    {
        return parts(at, ']', [&](qsizetype item) { return value(item, depth); });
    }

    QByteArrayView m_text;
};

char16_t escapedChar(char c)
{
    switch (c) {
    case 'b':
        return u'\b';
    case 'f':
        return u'\f';
    case 'n':
        return u'\n';
    case 'r':
        return u'\r';
    case 't':
        return u'\t';
    default:
        return char16_t(c);
    }
}

} // namespace

namespace peoplejson {

bool isPlainJSON(QByteArrayView text)
{
    return PlainReader(text).readsWhole();
}

QString decodeString(QByteArrayView quoted)
{
    const QByteArrayView inner = quoted.sliced(1, quoted.size() - 2);
    qsizetype escape = inner.indexOf('\\');
    if (escape < 0)
        return QString::fromUtf8(inner);
    QString decoded;
    decoded.reserve(inner.size());
    qsizetype at = 0;
    while (escape >= 0) {
        decoded += QString::fromUtf8(inner.sliced(at, escape - at));
        if (inner[escape + 1] == 'u') {
            decoded += QChar(char16_t(escapedUnit(inner, escape)));
            at = escape + 6;
        } else {
            decoded += QChar(escapedChar(inner[escape + 1]));
            at = escape + 2;
        }
        escape = inner.indexOf('\\', at);
    }
    decoded += QString::fromUtf8(inner.sliced(at));
    return decoded;
}

std::optional<QJsonObject> parseObject(const QByteArray &body, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = parseError.errorString();
        return std::nullopt;
    }
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    return document.object();
}

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<QString> stringValue(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<std::vector<std::pair<QByteArrayView, QByteArrayView>>>
memberTexts(QByteArrayView object)
{
    std::vector<std::pair<QByteArrayView, QByteArrayView>> members;
    const bool read = readParts(object, '{', '}', [&](qsizetype at) -> qsizetype {
        if (at >= object.size() || object[at] != '"')
            return -1;
        const qsizetype keyEnd = stringEnd(object, at);
        if (keyEnd < 0)
            return -1;
        qsizetype valueAt = skipSpace(object, keyEnd);
        if (valueAt >= object.size() || object[valueAt] != ':')
            return -1;
        valueAt = skipSpace(object, valueAt + 1);
        const qsizetype end = valueEnd(object, valueAt);
        if (end < 0)
            return -1;
        members.emplace_back(object.sliced(at + 1, keyEnd - at - 2),
                             object.sliced(valueAt, end - valueAt));
        return end;
    });
    if (!read)
        return std::nullopt;
    return members;
}

std::optional<std::vector<QByteArrayView>> itemTexts(QByteArrayView array)
{
    std::vector<QByteArrayView> items;
    const bool read = readParts(array, '[', ']', [&](qsizetype at) -> qsizetype {
        const qsizetype end = valueEnd(array, at);
        if (end > at)
            items.push_back(array.sliced(at, end - at));
        return end > at ? end : -1;
    });
    if (!read)
        return std::nullopt;
    return items;
}

std::optional<QByteArrayView> memberText(QByteArrayView object, QByteArrayView key)
{
    const auto members = memberTexts(object);
    if (!members)
        return std::nullopt;
    std::optional<QByteArrayView> found;
    for (const auto &[name, value] : *members) {
        if (name != key)
            continue;
        if (found)
            return std::nullopt;
        found = value;
    }
    return found;
}

} // namespace peoplejson
