// Change tracking against the snapshot stored in the preferences: which entries count as
// inserted or changed, the last dates, and whether anything changed since the snapshot.

#include "google/engine/googlechangetracking.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <gtest/gtest.h>

namespace {

using googlechangetracking::Contacts;
using googlechangetracking::Groups;

const QDateTime kBase = QDateTime(QDate(2009, 3, 14), QTime(15, 9, 26), Qt::UTC);

QDateTime at(int minutes)
{
    return kBase.addSecs(minutes * 60);
}

// A contact updated at the minute, with or without the program's extended property.
GDataEntryContactPtr entry(int minutes, bool program = true)
{
    auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("c%1").arg(minutes));
    contact->setUpdatedDate(at(minutes));
    if (program)
        contact->addExtendedProperty(GDataExtendedProperty::propertyWithName("tolvane"));
    return contact;
}

std::vector<int> minutesOf(const Contacts &entries)
{
    std::vector<int> minutes;
    for (const GDataEntryContactPtr &e : entries)
        minutes.push_back(int(kBase.secsTo(e->updatedDate()) / 60));
    return minutes;
}

class GoogleChangeTrackingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &key :
             {googlekeys::lastGoogleGroupCount, googlekeys::lastGoogleGroupUpdate,
              googlekeys::lastGoogleGroupInsert, googlekeys::lastGoogleContactCount,
              googlekeys::lastGoogleContactUpdate, googlekeys::lastGoogleContactInsert})
            UserDefaults::standard().removeObjectForKey(key);
    }
    static void store(const QString &key, const QVariant &value)
    {
        UserDefaults::standard().setObject(value, key);
    }
};

TEST_F(GoogleChangeTrackingTest, AllWithProperty_InsertedMeansChangedAndLastInsertIsLastUpdate)
{
    const Contacts contacts = {entry(1), entry(5), entry(3)};
    EXPECT_EQ(minutesOf(googlechangetracking::insertedSince(contacts, at(2))),
              (std::vector<int>{5, 3}));
    EXPECT_EQ(googlechangetracking::lastInsertDate(contacts), at(5));
    EXPECT_EQ(googlechangetracking::lastUpdateDate(contacts), at(5));
}

TEST_F(GoogleChangeTrackingTest, OneMadeOutside_IsTheOnlyInsertAndGivesTheInsertDate)
{
    const Contacts contacts = {entry(1), entry(4, false), entry(9)};
    EXPECT_EQ(minutesOf(googlechangetracking::insertedSince(contacts, at(0))),
              (std::vector<int>{4}));
    EXPECT_EQ(googlechangetracking::lastInsertDate(contacts), at(4));
    EXPECT_EQ(googlechangetracking::lastUpdateDate(contacts), at(9));
}

TEST_F(GoogleChangeTrackingTest, EntryUpdatedAtTheDate_IsNeitherInsertedNorChanged)
{
    const Contacts contacts = {entry(3)};
    EXPECT_TRUE(googlechangetracking::insertedSince(contacts, at(3)).empty());
    EXPECT_TRUE(googlechangetracking::changedSince(contacts, at(3)).empty());
    EXPECT_EQ(googlechangetracking::changedSince(contacts, at(2)).size(), 1u);
}

TEST_F(GoogleChangeTrackingTest, EmptyList_HasNoDates)
{
    EXPECT_FALSE(googlechangetracking::lastInsertDate(Contacts{}).isValid());
    EXPECT_FALSE(googlechangetracking::lastUpdateDate(Groups{}).isValid());
}

// One snapshot and one state of the lists, with the three answers expected.
struct SnapshotCase
{
    const char *name;
    QVariantMap snapshot;
    int groups;   // groups updated at minutes 1..n
    int contacts; // contacts updated at minutes 1..n
    bool changed;
    bool countChanged;
    bool modDateChanged;
};

void PrintTo(const SnapshotCase &c, std::ostream *os)
{
    *os << c.name;
}

class GoogleSnapshotTest : public GoogleChangeTrackingTest,
                           public ::testing::WithParamInterface<SnapshotCase>
{
};

Contacts contactsUpdated(int count)
{
    Contacts list;
    for (int i = 1; i <= count; ++i)
        list.push_back(entry(i));
    return list;
}

Groups groupsUpdated(int count)
{
    Groups list;
    for (int i = 1; i <= count; ++i) {
        auto group =
            GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("g%1").arg(i));
        group->setUpdatedDate(at(i));
        group->addExtendedProperty(GDataExtendedProperty::propertyWithName("tolvane"));
        list.push_back(group);
    }
    return list;
}

TEST_P(GoogleSnapshotTest, AnswersAsTheSnapshotSays)
{
    const SnapshotCase &c = GetParam();
    for (auto it = c.snapshot.cbegin(); it != c.snapshot.cend(); ++it)
        store(it.key(), it.value());
    const Groups groups = groupsUpdated(c.groups);
    const Contacts contacts = contactsUpdated(c.contacts);
    EXPECT_EQ(googlechangetracking::hasChangedSinceLast(groups, contacts), c.changed);
    EXPECT_EQ(googlechangetracking::hasCountChangedSinceLast(groups, contacts), c.countChanged);
    EXPECT_EQ(googlechangetracking::hasModDateChangedSinceLast(groups, contacts), c.modDateChanged);
}

const SnapshotCase kSnapshotCases[] = {
    {"NoSnapshotNonEmptyAccount", {}, 2, 3, false, true, false},
    {"NoSnapshotEmptyAccount", {}, 0, 0, false, false, false},
    {"SameAsSnapshot",
     {{googlekeys::lastGoogleGroupCount, 2},
      {googlekeys::lastGoogleGroupUpdate, at(2)},
      {googlekeys::lastGoogleGroupInsert, at(2)},
      {googlekeys::lastGoogleContactCount, 3},
      {googlekeys::lastGoogleContactUpdate, at(3)},
      {googlekeys::lastGoogleContactInsert, at(3)}},
     2,
     3,
     false,
     false,
     false},
    {"StoredGroupCountAndNoGroups",
     {{googlekeys::lastGoogleGroupCount, 5}},
     0,
     3,
     true,
     true,
     false},
    {"StoredContactCountDiffers",
     {{googlekeys::lastGoogleContactCount, 4}},
     0,
     3,
     true,
     true,
     false},
    {"StoredZeroCountNonEmptyList",
     {{googlekeys::lastGoogleContactCount, 0}},
     0,
     3,
     false,
     true,
     false},
    {"StoredUpdateDateAndEmptyList",
     {{googlekeys::lastGoogleContactUpdate, at(3)}},
     0,
     0,
     false,
     false,
     true},
    {"ContactUpdatedSinceSnapshot",
     {{googlekeys::lastGoogleContactCount, 3}, {googlekeys::lastGoogleContactUpdate, at(2)}},
     0,
     3,
     true,
     false,
     true},
    {"GroupUpdatedSinceSnapshot",
     {{googlekeys::lastGoogleGroupUpdate, at(1)}},
     2,
     0,
     true,
     true,
     true},
    {"InsertDateDiffers", {{googlekeys::lastGoogleContactInsert, at(1)}}, 0, 3, true, true, false},
};

INSTANTIATE_TEST_SUITE_P(Snapshots, GoogleSnapshotTest, ::testing::ValuesIn(kSnapshotCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
