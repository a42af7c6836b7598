#include "loader/window/agentclient.h"

#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaappcontrol.h"
#include "loader/loadertexts.h"
#include "platform/scripting/agentcommands.h"
#include "platform/scripting/busprograms.h"

#include <QDBusVariant>

namespace agentclient {

namespace {

bool agentRuns()
{
    return VozuVeva::isApplicationRunning(agentcommands::kBundleIdentifier);
}

void setListener(const QString &flag)
{
    if (!agentRuns())
        return;
    const ScriptReply reply =
        busprograms::sendCommand(agentcommands::kBundleIdentifier, agentcommands::kInterface,
                                 agentcommands::kPath, agentcommands::kSetListener,
                                 {QVariant::fromValue(QDBusVariant(flag))});
    if (!reply.errorInfo.isEmpty())
        tlog::labelled(loadertexts::windowClass, QStringLiteral("setListener"),
                       QStringLiteral("ERROR:"),
                       reply.errorInfo.value(QStringLiteral("NSAppleScriptErrorMessage")).toString());
}

} // namespace

bool isAgentListening()
{
    if (!agentRuns())
        return false;
    const ScriptReply reply =
        busprograms::sendCommand(agentcommands::kBundleIdentifier, agentcommands::kInterface,
                                 agentcommands::kPath, agentcommands::kIsListening, {});
    return reply.succeeded() && reply.result.booleanValue();
}

void silenceAgentNotifications()
{
    setListener(loadertexts::listenerOff);
}

void turnOnAgentNotifications()
{
    setListener(loadertexts::listenerOn);
}

} // namespace agentclient
