// One photo of one contact: uploaded from picture data, or deleted.
#include "foundation/log.h"
#include "google/contactaccessors.h"
#include "google/contactlookups.h"
#include "google/googlecontacttool.h"
#include "google/googlecontacttooltexts.h"
#include "google/googlecontacttooluidelegate.h"
#include "google/phototexts.h"
#include "google/photouploadentry.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"

#include <QApplication>

#include <algorithm>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");

} // namespace

void GoogleContactTool::setImageDataForContactID(const QByteArray &imageData,
                                                 const QString &identifier)
{
    tlog::trace(kClass, QStringLiteral("setImageData:forContactID:"));
    const GDataEntryContactPtr contact = contactlookups::contactForID(m_lists, identifier);
    const std::optional<GDataLink> link = contact ? contact->photoLink() : std::nullopt;
    if (!link || link->href.isEmpty())
        return;
    const GDataEntryContactPtr entry = photouploadentry::photoEntry(
        phototexts::uploadingPhotoTitle, photouploadentry::jpegData(imageData),
        phototexts::jpegType, phototexts::photoSlug, link->ETag());
    GDataServiceGoogleContact *service = contactService();
    // The progress of this upload only: the handler is read while the body goes out, long after
    // this call, and batch feeds go through the same service.
    service->setServiceUploadProgressHandler(
        [this](const GDataServiceTicketPtr &ticket, quint64 sent, quint64 total) {
            if (ticket == m_photoUploadTicket.lock())
                inputStreamHasDeliveredByteCount(sent, total);
        });
    m_photoUploadTicket = service->fetchContactEntryByUpdatingEntry(
        *entry, link->URL(), this,
        [this](const GDataServiceTicketPtr &, const GDataEntryPtr &) {
            tlog::message(kClass, QStringLiteral("uploadPhotoTicket:finishedWithEntry:"),
                          phototexts::photoTicketFinished);
            fetchAllContactsWithUIRefresh(true);
        },
        [this](const GDataServiceTicketPtr &, const GDataError &error) {
            showPhotoFailureSheet(phototexts::uploadFailed, phototexts::photoUploadFailed, error);
        });
}

void GoogleContactTool::inputStreamHasDeliveredByteCount(quint64 sent, quint64 total)
{
    if (!m_uiDelegate)
        return;
    m_uiDelegate->setProgressMaxValue(double(total));
    m_uiDelegate->setProgressCurValue(double(sent));
}

void GoogleContactTool::deleteContactImageForID(const QString &identifier)
{
    const GDataEntryContactPtr contact = contactlookups::contactForID(m_lists, identifier);
    const std::optional<GDataLink> link = contact ? contact->photoLink() : std::nullopt;
    if (!link || link->href.isEmpty())
        return;
    contactService()->deleteResourceURL(
        link->URL(), link->ETag(), this,
        [](const GDataServiceTicketPtr &, const GDataEntryPtr &) {},
        [this](const GDataServiceTicketPtr &, const GDataError &error) {
            showPhotoFailureSheet(phototexts::deletePhotoFailed, phototexts::photoDeleteFailed,
                                  error);
        });
}

int GoogleContactTool::countOfImages() const
{
    return int(std::count_if(m_lists.contacts().begin(), m_lists.contacts().end(),
                             [](const GDataEntryContactPtr &contact) {
                                 return !tolvane::tolvanePhotoLink(*contact).isEmpty();
                             }));
}

void GoogleContactTool::showPhotoFailureSheet(const QString &title, const QString &text,
                                              const GDataError &error)
{
    Prompter::current().beginSheet(
        Prompt{title,
               text.arg(error.description, tlog::describe(error.userInfo)),
               {googletexts::okButton}},
        QApplication::activeWindow(), [](int) {});
}
