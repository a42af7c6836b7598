#include "foundation/computerinfo.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

TEST(ComputerInfoTest, Facts_AreReadFromTheSystemWithTheirFallbacks)
{
    EXPECT_FALSE(ComputerInfo::shortUserName().isEmpty());
    EXPECT_FALSE(ComputerInfo::hostName().isEmpty());
    EXPECT_GT(ComputerInfo::countProcessors(), 0u);
    // Every machine this runs on has at least 64 MB, so a 32-bit overflow would show.
    EXPECT_GT(ComputerInfo::physicalRAM1(), 64);
    EXPECT_GT(ComputerInfo::physicalRAM2(), 64u);
    EXPECT_FALSE(ComputerInfo::isG3() || ComputerInfo::isG4() || ComputerInfo::isG5());
    if (!ComputerInfo::isPowerPC()) {
        EXPECT_EQ(ComputerInfo::processorType(), QStringLiteral("Non-PowerPC"));
    }
    if (ComputerInfo::CPUType() == QStringLiteral("Intel")) {
        EXPECT_EQ(ComputerInfo::CPUSubType(), ComputerInfo::is64Bit()
                                                  ? QStringLiteral("Intel Core 2")
                                                  : QStringLiteral("Intel Core"));
    }
    EXPECT_TRUE(ComputerInfo::ethernetAddress().contains(
        QRegularExpression(QStringLiteral("^([0-9a-f]{2}(:[0-9a-f]{2}){5}|[0-9a-f]{8})$"))));
    EXPECT_NE(ComputerInfo::UUID(), ComputerInfo::UUID());
    EXPECT_NE(ComputerInfo::UUID2(), ComputerInfo::UUID2());
    EXPECT_EQ(ComputerInfo::processorClockSpeedInMHz(),
              ComputerInfo::processorClockSpeed() / 1000000);
}

TEST(ComputerInfoTest, Profile_KeepsEveryFactThatCouldBeRead)
{
    const QVariantMap profile = ComputerInfo::miniSystemProfile();
    for (const char *key :
         {"ShortUserName", "HostName", "CountProcessors", "RAM (MBs)", "RAM2 (MBs)",
          "EthernetAddress", "UUID", "UUID2", "Environment", "Arguments", "OperatingSystemString"})
        EXPECT_TRUE(profile.contains(QString::fromLatin1(key))) << key;
    // A fact that is missing leaves the facts after it in place.
    if (ComputerInfo::systemVersionString2().isNull()) {
        EXPECT_FALSE(profile.contains(QStringLiteral("SystemVersion2")));
    }
    EXPECT_TRUE(profile.contains(QStringLiteral("EthernetAddress")));
    EXPECT_GT(profile.value(QStringLiteral("RAM2 (MBs)")).toULongLong(), 64u);
}

TEST(ComputerInfoTest, HostReachable_ResolvesLocalhost)
{
    EXPECT_TRUE(ComputerInfo::isHostReachable(QStringLiteral("localhost")));
}

} // namespace
