#pragma once

#include <QString>

// The texts of the application mode, the relaunch and the login item.
namespace modetexts {

inline const QString restartTitle =
    QStringLiteral("Running as a Status Item requires restarting. Restart Now?");
inline const QString restartLater = QStringLiteral("I'll restart later");
inline const QString restartNow = QStringLiteral("Restart now");
inline const QString restartMessage =
    QStringLiteral("Remember, Tolvanly will only appear in the menubar!  (like Airport!)");

inline const QString removingStatusItem = QStringLiteral("removing StatusItem");
inline const QString morphed = QStringLiteral("Morphed into an Application");
inline const QString noTray =
    QStringLiteral("The desktop shows no tray: running as an Application");

inline const QString relaunchFailed = QStringLiteral("Tolvane cannot restart.");
inline const QString relaunchFailedSmall =
    QStringLiteral("%1\nTolvane stays open; it runs as a Status Item from its next launch.");
inline const QString ok = QStringLiteral("OK");
inline const QString relaunchNotStarted = QStringLiteral("relauncher not started: %1");

inline const QString agentName = QStringLiteral("Agent Tolvane");
inline const QString loginItemNotChanged = QStringLiteral("login item of %1 not changed: %2");

inline const QString userInfo = QStringLiteral("[note userInfo]");

} // namespace modetexts
