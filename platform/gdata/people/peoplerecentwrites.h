// What this process's own writes returned, per account, for ten minutes: a full list may lag
// behind a write, and the chain that refetches right after its writes must find the contacts it
// just made. A list lacking a kept person, or showing it older, gets the kept copy; a deleted one
// is dropped; a record ends once a list shows it as new.
#pragma once

#include "platform/gdata/entries/gdatafeed.h"
#include "platform/gdata/people/peopleprojection.h"

#include <QJsonObject>

#include <vector>

namespace peoplerecentwrites {

// A created or updated entry as a write's answer read it (its People JSON is kept).
void keepWritten(const QString &account, const GDataEntryBase &entry);
// The entry of that identifier was deleted.
void keepDeleted(const QString &account, GDataEntryBase::Kind kind, const QString &identifier);

// The full list of that kind, read through the projection, with the kept writes applied.
void applyToList(const QString &account, GDataEntryBase::Kind kind, const QString &api,
                 const PeopleProjection &projection, std::vector<GDataEntryPtr> &entries);

// Every record of every account is dropped (tests).
void forgetAll();

} // namespace peoplerecentwrites
