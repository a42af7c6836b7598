// Texts of the browser's merge and bulk update batches. Each text has this one definition.
#pragma once

#include <QString>

namespace mergetexts {

inline const QString batchID = QStringLiteral("batchID_%1");
inline const QString waiting = QStringLiteral("Waiting for Google response... ");
inline const QString refreshing = QStringLiteral("Refreshing local Google data...");
inline const QString completedTitle = QStringLiteral("Batch update completed");
inline const QString completedText = QStringLiteral("Update completed.\n%1");
inline const QString failedTitle = QStringLiteral("Batch update failed");
inline const QString failedText = QStringLiteral("Update failed: %1");
inline const QString okButton = QStringLiteral("OK");
// A merge whose master is not among the rows, or not among the contacts.
inline const QString noMasterTitle = QStringLiteral("Merge stopped");
inline const QString noMasterText =
    QStringLiteral("The contact to merge into was not found. Nothing was changed.");
// The master's update was refused: the other contacts stay.
inline const QString masterRefusedText =
    QStringLiteral("Google refused the merged contact (%1 %2). No contact was deleted.");

} // namespace mergetexts
