#include "foundation/text/zeltordata.h"

#include <array>

namespace zeltor {
namespace {

constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr quint8 notInAlphabet = 0xFF;

constexpr std::array<quint8, 256> decodingTable()
{
    std::array<quint8, 256> table{};
    table.fill(notInAlphabet);
    for (quint8 value = 0; value < 64; ++value)
        table[static_cast<unsigned char>(alphabet[value])] = value;
    return table;
}

constexpr std::array<quint8, 256> symbolValues = decodingTable();

// The C library's white space in the "C" locale.
bool isSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' ||
           c == u'=';
}

} // namespace

QString encodeBase64(const QByteArray &data)
{
    return QString::fromLatin1(data.toBase64());
}

std::optional<QByteArray> decodeBase64(const QString &text)
{
    QByteArray result;
    result.reserve((text.size() + 3) / 4 * 3);
    quint32 group = 0;
    int symbols = 0;
    for (QChar c : text) {
        if (isSkipped(c.unicode()))
            continue;
        if (c.unicode() > 0xFF || symbolValues[c.unicode()] == notInAlphabet)
            return std::nullopt;
        group = (group << 6) | symbolValues[c.unicode()];
        if (++symbols == 4) {
            result.append(char(group >> 16)).append(char(group >> 8)).append(char(group));
            group = 0;
            symbols = 0;
        }
    }
    switch (symbols) {
    case 1:
        return std::nullopt;
    case 2:
        result.append(char(group >> 4));
        break;
    case 3:
        result.append(char(group >> 10)).append(char(group >> 2));
        break;
    }
    return result;
}

} // namespace zeltor
