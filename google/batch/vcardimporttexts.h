// Texts of the vCard import jobs and their photo step. Each text has this one definition.
#pragma once

#include <QString>

namespace vcardimporttexts {

// The pseudo groups that stand for "no group" in a job's target.
inline const QString noGroup = QStringLiteral("NoGroup");
inline const QString allGroups = QStringLiteral("All");

// Follow-up steps a job knows by name.
inline const QString batchVCardPictures = QStringLiteral("batchVCardPictures");
inline const QString batchABPictures = QStringLiteral("batchABPictures");
inline const QString refetchAllContacts = QStringLiteral("refetchAllContacts");

inline const QString updatingContact = QStringLiteral("Updating Google Contact: %1");
inline const QString creatingContact = QStringLiteral("Creating Google Contact: %1");
inline const QString retrievingContact = QStringLiteral("Retrieving Google Contact: %1");
inline const QString waiting = QStringLiteral("Waiting for Google response... ");
inline const QString processingResponses = QStringLiteral("Processing Google responses...");
inline const QString processingEntry = QStringLiteral("Processing... %1");
inline const QString updatingImages = QStringLiteral("Updating images ... %1");
inline const QString process = QStringLiteral("Advanced Google Update");

// Report lines.
inline const QString reportHead = QStringLiteral("ticket http status:%1\n\n");
inline const QString statusLine = QStringLiteral("%1: %2 - %3 \n");
inline const QString noStatusLine = QStringLiteral("%1: no status returned\n");
inline const QString interruptedLine = QStringLiteral("%1: interrupted: %2\n");
inline const QString ticketFailedLine = QStringLiteral("ticket failed: %1 (%2)\n");

// Log labels.
inline const QString foundExisting = QStringLiteral("found existing contact");
inline const QString createdNew = QStringLiteral("created new contact");
inline const QString bogusABID = QStringLiteral("bogusABID");
inline const QString extendedValues =
    QStringLiteral("[googleContact tolvaneExtendedPropertyXMLValuesDictionary]");

} // namespace vcardimporttexts
