#pragma once

#include <QString>

// Preference keys of the Google engine and its entry adapters. Each key has this one definition.
// clang-format off
namespace googlekeys {

inline const QString abUpdatePresumeDoubleFirst = QStringLiteral("abUpdatePresumeDoubleFirst");
inline const QString doDefaultCountry = QStringLiteral("doDefaultCountry");
inline const QString gmUpdateAppendNotes = QStringLiteral("gmUpdateAppendNotes");
inline const QString gmUpdateCompany = QStringLiteral("gmUpdateCompany");
inline const QString gmUpdateEmail = QStringLiteral("gmUpdateEmail");
inline const QString gmUpdateIM = QStringLiteral("gmUpdateIM");
inline const QString gmUpdateMemberships = QStringLiteral("gmUpdateMemberships");
inline const QString gmUpdateName = QStringLiteral("gmUpdateName");
inline const QString gmUpdateNameFormat = QStringLiteral("gmUpdateNameFormat");
inline const QString gmUpdateNicknameUsage = QStringLiteral("gmUpdateNicknameUsage");
inline const QString gmUpdateNotes = QStringLiteral("gmUpdateNotes");
inline const QString gmUpdatePhone = QStringLiteral("gmUpdatePhone");
inline const QString gmUpdatePicture = QStringLiteral("gmUpdatePicture");
inline const QString gmUpdatePostal = QStringLiteral("gmUpdatePostal");
inline const QString gmUpdateTitle = QStringLiteral("gmUpdateTitle");
inline const QString googleDataMask = QStringLiteral("googleDataMask");
inline const QString useGenderBasedImages = QStringLiteral("useGenderBasedImages");

} // namespace googlekeys
// clang-format on
