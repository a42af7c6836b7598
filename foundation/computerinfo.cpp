#include "foundation/computerinfo.h"

#include "foundation/log.h"

#include <QCoreApplication>
#include <QFile>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QProcessEnvironment>
#include <QSysInfo>
#include <QUuid>

#include <atomic>
#include <pwd.h>
#include <unistd.h>

namespace ComputerInfo {
namespace {

// The processor type numbers that the old kernel reported, by architecture.
constexpr int kCpuTypeX86 = 7;
constexpr int kCpuTypeArm = 12;
constexpr int kCpuTypePowerPC = 18;

QString readFirstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

// The value of KEY=value in a file of such lines (quotes removed); null when absent.
QString keyValueFromFile(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString prefix = key + u'=';
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.startsWith(prefix))
            continue;
        QString value = line.mid(prefix.size());
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return {};
}

const passwd *account()
{
    return ::getpwuid(::getuid());
}

int hostCpuType()
{
    const QString arch = QSysInfo::currentCpuArchitecture();
    if (arch.startsWith(QLatin1String("x86")) || arch.startsWith(QLatin1String("i386")))
        return kCpuTypeX86;
    if (arch.startsWith(QLatin1String("arm")))
        return kCpuTypeArm;
    if (arch.startsWith(QLatin1String("power")))
        return kCpuTypePowerPC;
    return -1;
}

QString dmiProductName()
{
    return readFirstLine(QStringLiteral("/sys/class/dmi/id/product_name"));
}

} // namespace

QString fullUserName()
{
    const passwd *entry = account();
    if (!entry || !entry->pw_gecos)
        return QStringLiteral("");
    // The comment field holds the full name first, then office and phones after commas.
    return QString::fromLocal8Bit(entry->pw_gecos).section(u',', 0, 0);
}

QString shortUserName()
{
    const passwd *entry = account();
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QStringLiteral("");
}

QString hostName()
{
    return QSysInfo::machineHostName();
}

QString computerName()
{
    const QString pretty =
        keyValueFromFile(QStringLiteral("/etc/machine-info"), QStringLiteral("PRETTY_HOSTNAME"));
    if (!pretty.isEmpty())
        return pretty;
    return QSysInfo::machineHostName();
}

QString computerName2()
{
    return QHostInfo::localHostName();
}

QString hostAddress()
{
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    if (addresses.isEmpty())
        return QStringLiteral("");
    return addresses.value(addresses.size() > 1 ? 1 : 0).toString();
}

bool isHostReachable(const QString &host)
{
    tlog::write(QStringLiteral(" c_host = %1").arg(host));
    const QHostInfo info = QHostInfo::fromName(host);
    return info.error() == QHostInfo::NoError && !info.addresses().isEmpty();
}

QVariantMap environment()
{
    QVariantMap map;
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &key : env.keys())
        map.insert(key, env.value(key));
    return map;
}

QStringList arguments()
{
    return QCoreApplication::arguments();
}

QString UUID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

QString UUID2()
{
    // Unique across processes and calls: a UUID, the process id and a counter.
    static std::atomic<quint64> s_counter{0};
    return UUID() + u'-' + QString::number(::getpid()) + u'-' +
           QStringLiteral("%1").arg(s_counter.fetch_add(1) + 1, 9, 16, QLatin1Char('0')).toUpper();
}

qint64 physicalRAM1()
{
    const QString total =
        keyValueFromFile(QStringLiteral("/proc/meminfo"), QStringLiteral("MemTotal:"));
    const QString kilobytes = total.section(u' ', 0, 0, QString::SectionSkipEmpty);
    bool ok = false;
    const qint64 value = kilobytes.toLongLong(&ok);
    return ok ? value / 1024 : 0;
}

quint64 physicalRAM2()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        tlog::write(QStringLiteral("sysctl (RAM) error occured!"));
        return 0;
    }
    return quint64(pages) * quint64(pageSize) / (1024 * 1024);
}

qint64 processorClockSpeed()
{
    bool ok = false;
    const qint64 kilohertz =
        readFirstLine(QStringLiteral("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"))
            .toLongLong(&ok);
    if (ok)
        return kilohertz * 1000;
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (!cpuinfo.open(QIODevice::ReadOnly))
        return 0;
    while (!cpuinfo.atEnd()) {
        const QString line = QString::fromUtf8(cpuinfo.readLine());
        if (!line.startsWith(QLatin1String("cpu MHz")))
            continue;
        const double megahertz = line.section(u':', 1).trimmed().toDouble(&ok);
        return ok ? qint64(megahertz * 1000000.0) : 0;
    }
    return 0;
}

qint64 processorClockSpeedInMHz()
{
    return processorClockSpeed() / 1000000;
}

unsigned int countProcessors()
{
    const long count = ::sysconf(_SC_NPROCESSORS_CONF);
    return count > 0 ? unsigned(count) : 0;
}

bool isPowerPC()
{
    return hostCpuType() == kCpuTypePowerPC;
}

// The PowerPC generations were told apart by processor subtypes that no current kernel reports.
bool isG3()
{
    return false;
}

bool isG4()
{
    return false;
}

bool isG5()
{
    return false;
}

QString cpuType()
{
    const int type = hostCpuType();
    return type < 0 ? QString() : QString::number(type);
}

QString processorType()
{
    return isPowerPC() ? QStringLiteral("PowerPC pre-G3") : QStringLiteral("Non-PowerPC");
}

bool is64Bit()
{
    return QSysInfo::currentCpuArchitecture().contains(QLatin1String("64"));
}

QString CPUType()
{
    switch (hostCpuType()) {
    case kCpuTypeX86:
        return QStringLiteral("Intel");
    case kCpuTypePowerPC:
        return QStringLiteral("PowerPC");
    default:
        return QStringLiteral("Unknown");
    }
}

QString CPUSubType()
{
    if (hostCpuType() == kCpuTypeX86)
        return is64Bit() ? QStringLiteral("Intel Core 2") : QStringLiteral("Intel Core");
    return QStringLiteral("Other");
}

QString machineType()
{
    const QString name = dmiProductName();
    return name.isEmpty() ? QStringLiteral("machineType: machine name cannot be determined") : name;
}

QString macModel()
{
    QString model = readFirstLine(QStringLiteral("/sys/firmware/devicetree/base/model"));
    if (model.isEmpty())
        model = dmiProductName();
    model.remove(QChar(0));
    return model.isEmpty() ? QStringLiteral("Unknown") : model;
}

QString computerSerialNumber()
{
    return readFirstLine(QStringLiteral("/sys/class/dmi/id/product_serial"));
}

QString ethernetAddress()
{
    constexpr int kNoInterface = 5;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        if (interface.type() != QNetworkInterface::Ethernet ||
            !interface.flags().testFlag(QNetworkInterface::IsUp))
            continue;
        const QString address = interface.hardwareAddress().toLower();
        return address.isEmpty() ? QStringLiteral("00:00:00:00:00:00") : address;
    }
    return QStringLiteral("%1").arg(kNoInterface, 8, 16, QLatin1Char('0'));
}

QString operatingSystemString()
{
    return QSysInfo::kernelType();
}

QString systemVersionString()
{
    return QSysInfo::prettyProductName();
}

QString systemVersionString2()
{
    return keyValueFromFile(QStringLiteral("/etc/os-release"), QStringLiteral("VERSION_ID"));
}

QVariantMap miniSystemProfile()
{
    const QList<std::pair<const char *, QVariant>> facts = {
        {"ShortUserName", shortUserName()},
        {"LongUserName", fullUserName()},
        {"HostName", hostName()},
        {"IPAddress", hostAddress()},
        {"MachineType", machineType()},
        {"ProcessorClockSpeed", processorClockSpeed()},
        {"ProcessorClockSpeedInMHz", processorClockSpeedInMHz()},
        {"CountProcessors", countProcessors()},
        {"IsPowerPC", isPowerPC()},
        {"IsG3", isG3()},
        {"IsG4", isG4()},
        {"IsG5", isG5()},
        {"Is64Bit", is64Bit()},
        {"ProcessorType", processorType()},
        {"CPUType", CPUType()},
        {"CPUSubType", CPUSubType()},
        {"MacModel", macModel()},
        {"ComputerName", computerName()},
        {"ComputerName2", computerName2()},
        {"ComputerSerialNumber", computerSerialNumber()},
        {"RAM (MBs)", physicalRAM1()},
        {"RAM2 (MBs)", physicalRAM2()},
        {"OperatingSystemString", operatingSystemString()},
        {"SystemVersion", systemVersionString()},
        {"SystemVersion2", systemVersionString2()},
        {"EthernetAddress", ethernetAddress()},
        {"UUID", UUID()},
        {"UUID2", UUID2()},
        {"Environment", environment()},
        {"Arguments", arguments()},
    };
    QVariantMap profile;
    for (const auto &[name, value] : facts) {
        // A fact that cannot be read is left out alone; the facts after it stay.
        if (value.metaType().id() == QMetaType::QString && value.toString().isNull())
            continue;
        profile.insert(QString::fromLatin1(name), value);
    }
    return profile;
}

} // namespace ComputerInfo
