// The rows of the browser's group table: the All row from Google's My Contacts group, Google's
// system groups and the program's own groups, and Google's other groups, ordered by kind and then
// by name.
#pragma once

#include "google/engine/googleabautoupdatedelegate.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QList>
#include <QSharedPointer>
#include <QString>
#include <QTextDocument>

#include <optional>
#include <vector>

struct GroupRow
{
    // The title shown and sorted on.
    QString groupName;
    // Google's group identifier; for the program's own groups the title itself, by which the
    // engine knows them.
    QString identifier;
    // "a" the All row, "b" Google's system groups and the e-mail-only group, "c" the program's
    // own groups, "d" and "e" Google groups pushed from an address book smart or plain group,
    // "f" any other Google group. Only "d", "e" and "f" rows can be deleted.
    QString groupType;
    // Two digits, the first sort key.
    QString groupOrder;
    // The title with its 15-point icon.
    QSharedPointer<QTextDocument> nameWithImage;
};

namespace grouprows {

// The orders of the three kinds, from the preferences groupSortFirst, groupSortSecond and
// groupSortThird ("20", "30", "40"). Google's other groups add 1, 2 or 3 to theirs.
struct GroupOrders
{
    int systemGroups = 20;
    int ownGroups = 30;
    int googleGroups = 40;
};
GroupOrders groupOrders(int first, int second, int third);

// The rows of the groups. autoABGroups are the address book groups listed for automatic push (the
// rows with doSynch count), given while autoPushABChanges is on and the program offers them.
QList<GroupRow> groupRows(const std::vector<GDataEntryContactGroupPtr> &groups,
                          const std::optional<QList<AutoABGroup>> &autoABGroups);

// The name of the icon of Google's system groups and of the All row.
inline const QString systemGroupIconName = QStringLiteral("GoogleSystemGroup");

} // namespace grouprows
