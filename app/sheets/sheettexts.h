#pragma once

#include <QString>

// Texts of the editor sheets and of the pasted-text service. Each text has this one definition.
// clang-format off
namespace sheettexts {

inline const QString newGroupName = QStringLiteral("New Google Group");
inline const QString systemGroupPrefix = QStringLiteral("System Group: ");
inline const QString manualEntryMarker = QStringLiteral("(%GAcct)");
inline const QString googleManualEntry = QStringLiteral("source: manual entry");
inline const QString addressBookManualEntry = QStringLiteral("source:manual entry");
inline const QString recordCreated = QStringLiteral("%1record created: %2");
inline const QString newContactFirst = QStringLiteral("New");
inline const QString newContactLast = QStringLiteral("Contact");
inline const QString accountImage = QStringLiteral("Account");
inline const QString cardzapFailed = QStringLiteral("Error: could not perform Cardzap.");
inline const QString cardzapNoString = QStringLiteral("Error: could not perform Cardzp.");
inline const QString contactGone = QStringLiteral("The contact is no longer at Google");
inline const QString contactGoneSmall = QStringLiteral("It was deleted or changed meanwhile. Your changes to \"%1\" were not sent.");
inline const QString textResults = QStringLiteral("textResults");

// Titles and labels of the sheets.
inline const QString groupSheetTitle = QStringLiteral("Google Group");
inline const QString groupNameLabel = QStringLiteral("Group name:");
inline const QString newContactTitle = QStringLiteral("New Contact");
inline const QString editContactTitle = QStringLiteral("Edit Contact");
inline const QString pasteLabel = QStringLiteral("Paste a signature or an address block:");

} // namespace sheettexts
// clang-format on
