// The program the scripting tests launch: it owns the bus name given as its argument, answers a
// few commands with values of the bus's types, and quits when asked (or after a minute, so that a
// failed test leaves nothing running).

#include "platform/scripting/busapplication.h"

#include <QCoreApplication>
#include <QDBusConnection>
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

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return EXIT_FAILURE;
    PeerCommands commands;
    if (!QDBusConnection::sessionBus().registerObject("/commands", &commands,
                                                      QDBusConnection::ExportScriptableSlots))
        return EXIT_FAILURE;
    BusApplication bus(QString::fromUtf8(argv[1]));
    if (!bus.isRegistered())
        return EXIT_FAILURE;
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}

#include "scriptingpeer.moc"
