#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QVariantMap>

namespace tolvane {

// "first", "last", "nick", "middle", "isCompany" (bool) and "coName": a company's title as
// "coName" with empty name parts; a person's title split into first, nickname and last name.
QVariantMap tolvaneNameDictionary(const GDataEntryContact &contact);

} // namespace tolvane
