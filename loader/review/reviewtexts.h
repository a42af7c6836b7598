#pragma once

#include <QString>

// The review window's texts.
namespace reviewtexts {

inline const QString windowTitle = QStringLiteral("Preview for %1");
inline const QString loadingNames = QStringLiteral("Loading Google Contact - Names");
inline const QString loadingAddresses = QStringLiteral("Loading Google Contacts - Addresses");
inline const QString loadingOne = QStringLiteral("Loading: %1");
inline const QString namesTab = QStringLiteral("Names");
inline const QString addressesTab = QStringLiteral("Addresses");
inline const QString namesTabIdentifier = QStringLiteral("name");
inline const QString addressesTabIdentifier = QStringLiteral("address");
inline const QString sendNames = QStringLiteral("Update Google Names");
inline const QString sendAddresses = QStringLiteral("Update Google Addresses");
inline const QString isCompany = QStringLiteral("Is a company");
inline const QString placeholderImage = QStringLiteral("Account");

// The outcome of a send, shown when anything did not go through.
inline const QString outcomeTitle = QStringLiteral("Not every correction reached Google");
inline const QString notStarted =
    QStringLiteral("Nothing was sent: the contact list has not been loaded from Google.");
inline const QString failedFeeds = QStringLiteral("Google did not take a batch: %1");
inline const QString refused = QStringLiteral("Google refused: %1");
inline const QString notFound = QStringLiteral("No longer in the contact list: %1");
inline const QString noRoom =
    QStringLiteral("No room for the corrections (ten properties of other programs): %1");
inline const QString failedPortraits = QStringLiteral("Portraits not stored: %1");
inline const QString okButton = QStringLiteral("OK");
inline const QString otherJobRunning = QStringLiteral("The data loader is still at work");
inline const QString otherJobRunningText =
    QStringLiteral("Send the corrections once the data loader has finished.");

} // namespace reviewtexts
