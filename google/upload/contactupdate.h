#pragma once

#include "google/upload/contactfields.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QDateTime>

// The rewrite of a linked Google contact from its changed address book person, before the contact
// is sent as an update. Unlike a new contact it works on what the contact holds: organisations
// that still match are kept, the note is merged into Google's note when the options ask for it,
// and the tag of created records is added only where the resulting note lacks it.
namespace contactupdate {

// Changes the contact in place and returns it; its batch identifier becomes the person's unique
// identifier. now stamps the extended property.
GDataEntryContact &
updateGoogleContactUsingABPerson(GDataEntryContact &contact, const PersonPtr &person,
                                 const ContactBuildingContext &context,
                                 const QDateTime &now = QDateTime::currentDateTime());

} // namespace contactupdate
