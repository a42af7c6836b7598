#pragma once

#include <QString>

#include <optional>

// The program's integer code of an instant-messaging protocol, as the browser dictionary carries
// it in "homeIMType" and "workIMType": AIM 0, Google Talk 1, ICQ 2, Jabber 3, MSN 4, QQ 5,
// Skype 6, Yahoo 7, none -1.
namespace tolvane {

inline constexpr int kNoIMCode = -1;

// The first protocol word found in the text, in the order of the codes (case-sensitive), so a
// text holding "AIM" and another word gives 0.
int imCodeForProtocol(const QString &protocol);

// The protocol constant of a code 0 to 7; nothing for any other code.
std::optional<QString> protocolForIMCode(int code);

} // namespace tolvane
