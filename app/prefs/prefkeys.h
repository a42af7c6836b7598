// Preference keys the preferences sheet writes that no layer below the program defines. Each key
// has this one definition in the program.
#pragma once

#include <QString>

namespace prefkeys {

inline const QString appLogLevel = QStringLiteral("appLogLevel");
inline const QString abUpdateContacts = QStringLiteral("abUpdateContacts");
inline const QString abUpdateGroups = QStringLiteral("abUpdateGroups");
inline const QString canDoSimpleABUpdate = QStringLiteral("canDoSimpleABUpdate");

} // namespace prefkeys
