#include "agent/statusappdelegate.h"

#include "addressbook/groups/groupancestry.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/changetracking.h"
#include "addressbook/records/recordcounts.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "agent/agentkeys.h"
#include "agent/agenttexts.h"
#include "agent/configurationpanel.h"
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "google/push/googleabautoupdate.h"
#include "google/push/pushkeys.h"
#include "google/push/snapshotadapters.h"
#include "model/push/abpushrecord.h"
#include "model/push/abpushstatus.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/store/managedobjectcontext.h"

#include <QImage>

namespace {

const QString kClass = QStringLiteral("StatusAppDelegate");

QStringList idsOf(const auto &records)
{
    QStringList ids;
    for (const auto &record : records)
        ids << record->uniqueId();
    return ids;
}

QStringList listOf(const QVariantMap &info, const QString &key)
{
    return info.value(key).toStringList();
}

QString described(const QVariantMap &info, const QString &key)
{
    return tlog::describe(info.value(key));
}

bool sameDate(const QDateTime &a, const QDateTime &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.toMSecsSinceEpoch() == b.toMSecsSinceEpoch();
}

QSet<QString> setOf(const QStringList &list)
{
    return QSet<QString>(list.begin(), list.end());
}

} // namespace

// Listening.

bool StatusAppDelegate::isListening() const
{
    return UserDefaults::standard().boolForKey(agentkeys::abNotifications);
}

void StatusAppDelegate::connectHandlers()
{
    AddressBook *book = AddressBook::shared();
    // Connected once, however often listening is switched on.
    if (!m_changedConnection)
        m_changedConnection =
            connect(book, &AddressBook::databaseChanged, this, &StatusAppDelegate::abChanged);
    if (!m_changedExternallyConnection)
        m_changedExternallyConnection = connect(book, &AddressBook::databaseChangedExternally,
                                                this, &StatusAppDelegate::abChangedExternally);
}

void StatusAppDelegate::disconnectHandlers()
{
    disconnect(m_changedConnection);
    disconnect(m_changedExternallyConnection);
    m_changedConnection = {};
    m_changedExternallyConnection = {};
}

void StatusAppDelegate::setABNotifications(bool on)
{
    AddressBook *book = AddressBook::shared();
    const bool wasConnected = bool(m_changedExternallyConnection);
    if (on) {
        if (!wasConnected) {
            // Saves made while silenced are read now, with nobody listening, and the snapshot
            // takes them as done, so no later comparison pushes them either.
            book->checkForExternalChanges();
            connectHandlers();
            if (m_silenced && m_context)
                takePushSnapshot();
            m_silenced = false;
        }
    } else {
        // Saves made before the silencing are still pushed.
        if (wasConnected)
            book->checkForExternalChanges();
        disconnectHandlers();
        m_silenced = true;
    }
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setBool(on, agentkeys::abNotifications);
    defaults.synchronize();
}

bool StatusAppDelegate::isRestoreNotice(const QVariantMap &info)
{
    // A restore replaces the whole book and is journalled without any record.
    return listOf(info, kABInsertedRecords).isEmpty() && listOf(info, kABUpdatedRecords).isEmpty() &&
           listOf(info, kABDeletedRecords).isEmpty();
}

void StatusAppDelegate::abChanged(const QVariantMap &info)
{
    const QString sender = info.value(kABSenderProcessName).toString();
    if (sender == agentkeys::kApplicationName)
        return;
    tlog::write(agenttexts::changedInternally.arg(sender));
    tlog::write(agenttexts::insertedInternally.arg(described(info, kABInsertedRecords)));
    tlog::write(agenttexts::updatedInternally.arg(described(info, kABUpdatedRecords)));
    tlog::write(agenttexts::deletedInternally.arg(described(info, kABDeletedRecords)));
}

void StatusAppDelegate::abChangedExternally(const QVariantMap &info)
{
    tlog::write(agenttexts::changedExternally.arg(info.value(kABSenderProcessName).toString()));
    tlog::write(agenttexts::insertedExternally.arg(described(info, kABInsertedRecords)));
    tlog::write(agenttexts::updatedExternally.arg(described(info, kABUpdatedRecords)));
    tlog::write(agenttexts::deletedExternally.arg(described(info, kABDeletedRecords)));
    if (m_isPaused || m_pushMode == 0)
        return;
    if (isRestoreNotice(info)) {
        restoreSeen();
        return;
    }
    GoogleABAutoUpdate *push = sharedABUpdateTool();
    const QStringList inserted = listOf(info, kABInsertedRecords);
    const QStringList updated = listOf(info, kABUpdatedRecords);
    const QStringList deleted = listOf(info, kABDeletedRecords);
    if (m_pushMode == 1) {
        push->autoABUpdateNew(inserted, updated, deleted);
        return;
    }
    if (m_pushMode != 2)
        return;
    // Deleted members are judged by the groups as they were before the change.
    const QSet<QString> monitoredBefore = setOf(m_monitoredContactIDs);
    loadAutoABGroups();
    recordAutoABGroupKeys();
    QSet<QString> newSet, changedSet, deletedSet;
    QStringList monitoredGroups = m_monitoredGroupIDs;
    const auto membersOf = [this](const QString &groupID) {
        return idsOf(m_abPushIncludeNestedGroups
                         ? AddressBookTool::recursiveMembersOfGroupID(groupID, true, true)
                         : AddressBookTool::membersOfGroupID(groupID, true, true));
    };
    for (const QString &id : inserted) {
        if (!AddressBookTool::abidIsGroup(id) || !m_abPushIncludeNewGroups)
            continue;
        if (!monitoredGroups.contains(id))
            monitoredGroups << id;
        newSet.insert(id);
        newSet.unite(setOf(membersOf(id)));
    }
    if (monitoredGroups != m_monitoredGroupIDs)
        setMonitoredGroupIDs(monitoredGroups);
    const QSet<QString> monitoredGroupSet = setOf(m_monitoredGroupIDs);
    for (const QString &id : inserted) {
        if (AddressBookTool::abidIsGroup(id) || !AddressBookTool::abidIsValidRecord(id))
            continue;
        QSet<QString> groups;
        if (m_abPushIncludeNestedGroups) {
            if (const PersonPtr person = AddressBook::shared()->personForUniqueId(id))
                groups = setOf(idsOf(AddressBookTool::recursiveParentGroupsForABPerson(person)));
        } else {
            groups = AddressBookTool::allGroupIDsForABID(id);
        }
        if (groups.isEmpty()) {
            if (m_abPushIncludeNoGroupContacts)
                newSet.insert(id);
        } else if (m_abPushAllGroups || groups.intersects(monitoredGroupSet)) {
            newSet.insert(id);
        }
    }
    const QSet<QString> monitoredContacts = setOf(m_monitoredContactIDs);
    for (const QString &id : updated) {
        if (AddressBookTool::abidIsGroup(id)) {
            if (monitoredGroupSet.contains(id)) {
                changedSet.insert(id);
                changedSet.unite(setOf(membersOf(id)));
            }
        } else if (AddressBookTool::abidIsValidRecord(id) && monitoredContacts.contains(id)) {
            changedSet.insert(id);
        }
    }
    for (const QString &id : deleted)
        if (monitoredBefore.contains(id) || monitoredContacts.contains(id))
            deletedSet.insert(id);
    if (newSet.isEmpty() && changedSet.isEmpty() && deletedSet.isEmpty())
        return;
    push->addToNewIDs(newSet);
    push->addToChangedIDs(changedSet);
    push->addToDeletedIDs(deletedSet);
    push->updateGoogle();
}

void StatusAppDelegate::restoreSeen()
{
    tlog::write(agenttexts::restoreSeen);
    m_restorePending = false;
    takePushSnapshot();
    postAlert(agenttexts::restoredAlert, agenttexts::restoredAlertSmall, false);
}

void StatusAppDelegate::watchForRestores()
{
    const QVariant seenUpTo =
        UserDefaults::standard().objectForKey(agentkeys::autoABRestoresSeenUpTo);
    // What the book went through while the agent did not run.
    m_restorePending =
        seenUpTo.isValid() && AddressBook::shared()->wholeBookChangedSince(seenUpTo.toLongLong());
    // Connected before the handlers, so it runs first. A restore read in while they do not act
    // (paused, silenced, logged out) is dealt with at the next login.
    connect(AddressBook::shared(), &AddressBook::databaseChangedExternally, this,
            [this](const QVariantMap &info) {
                if (isRestoreNotice(info))
                    m_restorePending = true;
            });
}

void StatusAppDelegate::markRestoresSeen()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setObject(AddressBook::shared()->lastReadChange(), agentkeys::autoABRestoresSeenUpTo);
    defaults.synchronize();
}

GoogleABAutoUpdate *StatusAppDelegate::sharedABUpdateTool()
{
    if (!m_googleABAutoUpdate) {
        m_googleABAutoUpdate = std::make_unique<GoogleABAutoUpdate>();
        m_googleABAutoUpdate->setGoogleTool(m_appGoogleContactTool.get());
        m_googleABAutoUpdate->setDelegate(this);
        connect(m_googleABAutoUpdate.get(), &GoogleABAutoUpdate::pushFailed, this,
                &StatusAppDelegate::pushFailed);
    }
    return m_googleABAutoUpdate.get();
}

// Groups of push mode 2.

void StatusAppDelegate::loadAutoABGroups()
{
    const QStringList keys = UserDefaults::standard().stringArrayForKey(agentkeys::autoABGroupKeys);
    QList<AutoABGroup> rows;
    QStringList monitored;
    for (const GroupPtr &group : AddressBookTool::allGroups()) {
        AutoABGroup row;
        row.abid = group->uniqueId();
        row.groupName = group->valueForProperty(kABGroupNameProperty).toString();
        row.isSmart = AddressBookTool::isSmartGroup(row.abid);
        row.image = QImage(row.isSmart ? QStringLiteral(":/images/Gear.png")
                                       : QStringLiteral(":/images/Blank32.png"));
        row.doSynch = !keys.isEmpty() && keys.contains(row.abid);
        if (row.doSynch)
            monitored << row.abid;
        rows << row;
    }
    setMonitoredGroupIDs(monitored);
    setAutoABGroups(rows);
}

void StatusAppDelegate::setAutoABGroups(const QList<AutoABGroup> &rows)
{
    m_autoABGroups = rows;
    setHasSelectedGroups();
}

void StatusAppDelegate::setGroupSynch(int row, bool doSynch)
{
    if (row < 0 || row >= m_autoABGroups.size())
        return;
    m_autoABGroups[row].doSynch = doSynch;
    setHasSelectedGroups();
}

void StatusAppDelegate::monitorTickedGroups()
{
    QStringList monitored;
    for (const AutoABGroup &row : std::as_const(m_autoABGroups))
        if (row.doSynch)
            monitored << row.abid;
    m_monitoredGroupIDs.clear();
    setMonitoredGroupIDs(monitored);
}

void StatusAppDelegate::setMonitoredGroupIDs(const QStringList &ids)
{
    if (ids == m_monitoredGroupIDs && !m_monitoredContactIDs.isEmpty())
        return;
    m_monitoredGroupIDs = ids;
    recordAutoABGroupKeys();
}

QStringList StatusAppDelegate::computeMonitoredContactIDs() const
{
    QStringList ids;
    for (const QString &groupID : m_monitoredGroupIDs)
        ids << idsOf(m_abPushIncludeNestedGroups
                         ? AddressBookTool::recursiveMembersOfGroupID(groupID, true, true)
                         : AddressBookTool::membersOfGroupID(groupID, true, true));
    if (m_abPushIncludeNoGroupContacts)
        ids << idsOf(AddressBookTool::recordsWithNoGroupIncludePeople(true, true));
    ids.removeDuplicates();
    return ids;
}

void StatusAppDelegate::recordAutoABGroupKeys()
{
    m_monitoredContactIDs = computeMonitoredContactIDs();
    const QVariant keys = QVariant(m_monitoredGroupIDs);
    setPrefValue(keys, agentkeys::autoABGroupKeys);
    UserDefaults::standard().setObject(keys, agentkeys::autoABGroupKeys);
}

void StatusAppDelegate::setHasSelectedGroups()
{
    for (const AutoABGroup &row : std::as_const(m_autoABGroups))
        if (row.doSynch) {
            m_hasSelectedGroups = true;
            return;
        }
    UserDefaults &defaults = UserDefaults::standard();
    m_hasSelectedGroups = !defaults.boolForKey(agentkeys::autoABUsesSelectedGroups);
    defaults.setBool(false, pushkeys::autoABStrict);
    defaults.setBool(false, QStringLiteral("autoABSelectedGroupsIncludeNestedGroups"));
    defaults.setBool(false, agentkeys::autoABSelectedGroupsIncludeNewGroups);
}

void StatusAppDelegate::closeConfigure()
{
    readPushOptions();
    monitorTickedGroups();
    if (m_configurationPanel)
        m_configurationPanel->hide();
}

void StatusAppDelegate::togglePush()
{
    if (UserDefaults::standard().integerForKey(pushkeys::autoABPushMode) > 0) {
        loadPendingABChanges();
        sharedABUpdateTool()->updateGoogle();
    }
    setHasSelectedGroups();
}

// The snapshot.

namespace {

// The store makes its status record with a date and nothing else: a record without counts holds
// no snapshot yet.
bool holdsSnapshot(const ABPushStatus &status)
{
    return !status.abContactCount().isNull() && !status.abGroupCount().isNull();
}

} // namespace

void StatusAppDelegate::takePushSnapshot()
{
    if (!m_context)
        return;
    ManagedObjectContext &context = *m_context;
    std::vector<RecordSnapshot> groups, people;
    for (const GroupPtr &group : AddressBookTool::allGroups())
        groups.emplace_back(group);
    for (const PersonPtr &person : AddressBookTool::allRecords())
        people.emplace_back(person);
    std::vector<EntrySnapshot> googleGroups, contacts;
    GoogleContactTool *tool = m_appGoogleContactTool.get();
    if (tool) {
        for (const auto &group : tool->groupArray())
            googleGroups.emplace_back(group);
        for (const auto &contact : tool->contactArray())
            contacts.emplace_back(contact);
    }
    const auto records = [](const std::vector<RecordSnapshot> &list) {
        QList<const TolvaneRecord *> out;
        for (const RecordSnapshot &item : list)
            out << &item;
        return out;
    };
    const auto entries = [](const std::vector<EntrySnapshot> &list) {
        QList<const TolvaneAdditions *> out;
        for (const EntrySnapshot &item : list)
            out << &item;
        return out;
    };
    ABPushRecord::writeABGroupRecords(records(groups), context);
    ABPushRecord::writeABContactRecords(records(people), context);
    ABPushRecord::writeGoogleGroupRecords(entries(googleGroups), context);
    ABPushRecord::writeGoogleContactRecords(entries(contacts), context);
    ABPushStatus *status = ABPushStatus::sharedABPushStatusInContext(context);
    if (!status)
        return;
    status->setAsOfDate(QDateTime::currentDateTimeUtc());
    status->setAbContactLastInsertDate(AddressBookTool::lastPersonInsertDate());
    status->setAbContactLastModDate(AddressBookTool::lastPersonUpdateDate());
    status->setAbContactCount(AddressBookTool::personCount() + AddressBookTool::companyCount());
    status->setAbGroupLastInsertDate(AddressBookTool::lastGroupInsertDate());
    status->setAbGroupLastModDate(AddressBookTool::lastGroupUpdateDate());
    status->setAbGroupCount(AddressBookTool::groupCount());
    if (tool) {
        status->setGoogleContactLastInsertDate(tool->lastContactInsertDate());
        status->setGoogleContactLastModDate(tool->lastContactUpdateDate());
        status->setGoogleContactCount(qint64(tool->contactArray().size()));
        status->setGoogleGroupLastInsertDate(tool->lastGroupInsertDate());
        status->setGoogleGroupLastModDate(tool->lastGroupUpdateDate());
        status->setGoogleGroupCount(qint64(tool->groupArray().size()));
    }
    // A restore not dealt with yet stays to be found at the next login, whatever this snapshot
    // holds; in mode 0 nothing is pushed that it could harm.
    if (m_pushMode == 0)
        m_restorePending = false;
    if (!m_restorePending)
        markRestoresSeen();
    updateCoreData();
}

void StatusAppDelegate::loadPending()
{
    loginEnded();
    GoogleABAutoUpdate *push = sharedABUpdateTool();
    loadPendingABChanges();
    // The pending files join what the comparison found, so that one push sends both.
    push->flushPendingFiles();
    push->updateGoogle();
}

void StatusAppDelegate::loadPendingABChanges()
{
    if (!m_context || m_pushMode == 0)
        return;
    ABPushStatus *status = ABPushStatus::sharedABPushStatusInContext(*m_context);
    if (!status)
        return;
    if (!holdsSnapshot(*status)) {
        // A first start: the book as it stands is taken as pushed; a full upload is the data
        // loader's.
        tlog::write(agenttexts::firstSnapshot);
        m_restorePending = false;
        takePushSnapshot();
        return;
    }
    if (m_restorePending) {
        // Compared with a snapshot of the book before the restore, every record the backup lacks
        // would count as deleted and go from Google.
        restoreSeen();
        return;
    }
    QStringList inserted, changed, deleted;
    if (AddressBookTool::groupCount() == status->abGroupCount().toLongLong() &&
        sameDate(AddressBookTool::lastGroupInsertDate(), status->abGroupLastInsertDate()) &&
        sameDate(AddressBookTool::lastGroupUpdateDate(), status->abGroupLastModDate())) {
        tlog::message(kClass, QStringLiteral("loadPendingABChanges"), agenttexts::noGroupChanges);
    } else {
        const QSet<QString> current = setOf(idsOf(AddressBookTool::allGroups()));
        if (const auto rows = ABPushRecord::allABGroupsInContext(*m_context))
            for (const ABPushRecord *row : *rows)
                if (!current.contains(row->abid()))
                    deleted << row->abid();
        inserted << idsOf(AddressBookTool::groupsInsertedSince(status->abGroupLastInsertDate()));
        changed << idsOf(AddressBookTool::groupsChangedSince(status->abGroupLastModDate()));
    }
    const qint64 people = AddressBookTool::personCount() + AddressBookTool::companyCount();
    if (people == status->abContactCount().toLongLong() &&
        sameDate(AddressBookTool::lastPersonInsertDate(), status->abContactLastInsertDate()) &&
        sameDate(AddressBookTool::lastPersonUpdateDate(), status->abContactLastModDate())) {
        tlog::message(kClass, QStringLiteral("loadPendingABChanges"), agenttexts::noContactChanges);
    } else {
        const QSet<QString> current = setOf(idsOf(AddressBookTool::allRecords()));
        if (const auto rows = ABPushRecord::allABContactsInContext(*m_context))
            for (const ABPushRecord *row : *rows)
                if (!current.contains(row->abid()))
                    deleted << row->abid();
        inserted << idsOf(AddressBookTool::peopleInsertedSince(status->abContactLastInsertDate()));
        changed << idsOf(AddressBookTool::peopleChangedSince(status->abContactLastModDate()));
    }
    if (m_pushMode == 2) {
        const QSet<QString> monitored = setOf(m_monitoredContactIDs);
        const QSet<QString> groups = setOf(m_monitoredGroupIDs);
        const auto inScope = [&](const QString &id) {
            return monitored.contains(id) || groups.contains(id) || m_abPushAllGroups;
        };
        inserted.removeIf([&](const QString &id) { return !inScope(id); });
        changed.removeIf([&](const QString &id) { return !inScope(id); });
        // A deleted record is in no group any more: its contact's Google groups tell.
        QSet<QString> monitoredGoogleGroups;
        const GoogleContactLists &lists = m_appGoogleContactTool->lists();
        for (const QString &groupID : std::as_const(m_monitoredGroupIDs))
            if (const auto google = grouplookups::groupForABID(lists, groupID))
                monitoredGoogleGroups.insert(google->identifier());
        deleted.removeIf([&](const QString &id) {
            if (groups.contains(id))
                return false;
            const GDataEntryContactPtr contact = contactlookups::contactForABID(lists, id);
            if (!contact)
                return true;
            for (const GDataGroupMembershipInfo &info : contact->groupMembershipInfos())
                if (monitoredGoogleGroups.contains(info.href))
                    return false;
            return true;
        });
    }
    GoogleABAutoUpdate *push = sharedABUpdateTool();
    push->addToNewIDs(setOf(inserted));
    push->addToChangedIDs(setOf(changed));
    push->addToDeletedIDs(setOf(deleted));
}
