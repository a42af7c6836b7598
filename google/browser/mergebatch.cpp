// The browser's merge and bulk update sent to Google. A merge deletes contacts: their data must
// be in the master at Google before they go, so the master's update is sent alone and first.
#include "google/batch/batchfeeds.h"
#include "google/batch/ticketset.h"
#include "google/browser/bulkupdatekeys.h"
#include "google/browser/mergetexts.h"
#include "google/edits/edittexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"

#include <QApplication>

namespace {

const QString kGID = QStringLiteral("gID");
const QString kHasImage = QStringLiteral("hasImage");
const QString kPhotoLink = QStringLiteral("photoLink");

// Each operation numbers its batch entries on its own, for the life of the program.
unsigned mergeBatchCounter = 0;
unsigned bulkBatchCounter = 0;

void showSheet(const QString &title, const QString &text)
{
    Prompter::current().beginSheet(Prompt{title, text, {googletexts::okButton}},
                                   QApplication::activeWindow(), [](int) {});
}

// Copies of the entries, as the operation, in feeds of at most 100.
std::vector<GDataFeedPtr> feedsOf(const std::vector<GDataEntryContactPtr> &entries,
                                  const QString &operation, unsigned &counter)
{
    batchfeeds::FeedCutter cutter([] { return GDataFeedContact::contactFeed(); });
    for (const GDataEntryContactPtr &entry : entries) {
        const GDataEntryPtr copy = entry->copy();
        copy->setBatchOperation(operation);
        copy->setBatchID(batchfeeds::nextBatchID(counter));
        cutter.add(copy);
    }
    return cutter.feeds();
}

} // namespace

void GoogleContactTool::batchMergeArray(const QList<QVariantMap> &rows, const QString &masterID)
{
    const auto masterRow = std::find_if(rows.begin(), rows.end(), [&](const QVariantMap &row) {
        return row.value(kGID).toString() == masterID;
    });
    const GDataEntryContactPtr master = contactlookups::contactForID(m_lists, masterID);
    if (masterRow == rows.end() || !master) {
        showSheet(mergetexts::noMasterTitle, mergetexts::noMasterText);
        return;
    }
    const bool takePicture = defaultValueForKey(bulkupdatekeys::includeMergePicture).toBool();
    bool masterHasPhoto = masterRow->value(kHasImage).toBool();
    QByteArray photo;
    std::vector<GDataEntryContactPtr> donors;
    for (const QVariantMap &row : rows) {
        const QString gID = row.value(kGID).toString();
        if (gID == masterID)
            continue;
        const GDataEntryContactPtr donor = contactlookups::contactForID(m_lists, gID);
        if (!donor)
            continue;
        if (takePicture && !masterHasPhoto && row.value(kHasImage).toBool()) {
            photo = imageDataForURL(QUrl(row.value(kPhotoLink).toString()),
                                    tolvane::tolvanePhotoETag(*donor));
            masterHasPhoto = true;
        }
        merge(*donor, *master);
        donors.push_back(donor);
    }
    const std::shared_ptr<TicketSet> sent = TicketSet::sendBatchFeeds(
        *contactService(), this, batchfeeds::batchURLOf(m_contactFeed),
        feedsOf({master}, QStringLiteral("update"), mergeBatchCounter),
        [this, donors](TicketSet &set) { mergeMasterAnswered(set, donors); });
    // The update goes alone, so its ticket is the one that ends last and takes the photo to the
    // step that uploads it. The answer comes later on the event loop, after these are set.
    if (!photo.isEmpty()) {
        for (const GDataServiceTicketPtr &ticket : sent->tickets()) {
            ticket->setProperty(bulkupdatekeys::newImageData, photo);
            ticket->setProperty(bulkupdatekeys::masterID, masterID);
        }
    }
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(edittexts::waitingOnGoogle);
}

void GoogleContactTool::mergeMasterAnswered(const TicketSet &set,
                                            const std::vector<GDataEntryContactPtr> &donors)
{
    const std::optional<GDataBatchStatus> status =
        set.results().empty() ? std::nullopt : set.results().front()->batchStatus();
    // A refused or failed update is shown by the send's end, and no donor is deleted.
    if (!set.failures().empty() || !status || status->code < 200 || status->code > 299) {
        browserBatchAnswered(set);
        return;
    }
    const QByteArray photo = set.lastTicket()->propertyAs<QByteArray>(bulkupdatekeys::newImageData);
    if (!photo.isEmpty())
        setImageDataForContactID(photo,
                                 set.lastTicket()->propertyAs<QString>(bulkupdatekeys::masterID));
    if (donors.empty()) {
        browserBatchAnswered(set);
        return;
    }
    TicketSet::sendBatchFeeds(*contactService(), this, batchfeeds::batchURLOf(m_contactFeed),
                              feedsOf(donors, QStringLiteral("delete"), mergeBatchCounter),
                              [this](TicketSet &deletes) { browserBatchAnswered(deletes); });
}

void GoogleContactTool::batchBulkUpdateContacts(const QList<QVariantMap> &rows)
{
    std::vector<GDataEntryContactPtr> changed;
    for (const QVariantMap &row : rows) {
        const GDataEntryContactPtr contact =
            contactlookups::contactForID(m_lists, row.value(kGID).toString());
        if (contact && bulkUpdateContact(*contact))
            changed.push_back(contact);
    }
    if (changed.empty())
        return;
    TicketSet::sendBatchFeeds(*contactService(), this, batchfeeds::batchURLOf(m_contactFeed),
                              feedsOf(changed, QStringLiteral("update"), bulkBatchCounter),
                              [this](TicketSet &set) { browserBatchAnswered(set); });
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(edittexts::waitingOnGoogle);
}
