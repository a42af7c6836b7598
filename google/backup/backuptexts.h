#pragma once

#include <QString>

// The texts and names of the Google backup archive.
namespace backuptexts {

inline const QString archiveName = QStringLiteral("google_%1_%2.zip");
inline const QString groupsEntry = QStringLiteral("googleArchive_%1_%2.groups");
inline const QString contactsEntry = QStringLiteral("googleArchive_%1_%2.contacts");
inline const QString photoEntry = QStringLiteral("%1.tiff");
inline const QString imagesFolder = QStringLiteral("images");
inline const QString systemGroupMark = QStringLiteral("System Group: ");
inline const QString emailAddressOnly = QStringLiteral("Email Address Only");

inline const QString initializing = QStringLiteral("Initializing Google Backup ...");
inline const QString backingUpGroup = QStringLiteral("Backing up Groups ... %1");
inline const QString writingGroups = QStringLiteral("Backing up Groups ... writing archive file");
inline const QString backingUpContact = QStringLiteral("Backing up Contacts ... %1");
inline const QString writingContacts =
    QStringLiteral("Backing up Contacts ... writing archive file");
inline const QString backingUpImage = QStringLiteral("Backing up images ... %1");

inline const QString completed = QStringLiteral("Backup Google Contacts & Groups Completed");
inline const QString completedText =
    QStringLiteral("NOTE: Backup archive are automatically compressed and date and time stamped");
inline const QString photosLeftOut = QStringLiteral("\n%1 photos could not be obtained: %2");
inline const QString photosRenamed =
    QStringLiteral("\nPhotos kept under a name of their own: %1");
inline const QString failed = QStringLiteral("Backup Google Contacts & Groups Failed");
inline const QString groupsNotWritten = QStringLiteral("The groups list could not be written: %1");
inline const QString contactsNotWritten =
    QStringLiteral("The contacts list could not be written: %1");
inline const QString folderNotMade = QStringLiteral("The folder could not be made: %1");
inline const QString zipNotWritten = QStringLiteral("The archive could not be written: %1");
inline const QString ok = QStringLiteral("OK");

inline const QString recordCount = QStringLiteral("[records count]");
inline const QString endOfWriter = QStringLiteral("end of writeImagesToFile");
inline const QString writerFailedWithStatus =
    QStringLiteral("imageDataFetcher:%1 failedWithStatus:%2 data:%3");
inline const QString writerFailedWithError = QStringLiteral("imageDataFetcher:%1 failedWithError:%2");

// The contact record's key of our own that names a photo entry given a name of its own.
inline const QString photoFileKey = QStringLiteral("tolvanePhotoFile");

} // namespace backuptexts
