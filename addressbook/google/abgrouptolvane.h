#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

namespace tolvane {

// The Google group identifier the group is linked to; null when it has none or for no group.
QString googleID(const GroupPtr &group);

} // namespace tolvane
