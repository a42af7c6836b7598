#pragma once

#include "platform/addressbook/recordclass.h"

#include <QVariantMap>

namespace AddressBookTool {

// A new person from a browser dictionary, as the new-contact panels hand it over: names, kind,
// organisation, job title, note, and every e-mail address, phone, address and instant-messaging
// handle of both its short keys ("email", "addrDict", ...) and the panels' work and home keys
// ("workEmail", "homeAddrDict", ...), the work entry primary. Not added to the address book and not
// saved. A handle of a service without a property of its own is kept among the other services'
// handles and logged.
PersonPtr personForBrowserDictionary(const QVariantMap &browserDictionary);

} // namespace AddressBookTool
