#include "tests/agent/agenttest.h"

#include "addressbook/records/recordcounts.h"
#include "agent/agentkeys.h"
#include "agent/agenttexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/push/googleabautoupdate.h"
#include "google/push/pushkeys.h"
#include "model/push/abpushstatus.h"
#include "platform/addressbook/addressbook.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/ui/statusitem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST_F(AgentTest, StartWithNetwork_ListensLogsInAndShowsItsWindow)
{
    ASSERT_TRUE(startAndLogIn());
    EXPECT_FALSE(delegate->isPaused());
    EXPECT_EQ(delegate->pauseMenu(), agenttexts::pauseItem);
    EXPECT_EQ(delegate->statusMessage(), QStringLiteral("Status: Listening"));
    EXPECT_TRUE(delegate->isListening());
    EXPECT_FALSE(delegate->isBlinking());
    ASSERT_NE(delegate->window(), nullptr);
    EXPECT_EQ(delegate->window()->windowTitle(), QStringLiteral("Agent Tolvane"));
    EXPECT_EQ(delegate->statusItem()->menuButton()->menu(), delegate->statusMenu());
    EXPECT_EQ(terminations, 0);
}

TEST_F(AgentTest, StartWithoutNetwork_WaitsAndPollsOnlyWhenAsked)
{
    setLevel(1);
    storePassword();
    server.stop();
    ASSERT_TRUE(startAgent());
    EXPECT_TRUE(delegate->isPaused());
    EXPECT_EQ(delegate->statusMessage(), QStringLiteral("Status: Waiting for Internet Access"));
    EXPECT_EQ(delegate->lastAction(), agenttexts::checkedForConnection);
    EXPECT_EQ(delegate->pauseMenu(), agenttexts::listenItem);
    EXPECT_TRUE(delegate->isPolling());
    EXPECT_EQ(countLines(agenttexts::noInternet), 1);

    delegate.reset();
    setMainPreference(agentkeys::tolvaneAgentDoesPoll, false);
    ASSERT_TRUE(startAgent());
    EXPECT_FALSE(delegate->isPolling());
}

TEST_F(AgentTest, MissingPassword_ShowsTheFatalAlertAndQuits)
{
    ASSERT_TRUE(startAgent());
    ASSERT_FALSE(prompter.shown().isEmpty());
    EXPECT_EQ(prompter.shown().last().prompt.message, agenttexts::noCredentials);
    EXPECT_EQ(prompter.shown().last().prompt.informativeText, agenttexts::noCredentialsSmall);
    EXPECT_EQ(terminations, 1);
}

TEST_F(AgentTest, PauseStop_StoresTheSnapshotThenLogsInAgain)
{
    ASSERT_TRUE(startAndLogIn());
    delegate->pauseStop();
    EXPECT_TRUE(delegate->isPaused());
    EXPECT_EQ(delegate->statusMessage(), QStringLiteral("Status: Paused"));
    EXPECT_EQ(delegate->lastAction(), agenttexts::paused);
    EXPECT_EQ(delegate->pauseAction()->text(), agenttexts::listenItem);
    EXPECT_TRUE(delegate->isBlinking());

    server.clearRequestLog();
    delegate->pauseStop();
    EXPECT_FALSE(delegate->isPaused());
    EXPECT_EQ(delegate->pauseAction()->text(), agenttexts::pauseItem);
    EXPECT_TRUE(runUntil([this] { return !server.requestLog().isEmpty(); }));
}

TEST_F(AgentTest, PushModeOne_AnotherProgramsNewPersonReachesGoogleOnce)
{
    ASSERT_TRUE(startAndLogIn());
    const QString uid = addPersonElsewhere(QStringLiteral("Ada"), QStringLiteral("Lovelace"));
    ASSERT_FALSE(uid.isEmpty());
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return serverContactTitles().contains(QStringLiteral("Ada Lovelace"));
    }));
    ASSERT_TRUE(runUntil([this] { return !delegate->sharedABUpdateTool()->isPushing(); }));
    // The link the push wrote back is no change for Google: nothing more is sent.
    const int contacts = int(serverContactTitles().count(QStringLiteral("Ada Lovelace")));
    EXPECT_EQ(contacts, 1);
    EXPECT_EQ(countLines(QStringLiteral("AB CHANGED Externally ABSenderProcessName")), 1);
}

TEST_F(AgentTest, Paused_AnExternalChangeIsLoggedAndNotPushed)
{
    ASSERT_TRUE(startAndLogIn());
    delegate->pauseStop();
    server.clearRequestLog();
    addPersonElsewhere(QStringLiteral("Grace"), QStringLiteral("Hopper"));
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return countLines(QStringLiteral("AB CHANGED Externally  Inserted")) == 1;
    }));
    EXPECT_EQ(countLines(QStringLiteral("AB CHANGED Externally")), 4);
    EXPECT_TRUE(server.requestLog().isEmpty());
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Grace Hopper")));
}

TEST_F(AgentTest, ListeningSwitchedOnTwice_DeliversAChangeOnce)
{
    ASSERT_TRUE(startAndLogIn());
    delegate->setABNotifications(true);
    delegate->setABNotifications(true);
    addPersonElsewhere(QStringLiteral("Alan"), QStringLiteral("Turing"));
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return countLines(QStringLiteral("AB CHANGED Externally ABSenderProcessName")) > 0;
    }));
    EXPECT_EQ(countLines(QStringLiteral("AB CHANGED Externally ABSenderProcessName")), 1);
    delegate->setABNotifications(false);
    EXPECT_FALSE(delegate->isListening());
}

TEST_F(AgentTest, SilencedSaves_AreNeverPushedAfterListeningIsBack)
{
    ASSERT_TRUE(startAndLogIn());
    delegate->setABNotifications(false);
    addPersonElsewhere(QStringLiteral("Silent"), QStringLiteral("Save"));
    delegate->setABNotifications(true);
    server.clearRequestLog();
    // The journal entry is read only now, after listening is back on.
    for (int i = 0; i < 20; ++i) {
        AddressBook::shared()->checkForExternalChanges();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Silent Save")));
    // Nor at the next login's comparison.
    delegate->pauseStop();
    delegate->pauseStop();
    ASSERT_TRUE(runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); }));
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Silent Save")));
}

TEST_F(AgentTest, LoggedOut_ChangesGoToThePendingFileAndTheNextLoginPushesThem)
{
    // Without the poll the agent waits for the user to ask for the login.
    setMainPreference(agentkeys::tolvaneAgentDoesPoll, false);
    ASSERT_TRUE(startAndLogIn());
    delegate->appGoogleContactTool()->logout();
    const QString cards = QDir(data.path()).filePath("pending.vcf");
    QFile file(cards);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCARD\r\nVERSION:3.0\r\nN:One;Pending;;;\r\nFN:Pending One\r\nEND:VCARD\r\n"
               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Two;Pending;;;\r\nFN:Pending Two\r\nEND:VCARD\r\n");
    file.close();
    QStringList ids = abtool({QStringLiteral("import"), cards}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(ids.size(), 2);
    ids.sort();
    ASSERT_TRUE(runUntil([&] {
        AddressBook::shared()->checkForExternalChanges();
        return !readFile(QDir(pendingFolder()).filePath("New")).isEmpty();
    }));
    // One carriage return between identifiers, none after the last.
    EXPECT_EQ(readFile(QDir(pendingFolder()).filePath("New")), ids.join(u'\r'));
    EXPECT_TRUE(UserDefaults::standard().boolForKey(pushkeys::pendingFilesExist));
    // Not logged in, the agent waits; the user's "Listen" logs in.
    EXPECT_EQ(delegate->statusMessage(), QStringLiteral("Status: Waiting for Internet Access"));
    EXPECT_FALSE(delegate->isPolling());

    delegate->pauseStop();
    ASSERT_TRUE(runUntil([this] {
        const QStringList titles = serverContactTitles();
        return titles.contains(QStringLiteral("Pending One")) &&
               titles.contains(QStringLiteral("Pending Two"));
    }));
    ASSERT_TRUE(runUntil([this] { return !delegate->sharedABUpdateTool()->isPushing(); }));
    EXPECT_FALSE(QFileInfo::exists(QDir(pendingFolder()).filePath("New")));
    EXPECT_EQ(QDir(folder("archive")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(serverContactTitles().count(QStringLiteral("Pending One")), 1);
}

TEST_F(AgentTest, GroupBatchRefused_KeepsThePushInThePendingFiles)
{
    setMainPreference(pushkeys::autoABStrict, false);
    ASSERT_TRUE(startAndLogIn());
    server.injectFault(QStringLiteral("/batch"), 503, 10);
    const QString uid = addPersonElsewhere(QStringLiteral("Failed"), QStringLiteral("Batch"));
    ASSERT_TRUE(runUntil([&] {
        AddressBook::shared()->checkForExternalChanges();
        return readFile(QDir(pendingFolder()).filePath("New")).contains(uid);
    }, 30000));
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Failed Batch")));
}

TEST_F(AgentTest, Quit_StoresTheSnapshotAndRemovesTheRunKeys)
{
    ASSERT_TRUE(startAndLogIn());
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setBool(true, QStringLiteral("googleHasData"));
    defaults.setBool(true, QStringLiteral("dynUpdateSmartGroups"));
    delegate->applicationWillTerminate();
    // The factory layer may still answer for them; the user's own values must be gone.
    const QSettings file(UserDefaults::domainPath(defaults.domain()), QSettings::IniFormat);
    EXPECT_FALSE(file.contains(QStringLiteral("googleHasData")));
    EXPECT_FALSE(file.contains(QStringLiteral("dynUpdateSmartGroups")));
    ABPushStatus *status = ABPushStatus::sharedABPushStatusInContext(*delegate->managedObjectContext());
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->abContactCount().toLongLong(),
              AddressBookTool::personCount() + AddressBookTool::companyCount());
    EXPECT_EQ(status->googleGroupCount().toLongLong(),
              qint64(delegate->appGoogleContactTool()->groupArray().size()));
}

TEST_F(AgentTest, FirstStartWithoutSnapshot_PushesNothingAndStoresOne)
{
    addPersonElsewhere(QStringLiteral("Old"), QStringLiteral("Friend"));
    ASSERT_TRUE(startAndLogIn());
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Old Friend")));
    EXPECT_EQ(countLines(agenttexts::firstSnapshot), 1);
}

TEST_F(AgentTest, ChangesWhileNotRunning_ArePushedAfterTheNextLogin)
{
    ASSERT_TRUE(startAndLogIn());
    delegate->applicationWillTerminate();
    delegate.reset();
    addPersonElsewhere(QStringLiteral("While"), QStringLiteral("Away"));
    ASSERT_TRUE(startAndLogIn());
    EXPECT_TRUE(runUntil([this] { return serverContactTitles().contains(QStringLiteral("While Away")); }));
}

TEST_F(AgentTest, ModeZero_PushesNothingEvenAfterTheLogin)
{
    setMainPreference(pushkeys::autoABPushMode, 0);
    ASSERT_TRUE(startAndLogIn());
    delegate->applicationWillTerminate();
    delegate.reset();
    addPersonElsewhere(QStringLiteral("Mode"), QStringLiteral("Zero"));
    ASSERT_TRUE(startAndLogIn());
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Mode Zero")));
}

TEST_F(AgentTest, RestoreOfTheBook_DeletesNothingOnGoogleAndShowsTheAlert)
{
    ASSERT_TRUE(startAndLogIn());
    const QString backup = QDir(data.path()).filePath("book.backup");
    ASSERT_FALSE(abtool({QStringLiteral("backup"), backup}).isNull());
    addPersonElsewhere(QStringLiteral("After"), QStringLiteral("Backup"));
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return serverContactTitles().contains(QStringLiteral("After Backup"));
    }));
    ASSERT_TRUE(runUntil([this] { return !delegate->sharedABUpdateTool()->isPushing(); }));
    ASSERT_FALSE(abtool({QStringLiteral("restore"), backup}).isNull());
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return countLines(agenttexts::restoreSeen) == 1;
    }));
    ASSERT_FALSE(prompter.shown().isEmpty());
    EXPECT_EQ(prompter.shown().last().prompt.message, agenttexts::restoredAlert);
    EXPECT_EQ(terminations, 0);
    // Nor at the next login.
    delegate->pauseStop();
    delegate->pauseStop();
    ASSERT_TRUE(runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); }));
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(serverContactTitles().contains(QStringLiteral("After Backup")));
}

TEST_F(AgentTest, RestoreWhileStoppedPausedOrSilenced_IsDealtWithOnceAtTheNextLogin)
{
    setLevel(1);
    ASSERT_TRUE(startAndLogIn());
    const QString backup = QDir(data.path()).filePath("book.backup");
    ASSERT_FALSE(abtool({QStringLiteral("backup"), backup}).isNull());
    const auto relogin = [this] {
        delegate->pauseStop();
        delegate->pauseStop();
    };
    const struct
    {
        const char *name;
        std::function<void()> stop;
        std::function<bool()> resume;
    } cases[] = {
        {"stopped",
         [this] {
             delegate->applicationWillTerminate();
             delegate.reset();
         },
         [this] {
             return startAndLogIn();
         }},
        {"paused", [this] { delegate->pauseStop(); },
         [this] {
             delegate->pauseStop();
             return true;
         }},
        {"silenced", [this] { delegate->setABNotifications(false); },
         [&, this] {
             delegate->setABNotifications(true);
             relogin();
             return true;
         }},
    };
    int restores = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // A person the backup lacks, on Google before the restore.
        const QString last = QString::fromLatin1(c.name);
        addPersonElsewhere(QStringLiteral("After"), last);
        const QString title = QStringLiteral("After ") + last;
        ASSERT_TRUE(runUntil([&, this] {
            AddressBook::shared()->checkForExternalChanges();
            return serverContactTitles().contains(title);
        }));
        ASSERT_TRUE(runUntil([this] { return !delegate->sharedABUpdateTool()->isPushing(); }));
        c.stop();
        ASSERT_FALSE(abtool({QStringLiteral("restore"), backup}).isNull());
        if (delegate)
            AddressBook::shared()->checkForExternalChanges();
        const int alerts = prompter.shown().size();
        ASSERT_TRUE(c.resume());
        ASSERT_TRUE(
            runUntil([&, this] { return countLines(agenttexts::restoreSeen) == restores + 1; }));
        ++restores;
        ASSERT_EQ(prompter.shown().size(), alerts + 1);
        EXPECT_EQ(prompter.shown().last().prompt.message, agenttexts::restoredAlert);
        // Once: after a restart the login compares with the snapshot of the restored book.
        const int comparisons = countLines(agenttexts::noContactChanges);
        delegate->applicationWillTerminate();
        delegate.reset();
        ASSERT_TRUE(startAndLogIn());
        ASSERT_TRUE(runUntil(
            [&, this] { return countLines(agenttexts::noContactChanges) == comparisons + 1; }));
        EXPECT_EQ(countLines(agenttexts::restoreSeen), restores);
        EXPECT_EQ(prompter.shown().size(), alerts + 1);
        EXPECT_TRUE(serverContactTitles().contains(title));
        EXPECT_EQ(terminations, 0);
    }
}

TEST_F(AgentTest, LoginFetchRefused_WaitsAndLogsInOnceTheServerAnswers)
{
    storePassword();
    server.injectFault(QStringLiteral("/groups/"), 503, 6);
    ASSERT_TRUE(startAgent());
    ASSERT_TRUE(runUntil([this] {
        return delegate->statusMessage() == QStringLiteral("Status: Waiting for Internet Access");
    }, 30000));
    EXPECT_TRUE(delegate->isPolling());
    EXPECT_TRUE(runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); }, 60000));
    EXPECT_EQ(delegate->statusMessage(), QStringLiteral("Status: Listening"));
    EXPECT_GE(countLines(QStringLiteral("The login fetch failed")), 1);
}

namespace {

// The titles of the server's groups, tombstones left out.
QStringList serverGroupTitles(GDataTestServer &server, const QString &account)
{
    QStringList titles;
    if (const GDataFeedPtr feed = server.entries(account, GDataEntryBase::Kind::ContactGroup))
        for (const GDataEntryPtr &entry : feed->entries())
            if (!entry->isDeleted())
                titles << entry->title().value_or(QString());
    return titles;
}

} // namespace

// Push mode 2 with nested groups, new groups and records without group: only what the monitored
// groups hold reaches Google, and a deleted member is deleted there too.
TEST_F(AgentTest, PushModeTwo_OnlyTheMonitoredRecordsArePushed)
{
    const QString watchedMember =
        addPersonElsewhere(QStringLiteral("Watched"), QStringLiteral("Member"));
    const QString nestedMember =
        addPersonElsewhere(QStringLiteral("Nested"), QStringLiteral("Member"));
    const QString otherMember =
        addPersonElsewhere(QStringLiteral("Other"), QStringLiteral("Member"));
    const QString loner = addPersonElsewhere(QStringLiteral("No"), QStringLiteral("Group"));
    const QString inner =
        abtool({QStringLiteral("add-group"), QStringLiteral("Inner"), nestedMember}).trimmed();
    const QString watched =
        abtool({QStringLiteral("add-group"), QStringLiteral("Watched"), watchedMember, inner})
            .trimmed();
    ASSERT_FALSE(
        abtool({QStringLiteral("add-group"), QStringLiteral("Other"), otherMember}).isNull());
    ASSERT_FALSE(watched.isEmpty());
    setMainPreference(pushkeys::autoABPushMode, 2);
    setMainPreference(pushkeys::autoABStrict, false);
    setMainPreference(agentkeys::autoABUsesSelectedGroups, true);
    setMainPreference(agentkeys::autoABGroupKeys, QStringList{watched});
    setMainPreference(QStringLiteral("autoABSelectedGroupsIncludeNestedGroups"), true);
    setMainPreference(agentkeys::autoABSelectedGroupsIncludeNewGroups, true);
    setMainPreference(pushkeys::autoABUsesContactsWithoutGroups, true);
    ASSERT_TRUE(startAndLogIn());
    EXPECT_EQ(delegate->monitoredGroupIDs(), QStringList{watched});

    // One save that changes all four.
    ASSERT_FALSE(abtool({QStringLiteral("set"), watchedMember, nestedMember, otherMember, loner,
                         QStringLiteral("JobTitle"), QStringLiteral("Pilot")})
                     .isNull());
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        const QStringList titles = serverContactTitles();
        return titles.contains(QStringLiteral("Watched Member")) &&
               titles.contains(QStringLiteral("Nested Member")) &&
               titles.contains(QStringLiteral("No Group"));
    }));
    ASSERT_TRUE(runUntil([this] { return !delegate->sharedABUpdateTool()->isPushing(); }));
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Other Member")));

    // A monitored member's deletion deletes its contact.
    ASSERT_FALSE(abtool({QStringLiteral("delete"), watchedMember}).isNull());
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return !serverContactTitles().contains(QStringLiteral("Watched Member"));
    }));
    ASSERT_TRUE(runUntil([this] { return !delegate->sharedABUpdateTool()->isPushing(); }));

    // A new group is monitored from now on, with its members.
    const QString fresh =
        abtool({QStringLiteral("add-group"), QStringLiteral("Fresh"), otherMember}).trimmed();
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return serverContactTitles().contains(QStringLiteral("Other Member")) &&
               serverGroupTitles(server, kAccount).contains(QStringLiteral("Fresh"));
    }));
    EXPECT_TRUE(delegate->monitoredGroupIDs().contains(fresh));
    EXPECT_FALSE(serverGroupTitles(server, kAccount).contains(QStringLiteral("Other")));
    EXPECT_EQ(serverContactTitles().count(QStringLiteral("Nested Member")), 1);
    // The pushed group is linked, so no later push made it again.
    EXPECT_EQ(serverGroupTitles(server, kAccount).count(QStringLiteral("Watched")), 1);
}

// Google goes away while the agent listens: the push's changes wait in the pending files, the
// agent waits and tries again at the poll interval, and once Google is back its login pushes them
// once.
TEST_F(AgentTest, GoogleGoneWhileListening_TheLoginAfterItsReturnPushesTheChangesOnce)
{
    server.stop();
    ASSERT_TRUE(
        server.start({QStringLiteral("--state"), QDir(data.path()).filePath("server.json")}));
    server.addAccount(kAccount, kPassword);
    setMainPreference(QStringLiteral("googleServiceBaseURL"), server.baseUrl().toString());
    ASSERT_TRUE(startAndLogIn());

    server.stop();
    const QString uid = addPersonElsewhere(QStringLiteral("Gone"), QStringLiteral("Away"));
    ASSERT_TRUE(runUntil(
        [&] {
            AddressBook::shared()->checkForExternalChanges();
            return readFile(QDir(pendingFolder()).filePath("New")) == uid &&
                   delegate->statusMessage() ==
                       QStringLiteral("Status: Waiting for Internet Access");
        },
        30000));
    EXPECT_TRUE(delegate->isPolling());
    EXPECT_EQ(countLines(QStringLiteral("The push did not reach Google")), 1);

    ASSERT_TRUE(server.restart());
    ASSERT_TRUE(runUntil(
        [this] { return serverContactTitles().contains(QStringLiteral("Gone Away")); }, 30000));
    ASSERT_TRUE(runUntil([this] {
        return !delegate->sharedABUpdateTool()->isPushing() &&
               !QFileInfo::exists(QDir(pendingFolder()).filePath("New"));
    }));
    EXPECT_EQ(serverContactTitles().count(QStringLiteral("Gone Away")), 1);
    EXPECT_EQ(delegate->statusMessage(), QStringLiteral("Status: Listening"));
    EXPECT_FALSE(QDir(folder("archive")).entryList(QDir::Files).isEmpty());
}

// Google refuses one entry of a batch: the user sees it, and only that record waits for later.
TEST_F(AgentTest, PerEntryRefusal_ShowsInTheLastActionAndKeepsOnlyThatRecord)
{
    setMainPreference(pushkeys::autoABStrict, false);
    ASSERT_TRUE(startAndLogIn());
    const QString cards = QDir(data.path()).filePath("two.vcf");
    QFile file(cards);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Kept;Refused;;;\r\nFN:Refused Kept\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Taken;Accepted;;;\r\nFN:Accepted Taken\r\nEND:VCARD\r\n");
    file.close();
    AddressBook::shared()->checkForExternalChanges();
    // The identifiers are known only once abtool has made them: the refusal is set up by the
    // first of them, before the agent reads the save.
    const QStringList ids =
        abtool({QStringLiteral("import"), cards}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(ids.size(), 2);
    server.injectBatchEntryStatus(ids.first(), 400, QStringLiteral("Invalid contact"));
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return serverContactTitles().contains(QStringLiteral("Accepted Taken")) &&
               !delegate->sharedABUpdateTool()->isPushing();
    }));
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Refused Kept")));
    EXPECT_TRUE(delegate->lastAction().contains(ids.first()))
        << delegate->lastAction().toStdString();
    EXPECT_EQ(readFile(QDir(pendingFolder()).filePath("New")), ids.first());
}

// The server applies a batch and the connection closes before its answer: whatever the client
// resends and whatever the next login pushes again, the person is on Google once.
TEST_F(AgentTest, AppliedThenDropped_MakesNoDuplicate)
{
    setMainPreference(pushkeys::autoABStrict, false);
    ASSERT_TRUE(startAndLogIn());
    server.injectApplyThenDrop(QStringLiteral("/batch"), 1, "POST");
    ASSERT_FALSE(addPersonElsewhere(QStringLiteral("Dropped"), QStringLiteral("Answer")).isEmpty());
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return serverContactTitles().contains(QStringLiteral("Dropped Answer"));
    }));
    // Until everything the push kept for later has been pushed again.
    ASSERT_TRUE(runUntil(
        [this] {
            return !delegate->sharedABUpdateTool()->isPushing() && !delegate->isPolling() &&
                   !QFileInfo::exists(QDir(pendingFolder()).filePath("New"));
        },
        30000));
    EXPECT_EQ(serverContactTitles().count(QStringLiteral("Dropped Answer")), 1);
}

// A new group and then a person joining it, while the group batch is slow: both reach Google, the
// membership after the group it needs.
TEST_F(AgentTest, TwoQuickChangesWhileTheGroupBatchIsSlow_BothReachGoogleInOrder)
{
    setMainPreference(pushkeys::autoABStrict, true);
    ASSERT_TRUE(startAndLogIn());
    server.injectFault(QStringLiteral("/groups/"), 0, 1, 2000, false, "POST");
    const QString group = abtool({QStringLiteral("add-group"), QStringLiteral("Quick")}).trimmed();
    ASSERT_FALSE(group.isEmpty());
    AddressBook::shared()->checkForExternalChanges();
    const QString uid = addPersonElsewhere(QStringLiteral("Quick"), QStringLiteral("Joiner"));
    ASSERT_FALSE(abtool({QStringLiteral("add-to-group"), group, uid}).isNull());
    QString groupID;
    ASSERT_TRUE(runUntil(
        [&] {
            AddressBook::shared()->checkForExternalChanges();
            const GDataFeedPtr groups =
                server.entries(kAccount, GDataEntryBase::Kind::ContactGroup);
            for (const GDataEntryPtr &entry :
                 groups ? groups->entries() : std::vector<GDataEntryPtr>{})
                if (entry->title() == QStringLiteral("Quick") && !entry->isDeleted())
                    groupID = entry->identifier();
            if (groupID.isEmpty())
                return false;
            const GDataFeedPtr contacts = server.entries(kAccount, GDataEntryBase::Kind::Contact);
            for (const GDataEntryPtr &entry :
                 contacts ? contacts->entries() : std::vector<GDataEntryPtr>{}) {
                const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
                if (!contact || contact->title() != QStringLiteral("Quick Joiner"))
                    continue;
                for (const GDataGroupMembershipInfo &info : contact->groupMembershipInfos())
                    if (info.href == groupID)
                        return true;
            }
            return false;
        },
        30000));
    EXPECT_EQ(serverContactTitles().count(QStringLiteral("Quick Joiner")), 1);
    // The group was sent before the batch that holds the membership.
    const QStringList batches = server.requestsTo(QStringLiteral("/batch"));
    ASSERT_GE(batches.size(), 2);
    EXPECT_TRUE(batches.first().contains(QStringLiteral("/groups/")));
}

// The change handler that nothing connects, and the push-mode filter, in push mode 2.
TEST_F(AgentTest, PushNotificationManagerAndFilter_KeepToTheMonitoredGroups)
{
    const QString member = addPersonElsewhere(QStringLiteral("Watched"), QStringLiteral("One"));
    const QString outsider = addPersonElsewhere(QStringLiteral("Outside"), QStringLiteral("One"));
    const QString watched =
        abtool({QStringLiteral("add-group"), QStringLiteral("Watched"), member}).trimmed();
    const QString other =
        abtool({QStringLiteral("add-group"), QStringLiteral("Other"), outsider}).trimmed();
    setMainPreference(pushkeys::autoABPushMode, 2);
    setMainPreference(pushkeys::autoABStrict, false);
    setMainPreference(agentkeys::autoABUsesSelectedGroups, true);
    setMainPreference(agentkeys::autoABGroupKeys, QStringList{watched});
    ASSERT_TRUE(startAndLogIn());

    EXPECT_EQ(delegate->filterByUserPrefs({watched, other}, true), QStringList{watched});
    EXPECT_EQ(delegate->filterByUserPrefs({member, outsider}, false), QStringList{member});

    delegate->pushNotificationManager(
        {{QStringLiteral("ABInsertedRecords"), QStringList{member, outsider}}});
    ASSERT_TRUE(runUntil([this] {
        return serverContactTitles().contains(QStringLiteral("Watched One")) &&
               !delegate->sharedABUpdateTool()->isPushing();
    }));
    EXPECT_FALSE(serverContactTitles().contains(QStringLiteral("Outside One")));

    // A notice without records is a restore: the main program's automatic push goes off.
    delegate->pushNotificationManager({});
    UserDefaults main(agentkeys::kMainDomain);
    EXPECT_FALSE(main.boolForKey(pushkeys::autoPushABChanges));
    ASSERT_FALSE(prompter.shown().isEmpty());
    EXPECT_EQ(prompter.shown().last().prompt.message, agenttexts::restoredAlert);
    EXPECT_EQ(terminations, 0);
}

TEST_F(AgentTest, FilterByUserPrefs_ModeZeroLetsNothingThroughModeOneEverything)
{
    const QString uid = addPersonElsewhere(QStringLiteral("Any"), QStringLiteral("One"));
    setMainPreference(pushkeys::autoABPushMode, 0);
    ASSERT_TRUE(startAndLogIn());
    EXPECT_TRUE(delegate->filterByUserPrefs({uid}, false).isEmpty());
    delegate->applicationWillTerminate();
    delegate.reset();
    setMainPreference(pushkeys::autoABPushMode, 1);
    ASSERT_TRUE(startAndLogIn());
    EXPECT_EQ(delegate->filterByUserPrefs({uid, QStringLiteral("x:ABGroup")}, false),
              (QStringList{uid, QStringLiteral("x:ABGroup")}));
}

// The engine has dropped its feeds (a fetch failed) while the agent listens: the next change goes
// to the pending files, and the agent logs in again by itself and pushes it once.
TEST_F(AgentTest, LoggedOutWhileListening_TheAgentLogsInAgainAndPushesThePendingChange)
{
    ASSERT_TRUE(startAndLogIn());
    delegate->appGoogleContactTool()->logout();
    ASSERT_FALSE(addPersonElsewhere(QStringLiteral("Logged"), QStringLiteral("Out")).isEmpty());
    ASSERT_TRUE(runUntil(
        [this] {
            AddressBook::shared()->checkForExternalChanges();
            return serverContactTitles().contains(QStringLiteral("Logged Out"));
        },
        30000));
    ASSERT_TRUE(runUntil([this] {
        return !delegate->sharedABUpdateTool()->isPushing() &&
               !QFileInfo::exists(QDir(pendingFolder()).filePath("New"));
    }));
    EXPECT_EQ(serverContactTitles().count(QStringLiteral("Logged Out")), 1);
    EXPECT_EQ(countLines(QStringLiteral("The push did not reach Google (not logged in)")), 1);
}

namespace {

// Whether the server's contact of that title is a member of the server's group of that title.
bool serverMembership(GDataTestServer &server, const QString &account, const QString &contactTitle,
                      const QString &groupTitle)
{
    QString groupID;
    if (const GDataFeedPtr groups = server.entries(account, GDataEntryBase::Kind::ContactGroup))
        for (const GDataEntryPtr &entry : groups->entries())
            if (entry->title() == groupTitle && !entry->isDeleted())
                groupID = entry->identifier();
    if (const GDataFeedPtr contacts = server.entries(account, GDataEntryBase::Kind::Contact))
        for (const GDataEntryPtr &entry : contacts->entries()) {
            const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
            if (!contact || contact->title() != contactTitle || contact->isDeleted())
                continue;
            for (const GDataGroupMembershipInfo &info : contact->groupMembershipInfos())
                if (!groupID.isEmpty() && info.href == groupID)
                    return true;
        }
    return false;
}

} // namespace

// Adding an existing person to an existing group changes only the group, whose name stays: the
// membership reaches Google only through strict memberships.
TEST_F(AgentTest, ExistingPersonJoinsExistingGroup_TheMembershipGoesOnlyWithStrictMemberships)
{
    setMainPreference(pushkeys::autoABStrict, false);
    ASSERT_TRUE(startAndLogIn());
    const QString group = abtool({QStringLiteral("add-group"), QStringLiteral("Club")}).trimmed();
    const QString uid = addPersonElsewhere(QStringLiteral("Club"), QStringLiteral("Member"));
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return serverContactTitles().contains(QStringLiteral("Club Member")) &&
               serverGroupTitles(server, kAccount).contains(QStringLiteral("Club")) &&
               !delegate->sharedABUpdateTool()->isPushing();
    }));

    ASSERT_FALSE(abtool({QStringLiteral("add-to-group"), group, uid}).isNull());
    server.clearRequestLog();
    ASSERT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return countLines(QStringLiteral("AB CHANGED Externally updated")) >= 3;
    }));
    ASSERT_TRUE(runUntil([this] { return !delegate->sharedABUpdateTool()->isPushing(); }));
    EXPECT_TRUE(server.requestsTo(QStringLiteral("/batch")).isEmpty());
    EXPECT_FALSE(serverMembership(server, kAccount, QStringLiteral("Club Member"),
                                  QStringLiteral("Club")));

    // With strict memberships the next push repairs it. With no group ticked the agent clears
    // the option in its own domain at start, so it is switched on there.
    UserDefaults::standard().setBool(true, pushkeys::autoABStrict);
    ASSERT_FALSE(addPersonElsewhere(QStringLiteral("Someone"), QStringLiteral("Else")).isEmpty());
    EXPECT_TRUE(runUntil([this] {
        AddressBook::shared()->checkForExternalChanges();
        return serverMembership(server, kAccount, QStringLiteral("Club Member"),
                                QStringLiteral("Club"));
    }));
    EXPECT_EQ(serverContactTitles().count(QStringLiteral("Club Member")), 1);
}
