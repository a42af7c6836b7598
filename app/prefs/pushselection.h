// Whether the push selection names any group, and what follows when it names none.
#pragma once

#include "google/engine/googleabautoupdatedelegate.h"

#include <QList>

class UserDefaults;

namespace pushselection {

// True as soon as one group is ticked. Otherwise true only while the push does not use selected
// groups; and the options of a selection (strict, nested, new groups), which mean nothing without
// one, are switched off.
bool hasSelectedGroups(const QList<AutoABGroup> &groups, UserDefaults &defaults);

} // namespace pushselection
