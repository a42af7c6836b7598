#include "google/download/downloadstamp.h"

#include "addressbook/google/linkproperties.h"
#include "foundation/text/textdate.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

namespace downloadstamp {

namespace {

QString modificationMark(const PersonPtr &person)
{
    const QDateTime modified = person->valueForProperty(kABModificationDateProperty).toDateTime();
    return modified.isValid() ? QString::number(modified.toMSecsSinceEpoch()) : QString();
}

} // namespace

QString ownWritePropertyName()
{
    const QString asOf = AddressBookTool::contactLinkPropertyNames().asOfDate;
    return asOf.isEmpty() ? QString() : asOf + QStringLiteral(".downloadWrite");
}

void writeStamp(const PersonPtr &person, const QDateTime &entryUpdated, const QDateTime &asOf)
{
    AddressBookTool::writeTransferStamp(person, AddressBookTool::contactLinkPropertyNames(),
                                        entryUpdated, asOf);
    const QString property = ownWritePropertyName();
    if (property.isEmpty())
        return;
    AddressBook *book = person->addressBook() ? person->addressBook() : AddressBook::shared();
    if (book->typeOfProperty(RecordClass::Person, property) == PropertyType::Error)
        book->addPropertiesAndTypes(RecordClass::Person, {{property, PropertyType::String}});
    // A link write: the modification date stays as the download's own writes left it.
    AddressBookTool::setLinkProperty(*person, property, modificationMark(person));
}

bool isUnchangedSinceDownload(const GDataEntryBase &contact, const PersonPtr &person)
{
    const AddressBookTool::LinkPropertyNames names = AddressBookTool::contactLinkPropertyNames();
    const QString version = person->valueForProperty(names.version).toString();
    if (version.isEmpty() || version != textdate::format(contact.updatedDate()))
        return false;
    const QString property = ownWritePropertyName();
    if (property.isEmpty())
        return false;
    const QString written = person->valueForProperty(property).toString();
    return !written.isEmpty() && written == modificationMark(person);
}

} // namespace downloadstamp
