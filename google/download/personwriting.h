#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QDateTime>
#include <QString>

// One Google contact written into one Address Book person, as the options of the
// Google-to-Address-Book direction (the preferences "abUpdate...") choose: link properties,
// company flag, names, organisation, note and the web addresses kept in it, job title and the
// repeated fields. The person changes in memory; the caller saves the address book.
namespace tolvane {

// A person whose link and stored modification stamp show it already matches the contact (the
// contact's "asOf" less than 100 seconds from its update time) is left as it is. account stands
// for "(%GAcct)" in the tag of created records. The photo is the engine's step, not this one's.
// False when the person was left as it is.
bool writeContactIntoPerson(const PersonPtr &person, const GDataEntryContact &contact,
                            const QString &account,
                            const QDateTime &now = QDateTime::currentDateTime());

} // namespace tolvane
