#include "google/push/snapshotadapters.h"

#include "addressbook/google/linkproperties.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/record.h"

QString RecordSnapshot::uniqueId() const
{
    return m_record->uniqueId();
}

QString RecordSnapshot::googleID() const
{
    const QString property = std::dynamic_pointer_cast<Group>(m_record)
                                 ? AddressBookTool::groupIDPropertyName()
                                 : AddressBookTool::contactIDPropertyName();
    const QVariant value = m_record->valueForProperty(property);
    return value.isValid() ? value.toString() : QString();
}

QDateTime RecordSnapshot::creationDate() const
{
    return m_record->valueForProperty(kABCreationDateProperty).toDateTime();
}

QDateTime RecordSnapshot::modificationDate() const
{
    return m_record->valueForProperty(kABModificationDateProperty).toDateTime();
}

QString EntrySnapshot::identifier() const
{
    return m_contact ? m_contact->identifier() : m_group->identifier();
}

QDateTime EntrySnapshot::updatedDate() const
{
    return m_contact ? m_contact->updatedDate() : m_group->updatedDate();
}

QString EntrySnapshot::tolvaneABID() const
{
    return m_contact ? tolvane::tolvaneABID(*m_contact) : tolvane::tolvaneABID(*m_group);
}

QDateTime EntrySnapshot::tolvaneCreateDate() const
{
    return m_contact ? tolvane::tolvaneCreateDate(*m_contact)
                     : tolvane::tolvaneCreateDate(*m_group);
}

bool EntrySnapshot::isGoogleSystemGroup() const
{
    return m_group && tolvane::isGoogleSystemGroup(*m_group);
}
