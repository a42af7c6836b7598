// Texts of the browser's inspector.
#pragma once

#include <QString>

namespace inspectortexts {

// The progress shown while one contact's notes go to Google; the contact's name.
inline const QString updating = QStringLiteral("Updating %1");

} // namespace inspectortexts
