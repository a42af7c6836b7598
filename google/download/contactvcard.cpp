#include "google/download/contactvcard.h"

#include "addressbook/vcards/vcardexport.h"
#include "addressbook/vcards/vcardexportoptions.h"
#include "platform/defaults/userdefaults.h"

#include <QBuffer>

namespace tolvane {
namespace {

// Empty when there is no image or it cannot be written as TIFF: then no photo is added.
QByteArray tiffRepresentation(const QImage &image)
{
    if (image.isNull())
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "TIFF"))
        return {};
    return buffer.data();
}

} // namespace

QString tolvaneVCardStringUsing(const GDataEntryContact & /*contact*/, const Person &person,
                                const QImage &image)
{
    return AddressBookTool::vCardStringForPerson(
        person, VCardExportOptions::fromDefaults(UserDefaults::standard()),
        tiffRepresentation(image));
}

QByteArray tolvaneVCardDataUsing(const GDataEntryContact &contact, const Person &person,
                                 const QImage &image)
{
    return AddressBookTool::vCardDataForString(tolvaneVCardStringUsing(contact, person, image));
}

} // namespace tolvane
