// The chained photo queues: address book pictures after an upload to Google, and the image files
// of a restored backup. Each photo is sent from the callback of the one before.
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/photos/phototexts.h"
#include "google/photos/photouploadentry.h"
#include "platform/gdata/entries/gdataentrybase.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QFile>

#include <algorithm>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kAfterPhotos = QStringLiteral("doSmartElseSaveAB");
constexpr int kUnauthorized = 401;

QString describe(const PhotoJob &job)
{
    QVariantMap map{{QStringLiteral("photoLink"), job.photoLink.href}};
    if (!job.name.isNull())
        map.insert(QStringLiteral("name"), job.name);
    if (!job.filepath.isNull())
        map.insert(QStringLiteral("filepath"), job.filepath);
    return tlog::describe(map);
}

// The JPEG of an image file; empty, with the reason logged, when the file is of no image type or
// cannot be read as a picture.
QByteArray jpegOfFile(const QString &path)
{
    const QString type = GDataEntryBase::MIMETypeForFileAtPath(path, phototexts::jpegType);
    if (!type.startsWith(QLatin1String("image/"))) {
        tlog::bare(phototexts::needMIMEType.arg(path));
        return QByteArray();
    }
    QFile file(path);
    const QByteArray jpeg =
        file.open(QIODevice::ReadOnly) ? photouploadentry::jpegData(file.readAll()) : QByteArray();
    if (jpeg.isEmpty())
        tlog::bare(phototexts::cannotReadFile.arg(path));
    return jpeg;
}

} // namespace

void GoogleContactTool::batchSimpleABContactPictures()
{
    const QString op = QStringLiteral("batchSimpleABContactPictures");
    tlog::value(kClass, op, QStringLiteral("[contactResultsArray count]"),
                int(m_contactResultsArray.size()));
    if (m_contactResultsArray.empty())
        return;
    const PhotoJob &job = m_contactResultsArray.front();
    tlog::value(kClass, op, QStringLiteral("[contactResultsArray objectAtIndex:0]"), describe(job));
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(phototexts::updatingImages.arg(job.name));
    const QByteArray jpeg = photouploadentry::jpegData(job.data);
    // Without a picture the service would send an entry in place of a photo.
    if (jpeg.isEmpty()) {
        tlog::bare(phototexts::cannotReadPicture.arg(job.name));
        m_contactResultsArray.erase(m_contactResultsArray.begin());
        nextPictureOrEnd();
        return;
    }
    const GDataEntryContactPtr entry = photouploadentry::photoEntry(
        job.name, jpeg, phototexts::jpegType, phototexts::imageFileSlug, job.photoLink.ETag());
    entry->setShouldUploadDataOnly(true);
    contactService()->fetchContactEntryByUpdatingEntry(
        *entry, job.photoLink.URL(), this,
        [this, op](const GDataServiceTicketPtr &, const GDataEntryPtr &) {
            m_pictureWait.clear();
            if (!m_contactResultsArray.empty()) {
                tlog::labelled(kClass, op, phototexts::finishedPictureFor,
                               describe(m_contactResultsArray.front()));
                m_contactResultsArray.erase(m_contactResultsArray.begin());
            }
            nextPictureOrEnd();
        },
        [this](const GDataServiceTicketPtr &, const GDataError &error) {
            photoQueueFailed(error);
        });
}

void GoogleContactTool::takePhotosAfterSignIn()
{
    std::vector<PhotoJob> waiting;
    waiting.swap(m_photosAfterSignIn);
    for (PhotoJob &job : waiting) {
        const auto queued = [&job](const PhotoJob &other) {
            return other.photoLink.href == job.photoLink.href;
        };
        if (std::any_of(m_contactResultsArray.begin(), m_contactResultsArray.end(), queued))
            continue;
        // The contact as last fetched gives the photo's current version; a contact that is gone
        // takes its photo with it.
        const auto contact = std::find_if(m_lists.contacts().begin(), m_lists.contacts().end(),
                                          [&job](const GDataEntryContactPtr &entry) {
                                              const std::optional<GDataLink> link =
                                                  entry->photoLink();
                                              return link && link->href == job.photoLink.href;
                                          });
        if (contact == m_lists.contacts().end())
            continue;
        job.photoLink = *(*contact)->photoLink();
        m_contactResultsArray.push_back(job);
    }
}

void GoogleContactTool::nextPictureOrEnd()
{
    if (!m_contactResultsArray.empty()) {
        batchSimpleABContactPictures();
        return;
    }
    tlog::bare(phototexts::endOfUploadPhotos);
    refetchAllContacts(kAfterPhotos);
}

void GoogleContactTool::loadContactImageFiles()
{
    if (m_contactResultsArray.empty())
        return;
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(phototexts::updatingContactImages,
                                              int(m_contactResultsArray.size()));
    m_progressCount = 0.0;
    m_skippedImageFiles.clear();
    sendNextImageFile();
}

void GoogleContactTool::sendNextImageFile()
{
    QByteArray jpeg;
    // A file that is no picture is left out; the others still go.
    while (!m_contactResultsArray.empty() && jpeg.isEmpty()) {
        jpeg = jpegOfFile(m_contactResultsArray.front().filepath);
        if (!jpeg.isEmpty())
            break;
        m_skippedImageFiles << m_contactResultsArray.front().filepath;
        m_contactResultsArray.erase(m_contactResultsArray.begin());
        m_progressCount += 1.0;
        if (m_uiDelegate)
            m_uiDelegate->setProgressCurValue(m_progressCount);
    }
    if (m_contactResultsArray.empty()) {
        endImageFiles();
        return;
    }
    const PhotoJob &job = m_contactResultsArray.front();
    const GDataEntryContactPtr entry =
        photouploadentry::photoEntry(phototexts::uploadingPhotoTitle, jpeg, phototexts::jpegType,
                                     phototexts::imageFileSlug, job.photoLink.ETag());
    contactService()->fetchContactEntryByUpdatingEntry(
        *entry, job.photoLink.URL(), this,
        [this](const GDataServiceTicketPtr &, const GDataEntryPtr &) {
            if (!m_contactResultsArray.empty())
                m_contactResultsArray.erase(m_contactResultsArray.begin());
            m_progressCount += 1.0;
            if (m_uiDelegate)
                m_uiDelegate->setProgressCurValue(m_progressCount);
            if (m_contactResultsArray.empty())
                endImageFiles();
            else
                sendNextImageFile();
        },
        [this](const GDataServiceTicketPtr &, const GDataError &error) {
            photoQueueFailed(error);
        });
}

void GoogleContactTool::endImageFiles()
{
    if (m_uiDelegate) {
        if (!m_skippedImageFiles.isEmpty()) {
            QStringList reasons;
            for (const QString &path : m_skippedImageFiles)
                reasons << phototexts::cannotReadFile.arg(path);
            m_uiDelegate->cleanupGUIforProcess(
                phototexts::simpleImageUpdate, QString(),
                GDataError{kGDataErrorOther, QString(), reasons.join(u'\n'), {}});
        }
        m_uiDelegate->updateUserInfoWithMessage(googletexts::refreshingContacts);
    }
    m_skippedImageFiles.clear();
    refetchAllContacts(kAfterPhotos);
}

void GoogleContactTool::photoQueueFailed(const GDataError &error)
{
    m_pictureWait.clear();
    tlog::bare(phototexts::userInfo.arg(error.description, tlog::describe(error.userInfo)));
    // Pictures refused even after signing in again wait for a sign-in that holds, instead of
    // being dropped with the queue. A restore's image files are the restore's to send again.
    if (error.code == kUnauthorized) {
        for (const PhotoJob &job : m_contactResultsArray) {
            if (job.filepath.isEmpty())
                m_photosAfterSignIn.push_back(job);
        }
        std::erase_if(m_contactResultsArray,
                      [](const PhotoJob &job) { return job.filepath.isEmpty(); });
    }
    if (m_uiDelegate)
        m_uiDelegate->cleanupGUIforProcess(phototexts::simpleImageUpdate, QString(), error);
}
