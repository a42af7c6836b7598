// Texts of sending one edited contact to Google. Each text has this one definition.
#pragma once

#include <QString>

namespace contactedittexts {

inline const QString thisGoogleContact = QStringLiteral("thisGoogleContact");
inline const QString updateFailed = QStringLiteral("Update failed");
inline const QString entryUpdateFailed = QStringLiteral("Entry update failed: %1\nUser info:%2");

} // namespace contactedittexts
