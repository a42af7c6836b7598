// The engine's account: names completed with the mail suffix, the keychain password, the second
// account's sign-in, the service, projections and the login state.

#include "tests/support/google/engineservertest.h"

#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/keychain/keychain.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using Role = GoogleContactTool::Role;

class EngineAccountTest : public LogCaptureTest
{
protected:
    void SetUp() override
    {
        setLevel(1);
        UserDefaults::standard().setString(QStringLiteral("@gmail.com"), googlekeys::gMailSuffix);
    }
};

struct UserCase
{
    const char *name;
    const char *before;
    const char *input;
    const char *expected;
    bool refused;
};

void PrintTo(const UserCase &c, std::ostream *os)
{
    *os << c.name;
}

class SetUserTest : public EngineAccountTest, public ::testing::WithParamInterface<UserCase>
{
};

TEST_P(SetUserTest, CompletesTrimmedNamesAndRefusesEmptyOnes)
{
    const UserCase &c = GetParam();
    GoogleContactTool engine(Role::MainProgram);
    if (*c.before)
        engine.setUser(QString::fromUtf8(c.before));
    engine.setUser(QString::fromUtf8(c.input));
    EXPECT_EQ(engine.user(), QString::fromUtf8(c.expected));
    EXPECT_EQ(lines().contains(QStringLiteral("[GoogleContactTool setUser:] - ERRROR: Attempt to "
                                              "set Google User Account to empty")),
              c.refused);
}

const UserCase kUserCases[] = {
    {"BareName", "", "bob", "bob@gmail.com", false},
    {"BareNameWithBlanks", "", "  bob \n", "bob@gmail.com", false},
    {"FullAddressWithBlanks", "", "  bob@example.com  ", "bob@example.com", false},
    {"Empty", "ann", "", "ann@gmail.com", true},
    {"BlanksOnly", "ann", " \t\n", "ann@gmail.com", true},
};

INSTANTIATE_TEST_SUITE_P(Names, SetUserTest, ::testing::ValuesIn(kUserCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EngineAccountTest, ShortUser_IsTheNameBeforeTheAt)
{
    GoogleContactTool engine(Role::MainProgram);
    engine.setUser(QStringLiteral("bob@example.com"));
    EXPECT_EQ(engine.shortUser(), "bob");
    UserDefaults::standard().setString(QString(), googlekeys::gMailSuffix);
    GoogleContactTool bare(Role::MainProgram);
    bare.setUser(QStringLiteral("bob"));
    EXPECT_EQ(bare.shortUser(), "bob");
    bare.setUser(QStringLiteral("@example.com"));
    EXPECT_EQ(bare.shortUser(), "@example.com");
}

struct ImageTimeCase
{
    int preference;
    double seconds;
};

TEST_F(EngineAccountTest, ImageTime_IsThePreferencePlusThreeUpToEight)
{
    for (const ImageTimeCase &c : {ImageTimeCase{0, 3.0}, {4, 7.0}, {5, 8.0}, {9, 8.0}}) {
        UserDefaults::standard().setInteger(c.preference, googlekeys::imageTime);
        GoogleContactTool engine(Role::MainProgram);
        EXPECT_EQ(engine.imageTime(), c.seconds) << c.preference;
    }
}

TEST_F(EngineAccountTest, ContactService_IsMadeOnceAndConfigured)
{
    UserDefaults::standard().setString(QStringLiteral("zel-tor-Tolvane-1.0"),
                                       googlekeys::kGoogleSource);
    GoogleContactTool engine(Role::MainProgram);
    GDataServiceGoogleContact *service = engine.contactService();
    EXPECT_EQ(engine.contactService(), service);
    EXPECT_EQ(service->userAgent(), "zel-tor-Tolvane-1.0");
    EXPECT_EQ(service->serviceVersion(), "2.0");
    EXPECT_TRUE(service->serviceShouldFollowNextLinks());
    EXPECT_TRUE(service->shouldCacheDatedData());
    EXPECT_TRUE(service->isServiceRetryEnabled());
    EXPECT_TRUE(engine.serviceInfo().endsWith(" -- Service: 2.0"));
}

TEST_F(EngineAccountTest, FeedURLs_FollowTheProjection)
{
    GoogleContactTool engine(Role::MainProgram);
    GDataServiceGoogleContact *service = engine.contactService();
    const QUrl full = service->feedURL(QLatin1String(kGDataGoogleContactDefaultFullFeed));
    EXPECT_EQ(engine.contactFeedURLUsingProjection(QStringLiteral("FULL")), full);
    EXPECT_EQ(engine.contactFeedURLUsingProjection(QString()), full);
    EXPECT_EQ(engine.contactFeedURLUsingProjection(QStringLiteral("Thin")),
              service->feedURL(QLatin1String(kGDataGoogleContactDefaultThinFeed)));
    EXPECT_EQ(engine.contactFeedURLUsingProjection(QStringLiteral("tolvaneContact")),
              service->contactFeedURLForPropertyName(QStringLiteral("tolvaneContact")));
    EXPECT_EQ(engine.groupFeedURLUsingProjection(QStringLiteral("full")),
              service->feedURL(QLatin1String(kGDataGoogleContactGroupDefaultFullFeed)));
    EXPECT_EQ(engine.groupFeedURLUsingProjection(QStringLiteral("tolvaneGroup")),
              service->groupFeedURLForPropertyName(QStringLiteral("tolvaneGroup")));
}

TEST_F(EngineAccountTest, Configure_SetsProjectionsAndDeletionSwitches)
{
    GoogleContactTool engine(Role::MainProgram);
    engine.configureServicesUsingProjection(QStringLiteral("thin"), true);
    EXPECT_EQ(engine.groupProjection(), "thin");
    EXPECT_EQ(engine.contactProjection(), "thin");
    EXPECT_TRUE(engine.includeGroupDeletions());
    EXPECT_TRUE(engine.includeContactDeletions());
    EXPECT_FALSE(engine.lists().isContactListComplete());
}

TEST_F(EngineAccountTest, CredentialsWithoutAccount_AreRefusedAndLogged)
{
    GoogleContactTool engine(Role::MainProgram);
    EXPECT_FALSE(engine.establishUserCredentials());
    EXPECT_TRUE(lines().contains(QStringLiteral("[GoogleContactTool establishUserCredentials] - "
                                                "Error: attempt to set credentials without a User "
                                                "Account")));
}

using EngineCredentialsTest = EngineServerTest;

TEST_F(EngineCredentialsTest, KeychainPassword_IsGivenToTheService)
{
    storePassword(kPassword);
    auto engine = makeEngine();
    engine->setUser(QStringLiteral("bob"));
    ASSERT_EQ(engine->user(), kUser);
    EXPECT_TRUE(engine->establishUserCredentials());
    ASSERT_TRUE(engine->vormelKCI());
    EXPECT_EQ(engine->vormelKCI()->password(), kPassword);
    EXPECT_EQ(engine->contactService()->username(), kUser);
}

TEST_F(EngineCredentialsTest, KeychainItemForUser_SignsInWithThatItemAndFetches)
{
    storePassword(kPassword);
    auto engine = makeEngine();
    engine->contactService()->setUserCredentials(QStringLiteral("old@example.com"),
                                                 QStringLiteral("old"));
    auto item =
        EMKeychainProxy::sharedProxy().genericKeychainItemForService(keychainService, kUser);
    ASSERT_TRUE(item);
    engine->setKeychainItemForUser(std::move(item), kUser);
    EXPECT_EQ(engine->user(), kUser);
    EXPECT_TRUE(runUntil([&] { return engine->isLoggedIn(); }));
}

TEST_F(EngineCredentialsTest, SecondAccountKeychainItem_IsFoundByTheSecondServiceName)
{
    const QString service2 = keychainService + QStringLiteral("-2");
    UserDefaults::standard().setString(service2, googlekeys::keychainItemName2);
    ASSERT_TRUE(EMKeychainProxy::sharedProxy().addGenericKeychainItemForService(
        service2, QStringLiteral("ann@example.com"), QStringLiteral("pw2")));
    auto engine = makeEngine();
    engine->setUser2(QStringLiteral("ann@example.com"));
    engine->setVormelKCI2();
    ASSERT_TRUE(engine->vormelKCI2());
    EXPECT_EQ(engine->vormelKCI2()->password(), "pw2");
    keychain::deletePassword(KeychainItemRef{service2, QStringLiteral("ann@example.com")});
}

TEST_F(EngineCredentialsTest, NoStoredPassword_AnswersNo)
{
    auto engine = makeEngine();
    engine->setUser(kUser);
    EXPECT_FALSE(engine->establishUserCredentials());
    EXPECT_EQ(engine->vormelKCI(), nullptr);
}

TEST_F(EngineCredentialsTest, SecondAccount_TrimsBeforeTheSuffixAndSignsIn)
{
    auto engine = makeEngine();
    engine->establishUser2CredentialsForUser(QStringLiteral("  bob "), kPassword);
    EXPECT_EQ(engine->user(), kUser);
    EXPECT_TRUE(runUntil([&] { return engine->isLoggedIn(); }));
}

TEST_F(EngineCredentialsTest, SecondAccountWithoutNameOrPassword_DoesNothing)
{
    setLevel(1);
    auto engine = makeEngine();
    engine->establishUser2CredentialsForUser(QStringLiteral("   "), kPassword);
    engine->establishUser2CredentialsForUser(kUser, QString());
    EXPECT_TRUE(engine->user().isEmpty());
    const QString op =
        QStringLiteral("[GoogleContactTool establishUser2CredentialsForUser:code:] - ");
    EXPECT_EQ(lines(), (QStringList{op + "ERRROR: no user account specified",
                                    op + "ERRROR: no password specified"}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(requestsTo(QStringLiteral("/m8/feeds/")).isEmpty());
}

TEST_F(EngineCredentialsTest, Logout_ForgetsTheFeedsButKeepsTheAccount)
{
    storePassword(kPassword);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    EXPECT_TRUE(flag(googlekeys::isLoggedIn));
    engine->logout();
    EXPECT_FALSE(engine->isLoggedIn());
    EXPECT_FALSE(flag(googlekeys::isLoggedIn));
    EXPECT_EQ(engine->user(), kUser);
    EXPECT_NE(engine->vormelKCI(), nullptr);
}

} // namespace
