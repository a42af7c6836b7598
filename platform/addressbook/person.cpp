#include "platform/addressbook/person.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/vcard/vcardreader.h"
#include "platform/addressbook/vcard/vcardwriter.h"
#include "platform/defaults/userdefaults.h"

Person::Person(QString uniqueId)
    : Record(std::move(uniqueId))
{}

PersonPtr Person::create()
{
    return PersonPtr(new Person(newUniqueId(QStringLiteral("ABPerson"))));
}

QString Person::recordType() const
{
    return QStringLiteral("ABPerson");
}

QByteArray Person::imageData() const
{
    if (m_pendingImage)
        return *m_pendingImage;
    return addressBook() ? addressBook()->storedImage(uniqueId()) : QByteArray();
}

bool Person::setImageData(const QByteArray &data)
{
    m_pendingImage = data;
    // The picture is stored beside the record: only the modification date changes in it.
    markChanged(QString());
    return true;
}

bool Person::hasImage() const
{
    if (m_pendingImage)
        return !m_pendingImage->isEmpty();
    return addressBook() && addressBook()->hasStoredImage(uniqueId());
}

QStringList Person::properties()
{
    return AddressBook::shared()->properties(RecordClass::Person);
}

int Person::addPropertiesAndTypes(const QHash<QString, PropertyType> &propertiesAndTypes)
{
    return AddressBook::shared()->addPropertiesAndTypes(RecordClass::Person, propertiesAndTypes);
}

PropertyType Person::typeOfProperty(const QString &property)
{
    return AddressBook::shared()->typeOfProperty(RecordClass::Person, property);
}

QByteArray Person::vCardRepresentation() const
{
    // The address book's own vCard choices: photos in unless turned off, notes out unless on.
    static UserDefaults preferences(kABPreferencesDomain);
    vcardwriter::Options options;
    const QVariant photos = preferences.objectForKey(kABIncludePhotosInVCard);
    options.includePhoto = !photos.isValid() || photos.toBool();
    options.includeNote = preferences.boolForKey(kABIncludeNotesInVCard);
    QStringList groupNames;
    for (const GroupPtr &group : parentGroups())
        groupNames.append(group->valueForProperty(kABGroupNameProperty).toString());
    return vcardwriter::write(*this, groupNames, options);
}

PersonPtr Person::fromVCardRepresentation(const QByteArray &data, QString *errorMessage,
                                          QStringList *skipped)
{
    return vcardreader::read(data, errorMessage, skipped);
}
