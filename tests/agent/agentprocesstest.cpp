#include "tests/agent/agenttest.h"

#include "agent/agentkeys.h"
#include "foundation/log.h"
#include "google/push/pushkeys.h"
#include "model/push/abpushstatus.h"
#include "model/tolvanestoremodel.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/agentcommands.h"
#include "platform/scripting/busprograms.h"
#include "platform/store/managedobjectcontext.h"
#include "platform/store/persistentstore.h"
#include "tests/support/privatekeyring.h"

#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// The real agent program, with the test's preferences, keyring and session bus (each test has a
// bus of its own, so the agent's one bus name is free at its start).
class AgentProcessTest : public AgentTest
{
protected:
    void TearDown() override
    {
        for (QProcess *agent : {&first, &second})
            if (agent->state() != QProcess::NotRunning) {
                agent->kill();
                agent->waitForFinished(5000);
            }
        AgentTest::TearDown();
    }
    bool startAgentProcess(QProcess &agent)
    {
        agent.start(QStringLiteral(AGENT_PATH), {});
        return agent.waitForStarted(10000);
    }
    static ScriptReply command(const QString &method, const QVariantList &arguments = {})
    {
        return busprograms::sendCommand(agentcommands::kBundleIdentifier, agentcommands::kInterface,
                                        agentcommands::kPath, method, arguments);
    }
    static bool isListening()
    {
        const ScriptReply reply = command(agentcommands::kIsListening);
        return reply.errorInfo.isEmpty() && reply.result.booleanValue();
    }
    static QVariantList flag(const QVariant &value) { return {QVariant::fromValue(QDBusVariant(value))}; }
    // Whether the store holds a snapshot with counts.
    bool storeHoldsSnapshot()
    {
        StoreError error;
        auto store = PersistentStore::open(QDir(data.path()).filePath("Tolvane.store"),
                                           tolvaneStoreModel(), &error);
        if (!store)
            return false;
        ManagedObjectContext context(store);
        ABPushStatus *status = ABPushStatus::sharedABPushStatusInContext(context);
        return status && !status->abContactCount().isNull();
    }

    // The agent's log as it stands.
    static QString agentLog()
    {
        QFile log(tlog::logFilePath(agentcommands::kBundleIdentifier));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
    // How many operations of the kind the batch requests of the log carry.
    int batchOperations(const QString &type)
    {
        const QString marker = QStringLiteral("type=\"%1\"").arg(type);
        int count = 0;
        for (const QJsonValue &request : server.requestLog()) {
            const QJsonObject entry = request.toObject();
            if (entry.value("method").toString() == "POST" &&
                entry.value("url").toString().contains("/batch"))
                count += int(entry.value("body").toString().count(marker));
        }
        return count;
    }
    // abtool imports the people in one save; their identifiers.
    QStringList importPeople(const QString &last, int count)
    {
        QByteArray cards;
        for (int i = 0; i < count; ++i)
            cards += QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;P%2;;;\r\nFN:P%2 %1\r\n"
                                    "END:VCARD\r\n")
                         .arg(last)
                         .arg(i, 4, 10, QChar(u'0'))
                         .toUtf8();
        const QString path = QDir(data.path()).filePath(last + QStringLiteral(".vcf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(cards);
        file.close();
        return abtool({QStringLiteral("import"), path}).split(u'\n', Qt::SkipEmptyParts);
    }
    QStringList pendingIDs(const QString &name) const
    {
        QFile file(QDir(pendingFolder()).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\r', Qt::SkipEmptyParts);
    }

    QProcess first;
    QProcess second;
};

} // namespace

TEST_F(AgentProcessTest, CommandsOnTheBusSecondAgentQuitAndTermination)
{
    storePassword();
    ASSERT_TRUE(startAgentProcess(first));
    ASSERT_TRUE(runUntil([] { return busprograms::isRunning(agentcommands::kBundleIdentifier); }));
    ASSERT_TRUE(runUntil([] { return isListening(); }));

    struct Case
    {
        QVariantList arguments;
        bool listening;
    };
    const Case cases[] = {
        {flag(QStringLiteral("false")), false}, {flag(QStringLiteral("TRUE")), true},
        {flag(QStringLiteral("no")), false},    {flag(QStringLiteral("Yes")), true},
        {flag(QStringLiteral("0")), false},     {flag(QStringLiteral("ON")), true},
        {flag(QStringLiteral("off")), false},   {flag(QStringLiteral("1")), true},
        {flag(QStringLiteral("")), false},      {flag(true), true},
        {{}, false},                            {flag(QStringLiteral("true")), true},
    };
    for (const Case &c : cases) {
        EXPECT_TRUE(command(agentcommands::kSetListener, c.arguments).errorInfo.isEmpty());
        EXPECT_EQ(isListening(), c.listening);
    }

    const ScriptReply refused = command(agentcommands::kCardzap, flag(42));
    EXPECT_FALSE(refused.errorInfo.isEmpty());
    EXPECT_TRUE(refused.errorInfo.value("NSAppleScriptErrorMessage")
                    .toString()
                    .contains(agentcommands::kScriptError));

    // A second agent leaves the first alone and ends.
    ASSERT_TRUE(startAgentProcess(second));
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(isListening());

    UserDefaults agentDomain(agentkeys::kAgentDomain);
    agentDomain.setBool(true, QStringLiteral("googleHasData"));
    agentDomain.synchronize();
    EXPECT_TRUE(busprograms::quit(agentcommands::kBundleIdentifier));
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(storeHoldsSnapshot());
    UserDefaults afterQuit(agentkeys::kAgentDomain);
    EXPECT_FALSE(afterQuit.objectForKey(QStringLiteral("googleHasData")).isValid());

    // A logout's SIGTERM runs the same quit steps.
    ASSERT_TRUE(startAgentProcess(first));
    ASSERT_TRUE(runUntil([] { return isListening(); }));
    agentDomain.setBool(true, QStringLiteral("googleHasData"));
    agentDomain.synchronize();
    ::kill(pid_t(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    UserDefaults afterTerm(agentkeys::kAgentDomain);
    EXPECT_FALSE(afterTerm.objectForKey(QStringLiteral("googleHasData")).isValid());

    // The service starts the installed agent and hands it the text; the agent removes the file.
    const QString library = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Tolvane");
    const QString tmp = library + QStringLiteral("/tmp");
    ASSERT_TRUE(QDir().mkpath(tmp));
    setMainPreference(QStringLiteral("tmpFolderPath"), tmp);
    const QString applications = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications");
    ASSERT_TRUE(QDir().mkpath(applications));
    QFile entry(QDir(applications).filePath(agentcommands::kBundleIdentifier + ".desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Agent Tolvane\nExec=%1\n")
                    .arg(QStringLiteral(AGENT_PATH))
                    .toUtf8());
    entry.close();
    QProcess service;
    service.start(QStringLiteral(TOLVANE_SERVICE_PATH), {});
    service.write("Ada Lovelace\nada@engines.example\n");
    service.closeWriteChannel();
    ASSERT_TRUE(service.waitForFinished(30000));
    EXPECT_EQ(service.exitCode(), 0) << service.readAllStandardError().toStdString();
    EXPECT_TRUE(QDir(tmp).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(busprograms::isRunning(agentcommands::kBundleIdentifier));
    EXPECT_TRUE(busprograms::quit(agentcommands::kBundleIdentifier));
    EXPECT_TRUE(runUntil([] { return !busprograms::isRunning(agentcommands::kBundleIdentifier); }));
}

// A push that cannot reach Google is in the pending files before the agent can be killed; the
// next run pushes it once, though the snapshot comparison finds the same people again.
// Started at login before the keyring is unlocked, the agent neither quits nor alerts: it waits,
// and logs in once the keyring can be read.
TEST_F(AgentProcessTest, KeyringNotReadyAtStart_WaitsAndLogsInOnceItIsUnlocked)
{
    storePassword();
    EMKeychainProxy::sharedProxy().lockKeychain();
    ASSERT_TRUE(startAgentProcess(first));
    ASSERT_TRUE(runUntil([] { return agentLog().contains("The keyring cannot be read"); }));
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(server.requestsTo(QStringLiteral("/m8/feeds/contacts/")).isEmpty())
        << "no sign-in without the password";
    EXPECT_FALSE(agentLog().contains("not setup correctly"));

    ASSERT_TRUE(privatekeyring::unlockWithPassword());
    EXPECT_TRUE(runUntil(
        [this] { return !server.requestsTo(QStringLiteral("/m8/feeds/contacts/")).isEmpty(); },
        20000));
    EXPECT_TRUE(runUntil([] { return isListening(); }));
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_FALSE(agentLog().contains("not setup correctly"));
}

TEST_F(AgentProcessTest, KilledWhileGoogleIsAway_TheRestartPushesEachOfAThousandChangesOnce)
{
    constexpr int kPeople = 1000;
    // The account outlives the server's stop in its state file.
    server.stop();
    ASSERT_TRUE(
        server.start({QStringLiteral("--state"), QDir(data.path()).filePath("server.json")}));
    server.addAccount(kAccount, kPassword);
    setMainPreference(QStringLiteral("googleServiceBaseURL"), server.baseUrl().toString());
    setMainPreference(pushkeys::autoABStrict, false);
    storePassword();
    ASSERT_TRUE(startAgentProcess(first));
    // The login fetch has ended once the first snapshot is stored.
    ASSERT_TRUE(runUntil([this] { return storeHoldsSnapshot(); }, 30000));

    server.stop();
    const QStringList people = importPeople(QStringLiteral("Killed"), kPeople);
    ASSERT_EQ(people.size(), kPeople);
    ASSERT_TRUE(runUntil([&] { return pendingIDs(pushkeys::kNewFile).size() == kPeople; }, 60000))
        << pendingIDs(pushkeys::kNewFile).size();
    const QStringList pending = pendingIDs(pushkeys::kNewFile);
    EXPECT_EQ(QSet<QString>(people.begin(), people.end()),
              QSet<QString>(pending.begin(), pending.end()));
    ::kill(pid_t(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(10000));

    ASSERT_TRUE(server.restart());
    ASSERT_TRUE(startAgentProcess(first));
    ASSERT_TRUE(runUntil([this] { return serverContactTitles().size() >= kPeople; }, 60000))
        << serverContactTitles().size();
    // The push has ended once it removed the files it carried.
    ASSERT_TRUE(
        runUntil([this] { return !QFile::exists(QDir(pendingFolder()).filePath("New")); }, 30000));
    const QStringList titles = serverContactTitles();
    EXPECT_EQ(titles.size(), kPeople);
    EXPECT_EQ(QSet<QString>(titles.begin(), titles.end()).size(), kPeople);
    EXPECT_EQ(batchOperations(QStringLiteral("insert")), kPeople);
    EXPECT_FALSE(QDir(folder("archive")).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(busprograms::quit(agentcommands::kBundleIdentifier));
    ASSERT_TRUE(first.waitForFinished(20000));
}

// Killed while its batches are on their way: the restart's push decides against Google as it is
// now, so the people whose batch the server applied are updated, never added a second time.
TEST_F(AgentProcessTest, KilledMidPush_TheRestartMakesNoDuplicateAndMissesNoOne)
{
    constexpr int kPeople = 300;
    setMainPreference(pushkeys::autoABStrict, false);
    storePassword();
    ASSERT_TRUE(startAgentProcess(first));
    ASSERT_TRUE(runUntil([this] { return storeHoldsSnapshot(); }, 30000));

    // Every batch waits a while before the server answers it.
    server.injectFault(QStringLiteral("/batch"), 0, 10, 1500, false, "POST");
    server.clearRequestLog();
    const QStringList people = importPeople(QStringLiteral("Midway"), kPeople);
    ASSERT_EQ(people.size(), kPeople);
    ASSERT_TRUE(runUntil([this] { return !server.requestsTo(QStringLiteral("/batch")).isEmpty(); },
                         30000));
    ::kill(pid_t(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(10000));

    // The killed push may have had every batch applied: the titles alone cannot tell that the
    // restart's push has happened, so its own requests are counted.
    server.clearRequestLog();
    ASSERT_TRUE(startAgentProcess(first));
    const auto carried = [this] {
        return batchOperations(QStringLiteral("insert")) +
               batchOperations(QStringLiteral("update"));
    };
    ASSERT_TRUE(runUntil([&] { return carried() >= kPeople; }, 90000)) << carried();
    ASSERT_TRUE(runUntil([this] { return serverContactTitles().size() >= kPeople; }, 60000))
        << serverContactTitles().size();
    const QStringList titles = serverContactTitles();
    EXPECT_EQ(titles.size(), kPeople);
    EXPECT_EQ(QSet<QString>(titles.begin(), titles.end()).size(), kPeople);
    EXPECT_TRUE(busprograms::quit(agentcommands::kBundleIdentifier));
    ASSERT_TRUE(first.waitForFinished(20000));
    const QStringList after = serverContactTitles();
    EXPECT_EQ(after.size(), kPeople);
    EXPECT_EQ(carried(), kPeople) << "each person carried once by the restart";
}
