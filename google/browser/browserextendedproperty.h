#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataextendedproperty.h"

#include <QDateTime>
#include <QVariantMap>

namespace tolvane {

// The program's property for a contact made or edited in the browser: aID "tolvaneBrowser", the
// data mask element and asOf holding now, isCo, gender ("M" above 0, "F" at 0, "" below 0 or
// when the dictionary has none), gT (the entry's title), aF, aN, aL from "nameDict", aC from
// "org" and gID. A text missing from the dictionary is written "".
GDataExtendedProperty
googleExtendedPropertiesForBrowserDictionary(const GDataEntryContact &contact,
                                             const QVariantMap &browserDictionary,
                                             const QDateTime &now = QDateTime::currentDateTime());

} // namespace tolvane
