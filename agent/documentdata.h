#pragma once

#include <QString>

// The front document's data of the program a text came from: the output of the document-data
// script in the scripts folder, whose every "##$$##" stands for the program's identifier. Shared
// by the agent and the service.
namespace documentdata {

inline const QString kScriptName = QStringLiteral("GetCurrentDocumentData.applescript");
// A script that takes longer is killed.
inline constexpr int kTimeoutMs = 5000;

// The script's output; null when the identifier is not plain (nothing runs then), the script is
// missing, fails or hangs. Failures are logged.
QString getCurrentDocDataFromApp(const QString &scriptsFolder, const QString &bundleIdentifier);

} // namespace documentdata
