#pragma once

#include <QString>

// The texts the engine shows and logs, one definition each.
namespace googletexts {

// Account and credentials.
inline const QString emptyUserAccount =
    QStringLiteral("ERRROR: Attempt to set Google User Account to empty");
inline const QString credentialsWithoutAccount =
    QStringLiteral("Error: attempt to set credentials without a User Account");
inline const QString noUserAccountSpecified = QStringLiteral("ERRROR: no user account specified");
inline const QString noPasswordSpecified = QStringLiteral("ERRROR: no password specified");
inline const QString serviceInfo = QStringLiteral("System: %1 -- Service: %2");
inline const QString renewedCredentialNotStored =
    QStringLiteral("ERROR: the renewed sign-in could not be kept in the keyring");

// Post selectors.
inline const QString unhandledPostSelector = QStringLiteral("ERROR: unhandled postSelector");

// Waits that give up in the agent.
inline const QString treadTimedOut = QStringLiteral("Update Google Group data has timed out!");
inline const QString restoreTimedOut = QStringLiteral("Restore Google data has timed out!");
inline const QString refreshTimedOut = QStringLiteral("Google refresh data has timed out!");
inline const QString pictureTimedOut = QStringLiteral("Update Google picture has timed out!");
inline const QString singleFetchTimedOut = QStringLiteral("Google single fetch has timed out!");
inline const QString vCardTimedOut = QStringLiteral("Update Google vCard has timed out!");
inline const QString singleInsertTimedOut = QStringLiteral("Google single insert has timed out!");
inline const QString contactFeedTimedOut =
    QStringLiteral("Obtain Google Contact feed has timed out!");
inline const QString groupFeedTimedOut = QStringLiteral("Obtain Google Group feed has timed out!");

// Fetching.
inline const QString contactsReturned = QStringLiteral("%1 Google Contacts returned");
inline const QString groupsReturned = QStringLiteral("%1 Google Groups returned");
inline const QString listening = QStringLiteral("Listening");
inline const QString loggedIntoGoogle = QStringLiteral("Logged into Google");
inline const QString refreshingGroups =
    QStringLiteral("Refreshing local version of Google Group data ...");
inline const QString refreshingContacts =
    QStringLiteral("Refreshing local version of Google Contact data ...");
inline const QString processingResponses = QStringLiteral("Processing Google responses...");
inline const QString singleContactFetch = QStringLiteral("Single Contact Fetch");
inline const QString authenticationFailureStatus =
    QStringLiteral("Google Authentication Failure..");
inline const QString noInternetStatus = QStringLiteral("No Internet Connection Available...");
inline const QString authenticationAlert =
    QStringLiteral("A Google Authetication Error has Occurred.");
inline const QString authenticationAlertText =
    QStringLiteral("Would you like to submit your Account and Password again?");
inline const QString submitButton = QStringLiteral("Submit");
inline const QString quitButton = QStringLiteral("Quit");
inline const QString errorSheet = QStringLiteral("An Error has Occurred");
inline const QString okButton = QStringLiteral("OK");

} // namespace googletexts
