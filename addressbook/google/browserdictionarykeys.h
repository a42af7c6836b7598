#pragma once

#include <QString>

// Keys of the dictionaries in which the Google side and the new-contact panels hand a contact to
// the address book layer. The Google engine builds these dictionaries, so both sides use these
// names.
namespace browserkeys {

// Browser dictionary
inline const QString nameDict = QStringLiteral("nameDict");
inline const QString org = QStringLiteral("org");
inline const QString job = QStringLiteral("job");
inline const QString notes = QStringLiteral("notes");
inline const QString email = QStringLiteral("email");
inline const QString emailHome = QStringLiteral("emailHome");
inline const QString mobilePhone = QStringLiteral("mobilePhone");
inline const QString fax = QStringLiteral("fax");
inline const QString phone = QStringLiteral("phone");
inline const QString phoneHome = QStringLiteral("phoneHome");
inline const QString addrDict = QStringLiteral("addrDict");
inline const QString addressHome = QStringLiteral("addressHome");
inline const QString im = QStringLiteral("im");
inline const QString imType = QStringLiteral("imType");
inline const QString imHome = QStringLiteral("imHome");
// The new-contact panels' work and home entries: the long-form address dictionaries hold the
// Google address keys below.
inline const QString workEmail = QStringLiteral("workEmail");
inline const QString homeEmail = QStringLiteral("homeEmail");
inline const QString workPhone = QStringLiteral("workPhone");
inline const QString homePhone = QStringLiteral("homePhone");
inline const QString faxPhone = QStringLiteral("faxPhone");
inline const QString workAddrDict = QStringLiteral("workAddrDict");
inline const QString homeAddrDict = QStringLiteral("homeAddrDict");
inline const QString workIM = QStringLiteral("workIM");
inline const QString homeIM = QStringLiteral("homeIM");
inline const QString workIMType = QStringLiteral("workIMType");
inline const QString homeIMType = QStringLiteral("homeIMType");

// Name dictionary, under "nameDict"
inline const QString first = QStringLiteral("first");
inline const QString last = QStringLiteral("last");
inline const QString isCompany = QStringLiteral("isCompany");

// Short-key address dictionary, under "addrDict"
inline const QString street = QStringLiteral("r");
inline const QString street2 = QStringLiteral("r2");
inline const QString city = QStringLiteral("c");
inline const QString state = QStringLiteral("s");
inline const QString postal = QStringLiteral("p");
inline const QString country = QStringLiteral("t");

// Codes of the instant-messaging services in "imType"
inline constexpr int imAIM = 0;
inline constexpr int imGoogleTalk = 1;
inline constexpr int imICQ = 2;
inline constexpr int imJabber = 3;
inline constexpr int imMSN = 4;
inline constexpr int imQQ = 5;
inline constexpr int imSkype = 6;
inline constexpr int imYahoo = 7;

} // namespace browserkeys

// Keys of a Google address dictionary: one postal address as the Google side holds it.
namespace googleaddresskeys {

inline const QString street1 = QStringLiteral("street1");
inline const QString street2 = QStringLiteral("street2");
inline const QString city = QStringLiteral("city");
inline const QString state = QStringLiteral("state");
inline const QString postal = QStringLiteral("postal");
inline const QString country = QStringLiteral("country");

} // namespace googleaddresskeys
