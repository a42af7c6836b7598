#pragma once

#include "platform/addressbook/recordclass.h"

#include <QByteArray>
#include <QString>

// Maps the lines of a card (see vcardparser) to a new person outside any book: names,
// organisation, e-mails, phones, addresses, web addresses, instant messaging, related names and
// dates, birthday, note, company marker and photo. Labels come from an item's X-ABLabel, else
// from its type parameters; "pref" makes an entry the primary one. Unknown properties are left
// out, and so are the card's own identifier and its categories.
namespace vcardreader {

PersonPtr read(const QByteArray &data, QString *errorMessage = nullptr);

} // namespace vcardreader
