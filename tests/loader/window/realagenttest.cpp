#include "tests/loader/window/dataloadertest.h"

#include "google/push/pushkeys.h"
#include "loader/window/agentclient.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/agentcommands.h"
#include "platform/scripting/busprograms.h"
#include "tests/support/scriptedfilechooser.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

namespace {

// The main program with the real data loader and the real agent beside it, listening in push
// mode 1 on the same book and account, silenced through the same bus client the program uses.
class RealAgentTest : public DataLoaderTest
{
protected:
    void SetUp() override
    {
        DataLoaderTest::SetUp();
        AppDelegate::setAgentListener({agentclient::isAgentListening,
                                       agentclient::silenceAgentNotifications,
                                       agentclient::turnOnAgentNotifications});
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setInteger(1, pushkeys::autoABPushMode);
        defaults.setInteger(1, pushkeys::autoPushABChanges);
        defaults.setBool(false, pushkeys::autoABStrict);
        for (const char *name : {"Ann", "Ben"})
            addPerson(name);
        ASSERT_TRUE(AddressBook::shared()->save());
        // The program installs the real agent with its desktop entry, as it installs its own:
        // only an installed agent is one the data loader silences.
        QFile payload(agentPayload());
        ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
        payload.write(QStringLiteral("#!/bin/sh\nexec \"%1\"\n")
                          .arg(QStringLiteral(TOLVANE_AGENT_PATH))
                          .toUtf8());
        payload.close();
        ASSERT_TRUE(payload.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        ASSERT_TRUE(openLoader());
    }
    void TearDown() override
    {
        if (agent.state() != QProcess::NotRunning) {
            busprograms::quit(agentcommands::kBundleIdentifier);
            if (!agent.waitForFinished(20000)) {
                agent.kill();
                agent.waitForFinished(5000);
            }
        }
        AppDelegate::setAgentListener({});
        DataLoaderTest::TearDown();
    }

    static void addPerson(const char *first)
    {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QString::fromLatin1(first), kABFirstNameProperty);
        person->setValueForProperty(QStringLiteral("Real"), kABLastNameProperty);
        AddressBook::shared()->addRecord(person);
    }
    static bool agentListens()
    {
        const ScriptReply reply =
            busprograms::sendCommand(agentcommands::kBundleIdentifier, agentcommands::kInterface,
                                     agentcommands::kPath, agentcommands::kIsListening, {});
        return reply.errorInfo.isEmpty() && reply.result.booleanValue();
    }
    // Waits until the server has heard nothing for a few seconds.
    bool quiet()
    {
        qsizetype seen = -1;
        return runUntil(
            [&] {
                const qsizetype now = server.requestLog().size();
                if (now == seen)
                    return true;
                seen = now;
                runUntil([] { return false; }, 3000);
                return false;
            },
            90000);
    }
    // Starts the real agent (again) and waits until it has logged in, fetched and compared its
    // snapshot with the book, and listens.
    bool startAgent()
    {
        UserDefaults::standard().synchronize();
        server.clearRequestLog();
        agent.start(QStringLiteral(TOLVANE_AGENT_PATH), {});
        if (!agent.waitForStarted(10000))
            return false;
        return runUntil([] { return agentListens(); }, 30000) &&
               runUntil([this] { return !requestsTo(QStringLiteral("/contacts/")).isEmpty(); },
                        30000) &&
               quiet();
    }
    // Ends the agent without its quit steps, so that its next login compares the snapshot it
    // stored last with the book.
    void killAgent()
    {
        ::kill(pid_t(agent.processId()), SIGKILL);
        agent.waitForFinished(10000);
    }
    int batchPosts()
    {
        int posts = 0;
        for (const QJsonValue &request : server.requestLog()) {
            const QJsonObject entry = request.toObject();
            if (entry.value("method").toString() == "POST" &&
                entry.value("url").toString().contains("/batch"))
                ++posts;
        }
        return posts;
    }
    QStringList serverTitles()
    {
        QStringList titles;
        for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::Contact))
            titles << entry->title().value_or(QString());
        titles.sort();
        return titles;
    }

    QProcess agent;
};

// The upload writes each person's link back into the book, which the agent hears as a change of
// another program: it must tell the link writes apart and send nothing, then or at its next login.
TEST_F(RealAgentTest, UploadingAllPeopleLeavesTheRealAgentNothingToSend)
{
    ASSERT_TRUE(startAgent());
    ASSERT_EQ(batchPosts(), 0);

    prompter.answer(kAlertSecondButtonReturn);
    ASSERT_TRUE(delegate->performMenuCommand(QStringLiteral("uploadFromABAllPeople:")));
    // The loader's options leave the Me record free to go too.
    ASSERT_TRUE(runUntil([this] { return serverTitles().size() == 3; }, 30000))
        << serverTitles().join(", ").toStdString();
    ASSERT_TRUE(quiet());
    const QStringList uploaded = serverTitles();
    EXPECT_TRUE(uploaded.contains("Ann Real") && uploaded.contains("Ben Real"));
    EXPECT_EQ(batchPosts(), 1);
    EXPECT_TRUE(agentListens());

    killAgent();
    ASSERT_TRUE(startAgent());
    EXPECT_EQ(batchPosts(), 0);
    EXPECT_EQ(serverTitles(), uploaded);
}

// The download saves every person it brings into the book, which the agent hears as changes of
// another program: silenced around the pass, it sends none of them, then or at its next login.
TEST_F(RealAgentTest, ADownloadLeavesTheRealAgentNothingToPush)
{
    std::vector<GDataEntryPtr> contacts;
    for (const char *title : {"Cara Google", "Dan Google"})
        contacts.push_back(GDataEntryContact::contactEntryWithTitle(QString::fromLatin1(title)));
    ASSERT_EQ(server.seedContacts(kAccount, contacts).size(), 2);
    ASSERT_TRUE(startAgent());
    ASSERT_EQ(batchPosts(), 0);
    const QStringList onGoogle = serverTitles();
    ASSERT_TRUE(agentclient::isAgentListening()) << "the data loader sees the agent it silences";

    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    ASSERT_TRUE(quiet());
    QStringList inBook;
    for (const PersonPtr &person : AddressBook::shared()->people())
        inBook << person->valueForProperty(kABFirstNameProperty).toString();
    EXPECT_TRUE(inBook.contains("Cara") && inBook.contains("Dan")) << inBook.join(", ").toStdString();
    EXPECT_EQ(batchPosts(), 0);
    EXPECT_EQ(serverTitles(), onGoogle);
    EXPECT_TRUE(agentListens());

    killAgent();
    ASSERT_TRUE(startAgent());
    EXPECT_EQ(batchPosts(), 0);
    EXPECT_EQ(serverTitles(), onGoogle);
}

// A restore replaces the book while the agent listens. The agent is silenced around it, and
// neither the notice of the restore nor its next login's comparison sends the difference (here the
// deletion of a person the backup did not hold) to Google.
TEST_F(RealAgentTest, AnAddressBookRestoreLeavesTheRealAgentNothingToPushAtItsNextLogin)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString backup = QDir(folder.path()).filePath("book.sqlite");
    ASSERT_TRUE(AddressBook::shared()->exportArchive(backup));
    ASSERT_TRUE(startAgent());

    // A person added after the backup reaches Google through the agent.
    addPerson("Cy");
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(runUntil([this] { return serverTitles() == QStringList{"Cy Real"}; }, 30000))
        << serverTitles().join(", ").toStdString();
    ASSERT_TRUE(quiet());

    server.clearRequestLog();
    ScriptedFileChooser chooser;
    chooser.answer(backup);
    prompter.answer(kAlertFirstButtonReturn);
    delegate->restoreAddressBook();
    ASSERT_TRUE(runUntil([] { return AddressBook::shared()->people().size() == 3; }, 10000));
    ASSERT_TRUE(runUntil([] { return agentListens(); }, 10000));
    ASSERT_TRUE(quiet());
    EXPECT_EQ(batchPosts(), 0);
    EXPECT_EQ(UserDefaults::standard().integerForKey(pushkeys::autoPushABChanges), 0);

    killAgent();
    ASSERT_TRUE(startAgent());
    EXPECT_EQ(batchPosts(), 0);
    EXPECT_EQ(serverTitles(), QStringList{"Cy Real"});
    EXPECT_TRUE(agentListens());
}

} // namespace
