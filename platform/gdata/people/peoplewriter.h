// Entry objects to People JSON. Each value starts from the JSON it was read from (or, for a value
// the layers above made anew, from the read value of the same text) and only the modelled keys are
// overwritten, so keys this layer does not model survive an update. Only the fields of the update
// mask are written; memberships of hidden system groups and the clientData items a projection hid
// go back as they were read.
#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QJsonObject>
#include <QString>

namespace peoplewriter {

// The Person of an update: resourceName and etag when the entry has them, and every field of the
// update mask.
QJsonObject personFromContact(const GDataEntryContact &entry, const QString &api);
// The ContactGroup of a create or update: resourceName and etag when known, name and clientData. A
// group's content has no counterpart and is dropped with a log line.
QJsonObject contactGroupFromGroup(const GDataEntryContactGroup &entry, const QString &api);

} // namespace peoplewriter
