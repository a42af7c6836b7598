#pragma once

#include <QString>

#include <array>

// Preferences that publish the passing state of one run of the main program (failure flags,
// completion flags, the status line, which helper applications are installed and running). None
// may outlive the run that wrote them.
namespace transientkeys {

inline const QString kGoogleAuthenticationFailure = QStringLiteral("googleAuthenticationFailure");
inline const QString kGoogleConnectionFailure = QStringLiteral("googleConnectionFailure");
inline const QString kImageFetchComplete = QStringLiteral("imageFetchComplete");
inline const QString kIsContactSelected = QStringLiteral("isContactSelected");
inline const QString kIsLeopardPlus = QStringLiteral("isLeopardPlus");
inline const QString kStatusMessage = QStringLiteral("statusMessage");
inline const QString kIsAddressBookInstalled = QStringLiteral("isAddressBookInstalled");
inline const QString kIsAddressBookRunning = QStringLiteral("isAddressBookRunning");
inline const QString kIsSafariInstalled = QStringLiteral("isSafariInstalled");
inline const QString kIsSafariRunning = QStringLiteral("isSafariRunning");

// In the order they are removed.
inline const std::array<QString, 10> kAll = {
    kGoogleAuthenticationFailure,
    kGoogleConnectionFailure,
    kImageFetchComplete,
    kIsContactSelected,
    kIsLeopardPlus,
    kStatusMessage,
    kIsAddressBookInstalled,
    kIsAddressBookRunning,
    kIsSafariInstalled,
    kIsSafariRunning,
};

} // namespace transientkeys
