#include "app/prefs/pushselection.h"
#include "app/menus/commandkeys.h"
#include "google/push/pushkeys.h"
#include "google/upload/googleelementkeys.h"
#include "platform/defaults/userdefaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kSelectionOptions[] = {pushkeys::autoABStrict,
                                     googlekeys::autoABSelectedGroupsIncludeNestedGroups,
                                     commandkeys::autoABSelectedGroupsIncludeNewGroups};

struct Case
{
    const char *name;
    bool ticked;
    bool usesSelectedGroups;
    bool hasSelectedGroups;
    // Whether the selection's options keep the YES they had.
    bool optionsKept;
};

class PushSelectionTest : public ::testing::TestWithParam<Case>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    }
    QTemporaryDir home;
};

TEST_P(PushSelectionTest, ATickedGroupOrNoSelectionInUseCountsAsSelected)
{
    const Case &c = GetParam();
    UserDefaults defaults(QStringLiteral("com.zel-tor.tolvane.pushselectiontest"));
    defaults.setBool(c.usesSelectedGroups, commandkeys::autoABUsesSelectedGroups);
    for (const QString &key : kSelectionOptions)
        defaults.setBool(true, key);
    QList<AutoABGroup> groups(3);
    groups[0].groupName = QStringLiteral("Friends");
    groups[1].groupName = QStringLiteral("Work");
    groups[1].doSynch = c.ticked;
    EXPECT_EQ(pushselection::hasSelectedGroups(groups, defaults), c.hasSelectedGroups);
    for (const QString &key : kSelectionOptions)
        EXPECT_EQ(defaults.boolForKey(key), c.optionsKept) << key.toStdString();
    EXPECT_EQ(defaults.boolForKey(commandkeys::autoABUsesSelectedGroups), c.usesSelectedGroups);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PushSelectionTest,
    ::testing::Values(Case{"TickedWithSelection", true, true, true, true},
                      Case{"TickedWithoutSelection", true, false, true, true},
                      Case{"NoneTickedWithSelection", false, true, false, false},
                      Case{"NoneTickedWithoutSelection", false, false, true, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
