// Preference keys of the browser window. Each key has this one definition.
#pragma once

#include <QString>

namespace windowkeys {

inline const QString browserRowHeight = QStringLiteral("browserRowHeight");
inline const QString browserRowFontSize = QStringLiteral("browserRowFontSize");
inline const QString browserNoteFontSize = QStringLiteral("browserNoteFontSize");
inline const QString multipleGroupsUseIntersection =
    QStringLiteral("multipleGroupsUseIntersection");
inline const QString browserNameColumnWidth = QStringLiteral("browserNameColumnWidth");
inline const QString groupNavHidden = QStringLiteral("groupNavHidden");
// Both hold whether the pane is VISIBLE after its toggle, whatever their names say: the stored
// preferences of earlier versions read that way.
inline const QString browserImageHidden = QStringLiteral("browserImageHidden");
inline const QString noteHidden = QStringLiteral("noteHidden");

} // namespace windowkeys
