#include "foundation/propertylist.h"

#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <QTimeZone>

#include <plist/plist.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace propertylist {

namespace {

constexpr int kMaxDepth = 512;
constexpr quint64 kMaxValues = 4194304;
// The format counts seconds from 2001-01-01 00:00:00 UTC, which is this many after 1970.
constexpr qint64 kFormatEpoch = 978307200;
// libplist keeps a date's seconds in 32 signed bits.
constexpr double kMinDateSeconds = std::numeric_limits<qint32>::min();
constexpr double kMaxDateSeconds = std::numeric_limits<qint32>::max();

struct PlistFree
{
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

QDateTime dateFromFormatSeconds(qint64 seconds, qint64 microseconds)
{
    return QDateTime::fromMSecsSinceEpoch((kFormatEpoch + seconds) * 1000 + microseconds / 1000,
                                          QTimeZone::utc());
}

bool isUidDictionary(const QStringList &keys)
{
    return keys.size() == 1 && keys.front() == QLatin1String("CF$UID");
}

// ---------------------------------------------------------------------------------------------
// Binary lists. libplist expands every reference into a copy of its own and trusts the offsets,
// so the structure is walked here first: offsets and lengths inside the data, no object inside
// itself, the depth and the number of values the expansion makes, and only kinds of value that
// come back whole.

class BinaryCheck
{
public:
    BinaryCheck(const QByteArray &data, QString *error)
        : m_data(data)
        , m_error(error)
    {}

    bool run()
    {
        if (!readTrailer())
            return false;
        return walk();
    }

private:
    struct Object
    {
        quint8 kind = 0;     // high nibble of the marker
        quint8 info = 0;     // low nibble
        quint64 payload = 0; // offset of the bytes after the marker and length
        quint64 count = 0;   // elements, bytes or characters, as the kind has it
    };

    // An array or dictionary being walked: its references lie at refs, one after the other.
    struct Frame
    {
        quint64 index;
        quint64 refs;
        quint64 count;
        quint64 next = 0;
    };

    const uchar *bytes() const { return reinterpret_cast<const uchar *>(m_data.constData()); }

    bool damaged(const char *what)
    {
        return fail(m_error,
                    QStringLiteral("damaged binary property list: %1").arg(QLatin1String(what)));
    }

    quint64 bigEndian(quint64 offset, unsigned size) const
    {
        quint64 value = 0;
        for (unsigned i = 0; i < size; ++i)
            value = (value << 8) | bytes()[offset + i];
        return value;
    }

    // True when [offset, offset + size) lies among the objects, before the offset table.
    bool inObjects(quint64 offset, quint64 size) const
    {
        return offset <= m_tableOffset && size <= m_tableOffset - offset;
    }

    bool readTrailer()
    {
        const quint64 size = quint64(m_data.size());
        if (size < 8 + 32 || !m_data.startsWith("bplist00"))
            return damaged("too short or not version 00");
        const quint64 trailer = size - 32;
        m_offsetSize = bytes()[trailer + 6];
        m_refSize = bytes()[trailer + 7];
        m_objectCount = bigEndian(trailer + 8, 8);
        m_top = bigEndian(trailer + 16, 8);
        m_tableOffset = bigEndian(trailer + 24, 8);
        auto validSize = [](unsigned n) {
            return n == 1 || n == 2 || n == 4 || n == 8;
        };
        if (!validSize(m_offsetSize) || !validSize(m_refSize))
            return damaged("bad trailer");
        if (m_objectCount == 0 || m_top >= m_objectCount || m_tableOffset < 8 ||
            m_tableOffset > trailer || m_objectCount > (trailer - m_tableOffset) / m_offsetSize)
            return damaged("bad trailer");
        if (m_refSize < 8 && m_objectCount > (quint64(1) << (8 * m_refSize)))
            return damaged("bad trailer");
        return true;
    }

    bool objectAt(quint64 index, Object *object)
    {
        const quint64 offset = bigEndian(m_tableOffset + index * m_offsetSize, m_offsetSize);
        if (offset < 8 || !inObjects(offset, 1))
            return damaged("object offset outside the objects");
        const quint8 marker = bytes()[offset];
        object->kind = marker >> 4;
        object->info = marker & 0x0f;
        object->payload = offset + 1;
        object->count = object->info;
        const bool sized = object->kind == 0x4 || object->kind == 0x5 || object->kind == 0x6 ||
                           object->kind == 0xa || object->kind == 0xd;
        if (sized && object->info == 0x0f) {
            if (!inObjects(object->payload, 1))
                return damaged("truncated length");
            const quint8 lengthMarker = bytes()[object->payload];
            const unsigned lengthSize = 1u << (lengthMarker & 0x0f);
            if ((lengthMarker >> 4) != 0x1 || lengthSize > 8 ||
                !inObjects(object->payload + 1, lengthSize))
                return damaged("bad length");
            object->count = bigEndian(object->payload + 1, lengthSize);
            object->payload += 1 + lengthSize;
        }
        return true;
    }

    bool checkScalar(const Object &object)
    {
        switch (object.kind) {
        case 0x0:
            if (object.info == 0x8 || object.info == 0x9)
                return true;
            return damaged("unknown simple value");
        case 0x1: {
            if (object.info > 4)
                return damaged("bad integer size");
            const unsigned size = 1u << object.info;
            if (!inObjects(object.payload, size))
                return damaged("truncated integer");
            if (size == 16) {
                // Only the low 64 bits are kept: the high ones must merely extend the sign.
                const quint64 high = bigEndian(object.payload, 8);
                const quint64 low = bigEndian(object.payload + 8, 8);
                const bool negative = low >> 63;
                if (high != (negative ? ~quint64(0) : 0))
                    return fail(m_error, QStringLiteral("an integer does not fit in 64 bits"));
            }
            return true;
        }
        case 0x2:
            if (object.info != 2 && object.info != 3)
                return damaged("bad real size");
            if (!inObjects(object.payload, 1u << object.info))
                return damaged("truncated real");
            return true;
        case 0x3: {
            if (object.info != 3 || !inObjects(object.payload, 8))
                return damaged("bad date");
            const quint64 bits = bigEndian(object.payload, 8);
            double seconds;
            std::memcpy(&seconds, &bits, sizeof seconds);
            if (!std::isfinite(seconds) || seconds < kMinDateSeconds ||
                seconds >= kMaxDateSeconds + 1)
                return fail(m_error,
                            QStringLiteral("a date lies outside 1932-12-13 to 2069-01-19"));
            return true;
        }
        case 0x4:
            if (!inObjects(object.payload, object.count))
                return damaged("truncated data");
            return true;
        case 0x5:
            if (!inObjects(object.payload, object.count))
                return damaged("truncated text");
            if (std::memchr(bytes() + object.payload, 0, object.count))
                return fail(m_error, QStringLiteral("a text holds the character U+0000"));
            return true;
        case 0x6:
            return checkUtf16(object);
        case 0x8:
            return fail(m_error, QStringLiteral("keyed-archive references are not read"));
        default:
            return damaged("unknown kind of object");
        }
    }

    bool checkUtf16(const Object &object)
    {
        if (object.count > m_tableOffset / 2 || !inObjects(object.payload, object.count * 2))
            return damaged("truncated text");
        for (quint64 i = 0; i < object.count; ++i) {
            const quint16 unit = quint16(bigEndian(object.payload + 2 * i, 2));
            if (unit == 0)
                return fail(m_error, QStringLiteral("a text holds the character U+0000"));
            if (QChar::isHighSurrogate(unit)) {
                if (i + 1 == object.count ||
                    !QChar::isLowSurrogate(quint16(bigEndian(object.payload + 2 * (i + 1), 2))))
                    return damaged("a text is not valid UTF-16");
                ++i;
            } else if (QChar::isLowSurrogate(unit)) {
                return damaged("a text is not valid UTF-16");
            }
        }
        return true;
    }

    quint64 reference(quint64 refs, quint64 i) const
    {
        return bigEndian(refs + i * m_refSize, m_refSize);
    }

    bool checkChildren(const Object &object, Frame *frame)
    {
        const bool isDict = object.kind == 0xd;
        const quint64 perEntry = isDict ? 2 : 1;
        if (object.count > m_tableOffset / perEntry / m_refSize ||
            !inObjects(object.payload, object.count * perEntry * m_refSize))
            return damaged("truncated array or dictionary");
        *frame = {frame->index, object.payload, object.count * perEntry};
        for (quint64 i = 0; i < frame->count; ++i) {
            const quint64 child = reference(frame->refs, i);
            if (child >= m_objectCount)
                return damaged("reference to a missing object");
            Object key;
            if (isDict && i < object.count) {
                if (!objectAt(child, &key))
                    return false;
                if (key.kind != 0x5 && key.kind != 0x6)
                    return damaged("a dictionary key is not a text");
            }
        }
        return true;
    }

    // Depth first, as the expansion will go: each reference counts as one more value.
    bool walk()
    {
        std::vector<bool> onPath(m_objectCount, false);
        std::vector<Frame> path;
        quint64 values = 0;
        auto enter = [&](quint64 index) {
            if (++values > kMaxValues)
                return fail(m_error,
                            QStringLiteral("the list makes more than %1 values").arg(kMaxValues));
            if (onPath[index])
                return damaged("an object holds itself");
            Object object;
            if (!objectAt(index, &object))
                return false;
            if (object.kind != 0xa && object.kind != 0xd)
                return checkScalar(object);
            if (path.size() >= size_t(kMaxDepth))
                return fail(m_error,
                            QStringLiteral("arrays and dictionaries nest more than %1 deep")
                                .arg(kMaxDepth));
            Frame frame{index, 0, 0};
            if (!checkChildren(object, &frame))
                return false;
            onPath[index] = true;
            path.push_back(std::move(frame));
            return true;
        };
        if (!enter(m_top))
            return false;
        while (!path.empty()) {
            Frame &frame = path.back();
            if (frame.next == frame.count) {
                onPath[frame.index] = false;
                path.pop_back();
                continue;
            }
            if (!enter(reference(frame.refs, frame.next++)))
                return false;
        }
        return true;
    }

    const QByteArray &m_data;
    QString *m_error;
    unsigned m_offsetSize = 0;
    unsigned m_refSize = 0;
    quint64 m_objectCount = 0;
    quint64 m_top = 0;
    quint64 m_tableOffset = 0;
};

// ---------------------------------------------------------------------------------------------
// XML lists. libplist's XML reader descends once per element and takes any text for a number, a
// date or data (a garbled integer reads as 0, a garbled date as 1970). So the text is read here
// first, strictly: elements nested no deeper than the limit, every value's text well formed.

class XmlCheck
{
public:
    XmlCheck(const QByteArray &data, QString *error)
        : m_text(data)
        , m_error(error)
    {}

    bool run()
    {
        if (m_text.contains('\0'))
            return fail(m_error, QStringLiteral("a text holds the character U+0000"));
        while (m_pos < m_text.size()) {
            const qsizetype open = m_text.indexOf('<', m_pos);
            if (!takeText(open < 0 ? m_text.size() : open))
                return false;
            if (open < 0)
                break;
            m_pos = open;
            if (!takeMarkup())
                return false;
        }
        if (!m_open.isEmpty())
            return damaged(QStringLiteral("it ends inside an element"));
        if (!m_sawPlist)
            return damaged(QStringLiteral("it holds no plist element"));
        return true;
    }

private:
    bool damaged(const QString &what)
    {
        return fail(m_error, QStringLiteral("damaged XML property list: %1").arg(what));
    }

    static bool isScalar(const QByteArray &name)
    {
        return name == "string" || name == "key" || name == "integer" || name == "real" ||
               name == "date" || name == "data" || name == "true" || name == "false";
    }

    bool takeText(qsizetype end)
    {
        const QByteArray piece = m_text.mid(m_pos, end - m_pos);
        m_pos = end;
        if (!m_open.isEmpty() && isScalar(m_open.back().name))
            return appendDecoded(piece);
        if (!piece.trimmed().isEmpty())
            return damaged(QStringLiteral("text outside a value"));
        return true;
    }

    bool appendDecoded(const QByteArray &piece)
    {
        qsizetype i = 0;
        while (i < piece.size()) {
            const qsizetype amp = piece.indexOf('&', i);
            if (amp < 0) {
                m_value += piece.mid(i);
                break;
            }
            m_value += piece.mid(i, amp - i);
            const qsizetype semi = piece.indexOf(';', amp);
            if (semi < 0)
                return damaged(QStringLiteral("an unfinished character reference"));
            const QByteArray name = piece.mid(amp + 1, semi - amp - 1);
            i = semi + 1;
            if (name == "lt")
                m_value += '<';
            else if (name == "gt")
                m_value += '>';
            else if (name == "amp")
                m_value += '&';
            else if (name == "quot")
                m_value += '"';
            else if (name == "apos")
                m_value += '\'';
            else if (!appendCharacterReference(name))
                return false;
        }
        return true;
    }

    bool appendCharacterReference(const QByteArray &name)
    {
        if (!name.startsWith('#') || name.size() < 2)
            return damaged(QStringLiteral("an unknown entity"));
        const bool hex = name.at(1) == 'x';
        const QByteArray digits = name.mid(hex ? 2 : 1);
        bool ok =
            !digits.isEmpty() && digits.size() <= 8 && digits.at(0) != '-' && digits.at(0) != '+';
        const uint code = ok ? digits.toUInt(&ok, hex ? 16 : 10) : 0;
        if (ok && code == 0)
            return fail(m_error, QStringLiteral("a text holds the character U+0000"));
        if (!ok || code > 0x10ffff || QChar::isSurrogate(code))
            return damaged(QStringLiteral("a bad character reference"));
        const char32_t character = code;
        m_value += QString::fromUcs4(&character, 1).toUtf8();
        return true;
    }

    bool skipPast(const char *end, const char *what)
    {
        const qsizetype at = m_text.indexOf(end, m_pos);
        if (at < 0)
            return damaged(QString::fromLatin1(what));
        m_pos = at + qsizetype(std::strlen(end));
        return true;
    }

    bool takeMarkup()
    {
        const QByteArrayView rest = QByteArrayView(m_text).sliced(m_pos);
        if (rest.startsWith("<?"))
            return skipPast("?>", "an unfinished processing instruction");
        if (rest.startsWith("<!--"))
            return skipPast("-->", "an unfinished comment");
        if (rest.startsWith("<![CDATA[")) {
            const qsizetype start = m_pos + 9;
            if (!skipPast("]]>", "an unfinished CDATA section"))
                return false;
            if (m_open.isEmpty() || !isScalar(m_open.back().name))
                return damaged(QStringLiteral("text outside a value"));
            m_value += m_text.mid(start, m_pos - 3 - start);
            return true;
        }
        if (rest.startsWith("<!DOCTYPE"))
            return skipDoctype();
        return takeTag();
    }

    bool skipDoctype()
    {
        int brackets = 0;
        for (qsizetype i = m_pos; i < m_text.size(); ++i) {
            const char c = m_text.at(i);
            if (c == '[')
                ++brackets;
            else if (c == ']')
                --brackets;
            else if (c == '>' && brackets <= 0) {
                m_pos = i + 1;
                return true;
            }
        }
        return damaged(QStringLiteral("an unfinished document type"));
    }

    qsizetype tagEnd() const
    {
        char quote = 0;
        for (qsizetype i = m_pos + 1; i < m_text.size(); ++i) {
            const char c = m_text.at(i);
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return i;
            } else if (c == '<') {
                return -1;
            }
        }
        return -1;
    }

    bool takeTag()
    {
        const qsizetype end = tagEnd();
        if (end < 0)
            return damaged(QStringLiteral("an unfinished tag"));
        QByteArray tag = m_text.mid(m_pos + 1, end - m_pos - 1);
        m_pos = end + 1;
        if (tag.startsWith('/'))
            return closeElement(tag.mid(1).trimmed());
        const bool empty = tag.endsWith('/');
        if (empty)
            tag.chop(1);
        qsizetype nameEnd = 0;
        while (nameEnd < tag.size() && !std::isspace(uchar(tag.at(nameEnd))))
            ++nameEnd;
        const QByteArray name = tag.left(nameEnd);
        if (!openElement(name))
            return false;
        return !empty || closeElement(name);
    }

    bool openElement(const QByteArray &name)
    {
        const bool container = name == "array" || name == "dict";
        if (name == "plist") {
            if (!m_open.isEmpty() || m_sawPlist)
                return damaged(QStringLiteral("a misplaced plist element"));
            m_sawPlist = true;
        } else if (!container && !isScalar(name)) {
            return damaged(QStringLiteral("an unknown element <%1>").arg(QString::fromUtf8(name)));
        } else if (m_open.isEmpty() || isScalar(m_open.back().name) || !takeChild(name)) {
            return damaged(QStringLiteral("a misplaced <%1>").arg(QString::fromUtf8(name)));
        }
        if (container && ++m_depth > kMaxDepth)
            return fail(
                m_error,
                QStringLiteral("arrays and dictionaries nest more than %1 deep").arg(kMaxDepth));
        m_open.push_back({name});
        m_value.clear();
        return true;
    }

    // A dictionary holds keys each followed by one value; a plist holds one value.
    bool takeChild(const QByteArray &name)
    {
        Open &parent = m_open.back();
        const bool key = name == "key";
        if (parent.name == "dict") {
            if (key == parent.awaitsValue)
                return false;
            parent.awaitsValue = key;
        } else if (key || (parent.name == "plist" && parent.children > 0)) {
            return false;
        }
        ++parent.children;
        return true;
    }

    bool closeElement(const QByteArray &name)
    {
        if (m_open.isEmpty() || m_open.back().name != name)
            return damaged(QStringLiteral("a mismatched </%1>").arg(QString::fromUtf8(name)));
        const Open closed = m_open.takeLast();
        if (closed.awaitsValue)
            return damaged(QStringLiteral("a key without a value"));
        if (name == "plist" && closed.children != 1)
            return damaged(QStringLiteral("a plist element that does not hold one value"));
        if (name == "array" || name == "dict")
            --m_depth;
        return checkValue(name);
    }

    bool checkValue(const QByteArray &name)
    {
        const QByteArray text = m_value.trimmed();
        if (name == "integer" && !isInteger(text))
            return fail(m_error, QStringLiteral("an integer is not a 64-bit decimal number: \"%1\"")
                                     .arg(QString::fromUtf8(text.left(40))));
        if (name == "real" && !isReal(text))
            return damaged(QStringLiteral("a bad real number"));
        if (name == "date" && !isDate(text))
            return fail(m_error,
                        QStringLiteral("a date is not one between 1932-12-13 and "
                                       "2069-01-19 in the form YYYY-MM-DDTHH:MM:SSZ: \"%1\"")
                            .arg(QString::fromUtf8(text.left(40))));
        if (name == "data" && !isBase64(m_value))
            return damaged(QStringLiteral("bad Base64 data"));
        if ((name == "true" || name == "false") && !text.isEmpty())
            return damaged(QStringLiteral("a boolean with content"));
        m_value.clear();
        return true;
    }

    static bool isInteger(const QByteArray &text)
    {
        QByteArray digits = text.startsWith('+') ? text.mid(1) : text;
        if (digits.isEmpty() || digits.startsWith('+'))
            return false;
        qint64 value = 0;
        const char *end = digits.constData() + digits.size();
        const auto [stop, code] = std::from_chars(digits.constData(), end, value);
        return code == std::errc() && stop == end;
    }

    // Decimal or exponent notation, nan or infinity, as the writer gives them.
    static bool isReal(const QByteArray &text)
    {
        const QByteArray number = text.startsWith('+') ? text.mid(1) : text;
        if (number.isEmpty() || number.startsWith('+'))
            return false;
        double value = 0;
        const char *end = number.constData() + number.size();
        const auto [stop, code] = std::from_chars(number.constData(), end, value);
        return code == std::errc() && stop == end;
    }

    static bool isDate(const QByteArray &text)
    {
        // YYYY-MM-DDTHH:MM:SS with an optional fraction, in UTC.
        if (text.size() < 20 || !text.endsWith('Z'))
            return false;
        const QByteArray whole = text.left(19);
        const QByteArray fraction = text.mid(19, text.size() - 20);
        if (!fraction.isEmpty()) {
            if (fraction.size() < 2 || fraction.at(0) != '.')
                return false;
            for (qsizetype i = 1; i < fraction.size(); ++i)
                if (!std::isdigit(uchar(fraction.at(i))))
                    return false;
        }
        for (qsizetype i = 0; i < whole.size(); ++i) {
            const char c = whole.at(i);
            const char expected = i == 4 || i == 7     ? '-'
                                  : i == 10            ? 'T'
                                  : i == 13 || i == 16 ? ':'
                                                       : '0';
            if (expected == '0' ? !std::isdigit(uchar(c)) : c != expected)
                return false;
        }
        const QDate day(whole.left(4).toInt(), whole.mid(5, 2).toInt(), whole.mid(8, 2).toInt());
        const QTime time(whole.mid(11, 2).toInt(), whole.mid(14, 2).toInt(),
                         whole.mid(17, 2).toInt());
        if (!day.isValid() || !time.isValid())
            return false;
        const qint64 seconds =
            QDateTime(day, time, QTimeZone::utc()).toSecsSinceEpoch() - kFormatEpoch;
        return seconds >= qint64(kMinDateSeconds) && seconds <= qint64(kMaxDateSeconds);
    }

    static bool isBase64(const QByteArray &text)
    {
        QByteArray compact;
        compact.reserve(text.size());
        for (const char c : text)
            if (!std::isspace(uchar(c)))
                compact += c;
        return QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors)
                   .decodingStatus == QByteArray::Base64DecodingStatus::Ok;
    }

    const QByteArray &m_text;
    QString *m_error;
    qsizetype m_pos = 0;
    struct Open
    {
        QByteArray name;
        int children = 0;
        bool awaitsValue = false;
    };
    QList<Open> m_open;
    QByteArray m_value;
    int m_depth = 0;
    bool m_sawPlist = false;
};

// ---------------------------------------------------------------------------------------------
// libplist's tree to Qt's values and back.

QString textOf(plist_t node)
{
    uint64_t length = 0;
    const char *text = plist_get_string_ptr(node, &length);
    return QString::fromUtf8(text, qsizetype(length));
}

std::optional<QVariant> toVariant(plist_t node, QString *error)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return QVariant(value != 0);
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        // The library keeps a negative integer's 64 bits in its unsigned field.
        return QVariant(qint64(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return QVariant(value);
    }
    case PLIST_STRING:
    case PLIST_KEY:
        return QVariant(textOf(node));
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return QVariant(dateFromFormatSeconds(seconds, microseconds));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char *bytes = plist_get_data_ptr(node, &length);
        return QVariant(QByteArray(bytes, qsizetype(length)));
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t size = plist_array_get_size(node);
        list.reserve(size);
        for (uint32_t i = 0; i < size; ++i) {
            std::optional<QVariant> item = toVariant(plist_array_get_item(node, i), error);
            if (!item)
                return std::nullopt;
            list.append(std::move(*item));
        }
        return QVariant(list);
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        for (;;) {
            char *key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iterator, &key, &value);
            if (!value) {
                std::free(key);
                break;
            }
            const QString name = QString::fromUtf8(key);
            std::free(key);
            std::optional<QVariant> item = toVariant(value, error);
            if (!item) {
                std::free(iterator);
                return std::nullopt;
            }
            map.insert(name, std::move(*item));
        }
        std::free(iterator);
        if (isUidDictionary(map.keys())) {
            fail(error, QStringLiteral("keyed-archive references are not read"));
            return std::nullopt;
        }
        return QVariant(map);
    }
    case PLIST_UID:
        fail(error, QStringLiteral("keyed-archive references are not read"));
        return std::nullopt;
    default:
        fail(error, QStringLiteral("an unknown kind of value"));
        return std::nullopt;
    }
}

bool checkText(const QString &text, QString *error)
{
    if (text.contains(QChar(0)))
        return fail(error, QStringLiteral("a text holds the character U+0000"));
    return true;
}

PlistPtr fromVariant(const QVariant &value, int depth, QString *error);

PlistPtr fromList(const QVariantList &list, int depth, QString *error)
{
    PlistPtr array(plist_new_array());
    for (const QVariant &item : list) {
        PlistPtr node = fromVariant(item, depth + 1, error);
        if (!node)
            return nullptr;
        plist_array_append_item(array.get(), node.release());
    }
    return array;
}

PlistPtr fromMap(const QVariantMap &map, int depth, QString *error)
{
    if (isUidDictionary(map.keys())) {
        fail(error, QStringLiteral("a dictionary would read as a keyed-archive reference"));
        return nullptr;
    }
    PlistPtr dict(plist_new_dict());
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (!checkText(it.key(), error))
            return nullptr;
        PlistPtr node = fromVariant(it.value(), depth + 1, error);
        if (!node)
            return nullptr;
        plist_dict_set_item(dict.get(), it.key().toUtf8().constData(), node.release());
    }
    return dict;
}

PlistPtr fromDate(const QDateTime &date, QString *error)
{
    static const qint64 first =
        QDateTime(QDate(1933, 12, 13), QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch() -
        kFormatEpoch;
    // Whole seconds: the fraction is dropped, as the XML form has no place for it.
    const qint64 msecs = date.toMSecsSinceEpoch();
    const qint64 seconds = (msecs >= 0 ? msecs / 1000 : -((999 - msecs) / 1000)) - kFormatEpoch;
    if (!date.isValid() || seconds < first || seconds > qint64(kMaxDateSeconds)) {
        fail(error, QStringLiteral("a date lies outside 1933-12-13 to 2069-01-19"));
        return nullptr;
    }
    return PlistPtr(plist_new_date(int32_t(seconds), 0));
}

PlistPtr fromVariant(const QVariant &value, int depth, QString *error)
{
    const int type = value.typeId();
    if ((type == QMetaType::QVariantList || type == QMetaType::QVariantMap ||
         type == QMetaType::QStringList) &&
        depth >= kMaxDepth) {
        fail(error,
             QStringLiteral("arrays and dictionaries nest more than %1 deep").arg(kMaxDepth));
        return nullptr;
    }
    switch (type) {
    case QMetaType::QVariantMap:
        return fromMap(value.toMap(), depth, error);
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return fromList(value.toList(), depth, error);
    case QMetaType::QString: {
        const QString text = value.toString();
        if (!checkText(text, error))
            return nullptr;
        return PlistPtr(plist_new_string(text.toUtf8().constData()));
    }
    case QMetaType::Bool:
        return PlistPtr(plist_new_bool(value.toBool()));
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return PlistPtr(plist_new_uint(uint64_t(value.toLongLong())));
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max())) {
            fail(error, QStringLiteral("an integer does not fit in 64 signed bits"));
            return nullptr;
        }
        return PlistPtr(plist_new_uint(value.toULongLong()));
    case QMetaType::Double:
        return PlistPtr(plist_new_real(value.toDouble()));
    case QMetaType::QDateTime:
        return fromDate(value.toDateTime(), error);
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return PlistPtr(plist_new_data(bytes.constData(), uint64_t(bytes.size())));
    }
    default:
        fail(error, QStringLiteral("a value of type %1 has no property-list form")
                        .arg(QString::fromLatin1(value.typeName() ? value.typeName() : "none")));
        return nullptr;
    }
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

QString systemError(const QString &what, const QString &path)
{
    return QStringLiteral("%1 %2: %3")
        .arg(what, path, QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

std::optional<QVariant> read(const QByteArray &data, QString *error)
{
    if (data.isEmpty()) {
        fail(error, QStringLiteral("an empty property list"));
        return std::nullopt;
    }
    if (quint64(data.size()) > std::numeric_limits<uint32_t>::max()) {
        fail(error, QStringLiteral("a property list larger than 4 GB"));
        return std::nullopt;
    }
    const bool binary = data.startsWith("bplist");
    const bool sound = binary ? BinaryCheck(data, error).run() : XmlCheck(data, error).run();
    if (!sound)
        return std::nullopt;
    plist_t root = nullptr;
    if (binary)
        plist_from_bin(data.constData(), uint32_t(data.size()), &root);
    else
        plist_from_xml(data.constData(), uint32_t(data.size()), &root);
    const PlistPtr tree(root);
    if (!tree) {
        fail(error, QStringLiteral("a damaged property list"));
        return std::nullopt;
    }
    return toVariant(tree.get(), error);
}

std::optional<QVariant> readFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    if (quint64(file.size()) > std::numeric_limits<uint32_t>::max()) {
        fail(error, QStringLiteral("%1 is larger than 4 GB").arg(path));
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fail(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return read(data, error);
}

std::optional<QByteArray> xmlData(const QVariant &value, QString *error)
{
    const PlistPtr tree = fromVariant(value, 0, error);
    if (!tree)
        return std::nullopt;
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(tree.get(), &xml, &length);
    if (!xml) {
        fail(error, QStringLiteral("the property list could not be written"));
        return std::nullopt;
    }
    QByteArray bytes(xml, qsizetype(length));
    plist_to_xml_free(xml);
    return bytes;
}

bool writeFile(const QString &path, const QVariant &value, QString *error)
{
    const std::optional<QByteArray> bytes = xmlData(value, error);
    if (!bytes)
        return false;
    const QString temporary = path + QStringLiteral(".new");
    const QByteArray temporaryName = QFile::encodeName(temporary);
    const int fd = ::open(temporaryName.constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return fail(error, systemError(QStringLiteral("cannot create"), temporary));
    // A copy left by an earlier crash keeps its mode through O_TRUNC.
    bool written = ::fchmod(fd, 0600) == 0 && writeAll(fd, *bytes) && ::fsync(fd) == 0;
    QString why = written ? QString() : systemError(QStringLiteral("cannot write"), temporary);
    if (::close(fd) != 0 && written) {
        written = false;
        why = systemError(QStringLiteral("cannot write"), temporary);
    }
    if (written && ::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0) {
        written = false;
        why = systemError(QStringLiteral("cannot rename into place"), path);
    }
    if (!written) {
        ::unlink(temporaryName.constData());
        return fail(error, why);
    }
    return true;
}

} // namespace propertylist
