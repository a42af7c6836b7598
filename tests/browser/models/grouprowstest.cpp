#include "browser/models/grouprows.h"

#include "browser/models/browserlistkeys.h"
#include "foundation/views/imagetext.h"
#include "google/engine/listkeys.h"
#include "google/push/pushkeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrybuilders.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using Prefs = std::vector<std::pair<QString, QVariant>>;

// One row as "groupType groupOrder groupName".
QStringList described(const QList<GroupRow> &rows)
{
    QStringList lines;
    for (const GroupRow &row : rows)
        lines.append(row.groupType + u' ' + row.groupOrder + u' ' + row.groupName);
    return lines;
}

class GroupRowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setString(u"Recent"_qs, listkeys::systemGroupRecent);
        defaults.setString(u"No Group"_qs, listkeys::systemGroupNoGroup);
        defaults.setString(u"Company"_qs, listkeys::systemGroupCompany);
        defaults.setString(u"Male"_qs, listkeys::systemGroupMale);
        defaults.setString(u"Female"_qs, listkeys::systemGroupFemale);
        defaults.setString(u"No Gender"_qs, listkeys::systemGroupNoGender);
        defaults.setString(u"Email Only"_qs, listkeys::systemGroupEmailOnly);
    }

    static void apply(const Prefs &prefs)
    {
        for (const auto &[key, value] : prefs)
            UserDefaults::standard().setObject(value, key);
    }

    const std::vector<GDataEntryContactGroupPtr> groups = {
        makeGroup(u"my"_qs, u"System Group: My Contacts"_qs, u"Contacts"_qs),
        makeGroup(u"fr"_qs, u"System Group: Friends"_qs, u"Friends"_qs),
        makeGroup(u"fa"_qs, u"System Group: Family"_qs, u"Family"_qs),
        makeGroup(u"co"_qs, u"System Group: Coworkers"_qs, u"Coworkers"_qs),
        makeGroup(u"zz"_qs, u"System Group: Other"_qs, u"Other"_qs),
        makeGroup(u"g1"_qs, u"banana"_qs),
        makeGroup(u"g2"_qs, u"Apple"_qs),
    };
};

TEST_F(GroupRowsTest, OrdersFollowTheThreeSortPreferences)
{
    const struct
    {
        const char *name;
        int first, second, third;
        int systemOrder, ownOrder, googleOrder;
    } cases[] = {
        {"0 1 2", 0, 1, 2, 20, 30, 40},
        {"0 2 1", 0, 2, 1, 20, 40, 30},
        {"1 0 2", 1, 0, 2, 30, 20, 40},
        {"1 2 0", 1, 2, 0, 40, 20, 30},
        {"2 0 1", 2, 0, 1, 30, 40, 20},
        {"2 1 0", 2, 1, 0, 40, 30, 20},
        // Out of range, each counts as its place's own kind.
        {"7 -1 9", 7, -1, 9, 20, 30, 40},
        {"7 0 9", 7, 0, 9, 20, 30, 40},
        {"1 5 0", 1, 5, 0, 40, 20, 30},
        // Not a permutation: a kind named by none takes a place left over.
        {"0 0 0", 0, 0, 0, 20, 30, 40},
        {"2 2 1", 2, 2, 1, 30, 40, 20},
    };
    for (const auto &c : cases) {
        const grouprows::GroupOrders orders = grouprows::groupOrders(c.first, c.second, c.third);
        EXPECT_EQ(orders.systemGroups, c.systemOrder) << c.name;
        EXPECT_EQ(orders.ownGroups, c.ownOrder) << c.name;
        EXPECT_EQ(orders.googleGroups, c.googleOrder) << c.name;
    }
}

TEST_F(GroupRowsTest, RowsByKindPreferencesAndNames)
{
    const struct
    {
        const char *name;
        Prefs prefs;
        std::optional<QList<AutoABGroup>> pushed;
        QStringList expected;
    } cases[] = {
        {"factory preferences",
         {},
         std::nullopt,
         {"a 10 My Contacts", "c 30 Company", "c 30 Female", "c 30 Male", "c 30 No Gender",
          "c 30 No Group", "c 30 Recent", "f 43 Apple", "f 43 banana"}},
        {"own groups first, names ignoring case",
         {{browserlistkeys::groupSortFirst, 1},
          {browserlistkeys::groupSortSecond, 0},
          {browserlistkeys::groupSortThird, 2},
          {browserlistkeys::groupSortNoCase, true},
          {browserlistkeys::showGoogleSystemGroupFriends, true},
          {browserlistkeys::showGoogleSystemGroupSuggested, true}},
         std::nullopt,
         {"a 10 My Contacts", "c 20 Company", "c 20 Female", "c 20 Male", "c 20 No Gender",
          "c 20 No Group", "c 20 Recent", "b 30 Email Only", "b 30 Friends", "f 43 Apple",
          "f 43 banana"}},
        {"every system group shown",
         {{browserlistkeys::showGoogleSystemGroupFriends, true},
          {browserlistkeys::showGoogleSystemGroupFamily, true},
          {browserlistkeys::showGoogleSystemGroupCoworkers, true},
          {browserlistkeys::groupSortFirst, 2},
          {browserlistkeys::groupSortSecond, 1},
          {browserlistkeys::groupSortThird, 0}},
         std::nullopt,
         {"a 10 My Contacts", "f 23 Apple", "f 23 banana", "c 30 Company", "c 30 Female",
          "c 30 Male", "c 30 No Gender", "c 30 No Group", "c 30 Recent", "b 40 Coworkers",
          "b 40 Family", "b 40 Friends"}},
        {"groups pushed from the address book",
         {{pushkeys::autoPushABChanges, 1}},
         QList<AutoABGroup>{{u"Apple"_qs, u"A:ABSmartGroup"_qs, true, {}, true},
                            {u"banana"_qs, u"B:ABGroup"_qs, false, {}, true},
                            {u"Other"_qs, u"C:ABGroup"_qs, false, {}, false}},
         {"a 10 My Contacts", "c 30 Company", "c 30 Female", "c 30 Male", "c 30 No Gender",
          "c 30 No Group", "c 30 Recent", "d 41 Apple", "e 42 banana"}},
    };
    for (const auto &c : cases) {
        for (const auto &other : cases) {
            for (const auto &[key, value] : other.prefs)
                UserDefaults::standard().removeObjectForKey(key);
        }
        apply(c.prefs);
        EXPECT_EQ(described(grouprows::groupRows(groups, c.pushed)), c.expected) << c.name;
    }
}

TEST_F(GroupRowsTest, PlainSortPutsCapitalsFirst)
{
    UserDefaults::standard().setBool(false, browserlistkeys::groupSortNoCase);
    const QList<GroupRow> rows = grouprows::groupRows(
        {makeGroup(u"g1"_qs, u"apple"_qs), makeGroup(u"g2"_qs, u"Banana"_qs)}, std::nullopt);
    EXPECT_EQ(rows[rows.size() - 2].groupName, u"Banana"_qs);
    EXPECT_EQ(rows.back().groupName, u"apple"_qs);
}

TEST_F(GroupRowsTest, RowsCarryIdentifiersAndTitledIcons)
{
    UserDefaults::standard().setInteger(1, pushkeys::autoPushABChanges);
    UserDefaults::standard().setBool(true, pushkeys::autoABUsesContactsWithoutGroups);
    const QList<GroupRow> rows = grouprows::groupRows(groups, std::nullopt);
    ASSERT_EQ(rows.front().groupType, u"a"_qs);
    EXPECT_EQ(rows.front().identifier, u"my"_qs);
    ASSERT_TRUE(rows.front().nameWithImage);
    EXPECT_TRUE(rows.front().nameWithImage->toPlainText().endsWith(u" My Contacts"_qs));
    const auto noGroup = std::find_if(rows.begin(), rows.end(),
                                      [](const GroupRow &r) { return r.groupName == u"No Group"; });
    ASSERT_NE(noGroup, rows.end());
    // The program's own groups are known to the engine by their titles.
    EXPECT_EQ(noGroup->identifier, u"No Group"_qs);
    const auto apple = std::find_if(rows.begin(), rows.end(),
                                    [](const GroupRow &r) { return r.groupName == u"Apple"; });
    ASSERT_NE(apple, rows.end());
    EXPECT_EQ(apple->identifier, u"g2"_qs);
}

TEST_F(GroupRowsTest, EveryRowAndContactIconIsShipped)
{
    QDir::setSearchPaths(u"images"_qs, {u":/images"_qs});
    grouprows::groupRows(groups, std::nullopt);
    for (const QString &name :
         {u"Account"_qs, u"Company"_qs, u"Male"_qs, u"Female"_qs, u"tolvane_32"_qs,
          u"GoogleGroup3"_qs, grouprows::systemGroupIconName, u"abBindSmart"_qs, u"abBindBlank"_qs})
        EXPECT_FALSE(imagetext::imageNamed(name).isNull()) << name.toStdString();
    QDir::setSearchPaths(u"images"_qs, {});
}

} // namespace
