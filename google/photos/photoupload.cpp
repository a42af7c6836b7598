// One photo of one contact: uploaded from picture data, or deleted.
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "google/photos/phototexts.h"
#include "google/photos/photouploadentry.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

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
    sendPhotoUpload(*entry, link->URL());
}

void GoogleContactTool::setSelectedContactPhotoAtPath(const QString &path)
{
    const std::optional<GDataLink> link =
        m_selectedContact ? m_selectedContact->photoLink() : std::nullopt;
    if (!link || link->href.isEmpty())
        return;
    // The file goes as the user picked it, in its own format.
    const QString type = GDataEntryBase::MIMETypeForFileAtPath(path, phototexts::jpegType);
    QString problem;
    QByteArray bytes;
    QFile file(path);
    if (!type.startsWith(QLatin1String("image/")))
        problem = phototexts::needMIMEType.arg(path);
    else if (!file.open(QIODevice::ReadOnly) || (bytes = file.readAll()).isEmpty())
        problem = phototexts::cannotReadFile.arg(path);
    if (!problem.isEmpty()) {
        Prompter::current().beginSheet(
            Prompt{phototexts::uploadError, problem, {googletexts::okButton}},
            QApplication::activeWindow(), [](int) {});
        return;
    }
    const QFileInfo info(path);
    const GDataEntryContactPtr entry =
        photouploadentry::photoEntry(info.fileName(), bytes, type, info.fileName(), std::nullopt);
    sendPhotoUpload(*entry, link->URL());
}

void GoogleContactTool::sendPhotoUpload(const GDataEntryContact &entry, const QUrl &url)
{
    GDataServiceGoogleContact *service = contactService();
    // The progress of this upload only: the handler is read while the body goes out, long after
    // this call, and batch feeds go through the same service.
    service->setServiceUploadProgressHandler(
        [this](const GDataServiceTicketPtr &ticket, quint64 sent, quint64 total) {
            if (ticket == m_photoUploadTicket.lock())
                inputStreamHasDeliveredByteCount(sent, total);
        });
    m_photoUploadTicket = service->fetchContactEntryByUpdatingEntry(
        entry, url, this,
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
