#pragma once

#include <QString>

// Preference keys that only the building of Google contacts from address book people reads.
// Each key has this one definition.
namespace googlekeys {

inline const QString autoABSelectedGroupsIncludeNestedGroups =
    QStringLiteral("autoABSelectedGroupsIncludeNestedGroups");
inline const QString gmDoTagCreatedRecords = QStringLiteral("gmDoTagCreatedRecords");
inline const QString gmRecurseGroups = QStringLiteral("gmRecurseGroups");
inline const QString gmTagForCreatedRecords = QStringLiteral("gmTagForCreatedRecords");
inline const QString gmUpdateIncludeCreateDate = QStringLiteral("gmUpdateIncludeCreateDate");
inline const QString gmUpdateIncludeURLsInNotes = QStringLiteral("gmUpdateIncludeURLsInNotes");

} // namespace googlekeys
