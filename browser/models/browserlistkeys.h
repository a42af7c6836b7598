// Preference keys of the browser's group and contact lists. Each key has this one definition.
#pragma once

#include <QString>

namespace browserlistkeys {

// Which kind of group row takes the orders "20", "30" and "40": 0 Google's system groups, 1 the
// program's own groups, 2 Google's other groups.
inline const QString groupSortFirst = QStringLiteral("groupSortFirst");
inline const QString groupSortSecond = QStringLiteral("groupSortSecond");
inline const QString groupSortThird = QStringLiteral("groupSortThird");
inline const QString groupSortNoCase = QStringLiteral("groupSortNoCase");

inline const QString showGoogleSystemGroupCoworkers =
    QStringLiteral("showGoogleSystemGroupCoworkers");
inline const QString showGoogleSystemGroupFamily = QStringLiteral("showGoogleSystemGroupFamily");
inline const QString showGoogleSystemGroupFriends = QStringLiteral("showGoogleSystemGroupFriends");
inline const QString showGoogleSystemGroupSuggested =
    QStringLiteral("showGoogleSystemGroupSuggested");

// Whether the All row shows every contact (1) or the members of My Contacts.
inline const QString systemGroupUseAll = QStringLiteral("systemGroupUseAll");
inline const QString clearSearchOnGroupSelect = QStringLiteral("clearSearchOnGroupSelect");

} // namespace browserlistkeys
