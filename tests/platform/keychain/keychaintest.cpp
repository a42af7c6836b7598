#include "platform/keychain/keychain.h"
#include "platform/keychain/secretservice.h"

#include <QList>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

// The tests share the one keyring of the test session, and run side by side: every test keeps its
// items under a service name of its own and removes them at the end.
class KeychainTest : public ::testing::Test
{
protected:
    KeychainItemRef item(const QString &account)
    {
        const KeychainItemRef ref{m_service, account};
        m_made.append(ref);
        return ref;
    }
    void TearDown() override
    {
        for (const KeychainItemRef &ref : m_made)
            keychain::deletePassword(ref);
    }

    const QString m_service = QStringLiteral("tolvane-test-") + QUuid::createUuid().toString();

private:
    QList<KeychainItemRef> m_made;
};

TEST_F(KeychainTest, SecretServiceIsOnTheSessionBusAndUnlocked)
{
    EXPECT_TRUE(secretservice::isAvailable());
    EXPECT_FALSE(secretservice::isDefaultCollectionLocked());
}

TEST_F(KeychainTest, WriteThenRead_GivesThePasswordBackExactly)
{
    const KeychainItemRef ref = item("someone@example.com");
    for (const QString &password :
         {QStringLiteral("plain"), QStringLiteral("grüße ∂ 密码 🙂")}) {
        ASSERT_TRUE(keychain::writePassword(ref, password).ok());
        const keychain::PasswordRead read = keychain::readPassword(ref);
        ASSERT_TRUE(read.result.ok());
        EXPECT_EQ(read.password, password);
    }
}

TEST_F(KeychainTest, ReadOfMissingItem_IsNotFound)
{
    const keychain::PasswordRead read = keychain::readPassword(item("nobody"));
    EXPECT_EQ(read.result.status, KeychainStatus::ItemNotFound);
    EXPECT_TRUE(read.password.isEmpty());
}

TEST_F(KeychainTest, AddOverExistingItem_FailsAndKeepsTheStoredPassword)
{
    const KeychainItemRef ref = item("someone");
    ASSERT_TRUE(keychain::addPassword(ref, "first").ok());
    EXPECT_EQ(keychain::addPassword(ref, "second").status, KeychainStatus::DuplicateItem);
    EXPECT_EQ(keychain::readPassword(ref).password, "first");
}

TEST_F(KeychainTest, AccountsOfOneServiceAreSeparateItems)
{
    const KeychainItemRef one = item("one");
    const KeychainItemRef two = item("two");
    ASSERT_TRUE(keychain::addPassword(one, "1").ok());
    ASSERT_TRUE(keychain::addPassword(two, "2").ok());
    EXPECT_EQ(keychain::readPassword(one).password, "1");
    EXPECT_EQ(keychain::readPassword(two).password, "2");
}

TEST_F(KeychainTest, Move_TakesThePasswordToTheNewItemAndRemovesTheOld)
{
    const KeychainItemRef from = item("old");
    const KeychainItemRef to = item("new");
    ASSERT_TRUE(keychain::addPassword(from, "secret").ok());
    ASSERT_TRUE(keychain::movePassword(from, to).ok());
    EXPECT_EQ(keychain::readPassword(to).password, "secret");
    EXPECT_EQ(keychain::readPassword(from).result.status, KeychainStatus::ItemNotFound);
}

TEST_F(KeychainTest, MoveOntoAnExistingItem_FailsAndLeavesBothAsTheyWere)
{
    const KeychainItemRef from = item("old");
    const KeychainItemRef to = item("taken");
    ASSERT_TRUE(keychain::addPassword(from, "mine").ok());
    ASSERT_TRUE(keychain::addPassword(to, "theirs").ok());
    EXPECT_EQ(keychain::movePassword(from, to).status, KeychainStatus::DuplicateItem);
    EXPECT_EQ(keychain::readPassword(from).password, "mine");
    EXPECT_EQ(keychain::readPassword(to).password, "theirs");
}

TEST_F(KeychainTest, MoveOfMissingItem_FailsAndCreatesNothing)
{
    const KeychainItemRef to = item("new");
    EXPECT_EQ(keychain::movePassword(item("missing"), to).status, KeychainStatus::ItemNotFound);
    EXPECT_EQ(keychain::readPassword(to).result.status, KeychainStatus::ItemNotFound);
}

TEST(KeychainItemRef, InternetItemsDifferByEveryPart)
{
    constexpr std::uint32_t https = 0x68747073; // 'htps'
    const KeychainItemRef base = internetItemRef("example.com", "me", "/a", 443, https);
    EXPECT_EQ(base.service, "internet:68747073://example.com:443/a");
    EXPECT_EQ(base.account, "me");
    EXPECT_NE(base, internetItemRef("example.org", "me", "/a", 443, https));
    EXPECT_NE(base, internetItemRef("example.com", "me", "/b", 443, https));
    EXPECT_NE(base, internetItemRef("example.com", "me", "/a", 80, https));
    EXPECT_NE(base, internetItemRef("example.com", "me", "/a", 443, 0x68747470));
    EXPECT_EQ(internetItemRef("example.com", "me", QString(), 0, https),
              internetItemRef("example.com", "me", "", 0, https));
}

} // namespace
