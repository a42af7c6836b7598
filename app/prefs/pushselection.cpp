#include "app/prefs/pushselection.h"

#include "app/menus/commandkeys.h"
#include "google/push/pushkeys.h"
#include "google/upload/googleelementkeys.h"
#include "platform/defaults/userdefaults.h"

#include <algorithm>

namespace pushselection {

bool hasSelectedGroups(const QList<AutoABGroup> &groups, UserDefaults &defaults)
{
    if (std::any_of(groups.cbegin(), groups.cend(),
                    [](const AutoABGroup &group) { return group.doSynch; }))
        return true;
    const bool usesSelectedGroups = defaults.boolForKey(commandkeys::autoABUsesSelectedGroups);
    defaults.setBool(false, pushkeys::autoABStrict);
    defaults.setBool(false, googlekeys::autoABSelectedGroupsIncludeNestedGroups);
    defaults.setBool(false, commandkeys::autoABSelectedGroupsIncludeNewGroups);
    return !usesSelectedGroups;
}

} // namespace pushselection
