#pragma once

#include <QString>

// Texts the main program's shell shows and logs. Each text has this one definition; the log
// lines keep the old program's words, typos included, since logs are compared across versions.
// clang-format off
namespace apptexts {

inline const QString okButton = QStringLiteral("OK");

// Class initialisation.
inline const QString releaseBuild = QStringLiteral("Release Build");
inline const QString releaseValue = QStringLiteral("Release");
inline const QString verboseLogging = QStringLiteral("Verbose Logging was set ON");
inline const QString terseLogging = QStringLiteral("Terse Logging was set ON");
inline const QString optionShiftDown = QStringLiteral("Option & Shift key were down at launch");
inline const QString shiftDown = QStringLiteral("Shift key were down at launch");
inline const QString betaProduct = QStringLiteral("Beta product - logging on automatically");
inline const QString noApplicationSupport = QStringLiteral("The User Domain - Application Support is not configured properly on this machine..");
inline const QString noApplicationSupportSmall = QStringLiteral("Please refer this problem to your Macintosh Systems Administrator.");
inline const QString noAddressBook = QStringLiteral("AddressBook is not installed on this Macintosh");
inline const QString noAddressBookSmall = QStringLiteral("AddressBook is necessary for Tolvane to function correctly.");
inline const QString noMeRecord = QStringLiteral("There is no 'Me' record established in AddressBook");
inline const QString noMeRecordSmall = QStringLiteral("A \"Me\" record is necessary for Tolvane to function correctly.");

// Initialiser.
inline const QString newPrefFile = QStringLiteral("New Preferences File Created ->%1");
inline const QString existingPrefFile = QStringLiteral("Existing Preferences File Found ->%1");

// Start-up steps.
inline const QString stepInitializing = QStringLiteral("initializing Tolvane");
inline const QString stepMachine = QStringLiteral("determining machine environment");
inline const QString stepData = QStringLiteral("setting up data environment");
inline const QString stepAddressBook = QStringLiteral("examining Address Book");
inline const QString stepServices = QStringLiteral("registering services and notifications");
inline const QString stepGoogle = QStringLiteral("establishing Google communications");
inline const QString stepRetrieving = QStringLiteral("retrieving data from Google");
inline const QString groupMembers = QStringLiteral("%1 (%2 members)");

// Environment report.
inline const QString reportFramework = QStringLiteral("Google Framework  %1.%2.%3");
inline const QString reportTimeZone = QStringLiteral("TimeZone - %1");
inline const QString reportCountry = QStringLiteral("Current Locale - Country - %1");
inline const QString reportLanguage = QStringLiteral("Current Locale - Language - %1");
inline const QString reportOS = QStringLiteral("Mac OS X Version - %1");
inline const QString reportHost = QStringLiteral("Host Name - %1");
inline const QString reportModel = QStringLiteral("Mac Model - %1");
inline const QString reportCPUBrand = QStringLiteral("CPU Brand - %1");
inline const QString reportCPUType = QStringLiteral("CPU Type - %1");
inline const QString report64Bit = QStringLiteral("64 Bit - %1");
inline const QString reportSpeed = QStringLiteral("Processor Speed - %1 MHz");
inline const QString reportProcessors = QStringLiteral("# of Processors - %1");
inline const QString reportRAM = QStringLiteral("Physical RAM - %1 MB");
inline const QString reportScreens = QStringLiteral("# of Screens - %1");
inline const QString reportMaxHeight = QStringLiteral("Max Monitor Height - %1");
inline const QString reportMaxWidth = QStringLiteral("Max Monitor Width - %1");
inline const QString reportAppName = QStringLiteral("App Name - %1");
inline const QString reportAppVersion = QStringLiteral("App Version - %1");
inline const QString reportContact = QStringLiteral("Contact for this log: %1 - %2");
inline const QString reportMobileMe = QStringLiteral("MobileMe Contact Sync running: %1");
inline const QString reportGoogleSync = QStringLiteral("Google Contact Sync running: %1");

// Store.
inline const QString fatal1103 = QStringLiteral("Tolvane has encountered fatal error: 1103.");
inline const QString fatal1103Small = QStringLiteral("Please contact Tolvane customer support.");
inline const QString momEstablished = QStringLiteral("MOM - Established");
inline const QString pscEstablished = QStringLiteral("PSC - Established");
inline const QString mocEstablished = QStringLiteral("MOC - Established");
inline const QString caughtError = QStringLiteral("%1 - Caught %2: %3  info = %4");
inline const QString commitEditProblem = QStringLiteral("MOC CommitEdit problem");
inline const QString saveReturnedFalse = QStringLiteral("MOC Save returned 'False'");
inline const QString saveError = QStringLiteral("MOC Save Error =");

// Login.
inline const QString credentialsEstablished = QStringLiteral("User credentials established");
inline const QString promptingForCredentials = QStringLiteral("Prompting for user credentials");
inline const QString passwordEntryError = QStringLiteral("error in password entry");
inline const QString loginTitle = QStringLiteral("Google Account");
inline const QString loginMessage = QStringLiteral("Enter the account and password of your Google account.");
inline const QString loginAccount = QStringLiteral("Account:");
inline const QString loginPassword = QStringLiteral("Password:");
inline const QString loginButton = QStringLiteral("Login");
inline const QString cancelButton = QStringLiteral("Cancel");
inline const QString loginFailed = QStringLiteral("Tolvane could not sign in to your Google account.");

// Windows.
inline const QString dataLoaderTitle = QStringLiteral("Data Loader for %1");
inline const QString changeToUnion = QStringLiteral("Change to Union");
inline const QString changeToIntersection = QStringLiteral("Change to Intersection");
inline const QString webViewFallback = QStringLiteral("Google Contacts opens in your web browser: the web view cannot run as root without its sandbox disabled (QTWEBENGINE_DISABLE_SANDBOX)");

// Countries.
inline const QString noLocaleCountry = QStringLiteral("No country of the store for the locale's country code \"%1\"; the home country stays unset");
inline const QString noSuchCountry = QStringLiteral("No country of the store is named \"%1\"; the selection stays cleared");
inline const QString noRowsInGoogleAddress = QStringLiteral("No Rows in googleAddress");

// Restart lists.
inline const QString restartListNotWritten = QStringLiteral("ERROR -- restart list %1 was not written: %2");
inline const QString restartListNotRemoved = QStringLiteral("ERROR -- restart list %1 was not removed");

} // namespace apptexts
// clang-format on
