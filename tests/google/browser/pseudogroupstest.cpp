#include "google/browser/pseudogroups.h"

#include "addressbook/addressbookkeys.h"
#include "google/engine/listkeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrybuilders.h"

#include <gtest/gtest.h>

namespace {

using pseudogroups::Contacts;

const QString kMyContacts = u"sys-contacts"_qs;

class PseudoGroupsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setString(u"tolvaneContact"_qs, abkeys::googleContactExtendedPropertyName);
        const std::pair<QString, QString> pseudo[] = {
            {listkeys::systemGroupRecent, u"~recent"_qs},
            {listkeys::systemGroupNoGroup, u"~nogroup"_qs},
            {listkeys::systemGroupEmailOnly, u"~emailonly"_qs},
            {listkeys::systemGroupCompany, u"~company"_qs},
            {listkeys::systemGroupMale, u"~male"_qs},
            {listkeys::systemGroupFemale, u"~female"_qs},
            {listkeys::systemGroupNoGender, u"~nogender"_qs},
        };
        for (const auto &[key, value] : pseudo)
            defaults.setString(value, key);
        defaults.setInteger(2, listkeys::systemGroupRecentCount);

        lists.setGroups({makeGroup(kMyContacts, u"System Group: My Contacts"_qs, u"Contacts"_qs),
                         makeGroup(u"g1"_qs, u"Golf"_qs),
                         makeGroup(u"g2"_qs, u"system group: lower"_qs)});
        lists.setContacts({
            contact(u"co"_qs, {kMyContacts, u"g1"_qs},
                    {{u"isCo"_qs, u"1"_qs}, {u"crD"_qs, u"2009-01-03 00:00:00 +0000"_qs}}),
            contact(u"man"_qs, {kMyContacts},
                    {{u"gender"_qs, u"M"_qs}, {u"crD"_qs, u"2009-01-01 00:00:00 +0000"_qs}}),
            contact(u"woman"_qs, {},
                    {{u"gender"_qs, u"F"_qs}, {u"crD"_qs, u"2009-01-04 00:00:00 +0000"_qs}}),
            contact(u"plain"_qs, {kMyContacts, u"g1"_qs}, {}),
            contact(u"unknown"_qs, {u"g1"_qs},
                    {{u"gender"_qs, u"X"_qs}, {u"crD"_qs, u"2009-01-02 00:00:00 +0000"_qs}}),
        });
    }

    // Titled by its identifier; without values it has no program property.
    static GDataEntryContactPtr contact(const QString &id, const QStringList &groups,
                                        const std::vector<GDataExtendedProperty::XMLValue> &values)
    {
        GDataEntryContactPtr entry = makeContact({id, id, {}, groups});
        entry->setUpdatedDate(QDateTime::fromSecsSinceEpoch(0));
        if (!values.empty())
            entry->setExtendedProperties({makeProperty(u"tolvaneContact"_qs, values)});
        return entry;
    }

    static QStringList ids(const Contacts &contacts)
    {
        QStringList found;
        for (const GDataEntryContactPtr &c : contacts)
            found.append(c->identifier());
        return found;
    }

    GoogleContactLists lists;
};

TEST_F(PseudoGroupsTest, Filters_ChooseByPropertyAndMembership)
{
    struct Case
    {
        const char *name;
        Contacts (*list)(const GoogleContactLists &);
        QStringList expected;
    } cases[] = {
        {"companies", pseudogroups::companyArray, {u"co"_qs}},
        {"men", pseudogroups::maleArray, {u"man"_qs}},
        {"women", pseudogroups::femaleArray, {u"woman"_qs}},
        {"neither", pseudogroups::noGenderArray, {u"plain"_qs, u"unknown"_qs}},
        {"in no group", pseudogroups::emailOnlyArray, {u"woman"_qs}},
        {"only in My Contacts", pseudogroups::noGroupArray, {u"man"_qs}},
        {"in My Contacts", pseudogroups::myContactsArray, {u"co"_qs, u"man"_qs, u"plain"_qs}},
        {"newest two, in title order", pseudogroups::recentArray, {u"co"_qs, u"woman"_qs}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ids(c.list(lists)), c.expected) << c.name;
}

TEST_F(PseudoGroupsTest, RecentWindow_HoldsAllOrNone)
{
    UserDefaults::standard().setInteger(10, listkeys::systemGroupRecentCount);
    EXPECT_EQ(ids(pseudogroups::recentArray(lists)),
              (QStringList{u"co"_qs, u"man"_qs, u"plain"_qs, u"unknown"_qs, u"woman"_qs}));
    UserDefaults::standard().setInteger(0, listkeys::systemGroupRecentCount);
    EXPECT_TRUE(pseudogroups::recentArray(lists).isEmpty());
}

TEST_F(PseudoGroupsTest, NonSystemGroups_LeaveOutSystemGroupsInAnyCase)
{
    QStringList found;
    for (const GDataEntryContactGroupPtr &group : pseudogroups::nonSystemGroupsArray(lists))
        found.append(group->identifier());
    EXPECT_EQ(found, QStringList{u"g1"_qs});
}

TEST_F(PseudoGroupsTest, Selections_UniteOrIntersectGroupsAndPseudoGroups)
{
    struct Case
    {
        const char *name;
        QStringList identifiers;
        bool intersect;
        QStringList expected;
    } cases[] = {
        {"union of nothing", {}, false, {}},
        {"intersection of nothing",
         {},
         true,
         {u"co"_qs, u"man"_qs, u"plain"_qs, u"unknown"_qs, u"woman"_qs}},
        {"a group and companies, intersected", {u"g1"_qs, u"~company"_qs}, true, {u"co"_qs}},
        {"men and women, united", {u"~male"_qs, u"~female"_qs}, false, {u"man"_qs, u"woman"_qs}},
        {"an unknown identifier has no part", {u"nowhere"_qs, u"~female"_qs}, true, {u"woman"_qs}},
        {"the same group twice",
         {u"g1"_qs, u"g1"_qs},
         false,
         {u"co"_qs, u"plain"_qs, u"unknown"_qs}},
    };
    for (const Case &c : cases) {
        const pseudogroups::GroupSelection selection =
            pseudogroups::groupSetForIDs(lists, c.identifiers);
        EXPECT_EQ(ids(pseudogroups::contactsForGroupSet(lists, selection, c.intersect)), c.expected)
            << c.name;
    }
}

} // namespace
