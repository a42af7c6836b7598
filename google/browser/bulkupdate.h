#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QString>

// One find-and-replace, or fill-if-empty, over one field of a Google contact: the title (tag 0),
// organisation names (1), job titles (2), e-mail addresses (3), phone numbers (4), postal
// addresses (5) or the notes (6). Every occurrence of the find string in a value that holds it
// becomes the replace string; an empty find string matches no value that has text.
namespace bulkupdate {

struct Settings
{
    int fieldTag = -1;
    QString find;
    QString replace;
    bool ignoreCase = false;
    bool addIfEmpty = false;
};

// From the bulk preferences; a find string never stored counts as empty.
Settings settingsFromPreferences();

// Whether the contact changed. Any other tag changes nothing.
bool bulkUpdateContact(GDataEntryContact &contact, const Settings &settings);

} // namespace bulkupdate
