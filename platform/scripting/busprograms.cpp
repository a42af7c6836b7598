#include "platform/scripting/busprograms.h"

#include "platform/scripting/dbusdescriptor.h"
#include "platform/scripting/desktopentry.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace busprograms {
namespace {

// No program on the bus handled the command.
constexpr int kCommandFailed = -1708;

} // namespace

QString runningBusName(const QString &bundleIdentifier)
{
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus || bundleIdentifier.isEmpty())
        return {};
    const QStringList names = bus->registeredServiceNames().value();
    for (const QString &name : names) {
        if (name.compare(bundleIdentifier, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

bool isRunning(const QString &bundleIdentifier)
{
    return !runningBusName(bundleIdentifier).isEmpty();
}

QString executablePath(const QString &bundleIdentifier)
{
    const DesktopEntry entry = DesktopEntry::forBundleIdentifier(bundleIdentifier);
    if (entry.exec.isEmpty())
        return {};
    const QString &program = entry.exec.constFirst();
    if (QFileInfo(program).isAbsolute())
        return QFileInfo(program).isExecutable() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

bool launch(const QString &bundleIdentifier)
{
    const QString program = executablePath(bundleIdentifier);
    if (program.isEmpty())
        return false;
    const QStringList arguments = DesktopEntry::forBundleIdentifier(bundleIdentifier).exec.mid(1);
    return QProcess::startDetached(program, arguments);
}

bool quit(const QString &bundleIdentifier)
{
    return sendCommand(bundleIdentifier, kApplicationInterface, kApplicationPath,
                       QStringLiteral("Quit"), {})
        .succeeded();
}

ScriptReply sendCommand(const QString &bundleIdentifier, const QString &interface,
                        const QString &path, const QString &method, const QVariantList &arguments)
{
    const QString name = runningBusName(bundleIdentifier);
    if (name.isEmpty())
        return ScriptReply::failure(bundleIdentifier + QStringLiteral(" is not running."),
                                    kCommandFailed);
    QDBusMessage call = QDBusMessage::createMethodCall(name, path, interface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return ScriptReply::failure(reply.errorName() + QStringLiteral(": ") + reply.errorMessage(),
                                    kCommandFailed);
    if (reply.arguments().isEmpty())
        return {AppleEventDescriptor::nullDescriptor(), {}};
    return {descriptorFromDBus(reply.arguments().constFirst()), {}};
}

} // namespace busprograms
