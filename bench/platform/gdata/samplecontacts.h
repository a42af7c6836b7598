// Contacts as a well-filled account holds them: several e-mails and phones, an address, a note, an
// organisation, a group membership, extended properties and elements the client does not model.
#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QByteArray>
#include <QString>

namespace samplecontacts {

// Contact number `index`, as the client sends it: no identifier, links or ETag yet.
GDataEntryContactPtr contact(int index, const QString &groupId);

// A contact feed of `count` entries as the server answers it for `email`: identifiers, dates,
// ETags and links on every entry, the feed's own links and counts.
QByteArray feedXML(int count, const QString &baseUrl, const QString &email);

} // namespace samplecontacts
