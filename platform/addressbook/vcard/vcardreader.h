#pragma once

#include "platform/addressbook/recordclass.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Maps the lines of a card (see vcardparser) to a new person outside any book: names,
// organisation, e-mails, phones, addresses, web addresses, instant messaging, related names and
// dates, birthday, note, company marker and photo. Labels come from an item's X-ABLabel, else
// from its type parameters; "pref" makes an entry the primary one. Unknown properties are left
// out, and so are the card's own identifier and its categories.
namespace vcardreader {

// skipped: the values left out because they cannot be decoded or are no picture, one text each
// that names the property; the rest of the card is read all the same.
PersonPtr read(const QByteArray &data, QString *errorMessage = nullptr,
               QStringList *skipped = nullptr);

// A telephone number of a vCard 4.0 "tel:" URI as text: "tel:+1-555-0100;ext=12" gives
// "+1-555-0100 ext. 12". Text that is no such URI is returned as it is.
QString telephoneNumberOfUri(const QString &uri);

} // namespace vcardreader
