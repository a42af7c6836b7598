#pragma once

#include "platform/addressbook/vcard/vcardline.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The lexical layer of vCard reading, for versions 2.1, 3.0 and 4.0: line ends (CR LF, LF, CR),
// folding, quoted-printable with soft line breaks, Base64, character sets (UTF-8, ISO-8859-1,
// Windows-1252 and whatever else Qt knows), parameters in every form. It reads the first card of
// the data and knows nothing of what the properties mean.
namespace vcardparser {

// nullopt when the data holds no complete card or a value cannot be decoded; *errorMessage
// then says what is wrong.
std::optional<VCard> parse(const QByteArray &data, QString *errorMessage = nullptr);

// The bytes of a "data:" URI ("data:image/jpeg;base64,..."), nullopt when it is not one or its
// data is not valid.
std::optional<QByteArray> decodeDataUri(const QString &uri);

// Text of a vCard in a character set; bytes that are not valid UTF-8 where UTF-8 is expected
// are read as Windows-1252, the usual charset of a card that does not say its own.
QString decodeText(const QByteArray &bytes, const QByteArray &charset);

} // namespace vcardparser
