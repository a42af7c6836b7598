#include "platform/keychain/secretservice.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace secretservice {
namespace {

const QString kService = QStringLiteral("org.freedesktop.secrets");
const QString kServicePath = QStringLiteral("/org/freedesktop/secrets");
const QString kServiceInterface = QStringLiteral("org.freedesktop.Secret.Service");
const QString kDefaultCollection = QStringLiteral("/org/freedesktop/secrets/aliases/default");

QDBusMessage callService(const QString &method)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kServicePath, kServiceInterface, method);
    call << QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(kDefaultCollection)});
    return QDBusConnection::sessionBus().call(call);
}

} // namespace

bool isAvailable()
{
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return false;
    return bus->isServiceRegistered(kService) ||
           bus->activatableServiceNames().value().contains(kService);
}

bool isDefaultCollectionLocked()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kDefaultCollection, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.Secret.Collection") << QStringLiteral("Locked");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

bool lockDefaultCollection()
{
    return callService(QStringLiteral("Lock")).type() == QDBusMessage::ReplyMessage;
}

bool unlockDefaultCollection()
{
    const QDBusMessage reply = callService(QStringLiteral("Unlock"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2)
        return false;
    const QString prompt = reply.arguments().at(1).value<QDBusObjectPath>().path();
    if (prompt.isEmpty() || prompt == u'/')
        return true;
    QDBusMessage show = QDBusMessage::createMethodCall(
        kService, prompt, QStringLiteral("org.freedesktop.Secret.Prompt"),
        QStringLiteral("Prompt"));
    show << QString();
    return QDBusConnection::sessionBus().call(show).type() == QDBusMessage::ReplyMessage;
}

} // namespace secretservice
