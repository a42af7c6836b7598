#include "google/engine/googlecontactlists.h"

#include <gtest/gtest.h>

TEST(GoogleContactListsTest, NewLists_AreEmptyAndNotComplete)
{
    GoogleContactLists lists;
    EXPECT_EQ(lists.groupCount(), 0);
    EXPECT_EQ(lists.contactCount(), 0);
    EXPECT_FALSE(lists.isContactListComplete());
}

TEST(GoogleContactListsTest, Setters_StoreTheSameEntries)
{
    GoogleContactLists lists;
    auto group = std::make_shared<GDataEntryContactGroup>();
    auto contact = std::make_shared<GDataEntryContact>();
    lists.setGroups({group});
    lists.setContacts({contact, std::make_shared<GDataEntryContact>()});
    lists.setContactListComplete(true);
    EXPECT_EQ(lists.groupCount(), 1);
    EXPECT_EQ(lists.contactCount(), 2);
    EXPECT_EQ(lists.groups().front(), group);
    EXPECT_EQ(lists.contacts().front(), contact);
    EXPECT_TRUE(lists.isContactListComplete());
}

TEST(GoogleContactListsTest, Setters_SortByTitleKeepingTheOrderOfEqualTitles)
{
    GoogleContactLists lists;
    auto titled = [](const QString &id, const QString &title) {
        auto contact = std::make_shared<GDataEntryContact>();
        contact->setIdentifier(id);
        contact->setTitle(title);
        return contact;
    };
    lists.setContacts({titled(u"1"_qs, u"bo"_qs), titled(u"2"_qs, u"Ann"_qs),
                       titled(u"3"_qs, u"Bo"_qs), titled(u"4"_qs, u"Ann"_qs)});
    QStringList order;
    for (const GDataEntryContactPtr &contact : lists.contacts())
        order.append(contact->identifier());
    EXPECT_EQ(order, (QStringList{u"2"_qs, u"4"_qs, u"3"_qs, u"1"_qs}));
}
