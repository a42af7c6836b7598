// The drag and drop formats of the browser's tables.
#pragma once

#include <QMimeData>
#include <QModelIndexList>
#include <QString>
#include <QStringList>

namespace pasteboardtypes {

// Dragged rows of one window's contact or group table, as their arranged row numbers: they mean
// something only together with the window they came from.
inline const QString contactRows = QStringLiteral("Tolvane_Contact_PboardType");
inline const QString groupRows = QStringLiteral("Tolvane_Group_PboardType");
// Address book record identifiers.
inline const QString abPeople = QStringLiteral("ABPeopleUIDsPboardType");
inline const QString abGroups = QStringLiteral("ABGroupsUIDsPboardType");
inline const QString fileNames = QStringLiteral("text/uri-list");
inline const QString vCard = QStringLiteral("text/vcard");

// What the contact table and the group table take.
inline const QStringList contactTableDrops = {fileNames, groupRows, contactRows,
                                              abGroups,  abPeople,  vCard};
inline const QStringList groupTableDrops = {groupRows, contactRows, abGroups,
                                            abPeople,  fileNames,   vCard};

// The rows of the indexes, each once and ascending, under the format.
QMimeData *rowsMimeData(const QString &format, const QModelIndexList &indexes);
// Whether the data holds one of the formats.
bool holdsAnyOf(const QMimeData *data, const QStringList &formats);

} // namespace pasteboardtypes
