#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Single values read from the data of one card. The card is unfolded and its properties are found
// by name at the start of a line, so a value that merely mentions a property name is never taken
// for it. Bytes that are not UTF-8 are read in the card's own character set.
namespace AddressBookTool {

// The card's photo: inline Base64 in any of its parameter forms (PHOTO;BASE64, ENCODING=b,
// ENCODING=BASE64) or a "data:" URI. A null image when the card has none or it can't be read.
QImage imageFromVCardData(const QByteArray &cardData);

// The categories value as written (the names with their commas, not split); a null text when the
// card has none.
QString groupsFromVCardData(const QByteArray &cardData);

// The X-ABUID value, else the UID value, unescaped ("\:" is a colon); a null text when the card
// has neither.
QString uidFromVCardData(const QByteArray &cardData);

} // namespace AddressBookTool
