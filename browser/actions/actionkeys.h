// Preference keys of the browser's actions. Each key has this one definition.
#pragma once

#include <QString>

namespace actionkeys {

// The message pane: its subject, and how several recipients are addressed (0 all in To, 1 the
// others in CC, 2 the others in BCC).
inline const QString msgSubject = QStringLiteral("msgSubject");
inline const QString msgAddressMode = QStringLiteral("msgAddressMode");

} // namespace actionkeys
