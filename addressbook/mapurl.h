#pragma once

#include <QString>

namespace AddressBookTool {

// A web map query for the person's last postal address of the type ("Work" or "Home"): the Google
// Maps search page when the preference useGoogleMaps is not 0, else the second map service's page.
// Every word of every part is percent-encoded, so no text of an address can change the query.
// "" when there is no such person or address, or when the address has too little to find it by.
QString mapURLForABID(const QString &abid, const QString &addrType);

} // namespace AddressBookTool
