#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "app/delegate/appdelegate.h"
#include "app/delegate/launchfacts.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/keyboardmodifiers.h"
#include "tests/support/app/mainprogramtest.h"

#include <QFileInfo>
#include <ostream>

#include <gtest/gtest.h>

namespace {

TEST(LaunchFactsTest, ThePreferencesFileIsNewOnlyWhileNothingWasStored)
{
    launchfacts::capture();
    const launchfacts::Facts first = launchfacts::current();
    EXPECT_EQ(first.preferencesFilePath, UserDefaults::domainPath(bundleinfo::kBundleIdentifier));
    EXPECT_TRUE(first.preferencesFileNew);

    UserDefaults::setStandardDomain(bundleinfo::kBundleIdentifier);
    UserDefaults::standard().setBool(true, appkeys::runAsStatusItem);
    // What the program learnt at its launch stays for the whole run.
    EXPECT_TRUE(launchfacts::current().preferencesFileNew);
    launchfacts::capture();
    EXPECT_FALSE(launchfacts::current().preferencesFileNew);
}

TEST(UpdaterTest, TheFeedParametersNameTheProgramsIdentifier)
{
    const QVariantList parameters = AppDelegate::feedParametersForUpdater();
    ASSERT_EQ(parameters.size(), 1);
    const QVariantMap parameter = parameters.at(0).toMap();
    EXPECT_EQ(parameter.value("key"), "id");
    EXPECT_EQ(parameter.value("value"), 3);
    EXPECT_EQ(parameter.value("displayKey"), "id");
    EXPECT_EQ(parameter.value("displayValue"), 3);
}

struct LogLevelCase
{
    const char *name;
    Qt::KeyboardModifiers keys;
    const char *version;
    int storedLevel;
    int expectedLevel;
};

void PrintTo(const LogLevelCase &c, std::ostream *out)
{
    *out << c.name;
}

class LogLevelTest : public MainProgramTest, public ::testing::WithParamInterface<LogLevelCase>
{
};

TEST_P(LogLevelTest, FollowsTheKeysHeldAtLaunchAndABetaVersion)
{
    const LogLevelCase &c = GetParam();
    UserDefaults::standard().setInteger(c.storedLevel, "appLogLevel");
    keyboardmodifiers::setCurrentForTesting(c.keys);
    bundleinfo::setVersionForTesting(QString::fromUtf8(c.version));
    EXPECT_TRUE(AppDelegate::initialize());
    keyboardmodifiers::setCurrentForTesting(std::nullopt);
    EXPECT_EQ(UserDefaults::standard().integerForKey("appLogLevel"), c.expectedLevel);
    EXPECT_TRUE(lines().contains("[AppDelegate initialize] - Release Build"));
}

INSTANTIATE_TEST_SUITE_P(
    Launches, LogLevelTest,
    ::testing::Values(LogLevelCase{"ShiftAndOption", Qt::ShiftModifier | Qt::AltModifier, "1.0.0",
                                   0, 2},
                      LogLevelCase{"ShiftAloneInABeta", Qt::ShiftModifier, "1.0b2", 0, 1},
                      LogLevelCase{"ABeta", Qt::NoModifier, "1.0B2", 0, 2},
                      LogLevelCase{"NoKeysKeepTheStoredLevel", Qt::NoModifier, "1.0.0", 1, 1}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
