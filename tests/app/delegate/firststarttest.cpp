#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "app/windows/mainwindow.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "model/refdata/country.h"
#include "model/tolvaneowner.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/store/managedobjectcontext.h"
#include "tests/support/app/mainprogramtest.h"

#include <QDir>
#include <QFileInfo>

namespace {

class FirstStartTest : public MainProgramTest
{
};

TEST_F(FirstStartTest, LaysOutItsFolderInstallsItsPayloadsAndOpensTheStore)
{
    provideAgentPayload();
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());

    for (const char *folder :
         {"data", "scripts", "tmp", "backups", "restart", "pending", "pending/archives"})
        EXPECT_TRUE(QFileInfo(library(QString::fromUtf8(folder))).isDir()) << folder;
    UserDefaults &defaults = UserDefaults::standard();
    for (const QString &key :
         {googlekeys::datafilePath, googlekeys::tmpFolderPath, googlekeys::googleBackupFolderPath,
          googlekeys::restartFolderPath, googlekeys::pendingFolderPath,
          googlekeys::pendingArchiveFolderPath}) {
        const QString path = defaults.stringForKey(key);
        EXPECT_TRUE(QDir::isAbsolutePath(path)) << key.toStdString();
        EXPECT_TRUE(path.startsWith(QFileInfo(library()).canonicalFilePath()))
            << key.toStdString() << " " << path.toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(defaults.stringForKey(googlekeys::datafilePath)));

    EXPECT_TRUE(QFileInfo(library(bundleinfo::kAgentFileName)).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(qEnvironmentVariable("XDG_DATA_HOME") +
                                  "/applications/com.zel-tor.agentTolvane.desktop"));
    EXPECT_TRUE(QFileInfo(library("scripts/TolvaneSimpleSampleScript.applescript")).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(library("scripts/GetCurrentDocumentData.applescript")));

    ASSERT_TRUE(delegate->owner());
    EXPECT_FALSE(delegate->owner()->abID().isEmpty());
    EXPECT_TRUE(Country::lookupByISO("DE", *delegate->managedObjectContext()));
}

TEST_F(FirstStartTest, LogsTheEnvironmentAndKeepsTheMachineFacts)
{
    storePassword(kPassword);
    ASSERT_TRUE(startProgram());
    const QStringList log = lines();
    const auto logged = [&](const QString &start) {
        return std::any_of(log.cbegin(), log.cend(),
                           [&](const QString &line) { return line.startsWith(start); });
    };
    for (const char *start : {"Google Framework  1.0.0", "TimeZone - ", "Mac OS X Version - ",
                              "CPU Brand - ", "# of Processors - ", "App Name - Tolvane",
                              "Contact for this log: ", "MobileMe Contact Sync running: No",
                              "Google Contact Sync running: No"})
        EXPECT_TRUE(logged(QString::fromUtf8(start))) << start;
    UserDefaults &defaults = UserDefaults::standard();
    EXPECT_GT(defaults.integerForKey(appkeys::macNumberOfProcessors), 0);
    EXPECT_FALSE(defaults.stringForKey(appkeys::macOS).isEmpty());
    EXPECT_EQ(defaults.stringForKey(appkeys::appVersion), bundleinfo::version());
    EXPECT_EQ(defaults.stringForKey(appkeys::appBuild), "Release");
}

TEST_F(FirstStartTest, LogsInWithTheKeychainPasswordAndFetchesGroupsThenContacts)
{
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    EXPECT_TRUE(lines().contains("User credentials established"));
    const QStringList feeds = requestsTo("/m8/feeds/");
    ASSERT_GE(feeds.size(), 2);
    EXPECT_TRUE(feeds.at(0).contains("/groups/"));
    EXPECT_TRUE(feeds.at(1).contains("/contacts/"));
    EXPECT_EQ(delegate->appGoogleContactTool()->user(), kAccount);
    EXPECT_TRUE(delegate->appGoogleContactTool()->isLoggedIn());
}

TEST_F(FirstStartTest, AFirstFetchThatFailsShowsTheMainWindowInsteadOfTheWelcomePanel)
{
    storePassword(kPassword);
    server.stop();
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(
        runUntil([&] { return delegate->mainWindow() && delegate->mainWindow()->isVisible(); }));
    EXPECT_FALSE(delegate->welcomePanel()->isVisible());
    EXPECT_FALSE(delegate->mainWindow()->statusText().isEmpty());
    EXPECT_EQ(terminations, 0);
}

struct FirstWindowCase
{
    const char *name;
    int contacts;
    int people; // besides the Me record
    const char *window;
};

class FirstWindowTest : public MainProgramTest,
                        public ::testing::WithParamInterface<FirstWindowCase>
{
};

TEST_P(FirstWindowTest, IsChosenByTheCountsOfBothSides)
{
    const FirstWindowCase &c = GetParam();
    server.generateContacts(kAccount, c.contacts);
    for (int i = 0; i < c.people; ++i) {
        auto person = Person::create();
        person->setValueForProperty(QStringLiteral("P%1").arg(i), kABFirstNameProperty);
        AddressBook::shared()->addRecord(person);
    }
    ASSERT_TRUE(AddressBook::shared()->save());
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    EXPECT_TRUE(journal.contains(QString("made:") + c.window)) << journal.join(", ").toStdString();
    EXPECT_FALSE(UserDefaults::standard().boolForKey(googlekeys::startMode));
    EXPECT_FALSE(delegate->welcomePanel()->isVisible());
}

// The Me record counts as one of the book's people.
INSTANTIATE_TEST_SUITE_P(Counts, FirstWindowTest,
                         ::testing::Values(FirstWindowCase{"BothSmall", 2, 1, "dataMover"},
                                           FirstWindowCase{"FewPeople", 5, 1, "dataMover"},
                                           FirstWindowCase{"FewContacts", 2, 4, "dataMover"},
                                           FirstWindowCase{"BothLarge", 3, 2, "browser"}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
