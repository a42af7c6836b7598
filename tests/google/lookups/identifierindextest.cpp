#include "google/engine/googlecontactlists.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/text/textdate.h"
#include "google/engine/listkeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrybuilders.h"

#include <gtest/gtest.h>

namespace {

using Elements = std::vector<GDataExtendedProperty::XMLValue>;

const QString kWhen = u"2009-03-14 15:09:26 -0700"_qs;

class IdentifierIndexTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UserDefaults::standard().setString(u"tolvaneContact"_qs,
                                           abkeys::googleContactExtendedPropertyName);
        UserDefaults::standard().setString(u"tolvaneGroup"_qs,
                                           abkeys::googleGroupExtendedPropertyName);
    }

    static GDataEntryContactPtr contact(const QString &id, const std::optional<QString> &title,
                                        const std::vector<GDataExtendedProperty> &properties)
    {
        GDataEntryContactPtr entry = makeContact({id, title});
        entry->setExtendedProperties(properties);
        entry->setUpdatedDate(textdate::parse(kWhen));
        return entry;
    }

    GoogleContactLists lists;
};

struct RowCase
{
    const char *name;
    GDataExtendedProperty property;
    QString abid;
    QString asOf;
    QString dataMask;
    bool hasVersion;
};

TEST_F(IdentifierIndexTest, ContactRows_ReadTheOwnPropertyAndTheOneDataMask)
{
    const QString mask = u"dm1010101010"
                         u"0"
                         u"12"
                         u"3"_qs;
    const RowCase cases[] = {
        {"full property",
         makeProperty(u"tolvaneContact"_qs,
                      {{u"aID"_qs, u"p1"_qs}, {u"asOf"_qs, kWhen}, {mask, kWhen}}),
         u"p1"_qs, kWhen, mask, true},
        {"no property", makeProperty(u"elsewhere"_qs, {{u"aID"_qs, u"p1"_qs}}), u""_qs, u""_qs,
         u""_qs, false},
        {"two data mask elements",
         makeProperty(u"tolvaneContact"_qs,
                      {{u"aID"_qs, u"p2"_qs}, {u"dmA"_qs, kWhen}, {u"dmB"_qs, kWhen}}),
         u"p2"_qs, u""_qs, u""_qs, false},
        {"unreadable data mask date", makeProperty(u"tolvaneContact"_qs, {{mask, u"yesterday"_qs}}),
         u""_qs, u""_qs, mask, false},
        // Of an element given twice the first counts; one name twice is still one data mask.
        {"elements given twice",
         makeProperty(u"tolvaneContact"_qs, {{u"aID"_qs, u"p3"_qs},
                                             {mask, kWhen},
                                             {u"aID"_qs, u"p4"_qs},
                                             {mask, u"yesterday"_qs}}),
         u"p3"_qs, u""_qs, mask, true},
    };
    for (const RowCase &c : cases) {
        lists.setContacts({contact(u"c"_qs, u"Ann Berg"_qs, {c.property})});
        lists.setGAllIDs();
        ASSERT_EQ(lists.gAllIDs().size(), 1u) << c.name;
        const GoogleIDRow &row = lists.gAllIDs().front();
        EXPECT_EQ(row.name, u"Ann Berg"_qs) << c.name;
        EXPECT_EQ(row.gid, u"c"_qs) << c.name;
        EXPECT_EQ(row.gModDate, textdate::parse(kWhen)) << c.name;
        EXPECT_FALSE(row.isGroup) << c.name;
        EXPECT_TRUE(row.isPerson) << c.name;
        EXPECT_EQ(row.abid, c.abid) << c.name;
        EXPECT_EQ(row.gAsOfDate, c.asOf) << c.name;
        EXPECT_EQ(row.dataMask, c.dataMask) << c.name;
        const std::optional<QDateTime> version =
            c.hasVersion ? std::optional(textdate::parse(kWhen)) : std::nullopt;
        EXPECT_EQ(row.abVersion, version) << c.name;
    }
}

TEST_F(IdentifierIndexTest, TwoPropertiesOfTheProgramsName_CountAsNone)
{
    const GDataExtendedProperty own = makeProperty(u"tolvaneContact"_qs, {{u"aID"_qs, u"p1"_qs}});
    lists.setContacts({contact(u"c"_qs, u"Ann"_qs, {own, own})});
    lists.setGAllIDs();
    EXPECT_EQ(lists.gAllIDs().front().abid, u""_qs);
}

TEST_F(IdentifierIndexTest, GroupRows_ComeFirstAndReadTheGroupVersion)
{
    auto linked = makeGroup(u"g1"_qs, u"Golf"_qs);
    linked->setExtendedProperties({makeProperty(
        u"tolvaneGroup"_qs, {{u"aID"_qs, u"ab1"_qs}, {u"asOf"_qs, kWhen}, {u"aVer"_qs, kWhen}})});
    auto unreadable = makeGroup(u"g2"_qs, u"Choir"_qs);
    unreadable->setExtendedProperties({makeProperty(u"tolvaneGroup"_qs, {{u"aVer"_qs, u"?"_qs}})});
    lists.setGroups({linked, unreadable, makeGroup(u"g3"_qs, std::nullopt)});
    lists.setContacts({contact(u"c"_qs, u"Ann"_qs, {})});
    lists.setGAllIDs();
    // The groups in list order, which is title order.
    const std::vector<GoogleIDRow> &rows = lists.gAllIDs();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].gid, u"g3"_qs);
    EXPECT_EQ(rows[0].name, u""_qs);
    EXPECT_EQ(rows[0].abid, u""_qs);
    EXPECT_EQ(rows[1].gid, u"g2"_qs);
    EXPECT_FALSE(rows[1].abVersion.has_value());
    EXPECT_EQ(rows[2].gid, u"g1"_qs);
    EXPECT_TRUE(rows[2].isGroup);
    EXPECT_FALSE(rows[2].isPerson);
    EXPECT_EQ(rows[2].name, u"Golf"_qs);
    EXPECT_EQ(rows[2].abid, u"ab1"_qs);
    EXPECT_EQ(rows[2].gAsOfDate, kWhen);
    EXPECT_EQ(rows[2].dataMask, u""_qs);
    EXPECT_EQ(rows[2].abVersion, textdate::parse(kWhen));
    EXPECT_EQ(rows[3].gid, u"c"_qs);
}

TEST_F(IdentifierIndexTest, ContactsWithoutTitle_AreCountedAsEmailOnly)
{
    lists.setContacts({contact(u"a"_qs, std::nullopt, {}), contact(u"b"_qs, u""_qs, {}),
                       contact(u"c"_qs, u"Ann"_qs, {})});
    lists.setGAllIDs();
    EXPECT_EQ(UserDefaults::standard().integerForKey(listkeys::googleEmailOnlyCount), 2);
}

} // namespace
