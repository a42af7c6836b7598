#include "platform/scripting/busapplication.h"

#include "platform/scripting/busprograms.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTimer>

BusApplication::BusApplication(const QString &bundleIdentifier, QObject *parent)
    : QObject(parent)
    , m_bundleIdentifier(bundleIdentifier)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(busprograms::kApplicationPath, this,
                            QDBusConnection::ExportScriptableSlots)) {
        qWarning("Cannot offer the application object on the session bus");
        return;
    }
    m_registered = bus.registerService(bundleIdentifier);
    if (!m_registered)
        qWarning("Cannot own the bus name %s", qPrintable(bundleIdentifier));
}

BusApplication::~BusApplication()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(busprograms::kApplicationPath);
    if (m_registered)
        bus.unregisterService(m_bundleIdentifier);
}

void BusApplication::Quit()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

bool BusApplication::OpenFiles(const QStringList &paths)
{
    return m_openFiles && m_openFiles(paths);
}
