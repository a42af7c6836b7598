#pragma once

#include "platform/addressbook/vcard/vcardline.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The lexical layer of vCard reading, for versions 2.1, 3.0 and 4.0: line ends (CR LF, LF, CR),
// folding, quoted-printable with soft line breaks, Base64, character sets (UTF-8, ISO-8859-1,
// Windows-1252 and whatever else Qt knows), parameters in every form. It reads the first card of
// the data and knows nothing of what the properties mean.
namespace vcardparser {

// nullopt when the data holds no complete card or the card holds no property that can be read;
// *errorMessage then says what is wrong. A value that cannot be decoded (a damaged Base64 photo,
// a bad quoted-printable byte) leaves out that property alone, named in the card's skipped list:
// phones often export one damaged value in an otherwise good card. Data in UTF-16 (with its
// byte-order mark) and UTF-8 with a byte-order mark are read too.
std::optional<VCard> parse(const QByteArray &data, QString *errorMessage = nullptr);

// The cards of data that holds one or more (as withoutByteOrderMark gives it), each from its
// BEGIN:VCARD line to its END:VCARD, as views of the data. A card begins and ends only at the
// start of a logical line, in any letter case, so the words inside a value (a note, a folded or
// quoted-printable line) start no card, and a card inside a card (a 2.1 AGENT) stays inside its
// property. A card whose end was cut off runs to the end of the data; data without any card is
// one item, the data itself (empty data too), so that its reader can say what is wrong with it.
QList<QByteArrayView> splitCards(QByteArrayView data);

// The data as UTF-8 without a byte-order mark: UTF-16 in either byte order (told by its mark) is
// converted, a UTF-8 mark dropped; any other data is returned as it is.
QByteArray withoutByteOrderMark(const QByteArray &data);

// Base64 as other programs write it: white space anywhere, a "=" too many or missing padding.
// nullopt when nothing can be made of it.
std::optional<QByteArray> decodeBase64Leniently(QByteArrayView encoded);

// The bytes of a "data:" URI ("data:image/jpeg;base64,..."), nullopt when it is not one or its
// data is not valid.
std::optional<QByteArray> decodeDataUri(const QString &uri);

// Text of a vCard in a character set; bytes that are not valid UTF-8 where UTF-8 is expected
// are read as Windows-1252, the usual charset of a card that does not say its own.
QString decodeText(const QByteArray &bytes, const QByteArray &charset);

} // namespace vcardparser
