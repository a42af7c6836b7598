// The link property names and the program's extended property names that the engine tests and
// benchmarks use.
#pragma once

#include <QString>

namespace linkpreferences {

inline const QString contactID = QStringLiteral("com.test.googleID");
inline const QString contactVersion = QStringLiteral("com.test.googleVersion");
inline const QString contactAsOf = QStringLiteral("com.test.googleAsOf");
inline const QString contactDataMask = QStringLiteral("com.test.googleMask");
inline const QString groupID = QStringLiteral("com.test.groupGoogleID");

// Sets the names in the preferences and adds the link properties to the address book; false
// when the address book refused them.
bool useTestLinkProperties();

} // namespace linkpreferences
