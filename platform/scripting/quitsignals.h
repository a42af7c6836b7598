// SIGTERM and SIGINT end a program through its event loop, so that its quit steps run and what it
// holds is written out before it goes: a logout, a test's stop or a restart loses nothing.
#pragma once

class QObject;

namespace quitsignals {

// The handlers quit the application; the notifier lives as long as owner.
void install(QObject *owner);

} // namespace quitsignals
