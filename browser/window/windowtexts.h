// Texts of the browser window.
#pragma once

#include <QString>

namespace windowtexts {

inline const QString notLoggedIn = QStringLiteral("Not Logged into Google");
inline const QString dragHint =
    QStringLiteral("Drag contacts to desktop applications - or - drop vCards to create on Google");
inline const QString asOf = QStringLiteral("As of %1");
inline const QString ok = QStringLiteral("OK");
inline const QString processFailed = QStringLiteral("The %1 process failed");
inline const QString aProcessFailed = QStringLiteral("A Google process failed");
// Two spaces before "process".
inline const QString processSucceeded = QStringLiteral("The %1  process completed succeessfully");
inline const QString aProcessSucceeded = QStringLiteral("A Google process completed succeessfully");
// The error and its user information, joined by a carriage return.
inline const QString googleReportedError = QStringLiteral("Google reported error: %1\r%2");
inline const QString serviceInfoLine = QStringLiteral("[googleTool serviceInfo]");
inline const QString imageUp = QStringLiteral("ImageUp");
inline const QString imageDown = QStringLiteral("ImageDown");
inline const QString login = QStringLiteral("Login");
inline const QString cancel = QStringLiteral("Cancel");
inline const QString user = QStringLiteral("Google account:");
inline const QString password = QStringLiteral("Password:");

} // namespace windowtexts
