// Which wire protocol an account's service speaks, from the preferences.
#pragma once

#include "platform/gdata/gdataservicegooglecontact.h"

#include <QString>

namespace googleprotocol {

// "atom" or "people" wins; otherwise Atom when a base URL names another server (the loopback
// server, the demo account) and People for Google's own service.
GDataServiceGoogleContact::Protocol protocolFor(const QString &protocolPreference,
                                                const QString &baseURLPreference);

// The protocol the preferences choose now.
GDataServiceGoogleContact::Protocol accountProtocol();

} // namespace googleprotocol
