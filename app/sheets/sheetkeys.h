#pragma once

#include <QString>

// The keys the editor sheets read: the preferences of the new-contact sheet and the keys of the
// contact dictionaries they edit. Each key has this one definition.
// clang-format off
namespace sheetkeys {

// Preferences.
inline const QString newContactAddToAddressBook = QStringLiteral("newContactAddToAddressBook");
inline const QString imProtocol = QStringLiteral("imProtocol");
inline const QString family = QStringLiteral("family");
inline const QString friends = QStringLiteral("friends");
inline const QString coworkers = QStringLiteral("coworkers");
inline const QString gsUser = QStringLiteral("gsUser");
inline const QString gmUpdateFormatPhoneNumbers = QStringLiteral("gmUpdateFormatPhoneNumbers");

// The contact dictionaries.
inline const QString gID = QStringLiteral("gID");
inline const QString abid = QStringLiteral("abid");
inline const QString photoLink = QStringLiteral("photoLink");
inline const QString notes = QStringLiteral("notes");
inline const QString nameDict = QStringLiteral("nameDict");
inline const QString homeAddrDict = QStringLiteral("homeAddrDict");
inline const QString workAddrDict = QStringLiteral("workAddrDict");
inline const QString homeStreet = QStringLiteral("homeAddrDict.street");
inline const QString homeStreet1 = QStringLiteral("homeAddrDict.street1");
inline const QString homeStreet2 = QStringLiteral("homeAddrDict.street2");
inline const QString url = QStringLiteral("url");
inline const QString googleGroup = QStringLiteral("googleGroup");
inline const QString abGroup1 = QStringLiteral("abGroup1");
inline const QString abGroup2 = QStringLiteral("abGroup2");
inline const QString abGroup3 = QStringLiteral("abGroup3");
inline const QString groupName = QStringLiteral("groupName");
inline const QString identifier = QStringLiteral("identifier");

// The group choice that stands for none.
inline const QString noGroup = QStringLiteral("- No Group -");

} // namespace sheetkeys
// clang-format on
