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

// Properties of the ticket of the master's update: the photo taken over from a donor and the
// master's identifier, for the step that uploads it once Google took the update.
inline const QString newImageData = QStringLiteral("newImageData");
inline const QString masterID = QStringLiteral("masterID");

} // namespace bulkupdatekeys
