// The drag and drop formats of the browser's tables.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMimeData>
#include <QString>
#include <QStringList>

#include <optional>

namespace pasteboardtypes {

// Dragged rows of one window's contact or group table. They mean something only together with
// the window they came from, which the token names, and only inside the running program.
inline const QString contactRows = QStringLiteral("application/x-tolvane-contact-rows");
inline const QString groupRows = QStringLiteral("application/x-tolvane-group-rows");
// Address book record identifiers, as JSON arrays.
inline const QString abPeople = QStringLiteral("application/x-tolvane-abpeople-uids");
inline const QString abGroups = QStringLiteral("application/x-tolvane-abgroups-uids");
inline const QString fileNames = QStringLiteral("text/uri-list");
inline const QString text = QStringLiteral("text/plain");
// vCard data under any of its names; the first is the one written.
inline const QString vCard = QStringLiteral("text/vcard");
inline const QStringList vCardTypes = {vCard, QStringLiteral("text/x-vcard"),
                                       QStringLiteral("text/directory")};

// What the contact table and the group table take.
inline const QStringList contactTableDrops = {fileNames, groupRows, contactRows,   abGroups,
                                              abPeople,  vCard,     vCardTypes[1], vCardTypes[2]};
inline const QStringList groupTableDrops = {groupRows, contactRows, abGroups,      abPeople,
                                            fileNames, vCard,       vCardTypes[1], vCardTypes[2]};

// The private row data: the rows in the source window's arranged order, each with its
// identifier ("gID" of a contact, "identifier" of a group row), and the source window's token.
struct DraggedRows
{
    QString window;
    QList<int> rows;
    QStringList identifiers;
    bool operator==(const DraggedRows &) const = default;
};
QByteArray encodeRows(const DraggedRows &rows);
// None for data that is not such rows.
std::optional<DraggedRows> decodeRows(const QByteArray &data);

// Whether the data holds one of the formats.
bool holdsAnyOf(const QMimeData *data, const QStringList &formats);
// The vCard data under the first of its names the data holds; empty when none.
QByteArray vCardData(const QMimeData *data);
// The record identifiers of an address book format; empty for anything else.
QStringList recordIdentifiers(const QMimeData *data, const QString &format);
// The paths of the local files of the data's URLs.
QStringList localFiles(const QMimeData *data);

} // namespace pasteboardtypes
