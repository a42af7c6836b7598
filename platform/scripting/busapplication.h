#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// The program's own presence on the session bus: it owns the bus name of its bundle identifier,
// so others find it running, and answers "Quit" and "OpenFiles" of the interface
// "com.zel_tor.Application".
class BusApplication : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zel_tor.Application")

public:
    explicit BusApplication(const QString &bundleIdentifier, QObject *parent = nullptr);
    ~BusApplication() override;

    // Whether the bus name is ours (another running copy may own it).
    bool isRegistered() const { return m_registered; }

    // What OpenFiles hands the paths to; it answers whether the program took them.
    void setOpenFilesHandler(std::function<bool(const QStringList &)> handler)
    {
        m_openFiles = std::move(handler);
    }

public slots:
    // Ends the program once the reply has gone out.
    Q_SCRIPTABLE void Quit();
    // Files another copy of the program was started with, as absolute paths; false when the
    // program took none of them (or offers no handler).
    Q_SCRIPTABLE bool OpenFiles(const QStringList &paths);

private:
    QString m_bundleIdentifier;
    std::function<bool(const QStringList &)> m_openFiles;
    bool m_registered = false;
};
