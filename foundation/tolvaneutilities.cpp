#include "foundation/tolvaneutilities.h"

#include "foundation/transientkeys.h"
#include "platform/defaults/userdefaults.h"

namespace TolvaneUtilities {
namespace {

void removeTransientPreferences()
{
    UserDefaults &defaults = UserDefaults::standard();
    for (const QString &key : transientkeys::kAll)
        defaults.removeObjectForKey(key);
}

} // namespace

void applicationWillTerminate()
{
    removeTransientPreferences();
}

void applicationWillLaunch()
{
    removeTransientPreferences();
}

} // namespace TolvaneUtilities
