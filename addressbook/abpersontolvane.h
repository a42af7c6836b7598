#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

namespace tolvane {

// The Google contact identifier the person is linked to; null when it has none.
QString googleID(const PersonPtr &person);

} // namespace tolvane
