// An address book as a well-filled one holds it: people with names, e-mails, phones, an address,
// a note and an organisation, every fifth a company, each a member of one of a few groups.
#pragma once

#include "platform/addressbook/recordclass.h"

#include <QList>

namespace samplepeople {

// Adds the people and groups to the shared address book and saves it; the people, in order.
// Empty when the book could not be saved.
QList<PersonPtr> fillBook(int people, int groups);

} // namespace samplepeople
