#pragma once

#include "google/engine/googlecontactlists.h"
#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QString>

#include <optional>

// The Google contacts a bulk delete command would delete, from the engine's lists. Nothing here
// sends or changes anything.
namespace deletecandidates {

// Contacts without a title whose organisations all lack a name.
QList<GDataEntryContactPtr> noNameContacts(const GoogleContactLists &lists);
// Contacts without any group membership.
QList<GDataEntryContactPtr> noGroupContacts(const GoogleContactLists &lists);
// Members of the one Google group with that title; nothing when not exactly one group has it.
std::optional<QList<GDataEntryContactPtr>> membersOfGroupWithTitle(const GoogleContactLists &lists,
                                                                   const QString &title);
// The contacts linked to the address book records, each once, in record order. With
// neverMoveMeCard the Me record's contact is never among them.
QList<GDataEntryContactPtr> contactsOfABRecords(const GoogleContactLists &lists,
                                                const QList<PersonPtr> &records,
                                                bool neverMoveMeCard);

} // namespace deletecandidates
