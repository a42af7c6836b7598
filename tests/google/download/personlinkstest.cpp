#include "google/download/personlinks.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrybuilders.h"

#include <gtest/gtest.h>

namespace {

using personlinks::PersonMatchKeys;

class PersonLinksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UserDefaults &defaults = UserDefaults::standard();
        const std::pair<QString, QString> linkProperties[] = {
            {abkeys::googleContactIDPropertyName, u"com.test.googleID"_qs},
            {abkeys::googleContactVersionPropertyName, u"com.test.version"_qs},
            {abkeys::googleContactAsOfDatePropertyName, u"com.test.asOf"_qs},
            {abkeys::googleContactDataMaskPropertyName, u"com.test.mask"_qs},
            {abkeys::googleGroupIDPropertyName, u"com.test.groupGoogleID"_qs},
            {abkeys::googleGroupVersionPropertyName, u"com.test.groupVersion"_qs},
            {abkeys::googleGroupAsOfDatePropertyName, u"com.test.groupAsOf"_qs},
            {abkeys::googleGroupDataMaskPropertyName, u"com.test.groupMask"_qs},
        };
        for (const auto &[key, name] : linkProperties)
            defaults.setString(name, key);
        defaults.setString(u"tolvaneContact"_qs, abkeys::googleContactExtendedPropertyName);
        ASSERT_TRUE(AddressBookTool::addTolvaneContactProperties());
        ASSERT_TRUE(AddressBookTool::addTolvaneGroupProperties());

        linkedByABID = makeContact({u"by-abid"_qs, u"Someone Else"_qs});
        lists.setContacts({linkedByABID, makeContact({u"c-ann"_qs, u"Ann Berg"_qs}),
                           makeContact({u"c-mail"_qs, u"Other Title"_qs, {u"ann@work.example"_qs}}),
                           makeContact({u"c-alice"_qs, u"Alice Lindqvist"_qs})});
        lists.setContactListComplete(true);
        lists.setGroups(
            {makeGroup(u"g-golf"_qs, u"Golf"_qs), makeGroup(u"g-choir"_qs, u"Choir"_qs)});
        lists.setGroupListComplete(true);
    }

    static PersonPtr person(const QString &first, const QString &last)
    {
        const PersonPtr p = Person::create();
        p->setValueForProperty(first, kABFirstNameProperty);
        p->setValueForProperty(last, kABLastNameProperty);
        return p;
    }
    static QString contactLink(const PersonPtr &p)
    {
        return p->valueForProperty(AddressBookTool::contactIDPropertyName()).toString();
    }
    static QString idOf(const GDataEntryPtr &entry)
    {
        return entry ? entry->identifier() : QString();
    }

    GDataEntryContactPtr linkedByABID;
    GoogleContactLists lists;
};

TEST_F(PersonLinksTest, ContactForABPerson_TriesRecordIdentifierLinkEmailThenName)
{
    struct Case
    {
        const char *name;
        QString first, last, link;
        PersonMatchKeys keys;
        bool linkedInEntry;
        QString expected;
        QString linkAfter;
    } cases[] = {
        {"the entry names the record", u"Zed"_qs, u"Zed"_qs, {}, {}, true, u"by-abid"_qs, u""_qs},
        {"the record names the entry",
         u"Zed"_qs,
         u"Zed"_qs,
         u"c-ann"_qs,
         {},
         false,
         u"c-ann"_qs,
         u"c-ann"_qs},
        {"stale link cleared, then the second address",
         u"Zed"_qs,
         u"Zed"_qs,
         u"gone"_qs,
         {{u"none@home.example"_qs, u"ANN@work.example"_qs}, u"Zed Zed"_qs},
         false,
         u"c-mail"_qs,
         u""_qs},
        {"by whole names",
         u"Ann"_qs,
         u"Berg"_qs,
         {},
         {{}, u"Ann B. Berg"_qs},
         false,
         u"c-ann"_qs,
         u""_qs},
        {"parts of names are no match",
         u"Al"_qs,
         u"Li"_qs,
         {},
         {{}, u"Al Li"_qs},
         false,
         {},
         u""_qs},
    };
    for (const Case &c : cases) {
        const PersonPtr p = person(c.first, c.last);
        if (!c.link.isEmpty())
            AddressBookTool::setGoogleID(c.link, p);
        linkedByABID->setExtendedProperties({makeProperty(
            u"tolvaneContact"_qs, {{u"aID"_qs, c.linkedInEntry ? p->uniqueId() : u"x"_qs}})});
        lists.entriesChanged();
        EXPECT_EQ(idOf(personlinks::contactForABPerson(lists, p, c.keys)), c.expected) << c.name;
        EXPECT_EQ(contactLink(p), c.linkAfter) << c.name;
    }
}

TEST_F(PersonLinksTest, ContactForABPerson_KeepsLinksWhenTheListIsIncomplete)
{
    const PersonPtr p = person(u"Ann"_qs, u"Berg"_qs);
    AddressBookTool::setGoogleID(u"not-fetched"_qs, p);
    lists.setContactListComplete(false);
    EXPECT_EQ(idOf(personlinks::contactForABPerson(lists, p, {{}, u"Ann Berg"_qs})), u"c-ann"_qs);
    EXPECT_EQ(contactLink(p), u"not-fetched"_qs);
    lists.setContacts({});
    EXPECT_EQ(personlinks::contactForABPerson(lists, p, {{}, u"Ann Berg"_qs}), nullptr);
    EXPECT_EQ(contactLink(p), u"not-fetched"_qs);
}

TEST_F(PersonLinksTest, GroupForABGroup_ClearsStaleLinksOnlyAgainstACompleteList)
{
    struct Case
    {
        const char *name;
        QString groupName, link;
        bool complete;
        QString expected, linkAfter;
    } cases[] = {
        {"linked", u"Renamed"_qs, u"g-golf"_qs, true, u"g-golf"_qs, u"g-golf"_qs},
        {"stale link cleared, found by name", u"Choir"_qs, u"gone"_qs, true, u"g-choir"_qs, u""_qs},
        {"stale link kept in an incomplete list", u"Choir"_qs, u"gone"_qs, false, u"g-choir"_qs,
         u"gone"_qs},
        {"nothing found", u"Chess"_qs, {}, true, {}, {}},
    };
    for (const Case &c : cases) {
        const GroupPtr group = Group::create();
        group->setValueForProperty(c.groupName, kABGroupNameProperty);
        if (!c.link.isEmpty())
            AddressBookTool::setGoogleID(c.link, group);
        lists.setGroupListComplete(c.complete);
        EXPECT_EQ(idOf(personlinks::groupForABGroup(lists, group)), c.expected) << c.name;
        EXPECT_EQ(group->valueForProperty(AddressBookTool::groupIDPropertyName()).toString(),
                  c.linkAfter)
            << c.name;
    }
    const GroupPtr linked = Group::create();
    AddressBookTool::setGoogleID(u"g-golf"_qs, linked);
    lists.setGroups({});
    EXPECT_EQ(personlinks::groupForABGroup(lists, linked), nullptr);
    EXPECT_EQ(linked->valueForProperty(AddressBookTool::groupIDPropertyName()).toString(),
              u"g-golf"_qs);
}

} // namespace
