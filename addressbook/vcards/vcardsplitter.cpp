#include "addressbook/vcards/vcardsplitter.h"

#include "addressbook/vcards/vcardcharset.h"
#include "foundation/log.h"

#include <QFile>

#include <optional>

namespace {

struct Range
{
    qsizetype start;
    qsizetype end; // one past the last character
};

bool isLineEnd(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

char16_t unit(char c)
{
    return static_cast<unsigned char>(c);
}

char16_t unit(QChar c)
{
    return c.unicode();
}

// The position after the blanks and the one line end (CR LF, LF or CR) that follow position.
template <typename View> qsizetype skipLineEnd(View text, qsizetype position)
{
    while (position < text.size() && isBlank(unit(text.at(position))))
        ++position;
    if (position < text.size() && unit(text.at(position)) == u'\r')
        ++position;
    if (position < text.size() && unit(text.at(position)) == u'\n')
        ++position;
    return position;
}

// "END:VCARD" as a line of its own: at the start of a line, followed by blanks and a line end or
// by the end of the text. The same words inside a value or in lower case are no card end.
template <typename View, typename Marker>
qsizetype findCardEnd(View text, Marker marker, qsizetype from)
{
    for (qsizetype at = text.indexOf(marker, from); at >= 0; at = text.indexOf(marker, at + 1)) {
        if (at > 0 && !isLineEnd(unit(text.at(at - 1))))
            continue;
        qsizetype after = at + marker.size();
        while (after < text.size() && isBlank(unit(text.at(after))))
            ++after;
        if (after == text.size() || isLineEnd(unit(text.at(after))))
            return at;
    }
    return -1;
}

bool holdsCardBegin(QByteArrayView text)
{
    return text.toByteArray().toUpper().contains("BEGIN:VCARD");
}

bool holdsCardBegin(QStringView text)
{
    return text.contains(QLatin1String("BEGIN:VCARD"), Qt::CaseInsensitive);
}

template <typename View, typename Marker> QList<Range> cardRanges(View text, Marker marker)
{
    QList<Range> ranges;
    qsizetype position = 0;
    for (qsizetype at = findCardEnd(text, marker, 0); at >= 0;
         at = findCardEnd(text, marker, position)) {
        ranges.append({position, at + marker.size()});
        position = skipLineEnd(text, at + marker.size());
    }
    if (ranges.isEmpty() || holdsCardBegin(text.sliced(position)))
        ranges.append({position, text.size()});
    return ranges;
}

// UTF-16 is cut as UTF-8; a UTF-8 byte-order mark belongs to no card.
QByteArray withoutByteOrderMark(const QByteArray &data)
{
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF"))
        return vcard::decodeBytes(data).toUtf8();
    if (data.startsWith("\xEF\xBB\xBF"))
        return data.mid(3);
    return data;
}

QList<QByteArrayView> cardViews(const QByteArray &bytes)
{
    QList<QByteArrayView> cards;
    for (const Range &range : cardRanges(QByteArrayView(bytes), QByteArrayView("END:VCARD")))
        cards.append(QByteArrayView(bytes).sliced(range.start, range.end - range.start));
    return cards;
}

std::optional<QByteArray> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tlog::write(QStringLiteral("Error in VCard handling"));
        return std::nullopt;
    }
    // Read at its exact size: reading to the end grows the buffer to several times the file.
    if (file.isSequential())
        return file.readAll();
    QByteArray data(file.size(), Qt::Uninitialized);
    const qint64 read = file.read(data.data(), data.size());
    if (read < 0) {
        tlog::write(QStringLiteral("Error in VCard handling"));
        return std::nullopt;
    }
    data.truncate(read);
    return data;
}

} // namespace

namespace AddressBookTool {

QList<QByteArray> extractVCardDatas(const QByteArray &data)
{
    const QByteArray bytes = withoutByteOrderMark(data);
    QList<QByteArray> cards;
    for (const QByteArrayView card : cardViews(bytes))
        cards.append(card.toByteArray());
    return cards;
}

QList<QByteArray> extractPeople(const QString &path)
{
    const std::optional<QByteArray> data = readFile(path);
    return data ? extractVCardDatas(*data) : QList<QByteArray>();
}

VCardFileCards extractPeopleViews(const QString &path)
{
    const std::optional<QByteArray> data = readFile(path);
    if (!data)
        return {};
    VCardFileCards result{withoutByteOrderMark(*data), {}};
    result.cards = cardViews(result.data);
    return result;
}

QStringList extractVCardStrings(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringList cards;
    for (const Range &range : cardRanges(QStringView(text), QLatin1String("END:VCARD")))
        cards.append(text.mid(range.start, range.end - range.start));
    return cards;
}

} // namespace AddressBookTool
