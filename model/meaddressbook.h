#pragma once

#include "model/owneraddressbook.h"

// The owner record's view of the shared address book's Me record, through the address book
// layer. Every call reads the Me record again.
class MeAddressBook : public OwnerAddressBook
{
public:
    QString meUniqueId() override;
    QString meValueForProperty(const QString &property) override;
    QString primaryEmailForPerson() override;
    QString homePhoneForPerson() override;
    QString mobilePhoneForPerson() override;
    QString workPhoneForPerson() override;
    QString urlForPersonForLabel(const QString &label) override;
    QVariantMap primaryAddressForPerson() override;
};
