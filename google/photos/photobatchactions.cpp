// The photos of a queue of batch actions: each person's own picture uploaded as the photo of its
// Google contact, one after the other, each waited for; a failed photo does not stop the others.
#include "addressbook/fields/personimages.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/lookups/contactlookups.h"
#include "google/photos/phototexts.h"
#include "google/photos/photouploadentry.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataservicegooglecontact.h"

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kOperation = QStringLiteral("batchABContactPictures:");
constexpr double kPictureWaitSeconds = 3.0;

QString progressLine(const PersonPtr &person)
{
    if (AddressBookTool::personIsCompany(person))
        return phototexts::updatingGoogleImagesCompany.arg(
            person->valueForProperty(kABOrganizationProperty).toString());
    return phototexts::updatingGoogleImagesPerson.arg(
        person->valueForProperty(kABFirstNameProperty).toString(),
        person->valueForProperty(kABLastNameProperty).toString());
}

} // namespace

GDataEntryContactPtr GoogleContactTool::photoContactOfAction(const BatchAction &action,
                                                             const PersonPtr &person) const
{
    if (action.action == batchactions::update)
        return std::dynamic_pointer_cast<GDataEntryContact>(action.googleObj);
    if (action.action != batchactions::add)
        return nullptr;
    const QString googleID =
        person->valueForProperty(AddressBookTool::contactIDPropertyName()).toString();
    if (googleID.isEmpty()) {
        tlog::labelled(kClass, kOperation, phototexts::noIdentifier, person->uniqueId());
        return nullptr;
    }
    const GDataEntryContactPtr contact = contactlookups::contactForID(m_lists, googleID);
    if (!contact)
        tlog::labelled(kClass, kOperation, phototexts::noContactWithIdentifier, person->uniqueId());
    return contact;
}

void GoogleContactTool::batchABContactPictures(const BatchActionQueue &actions)
{
    if (actions.empty())
        return;
    for (const BatchAction &action : actions) {
        const PersonPtr person = std::dynamic_pointer_cast<Person>(action.abObj);
        if (action.action == batchactions::remove || !person)
            continue;
        const QByteArray image = AddressBookTool::imageDataABForPerson(person);
        setProgressMessage(progressLine(person));
        if (image.isEmpty())
            continue;
        const GDataEntryContactPtr contact = photoContactOfAction(action, person);
        const std::optional<GDataLink> link = contact ? contact->photoLink() : std::nullopt;
        const QByteArray jpeg =
            link && !link->href.isEmpty() ? photouploadentry::jpegData(image) : QByteArray();
        // Without a picture the service would send an entry, not a photo.
        if (jpeg.isEmpty())
            continue;
        if (!sendActionPicture(jpeg, link->URL()))
            break;
    }
    tlog::bare(phototexts::endOfUploadPhotos);
    if (m_uiDelegate)
        m_uiDelegate->closeUserInfo();
}

bool GoogleContactTool::sendActionPicture(const QByteArray &jpeg, const QUrl &url)
{
    armPictureTreadInterval(kPictureWaitSeconds);
    const GDataEntryContactPtr entry = photouploadentry::photoEntry(
        phototexts::uploadingPhotoTitle, jpeg, phototexts::jpegType, phototexts::imageFileSlug, {});
    // An answer that comes after its wait gave up must not end the wait of the next photo.
    const auto ended = [this](const GDataServiceTicketPtr &ticket) {
        if (ticket == m_actionPictureTicket)
            m_pictureWait.clear();
        UserDefaults::standard().setBool(true, googlekeys::batchABContactPicturesTicketComplete);
    };
    m_actionPictureTicket = contactService()->fetchContactEntryByUpdatingEntry(
        *entry, url, this,
        [ended](const GDataServiceTicketPtr &ticket, const GDataEntryPtr &) { ended(ticket); },
        [this, ended](const GDataServiceTicketPtr &ticket, const GDataError &error) {
            ended(ticket);
            if (m_uiDelegate)
                m_uiDelegate->cleanupGUIforProcess(phototexts::advancedImageUpdate, QString(),
                                                   error);
        });
    // The agent gives up the queue when a photo does not answer in time.
    const bool goOn = pictureTread();
    m_actionPictureTicket.reset();
    return goOn;
}
