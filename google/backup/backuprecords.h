#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QVariantMap>

class GoogleContactLists;

// The records of the backup archive's lists, as property-list dictionaries: missing texts are
// empty strings, isPrimary "YES" or "NO". Groups carry their XML values under "XMLArray",
// contacts under "XMLValue"; restore reads both names.
namespace backuprecords {

QVariantMap groupRecord(const GDataEntryContactGroup &group);
// The program's own property always carries the contact's identifier as gID; a contact without
// any property gets that one.
QVariantMap contactRecord(const GDataEntryContact &contact, const GoogleContactLists &lists,
                          const QString &programPropertyName);

} // namespace backuprecords
