#pragma once

#include <QString>

// What the old platform read from the program's bundle, fixed when the program is built.
namespace bundleinfo {

inline const QString kBundleName = QStringLiteral("Tolvane");
inline const QString kBundleIdentifier = QStringLiteral("com.zel-tor.tolvane");
// The folder word under the data folder. The Services provider and the agent name the folder with
// this word whatever the program is called, so it is one constant of its own.
inline const QString kFolderWord = QStringLiteral("Tolvane");
// The main program is built as a background element, so that the application mode preference
// decides whether it shows a tray item or runs as an application.
inline constexpr bool kIsUserAgent = true;

inline const QString kAgentBundleIdentifier = QStringLiteral("com.zel-tor.agentTolvane");
inline const QString kServiceBundleIdentifier = QStringLiteral("com.zel-tor.tolvaneService");
// The programs' file names, beside the main program and, for the agent, in its folder once
// installed; the agent's login item names the installed copy too.
inline const QString kMainProgramFileName = QStringLiteral("Tolvane");
inline const QString kAgentFileName = QStringLiteral("agent-tolvane");
inline const QString kServiceFileName = QStringLiteral("tolvane-service");
// The relauncher, beside the main program.
inline const QString kRelauncherFileName = QStringLiteral("tolvane-restart");

// The build's version ("CFBundleVersion"); a version holding "b" marks a beta, which logs
// verbosely.
QString version();
void setVersionForTesting(const QString &version);

} // namespace bundleinfo
