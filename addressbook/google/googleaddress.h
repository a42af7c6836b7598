#pragma once

#include <QVariantMap>

namespace AddressBookTool {

// One value of the address property from a Google address dictionary: the street from "street1"
// and "street2", then city, state, ZIP and country, each key only when Google's value holds text.
QVariantMap abAdddressForGoogleDict(const QVariantMap &googleAddress);

} // namespace AddressBookTool
