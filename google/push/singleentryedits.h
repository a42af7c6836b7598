#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

class GoogleContactTool;

// One contact or group made on Google from a panel, each with a single request that the caller
// waits for (up to 3 s; a late answer still refreshes the contacts). Failures are shown as the
// engine's sheets.
namespace singleentryedits {

// The entry a new-contact panel's dictionary gives, with a membership of My Contacts and of each
// of the groups.
GDataEntryContactPtr contactFromBrowserPanel(const GoogleContactTool &tool,
                                             const QVariantMap &panel, const QStringList &groups);
// The street of an address dictionary: "street1", then "street2" after a carriage return, or
// "street" when neither is there.
QString streetOfAddress(const QVariantMap &address);

void newContactFromBrowserPanel(GoogleContactTool &tool, const QVariantMap &panel,
                                const QStringList &groups);
void newGroupWithName(GoogleContactTool &tool, const QString &name);

} // namespace singleentryedits
