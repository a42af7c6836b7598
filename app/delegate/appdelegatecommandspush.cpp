#include "app/delegate/appdelegate.h"

#include "addressbook/groups/groupancestry.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "app/apptexts.h"
#include "app/menus/commandkeys.h"
#include "app/menus/commandtexts.h"
#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "google/push/googleabautoupdate.h"
#include "google/push/pushkeys.h"
#include "google/upload/googleelementkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QImage>
#include <QSet>

namespace {

QStringList listOf(const QVariantMap &info, const QString &key)
{
    return info.value(key).toStringList();
}

QString described(const QVariantMap &info, const QString &key)
{
    return listOf(info, key).join(QStringLiteral(", "));
}

// The notice's information as the log shows it: each key with its value.
QString describedInfo(const QVariantMap &info)
{
    QStringList parts;
    for (auto it = info.cbegin(); it != info.cend(); ++it) {
        const QVariant &value = it.value();
        parts << it.key() + QStringLiteral(" = ") +
                     (value.canConvert<QStringList>() && value.typeId() != QMetaType::QString
                          ? u'(' + value.toStringList().join(QStringLiteral(", ")) + u')'
                          : value.toString());
    }
    return u'{' + parts.join(QStringLiteral("; ")) + u'}';
}

QImage namedImage(const QString &name)
{
    return QImage(QStringLiteral("images:") + name);
}

AutoABGroup rowFor(const GroupPtr &group)
{
    AutoABGroup row;
    row.abid = group->uniqueId();
    row.groupName = group->valueForProperty(kABGroupNameProperty).toString();
    row.isSmart = AddressBookTool::isSmartGroup(row.abid);
    return row;
}

QSet<QString> idsOf(const QList<PersonPtr> &records)
{
    QSet<QString> ids;
    for (const PersonPtr &record : records)
        ids.insert(record->uniqueId());
    return ids;
}

// The records whose changes the selection pushes: the ticked groups, their members (with nested
// groups, the groups below them and all their members) and, when asked, the records in no group.
QSet<QString> selectedRecordIDs(const QList<AutoABGroup> &rows)
{
    UserDefaults &defaults = UserDefaults::standard();
    const bool nested =
        defaults.integerForKey(googlekeys::autoABSelectedGroupsIncludeNestedGroups) == 1;
    QSet<QString> ids;
    for (const AutoABGroup &row : rows) {
        if (!row.doSynch)
            continue;
        ids.insert(row.abid);
        if (!nested) {
            ids.unite(idsOf(AddressBookTool::membersOfGroupID(row.abid, true, true)));
            continue;
        }
        ids.unite(idsOf(AddressBookTool::recursiveMembersOfGroupID(row.abid, true, true)));
        if (const GroupPtr group = AddressBookTool::groupByABID(row.abid))
            for (const GroupPtr &subgroup : AddressBookTool::recursiveSubGroupsOfABGroup(group))
                ids.insert(subgroup->uniqueId());
    }
    if (defaults.integerForKey(pushkeys::autoABUsesContactsWithoutGroups) == 1)
        ids.unite(idsOf(AddressBookTool::recordsWithNoGroupIncludePeople(true, true)));
    return ids;
}

} // namespace

void AppDelegate::loadAutoABGroups()
{
    const QStringList keys =
        UserDefaults::standard().stringArrayForKey(commandkeys::autoABGroupKeys);
    // Nothing saved yet: every group is pushed, and smart groups say so with the small gear.
    const bool nothingSaved = keys.isEmpty();
    QList<AutoABGroup> rows;
    for (const GroupPtr &group : AddressBookTool::allGroups()) {
        AutoABGroup row = rowFor(group);
        row.doSynch = nothingSaved || keys.contains(row.abid);
        row.image = namedImage(!row.isSmart   ? commandtexts::blankImage
                               : nothingSaved ? commandtexts::smallGearImage
                                              : commandtexts::gearImage);
        rows << row;
    }
    m_autoABGroups = rows;
}

void AppDelegate::recordAutoABGroupKeys()
{
    QStringList keys;
    for (const AutoABGroup &row : std::as_const(m_autoABGroups)) {
        if (row.doSynch && !keys.contains(row.abid))
            keys << row.abid;
    }
    UserDefaults::standard().setObject(keys, commandkeys::autoABGroupKeys);
}

void AppDelegate::abChanged(const QVariantMap &info)
{
    tlog::write(commandtexts::changedInternally.arg(describedInfo(info)));
    tlog::write(commandtexts::insertedInternally.arg(described(info, kABInsertedRecords)));
    tlog::write(commandtexts::updatedInternally.arg(described(info, kABUpdatedRecords)));
    tlog::write(commandtexts::deletedInternally.arg(described(info, kABDeletedRecords)));
    googlePushManager(info);
}

void AppDelegate::abChangedExternally(const QVariantMap &info)
{
    tlog::write(commandtexts::changedExternally.arg(describedInfo(info)));
    tlog::write(commandtexts::senderProcessID.arg(info.value(kABSenderProcessID).toString()));
    tlog::write(commandtexts::senderProcessName.arg(info.value(kABSenderProcessName).toString()));
    tlog::write(commandtexts::insertedExternally.arg(described(info, kABInsertedRecords)));
    tlog::write(commandtexts::updatedExternally.arg(described(info, kABUpdatedRecords)));
    tlog::write(commandtexts::deletedExternally.arg(described(info, kABDeletedRecords)));
    googlePushManager(info);
}

void AppDelegate::googlePushManager(const QVariantMap &info)
{
    if (m_dataMoverWindowController)
        m_dataMoverWindowController->performCommand(QStringLiteral("setABBackingData"));
    if (!AddressBookTool::meAB()) {
        VozuVeva::showAlertMsg(apptexts::noMeRecord, apptexts::noMeRecordSmall, apptexts::okButton,
                               QString(), QString(), true);
        return;
    }
    UserDefaults &defaults = UserDefaults::standard();
    if (defaults.integerForKey(pushkeys::autoPushABChanges) != 1)
        return;
    // A restore replaces the whole book and names no record.
    if (listOf(info, kABInsertedRecords).isEmpty() && listOf(info, kABUpdatedRecords).isEmpty() &&
        listOf(info, kABDeletedRecords).isEmpty()) {
        defaults.setInteger(0, pushkeys::autoPushABChanges);
        VozuVeva::showAlertMsg(commandtexts::abRestored, commandtexts::abRestoredSmall,
                               apptexts::okButton, QString(), QString(), false);
        return;
    }
    loadAutoABGroups();
    PushChanges changes{listOf(info, kABInsertedRecords), listOf(info, kABUpdatedRecords),
                        listOf(info, kABDeletedRecords)};
    if (defaults.integerForKey(commandkeys::autoABUsesSelectedGroups) == 1) {
        changes = followPushSelection(info);
        if (changes.inserted.isEmpty() && changes.updated.isEmpty() && changes.deleted.isEmpty())
            return;
    }
    // The main program makes no automatic push of its own (the agent pushes), so without one set
    // the changes reach no one here.
    if (m_googleABAutoUpdate)
        m_googleABAutoUpdate->autoABUpdateNew(changes.inserted, changes.updated, changes.deleted);
}

AppDelegate::PushChanges AppDelegate::followPushSelection(const QVariantMap &info)
{
    UserDefaults &defaults = UserDefaults::standard();
    const QStringList inserted = listOf(info, kABInsertedRecords);
    const QStringList updated = listOf(info, kABUpdatedRecords);
    const QStringList deleted = listOf(info, kABDeletedRecords);
    // The rows were just rebuilt from the book, so a renamed group already carries its new name.
    // A group the notice names as deleted leaves the selection even while this book still reads
    // it (the notice is what the other program did).
    m_autoABGroups.removeIf([&](const AutoABGroup &row) { return deleted.contains(row.abid); });
    if (defaults.integerForKey(commandkeys::autoABSelectedGroupsIncludeNewGroups) == 1) {
        for (AutoABGroup &row : m_autoABGroups) {
            if (inserted.contains(row.abid))
                row.doSynch = true;
        }
    }
    recordAutoABGroupKeys();
    const QSet<QString> selected = selectedRecordIDs(m_autoABGroups);
    const auto inSelection = [&](const QStringList &ids) {
        QStringList kept;
        for (const QString &id : ids)
            if (selected.contains(id))
                kept << id;
        return kept;
    };
    // A deleted record can no longer be placed in a group, so every deletion goes.
    return {inSelection(inserted), inSelection(updated), deleted};
}

GoogleABAutoUpdate *AppDelegate::googleABAutoUpdate() const
{
    return m_googleABAutoUpdate;
}

void AppDelegate::setGoogleABAutoUpdate(GoogleABAutoUpdate *push)
{
    m_googleABAutoUpdate = push;
}
