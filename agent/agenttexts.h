#pragma once

#include <QString>

// The agent's own texts: its alerts, states, menu and log lines.
namespace agenttexts {

inline const QString toolTip = QStringLiteral("A status item helper app for Tolvane");
inline const QString windowTitle = QStringLiteral("Agent Tolvane");
inline const QString okButton = QStringLiteral("OK");

// Alerts.
inline const QString cannotRun = QStringLiteral("Agent Tolvane app is unable to run!");
inline const QString noApplicationSupport =
    QStringLiteral("The User Domain - Application Support is not configured properly on this "
                   "machine!");
inline const QString noMeRecord = QStringLiteral("There is no 'Me' record established in AddressBook");
inline const QString fatal1103 = QStringLiteral("Agent Tolvane has encountered fatal error: 1103.");
inline const QString fatal1103Small = QStringLiteral("Please contact Tolvane customer support.");
inline const QString noCredentials =
    QStringLiteral("The Google Account and Password are not setup correctly!");
inline const QString noCredentialsSmall =
    QStringLiteral("Use the Tolvane application to re-establish the proper account.");
inline const QString restoredAlert = QStringLiteral("AddressBook has been restored from a backup");
inline const QString restoredAlertSmall = QStringLiteral(
    "Use the Data Loader to bulk load Google Contacts and then re-enable \"Auto-Update\"!");

// States and last actions.
inline const QString statusFormat = QStringLiteral("Status: %1");
inline const QString listening = QStringLiteral("Listening");
inline const QString paused = QStringLiteral("Paused");
inline const QString unPaused = QStringLiteral("Un-Paused");
inline const QString waitingForInternet = QStringLiteral("Waiting for Internet Access");
inline const QString checkedForConnection = QStringLiteral("Checked for connection");
inline const QString waitingForKeyring = QStringLiteral("Waiting for the keyring");
inline const QString pauseItem = QStringLiteral("Pause");
inline const QString listenItem = QStringLiteral("Listen");

// Menu.
inline const QString pollItem = QStringLiteral("Check for Internet Access");
inline const QString pushItem = QStringLiteral("Push Changes Now");
inline const QString configureItem = QStringLiteral("Configure...");
inline const QString newContactItem = QStringLiteral("New Contact...");
inline const QString viewLogItem = QStringLiteral("View Cardzap Log");
inline const QString logLevelItem = QStringLiteral("Logging");
inline const QString logNone = QStringLiteral("None");
inline const QString logTerse = QStringLiteral("Terse");
inline const QString logVerbose = QStringLiteral("Verbose");
inline const QString quitItem = QStringLiteral("Quit Agent Tolvane");

// Log lines.
inline const QString appVersion = QStringLiteral("App Version - %1");
inline const QString internetFound = QStringLiteral("Internet Connection found");
inline const QString noInternet = QStringLiteral("No Internet Connection");
inline const QString pollingTimerFired = QStringLiteral("Polling timer fired");
inline const QString anotherAgentRuns =
    QStringLiteral("Another Agent Tolvane is running; this one ends.");
inline const QString keyringUnavailable =
    QStringLiteral("The keyring cannot be read (locked, or no Secret Service yet): %1");
inline const QString loginFetchFailed = QStringLiteral("The login fetch failed: %1");
inline const QString pushFailed =
    QStringLiteral("The push did not reach Google (%1): its changes wait for the next login");
inline const QString caughtStoreError = QStringLiteral("%1 - Caught %2: %3  info = %4");
inline const QString noMoc = QStringLiteral("No MOC Found");
inline const QString commitEditProblem = QStringLiteral("MOC CommitEdit problem");
inline const QString saveReturnedFalse = QStringLiteral("MOC Save returned 'False'");
inline const QString saveError = QStringLiteral("MOC Save Error =");
inline const QString firstSnapshot =
    QStringLiteral("No push snapshot yet: the address book as it stands is taken as pushed.");
inline const QString restoreSeen = QStringLiteral(
    "The address book was restored from a backup: nothing is pushed, a new snapshot is taken.");
inline const QString noGroupChanges = QStringLiteral("No Group changes");
inline const QString noContactChanges = QStringLiteral("No Contact changes");

inline const QString changedInternally = QStringLiteral("AB CHANGED Internally ABSenderProcessName %1");
inline const QString insertedInternally = QStringLiteral("AB CHANGED Internally  Inserted %1");
inline const QString updatedInternally = QStringLiteral("AB CHANGED Internally updated %1");
inline const QString deletedInternally = QStringLiteral("AB CHANGED Internally Deleted %1");
inline const QString changedExternally = QStringLiteral("AB CHANGED Externally ABSenderProcessName %1");
inline const QString insertedExternally = QStringLiteral("AB CHANGED Externally  Inserted %1");
inline const QString updatedExternally = QStringLiteral("AB CHANGED Externally updated %1");
inline const QString deletedExternally = QStringLiteral("AB CHANGED Externally Deleted %1");

} // namespace agenttexts
