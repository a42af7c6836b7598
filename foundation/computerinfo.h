#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// Facts about the user, the host, the processor, the memory, the model and the operating system.
// On Linux they come from the password database, /proc, /sys, /etc/os-release, the network
// interfaces and QSysInfo; facts that only the old hardware had (PowerPC generations and the
// like) answer their fallback values: "", "Unknown", "Other", 0, false or a null text.
namespace ComputerInfo {

QString fullUserName();
QString shortUserName();
QString hostName();
QString computerName();
QString computerName2();
QString hostAddress();
bool isHostReachable(const QString &host);
QVariantMap environment();
QStringList arguments();
QString UUID();
QString UUID2();

// Megabytes of memory: as the kernel counts it usable, and as physical pages.
qint64 physicalRAM1();
quint64 physicalRAM2();
qint64 processorClockSpeed();
qint64 processorClockSpeedInMHz();
unsigned int countProcessors();
bool isPowerPC();
bool isG3();
bool isG4();
bool isG5();
QString cpuType();
QString processorType();
bool is64Bit();
QString CPUType();
QString CPUSubType();

QString machineType();
QString macModel();
QString computerSerialNumber();
QString ethernetAddress();
QString operatingSystemString();
QString systemVersionString();
QString systemVersionString2();

// The 30 facts by name; a fact that cannot be read is left out and the others stay.
QVariantMap miniSystemProfile();

} // namespace ComputerInfo
