#include "foundation/keychain/emkeychainproxy.h"
#include "platform/keychain/secretservice.h"
#include "tests/support/logcapture.h"
#include "tests/support/privatekeyring.h"

#include <gtest/gtest.h>

namespace {

TEST(LockedKeyring, RunsOnAPrivateKeyring)
{
    if (privatekeyring::isPrivateRun())
        GTEST_SKIP() << "this is the private run";
    QString output;
    EXPECT_TRUE(privatekeyring::runInnerTests("LockedKeyringInner.*", &output))
        << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST(LockedKeyringInner, TellsLockedFromMissingAndWritesNothing)
{
    if (!privatekeyring::isPrivateRun())
        GTEST_SKIP() << "runs on a private keyring only";
    EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
    auto item = proxy.addGenericKeychainItemForService("service", "me", "stored");
    ASSERT_TRUE(item);

    LogCapture log;
    proxy.lockKeychain();
    ASSERT_TRUE(secretservice::isDefaultCollectionLocked());

    KeychainStatus status = KeychainStatus::Success;
    EXPECT_FALSE(proxy.genericKeychainItemForService("service", "me", &status));
    EXPECT_EQ(status, KeychainStatus::Unavailable);
    EXPECT_FALSE(proxy.genericKeychainItemForService("service", "nobody", &status));
    EXPECT_EQ(status, KeychainStatus::Unavailable);
    EXPECT_FALSE(item->setPassword("lost"));
    EXPECT_FALSE(proxy.addGenericKeychainItemForService("service", "other", "pw"));
    const QStringList lines = log.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("Error (genericKeychainItemForService:withUsername:) - The "
                                    "keychain is not available"));

    ASSERT_TRUE(privatekeyring::unlockWithPassword());
    ASSERT_FALSE(secretservice::isDefaultCollectionLocked());
    EXPECT_EQ(proxy.genericKeychainItemForService("service", "me")->password(), "stored");
    EXPECT_FALSE(proxy.genericKeychainItemForService("service", "other"));
}

} // namespace
