#include "app/bundleinfo.h"
#include "google/push/pushkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/agentcommands.h"
#include "platform/scripting/busprograms.h"
#include "tests/support/app/mainprogramtest.h"

#include <QFile>

namespace {

// The program installs the real agent as its payload; the menu command starts and stops it.
class AgentCommandTest : public MainProgramTest
{
protected:
    void TearDown() override
    {
        if (busprograms::isRunning(bundleinfo::kAgentBundleIdentifier)) {
            busprograms::quit(bundleinfo::kAgentBundleIdentifier);
            runUntil([] { return !busprograms::isRunning(bundleinfo::kAgentBundleIdentifier); });
        }
        MainProgramTest::TearDown();
    }
    static bool agentHasStarted()
    {
        const ScriptReply reply =
            busprograms::sendCommand(bundleinfo::kAgentBundleIdentifier, agentcommands::kInterface,
                                     agentcommands::kPath, agentcommands::kIsListening, {});
        return reply.succeeded() && reply.result.booleanValue();
    }
    static void provideRealAgent()
    {
        QFile payload(agentPayload());
        ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
        payload.write(QStringLiteral("#!/bin/sh\nexec \"%1\" \"$@\"\n")
                          .arg(QStringLiteral(TOLVANE_AGENT_PATH))
                          .toUtf8());
        payload.close();
        ASSERT_TRUE(payload.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
};

TEST_F(AgentCommandTest, TheCommandStartsTheAgentWhenItIsNotRunningAndQuitsItWhenItIs)
{
    provideRealAgent();
    UserDefaults::standard().setInteger(1, pushkeys::autoABPushMode);
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    ASSERT_FALSE(busprograms::isRunning(bundleinfo::kAgentBundleIdentifier));

    EXPECT_TRUE(delegate->performMenuCommand(QStringLiteral("startGoogleABSync:")));
    ASSERT_TRUE(
        runUntil([] { return busprograms::isRunning(bundleinfo::kAgentBundleIdentifier); }, 30000));

    // The agent takes its bus name before its start-up has run; it listens once that is done.
    ASSERT_TRUE(runUntil([] { return agentHasStarted(); }, 30000));
    EXPECT_TRUE(delegate->performMenuCommand(QStringLiteral("startGoogleABSync:")));
    EXPECT_TRUE(runUntil([] { return !busprograms::isRunning(bundleinfo::kAgentBundleIdentifier); },
                         30000));
}

} // namespace
