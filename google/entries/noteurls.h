#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// Web addresses that travel in a Google note as lines "label:: scheme://address" (the form the
// upload writes) move back into the person's web addresses. Only such strict lines move: a note
// line that merely holds "::" is the user's text and stays in the note.
namespace tolvane {

// Adds the address of every strict line, label and address trimmed, unless the person already
// holds an equal address, and answers the note without those lines (the rest joined with "\r").
// Lines end at CR LF, CR or LF. A note without such a line comes back unchanged.
QString googlizeURLsFor(const PersonPtr &person, const QString &note);

} // namespace tolvane
