#pragma once

#include <QString>

// Preference keys of the Google-to-Address-Book direction, read when a Google contact is written
// into a person. Each key has this one definition.
// clang-format off
namespace googlekeys {

inline const QString abDoTagCreatedRecords = QStringLiteral("abDoTagCreatedRecords");
inline const QString abTagForCreatedRecords = QStringLiteral("abTagForCreatedRecords");
// The one key of the append option: the data loader's data mask reads it under this name too.
inline const QString abUpdateAppendNotes = QStringLiteral("abUpdateAppendNotes");
inline const QString abUpdateCompany = QStringLiteral("abUpdateCompany");
inline const QString abUpdateEmail = QStringLiteral("abUpdateEmail");
inline const QString abUpdateIM = QStringLiteral("abUpdateIM");
inline const QString abUpdateIMUseHome = QStringLiteral("abUpdateIMUseHome");
inline const QString abUpdateMemberships = QStringLiteral("abUpdateMemberships");
inline const QString abUpdateName = QStringLiteral("abUpdateName");
inline const QString abUpdateNotes = QStringLiteral("abUpdateNotes");
inline const QString abUpdatePhone = QStringLiteral("abUpdatePhone");
inline const QString abUpdatePicture = QStringLiteral("abUpdatePicture");
inline const QString abUpdatePostal = QStringLiteral("abUpdatePostal");
inline const QString abUpdateRemoveABGroups = QStringLiteral("abUpdateRemoveABGroups");
inline const QString abUpdateTitle = QStringLiteral("abUpdateTitle");

} // namespace googlekeys
// clang-format on
