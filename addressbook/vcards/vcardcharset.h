#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Text of vCard bytes from other programs. Most are UTF-8, but vCard 2.1 files written on Windows
// are often in the ANSI code page with or without a CHARSET parameter, and a whole file must not be
// lost for one accented letter.
namespace vcard {

// UTF-16 when the bytes begin with its byte-order mark; UTF-8 when they are valid UTF-8 (a UTF-8
// byte-order mark is dropped); else the first CHARSET parameter in the bytes when it names a
// character set that can be read; else Windows-1252.
QString decodeBytes(const QByteArray &data);

bool isValidUtf8(const QByteArray &data);
// The text of bytes that are valid UTF-8, read as QString::fromUtf8 reads them, in one pass;
// nothing when they are not.
std::optional<QString> strictUtf8(const QByteArray &data);

} // namespace vcard
