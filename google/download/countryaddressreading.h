#pragma once

#include "foundation/parsers/addressparser.h"

#include <QString>

namespace tolvane {

// Google's text of a postal address split into its fields in the layout of its country: the
// country its last line names, else the default country. The layouts are those the upload writes,
// so an address goes up and comes back with every field where it was. A text that fits no layout
// keeps all its lines in the street.
zeltor::GoogleAddress readAddressInCountryLayout(const QString &text);

} // namespace tolvane
