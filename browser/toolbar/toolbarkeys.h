// Preference keys of the browser's toolbar and columns. Each key has this one definition.
#pragma once

#include <QString>

namespace toolbarkeys {

// The data field pop-up's choice: 1 e-mail, 2 phone, 3 location.
inline const QString browserDataField = QStringLiteral("browserDataField");

} // namespace toolbarkeys
