#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// A Google contact exported as vCard 3.0 (files and drags of the browser, copies, a group's
// members). The card is not composed from the entry: the caller first builds a mirror person of
// the contact (GoogleContactTool::makePerson on a person that is never added to the address book),
// and the card is the address book's own card of that person through the one export filter of
// the user's vCard preferences, read at each call. The entry itself adds nothing to the text.
namespace tolvane {

// The person's note is added when the card has none, and the image (the portrait the browser has
// loaded, as TIFF) when the card has no photo; a null image adds none.
QString tolvaneVCardStringUsing(const GDataEntryContact &contact, const Person &person,
                                const QImage &image);
// The UTF-8 bytes of that text, up to its first NUL character should one occur.
QByteArray tolvaneVCardDataUsing(const GDataEntryContact &contact, const Person &person,
                                 const QImage &image);

} // namespace tolvane
