#pragma once

#include "platform/scripting/appleeventdescriptor.h"

#include <QDateTime>
#include <QIcon>
#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

// Finding, asking, launching and quitting other programs by bundle identifier, and running a
// script to take its result as a value of a wanted type.
namespace VozuVeva {

// The installed program's executable, or a null string.
QString pathToApplication(const QString &bundleIdentifier);
bool isApplicationInstalled(const QString &bundleIdentifier);
bool isApplicationRunning(const QString &bundleIdentifier);
// "True" when the program runs already or its launch was accepted, else "False".
QString launchApplication(const QString &bundleIdentifier);
bool quitApplication(const QString &bundleIdentifier);
QIcon iconForApplication(const QString &bundleIdentifier);
// The version the installed program of that name declares, "" when none.
QString versionOfApplication(const QString &applicationName);

// Records in the preferences whether the program is installed and running and its version, under
// "is%@Installed", "is%@Running" and "version%@" with the display name, spaces removed.
void recordApplicationDefaults(const QString &bundleIdentifier, const QString &displayName);

// Each answers the failure value (invalid, null, false, -1, null, null) with the script's error
// in the log when the script fails.
QVariant getObjectFromAppleScript(const QString &source);
QDateTime getDateFromAppleScript(const QString &source);
bool getBooleanFromAppleScript(const QString &source);
std::int32_t getIntegerFromAppleScript(const QString &source);
QString getStringFromAppleScript(const QString &source);
std::optional<QVariantList> getArrayFromAppleScript(const QString &source);

// The event that calls the handler of a compiled script with the list of arguments given.
AppleEventDescriptor makeAppleEvent(const QString &handlerName,
                                    const AppleEventDescriptor &argumentList);
AppleEventDescriptor callSub(const QString &handlerName,
                             const QList<AppleEventDescriptor> &arguments);

} // namespace VozuVeva
