#pragma once

#include "google/engine/googlecontactlists.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdataextendedproperty.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <optional>
#include <vector>

// The records of a backup archive's lists turned back into Google entries. The lists are outside
// input: a list is taken only when it is an array of dictionaries that each carry their
// identifier (and, for contacts, their name) as text.
namespace restorerecords {

std::optional<QVariantList> readGroupList(const QByteArray &data, QString *error);
std::optional<QVariantList> readContactList(const QByteArray &data, QString *error);

// The batch identifier that ties a created entry to its source: the address book record
// identifier (aID) when there is one, else the tail of the archived identifier after "/base/".
QString batchIDFor(const QString &aID, const QString &identifier);

// The extended properties of an entry as archived, within Google's ten per entry. Other
// programs' properties come back as they were. Of the program's own property (ownName) every
// element comes back except the data mask ("dm" and digits) and asOf, so the next upload still
// sends the record under the options then in force; with linkGID set, gID holds it. The own
// property is left out, and *ownKept is false, when ten others leave no room for it.
std::vector<GDataExtendedProperty> restoredProperties(const QVariantList &archived,
                                                      const QString &ownName,
                                                      const std::optional<QString> &linkGID,
                                                      bool *ownKept);

// The own property's element of that name as archived; empty when there is none.
QString ownElement(const QVariantList &archived, const QString &ownName, const QString &element);

struct RestoredGroup
{
    GDataEntryContactGroupPtr entry;
    QString title;
};
RestoredGroup groupEntry(const QVariantMap &record, const QString &ownName);

struct RestoredContact
{
    GDataEntryContactPtr entry;
    QString identifier;  // archived
    QString archivedGID; // of the archived own property
    bool linkKept = true;
    QStringList lostGroups; // memberships whose group is on Google neither by id nor by name
};
// The contact carries its archived identifier as gID, so a later run knows it was restored.
RestoredContact contactEntry(const QVariantMap &record, const GoogleContactLists &lists,
                             const QString &ownName);

// The entry name the backup gave the record's photo: the name kept in the record, else the
// primary e-mail address, else the title.
QString photoEntryName(const QVariantMap &record, const GDataEntryContact &contact);

// "http status:%d\n\n", then per result its batch identifier, its interruption, its status and,
// with newIdentifiers, for a created entry its new identifier.
QString batchReport(const std::vector<GDataEntryPtr> &results, int httpStatus, bool newIdentifiers);

} // namespace restorerecords
