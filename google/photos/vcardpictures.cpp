// The photo step of the vCard import jobs: the photos each finished job collected, uploaded as
// the portrait queue uploads, to the contacts as fetched again after the job.
#include "addressbook/fields/personimages.h"
#include "foundation/log.h"
#include "google/batch/vcardimporttexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"

#include <algorithm>
#include <utility>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");

} // namespace

void GoogleContactTool::batchVCardPictures()
{
    uploadVCardPictures(false);
}

void GoogleContactTool::batchABPictures()
{
    uploadVCardPictures(true);
}

void GoogleContactTool::uploadVCardPictures(bool addressBookPictures)
{
    // Each list is taken once: a second step never uploads a job's photos again.
    const QList<std::shared_ptr<VCardPhotoList>> lists = std::exchange(m_vCardPhotosToUpload, {});
    const bool anyPhoto =
        std::any_of(lists.begin(), lists.end(), [](const auto &list) { return !list->isEmpty(); });
    if (!anyPhoto)
        return;
    tlog::trace(kClass, addressBookPictures ? QStringLiteral("batchABPictures")
                                            : QStringLiteral("batchVCardPictures"));
    QList<Portrait> portraits;
    for (const std::shared_ptr<VCardPhotoList> &list : lists) {
        for (const VCardPhoto &photo : std::as_const(*list)) {
            // A new contact is known by its card person's identifier, which its property holds.
            const GDataEntryContactPtr contact =
                addressBookPictures || photo.gID.contains(QLatin1String("ABPerson"))
                    ? contactlookups::contactForABID(m_lists, photo.gID)
                    : contactlookups::contactForID(m_lists, photo.gID);
            const std::optional<GDataLink> link = contact ? contact->photoLink() : std::nullopt;
            if (!link || link->href.isEmpty())
                continue;
            const QImage image =
                addressBookPictures ? QImage::fromData(AddressBookTool::imageDataForABID(photo.gID))
                                    : photo.image;
            if (image.isNull())
                continue;
            if (m_uiDelegate)
                m_uiDelegate->updateUserInfoWithMessage(
                    vcardimporttexts::updatingImages.arg(tolvane::tolvaneTitle(*contact)));
            portraits.append({contact->identifier(), image});
        }
        list->clear();
    }
    // The portraits a window edited wait behind these, untouched.
    const QList<Portrait> edited = std::exchange(m_currentContactImagesArray, portraits);
    batchContactPictures();
    m_currentContactImagesArray = edited;
    fetchAllGroupsWithUIRefresh(true, true);
}
