#pragma once

#include "platform/scripting/scriptreply.h"

#include <QString>
#include <QVariantList>

// Our programs on the session bus: each owns the bus name of its bundle identifier
// ("com.zel-tor.tolvane") and answers the interface "com.zel_tor.Application" (bus interface
// names cannot hold '-') on the object "/".
namespace busprograms {

inline const QString kApplicationInterface = QStringLiteral("com.zel_tor.Application");
inline const QString kApplicationPath = QStringLiteral("/");

// The bus name a running program owns for the bundle identifier, compared whole and without
// regard to case; empty when none runs.
QString runningBusName(const QString &bundleIdentifier);
bool isRunning(const QString &bundleIdentifier);

// The installed program's executable, empty when it is not installed.
QString executablePath(const QString &bundleIdentifier);
// Starts the installed program and answers whether it was started; does not wait for it to own
// its bus name.
bool launch(const QString &bundleIdentifier);
// Asks the running program to quit; false when none runs or it did not answer.
bool quit(const QString &bundleIdentifier);

// Calls a method of the running program and gives its first answer as a descriptor (the null
// descriptor for a method that answers nothing), or the bus error as a failure.
ScriptReply sendCommand(const QString &bundleIdentifier, const QString &interface,
                        const QString &path, const QString &method, const QVariantList &arguments);

} // namespace busprograms
