#pragma once

#include <memory>

class QWebEngineProfile;

namespace webviewprofile {

// The profile of the web view windows: named and kept on disk in the program's folder, so that a
// sign-in on the page outlives the window and the run. Every open window shares it; the last one
// to go takes it along, after its page, as the engine requires.
std::shared_ptr<QWebEngineProfile> shared();

} // namespace webviewprofile
