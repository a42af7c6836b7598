#pragma once

#include <QString>

// Preferences of the review window.
namespace reviewkeys {

// YES: review every contact; NO: only the contacts without any extended property.
inline const QString showAlreadyHintedNames = QStringLiteral("showAlreadyHintedNames");
inline const QString showAlreadyHintedAddresses = QStringLiteral("showAlreadyHintedAddresses");

} // namespace reviewkeys
