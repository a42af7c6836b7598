// Texts of the engine's photo operations. Each text has this one definition.
#pragma once

#include <QString>

namespace phototexts {

// Single fetch.
inline const QString imageDataForURLFailed = QStringLiteral("ERROR: ImageDataForURL failed");
inline const QString getImageFailedWithStatus =
    QStringLiteral("getImage:%1 failedWithStatus:%2 data:%3");
inline const QString getImageFailedWithError = QStringLiteral("getImage:%1 failedWithError:%2");
inline const QString staleImageAnswer =
    QStringLiteral("ignored a photo answer that came after its fetch gave up");

// Uploads.
inline const QString uploadingPhotoTitle = QStringLiteral("UploadingPhoto ContactEntryTitle");
inline const QString photoSlug = QStringLiteral("photo ContactImageFileSlug");
inline const QString imageFileSlug = QStringLiteral("ContactImageFileSlug");
inline const QString jpegType = QStringLiteral("image/jpeg");
inline const QString photoTicketFinished = QStringLiteral("photo ticket finished");
inline const QString uploadError = QStringLiteral("Upload Error");
inline const QString uploadFailed = QStringLiteral("Upload failed");
inline const QString photoUploadFailed = QStringLiteral("Photo upload failed: %1\nUser info:%2");
inline const QString deletePhotoFailed = QStringLiteral("Delete photo failed");
inline const QString photoDeleteFailed = QStringLiteral("Photo delete failed: %1\nUser info:%2");

// Queues.
inline const QString updatingImages = QStringLiteral("Updating images ... %1");
inline const QString finishedPictureFor = QStringLiteral("Finished Picture for");
inline const QString endOfUploadPhotos = QStringLiteral("end of Upload Photos");
inline const QString userInfo = QStringLiteral("%1  -- User info:%2");
inline const QString simpleImageUpdate = QStringLiteral("Simple Google Image Update");
inline const QString updatingContactImages = QStringLiteral("Updating Contact Images...");
inline const QString needMIMEType = QStringLiteral("need MIME type for file %1");
inline const QString pictureSuccess = QStringLiteral("picture success");
inline const QString errorLabel = QStringLiteral("error");
inline const QString errorUserInfoLabel = QStringLiteral("[error userInfo]");
inline const QString cannotReadPicture = QStringLiteral("cannot read the picture of %1");
inline const QString cannotReadFile = QStringLiteral("cannot read file %1");
inline const QString updatingGoogleImagesPerson =
    QStringLiteral("Updating Google images ... %1 %2");
inline const QString updatingGoogleImagesCompany = QStringLiteral("Updating Google images ...  %1");
inline const QString noIdentifier = QStringLiteral("ABContact does NOT have identifier");
inline const QString noContactWithIdentifier =
    QStringLiteral("No Google Contact w/ this identifier");
inline const QString advancedImageUpdate = QStringLiteral("Advanced Google Image Update");

} // namespace phototexts
