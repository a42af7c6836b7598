#include "platform/addressbook/vcard/vcardparser.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

// Windows-1252 differs from ISO-8859-1 in 0x80-0x9F only; the five unassigned bytes map to the
// control characters of the same value, as ISO-8859-1 does.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code < 0xA0) ? QChar(kWindows1252High[code - 0x80]) : QChar(code);
    }
    return text;
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString fromUtf8OrWindows1252(QByteArrayView bytes)
{
    // Most values are plain ASCII, which every charset here reads alike.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? fromWindows1252(bytes) : text;
}

bool isFoldContinuation(QByteArrayView line)
{
    return !line.isEmpty() && (line.front() == ' ' || line.front() == '\t');
}

// The name and parameters ask for quoted-printable ("ENCODING=QUOTED-PRINTABLE" or the bare 2.1
// form), whose lines may end in a soft break "=".
bool headAsksForQuotedPrintable(QByteArrayView line)
{
    const qsizetype colon = line.indexOf(':');
    const QByteArrayView head = colon < 0 ? line : line.first(colon);
    if (!head.contains('Q') && !head.contains('q'))
        return false;
    for (QByteArray parameter : QByteArray(head.data(), head.size()).split(';')) {
        parameter = parameter.trimmed().toUpper();
        if (parameter == "QUOTED-PRINTABLE" || parameter == "ENCODING=QUOTED-PRINTABLE")
            return true;
    }
    return false;
}

// One logical line: a view of the card's own bytes when it stands on one physical line, as most
// do, else its physical lines joined.
class LogicalLine
{
public:
    explicit LogicalLine(QByteArrayView text)
        : m_text(text)
    {}

    QByteArrayView text() const { return m_joined.isNull() ? m_text : QByteArrayView(m_joined); }

    void append(QByteArrayView more)
    {
        join();
        m_joined.append(more);
    }

    void chop(qsizetype count)
    {
        join();
        m_joined.chop(count);
    }

private:
    void join()
    {
        if (m_joined.isNull())
            m_joined = m_text.toByteArray();
    }

    QByteArrayView m_text;
    QByteArray m_joined;
};

// The length of the line end at that position: CR LF, LF or CR, and CR CR LF as one, as files
// that passed twice through a text-mode copy on Windows end their lines.
qsizetype lineEndLength(QByteArrayView data, qsizetype at)
{
    if (at >= data.size())
        return 0;
    if (data.at(at) == '\r' && at + 2 < data.size() && data.at(at + 1) == '\r' &&
        data.at(at + 2) == '\n')
        return 3;
    if (data.at(at) == '\r' && at + 1 < data.size() && data.at(at + 1) == '\n')
        return 2;
    return 1;
}

// Physical lines (ended by CR LF, LF, CR or CR CR LF) joined into logical lines: a line starting
// with a blank continues the one before it without that blank, and a quoted-printable line
// ending in "=" continues with the next line whatever it starts with, unless that line is empty:
// an empty line ends the value, and what follows is a property of its own. The lines are read
// in place.
QList<LogicalLine> unfoldedLines(QByteArrayView data)
{
    QList<LogicalLine> lines;
    bool currentIsQuotedPrintable = false;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = start;
        while (end < data.size() && data.at(end) != '\r' && data.at(end) != '\n')
            ++end;
        const QByteArrayView line(data.constData() + start, end - start);
        start = end + lineEndLength(data, end);
        if (line.isEmpty()) {
            currentIsQuotedPrintable = false;
            continue;
        }
        if (!lines.isEmpty() && isFoldContinuation(line)) {
            lines.last().append(line.sliced(1));
        } else if (!lines.isEmpty() && currentIsQuotedPrintable &&
                   lines.last().text().endsWith('=')) {
            lines.last().chop(1);
            lines.last().append(line);
        } else {
            lines.append(LogicalLine(line));
            currentIsQuotedPrintable = headAsksForQuotedPrintable(line);
        }
    }
    return lines;
}

// Splits at a separator that is not inside double quotes.
QList<QByteArrayView> splitOutsideQuotes(QByteArrayView text, char separator)
{
    QList<QByteArrayView> parts;
    bool quoted = false;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == '"')
            quoted = !quoted;
        else if (text.at(i) == separator && !quoted) {
            parts.append(text.sliced(begin, i - begin));
            begin = i + 1;
        }
    }
    parts.append(text.sliced(begin));
    return parts;
}

qsizetype colonOutsideQuotes(QByteArrayView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == '"')
            quoted = !quoted;
        else if (line.at(i) == ':' && !quoted)
            return i;
    }
    return -1;
}

QByteArray unquoted(QByteArrayView value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.sliced(1, value.size() - 2);
    return QByteArray(value.data(), value.size());
}

bool isEncodingName(const QByteArray &upper)
{
    return upper == "QUOTED-PRINTABLE" || upper == "BASE64" || upper == "B" || upper == "8BIT" ||
           upper == "7BIT";
}

void addTypes(VCardLine &line, const QByteArray &list)
{
    for (const QByteArray &type : list.split(',')) {
        const QString name = QString::fromLatin1(type.trimmed()).toLower();
        if (!name.isEmpty())
            line.types.append(name);
    }
}

void readParameter(VCardLine &line, QByteArrayView parameter)
{
    const qsizetype equals = parameter.indexOf('=');
    if (equals < 0) {
        // vCard 2.1 writes a parameter's value alone: "TEL;HOME;FAX:", "PHOTO;BASE64:".
        const QByteArray bare = QByteArray(parameter.data(), parameter.size()).trimmed().toUpper();
        if (isEncodingName(bare))
            line.parameters.append({"ENCODING", bare});
        else if (!bare.isEmpty())
            addTypes(line, bare);
        return;
    }
    const QByteArray key = QByteArray(parameter.data(), equals).trimmed().toUpper();
    const QByteArray value = unquoted(parameter.sliced(equals + 1));
    line.parameters.append({key, value});
    if (key == "TYPE")
        addTypes(line, value);
    else if (key == "PREF")
        line.types.append(QStringLiteral("pref"));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<QByteArray> decodedQuotedPrintable(QByteArrayView encoded)
{
    QByteArray decoded;
    decoded.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded.at(i);
        if (c != '=') {
            decoded.append(c);
            continue;
        }
        // A soft break at the very end of the value joins nothing.
        if (i + 1 == encoded.size())
            break;
        if (i + 2 >= encoded.size())
            return std::nullopt;
        const int high = hexValue(encoded.at(i + 1));
        const int low = hexValue(encoded.at(i + 2));
        if (high < 0 || low < 0)
            return std::nullopt;
        decoded.append(char(high * 16 + low));
        i += 2;
    }
    return decoded;
}

bool isBase64Symbol(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/';
}

std::optional<QByteArray> decodedBase64(QByteArrayView encoded)
{
    QByteArray compact;
    compact.reserve(encoded.size());
    for (const char c : encoded) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            compact.append(c);
    }
    if (auto result =
            QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors))
        return *result;
    // Phones write Base64 with a stray "=", a "=" too many or none at all, or cut short: the
    // symbols alone, padded again, still give the bytes, and the reader checks what they are.
    QByteArray symbols;
    symbols.reserve(compact.size() + 3);
    for (const char c : std::as_const(compact)) {
        if (isBase64Symbol(c))
            symbols.append(c);
        else if (c != '=')
            return std::nullopt;
    }
    // A last group of one symbol holds no whole byte.
    if (symbols.size() % 4 == 1)
        symbols.chop(1);
    while (symbols.size() % 4 != 0)
        symbols.append('=');
    auto result = QByteArray::fromBase64Encoding(symbols, QByteArray::AbortOnBase64DecodingErrors);
    if (!result || result.decoded.isEmpty())
        return std::nullopt;
    return *result;
}

QString decodedText(QByteArrayView bytes, const QByteArray &charset)
{
    const QByteArray name = charset.trimmed().toUpper();
    if (name.isEmpty() || name == "UTF-8" || name == "UTF8")
        return fromUtf8OrWindows1252(bytes);
    if (name == "ISO-8859-1" || name == "LATIN1" || name == "US-ASCII")
        return QString::fromLatin1(bytes);
    if (name == "WINDOWS-1252" || name == "CP1252")
        return fromWindows1252(bytes);
    QStringDecoder decoder(name.constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return fromUtf8OrWindows1252(bytes);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? fromUtf8OrWindows1252(bytes) : text;
}

// The value of a line in its final form, or an error text.
std::optional<QString> decodeValue(VCardLine &line, QByteArrayView raw)
{
    const QByteArray encoding = line.parameter("ENCODING").toUpper();
    if (encoding == "B" || encoding == "BASE64") {
        const std::optional<QByteArray> data = decodedBase64(raw);
        if (!data)
            return QStringLiteral("the Base64 value of %1 cannot be decoded")
                .arg(QString::fromLatin1(line.name));
        line.isBinary = true;
        line.data = *data;
        return QString();
    }
    if (encoding == "QUOTED-PRINTABLE") {
        const std::optional<QByteArray> decoded = decodedQuotedPrintable(raw);
        if (!decoded)
            return QStringLiteral("the quoted-printable value of %1 cannot be decoded")
                .arg(QString::fromLatin1(line.name));
        line.value = decodedText(*decoded, line.parameter("CHARSET"));
        return QString();
    }
    line.value = decodedText(raw, line.parameter("CHARSET"));
    return QString();
}

// Reads one logical line; nullopt for a line that has no value (no colon), which is skipped.
std::optional<VCardLine> readLine(QByteArrayView text, QString *error)
{
    const qsizetype colon = colonOutsideQuotes(text);
    if (colon < 0)
        return std::nullopt;
    const QList<QByteArrayView> head = splitOutsideQuotes(text.first(colon), ';');
    VCardLine line;
    const QByteArrayView groupAndName = head.first();
    const qsizetype dot = groupAndName.lastIndexOf('.');
    if (dot >= 0)
        line.group = QByteArray(groupAndName.data(), dot).trimmed();
    line.name = QByteArray(groupAndName.sliced(dot + 1).data(), groupAndName.size() - dot - 1)
                    .trimmed()
                    .toUpper();
    for (qsizetype i = 1; i < head.size(); ++i)
        readParameter(line, head.at(i));
    const QString problem = decodeValue(line, text.sliced(colon + 1)).value_or(QString());
    if (!problem.isEmpty()) {
        *error = problem;
        return std::nullopt;
    }
    return line;
}

bool isCardMarker(const VCardLine &line, const char *name)
{
    return line.name == name && line.value.trimmed().compare(u"VCARD", Qt::CaseInsensitive) == 0;
}

void setError(QString *errorMessage, const QString &text)
{
    if (errorMessage)
        *errorMessage = text;
}

} // namespace

namespace vcardparser {

std::optional<VCard> parse(const QByteArray &data, QString *errorMessage)
{
    VCard card;
    int depth = 0;
    const QByteArray text8 = withoutByteOrderMark(data);
    const QList<LogicalLine> texts = unfoldedLines(text8);
    card.lines.reserve(texts.size());
    for (const LogicalLine &text : texts) {
        QString error;
        std::optional<VCardLine> line = readLine(text.text(), &error);
        if (!error.isEmpty()) {
            // One damaged value costs that value alone.
            if (depth == 1)
                card.skipped.append(error);
            continue;
        }
        if (!line)
            continue;
        if (isCardMarker(*line, "BEGIN")) {
            ++depth;
        } else if (isCardMarker(*line, "END") && depth > 0) {
            if (--depth > 0)
                continue;
            if (card.lines.isEmpty()) {
                setError(errorMessage, card.skipped.isEmpty()
                                           ? QStringLiteral("the card holds no property")
                                           : card.skipped.join(QStringLiteral("; ")));
                return std::nullopt;
            }
            return card;
        } else if (depth == 1) {
            // Lines of a card inside the card (a 2.1 AGENT) are not the person's.
            if (line->name == "VERSION")
                card.version = line->value.trimmed().toLatin1();
            else
                card.lines.append(std::move(*line));
        }
    }
    setError(errorMessage, depth == 0 ? QStringLiteral("the data holds no BEGIN:VCARD")
                                      : QStringLiteral("the card ends before its END:VCARD"));
    return std::nullopt;
}

QList<QByteArrayView> splitCards(QByteArrayView data)
{
    QList<QByteArrayView> cards;
    int depth = 0;
    qsizetype cardStart = 0;
    bool lineIsQuotedPrintable = false;
    QByteArrayView lastLine;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = start;
        while (end < data.size() && data.at(end) != '\r' && data.at(end) != '\n')
            ++end;
        const QByteArrayView line = data.sliced(start, end - start);
        const qsizetype lineStart = start;
        start = end + lineEndLength(data, end);
        if (line.isEmpty()) {
            lineIsQuotedPrintable = false;
            continue;
        }
        const bool continues =
            isFoldContinuation(line) || (lineIsQuotedPrintable && lastLine.endsWith('='));
        lastLine = line;
        if (continues)
            continue;
        lineIsQuotedPrintable = headAsksForQuotedPrintable(line);
        const QByteArrayView marker = line.trimmed();
        if (marker.compare("BEGIN:VCARD", Qt::CaseInsensitive) == 0) {
            if (depth++ == 0)
                cardStart = lineStart;
        } else if (depth > 0 && marker.compare("END:VCARD", Qt::CaseInsensitive) == 0) {
            if (--depth == 0)
                cards.append(data.sliced(cardStart, end - cardStart));
        }
    }
    if (depth > 0)
        cards.append(data.sliced(cardStart));
    if (cards.isEmpty())
        cards.append(data);
    return cards;
}

QByteArray withoutByteOrderMark(const QByteArray &data)
{
    const auto fromUtf16 = [&data](QStringConverter::Encoding encoding) {
        QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
        return QString(decoder.decode(QByteArrayView(data).sliced(2))).toUtf8();
    };
    if (data.startsWith("\xFF\xFE"))
        return fromUtf16(QStringConverter::Utf16LE);
    if (data.startsWith("\xFE\xFF"))
        return fromUtf16(QStringConverter::Utf16BE);
    if (data.startsWith("\xEF\xBB\xBF"))
        return data.sliced(3);
    return data;
}

std::optional<QByteArray> decodeBase64Leniently(QByteArrayView encoded)
{
    return decodedBase64(encoded);
}

std::optional<QByteArray> decodeDataUri(const QString &uri)
{
    if (!uri.startsWith(QStringLiteral("data:"), Qt::CaseInsensitive))
        return std::nullopt;
    const qsizetype comma = uri.indexOf(u',');
    if (comma < 0)
        return std::nullopt;
    const QString meta = uri.mid(5, comma - 5);
    const QByteArray payload = uri.mid(comma + 1).toLatin1();
    if (meta.endsWith(QStringLiteral(";base64"), Qt::CaseInsensitive))
        return decodedBase64(payload);
    return QByteArray::fromPercentEncoding(payload);
}

QString decodeText(const QByteArray &bytes, const QByteArray &charset)
{
    return decodedText(bytes, charset);
}

} // namespace vcardparser
