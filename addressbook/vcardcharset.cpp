#include "addressbook/vcardcharset.h"

#include <QStringDecoder>
#include <QStringList>

#include <array>

namespace vcard {
namespace {

// Windows-1252 differs from ISO-8859-1 in 0x80-0x9F only; unassigned bytes keep their Latin-1
// code point.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray &data)
{
    QString text(data.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char byte : data) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code < 0xA0) ? QChar(cp1252High[code - 0x80]) : QChar(code);
    }
    return text;
}

bool isCp1252Name(const QString &name)
{
    static const QStringList names = {QStringLiteral("windows-1252"), QStringLiteral("cp1252"),
                                      QStringLiteral("iso-8859-1"),   QStringLiteral("latin1"),
                                      QStringLiteral("iso8859-1"),    QStringLiteral("us-ascii")};
    return name.isEmpty() || names.contains(name, Qt::CaseInsensitive);
}

// The value of the first "CHARSET=" parameter: up to the next ';', ':' or line end.
QString firstCharsetParameter(const QByteArray &data)
{
    static const QByteArray marker = QByteArrayLiteral(";CHARSET=");
    qsizetype start = -1;
    for (qsizetype i = 0; i + marker.size() <= data.size(); ++i) {
        if (qstrnicmp(data.constData() + i, marker.constData(), marker.size()) == 0) {
            start = i + marker.size();
            break;
        }
    }
    if (start < 0)
        return {};
    qsizetype end = start;
    while (end < data.size() && !QByteArrayView(";:\r\n\"").contains(data.at(end)))
        ++end;
    return QString::fromLatin1(data.mid(start, end - start));
}

} // namespace

bool isValidUtf8(const QByteArray &data)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder(data);
    return !decoder.hasError();
}

QString decodeCharset(const QByteArray &data, const QString &charset)
{
    if (isCp1252Name(charset))
        return decodeCp1252(data);
    if (charset.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0 && isValidUtf8(data))
        return QString::fromUtf8(data);
    QStringDecoder decoder(charset.toLatin1().constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return decodeCp1252(data);
    const QString text = decoder(data);
    return decoder.hasError() ? decodeCp1252(data) : text;
}

QString decodeBytes(const QByteArray &data)
{
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16, QStringDecoder::Flag::Stateless);
        return decoder(data);
    }
    if (isValidUtf8(data))
        return QString::fromUtf8(data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data);
    return decodeCharset(data, firstCharsetParameter(data));
}

} // namespace vcard
