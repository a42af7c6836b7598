#pragma once

#include <QString>

// The web view window's own texts and names.
// clang-format off
namespace webviewtexts {

inline const QString defaultTitle = QStringLiteral("Tolvane - WebView");
inline const QString loading = QStringLiteral("Loading...");
// The document title, then a status, two spaces after the colon.
inline const QString titleWithStatus = QStringLiteral("%1:  %2");
inline const QString loadedWithErrors = QStringLiteral("Loaded %1 of %2, %3 resource errors");
inline const QString loaded = QStringLiteral("Loaded %1 of %2");

// The name of the profile that keeps the page's cookies and storage between runs, and its folder
// in the program's folder.
inline const QString profileName = QStringLiteral("Tolvane");
inline const QString profileFolder = QStringLiteral("WebView");

} // namespace webviewtexts
// clang-format on
