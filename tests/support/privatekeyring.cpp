#include "tests/support/privatekeyring.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>

// A secret as the Secret Service carries it: session, parameters, value, content type.
struct PrivateKeyringSecret
{
    QDBusObjectPath session;
    QByteArray parameters;
    QByteArray value;
    QString contentType;
};
Q_DECLARE_METATYPE(PrivateKeyringSecret)

QDBusArgument &operator<<(QDBusArgument &argument, const PrivateKeyringSecret &secret)
{
    argument.beginStructure();
    argument << secret.session << secret.parameters << secret.value << secret.contentType;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PrivateKeyringSecret &secret)
{
    argument.beginStructure();
    argument >> secret.session >> secret.parameters >> secret.value >> secret.contentType;
    argument.endStructure();
    return argument;
}

namespace privatekeyring {
namespace {

const char kInner[] = "TOLVANE_PRIVATE_KEYRING";

} // namespace

bool isPrivateRun()
{
    return qEnvironmentVariableIsSet(kInner);
}

bool runInnerTests(const QString &filter, QString *output)
{
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kInner, "1");
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral(TOLVANE_PRIVATE_SESSION),
              {QCoreApplication::applicationFilePath(), "--gtest_filter=" + filter});
    if (!run.waitForFinished(120000))
        return false;
    *output = QString::fromUtf8(run.readAll());
    return run.exitCode() == 0 && !output->contains("SKIPPED") &&
           output->contains("[  PASSED  ]") && !output->contains("[  FAILED  ]");
}

bool unlockWithPassword()
{
    qDBusRegisterMetaType<PrivateKeyringSecret>();
    QDBusMessage open =
        QDBusMessage::createMethodCall("org.freedesktop.secrets", "/org/freedesktop/secrets",
                                       "org.freedesktop.Secret.Service", "OpenSession");
    open << QString("plain") << QVariant::fromValue(QDBusVariant(QString()));
    const QDBusMessage opened = QDBusConnection::sessionBus().call(open);
    if (opened.arguments().size() < 2)
        return false;
    const PrivateKeyringSecret secret{
        opened.arguments().at(1).value<QDBusObjectPath>(), {}, "test", "text/plain"};
    QDBusMessage unlock = QDBusMessage::createMethodCall(
        "org.freedesktop.secrets", "/org/freedesktop/secrets",
        "org.gnome.keyring.InternalUnsupportedGuiltRiddenInterface", "UnlockWithMasterPassword");
    unlock << QVariant::fromValue(QDBusObjectPath("/org/freedesktop/secrets/collection/login"))
           << QVariant::fromValue(secret);
    return QDBusConnection::sessionBus().call(unlock).type() == QDBusMessage::ReplyMessage;
}

} // namespace privatekeyring
