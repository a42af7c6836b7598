#include "foundation/keychain/emkeychainproxy.h"
#include "tests/support/logcapture.h"

#include <QSignalSpy>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kHttps = 0x68747073; // 'htps'

// Tests share the keyring of the test session and run side by side, so each keeps its items under
// a service (or server) name of its own.
class KeychainProxyTest : public ::testing::Test
{
protected:
    EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
    const QString service = QStringLiteral("tolvane-test-") + QUuid::createUuid().toString();
    const QString server =
        QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".example.com");
    LogCapture log;
};

TEST_F(KeychainProxyTest, GenericPassword_AddFindAndChange)
{
    auto added = proxy.addGenericKeychainItemForService(service, "me@example.com", "first");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->serviceName(), service);
    EXPECT_EQ(added->username(), "me@example.com");
    EXPECT_EQ(added->password(), "first");

    ASSERT_TRUE(added->setPassword("second"));
    KeychainStatus status = KeychainStatus::Failed;
    auto found = proxy.genericKeychainItemForService(service, "me@example.com", &status);
    ASSERT_TRUE(found);
    EXPECT_EQ(status, KeychainStatus::Success);
    EXPECT_EQ(found->password(), "second");
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST_F(KeychainProxyTest, InternetPassword_AddFindAndChange)
{
    auto added = proxy.addInternetKeychainItemForServer(server, "me", "first", "/m8", 443, kHttps);
    ASSERT_TRUE(added);
    ASSERT_TRUE(added->setPassword("second"));
    auto found = proxy.internetKeychainItemForServer(server, "me", "/m8", 443, kHttps);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->password(), "second");
    EXPECT_EQ(found->server(), server);
    EXPECT_EQ(found->path(), "/m8");
    EXPECT_EQ(found->port(), 443);
    EXPECT_EQ(found->protocol(), kHttps);
    EXPECT_FALSE(proxy.internetKeychainItemForServer(server, "me", "/m8", 80, kHttps));
    EXPECT_FALSE(proxy.internetKeychainItemForServer(server, "me", "/other", 443, kHttps));
}

TEST_F(KeychainProxyTest, InternetFindWithoutPath_SearchesTheEmptyPathAndKeepsPathMissing)
{
    ASSERT_TRUE(proxy.addInternetKeychainItemForServer(server, "me", "pw", "", 0, kHttps));
    auto found = proxy.internetKeychainItemForServer(server, "me", QString(), 0, kHttps);
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->path().isNull());
}

TEST_F(KeychainProxyTest, MissingArguments_AnswerNullWithoutLogging)
{
    KeychainStatus status = KeychainStatus::Success;
    EXPECT_FALSE(proxy.genericKeychainItemForService(service, "", &status));
    EXPECT_EQ(status, KeychainStatus::ItemNotFound);
    EXPECT_FALSE(proxy.internetKeychainItemForServer("", "me", "", 0, kHttps));
    EXPECT_FALSE(proxy.internetKeychainItemForServer(server, "", "", 0, kHttps));
    EXPECT_FALSE(proxy.addGenericKeychainItemForService("", "me", "pw"));
    EXPECT_FALSE(proxy.addGenericKeychainItemForService(service, "", "pw"));
    EXPECT_FALSE(proxy.addInternetKeychainItemForServer(server, "me", "", "", 0, kHttps));
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST_F(KeychainProxyTest, FindOfMissingItem_AnswersNotFoundAndLogsOnlyWhenAsked)
{
    KeychainStatus status = KeychainStatus::Success;
    EXPECT_FALSE(proxy.genericKeychainItemForService(service, "nobody", &status));
    EXPECT_EQ(status, KeychainStatus::ItemNotFound);
    EXPECT_TRUE(log.lines().isEmpty());

    proxy.setLogsErrors(true);
    EXPECT_FALSE(proxy.genericKeychainItemForService(service, "nobody"));
    proxy.setLogsErrors(false);
    EXPECT_EQ(log.lines(), QStringList{"Error (genericKeychainItemForService:withUsername:) - The "
                                       "specified item could not be found in the keychain."});
}

TEST_F(KeychainProxyTest, AddOverExistingItem_AnswersNullLogsAndKeepsThePassword)
{
    ASSERT_TRUE(proxy.addGenericKeychainItemForService(service, "me", "kept"));
    EXPECT_FALSE(proxy.addGenericKeychainItemForService(service, "me", "other"));
    EXPECT_EQ(log.lines(), QStringList{"Error (addGenericKeychainItemForService:withUsername:"
                                       "password:) - The specified item already exists in the "
                                       "keychain."});
    EXPECT_EQ(proxy.genericKeychainItemForService(service, "me")->password(), "kept");
}

TEST_F(KeychainProxyTest, SetPassword_NullIsRefusedANewValueNotifiesOnce)
{
    auto item = proxy.addGenericKeychainItemForService(service, "me", "old");
    ASSERT_TRUE(item);
    QSignalSpy changes(item.get(), &EMKeychainItem::passwordChanged);
    EXPECT_FALSE(item->setPassword(QString()));
    EXPECT_EQ(item->password(), "old");
    EXPECT_EQ(changes.count(), 0);
    EXPECT_TRUE(item->setPassword("new"));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(KeychainProxyTest, PasswordOutsideAscii_ReadsBackEqual)
{
    const QString password = QStringLiteral("Pässwörd – ключ 🔑");
    auto item = proxy.addGenericKeychainItemForService(service, "añadido", password);
    ASSERT_TRUE(item);
    EXPECT_EQ(proxy.genericKeychainItemForService(service, "añadido")->password(), password);
    ASSERT_TRUE(item->setPassword(password + u'!'));
    EXPECT_EQ(proxy.genericKeychainItemForService(service, "añadido")->password(), password + u'!');
}

TEST_F(KeychainProxyTest, ChangedAttributes_MoveTheStoredPassword)
{
    auto generic = proxy.addGenericKeychainItemForService(service, "old", "pw");
    ASSERT_TRUE(generic);
    ASSERT_TRUE(generic->setUsername("new"));
    ASSERT_TRUE(generic->setServiceName(service + "-2"));
    EXPECT_FALSE(proxy.genericKeychainItemForService(service, "old"));
    EXPECT_EQ(proxy.genericKeychainItemForService(service + "-2", "new")->password(), "pw");
    ASSERT_TRUE(generic->setPassword("changed"));
    EXPECT_EQ(proxy.genericKeychainItemForService(service + "-2", "new")->password(), "changed");

    auto internet = proxy.addInternetKeychainItemForServer(server, "me", "pw", "/a", 80, kHttps);
    ASSERT_TRUE(internet);
    ASSERT_TRUE(internet->setPath("/b"));
    ASSERT_TRUE(internet->setPort(8080));
    ASSERT_TRUE(internet->setProtocol(0x68747470)); // 'http'
    ASSERT_TRUE(internet->setServer("new." + server));
    EXPECT_FALSE(proxy.internetKeychainItemForServer(server, "me", "/a", 80, kHttps));
    EXPECT_EQ(proxy.internetKeychainItemForServer("new." + server, "me", "/b", 8080, 0x68747470)
                  ->password(),
              "pw");
}

TEST_F(KeychainProxyTest, WriteThatFails_AnswersNoKeepsNewValueInObjectAndStoredPasswords)
{
    auto mine = proxy.addGenericKeychainItemForService(service, "mine", "my password");
    ASSERT_TRUE(proxy.addGenericKeychainItemForService(service, "taken", "their password"));
    ASSERT_TRUE(mine);
    QSignalSpy changes(mine.get(), &EMKeychainItem::usernameChanged);
    EXPECT_FALSE(mine->setUsername("taken"));
    EXPECT_EQ(mine->username(), "taken");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(proxy.genericKeychainItemForService(service, "mine")->password(), "my password");
    EXPECT_EQ(proxy.genericKeychainItemForService(service, "taken")->password(), "their password");
}

TEST(KeychainProxy, SharedProxy_IsOneObject)
{
    EXPECT_EQ(&EMKeychainProxy::sharedProxy(), &EMKeychainProxy::sharedProxy());
}

} // namespace
