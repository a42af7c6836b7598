#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// Keys of the import result.
inline const QString kVCardImportErrorString = QStringLiteral("errorString");
inline const QString kVCardImportErrorCode = QStringLiteral("errorCode");
inline const QString kVCardImportNewPeople = QStringLiteral("newPeople");

// errorCode values: no failure, and the first failure met.
enum VCardImportError {
    VCardImportNoError = -1,
    VCardImportUnreadableFile = 1,
    VCardImportUnreadableCard = 2,
    VCardImportSaveFailed = 3,
};

namespace AddressBookTool {

// Every card of the files, in order, as a new person of the shared address book, saved once at
// the end. The result holds "newPeople" (the identifiers of the people made, in card order),
// "errorCode" (VCardImportError: -1 when all went well, else the first failure) and "errorString"
// (one line per failure: a file that can't be read, a card that gives no person, a failed save).
QVariantMap processDroppedVCards(const QStringList &paths);

} // namespace AddressBookTool
