#pragma once

#include <QString>

// The texts and keys of restoring a Google backup archive.
namespace restoretexts {

inline const QString panelPrompt = QStringLiteral("Select a Google Archive file.");
inline const QString archiveFolder = QStringLiteral("Archive");
inline const QString groupsMark = QStringLiteral(".groups");
inline const QString contactsMark = QStringLiteral(".contacts");
inline const QString photoMark = QStringLiteral(".tiff");

inline const QString unarchiving =
    QStringLiteral("Initializing Google Restore - Unarchiving backup file..");
inline const QString readingGroups = QStringLiteral("Initializing restore Google Groups  ...");
inline const QString readingContacts = QStringLiteral("Initializing restore Google Contacts  ...");
inline const QString readingImage = QStringLiteral("Initializing restore Google Images  ... %1");
inline const QString initializing = QStringLiteral("Initializing Google Restore ...");
inline const QString restoringGroup = QStringLiteral("Restoring Groups ... %1");
inline const QString restoringContact = QStringLiteral("Restoring Contacts ... %1");
inline const QString refreshingGroups =
    QStringLiteral("Refreshing local Google Group information ... ");
inline const QString refreshingContacts =
    QStringLiteral("Refreshing local Google Contact information ... ");
inline const QString restoringImage = QStringLiteral("Restoring images ... %1");

inline const QString completedTitle = QStringLiteral("Batch update completed");
inline const QString completedText = QStringLiteral("Update completed.\n%1");
inline const QString groupFailedTitle = QStringLiteral("Batch restore Group failed");
inline const QString groupFailedText = QStringLiteral("Update failed: %1");
inline const QString contactFailedTitle = QStringLiteral("Batch Restore ContactActions Failed");
inline const QString contactFailedText = QStringLiteral("Add Contacts Failed: %1");
inline const QString refusedTitle = QStringLiteral("Google Restore Failed");
inline const QString okButton = QStringLiteral("OK");

// What the outcome sheet lists.
inline const QString archiveRefused = QStringLiteral("The archive cannot be restored: %1");
inline const QString listRefused = QStringLiteral("The list %1 cannot be restored: %2");
inline const QString noLists =
    QStringLiteral("The archive holds no lists of Google groups or contacts.");
inline const QString noGroupFeed = QStringLiteral("The Google groups have not been fetched.");
inline const QString noContactFeed = QStringLiteral("The Google contacts have not been fetched.");
inline const QString refetchFailed = QStringLiteral("Google could not be read again: %1");
inline const QString photoFailed = QStringLiteral("A photo could not be restored: %1");
inline const QString groupsCreated = QStringLiteral("Groups created: %1");
inline const QString groupsSkipped = QStringLiteral("Groups already on Google: %1");
inline const QString contactsCreated = QStringLiteral("Contacts created: %1");
inline const QString contactsSkipped = QStringLiteral("Contacts already on Google: %1");
inline const QString entriesRefused = QStringLiteral("Entries Google refused: %1");
inline const QString photosRestored = QStringLiteral("Photos restored: %1");
inline const QString photosKept = QStringLiteral("Photos kept, the contact has one: %1");
inline const QString photosSkipped = QStringLiteral("Photos not restored: %1");
inline const QString copiesRemoved = QStringLiteral("Copies created twice and removed: %1");
inline const QString noRoomForLink =
    QStringLiteral("Contacts restored without their link (ten other properties): %1");

inline const QString addGroupCompletedTitle = QStringLiteral("Batch Add Group Completed");
inline const QString addGroupCompletedText = QStringLiteral("Batch Add Group Completed.\n%1");
inline const QString addGroupFailedTitle = QStringLiteral("Batch Add Group Failed");
inline const QString addGroupFailedText = QStringLiteral("Add Group Failed: %1");

inline const QString reportStatus = QStringLiteral("http status:%1\n\n");
inline const QString reportCode = QStringLiteral("%1 %2\n");

inline const QString unableToReestablishGroup = QStringLiteral("unable to re-establish group");
inline const QString noContactForPhoto = QStringLiteral("No Google Contact w/ this identifier");
inline const QString photoCount = QStringLiteral("[[self restoreGoogleImagesArray] count]");

inline const QString restoreGroupsComplete = QStringLiteral("restoreGoogleGroupsComplete");
inline const QString restoreContactsComplete = QStringLiteral("restoreGoogleContactsComplete");
inline const QString batchRestoreContacts = QStringLiteral("batchRestoreContacts");
inline const QString batchRestoreImages = QStringLiteral("batchRestoreImages");

} // namespace restoretexts
