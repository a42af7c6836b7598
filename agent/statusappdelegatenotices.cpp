#include "agent/statusappdelegate.h"

#include "agent/agenttexts.h"
#include "google/push/googleabautoupdate.h"
#include "google/push/pushkeys.h"
#include "platform/addressbook/abconstants.h"

#include <QSet>

namespace {

QStringList listOf(const QVariantMap &info, const QString &key)
{
    return info.value(key).toStringList();
}

} // namespace

void StatusAppDelegate::pushNotificationManager(const QVariantMap &info)
{
    if (isRestoreNotice(info)) {
        setPrefValue(false, pushkeys::autoPushABChanges);
        postAlert(agenttexts::restoredAlert, agenttexts::restoredAlertSmall, false);
        return;
    }
    if (m_isPaused || m_pushMode == 0)
        return;
    const QStringList inserted = listOf(info, kABInsertedRecords);
    const QStringList updated = listOf(info, kABUpdatedRecords);
    const QStringList deleted = listOf(info, kABDeletedRecords);
    // Rebuilt from the book as it is now, the rows hold no deleted group and every group under
    // its current name.
    loadAutoABGroups();
    if (m_abPushIncludeNewGroups) {
        const QSet<QString> newIDs(inserted.begin(), inserted.end());
        for (AutoABGroup &row : m_autoABGroups)
            if (newIDs.contains(row.abid))
                row.doSynch = true;
        setHasSelectedGroups();
    }
    monitorTickedGroups();
    // Without the choice of groups every change is in scope.
    if (m_pushMode == 1 || m_abPushAllGroups) {
        sharedABUpdateTool()->autoABUpdateNew(inserted, updated, deleted);
        return;
    }
    QSet<QString> inScope(m_monitoredContactIDs.begin(), m_monitoredContactIDs.end());
    inScope.unite(QSet<QString>(m_monitoredGroupIDs.begin(), m_monitoredGroupIDs.end()));
    const auto monitoredOnly = [&inScope](QStringList ids) {
        ids.removeIf([&inScope](const QString &id) { return !inScope.contains(id); });
        return ids;
    };
    sharedABUpdateTool()->autoABUpdateNew(monitoredOnly(inserted), monitoredOnly(updated), deleted);
}

QStringList StatusAppDelegate::filterByUserPrefs(const QStringList &ids, bool isGroupType) const
{
    if (m_pushMode == 1)
        return ids;
    if (m_pushMode != 2)
        return {};
    const QStringList &monitored = isGroupType ? m_monitoredGroupIDs : m_monitoredContactIDs;
    QStringList kept;
    for (const QString &id : ids)
        if (monitored.contains(id))
            kept << id;
    return kept;
}
