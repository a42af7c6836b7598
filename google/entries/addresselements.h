#pragma once

#include "google/entries/flatteneddictionary.h"
#include "platform/addressbook/recordclass.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QVariantMap>

// The postal addresses that the extended property keeps beside Google's own text: one flattened
// short-key address dictionary per address under an element "addr-%i". Short keys: h "YES", l the
// label, 1 "YES" for the primary address, r the street (XML-escaped once), c city, s state,
// p postal code, t country, z country code, x the letters and digits of the formatted address.
namespace addresselements {

// "addr-" and a number 0 to 999 drawn with random(); a number already in keysInUse is passed
// over for the next free one, so two addresses never share an element. The key is added to
// keysInUse. Empty when all thousand are taken.
QString uniqueAddressKey(QSet<QString> &keysInUse);

// One element per address of the person, in the address order; none without addresses.
flatteneddictionary::Pairs addressExPropForABPerson(const PersonPtr &person);

// A street as the elements keep it (escaped once with xmlSafe) back in the user's text: each entity
// is decoded once, so a street that itself reads "&amp;" keeps it.
QString decodedStreet(const QString &street);

// The address book address (kABAddress...Key) of a short-key address dictionary: the street is
// decoded once from the escaped form the element keeps. A key missing in the source gives no
// entry.
QVariantMap unpackExPropAddress(const QMap<QString, QString> &shortKeyAddress);

} // namespace addresselements
