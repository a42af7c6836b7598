#include "tests/support/google/googleentrytest.h"

#include "google/entries/groupaccessors.h"

#include <QTimeZone>

namespace {

using namespace tolvane;

class GroupAccessorsTest : public GoogleEntryTest
{
protected:
    static GDataExtendedProperty property(const QString &name,
                                          const std::vector<GDataExtendedProperty::XMLValue> &xml)
    {
        GDataExtendedProperty made = GDataExtendedProperty::propertyWithName(name);
        made.setXMLValues(xml);
        return made;
    }
};

TEST_F(GroupAccessorsTest, DisplayName_DeletedGroupShowsItsMark)
{
    const auto group = GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Golf"));
    group->setIdentifier(QStringLiteral("http://g/base/12"));
    EXPECT_EQ(entryDisplayName(*group), "Golf");
    EXPECT_EQ(tolvaneTitle(*group), "Golf");
    group->setIsDeleted(true);
    EXPECT_EQ(entryDisplayName(*group), QString::fromUtf8("\u2717 http://g/base/12"));
    EXPECT_EQ(tolvaneTitle(*group), QString::fromUtf8("\u2717 http://g/base/12"));
}

TEST_F(GroupAccessorsTest, SystemGroup_ByItsExactTitleWords)
{
    const struct
    {
        const char *title;
        bool system;
    } cases[] = {{"System Group: My Contacts", true},
                 {"System Group: ", true},
                 {"system group: Friends", false},
                 {"System Group:Friends", false},
                 {"Friends", false}};
    for (const auto &c : cases) {
        const auto group = GDataEntryContactGroup::contactGroupEntryWithTitle(c.title);
        EXPECT_EQ(isGoogleSystemGroup(*group), c.system) << c.title;
    }
}

TEST_F(GroupAccessorsTest, LinkValues_OnlyFromExactlyOneProgramProperty)
{
    const QDateTime updated(QDate(2010, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
    const auto ours =
        property(kGroupProperty, {{"aID", "G1:ABGroup"}, {"crD", "2009-03-14 15:09:26 -0700"}});
    const struct
    {
        const char *name;
        std::vector<GDataExtendedProperty> properties;
        QString abid;
        QDateTime created;
        bool ownProperty;
    } cases[] = {
        {"one",
         {property("other", {{"aID", "X"}}), ours},
         "G1:ABGroup",
         QDateTime(QDate(2009, 3, 14), QTime(22, 9, 26), QTimeZone::utc()),
         true},
        {"none", {}, "", updated, false},
        {"two", {ours, ours}, "", updated, false},
        {"contact's name", {property(kContactProperty, {{"aID", "X"}})}, "", updated, false},
        {"without crD", {property(kGroupProperty, {{"aID", "G2"}})}, "G2", updated, true},
        {"unreadable crD",
         {property(kGroupProperty, {{"crD", "yesterday"}})},
         "",
         QDateTime(),
         true},
    };
    for (const auto &c : cases) {
        GDataEntryContactGroup group;
        group.setUpdatedDate(updated);
        group.setExtendedProperties(c.properties);
        EXPECT_EQ(tolvaneABID(group), c.abid) << c.name;
        EXPECT_EQ(tolvaneCreateDate(group), c.created) << c.name;
        EXPECT_EQ(tolvaneExtendedPropertyXMLValuesDictionary(group).has_value(), c.ownProperty)
            << c.name;
    }
}

TEST_F(GroupAccessorsTest, Members_AreTheContactsWithItsMembershipInOrder)
{
    GDataEntryContactGroup group;
    group.setIdentifier(QStringLiteral("http://g/base/7"));
    const auto member = [](const char *title, std::initializer_list<const char *> hrefs) {
        const auto contact = GDataEntryContact::contactEntryWithTitle(title);
        for (const char *href : hrefs)
            contact->addGroupMembershipInfo(
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(href));
        return contact;
    };
    const QList<GDataEntryContactPtr> contacts = {
        member("a", {"http://g/base/7"}), member("b", {}),
        member("c", {"http://g/base/6", "http://g/base/7"}), member("d", {"http://g/base/70"})};
    EXPECT_EQ(membersFromContactArray(group, contacts),
              (QList<GDataEntryContactPtr>{contacts[0], contacts[2]}));
}

} // namespace
