#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

namespace tolvane {

// The Google contact identifier the person is linked to; null when it has none or for no person.
QString googleID(const PersonPtr &person);

} // namespace tolvane
