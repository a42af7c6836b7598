#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>
#include <QStringList>

// A person's instant-messaging handles. The services are visited in a fixed order: Jabber, AIM,
// Yahoo, MSN, ICQ.
namespace AddressBookTool {

// Every AIM handle in list order, then every Jabber handle.
QStringList imHandlesForPerson(const PersonPtr &person);
// The last handle of the first service that has one whose label, as the user reads it, equals the
// asked label in any case; "" when no service has one.
QString imForPerson(const PersonPtr &person, const QString &label);
// The name of that handle's service ("Jabber", "AIM", "Yahoo", "MSN", "ICQ"), or "".
QString imTypeForPerson(const PersonPtr &person, const QString &label);

} // namespace AddressBookTool
