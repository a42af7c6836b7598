#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataextendedproperty.h"
#include "platform/gdata/entries/gdatafeed.h"

#include <QDateTime>
#include <QString>
#include <QVariantList>

#include <optional>
#include <vector>

// The program's extended property, which links a Google contact or group to its Address Book
// record. Property names come from the preferences googleContactExtendedPropertyName and
// googleGroupExtendedPropertyName, read at every build. Dates are text dates
// ("yyyy-MM-dd HH:mm:ss Z").
namespace extendedproperty {

// The upload writer: aID, crD, the data mask element (named by the preference googleDataMask,
// holding the person's modification date, else its creation date), asOf, isCo, gID (only when
// the contact has an identifier), aC, gT, aF, aN, aL and one "addr-" element per address.
// Missing values are "". now stamps crD and asOf.
GDataExtendedProperty
googleExtendedPropertiesForABPerson(const PersonPtr &person, const GDataEntryContact &contact,
                                    const QDateTime &now = QDateTime::currentDateTime());

// Puts a newly built property on the contact in place of each property of the program's name,
// else appends one; a contact that already holds ten other properties gets none (logged).
void abExtendedPropertiesFor(GDataEntryContact &contact, const PersonPtr &person,
                             const QDateTime &now = QDateTime::currentDateTime());

// Moves the asOf element of the program's property on each entry of the feed to now, as the feed
// goes out: a long upload sends its last feeds well after their entries were built, and Google's
// updated date is compared with asOf to tell a change made on Google. Entries without the
// element keep what they hold.
void stampAsOf(GDataFeed &feed, const QDateTime &now = QDateTime::currentDateTime());

// aID, aVer and aIsSmart of the group, in this order; nothing when no element has a value.
std::optional<GDataExtendedProperty> googleExtendedProperyForABGroup(const GroupPtr &group);

// Restore: aID, isCo and gID from each dictionary's "XMLValue" dictionary, in array order.
std::optional<GDataExtendedProperty>
googleContactExtendedProperyForArray(const QVariantList &array);
// Restore: aID and aIsSmart from each dictionary's "XMLArray" dictionary, in array order.
std::optional<GDataExtendedProperty> googleGroupExtendedProperyForArray(const QVariantList &array);

// Appends an element of that name holding the value as xmlSafe gives it; nothing for an empty
// value or name.
void addElementToXML(std::vector<GDataExtendedProperty::XMLValue> &elements, const QString &value,
                     const QString &label);

} // namespace extendedproperty
