// What the engine benchmarks share: the preferences of an account on the loopback server, an
// engine signed in to it, and a wait on the event loop that leaves the processor to the server.
#pragma once

#include "google/engine/googlecontacttool.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QUrl>

class LoopbackServer;

#include <functional>
#include <memory>

namespace benchengine {

inline const QString kUser = QStringLiteral("bench@example.com");
inline const QString kPassword = QStringLiteral("bench");

// The server's address, the link property names and the options of both directions.
bool usePreferences(const QUrl &serverBaseUrl);
// Runs the event loop, sleeping between events, until done answers true; false when the time
// ran out first.
bool waitUntil(const std::function<bool()> &done, int timeoutMs);
// The protocol engines made from now on speak, by the preference; on People with an OAuth client
// stored as the imported one and registered with the server. The secret to sign in with (the
// password on Atom, a credential granted to the client on People); empty when that failed.
QString useProtocol(LoopbackServer &server, GDataServiceGoogleContact::Protocol protocol);
// An engine signed in with groups and contacts fetched; null when that failed.
std::unique_ptr<GoogleContactTool> signedInEngine(const QString &secret = kPassword);

} // namespace benchengine
