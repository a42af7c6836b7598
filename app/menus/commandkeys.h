#pragma once

#include <QString>

// The preferences the main menu's commands and the push selection read and write.
namespace commandkeys {

// The identifiers of the address book groups whose changes the agent pushes.
inline const QString autoABGroupKeys = QStringLiteral("autoABGroupKeys");
inline const QString autoABUsesSelectedGroups = QStringLiteral("autoABUsesSelectedGroups");
inline const QString autoABSelectedGroupsIncludeNewGroups =
    QStringLiteral("autoABSelectedGroupsIncludeNewGroups");

} // namespace commandkeys
