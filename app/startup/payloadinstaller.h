#pragma once

#include "app/startup/folderlayout.h"

#include <QString>

// Lays out the program's folder and installs, from the program's own payloads, the agent, the
// Services provider and the two scripts, at every launch. Every failure is logged and the launch
// goes on.
namespace payloadinstaller {

// Where the payloads are found: the agent and the Services provider beside the running program,
// the scripts among the program's resources.
QString agentPayloadPath();
QString servicePayloadPath();
inline const QString kSampleScriptPayload =
    QStringLiteral(":/payloads/TolvaneSimpleSampleScript.txt");
inline const QString kDocumentScriptPayload =
    QStringLiteral(":/payloads/GetCurrentDocumentData.applescript");
inline const QString kSampleScriptName = QStringLiteral("TolvaneSimpleSampleScript.applescript");
inline const QString kDocumentScriptName = QStringLiteral("GetCurrentDocumentData.applescript");

// The installed agent in L, and the desktop entry through which it is found and started.
QString installedAgentPath(const FolderLayout &layout);
QString agentDesktopEntryPath();
// The folder the Services provider and its desktop entry go into: the applications folder of the
// local domain (the first folder of $XDG_DATA_DIRS) when it exists or can be made, else the
// user's.
QString servicesFolder();

void createLibraryFolder(const FolderLayout &layout);
void installAgent(const FolderLayout &layout);
void createDataFolder(const FolderLayout &layout, const QString &datafilePath);
void installScripts(const FolderLayout &layout);
void installService();
// tmp, backups, restart, pending and pending/archives, in this order.
void createWorkFolders(const FolderLayout &layout);

} // namespace payloadinstaller
