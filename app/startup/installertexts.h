#pragma once

#include <QString>

// The log lines of the folder layout and the installers, one definition each, with the old
// program's words (the payloads kept their old names in the lines).
// clang-format off
namespace installertexts {

inline const QString libraryCreated = QStringLiteral("Library Folder - Created.");
inline const QString libraryFound = QStringLiteral("Library Folder - Found.");

inline const QString agentInstalled = QStringLiteral("Agent Tolvane.app - Installed.");
inline const QString agentInstallFailure = QStringLiteral("ERROR -- Agent Tolvane.app - Installation Failure - unable to write new file.");
inline const QString agentPayloadMissing = QStringLiteral("Agent Tolvane.app - Payload Not Located.");
inline const QString agentExisting = QStringLiteral("Agent Tolvane.app - Existing file was found.");
inline const QString agentNotQuit = QStringLiteral("ERROR -- Agent Tolvane.app - Update Failure - could not quit running application.");
inline const QString agentHalted = QStringLiteral("Agent Tolvane.app - Running application was halted.");
inline const QString agentNotRunning = QStringLiteral("Agent Tolvane.app - Application was not running");
inline const QString agentNotDeleted = QStringLiteral("ERROR -- Agent Tolvane.app - Update Failure - unable to delete older file.");
inline const QString agentUpdated = QStringLiteral("Agent Tolvane.app - Updated.");
inline const QString agentNotCopied = QStringLiteral("ERROR -- Agent Tolvane.app - Update Failure - unable to copy newer file.");
inline const QString agentRestarted = QStringLiteral("Agent Tolvane.app - Halted application was started again.");
inline const QString agentNotRestarted = QStringLiteral("ERROR -- Agent Tolvane.app - halted application could not be started again.");
inline const QString agentEntryNotWritten = QStringLiteral("ERROR -- Agent Tolvane.app - desktop entry could not be written: %1");

inline const QString dataCreated = QStringLiteral("Data Folder - Created.");
inline const QString dataFound = QStringLiteral("Data Folder - Found.");
inline const QString dataFileMissing = QStringLiteral("Data File - Not Found.");
inline const QString dataFileFound = QStringLiteral("Data File - Found.");
inline const QString dataFilePath = QStringLiteral("Data File ->%1");

inline const QString scriptsCreated = QStringLiteral("Scripts Folder - Created.");
inline const QString scriptsFound = QStringLiteral("Scripts Folder - Found.");
inline const QString sampleInstalled = QStringLiteral("TolvaneSimpleSampleScript.applescript - Installed.");
inline const QString samplePayloadMissing = QStringLiteral("TolvaneSimpleSampleScript.applescript - Payload Not Located.");
inline const QString sampleFound = QStringLiteral("TolvaneSimpleSampleScript.applescript - Found.");
inline const QString documentInstalled = QStringLiteral("GetCurrentDocumentData.applescript - Installed.");
inline const QString documentPayloadMissing = QStringLiteral("GetCurrentDocumentData.applescript - Payload Not Located.");
inline const QString documentFound = QStringLiteral("GetCurrentDocumentData.applescript - Found.");
inline const QString documentNotDeleted = QStringLiteral("ERROR -- GetCurrentDocumentData.applescript - Update Failure - unable to delete older file.");
inline const QString documentUpdated = QStringLiteral("GetCurrentDocumentData.applescript - Updated.");
inline const QString documentNotCopied = QStringLiteral("ERROR -- GetCurrentDocumentData.applescript - Update Failure - unable to copy newer file.");

inline const QString servicesFolderFound = QStringLiteral("Doman Services Folder - Found.");
inline const QString servicesFolderCreated = QStringLiteral("Local Domain Services Folder - Created.");
inline const QString servicesFolderFailure = QStringLiteral("ERROR - unable to create user domain level service --  'Service'menu item will not be available");

inline const QString serviceInstalled = QStringLiteral("TolvaneService.service - Installed");
inline const QString serviceInstallFailure = QStringLiteral("ERROR -- TolvaneService.service - Installation Failure - unable to write new file.");
inline const QString servicePayloadMissing = QStringLiteral("TolvaneService.service - Payload Not Located.");
inline const QString serviceExisting = QStringLiteral("Existing TolvaneService.service - Found.");
inline const QString serviceNotQuit = QStringLiteral("ERROR -- TolvaneService.service - Update Failure - could not quit running service.");
inline const QString serviceHalted = QStringLiteral("TolvaneService.service - Running service was halted.");
inline const QString serviceNotRunning = QStringLiteral("TolvaneService.service - Servcie was not running");
inline const QString serviceNotDeleted = QStringLiteral("ERROR -- TolvaneService.service - Update Failure - unable to delete older file.");
inline const QString serviceUpdated = QStringLiteral("TolvaneService.service - Updated.");
inline const QString serviceEntryNotWritten = QStringLiteral("ERROR -- TolvaneService.service - desktop entry could not be written: %1");
inline const QString serviceNotCopied = QStringLiteral("ERROR -- TolvaneService.service - Update Failure - unable to copy newer file.");

} // namespace installertexts
// clang-format on
