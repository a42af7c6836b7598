// The vCard import jobs: dropped or transferred cards become updates of the contacts their
// persons are linked to, or new contacts, with memberships of the target groups. Their photos
// wait, on the job's own list, for the photo step after the contacts are fetched again.
#include "addressbook/vcards/vcardcardreader.h"
#include "addressbook/vcards/vcardsplitter.h"
#include "foundation/log.h"
#include "google/batch/batchfeeds.h"
#include "google/batch/batchkeys.h"
#include "google/batch/ticketset.h"
#include "google/batch/vcardimporttexts.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/datamask.h"
#include "google/lookups/grouplookups.h"
#include "google/upload/contactconstruction.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdataerror.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QHash>

#include <algorithm>

namespace texts = vcardimporttexts;

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
constexpr int kEntriesPerFeed = 100;

bool hasMembership(const GDataEntryContact &contact, const QString &groupID)
{
    const std::vector<GDataGroupMembershipInfo> &infos = contact.groupMembershipInfos();
    return std::any_of(infos.begin(), infos.end(), [&](const GDataGroupMembershipInfo &info) {
        return !info.deleted && info.href == groupID;
    });
}

// A membership the contact has already would be sent twice.
void addMemberships(GDataEntryContact &contact, const std::vector<QString> &groupIDs)
{
    for (const QString &groupID : groupIDs) {
        if (!groupID.isEmpty() && !hasMembership(contact, groupID))
            contact.addGroupMembershipInfo(
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupID));
    }
}

// "NoGroup", "All" and the pseudo groups name no Google group: their titles must never become
// membership links.
bool namesNoGroup(const QString &groupID)
{
    return groupID.isEmpty() || groupID == texts::noGroup || groupID == texts::allGroups ||
           pseudogroups::isPseudoGroup(groupID);
}

void logExtendedValues(const QString &op, const GDataEntryContact &contact)
{
    if (!tlog::diagnostics())
        return;
    QVariantMap values;
    if (const auto dictionary = tolvane::tolvaneExtendedPropertyXMLValuesDictionary(contact)) {
        for (auto it = dictionary->cbegin(); it != dictionary->cend(); ++it)
            values.insert(it.key(), it.value());
    }
    tlog::value(kClass, op, texts::extendedValues, tlog::describe(values));
}

struct Reports
{
    QString report;
    QString errors;
    int errorCount = 0;
    int firstErrorCode = 0;
};

QString displayName(const GDataEntryPtr &entry)
{
    if (const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry))
        return tolvane::entryDisplayName(*contact);
    return entry->title().value_or(QString());
}

void judge(const GDataEntryBase &entry, const QString &name, Reports &reports)
{
    if (const std::optional<GDataBatchInterrupted> interrupted = entry.batchInterrupted()) {
        reports.errors += texts::interruptedLine.arg(name, interrupted->description());
        ++reports.errorCount;
        return;
    }
    const std::optional<GDataBatchStatus> status = entry.batchStatus();
    if (!status) {
        reports.errors += texts::noStatusLine.arg(name);
        ++reports.errorCount;
        return;
    }
    const QString line = texts::statusLine.arg(name).arg(status->code).arg(status->reason);
    if (status->code >= 200 && status->code <= 299) {
        reports.report += line;
    } else if (status->code > 399) {
        reports.errors += line;
        if (reports.errorCount++ == 0)
            reports.firstErrorCode = int(status->code);
    }
}

} // namespace

// One running job: its feeds as they fill, its photos and its follow-up step.
struct GoogleContactTool::VCardJobRun
{
    QString op;
    QString sourceAccount;
    QString postSelector;
    std::shared_ptr<VCardPhotoList> photos;
    std::vector<GDataFeedPtr> feeds;
    // A refused entry comes back without its elements: its batch identifier names it.
    QHash<QString, QString> titles;

    void add(const GDataEntryPtr &entry)
    {
        if (const std::optional<QString> batchID = entry->batchID())
            titles.insert(*batchID, entry->title().value_or(QString()));
        if (feeds.empty() || int(feeds.back()->entries().size()) == kEntriesPerFeed)
            feeds.push_back(GDataFeedContact::contactFeed());
        feeds.back()->addEntry(entry);
    }
};

void GoogleContactTool::setForeignVCardImportData(const VCardPhotoList &photos)
{
    m_foreignVCardImportData = std::make_shared<VCardPhotoList>(photos);
    m_foreignVCardImportDataTaken = false;
}

std::shared_ptr<GoogleContactTool::VCardJobRun>
GoogleContactTool::startVCardJob(const QString &op, const QString &postSelector)
{
    tlog::trace(kClass, op);
    datamask::setGoogleDataMask();
    auto run = std::make_shared<VCardJobRun>();
    run->op = op;
    run->postSelector = postSelector;
    // A list that an earlier job filled stays with that job.
    if (m_foreignVCardImportDataTaken)
        m_foreignVCardImportData = std::make_shared<VCardPhotoList>();
    m_foreignVCardImportDataTaken = true;
    run->photos = m_foreignVCardImportData;
    m_vCardFlag = true;
    return run;
}

void GoogleContactTool::addVCardCard(VCardJobRun &run, const QByteArray &card,
                                     const std::vector<QString> &groupIDs, bool copyNewEntry)
{
    if (const GDataEntryContactPtr existing =
            contactconstruction::existingGoogleContactUsingVCardData(card, m_lists)) {
        tlog::message(kClass, run.op, texts::foundExisting);
        const QString title = tolvane::tolvaneTitle(*existing);
        m_progressMessage = texts::updatingContact.arg(title);
        existing->setBatchOperation(QStringLiteral("update"));
        existing->setBatchID(existing->identifier());
        if (!tolvane::tolvaneHasImage(*existing)) {
            const QImage image = AddressBookTool::imageFromVCardData(card);
            if (!image.isNull())
                run.photos->append({existing->identifier(), tolvane::tolvanePrimaryEmail(*existing),
                                    title, image});
        }
        addMemberships(*existing, groupIDs);
        logExtendedValues(run.op, *existing);
        run.add(existing->copy());
        return;
    }
    const ContactBuildingContext context{m_lists};
    const GDataEntryContactPtr contact =
        contactconstruction::newGoogleContactUsingVCardData(card, run.sourceAccount, context);
    // A card that holds no readable person gives nothing to send.
    if (!contact)
        return;
    tlog::message(kClass, run.op, texts::createdNew);
    const QString title = tolvane::tolvaneTitle(*contact);
    m_progressMessage = texts::creatingContact.arg(title);
    contact->setBatchOperation(QStringLiteral("insert"));
    addMemberships(*contact, groupIDs);
    const QImage image = AddressBookTool::imageFromVCardData(card);
    if (!image.isNull()) {
        const QString abid = tolvane::tolvaneABID(*contact);
        tlog::value(kClass, run.op, texts::bogusABID, abid);
        run.photos->append({abid, tolvane::tolvanePrimaryEmail(*contact), title, image});
    }
    logExtendedValues(run.op, *contact);
    run.add(copyNewEntry ? contact->copy() : GDataEntryPtr(contact));
}

void GoogleContactTool::addVCardArrayToGroupWithABID(const QList<QByteArray> &vCards,
                                                     const QString &abid,
                                                     const QString &sourceAccount,
                                                     const QString &postSelector)
{
    if (vCards.isEmpty())
        return;
    const std::shared_ptr<VCardJobRun> run = startVCardJob(
        QStringLiteral("addVCardArray:toGroupWithABID:sourceAccoumt:postSelector:"), postSelector);
    run->sourceAccount = sourceAccount;
    std::vector<QString> groupIDs;
    if (const GDataEntryContactGroupPtr group = grouplookups::groupForABID(m_lists, abid))
        groupIDs.push_back(group->identifier());
    for (const QByteArray &card : vCards) {
        addVCardCard(*run, card, groupIDs, false);
        if (m_uiDelegate)
            m_uiDelegate->updateUserInfoWithMessage(m_progressMessage);
    }
    sendVCardJob(run);
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(texts::waiting);
}

void GoogleContactTool::addVCardArrayToGroupWithID(const QList<QByteArray> &vCards,
                                                   const QString &groupID,
                                                   const QString &sourceAccount,
                                                   const QString &postSelector)
{
    if (vCards.isEmpty())
        return;
    const QString op = QStringLiteral("addVCardArray:toGroupWithID:sourceAccoumt:postSelector:");
    const std::shared_ptr<VCardJobRun> run = startVCardJob(op, postSelector);
    run->sourceAccount = sourceAccount;
    tlog::value(kClass, op, QStringLiteral("[vCardArray count]"), int(vCards.size()));
    tlog::value(kClass, op, QStringLiteral("account"), sourceAccount);
    tlog::value(kClass, op, QStringLiteral("postSelector"), tlog::orNull(postSelector));
    std::vector<QString> groupIDs;
    if (!namesNoGroup(groupID) && grouplookups::groupForID(m_lists, groupID))
        groupIDs.push_back(groupID);
    for (const QByteArray &card : vCards) {
        addVCardCard(*run, card, groupIDs, false);
        if (m_uiDelegate)
            m_uiDelegate->setStatusMessage(m_progressMessage);
    }
    sendVCardJob(run);
    m_progressMessage = texts::waiting;
}

void GoogleContactTool::addVCardArrayToGroups(const QList<QByteArray> &vCardFiles,
                                              const std::vector<GDataEntryContactGroupPtr> &groups,
                                              const QString &sourceAccount,
                                              const QString &postSelector)
{
    if (vCardFiles.isEmpty())
        return;
    const std::shared_ptr<VCardJobRun> run = startVCardJob(
        QStringLiteral("addVCardArray:toGroups:sourceAccoumt:postSelector:"), postSelector);
    run->sourceAccount = sourceAccount;
    std::vector<QString> groupIDs;
    for (const GDataEntryContactGroupPtr &group : groups) {
        if (group)
            groupIDs.push_back(group->identifier());
    }
    for (const QByteArray &file : vCardFiles) {
        for (const QByteArray &card : AddressBookTool::extractVCardDatas(file)) {
            addVCardCard(*run, card, groupIDs, true);
            if (m_uiDelegate)
                m_uiDelegate->updateUserInfoWithMessage(m_progressMessage);
        }
    }
    sendVCardJob(run);
    m_progressMessage = texts::waiting;
}

void GoogleContactTool::doVCardJobs(const QList<VCardJob> &jobs, const QString &sourceAccount,
                                    const QString &postSelector)
{
    if (jobs.isEmpty())
        return;
    const QString op = QStringLiteral("doVCardJobs:sourceAccoumt:postSelector:");
    const std::shared_ptr<VCardJobRun> run = startVCardJob(op, postSelector);
    run->sourceAccount = sourceAccount;
    // Each card once: a card listed under several groups is one entry with their memberships.
    QList<QByteArray> newCards;
    std::vector<GDataEntryContactPtr> newEntries;
    QList<QByteArray> existingCards;
    std::vector<GDataEntryContactPtr> existingEntries;
    const ContactBuildingContext context{m_lists};
    for (const VCardJob &job : jobs) {
        std::vector<QString> groupIDs;
        if (!namesNoGroup(job.groupName)) {
            if (const GDataEntryContactGroupPtr group =
                    grouplookups::groupForName(m_lists, job.groupName))
                groupIDs.push_back(group->identifier());
        }
        for (const QByteArray &card : job.vCards) {
            const GDataEntryContactPtr existing =
                contactconstruction::existingGoogleContactUsingVCardData(card, m_lists);
            if (!existing) {
                if (const qsizetype seen = newCards.indexOf(card); seen >= 0) {
                    addMemberships(*newEntries[size_t(seen)], groupIDs);
                    continue;
                }
                const GDataEntryContactPtr contact =
                    contactconstruction::newGoogleContactUsingVCardData(card, sourceAccount,
                                                                        context);
                if (!contact)
                    continue;
                newCards.append(card);
                const QString title = tolvane::tolvaneTitle(*contact);
                contact->setBatchOperation(QStringLiteral("insert"));
                m_progressMessage = texts::creatingContact.arg(title);
                addMemberships(*contact, groupIDs);
                const QImage image = AddressBookTool::imageFromVCardData(card);
                if (!image.isNull())
                    run->photos->append({tolvane::tolvaneABID(*contact),
                                         tolvane::tolvanePrimaryEmail(*contact), title, image});
                newEntries.push_back(contact);
                continue;
            }
            if (const qsizetype seen = existingCards.indexOf(card); seen >= 0) {
                addMemberships(*existingEntries[size_t(seen)], groupIDs);
                continue;
            }
            existingCards.append(card);
            const QString title = tolvane::tolvaneTitle(*existing);
            existing->setBatchOperation(QStringLiteral("update"));
            existing->setBatchID(existing->identifier());
            m_progressMessage = texts::updatingContact.arg(title);
            addMemberships(*existing, groupIDs);
            if (!tolvane::tolvaneHasImage(*existing)) {
                const QImage image = AddressBookTool::imageFromVCardData(card);
                if (!image.isNull())
                    run->photos->append({existing->identifier(),
                                         tolvane::tolvanePrimaryEmail(*existing), title, image});
            }
            existingEntries.push_back(existing);
        }
    }
    for (const auto *entries : {&newEntries, &existingEntries}) {
        for (const GDataEntryContactPtr &entry : *entries) {
            run->add(entry->copy());
            if (m_uiDelegate)
                m_uiDelegate->updateUserInfoWithMessage(
                    texts::retrievingContact.arg(tolvane::tolvaneTitle(*entry)));
        }
    }
    sendVCardJob(run);
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(texts::waiting);
}

void GoogleContactTool::sendVCardJob(const std::shared_ptr<VCardJobRun> &run)
{
    UserDefaults::standard().setBool(false, batchkeys::gmAdvancedABContactActionsComplete);
    const std::vector<GDataFeedPtr> feeds = std::move(run->feeds);
    run->feeds.clear();
    TicketSet::sendBatchFeeds(*contactService(), this, batchfeeds::batchURLOf(m_contactFeed), feeds,
                              [this, run](TicketSet &set) { vCardJobAnswered(*run, set); });
}

void GoogleContactTool::vCardJobAnswered(const VCardJobRun &run, const TicketSet &set)
{
    const QString op = QStringLiteral("batchVCardActionTicket:finishedWithFeed:");
    UserDefaults::standard().setBool(true, batchkeys::gmAdvancedABContactActionsComplete);
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(texts::processingResponses);
    Reports reports;
    reports.report = texts::reportHead.arg(set.lastStatusCode());
    reports.errors.reserve(200);
    for (const GDataEntryPtr &entry : set.results()) {
        QString name = entry->title().value_or(QString());
        if (name.isEmpty())
            name = run.titles.value(entry->batchID().value_or(QString()));
        if (name.isEmpty())
            name = displayName(entry);
        m_progressMessage = texts::processingEntry.arg(name);
        if (m_uiDelegate)
            m_uiDelegate->updateUserInfoWithMessage(m_progressMessage);
        judge(*entry, name, reports);
    }
    for (const TicketSet::Failure &failure : set.failures()) {
        tlog::value(kClass, QStringLiteral("batchVCardActionTicket:failedWithError:"),
                    QStringLiteral("error"), failure.error.description);
        reports.errors +=
            texts::ticketFailedLine.arg(failure.error.description).arg(failure.error.code);
    }
    m_vCardFlag = false;
    tlog::value(kClass, op, QStringLiteral("reportStr"), reports.report);
    const bool failed = !set.failures().empty() || reports.errorCount > 0;
    if (failed)
        tlog::value(kClass, op, QStringLiteral("errorReport"), reports.errors);
    tlog::value(kClass, op, QStringLiteral("[self foreignVCardImportData]"),
                int(run.photos->size()));
    if (failed && m_uiDelegate) {
        // A failed request names its own error; refused entries are told by their lines.
        GDataError error = set.failures().empty()
                               ? GDataError{reports.firstErrorCode,
                                            QString::fromLatin1(kGDataErrorDomainHTTP),
                                            reports.errors,
                                            {}}
                               : set.failures().front().error;
        m_uiDelegate->cleanupGUIforProcess(texts::process, QString(), error);
    }
    // The follow-up runs for what Google took; the photos of contacts it refused find no
    // contact and are passed over.
    const QString &next = run.postSelector;
    if (next == texts::batchVCardPictures) {
        m_vCardPhotosToUpload.append(run.photos);
        refetchAllContacts(texts::batchVCardPictures);
        return;
    }
    if (next == texts::refetchAllContacts) {
        refetchAllContacts(QString());
        return;
    }
    if (next == texts::batchABPictures)
        m_vCardPhotosToUpload.append(run.photos);
    // The updated contacts carry their new memberships in the list: after a failure the list
    // must show what Google holds.
    if (failed)
        refetchAllContacts(QString());
    if (!next.isEmpty())
        dispatchPostSelector(next);
}
