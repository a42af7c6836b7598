// SIGTERM and SIGINT end the server through its event loop, so that what it holds is written out
// before it goes: a test's stop and a restart on the same state file see every change.
#pragma once

class QObject;

namespace quitsignals {

// The handlers quit the application; the notifier lives as long as owner.
void install(QObject *owner);

} // namespace quitsignals
