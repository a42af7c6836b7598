#include "addressbook/vcards/vcardcardreader.h"

#include "addressbook/vcards/vcardcharset.h"
#include "addressbook/vcards/vcardcontentline.h"
#include "foundation/log.h"

namespace {

const QString kClass = QStringLiteral("AddressBookTool");

QList<VCardContentLine> cardLines(const QByteArray &cardData)
{
    return vcard::parseContentLines(vcard::decodeBytes(cardData));
}

} // namespace

namespace AddressBookTool {

QImage imageFromVCardData(const QByteArray &cardData)
{
    const QString op = QStringLiteral("imageFromVCardData:");
    const QList<VCardContentLine> lines = cardLines(cardData);
    const VCardContentLine *photo = vcard::findProperty(lines, QStringLiteral("PHOTO"));
    if (!photo) {
        tlog::value(kClass, op, QStringLiteral("tempString"), vcard::decodeBytes(cardData));
        return {};
    }
    const std::optional<QByteArray> data = photo->binaryValue();
    if (!data) {
        tlog::value(kClass, op, QStringLiteral("t"), photo->value);
        return {};
    }
    return QImage::fromData(*data);
}

QString groupsFromVCardData(const QByteArray &cardData)
{
    const QList<VCardContentLine> lines = cardLines(cardData);
    const VCardContentLine *categories = vcard::findProperty(lines, QStringLiteral("CATEGORIES"));
    return categories ? categories->value : QString();
}

QString uidFromVCardData(const QByteArray &cardData)
{
    const QList<VCardContentLine> lines = cardLines(cardData);
    const VCardContentLine *uid = vcard::findProperty(lines, QStringLiteral("X-ABUID"));
    if (!uid)
        uid = vcard::findProperty(lines, QStringLiteral("UID"));
    return uid ? uid->textValue() : QString();
}

} // namespace AddressBookTool
