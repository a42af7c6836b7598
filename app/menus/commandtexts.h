#pragma once

#include <QString>

// The texts of the main menu's commands.
namespace commandtexts {

inline const QString duplicatedEmails = QStringLiteral(
    "These email addresses are duplicated in Address Book.\rGoogle Contacts does not allow "
    "duplicated emails!");
inline const QString compatibleAB =
    QStringLiteral("Your Address Book data is fully compatible with Google Contacts.");
inline const QString mayProceed =
    QStringLiteral("You may proceed with sending data to Google Contacts.");
inline const QString previewTitle = QStringLiteral("Preview for %1");
inline const QString abRestored = QStringLiteral("AddressBook has been restored from a backup");
inline const QString abRestoredSmall = QStringLiteral(
    "Use the Data Loader to bulk load Google Contacts and then re-enable \"Auto-Update\"!");

// Log lines of the address book change handlers.
inline const QString changedInternally = QStringLiteral("AB CHANGED Internaly userInfo %1");
inline const QString insertedInternally = QStringLiteral("AB CHANGED Internally  Inserted %1");
inline const QString updatedInternally = QStringLiteral("AB CHANGED Internally  Updated %1");
inline const QString deletedInternally = QStringLiteral("AB CHANGED Internally  Deleted %1");
inline const QString changedExternally = QStringLiteral("AB CHANGED Externally userInfo %1");
inline const QString insertedExternally = QStringLiteral("AB CHANGED Externally  Inserted %1");
inline const QString updatedExternally = QStringLiteral("AB CHANGED Externally  Updated %1");
inline const QString deletedExternally = QStringLiteral("AB CHANGED Externally  Deleted %1");
inline const QString senderProcessID = QStringLiteral("AB CHANGED Externally ABSenderProcessID %1");
inline const QString senderProcessName =
    QStringLiteral("AB CHANGED Externally ABSenderProcessName %1");

// The push selection's images.
inline const QString gearImage = QStringLiteral("Gear");
inline const QString smallGearImage = QStringLiteral("SmallGear");
inline const QString blankImage = QStringLiteral("Blank32");

} // namespace commandtexts
