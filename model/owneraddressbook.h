#pragma once

#include <QString>
#include <QVariantMap>

// What the owner record reads of the address book: the Me record's own values and the address
// book layer's accessors of its phones, e-mail, home page and primary address. Values the record
// lacks are null texts (an empty map for the address).
class OwnerAddressBook
{
public:
    virtual ~OwnerAddressBook() = default;

    // Null when there is no Me record.
    virtual QString meUniqueId() = 0;
    // A single-valued text property of the Me record (title, first and last name, suffix,
    // organisation, job title).
    virtual QString meValueForProperty(const QString &property) = 0;

    virtual QString primaryEmailForPerson() = 0;
    virtual QString homePhoneForPerson() = 0;
    virtual QString mobilePhoneForPerson() = 0;
    virtual QString workPhoneForPerson() = 0;
    virtual QString urlForPersonForLabel(const QString &label) = 0;
    // The address dictionary (street, city, state, ZIP and country keys).
    virtual QVariantMap primaryAddressForPerson() = 0;
};
