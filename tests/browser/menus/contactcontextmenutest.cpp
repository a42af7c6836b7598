// The contact table's context menu: the enabling of its items by the selection, the submenu of
// the current contact's groups, and what its items send.

#include "browser/menus/contactcontextmenu.h"

#include "browser/menus/contactmenuitems.h"
#include "browser/models/grouparraycontroller.h"

#include "tests/browser/browseraccount.h"

#include <QSignalSpy>

namespace {

using namespace contactmenuitems;

class ContactContextMenuTest : public BrowserAccountTest
{
protected:
    QStringList groupsShown() const
    {
        QStringList titles;
        for (const QAction *item : menu.groupsMenu()->actions())
            titles.append(item->text());
        return titles;
    }

    ContactContextMenu menu;
};

TEST_F(ContactContextMenuTest, ItemsAreEnabledByTheCountsAndTheCurrentContact)
{
    const ContactMenuSelection none{1, 0, true, true, true};
    const ContactMenuSelection one{1, 1, false, false, false};
    const ContactMenuSelection oneWithAll{2, 1, true, true, true};
    const ContactMenuSelection two{1, 2, true, true, true};
    const struct
    {
        int tag;
        ContactMenuSelection selection;
        bool enabled;
    } cases[] = {
        {kSetOperator, one, false},
        {kSetOperator, oneWithAll, true},
        {kMerge, one, false},
        {kMerge, two, true},
        {kFindReplace, two, true},
        {1720, one, true},
        {1720, two, false},
        {kGroups, one, true},
        {kGroups, none, false},
        {kViewMapToWork, one, false},
        {kViewMapToWork, oneWithAll, true},
        {kSendMapToWork, two, false},
        {kViewMapToHome, oneWithAll, true},
        {kSendMapToHome, one, false},
        {kRemoveMemberships, two, true},
        {kRemoveMemberships, none, false},
        {kFlags, one, true},
        {kFlags, none, false},
        {kSendMessage, one, false},
        {kSendMessage, two, true},
        {kSendMessage, none, false},
        // A tag of the range without a rule, and tags outside it.
        {1740, none, true},
        {1689, none, true},
        {1776, none, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ContactContextMenu::validateMenuItem(c.tag, c.selection), c.enabled)
            << c.tag << " contacts " << c.selection.countOfSelectedContacts;
}

TEST_F(ContactContextMenuTest, TheGroupsSubmenuListsTheContactsGroupsButMyContactsByName)
{
    GroupArrayController groups;
    groups.setGroupArray(tool.groupArray());
    const ContactMenuSelection one{1, 1, false, false, false};

    menu.buildGroupsMenu(groups.groupArray(), myContacts, {work, myContacts, golf});
    EXPECT_EQ(groupsShown(), (QStringList{u"Golf"_qs, u"Work"_qs}));
    menu.validate(one);
    EXPECT_TRUE(menu.item(kGroups)->isEnabled());
    EXPECT_TRUE(menu.item(kRemoveMemberships)->isEnabled());

    // Only in My Contacts: an empty submenu, disabled whatever the count allows.
    menu.buildGroupsMenu(groups.groupArray(), myContacts, {myContacts});
    EXPECT_TRUE(groupsShown().isEmpty());
    menu.validate(one);
    EXPECT_FALSE(menu.item(kGroups)->isEnabled());
    EXPECT_FALSE(menu.item(kRemoveMemberships)->isEnabled());
    EXPECT_TRUE(menu.item(kFlags)->isEnabled());
}

TEST_F(ContactContextMenuTest, ItemsSendTheirOperations)
{
    QSignalSpy sent(&menu, &ContactContextMenu::itemActivated);
    for (QAction *item : menu.contactContextMenu()->actions()) {
        if (item->text() == u"Delete"_qs)
            item->trigger();
    }
    menu.item(kFlags)->menu()->actions().front()->trigger();
    menu.item(kSetOperator)->trigger();
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[0].front().toString(), u"deleteItems:"_qs);
    EXPECT_EQ(sent[1].front().toString(), u"flagAsMale:"_qs);
    EXPECT_EQ(sent[2].front().toString(), u"toggleSetOperator:"_qs);
}

} // namespace
