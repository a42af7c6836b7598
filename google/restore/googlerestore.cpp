// Restoring a backup archive into the account: the archive is unpacked and its lists read first,
// then the missing groups are created, then the missing contacts, then the photos, each step once
// every batch of the one before has answered. A run always ends by showing what it did.
#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "foundation/log.h"
#include "foundation/zeltorfiletool.h"
#include "google/batch/batchfeeds.h"
#include "google/batch/batchkeys.h"
#include "google/batch/ticketset.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/entrybaseaccessors.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "google/photos/phototexts.h"
#include "google/photos/photouploadentry.h"
#include "google/restore/restorerecords.h"
#include "google/restore/restoretexts.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/entries/gdatafeedcontactgroup.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/filechooser.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kInsert = QStringLiteral("insert");
const QString kDelete = QStringLiteral("delete");
const QString kGID = QStringLiteral("gID");
constexpr unsigned kCreated = 201;
constexpr unsigned kDeleted = 200;

// Entries of one operation in feeds Google takes, each feed carrying the operation as well.
class OperationFeeds
{
public:
    OperationFeeds(const std::function<GDataFeedPtr()> &make, const QString &operation)
        : m_operation(operation)
        , m_cutter([make, operation] {
            const GDataFeedPtr feed = make();
            feed->setBatchOperation(operation);
            return feed;
        })
    {}
    void add(const GDataEntryPtr &entry)
    {
        entry->setBatchOperation(m_operation);
        m_cutter.add(entry);
    }
    std::vector<GDataFeedPtr> feeds() { return m_cutter.feeds(); }

private:
    QString m_operation;
    batchfeeds::FeedCutter m_cutter;
};

QString ownGID(const GDataEntryContact &contact, const QString &ownName)
{
    const GDataExtendedProperty *own = entrybase::programPropertyIn(contact, ownName);
    const QString *gid = own ? own->findXMLValue(kGID) : nullptr;
    return gid ? *gid : QString();
}

} // namespace

// What one restore has done so far; the outcome sheet is made of it.
struct GoogleContactTool::RestoreRun
{
    bool showGoogleAlerts = false;
    // The window told of the bulk change, told again when it ends.
    GoogleContactToolUIDelegate *bulkChangeDelegate = nullptr;
    QString ownName;
    QString failedTitle;
    QString failedText;
    QStringList failures;
    QString report;
    int groupsCreated = 0;
    int groupsSkipped = 0;
    int contactsCreated = 0;
    int contactsSkipped = 0;
    QStringList refused;
    QStringList noRoomForLink;
    QStringList copiesRemoved;
    // Contacts held before the contact step, and those its batches answered as created.
    QSet<QString> contactsBefore;
    QSet<QString> createdIDs;
    bool copiesChecked = false;
    // Photo entry name to the archived identifiers of the records whose photo it is.
    QHash<QString, QStringList> photoOwners;
    std::vector<PhotoJob> photoJobs;
    int photosRestored = 0;
    int photosKept = 0;
    QStringList photosSkipped;
};

void GoogleContactTool::registerRestoreSteps()
{
    registerSelector(restoretexts::batchRestoreContacts, [this] { batchRestoreContacts(); });
    registerSelector(restoretexts::batchRestoreImages, [this] { batchRestoreImages(); });
}

void GoogleContactTool::restoreGoogleContacts()
{
    FileChoice choice;
    choice.mode = FileChoice::Mode::Open;
    choice.prompt = restoretexts::panelPrompt;
    choice.nameFilters = {QStringLiteral("*.zip")};
    choice.directory = accountBackupFolderPath();
    QPointer<GoogleContactTool> tool(this);
    FileChooser::current().choose(
        choice, QApplication::activeWindow(), [tool](const QString &path) {
            if (tool)
                tool->googleArchivePanelDidEnd(path.isEmpty() ? 0 : 1, path);
        });
}

void GoogleContactTool::googleArchivePanelDidEnd(int returnCode, const QString &path)
{
    if (returnCode != 1)
        return;
    // One restore at a time: a second one would mix its batches into the first one's.
    if (m_restoreRun)
        return;
    m_restoreGoogleGroupArray.clear();
    m_restoreGoogleContactArray.clear();
    m_restoreGoogleImagesArray.clear();
    UserDefaults &ud = UserDefaults::standard();
    m_restoreRun = std::make_shared<RestoreRun>();
    m_restoreRun->showGoogleAlerts = ud.boolForKey(batchkeys::showGoogleAlerts);
    m_restoreRun->ownName = ud.stringForKey(abkeys::googleContactExtendedPropertyName);
    ud.setBool(false, batchkeys::showGoogleAlerts);

    const QString tmp = defaultValueForKey(googlekeys::tmpFolderPath).toString();
    ZeltorFileTool::emptyDirectory(tmp, true);
    QString reason;
    if (!ZeltorFileTool::unzipSource(path, tmp, &reason)) {
        refuseRestore(restoretexts::archiveRefused.arg(reason));
        return;
    }
    const QDir archive(QDir(tmp).filePath(restoretexts::archiveFolder));
    const QStringList entries = archive.entryList(QDir::Files, QDir::Name);
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(restoretexts::unarchiving, int(entries.size()));
    const auto progress = [this](const QString &message) {
        if (m_uiDelegate)
            m_uiDelegate->updateUserInfoWithMessage(message);
    };
    QVariantList groups;
    QVariantList contacts;
    QStringList photos;
    for (const QString &name : entries) {
        const bool isGroups = name.contains(restoretexts::groupsMark);
        if (isGroups || name.contains(restoretexts::contactsMark)) {
            progress(isGroups ? restoretexts::readingGroups : restoretexts::readingContacts);
            QFile file(archive.filePath(name));
            QString error = file.errorString();
            std::optional<QVariantList> list;
            if (file.open(QIODevice::ReadOnly)) {
                const QByteArray data = file.readAll();
                list = isGroups ? restorerecords::readGroupList(data, &error)
                                : restorerecords::readContactList(data, &error);
            }
            if (!list) {
                refuseRestore(restoretexts::listRefused.arg(name, error));
                return;
            }
            (isGroups ? groups : contacts) = *list;
        } else if (name.contains(restoretexts::photoMark)) {
            progress(restoretexts::readingImage.arg(name));
            photos << archive.filePath(name);
        }
    }
    // A zip that is no backup (no lists in its "Archive" folder) restores nothing, and says so.
    if (groups.isEmpty() && contacts.isEmpty()) {
        refuseRestore(restoretexts::noLists);
        return;
    }
    m_restoreGoogleGroupArray = groups;
    m_restoreGoogleContactArray = contacts;
    // The links the restore writes are no change of the user's for a listening agent to push.
    if (m_uiDelegate) {
        m_uiDelegate->beginBulkAddressBookChange();
        m_restoreRun->bulkChangeDelegate = m_uiDelegate;
    }
    m_restoreGoogleImagesArray = photos;
    ud.setBool(m_restoreRun->showGoogleAlerts, batchkeys::showGoogleAlerts);
    if (m_uiDelegate) {
        m_uiDelegate->closeUserInfo();
        m_uiDelegate->openUserInfoWithMessage(restoretexts::initializing,
                                              int(groups.size() + contacts.size() + photos.size()));
    }
    if (!groups.isEmpty())
        batchRestoreGroups();
    else
        batchRestoreContacts();
}

void GoogleContactTool::refuseRestore(const QString &why)
{
    const std::shared_ptr<RestoreRun> run = std::move(m_restoreRun);
    UserDefaults::standard().setBool(run->showGoogleAlerts, batchkeys::showGoogleAlerts);
    tlog::labelled(kClass, QStringLiteral("googleArchivePanelDidEnd:rtn:ctx:"),
                   QStringLiteral("ERROR:"), why);
    m_restoreGoogleGroupArray.clear();
    m_restoreGoogleContactArray.clear();
    m_restoreGoogleImagesArray.clear();
    if (m_uiDelegate)
        m_uiDelegate->closeUserInfo();
    Prompter::current().beginSheet(
        Prompt{restoretexts::refusedTitle, why, {restoretexts::okButton}},
        QApplication::activeWindow(), [](int) {});
}

void GoogleContactTool::batchRestoreGroups()
{
    if (!m_restoreRun)
        return;
    if (m_restoreGoogleGroupArray.isEmpty()) {
        batchRestoreContacts();
        return;
    }
    const QUrl batchURL = batchfeeds::batchURLOf(m_groupFeed);
    if (batchURL.isEmpty()) {
        m_restoreRun->failures << restoretexts::noGroupFeed;
        finishRestore();
        return;
    }
    OperationFeeds cutter(&GDataFeedContactGroup::contactGroupFeed, kInsert);
    for (const QVariant &item : std::as_const(m_restoreGoogleGroupArray)) {
        const restorerecords::RestoredGroup group = restorerecords::groupEntry(
            item.toMap(),
            UserDefaults::standard().stringForKey(abkeys::googleGroupExtendedPropertyName));
        if (m_uiDelegate)
            m_uiDelegate->updateUserInfoWithMessage(restoretexts::restoringGroup.arg(group.title));
        if (grouplookups::groupForName(m_lists, group.title)) {
            ++m_restoreRun->groupsSkipped;
            continue;
        }
        cutter.add(group.entry);
    }
    const std::vector<GDataFeedPtr> feeds = cutter.feeds();
    if (feeds.empty()) {
        batchRestoreContacts();
        return;
    }
    TicketSet::sendBatchFeeds(*contactService(), this, batchURL, feeds,
                              [this](TicketSet &set) { batchRestoreGroupsAnswered(set); });
}

void GoogleContactTool::batchRestoreGroupsAnswered(TicketSet &set)
{
    RestoreRun &run = *m_restoreRun;
    run.report += restorerecords::batchReport(set.results(), set.lastStatusCode(), true);
    for (const GDataEntryPtr &entry : set.results()) {
        const std::optional<GDataBatchStatus> status = entry->batchStatus();
        const QString batchID = entry->batchID().value_or(QString());
        if (!status || status->code != kCreated) {
            run.refused << entry->title().value_or(batchID);
            continue;
        }
        ++run.groupsCreated;
        if (batchID.contains(QStringLiteral("Group"))) {
            if (const GroupPtr group = AddressBookTool::groupByABID(batchID))
                AddressBookTool::setGoogleID(entry->identifier(), group);
        }
    }
    AddressBookTool::abSave();
    if (!set.failures().empty()) {
        if (m_uiDelegate)
            m_uiDelegate->refreshView();
        UserDefaults::standard().setBool(true, restoretexts::restoreGroupsComplete);
        for (const TicketSet::Failure &failure : set.failures()) {
            tlog::value(kClass, QStringLiteral("batchRestoreGroupTicket:failedWithError:"),
                        QStringLiteral("error"), failure.error.description);
            run.failures << failure.error.description;
        }
        run.failedTitle = restoretexts::groupFailedTitle;
        run.failedText = restoretexts::groupFailedText;
        finishRestore();
        return;
    }
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(restoretexts::refreshingGroups);
    sendGroupQuery(&GoogleContactTool::restoreGroupsRefetched,
                   &GoogleContactTool::restoreRefetchFailed);
}

void GoogleContactTool::restoreGroupsRefetched(const GDataServiceTicketPtr &,
                                               const GDataFeedPtr &feed)
{
    m_groupFetchError.reset();
    setGroupFeed(feed);
    if (m_restoreGoogleContactArray.isEmpty())
        finishRestore();
    else
        dispatchPostSelector(restoretexts::batchRestoreContacts);
}

void GoogleContactTool::restoreRefetchFailed(const GDataServiceTicketPtr &, const GDataError &error)
{
    if (!m_restoreRun)
        return;
    logFetchError(QStringLiteral("restoreRefetch"), error);
    m_restoreRun->failures << restoretexts::refetchFailed.arg(error.description);
    finishRestore();
}

void GoogleContactTool::batchRestoreContacts()
{
    if (!m_restoreRun)
        return;
    RestoreRun &run = *m_restoreRun;
    if (m_restoreGoogleContactArray.isEmpty()) {
        finishRestore();
        return;
    }
    const QUrl batchURL = batchfeeds::batchURLOf(m_contactFeed);
    if (batchURL.isEmpty()) {
        run.failures << restoretexts::noContactFeed;
        finishRestore();
        return;
    }
    UserDefaults::standard().setBool(false, restoretexts::restoreContactsComplete);
    for (const GDataEntryContactPtr &contact : m_lists.contacts())
        run.contactsBefore.insert(contact->identifier());
    OperationFeeds cutter(&GDataFeedContact::contactFeed, kInsert);
    const QString op = QStringLiteral("batchRestoreContacts");
    for (const QVariant &item : std::as_const(m_restoreGoogleContactArray)) {
        const QVariantMap record = item.toMap();
        const restorerecords::RestoredContact contact =
            restorerecords::contactEntry(record, m_lists, run.ownName);
        if (m_uiDelegate)
            m_uiDelegate->updateUserInfoWithMessage(restoretexts::restoringContact.arg(
                record.value(QStringLiteral("name")).toString()));
        run.photoOwners[restorerecords::photoEntryName(record, *contact.entry)]
            << contact.identifier;
        for (const QString &group : contact.lostGroups)
            tlog::labelled(kClass, op, restoretexts::unableToReestablishGroup, group);
        // The contact is on Google already when its archived identifier still exists, or a
        // contact carries it (or the archived link) as the link an earlier restore wrote.
        const bool onGoogle = contactlookups::contactForID(m_lists, contact.identifier) ||
                              contactlookups::contactForGID(m_lists, contact.identifier) ||
                              (!contact.archivedGID.isEmpty() &&
                               contactlookups::contactForGID(m_lists, contact.archivedGID));
        if (onGoogle) {
            ++run.contactsSkipped;
            continue;
        }
        if (!contact.linkKept)
            run.noRoomForLink << tolvane::tolvaneTitle(*contact.entry);
        cutter.add(contact.entry);
    }
    TicketSet::sendBatchFeeds(*contactService(), this, batchURL, cutter.feeds(),
                              [this](TicketSet &set) { batchRestoreContactsAnswered(set); });
}

void GoogleContactTool::batchRestoreContactsAnswered(TicketSet &set)
{
    RestoreRun &run = *m_restoreRun;
    run.report += restorerecords::batchReport(set.results(), set.lastStatusCode(), true);
    for (const GDataEntryPtr &entry : set.results()) {
        const std::optional<GDataBatchStatus> status = entry->batchStatus();
        const QString batchID = entry->batchID().value_or(QString());
        if (!status || status->code != kCreated) {
            run.refused << entry->title().value_or(batchID);
            continue;
        }
        ++run.contactsCreated;
        run.createdIDs.insert(entry->identifier());
        if (batchID.contains(QStringLiteral("ABPerson"))) {
            if (const PersonPtr person = AddressBookTool::personByABID(batchID))
                AddressBookTool::setGoogleID(entry->identifier(), person);
        }
    }
    AddressBookTool::abSave();
    if (!set.failures().empty()) {
        m_restoreWait.clear();
        for (const TicketSet::Failure &failure : set.failures())
            run.failures << failure.error.description;
        run.failedTitle = restoretexts::contactFailedTitle;
        run.failedText = restoretexts::contactFailedText;
    }
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(restoretexts::refreshingContacts);
    // Fetched again even after a failure: a batch Google applied without its answer reaching
    // us shows up there, and is tidied before the run ends.
    sendContactQuery(false, &GoogleContactTool::restoreContactsRefetched,
                     &GoogleContactTool::restoreRefetchFailed);
}

void GoogleContactTool::restoreContactsRefetched(const GDataServiceTicketPtr &,
                                                 const GDataFeedPtr &feed)
{
    if (!m_restoreRun)
        return;
    m_contactFetchError.reset();
    setContactFeed(feed);
    if (!m_restoreRun->copiesChecked) {
        m_restoreRun->copiesChecked = true;
        if (removeRestoredCopies())
            return;
    }
    afterRestoredContacts();
}

void GoogleContactTool::afterRestoredContacts()
{
    if (!m_restoreRun->failures.isEmpty() || m_restoreGoogleImagesArray.isEmpty())
        finishRestore();
    else
        dispatchPostSelector(restoretexts::batchRestoreImages);
}

// A batch that Google applied but whose answer was lost may have been sent again by the network
// layer, creating a contact twice. The copies are contacts this run made that carry the same
// archived identifier; all but one go, the one Google answered for kept. True when a delete
// batch went out, which then carries the run on.
bool GoogleContactTool::removeRestoredCopies()
{
    RestoreRun &run = *m_restoreRun;
    QHash<QString, QList<GDataEntryContactPtr>> byLink;
    for (const GDataEntryContactPtr &contact : m_lists.contacts()) {
        if (run.contactsBefore.contains(contact->identifier()))
            continue;
        const QString gid = ownGID(*contact, run.ownName);
        if (!gid.isEmpty())
            byLink[gid] << contact;
    }
    OperationFeeds cutter(&GDataFeedContact::contactFeed, kDelete);
    unsigned counter = 0;
    QHash<QString, QString> titles; // by batch identifier: a delete's answer carries no title
    for (QList<GDataEntryContactPtr> &copies : byLink) {
        if (copies.size() < 2)
            continue;
        const auto answered = std::find_if(copies.begin(), copies.end(), [&run](const auto &c) {
            return run.createdIDs.contains(c->identifier());
        });
        const GDataEntryContactPtr kept = answered != copies.end() ? *answered : copies.front();
        for (const GDataEntryContactPtr &copy : std::as_const(copies)) {
            if (copy == kept)
                continue;
            const GDataEntryPtr sent = copy->copy();
            const QString batchID = QStringLiteral("restoreCopy_%1").arg(++counter);
            sent->setBatchID(batchID);
            titles.insert(batchID, tolvane::tolvaneTitle(*copy));
            cutter.add(sent);
        }
    }
    const std::vector<GDataFeedPtr> feeds = cutter.feeds();
    const QUrl batchURL = batchfeeds::batchURLOf(m_contactFeed);
    if (feeds.empty() || batchURL.isEmpty())
        return false;
    TicketSet::sendBatchFeeds(
        *contactService(), this, batchURL, feeds, [this, titles](TicketSet &set) {
            if (!m_restoreRun)
                return;
            for (const GDataEntryPtr &entry : set.results()) {
                const std::optional<GDataBatchStatus> status = entry->batchStatus();
                if (status && status->code == kDeleted)
                    m_restoreRun->copiesRemoved
                        << titles.value(entry->batchID().value_or(QString()));
            }
            for (const TicketSet::Failure &failure : set.failures())
                m_restoreRun->failures << failure.error.description;
            sendContactQuery(false, &GoogleContactTool::restoreContactsRefetched,
                             &GoogleContactTool::restoreRefetchFailed);
        });
    return true;
}

void GoogleContactTool::batchRestoreImages()
{
    if (!m_restoreRun)
        return;
    RestoreRun &run = *m_restoreRun;
    m_contactResultsArray.clear();
    const QString op = QStringLiteral("batchRestoreImages");
    tlog::value(kClass, op, restoretexts::photoCount, int(m_restoreGoogleImagesArray.size()));
    for (const QString &path : std::as_const(m_restoreGoogleImagesArray)) {
        const QString name = QFileInfo(path).fileName();
        const QStringList owners = run.photoOwners.value(name);
        // A name two records share (an archive written before photos got names of their own)
        // cannot tell whose photo it is.
        GDataEntryContactPtr contact;
        if (owners.size() == 1) {
            contact = contactlookups::contactForID(m_lists, owners.front());
            if (!contact)
                contact = contactlookups::contactForGID(m_lists, owners.front());
        }
        if (!contact) {
            tlog::labelled(kClass, op, restoretexts::noContactForPhoto, name);
            run.photosSkipped << name;
            continue;
        }
        if (tolvane::tolvaneHasImage(*contact)) {
            ++run.photosKept;
            continue;
        }
        const std::optional<GDataLink> link = contact->photoLink();
        if (!link || link->URL().isEmpty()) {
            run.photosSkipped << name;
            continue;
        }
        run.photoJobs.push_back(PhotoJob{tolvane::tolvaneTitle(*contact), *link, {}, path});
    }
    sendNextRestoredPhoto();
}

void GoogleContactTool::sendNextRestoredPhoto()
{
    RestoreRun &run = *m_restoreRun;
    QByteArray jpeg;
    while (!run.photoJobs.empty() && jpeg.isEmpty()) {
        QFile file(run.photoJobs.front().filepath);
        if (file.open(QIODevice::ReadOnly))
            jpeg = photouploadentry::jpegData(file.readAll());
        if (jpeg.isEmpty()) {
            run.photosSkipped << QFileInfo(run.photoJobs.front().filepath).fileName();
            run.photoJobs.erase(run.photoJobs.begin());
        }
    }
    if (run.photoJobs.empty()) {
        finishRestore();
        return;
    }
    const PhotoJob job = run.photoJobs.front();
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(restoretexts::restoringImage.arg(job.name));
    const GDataEntryContactPtr entry =
        photouploadentry::photoEntry(phototexts::uploadingPhotoTitle, jpeg, phototexts::jpegType,
                                     phototexts::imageFileSlug, job.photoLink.ETag());
    const auto next = [this](const std::optional<GDataError> &error) {
        if (!m_restoreRun)
            return;
        RestoreRun &current = *m_restoreRun;
        if (error) {
            current.photosSkipped << QFileInfo(current.photoJobs.front().filepath).fileName();
            current.failures << restoretexts::photoFailed.arg(error->description);
        } else {
            ++current.photosRestored;
        }
        current.photoJobs.erase(current.photoJobs.begin());
        sendNextRestoredPhoto();
    };
    contactService()->fetchContactEntryByUpdatingEntry(
        *entry, job.photoLink.URL(), this,
        [next](const GDataServiceTicketPtr &, const GDataEntryPtr &) { next(std::nullopt); },
        [next](const GDataServiceTicketPtr &, const GDataError &error) { next(error); });
}

void GoogleContactTool::finishRestore()
{
    const std::shared_ptr<RestoreRun> run = std::move(m_restoreRun);
    if (!run)
        return;
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(true, restoretexts::restoreGroupsComplete);
    ud.setBool(true, restoretexts::restoreContactsComplete);
    m_restoreWait.clear();
    AddressBookTool::abSave();
    if (run->bulkChangeDelegate && run->bulkChangeDelegate == m_uiDelegate)
        m_uiDelegate->endBulkAddressBookChange();

    QStringList lines;
    const auto count = [&lines](const QString &text, int n) {
        if (n > 0)
            lines << text.arg(n);
    };
    const auto names = [&lines](const QString &text, const QStringList &list) {
        if (!list.isEmpty())
            lines << text.arg(list.join(QStringLiteral(", ")));
    };
    count(restoretexts::groupsCreated, run->groupsCreated);
    count(restoretexts::groupsSkipped, run->groupsSkipped);
    count(restoretexts::contactsCreated, run->contactsCreated);
    count(restoretexts::contactsSkipped, run->contactsSkipped);
    names(restoretexts::entriesRefused, run->refused);
    names(restoretexts::copiesRemoved, run->copiesRemoved);
    names(restoretexts::noRoomForLink, run->noRoomForLink);
    count(restoretexts::photosRestored, run->photosRestored);
    count(restoretexts::photosKept, run->photosKept);
    names(restoretexts::photosSkipped, run->photosSkipped);
    QString summary = lines.join(u'\n');
    if (ud.boolForKey(batchkeys::showGoogleProcessReports) && !run->report.isEmpty())
        summary += QStringLiteral("\n\n") + run->report;

    Prompt outcome{restoretexts::completedTitle,
                   restoretexts::completedText.arg(summary),
                   {restoretexts::okButton}};
    if (!run->failures.isEmpty()) {
        outcome.message =
            run->failedTitle.isEmpty() ? restoretexts::refusedTitle : run->failedTitle;
        const QString failures = run->failures.join(u'\n');
        outcome.informativeText =
            (run->failedText.isEmpty() ? failures : run->failedText.arg(failures)) +
            (summary.isEmpty() ? QString() : QStringLiteral("\n\n") + summary);
    }
    if (m_uiDelegate) {
        m_uiDelegate->refreshView();
        m_uiDelegate->closeUserInfo();
    }
    if (run->photosRestored > 0)
        fetchAllContactsWithUIRefresh(true);
    Prompter::current().beginSheet(outcome, QApplication::activeWindow(), [](int) {});
}
