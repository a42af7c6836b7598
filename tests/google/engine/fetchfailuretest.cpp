// Sign-in and group fetch failures: a refused account (403) and no network (-1009), with their
// status preferences, status texts, alerts and sheets.

#include "tests/support/google/engineservertest.h"

#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataerror.h"

#include <QTcpServer>

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

class FetchFailureTest : public EngineServerTest
{
};

TEST_F(FetchFailureTest, WrongKeychainPassword_DropsTheAccountAndOffersTheLoginPanel)
{
    storePassword(QStringLiteral("wrong"));
    auto engine = makeEngine();
    engine->setUser(kUser);
    ASSERT_TRUE(engine->establishUserCredentials());
    UserDefaults::standard().setBool(true, googlekeys::waitingOnGoogle);

    engine->fetchAllGroupsWithUIRefresh(true, true);
    ASSERT_TRUE(runUntil([&] { return engine->groupFetchError().has_value(); }));
    QCoreApplication::processEvents();

    EXPECT_EQ(engine->groupFetchError()->code, 403);
    EXPECT_TRUE(flag(googlekeys::googleAuthenticationFailure));
    EXPECT_FALSE(flag(googlekeys::waitingOnGoogle));
    EXPECT_TRUE(engine->user().isEmpty());
    EXPECT_EQ(engine->vormelKCI(), nullptr);
    ASSERT_EQ(prompter.shown().size(), 2);
    const Prompt &alert = prompter.shown().at(0).prompt;
    EXPECT_FALSE(prompter.shown().at(0).asSheet);
    EXPECT_EQ(alert.message, "A Google Authetication Error has Occurred.");
    EXPECT_EQ(alert.informativeText, "Would you like to submit your Account and Password again?");
    EXPECT_EQ(alert.buttons, (QStringList{"Submit", "Quit"}));
    EXPECT_EQ(prompter.shown().at(1).prompt.message, "An Error has Occurred");
    EXPECT_EQ(journal, (QStringList{"status:Google Authentication Failure..", "openLoginPanel"}));
    EXPECT_FALSE(quitRequested);
    EXPECT_TRUE(requestsTo(QStringLiteral("/m8/feeds/")).isEmpty());

    // Until a new account is set, there are no credentials to give.
    EXPECT_FALSE(engine->establishUserCredentials());
}

TEST_F(FetchFailureTest, RefusedAccountAnsweredQuit_EndsTheProgram)
{
    storePassword(QStringLiteral("wrong"));
    prompter.answer(kAlertSecondButtonReturn);
    auto engine = makeEngine();
    engine->setUser(kUser);
    ASSERT_TRUE(engine->establishUserCredentials());
    engine->fetchAllGroupsWithUIRefresh(true, true);
    ASSERT_TRUE(runUntil([&] { return quitRequested; }));
    EXPECT_FALSE(journal.contains("openLoginPanel"));
}

TEST_F(FetchFailureTest, GoodFetchAfterRefusal_ClearsTheFailureFlags)
{
    storePassword(kPassword);
    UserDefaults::standard().setBool(true, googlekeys::googleAuthenticationFailure);
    UserDefaults::standard().setBool(true, googlekeys::googleConnectionFailure);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    EXPECT_FALSE(flag(googlekeys::googleAuthenticationFailure));
    EXPECT_FALSE(flag(googlekeys::googleConnectionFailure));
}

TEST_F(FetchFailureTest, NoNetwork_SetsTheConnectionFailureAndShowsTheError)
{
    // A port that nothing listens on stands for a machine without network.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    UserDefaults::standard().setString(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort),
                                       googlekeys::googleServiceBaseURL);
    storePassword(kPassword);
    auto engine = makeEngine();
    engine->setUser(kUser);
    ASSERT_TRUE(engine->establishUserCredentials());

    engine->fetchAllGroupsWithUIRefresh(true, true);
    ASSERT_TRUE(runUntil([&] { return engine->groupFetchError().has_value(); }));
    QCoreApplication::processEvents();

    EXPECT_EQ(engine->groupFetchError()->code, kGDataErrorNotConnected);
    EXPECT_TRUE(flag(googlekeys::googleConnectionFailure));
    EXPECT_FALSE(flag(googlekeys::googleAuthenticationFailure));
    EXPECT_EQ(journal, QStringList{"status:No Internet Connection Available..."});
    EXPECT_EQ(promptMessages(), QStringList{"An Error has Occurred"});
    EXPECT_TRUE(prompter.shown().at(0).asSheet);
    EXPECT_EQ(engine->user(), kUser) << "only a refused account is forgotten";
    EXPECT_FALSE(engine->isLoggedIn());
}

TEST_F(FetchFailureTest, OtherGroupError_ShowsItsDescriptionAsStatusAndInTheSheet)
{
    storePassword(kPassword);
    server.injectFault(QStringLiteral("/m8/feeds/groups/"), 400, 1);
    auto engine = makeEngine();
    engine->setUser(kUser);
    ASSERT_TRUE(engine->establishUserCredentials());
    engine->fetchAllGroupsWithUIRefresh(true, true);
    ASSERT_TRUE(runUntil([&] { return engine->groupFetchError().has_value(); }));
    QCoreApplication::processEvents();

    const QString description = engine->groupFetchError()->description;
    EXPECT_EQ(journal, QStringList{"status:" + description});
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().at(0).prompt.informativeText, description);
    EXPECT_TRUE(requestsTo(QStringLiteral("/m8/feeds/contacts/")).isEmpty());
}

} // namespace

namespace {

TEST_F(FetchFailureTest, GroupRefetchRefused_ReportsWithoutRunningTheStep)
{
    storePassword(kPassword);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    engine->offer(QStringLiteral("processGoogleGroups"));
    const int groups = engine->lists().groupCount();
    server.injectFault(QStringLiteral("/m8/feeds/groups/"), 403, 1);
    journal.clear();
    engine->armRefreshTreadInterval(3.0);

    engine->refetchAllGroups(QStringLiteral("processGoogleGroups"));
    EXPECT_TRUE(engine->refreshTread());
    QCoreApplication::processEvents();

    EXPECT_FALSE(engine->refreshWait().isArmed());
    // The step is not run, but its job ends: the progress closes.
    EXPECT_EQ(journal,
              (QStringList{"updateUserInfo:Refreshing local version of Google Group data ...",
                           "status:Google Authentication Failure..", "closeUserInfo"}));
    EXPECT_TRUE(flag(googlekeys::googleAuthenticationFailure));
    EXPECT_EQ(promptMessages(), QStringList{"An Error has Occurred"});
    EXPECT_EQ(engine->lists().groupCount(), groups) << "the last good groups stay";
    EXPECT_FALSE(engine->lists().isGroupListComplete());
}

TEST_F(FetchFailureTest, NoDelegates_FetchAndFailuresSendNothingAndRaiseNothing)
{
    storePassword(kPassword);
    server.generateContacts(kUser, 1);
    UserDefaults::standard().setBool(true, googlekeys::startMode);
    auto engine = makeEngine();
    engine->setUIDelegate(nullptr);
    engine->setDataDelegate(nullptr);
    engine->setMocDelegate(nullptr);
    ASSERT_TRUE(logIn(*engine));
    EXPECT_FALSE(flag(googlekeys::startMode));

    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 403, 1);
    engine->refetchAllContacts(QString());
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmRefetchAllContactsComplete); }));
    EXPECT_EQ(engine->fetchContactByID(engine->contactArray().at(0)->identifier() + "0"), nullptr);
    EXPECT_TRUE(journal.isEmpty());
}

} // namespace
