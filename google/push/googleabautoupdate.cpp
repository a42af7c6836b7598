#include "google/push/googleabautoupdate.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/personemail.h"
#include "addressbook/fields/persontitle.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/changetracking.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "foundation/log.h"
#include "foundation/propertylist.h"
#include "google/batch/batchkeys.h"
#include "google/download/personlinks.h"
#include "google/engine/googleabautoupdatedelegate.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "google/push/pendingfiles.h"
#include "google/push/pushkeys.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/uploadkeys.h"
#include "google/upload/uploaddecisions.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kClass = QStringLiteral("GoogleABAutoUpdate");
const QString kUpdateGoogle = QStringLiteral("updateGoogle");
constexpr int kFetchWatchMs = 50;

// Kinds of change, as the pending files name them.
const QString &kInserted = pushkeys::kNewFile;
const QString &kChanged = pushkeys::kChangeFile;
const QString &kDeleted = pushkeys::kDeleteFile;

struct PendingFile
{
    const QString &name;
    const char *archivePrefix;
};
const PendingFile kPendingFiles[] = {
    {pushkeys::kNewFile, "googleABNewUpdates"},
    {pushkeys::kChangeFile, "googleABChangeUpdates"},
    {pushkeys::kDeleteFile, "googleABDeleteUpdates"},
};

// A deleted record can no longer be looked up: its identifier tells its kind.
bool isGroupIdentifier(const QString &identifier)
{
    return identifier.contains(QStringLiteral("ABGroup")) ||
           identifier.contains(QStringLiteral("ABSmartGroup"));
}

personlinks::PersonMatchKeys matchKeys(const PersonPtr &person)
{
    return {AddressBookTool::tryOrderedEmailAddressesForPerson(person),
            AddressBookTool::googleTitleForPerson(person, true)};
}

QStringList sorted(const QSet<QString> &set)
{
    QStringList list(set.begin(), set.end());
    list.sort();
    return list;
}

bool accepted(const GDataEntryBase &entry)
{
    const auto status = entry.batchStatus();
    return status && status->code >= 200 && status->code < 300;
}

int pushMode()
{
    return UserDefaults::standard().integerForKey(pushkeys::autoABPushMode);
}

} // namespace

GoogleABAutoUpdate::GoogleABAutoUpdate(QObject *parent) : QObject(parent)
{
    registerSelector(kUpdateGoogle, [this] { updateGoogle(); });
    m_fetchWatch.setInterval(kFetchWatchMs);
    connect(&m_fetchWatch, &QTimer::timeout, this, &GoogleABAutoUpdate::watchFetch);
}

GoogleABAutoUpdate::~GoogleABAutoUpdate()
{
    if (m_tool && m_tool->dataDelegate() == this)
        m_tool->setDataDelegate(nullptr);
}

void GoogleABAutoUpdate::setGoogleTool(GoogleContactTool *tool)
{
    m_tool = tool;
    if (!tool)
        return;
    m_runningAsStatusItem = tool->role() == GoogleContactTool::Role::Agent;
    tool->setDataDelegate(this);
}

QString GoogleABAutoUpdate::pendingFolder() const
{
    return m_tool ? m_tool->defaultValueForKey(googlekeys::pendingFolderPath).toString()
                  : UserDefaults::standard().stringForKey(googlekeys::pendingFolderPath);
}

QString GoogleABAutoUpdate::archiveFolder() const
{
    return m_tool ? m_tool->defaultValueForKey(pushkeys::pendingArchiveFolderPath).toString()
                  : UserDefaults::standard().stringForKey(pushkeys::pendingArchiveFolderPath);
}

void GoogleABAutoUpdate::autoABUpdateNew(const QStringList &inserted, const QStringList &changed,
                                         const QStringList &deleted)
{
    m_newIDs.unite(QSet<QString>(inserted.begin(), inserted.end()));
    m_changedIDs.unite(QSet<QString>(changed.begin(), changed.end()));
    m_deletedIDs.unite(QSet<QString>(deleted.begin(), deleted.end()));
    startPush();
}

void GoogleABAutoUpdate::updateGoogle()
{
    if (m_state == State::Fetching) {
        m_fetchWatch.stop();
        sendFlight();
        return;
    }
    startPush();
}

void GoogleABAutoUpdate::startPush()
{
    if (m_state != State::Idle)
        return;
    if (m_newIDs.isEmpty() && m_changedIDs.isEmpty() && m_deletedIDs.isEmpty() &&
        m_flushedFiles.isEmpty())
        return;
    if (!m_tool || !m_tool->isLoggedIn()) {
        // Kept for the next login; the pending files a flush read stay where they are.
        writeLeftovers(sorted(m_newIDs), sorted(m_changedIDs), sorted(m_deletedIDs));
        m_newIDs.clear();
        m_changedIDs.clear();
        m_deletedIDs.clear();
        m_flushedFiles.clear();
        emit pushFailed(QStringLiteral("not logged in"));
        return;
    }
    m_flight = Flight();
    m_flight.inserted = sorted(m_newIDs);
    m_flight.changed = sorted(m_changedIDs);
    m_flight.deleted = sorted(m_deletedIDs);
    m_flight.carriedFiles = m_flushedFiles;
    m_newIDs.clear();
    m_changedIDs.clear();
    m_deletedIDs.clear();
    m_flushedFiles.clear();
    // Decided against Google as it is now: a contact another client, the main program or an
    // earlier push made since the last fetch is updated, never added a second time.
    m_state = State::Fetching;
    m_tool->setGroupFetchError(std::nullopt);
    m_tool->setContactFetchError(std::nullopt);
    m_fetchWatch.start();
    m_tool->fetchAllGroupsAndContactsWithDidFinishSelector(kUpdateGoogle);
}

void GoogleABAutoUpdate::watchFetch()
{
    if (m_state != State::Fetching || !m_tool)
        return;
    const auto error = m_tool->groupFetchError() ? m_tool->groupFetchError()
                                                 : m_tool->contactFetchError();
    if (!error)
        return;
    m_fetchWatch.stop();
    tlog::write(QStringLiteral("[%1 %2] - the fetch before the push failed: %3")
                    .arg(kClass, kUpdateGoogle, error->description));
    endPush(false, error->description);
}

void GoogleABAutoUpdate::sendFlight()
{
    m_state = State::Sending;
    UserDefaults &defaults = UserDefaults::standard();
    if (!m_runningAsStatusItem)
        defaults.setBool(false, batchkeys::showGoogleAlerts);
    defaults.setBool(false, pushkeys::dynUpdateSmartGroups);
    m_groupQueue.clear();
    m_contactQueue.clear();
    m_queuedGroups.clear();
    m_queuedContacts.clear();
    queueInserted();
    queueChanged();
    enforceStrictMemberships();
    queueDeleted();
    abChangeManager();
    if (tlog::diagnostics())
        tlog::bare(QStringLiteral("[%1 %2] %3 = %4")
                       .arg(kClass, QStringLiteral("autoABUpdateNew:changed:deletedRecs:"),
                            QStringLiteral("newIDs"), sorted(m_newIDs).join(u',')));
    if (!m_groupQueue.empty()) {
        m_tool->initContactResultsArrayWithCapacity(int(m_groupQueue.size()));
        m_tool->batchAdvancedABGroupActions(m_groupQueue);
        return;
    }
    tlog::message(kClass, QStringLiteral("autoABUpdateNew:changed:deletedRecs:"),
                  QStringLiteral("NO SimpleABGroup Actions are queued."));
    if (!m_contactQueue.empty()) {
        m_tool->initContactResultsArrayWithCapacity(int(m_contactQueue.size()));
        m_tool->batchAdvancedABContactActions(m_contactQueue);
        return;
    }
    tlog::message(kClass, QStringLiteral("autoABUpdateNew:changed:deletedRecs:"),
                  QStringLiteral("NO SimpleABContact Actions are queued."));
    defaults.setBool(false, googlekeys::waitingOnGoogle);
    endPush(true);
}

void GoogleABAutoUpdate::queueGroup(const RecordPtr &record, const GDataEntryPtr &entry,
                                    const QString &action, const QString &uid,
                                    const QString &kind)
{
    if (m_queuedGroups.contains(uid))
        return;
    m_queuedGroups.insert(uid);
    m_groupQueue.push_back({record, entry, action});
    const QString batchID = action == batchactions::remove && entry ? entry->identifier() : uid;
    m_flight.byBatchID.insert(batchID, {uid, kind});
}

void GoogleABAutoUpdate::queueContact(const RecordPtr &record, const GDataEntryPtr &entry,
                                      const QString &action, const QString &batchID,
                                      const QString &uid, const QString &kind)
{
    if (m_queuedContacts.contains(uid))
        return;
    m_queuedContacts.insert(uid);
    m_contactQueue.push_back({record, entry, action});
    m_flight.byBatchID.insert(batchID, {uid, kind});
}

void GoogleABAutoUpdate::queueInserted()
{
    const GoogleContactLists &lists = m_tool->lists();
    const PersonPtr me = AddressBookTool::meAB();
    const bool neverMoveMe = m_tool->defaultValueForKey(googlekeys::gmUpdateNeverMoveMeCard).toBool();
    AddressBook *book = AddressBook::shared();
    for (const QString &uid : std::as_const(m_flight.inserted)) {
        const RecordPtr record = uid.isEmpty() ? RecordPtr() : book->recordForUniqueId(uid);
        if (const GroupPtr group = std::dynamic_pointer_cast<Group>(record)) {
            const GDataEntryContactGroupPtr google = personlinks::groupForABGroup(lists, group);
            if (!google)
                queueGroup(group, nullptr, batchactions::add, uid, kInserted);
            else
                AddressBookTool::setGoogleID(google->identifier(), group);
            if (AddressBookTool::isSmartGroup(uid))
                UserDefaults::standard().setBool(true, pushkeys::dynUpdateSmartGroups);
        } else if (const PersonPtr person = std::dynamic_pointer_cast<Person>(record)) {
            if (me && person->uniqueId() == me->uniqueId() && neverMoveMe)
                continue;
            const GDataEntryContactPtr contact =
                personlinks::contactForABPerson(lists, person, matchKeys(person));
            if (!contact) {
                queueContact(person, nullptr, batchactions::add, uid, uid, kInserted);
                continue;
            }
            AddressBookTool::setGoogleID(contact->identifier(), person);
            queueContact(person, contact, batchactions::update, uid, uid, kInserted);
        }
    }
}

void GoogleABAutoUpdate::queueChanged()
{
    const GoogleContactLists &lists = m_tool->lists();
    const uploaddecisions::ContactDecisionOptions options =
        uploaddecisions::ContactDecisionOptions::fromPreferences();
    AddressBook *book = AddressBook::shared();
    const QString groupIDProperty = AddressBookTool::groupIDPropertyName();
    for (const QString &uid : std::as_const(m_flight.changed)) {
        const RecordPtr record = uid.isEmpty() ? RecordPtr() : book->recordForUniqueId(uid);
        if (const GroupPtr group = std::dynamic_pointer_cast<Group>(record)) {
            const GDataEntryContactGroupPtr google = personlinks::groupForABGroup(lists, group);
            if (!google) {
                queueGroup(group, nullptr, batchactions::add, uid, kChanged);
                continue;
            }
            if (group->valueForProperty(groupIDProperty).toString() != google->identifier())
                AddressBookTool::setGoogleID(google->identifier(), group);
            if (group->valueForProperty(kABGroupNameProperty).toString() !=
                tolvane::entryDisplayName(*google))
                queueGroup(group, google, batchactions::update, uid, kChanged);
        } else if (const PersonPtr person = std::dynamic_pointer_cast<Person>(record)) {
            const GDataEntryContactPtr contact =
                personlinks::contactForABPerson(lists, person, matchKeys(person));
            if (!contact) {
                queueContact(person, nullptr, batchactions::add, uid, uid, kChanged);
                continue;
            }
            // A link written back to the record (by this push or by the main program) is no
            // change of what Google holds.
            if (!uploaddecisions::contactDataIsStale(*contact, person, options) &&
                !uploaddecisions::membershipsDiffer(*contact, person, lists, options))
                continue;
            queueContact(person, contact, batchactions::update, uid, uid, kChanged);
        }
    }
}

void GoogleABAutoUpdate::queueDeleted()
{
    const GoogleContactLists &lists = m_tool->lists();
    for (const QString &uid : std::as_const(m_flight.deleted)) {
        if (isGroupIdentifier(uid)) {
            if (const GDataEntryContactGroupPtr google = grouplookups::groupForABID(lists, uid))
                queueGroup(nullptr, google, batchactions::remove, uid, kDeleted);
            continue;
        }
        if (const GDataEntryContactPtr contact = contactlookups::contactForABID(lists, uid))
            queueContact(nullptr, contact, batchactions::remove, contact->identifier(), uid,
                         kDeleted);
    }
}

void GoogleABAutoUpdate::enforceStrictMemberships()
{
    UserDefaults &defaults = UserDefaults::standard();
    const int mode = pushMode();
    if (!defaults.boolForKey(pushkeys::autoABStrict) || (mode != 1 && mode != 2))
        return;
    QStringList groupIDs;
    if (mode == 1) {
        for (const GroupPtr &group : AddressBook::shared()->groups())
            groupIDs << group->uniqueId();
    } else if (m_delegate) {
        for (const AutoABGroup &row : m_delegate->autoABGroups())
            if (row.doSynch)
                groupIDs << row.abid;
    }
    QSet<QString> touched;
    for (const QStringList *list : {&m_flight.inserted, &m_flight.changed, &m_flight.deleted})
        touched.unite(QSet<QString>(list->begin(), list->end()));
    const bool nested =
        defaults.boolForKey(googlekeys::autoABSelectedGroupsIncludeNestedGroups);
    const GoogleContactLists &lists = m_tool->lists();
    for (const QString &groupID : std::as_const(groupIDs)) {
        const GroupPtr group = AddressBookTool::groupByABID(groupID);
        if (!group)
            continue;
        QList<PersonPtr> members = nested
                                       ? AddressBookTool::recursiveMembersOfGroupID(groupID, true, true)
                                       : AddressBookTool::membersOfGroupID(groupID, true, true);
        members.removeIf([&](const PersonPtr &p) { return touched.contains(p->uniqueId()); });
        const GDataEntryContactGroupPtr google = personlinks::groupForABGroup(lists, group);
        QList<GDataEntryContactPtr> googleMembers;
        if (!google)
            queueGroup(group, nullptr, batchactions::add, groupID, kChanged);
        else
            googleMembers = contactlookups::membersOfGroupID(lists, google->identifier());
        // Pairs already in step on both sides need nothing.
        QList<PersonPtr> missing;
        for (const PersonPtr &member : std::as_const(members)) {
            const GDataEntryContactPtr contact =
                personlinks::contactForABPerson(lists, member, matchKeys(member));
            if (!contact) {
                queueContact(member, nullptr, batchactions::add, member->uniqueId(),
                             member->uniqueId(), kChanged);
                continue;
            }
            const qsizetype held = googleMembers.indexOf(contact);
            if (held >= 0) {
                googleMembers.removeAt(held);
                continue;
            }
            if (!google) {
                // The engine adds the membership once the group it is adding exists.
                queueContact(group, contact, batchactions::addNewGroupMembership,
                             contact->identifier(), member->uniqueId(), kChanged);
                continue;
            }
            GDataGroupMembershipInfo info =
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(google->identifier());
            contact->addGroupMembershipInfo(info);
            queueContact(nullptr, contact, batchactions::processUpdatedContact,
                         contact->identifier(), member->uniqueId(), kChanged);
        }
        for (const GDataEntryContactPtr &stray : std::as_const(googleMembers)) {
            std::vector<GDataGroupMembershipInfo> kept;
            for (const GDataGroupMembershipInfo &info : stray->groupMembershipInfos())
                if (info.href != google->identifier())
                    kept.push_back(info);
            stray->setGroupMembershipInfos(kept);
            const QString uid = tolvane::tolvaneABID(*stray);
            queueContact(nullptr, stray, batchactions::processUpdatedContact, stray->identifier(),
                         uid.isEmpty() ? stray->identifier() : uid, kChanged);
        }
    }
}

void GoogleABAutoUpdate::abChangeManager()
{
    if (AddressBook::shared()->hasUnsavedChanges())
        AddressBookTool::abSave();
}

void GoogleABAutoUpdate::batchSendAnswered(bool groups, const std::vector<GDataEntryPtr> &results,
                                           bool ticketFailed)
{
    if (m_state != State::Sending)
        return;
    QStringList refusedNames;
    for (const GDataEntryPtr &entry : results) {
        const QString batchID = entry->batchID().value_or(QString());
        if (accepted(*entry)) {
            m_flight.reached.insert(batchID);
            continue;
        }
        m_flight.refused << batchID;
        const auto status = entry->batchStatus();
        refusedNames << QStringLiteral("%1 (%2 %3)")
                            .arg(batchID)
                            .arg(status ? status->code : 0)
                            .arg(status ? status->reason : QString());
    }
    if (!refusedNames.isEmpty()) {
        const QString text = QStringLiteral("Google refused: %1").arg(refusedNames.join(u", "));
        tlog::write(QStringLiteral("[%1 %2] - %3").arg(kClass, QStringLiteral("batchSendAnswered"), text));
        m_flight.refusals << refusedNames;
    }
    // A failed ticket ends the chain: the group failure sends no contacts, the contact failure
    // goes no further.
    if (ticketFailed)
        endPush(false, groups ? QStringLiteral("the group batch failed")
                              : QStringLiteral("the contact batch failed"));
    else if (!groups && m_contactQueue.empty())
        endPush(true);
}

void GoogleABAutoUpdate::listenForNotifications()
{
    if (m_state == State::Sending)
        endPush(true);
}

void GoogleABAutoUpdate::jobFailed()
{
    if (m_state != State::Idle)
        endPush(false, QStringLiteral("a photo upload failed"));
}

void GoogleABAutoUpdate::endPush(bool completed, const QString &failure)
{
    if (m_state == State::Idle)
        return;
    m_fetchWatch.stop();
    QStringList inserted, changed, deleted;
    if (m_state == State::Fetching) {
        // Nothing was sent.
        inserted = m_flight.inserted;
        changed = m_flight.changed;
        deleted = m_flight.deleted;
    } else {
        for (auto it = m_flight.byBatchID.cbegin(); it != m_flight.byBatchID.cend(); ++it) {
            if (m_flight.reached.contains(it.key()))
                continue;
            // Whatever was not answered as done, after a failed ticket, or a refusal.
            if (!completed || m_flight.refused.contains(it.key())) {
                const QString &kind = it.value().second;
                QStringList &list = kind == kInserted ? inserted : kind == kChanged ? changed : deleted;
                if (!list.contains(it.value().first))
                    list << it.value().first;
            }
        }
    }
    m_state = State::Idle;
    // Shown once the push is over, so that the progress of its last steps does not replace it.
    if (!m_flight.refusals.isEmpty() && m_tool && m_tool->uiDelegate())
        m_tool->uiDelegate()->setLastAction(
            QStringLiteral("Google refused: %1").arg(m_flight.refusals.join(u", ")));
    writeLeftovers(inserted, changed, deleted);
    const QString folder = pendingFolder();
    for (const auto &[name, carried] : std::as_const(m_flight.carriedFiles))
        if (!pendingfiles::removeCarried(folder, name, carried))
            tlog::write(QStringLiteral("[%1 %2] - cannot update the pending file %3")
                            .arg(kClass, QStringLiteral("flushPendingFiles"), name));
    m_flight = Flight();
    m_groupQueue.clear();
    m_contactQueue.clear();
    emit pushEnded();
    if (!completed)
        emit pushFailed(failure);
    if (!m_newIDs.isEmpty() || !m_changedIDs.isEmpty() || !m_deletedIDs.isEmpty() ||
        !m_flushedFiles.isEmpty())
        QTimer::singleShot(0, this, &GoogleABAutoUpdate::startPush);
}

void GoogleABAutoUpdate::savePendingWork()
{
    QStringList inserted = sorted(m_newIDs), changed = sorted(m_changedIDs),
                deleted = sorted(m_deletedIDs);
    if (m_state != State::Idle) {
        inserted << m_flight.inserted;
        changed << m_flight.changed;
        deleted << m_flight.deleted;
        m_fetchWatch.stop();
        m_state = State::Idle;
        m_flight = Flight();
        m_groupQueue.clear();
        m_contactQueue.clear();
    }
    m_newIDs.clear();
    m_changedIDs.clear();
    m_deletedIDs.clear();
    // The files a flush read still hold their identifiers: they stay for the next login.
    m_flushedFiles.clear();
    inserted.removeDuplicates();
    changed.removeDuplicates();
    deleted.removeDuplicates();
    writeLeftovers(inserted, changed, deleted);
}

void GoogleABAutoUpdate::writeLeftovers(const QStringList &inserted, const QStringList &changed,
                                        const QStringList &deleted)
{
    if (!inserted.isEmpty())
        writeRecordsToPendingFile(inserted, pushkeys::kNewFile);
    if (!changed.isEmpty())
        writeRecordsToPendingFile(changed, pushkeys::kChangeFile);
    if (!deleted.isEmpty())
        writeRecordsToPendingFile(deleted, pushkeys::kDeleteFile);
}

void GoogleABAutoUpdate::writeRecordsToPendingFile(const QStringList &identifiers,
                                                   const QString &fileName)
{
    const QString folder = pendingFolder();
    if (folder.isEmpty())
        return;
    if (!pendingfiles::append(folder, fileName, identifiers)) {
        tlog::write(QStringLiteral("[%1 %2] - cannot write the pending file %3")
                        .arg(kClass, QStringLiteral("writeRecords:toPendingFile:"),
                             QDir(folder).filePath(fileName)));
        return;
    }
    UserDefaults::standard().setBool(true, pushkeys::pendingFilesExist);
}

void GoogleABAutoUpdate::flushPendingFiles()
{
    const QString folder = pendingFolder();
    if (folder.isEmpty())
        return;
    QStringList lists[3];
    bool any = false;
    for (int i = 0; i < 3; ++i) {
        const PendingFile &file = kPendingFiles[i];
        if (!QFileInfo::exists(QDir(folder).filePath(file.name)))
            continue;
        // A flush already carries this file.
        bool carried = false;
        for (const auto &entry : std::as_const(m_flushedFiles))
            carried = carried || entry.first == file.name;
        for (const auto &entry : std::as_const(m_flight.carriedFiles))
            carried = carried || entry.first == file.name;
        if (carried)
            continue;
        const QStringList ids = pendingfiles::read(folder, file.name);
        if (ids.isEmpty())
            continue;
        if (pendingfiles::archive(folder, file.name, archiveFolder(),
                                  QString::fromLatin1(file.archivePrefix))
                .isEmpty())
            tlog::write(QStringLiteral("[%1 %2] - cannot archive the pending file %3")
                            .arg(kClass, QStringLiteral("flushPendingFiles"), file.name));
        m_flushedFiles << qMakePair(file.name, ids);
        lists[i] = ids;
        any = true;
    }
    if (!any)
        return;
    for (QStringList &list : lists)
        list.removeAll(QString());
    UserDefaults::standard().setBool(false, pushkeys::pendingFilesExist);
    autoABUpdateNew(lists[0], lists[1], lists[2]);
}

namespace {

QStringList uniqueIdsOf(const auto &records)
{
    QStringList ids;
    for (const auto &record : records)
        ids << record->uniqueId();
    return ids;
}

// The identifiers of a restart list that no current record has.
QStringList goneSince(const QString &folder, const QString &name, const QStringList &current)
{
    QString error;
    const std::optional<QVariant> list = propertylist::readFile(QDir(folder).filePath(name), &error);
    if (!list)
        return {};
    const QSet<QString> now(current.begin(), current.end());
    QStringList gone;
    for (const QVariant &id : list->toList())
        if (!now.contains(id.toString()))
            gone << id.toString();
    return gone;
}

} // namespace

void GoogleABAutoUpdate::startupAnalyzer()
{
    UserDefaults &defaults = UserDefaults::standard();
    const QVariant autoPush = m_tool ? m_tool->defaultValueForKey(pushkeys::autoPushABChanges)
                                     : defaults.objectForKey(pushkeys::autoPushABChanges);
    if (autoPush.toInt() == 1 && AddressBookTool::hasABChangedSinceLast()) {
        // Changes within this margin of the stored date are the main program's own last saves.
        constexpr int kUpdateMarginSeconds = 100;
        QStringList inserted, changed;
        const QDateTime groupInsert = defaults.dateForKey(abkeys::lastABGroupInsert);
        if (groupInsert.isValid())
            inserted << uniqueIdsOf(AddressBookTool::groupsInsertedSince(groupInsert));
        const QDateTime personInsert = defaults.dateForKey(abkeys::lastABPersonInsert);
        if (personInsert.isValid())
            inserted << uniqueIdsOf(AddressBookTool::peopleInsertedSince(personInsert));
        const QDateTime groupUpdate = defaults.dateForKey(abkeys::lastABGroupUpdate);
        if (groupUpdate.isValid())
            changed << uniqueIdsOf(
                AddressBookTool::groupsChangedSince(groupUpdate.addSecs(kUpdateMarginSeconds)));
        const QDateTime personUpdate = defaults.dateForKey(abkeys::lastABPersonUpdate);
        if (personUpdate.isValid())
            changed << uniqueIdsOf(
                AddressBookTool::peopleChangedSince(personUpdate.addSecs(kUpdateMarginSeconds)));
        const QString restart =
            m_tool ? m_tool->defaultValueForKey(googlekeys::restartFolderPath).toString()
                   : defaults.stringForKey(googlekeys::restartFolderPath);
        QStringList deleted =
            goneSince(restart, QStringLiteral("ABGroups"), uniqueIdsOf(AddressBookTool::allGroups()));
        deleted << goneSince(restart, QStringLiteral("ABContacts"),
                             uniqueIdsOf(AddressBookTool::allRecords()));
        if (!inserted.isEmpty() || !changed.isEmpty() || !deleted.isEmpty())
            autoABUpdateNew(inserted, changed, deleted);
    }
    defaults.setBool(false, googlekeys::startMode);
}
