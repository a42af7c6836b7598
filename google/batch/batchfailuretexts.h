#pragma once

#include <QString>

// The alert sheets of a failed "Simple" or "Advanced" group batch, one definition each.
namespace batchfailuretexts {

inline const QString simpleGroupsFailed = QStringLiteral("Batch Simple ABGroupActions Failed");
inline const QString simpleGroupsFailedText = QStringLiteral("Add Group Failed: %1");
inline const QString advancedGroupsFailed = QStringLiteral("Advanced Google Update Failed");
inline const QString advancedGroupsFailedText =
    QStringLiteral("Group Actions Failed with Error: %1");
// The end of an upload in which Google refused groups; their members stayed behind.
inline const QString groupsRefusedText =
    QStringLiteral("Google refused these groups; their members were not sent:\n%1");

} // namespace batchfailuretexts
