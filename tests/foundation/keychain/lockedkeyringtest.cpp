#include "foundation/keychain/emkeychainproxy.h"
#include "platform/keychain/secretservice.h"
#include "tests/support/logcapture.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A secret as the Secret Service carries it: session, parameters, value, content type.
struct Secret
{
    QDBusObjectPath session;
    QByteArray parameters;
    QByteArray value;
    QString contentType;
};
Q_DECLARE_METATYPE(Secret)

QDBusArgument &operator<<(QDBusArgument &argument, const Secret &secret)
{
    argument.beginStructure();
    argument << secret.session << secret.parameters << secret.value << secret.contentType;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, Secret &secret)
{
    argument.beginStructure();
    argument >> secret.session >> secret.parameters >> secret.value >> secret.contentType;
    argument.endStructure();
    return argument;
}

namespace {

// Locking the keyring would disturb every other test that uses the shared keyring at the same
// time. So the tests of a locked keyring run again in a test program of their own, started here
// under a session bus of its own with a keyring of its own (password "test", as the test
// session's).
const char kInner[] = "TOLVANE_PRIVATE_KEYRING";

TEST(LockedKeyring, RunsOnAPrivateKeyring)
{
    if (qEnvironmentVariableIsSet(kInner))
        GTEST_SKIP() << "this is the private run";
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kInner, "1");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start("dbus-run-session",
              {"--", "bash", "-c",
               "eval \"$(echo -n test | gnome-keyring-daemon --daemonize --unlock "
               "--components=secrets)\" && exec \"$0\" --gtest_filter='LockedKeyringInner.*'",
               QCoreApplication::applicationFilePath()});
    ASSERT_TRUE(run.waitForFinished(120000));
    const QString output = QString::fromUtf8(run.readAll());
    EXPECT_EQ(run.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    EXPECT_FALSE(output.contains("SKIPPED")) << output.toStdString();
}

// Unlocks the test keyring with its password, as no prompt can be answered in a test.
bool unlockWithPassword()
{
    qDBusRegisterMetaType<Secret>();
    QDBusMessage open =
        QDBusMessage::createMethodCall("org.freedesktop.secrets", "/org/freedesktop/secrets",
                                       "org.freedesktop.Secret.Service", "OpenSession");
    open << QString("plain") << QVariant::fromValue(QDBusVariant(QString()));
    const QDBusMessage opened = QDBusConnection::sessionBus().call(open);
    if (opened.arguments().size() < 2)
        return false;
    const Secret secret{
        opened.arguments().at(1).value<QDBusObjectPath>(), {}, "test", "text/plain"};
    QDBusMessage unlock = QDBusMessage::createMethodCall(
        "org.freedesktop.secrets", "/org/freedesktop/secrets",
        "org.gnome.keyring.InternalUnsupportedGuiltRiddenInterface", "UnlockWithMasterPassword");
    unlock << QVariant::fromValue(QDBusObjectPath("/org/freedesktop/secrets/collection/login"))
           << QVariant::fromValue(secret);
    return QDBusConnection::sessionBus().call(unlock).type() == QDBusMessage::ReplyMessage;
}

TEST(LockedKeyringInner, TellsLockedFromMissingAndWritesNothing)
{
    if (!qEnvironmentVariableIsSet(kInner))
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

    ASSERT_TRUE(unlockWithPassword());
    ASSERT_FALSE(secretservice::isDefaultCollectionLocked());
    EXPECT_EQ(proxy.genericKeychainItemForService("service", "me")->password(), "stored");
    EXPECT_FALSE(proxy.genericKeychainItemForService("service", "other"));
}

} // namespace
