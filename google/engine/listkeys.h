// Preference keys of the engine's lists, identifier index and pseudo groups. Each key has this one
// definition.
#pragma once

#include <QString>

namespace listkeys {

inline const QString googleEmailOnlyCount = QStringLiteral("googleEmailOnlyCount");

inline const QString systemGroupRecent = QStringLiteral("systemGroupRecent");
inline const QString systemGroupNoGroup = QStringLiteral("systemGroupNoGroup");
inline const QString systemGroupEmailOnly = QStringLiteral("systemGroupEmailOnly");
inline const QString systemGroupCompany = QStringLiteral("systemGroupCompany");
inline const QString systemGroupMale = QStringLiteral("systemGroupMale");
inline const QString systemGroupFemale = QStringLiteral("systemGroupFemale");
inline const QString systemGroupNoGender = QStringLiteral("systemGroupNoGender");
inline const QString systemGroupRecentCount = QStringLiteral("systemGroupRecentCount");
inline const QString useTypeIcons = QStringLiteral("useTypeIcons");

} // namespace listkeys
