#pragma once

#include <QString>

// What sending opened vCard files to Google shows.
namespace openfilestexts {

inline const QString sending = QStringLiteral("Sending vCard data to Google  ...");
// %1: the person's first and last name.
inline const QString processing = QStringLiteral("Processing  ...  %1");

inline const QString nothingSent = QStringLiteral("No contacts were sent to Google.");
// %1: the file names, one a line.
inline const QString noCards = QStringLiteral("These files hold no vCards:\n%1");
inline const QString noWindow = QStringLiteral("The vCard files cannot be sent to Google now.");
inline const QString noWindowDetail =
    QStringLiteral("Open the Data Loader or the Contacts Browser, then open the files again.");
inline const QString okButton = QStringLiteral("OK");

} // namespace openfilestexts
