// Texts of the browser's drags and drops: the formats other programs read, and the source labels
// the imported contacts carry.
#pragma once

#include <QString>
#include <QStringList>

namespace dragtexts {

// The header of tab-separated rows: 25 columns.
inline const QStringList tabHeader = {
    QStringLiteral("first"),          QStringLiteral("last"),
    QStringLiteral("organization"),   QStringLiteral("jobTitle"),
    QStringLiteral("mobilePhone"),    QStringLiteral("workEmail"),
    QStringLiteral("workPhone"),      QStringLiteral("workIM"),
    QStringLiteral("workIMProtocol"), QStringLiteral("homeEmail"),
    QStringLiteral("homePhone"),      QStringLiteral("homeIM"),
    QStringLiteral("homeIMProtocol"), QStringLiteral("workStreet"),
    QStringLiteral("workStreet2"),    QStringLiteral("workCity"),
    QStringLiteral("workState"),      QStringLiteral("workPostal"),
    QStringLiteral("workCountry"),    QStringLiteral("homeStreet"),
    QStringLiteral("homeStreet2"),    QStringLiteral("homeCity"),
    QStringLiteral("homeState"),      QStringLiteral("homePostal"),
    QStringLiteral("homeCountry"),
};

// The instant-messaging services by the number of "workIMType" and "homeIMType".
inline const QStringList imServices = {
    QStringLiteral("AIM"),    QStringLiteral("GoogleTalk"), QStringLiteral("ICQ"),
    QStringLiteral("Jabber"), QStringLiteral("MSN"),        QStringLiteral("QQ"),
    QStringLiteral("Skype"),  QStringLiteral("Yahoo"),
};

// The lines of a text card.
inline const QString name = QStringLiteral("%1 %2");
inline const QString phone = QStringLiteral("Phone: %1");
inline const QString email = QStringLiteral("Email: %1");
inline const QString address = QStringLiteral("Address: %1 : %2 : %3, %4  %5  %6");
inline const QString mobile = QStringLiteral("Mobile: %1");
inline const QString work = QStringLiteral("Work: %1");
inline const QString workIM = QStringLiteral("Work: %1 (%2)");
inline const QString workAddress = QStringLiteral("Work: %1 : %2 : %3, %4  %5  %6");
inline const QString home = QStringLiteral("Home: %1");
inline const QString homeIM = QStringLiteral("Home: %1 (%2)");
inline const QString homeAddress = QStringLiteral("Home: %1 : %2 : %3, %4  %5  %6");

// The single file of several dragged contacts, by their number.
inline const QString severalContactsFile = QStringLiteral("%1 Google Contacts");
// Where the dragged contacts' vCard files are written, inside the program's tmp folder.
inline const QString dragFolder = QStringLiteral("Dragged vCards");

// The labels of imported contacts.
inline const QString fromOtherAccount = QStringLiteral("transfer from Google Account: %1");
inline const QString rowsFromOtherAccount = QStringLiteral("transfered from Google Account - %1");
inline const QString groupFromOtherAccount = QStringLiteral("transfer from Google Account - %1");
inline const QString fromAddressBook = QStringLiteral("transfer from AddressBook - %1");
inline const QString fromVCardFile = QStringLiteral("external vCard file");
inline const QString fromPasteboard = QStringLiteral("vCard on the pasteboard");

} // namespace dragtexts
