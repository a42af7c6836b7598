// Texts of the browser's actions.
#pragma once

#include <QString>

namespace actiontexts {

inline const QString ok = QStringLiteral("OK");
inline const QString noGroupDeletion =
    QStringLiteral("Your current preferences do not permit deletion of GoogleGroups");
inline const QString noContactDeletion =
    QStringLiteral("Your current preferences do not permit deletion of Google Contacts");
inline const QString deletionRuleWhere =
    QStringLiteral("This setting is found on the 'Google' pane under 'Rules'.");

// A merge whose master left the selection.
inline const QString mergeTitle = QStringLiteral("Merge %1 and %2 other");
inline const QString mergeSelectedTitle = QStringLiteral("%1 selected");
inline const QString mergeMasterNotSelected =
    QStringLiteral("The contact to merge into is not among the selected contacts");
inline const QString mergeMasterHint = QStringLiteral(
    "Select the contact to keep alone first, then add the contacts to merge into it.");

inline const QString mapToWorkSubject = QStringLiteral("A Map to %1's workplace");
inline const QString mapToHomeSubject = QStringLiteral("A Map to %1's home");
// Three carriage returns, the words, a carriage return, then the link.
inline const QString mapBody = QStringLiteral("\r\r\rhere's the link:\r%1");

inline const QString scriptError = QStringLiteral("This error occurred while executing '%1'");
inline const QString scriptReturnedNull = QStringLiteral("Script return value is NULL!");
inline const QString scriptReturned = QStringLiteral("Script returned: %1");
inline const QString scriptSuccess = QStringLiteral("Success");

// The names of the function panes.
inline const QString singleNote = QStringLiteral("SingleNote");
inline const QString multipleNote = QStringLiteral("MultipleNote");
inline const QString bulk = QStringLiteral("Bulk");
inline const QString sendMessage = QStringLiteral("sendMessage");

} // namespace actiontexts
