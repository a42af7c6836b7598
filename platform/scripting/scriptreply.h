#pragma once

#include "platform/scripting/appleeventdescriptor.h"

#include <QVariantMap>

// What running a script or sending a command to another program gave: its result, or the error
// information of a failure (under the keys "NSAppleScriptErrorMessage" and
// "NSAppleScriptErrorNumber", as the program's log lines name them).
struct ScriptReply
{
    AppleEventDescriptor result;
    QVariantMap errorInfo;

    // A result of some type and no error.
    bool succeeded() const { return result.descriptorType() != 0 && errorInfo.isEmpty(); }

    static ScriptReply failure(const QString &message, int number);
};

// AppleScript source cannot run on this system; this answers as a script that failed.
ScriptReply runAppleScript(const QString &source);
