#pragma once

// Clean-up of the main program's transient preferences (see transientkeys.h): they are removed
// from its own domain at quit, and again at launch, before the factory defaults are registered,
// because a run that crashed or was killed never reached its quit.
namespace TolvaneUtilities {

void applicationWillTerminate();
void applicationWillLaunch();

} // namespace TolvaneUtilities
