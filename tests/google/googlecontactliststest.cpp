#include "google/googlecontactlists.h"

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
