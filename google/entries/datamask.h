#pragma once

#include <QString>

// The data mask: "dm" and the update options of the Address Book to Google direction, ten flags
// as "1" or "0" and three integers in decimal. It is compared whole and used as an element name
// of the extended property, never parsed.
namespace datamask {

// The mask of the options as the preferences hold them now.
QString dataMaskFromPreferences();

// Stores dataMaskFromPreferences() in the preference googleDataMask.
void setGoogleDataMask();

} // namespace datamask
