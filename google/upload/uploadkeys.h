#pragma once

#include <QString>

// Preferences of the upload and delete commands. Each key has this one definition.
namespace googlekeys {

inline const QString gmUpdateNeverMoveMeCard = QStringLiteral("gmUpdateNeverMoveMeCard");
inline const QString gmUpdateSmartGroups = QStringLiteral("gmUpdateSmartGroups");
inline const QString currentUploadGroupName = QStringLiteral("currentUploadGroupName");
inline const QString deleteGoogleContactsComplete = QStringLiteral("deleteGoogleContactsComplete");
inline const QString gmDeleteAllActionsComplete = QStringLiteral("gmDeleteAllActionsComplete");

} // namespace googlekeys
