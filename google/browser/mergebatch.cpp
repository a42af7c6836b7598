// The browser's merge and bulk update sent to Google. A merge deletes contacts: their data must
// be in the master at Google before they go, so the master's update is sent alone and first.
#include "foundation/log.h"
#include "google/batch/batchkeys.h"
#include "google/batch/ticketset.h"
#include "google/browser/bulkupdatekeys.h"
#include "google/browser/mergetexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"

#include <QApplication>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
constexpr size_t kEntriesPerFeed = 100;
const QString kGID = QStringLiteral("gID");
const QString kHasImage = QStringLiteral("hasImage");
const QString kPhotoLink = QStringLiteral("photoLink");

// Each operation numbers its batch entries on its own, for the life of the program.
unsigned mergeBatchCounter = 0;
unsigned bulkBatchCounter = 0;

QUrl batchURLOf(const GDataFeedPtr &feed)
{
    const std::optional<GDataLink> link = feed ? feed->batchLink() : std::nullopt;
    return link ? link->URL() : QUrl();
}

void showSheet(const QString &title, const QString &text)
{
    Prompter::current().beginSheet(Prompt{title, text, {mergetexts::okButton}},
                                   QApplication::activeWindow(), [](int) {});
}

// Copies of the entries, as the operation, in feeds of at most 100.
std::vector<GDataFeedPtr> feedsOf(const std::vector<GDataEntryContactPtr> &entries,
                                  const QString &operation, unsigned &counter)
{
    std::vector<GDataFeedPtr> feeds;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i % kEntriesPerFeed == 0)
            feeds.push_back(GDataFeedContact::contactFeed());
        const GDataEntryPtr copy = entries[i]->copy();
        copy->setBatchOperation(operation);
        copy->setBatchID(mergetexts::batchID.arg(++counter));
        feeds.back()->addEntry(copy);
    }
    return feeds;
}

QString reportOf(const TicketSet &set)
{
    QString report = QStringLiteral("http status:%1\n\n").arg(set.lastStatusCode());
    for (const GDataEntryPtr &entry : set.results()) {
        report += entry->batchID().value_or(QString()) + QLatin1Char('\n');
        if (const std::optional<GDataBatchInterrupted> interrupted = entry->batchInterrupted())
            report += interrupted->description() + QLatin1Char('\n');
        if (const std::optional<GDataBatchStatus> status = entry->batchStatus())
            report += QStringLiteral("%1 %2\n").arg(status->code).arg(status->reason);
        report += QLatin1Char('\n');
    }
    return report;
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
    TicketSet::sendBatchFeeds(*contactService(), this, batchURLOf(m_contactFeed),
                              feedsOf({master}, QStringLiteral("update"), mergeBatchCounter),
                              [this, masterID, donors, photo](TicketSet &set) {
                                  mergeMasterAnswered(set, masterID, donors, photo);
                              });
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(mergetexts::waiting);
}

void GoogleContactTool::mergeMasterAnswered(const TicketSet &set, const QString &masterID,
                                            const std::vector<GDataEntryContactPtr> &donors,
                                            const QByteArray &photo)
{
    const std::optional<GDataBatchStatus> status =
        set.results().empty() ? std::nullopt : set.results().front()->batchStatus();
    if (!set.failures().empty() || !status || status->code < 200 || status->code > 299) {
        if (set.failures().empty())
            showSheet(mergetexts::failedTitle,
                      mergetexts::masterRefusedText.arg(status ? int(status->code) : 0)
                          .arg(status ? status->reason : QString()));
        editBatchAnswered(set);
        return;
    }
    if (!photo.isEmpty())
        setImageDataForContactID(photo, masterID);
    if (donors.empty()) {
        editBatchAnswered(set);
        return;
    }
    TicketSet::sendBatchFeeds(*contactService(), this, batchURLOf(m_contactFeed),
                              feedsOf(donors, QStringLiteral("delete"), mergeBatchCounter),
                              [this](TicketSet &deletes) { editBatchAnswered(deletes); });
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
    TicketSet::sendBatchFeeds(*contactService(), this, batchURLOf(m_contactFeed),
                              feedsOf(changed, QStringLiteral("update"), bulkBatchCounter),
                              [this](TicketSet &set) { editBatchAnswered(set); });
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(mergetexts::waiting);
}

void GoogleContactTool::editBatchAnswered(const TicketSet &set)
{
    const QString report = reportOf(set);
    tlog::value(kClass, QStringLiteral("batchTicket:finishedWithFeed:"), QStringLiteral("report"),
                report);
    // A failure is always shown: the cached entries hold changes Google never received, and the
    // fetch below puts Google's state back.
    if (!set.failures().empty())
        showSheet(mergetexts::failedTitle,
                  mergetexts::failedText.arg(set.failures().front().error.description));
    else if (UserDefaults::standard().boolForKey(batchkeys::showGoogleAlerts))
        showSheet(mergetexts::completedTitle, mergetexts::completedText.arg(report));
    if (m_uiDelegate)
        m_uiDelegate->setProgressMessage(mergetexts::refreshing);
    refreshFeeds();
}
