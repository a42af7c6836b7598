// The program the scripting tests launch: it owns the bus name given as its argument, answers a
// few commands with values of the bus's types, and quits when asked (or after a minute, so that a
// failed test leaves nothing running; five as the agent). Owning the agent's name, it stands in for the agent: it
// answers the agent's listener commands and records every change of its listening.

#include "platform/scripting/agentcommands.h"
#include "platform/scripting/busapplication.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QTimer>
#include <QVariantMap>

#include <cstdlib>

class PeerCommands : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zel_tor.test.Peer")

public slots:
    Q_SCRIPTABLE QString Echo(const QString &text) { return text; }
    Q_SCRIPTABLE bool IsListening() { return true; }
    Q_SCRIPTABLE QStringList Names() { return {"Address Book", "Safari", "Finder"}; }
    Q_SCRIPTABLE QVariantMap Record() { return {{"name", "Tolvane"}, {"count", 3}}; }
    Q_SCRIPTABLE qlonglong Large() { return 1LL << 40; }
    Q_SCRIPTABLE void Nothing() {}
};

// The agent's listener, as the main program silences and wakes it. Calls() gives the flags set, in
// order, each as "true" or "false".
class AgentListener : public QObject
{
    Q_OBJECT

public slots:
    Q_SCRIPTABLE bool IsListening() { return m_listening; }
    Q_SCRIPTABLE void SetListener(const QDBusVariant &flag)
    {
        const QString text = flag.variant().toString().toLower();
        m_listening = text == "true" || text == "yes" || text == "on" || text == "1";
        m_calls << (m_listening ? QStringLiteral("true") : QStringLiteral("false"));
    }
    Q_SCRIPTABLE QStringList Calls() { return m_calls; }

private:
    bool m_listening = true;
    QStringList m_calls;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return EXIT_FAILURE;
    PeerCommands commands;
    if (!QDBusConnection::sessionBus().registerObject("/commands", &commands,
                                                      QDBusConnection::ExportScriptableSlots))
        return EXIT_FAILURE;
    AgentListener listener;
    if (!QDBusConnection::sessionBus().registerObject(agentcommands::kPath, agentcommands::kInterface,
                                                      &listener,
                                                      QDBusConnection::ExportScriptableSlots))
        return EXIT_FAILURE;
    BusApplication bus(QString::fromUtf8(argv[1]));
    if (!bus.isRegistered())
        return EXIT_FAILURE;
    // The agent stand-in lives through a whole full update of a big book.
    const bool agent = QString::fromUtf8(argv[1]) == agentcommands::kBundleIdentifier;
    QTimer::singleShot(agent ? 300000 : 60000, &app, &QCoreApplication::quit);
    return app.exec();
}

#include "scriptingpeer.moc"
