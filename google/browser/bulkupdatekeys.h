// Preference keys of the merge and the bulk update. Each key has this one definition.
#pragma once

#include <QString>

namespace bulkupdatekeys {

inline const QString bulkFieldTag = QStringLiteral("bulkFieldTag");
inline const QString bulkFindString = QStringLiteral("bulkFindString");
inline const QString bulkReplaceString = QStringLiteral("bulkReplaceString");
inline const QString bulkIgnoreCase = QStringLiteral("bulkIgnoreCase");
inline const QString bulkAddIfEmpty = QStringLiteral("bulkAddIfEmpty");
inline const QString includeMergePicture = QStringLiteral("includeMergePicture");
inline const QString includeMergeGroups = QStringLiteral("includeMergeGroups");
inline const QString includeMergeInfo = QStringLiteral("includeMergeInfo");

} // namespace bulkupdatekeys
