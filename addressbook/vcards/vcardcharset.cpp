#include "addressbook/vcards/vcardcharset.h"

#include "platform/addressbook/vcard/vcardparser.h"

#include <QStringDecoder>

namespace vcard {
namespace {

// The value of the first "CHARSET=" parameter: up to the next ';', ':' or line end.
QByteArray firstCharsetParameter(const QByteArray &data)
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
    return data.mid(start, end - start);
}

} // namespace

bool isValidUtf8(const QByteArray &data)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder(data);
    return !decoder.hasError();
}

std::optional<QString> strictUtf8(const QByteArray &data)
{
    // A byte-order mark stays in the text, as fromUtf8 keeps it.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(data);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString decodeBytes(const QByteArray &data)
{
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16, QStringDecoder::Flag::Stateless);
        return decoder(data);
    }
    if (isValidUtf8(data))
        return QString::fromUtf8(data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data);
    return vcardparser::decodeText(data, firstCharsetParameter(data));
}

} // namespace vcard
