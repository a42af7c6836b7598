#include "platform/scripting/scriptreply.h"

namespace {

// The number the old platform gave an event that no program could handle.
constexpr int kScriptUnavailable = -1708;

} // namespace

ScriptReply ScriptReply::failure(const QString &message, int number)
{
    return {{},
            {{QStringLiteral("NSAppleScriptErrorMessage"), message},
             {QStringLiteral("NSAppleScriptErrorNumber"), number}}};
}

ScriptReply runAppleScript(const QString &)
{
    return ScriptReply::failure(QStringLiteral("AppleScript cannot run on this system."),
                                kScriptUnavailable);
}
