#include "addressbook/fields/personimages.h"

#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/person.h"

#include <QBuffer>
#include <QFile>

// Outside any namespace, as the resource system asks.
static void initDefaultPictureResources()
{
    Q_INIT_RESOURCE(defaultpictures);
}

namespace AddressBookTool {

namespace {

// The default pictures by name and type, one per record kind.
const QString kCompanyPicture = QStringLiteral(":/images/smallTarget.tif");
const QString kPersonPicture = QStringLiteral(":/images/vCard.tiff");

QByteArray defaultPictureData(const PersonPtr &person)
{
    static const bool initialized = (initDefaultPictureResources(), true);
    Q_UNUSED(initialized);
    QFile file(personIsCompany(person) ? kCompanyPicture : kPersonPicture);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QImage imageFromData(const QByteArray &data)
{
    return data.isEmpty() ? QImage() : QImage::fromData(data);
}

PersonPtr personForABID(const QString &abid)
{
    return abid.isEmpty() ? PersonPtr() : personByABID(abid);
}

} // namespace

bool setImageForPerson(const QImage &image, const PersonPtr &person)
{
    if (!person)
        return false;
    QByteArray data;
    QBuffer buffer(&data);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "TIFF"))
        return false;
    return person->setImageData(data);
}

bool setImageForABID(const QImage &image, const QString &abid)
{
    return setImageForPerson(image, personForABID(abid));
}

QByteArray imageDataABForPerson(const PersonPtr &person)
{
    if (!person)
        return QByteArray();
    const QByteArray data = person->imageData();
    return data.isEmpty() ? QByteArray() : data;
}

QByteArray imageDataABForABID(const QString &abid)
{
    return imageDataABForPerson(personForABID(abid));
}

QImage imageABForPerson(const PersonPtr &person)
{
    return imageFromData(imageDataABForPerson(person));
}

QImage imageABForABID(const QString &abid)
{
    return imageABForPerson(personForABID(abid));
}

bool hasImageForPerson(const PersonPtr &person)
{
    return person && person->hasImage();
}

bool hasImageForABID(const QString &abid)
{
    return hasImageForPerson(personForABID(abid));
}

QByteArray imageDataForPerson(const PersonPtr &person)
{
    if (!person)
        return QByteArray();
    const QByteArray own = imageDataABForPerson(person);
    return own.isNull() ? defaultPictureData(person) : own;
}

QByteArray imageDataForABID(const QString &abid)
{
    return imageDataForPerson(personForABID(abid));
}

QImage imageForPerson(const PersonPtr &person)
{
    return imageFromData(imageDataForPerson(person));
}

QImage imageForABID(const QString &abid)
{
    return imageForPerson(personForABID(abid));
}

} // namespace AddressBookTool
