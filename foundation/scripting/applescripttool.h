#pragma once

#include "platform/scripting/appleeventdescriptor.h"

#include <QList>
#include <QString>

// Driving other programs: running script source, bringing a program to the front, opening the
// Google Contacts page in the user's browser, building the event that calls a script's handler.
namespace AppleScriptTool {

// Opens the Google Contacts page as the preferences "useSafari", "launchSafari" and
// "isSafariRunning" allow, in the user's browser.
void manageSafari();
// Whether the browser shows the Google Contacts page already; false whenever it cannot be asked.
bool isGoogleContactsOpen();
// The result and any failure are ignored.
void appToFront(const QString &applicationName);
// A failure is logged at log levels above 0.
void executeScript(const QString &source);
AppleEventDescriptor callSub(const QString &handlerName,
                             const QList<AppleEventDescriptor> &arguments);

} // namespace AppleScriptTool
