#pragma once

#include <QObject>
#include <QString>

// The program's own presence on the session bus: it owns the bus name of its bundle identifier,
// so others find it running, and answers "Quit" of the interface "com.zel_tor.Application".
class BusApplication : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zel_tor.Application")

public:
    explicit BusApplication(const QString &bundleIdentifier, QObject *parent = nullptr);
    ~BusApplication() override;

    // Whether the bus name is ours (another running copy may own it).
    bool isRegistered() const { return m_registered; }

public slots:
    // Ends the program once the reply has gone out.
    Q_SCRIPTABLE void Quit();

private:
    QString m_bundleIdentifier;
    bool m_registered = false;
};
