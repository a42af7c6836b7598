#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrybase.h"

#include <QString>

#include <vector>

// One queued change from the address book to Google. The side an action does not use is null
// (an "add" has no Google entry yet, a "delete" needs no record).
struct BatchAction
{
    RecordPtr abObj;         // a person for contact actions, a group for group actions
    GDataEntryPtr googleObj; // the Google contact or group the action works on
    QString action;
};

using BatchActionQueue = std::vector<BatchAction>;

namespace batchactions {
inline const QString add = QStringLiteral("add");
inline const QString update = QStringLiteral("update");
inline const QString remove = QStringLiteral("delete");
// Queued by the automatic push only.
inline const QString processUpdatedContact = QStringLiteral("processUpdatedContact");
inline const QString addNewGroupMembership = QStringLiteral("addNewGroupMembership");
} // namespace batchactions

// Ticket types: which callbacks answer every ticket of one send.
namespace tickettypes {
inline const QString simple = QStringLiteral("Simple");
inline const QString advanced = QStringLiteral("Advanced");
inline const QString generic = QStringLiteral("Generic");
} // namespace tickettypes
