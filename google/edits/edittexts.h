#pragma once

#include <QString>

// The progress texts, sheets and log labels of the browser's edit batches, one definition each.
namespace edittexts {

inline const QString waitingOnGoogle = QStringLiteral("Waiting for Google response... ");
inline const QString deletingContacts = QStringLiteral("Deleting Contacts...");
inline const QString deletingContact = QStringLiteral("Deleting .. %1");
inline const QString updatingMemberships = QStringLiteral("Updating Group memberships: %1");
inline const QString refreshing = QStringLiteral("Refreshing local Google data...");

inline const QString completedTitle = QStringLiteral("Batch update completed");
inline const QString completedText = QStringLiteral("Update completed.\n%1");
inline const QString failedTitle = QStringLiteral("Batch update failed");
inline const QString failedText = QStringLiteral("Update failed: %1");

inline const QString groupUpdateFailedTitle = QStringLiteral("Update failed");
inline const QString groupUpdateFailedText =
    QStringLiteral("Group update failed: %1\nUser info:%2");

// The report of a finished send.
inline const QString reportStatus = QStringLiteral("http status:%1\n\n");
inline const QString reportEntryStatus = QStringLiteral("%1 %2\n");

inline const QString groupBatchLinkLabel = QStringLiteral("[[mGroupFeed batchLink] URL]");

} // namespace edittexts
