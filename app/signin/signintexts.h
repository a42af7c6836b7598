#pragma once

#include <QString>

// The texts of the browser sign-in of the People protocol, one definition each.
namespace signintexts {

inline const QString browserSignIn = QStringLiteral("You sign in with Google in your browser.");
inline const QString browserSignInMessage =
    QStringLiteral("Enter your Google account, then sign in with Google in your browser.");
inline const QString waitingForBrowser = QStringLiteral("Waiting for your browser…");
inline const QString needsClient = QStringLiteral(
    "Signing in needs an OAuth client of your own: in a Google Cloud project, enable the People "
    "API, create a client of the type \"Desktop app\", download its file and import it in the "
    "preferences' Google client section.");
inline const QString openClientSection = QStringLiteral("Google Client…");
inline const QString keyringRefused =
    QStringLiteral("You signed in, but the keyring could not keep the sign-in.");
inline const QString signInAgain = QStringLiteral("Sign in again…");
inline const QString importClientFile = QStringLiteral("Import client file…");
inline const QString clearClient = QStringLiteral("Clear");
inline const QString noClient = QStringLiteral("No client imported");
inline const QString clientSection = QStringLiteral("Google client");
inline const QString clientFileTitle = QStringLiteral("Import Client File");
inline const QString clientFileUnreadable = QStringLiteral("The client file could not be read.");
inline const QString clientFileRefused = QStringLiteral("The client file was not imported.");
inline const QString clientKeyringRefused =
    QStringLiteral("The keyring could not keep the client's secret.");
inline const QString signedInAs = QStringLiteral("Signed in with Google as %1");
inline const QString signInFailed = QStringLiteral("Sign-in with Google failed: %1");

} // namespace signintexts
