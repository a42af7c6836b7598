#pragma once

#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QString>

#include <functional>

// The multi-valued fields of an address book person as the elements of its Google contact:
// labels mapped to relation values, the primary value marked, empty values dropped. A person
// without any value of a field clears that field on the contact; a person whose values are all
// unusable leaves the contact's field as it was.
namespace elementmapping {

// Formats a phone number as the user's formats write it (the store delegate's operation). An
// empty function leaves numbers as the address book holds them.
using PhoneFormatter = std::function<QString(const QString &)>;

void abEmailsFor(GDataEntryContact &contact, const PersonPtr &person);
void abPhonesFor(GDataEntryContact &contact, const PersonPtr &person,
                 const PhoneFormatter &formatAsPhoneNumber = {});
void abPostalsFor(GDataEntryContact &contact, const PersonPtr &person);
// AIM, Jabber, MSN, ICQ and Yahoo handles, in that order; a lone handle is primary.
void abIMsFor(GDataEntryContact &contact, const PersonPtr &person);

// The index of the multi-value's primary entry; 0 when it has no primary or the primary is not
// found.
int primaryIndex(const MultiValue &values);

} // namespace elementmapping
