#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Derived values of a Google group, computed on demand. The program's property is the one named
// by the preference googleGroupExtendedPropertyName.
namespace tolvane {

// The XML values of the program's property; nothing without exactly one such property.
std::optional<QHash<QString, QString>>
tolvaneExtendedPropertyXMLValuesDictionary(const GDataEntryContactGroup &group);
// The Address Book group's identifier (aID), else "".
QString tolvaneABID(const GDataEntryContactGroup &group);
QDateTime tolvaneCreateDate(const GDataEntryContactGroup &group);
// The title contains "System Group: " (case and trailing blank count).
bool isGoogleSystemGroup(const GDataEntryContactGroup &group);
// The deleted-entry mark for a deleted group, else the title.
QString entryDisplayName(const GDataEntryContactGroup &group);
QString tolvaneTitle(const GDataEntryContactGroup &group);
// The contacts with a membership of the group, in list order.
QList<GDataEntryContactPtr> membersFromContactArray(const GDataEntryContactGroup &group,
                                                    const QList<GDataEntryContactPtr> &contacts);

} // namespace tolvane
