#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

namespace tolvane {

// The Google group identifier the group is linked to; null when it has none.
QString googleID(const GroupPtr &group);

} // namespace tolvane
