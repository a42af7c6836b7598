#pragma once

#include "foundation/parsers/addressparser.h"

#include <QString>

// The web address of the map service's search page for a postal address.
namespace tolvane {

// "http://maps.google.com/maps?q=" and the street lines, city, state (each followed by "+") and
// the postal code, with blanks as "+" and everything else that a query cannot hold
// percent-encoded. "" for an address too thin to look up: a street without city, state and
// postal code; a state alone (without street1, city and postal code); a country without street1
// and city; or no part at all. The country is never part of the query.
QString mapURLForAddressDict(const zeltor::GoogleAddress &address);

} // namespace tolvane
