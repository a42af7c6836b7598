// Texts of the browser's group-set selection.
#pragma once

#include <QString>

namespace selectiontexts {

// The set-mode menu item's title: what choosing it changes to.
inline const QString changeToUnion = QStringLiteral("Change to Union");
inline const QString changeToIntersection = QStringLiteral("Change to Intersection");

} // namespace selectiontexts
