#include "foundation/tolvaneutilities.h"
#include "foundation/transientkeys.h"
#include "platform/defaults/userdefaults.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

void writeTransientState(UserDefaults &defaults)
{
    for (const QString &key : transientkeys::kAll)
        defaults.setBool(true, key);
    defaults.setString("Fetching contacts", transientkeys::kStatusMessage);
}

TEST(TransientPreferences, QuitRemovesEveryOneInOrderAndNothingElse)
{
    UserDefaults &defaults = UserDefaults::standard();
    writeTransientState(defaults);
    defaults.setInteger(2, "appLogLevel");

    QSignalSpy removed(&defaults, &UserDefaults::valueChanged);
    TolvaneUtilities::applicationWillTerminate();

    QStringList order;
    for (const QList<QVariant> &change : removed)
        order.append(change.at(0).toString());
    EXPECT_EQ(order, QStringList(transientkeys::kAll.begin(), transientkeys::kAll.end()));

    UserDefaults nextRun(defaults.domain());
    for (const QString &key : transientkeys::kAll)
        EXPECT_FALSE(nextRun.objectForKey(key).isValid()) << key.toStdString();
    EXPECT_EQ(nextRun.integerForKey("appLogLevel"), 2);
}

TEST(TransientPreferences, KeysNeverWrittenAreRemovedWithoutError)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setBool(true, transientkeys::kIsSafariRunning);
    QSignalSpy removed(&defaults, &UserDefaults::valueChanged);
    TolvaneUtilities::applicationWillTerminate();
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).toString(), transientkeys::kIsSafariRunning);
}

// A run that crashed or was killed never quit: the next launch must not see its failure flags.
TEST(TransientPreferences, LaunchAfterACrashClearsThemBeforeTheFactoryValuesApply)
{
    UserDefaults(UserDefaults::standard().domain())
        .setBool(true, transientkeys::kGoogleConnectionFailure);
    UserDefaults(UserDefaults::standard().domain()).setBool(true, transientkeys::kIsSafariRunning);

    UserDefaults &defaults = UserDefaults::standard();
    TolvaneUtilities::applicationWillLaunch();
    defaults.registerDefaults({{transientkeys::kGoogleConnectionFailure, false},
                               {transientkeys::kIsSafariRunning, false}});
    EXPECT_FALSE(defaults.boolForKey(transientkeys::kGoogleConnectionFailure));
    EXPECT_FALSE(defaults.boolForKey(transientkeys::kIsSafariRunning));
    EXPECT_TRUE(defaults.objectForKey(transientkeys::kGoogleConnectionFailure).isValid());
}

} // namespace
