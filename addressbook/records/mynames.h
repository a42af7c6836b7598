#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

// The user's own names and e-mail addresses, read from the Me record at every call.
namespace AddressBookTool {

QString myShortName();
QString myFullName();
QString myFirstLastName();
// The last of the Me record's addresses that holds "gmail" in any case; "" when none does.
QString myGoogleEmail();
// One {"emailAddress": address} dictionary per address of the Me record, in order.
QList<QVariantMap> myEmailAddresses();
QString myEmail();

} // namespace AddressBookTool
