// The portraits edited in a window, uploaded one by one, each waited for.
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "google/photos/phototexts.h"
#include "google/photos/photouploadentry.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QBuffer>

#include <memory>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
constexpr double kPictureWaitSeconds = 3.0;

QByteArray tiffData(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "TIFF"))
        return QByteArray();
    return data;
}

} // namespace

void GoogleContactTool::batchContactPictures()
{
    const QString op = QStringLiteral("batchContactPictures");
    m_failedPortraits.clear();
    for (const Portrait &portrait : std::as_const(m_currentContactImagesArray)) {
        const GDataEntryContactPtr contact = contactlookups::contactForID(m_lists, portrait.gID);
        const std::optional<GDataLink> link = contact ? contact->photoLink() : std::nullopt;
        const QByteArray jpeg = photouploadentry::jpegData(tiffData(portrait.gImage));
        // Without a picture the service would send an entry, not a photo.
        if (!link || link->href.isEmpty() || jpeg.isEmpty()) {
            m_failedPortraits << portrait.gID;
            continue;
        }
        if (m_uiDelegate)
            m_uiDelegate->setStatusMessage(
                phototexts::updatingImages.arg(tolvane::tolvaneTitle(*contact)));
        armPictureTreadInterval(kPictureWaitSeconds);
        const GDataEntryContactPtr entry =
            photouploadentry::photoEntry(phototexts::uploadingPhotoTitle, jpeg,
                                         phototexts::jpegType, phototexts::imageFileSlug, {});
        // An answer that comes after its wait gave up must not end the wait of the next one, and
        // counts as a failure: nobody waits for it any more.
        const auto stored = std::make_shared<bool>(false);
        m_portraitTicket = contactService()->fetchContactEntryByUpdatingEntry(
            *entry, link->URL(), this,
            [this, op, stored](const GDataServiceTicketPtr &ticket, const GDataEntryPtr &) {
                if (ticket == m_portraitTicket) {
                    *stored = true;
                    m_pictureWait.clear();
                }
                tlog::message(kClass, op, phototexts::pictureSuccess);
            },
            [this, op](const GDataServiceTicketPtr &ticket, const GDataError &error) {
                if (ticket == m_portraitTicket)
                    m_pictureWait.clear();
                tlog::value(kClass, op, phototexts::errorLabel, error.description);
                tlog::value(kClass, op, phototexts::errorUserInfoLabel,
                            tlog::describe(error.userInfo));
            });
        pictureTread();
        if (!*stored)
            m_failedPortraits << portrait.gID;
    }
    m_portraitTicket.reset();
}
