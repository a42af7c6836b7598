// Google groups of the engine's lists by identifier, record identifier, title and system group.
#pragma once

#include "google/engine/googlecontactlists.h"

#include <QList>
#include <QString>

namespace grouplookups {

// Null when the identifier is null, or when none or several groups have it (logged).
GDataEntryContactGroupPtr groupForID(const GoogleContactLists &lists, const QString &identifier);
// The first group with an extended property of any name whose aID is the record identifier;
// several are logged.
GDataEntryContactGroupPtr groupForABID(const GoogleContactLists &lists, const QString &abid);

// The first group whose display name is the name. A null name is a caller's fault: logged, null.
GDataEntryContactGroupPtr groupForName(const GoogleContactLists &lists, const QString &name);

// Identifier of the one group titled so; "" when not exactly one.
QString idOfGroupWithName(const GoogleContactLists &lists, const QString &name);
// Title of the one group with the identifier; "" when not exactly one.
QString nameOfGroupWithID(const GoogleContactLists &lists, const QString &identifier);
// Members of the one group titled so; none when not exactly one.
QList<GDataEntryContactPtr> membersOfGroupName(const GoogleContactLists &lists,
                                               const QString &name);

// Identifiers of the first group of each system group; null when there is none, as before any
// group feed.
QString familySysGroupID(const GoogleContactLists &lists);
QString friendsSysGroupID(const GoogleContactLists &lists);
QString coworkersSysGroupID(const GoogleContactLists &lists);
QString myContactsID(const GoogleContactLists &lists);

} // namespace grouplookups
