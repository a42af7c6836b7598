#include "app/delegate/appdelegate.h"

#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "app/apptexts.h"
#include "app/menus/commandkeys.h"
#include "app/menus/commandtexts.h"
#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "google/push/pushkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/defaults/userdefaults.h"

#include <QImage>

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
    if (defaults.integerForKey(commandkeys::autoABUsesSelectedGroups) == 1)
        followPushSelection(info);
    // The main program has no automatic push of its own (the agent pushes), so the changes are
    // handed to no one here.
}

void AppDelegate::followPushSelection(const QVariantMap &info)
{
    // The selection was just reloaded from the book, so deleted groups are gone from it and
    // renamed ones carry their new names; what is left is to mark new groups when asked to.
    if (UserDefaults::standard().integerForKey(commandkeys::autoABSelectedGroupsIncludeNewGroups) ==
        1) {
        const QStringList inserted = listOf(info, kABInsertedRecords);
        for (AutoABGroup &row : m_autoABGroups) {
            if (inserted.contains(row.abid))
                row.doSynch = true;
        }
    }
    recordAutoABGroupKeys();
}
