// The wire protocol a contacts-client benchmark runs on, as its argument: 0 Atom, 1 People. Both
// run against the same loopback server, so each People figure stands beside the Atom one.
#pragma once

#include "platform/gdata/gdataservicegooglecontact.h"

#include <QString>

class LoopbackServer;

namespace benchprotocol {

GDataServiceGoogleContact::Protocol fromArgument(long argument);
const char *label(GDataServiceGoogleContact::Protocol protocol);

// Sets the service up for the account on that protocol: the password on Atom; on People an
// OAuth client registered with the server and a credential granted to it. False when the server
// refused any of it.
bool useAccount(LoopbackServer &server, GDataServiceGoogleContact &service,
                GDataServiceGoogleContact::Protocol protocol, const QString &user,
                const QString &password);

} // namespace benchprotocol
