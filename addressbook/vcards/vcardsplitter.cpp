#include "addressbook/vcards/vcardsplitter.h"

#include "foundation/log.h"
#include "platform/addressbook/vcard/vcardparser.h"

#include <QFile>

#include <optional>

namespace {

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
    const QByteArray bytes = vcardparser::withoutByteOrderMark(data);
    QList<QByteArray> cards;
    for (const QByteArrayView card : vcardparser::splitCards(bytes))
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
    VCardFileCards result{vcardparser::withoutByteOrderMark(*data), {}};
    result.cards = vcardparser::splitCards(result.data);
    return result;
}

QStringList extractVCardStrings(const QString &text)
{
    if (text.isEmpty())
        return {};
    // Cut as UTF-8: every cut falls at a line end, so each piece is whole text.
    const QByteArray bytes = text.toUtf8();
    QStringList cards;
    for (const QByteArrayView card : vcardparser::splitCards(bytes))
        cards.append(QString::fromUtf8(card));
    return cards;
}

} // namespace AddressBookTool
