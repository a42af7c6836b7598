#include "browser/selection/groupsetcontroller.h"

#include "browser/models/browserlistkeys.h"
#include "google/browser/browserlist.h"
#include "platform/defaults/userdefaults.h"

#include "tests/browser/browseraccount.h"

#include <QAbstractItemModelTester>

namespace {

class GroupSetControllerTest : public BrowserAccountTest
{
protected:
    void SetUp() override
    {
        BrowserAccountTest::SetUp();
        UserDefaults::standard().setInteger(1, browserlistkeys::systemGroupUseAll);
        groups.setGroupArray(tool.groupArray());
        QObject::connect(&controller, &GroupSetController::setModeMenuTitle,
                         [this](const QString &title) { menuTitles.append(title); });
    }

    GroupArrayController groups;
    ContactArrayController contacts{tool.lists()};
    QAbstractItemModelTester groupTester{&groups,
                                         QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester contactTester{&contacts,
                                           QAbstractItemModelTester::FailureReportingMode::Fatal};
    GroupSetController controller{tool, groups, contacts};
    QStringList menuTitles;
};

TEST_F(GroupSetControllerTest, GroupsCombineByUnionOrIntersection)
{
    controller.selectGroupIdentifiers({golf});
    EXPECT_EQ(shownIDs(contacts), (QStringList{"ann", "cy"}));
    controller.selectGroupIdentifiers({golf, work});
    EXPECT_EQ(shownIDs(contacts), (QStringList{"ann", "cy", "bo"}));
    // With two rows, switching the operator changes the list at once.
    controller.toggleSetOperator();
    EXPECT_EQ(shownIDs(contacts), QStringList{"cy"});
    EXPECT_EQ(menuTitles, QStringList{u"Change to Union"_qs});
    EXPECT_EQ(controller.selectedGroupIdentifiers(), (QStringList{golf, work}));
    // The first contact of the list is selected, by its row of the list shown.
    EXPECT_EQ(controller.selectedContactIDs(), QStringList{"cy"});
}

TEST_F(GroupSetControllerTest, WithOneRowTheOperatorChangesOnlyTheMenuTitle)
{
    controller.selectGroupIdentifiers({golf});
    int refreshes = 0;
    QObject::connect(&controller, &GroupSetController::listRefreshed, [&] { ++refreshes; });
    controller.toggleSetOperator();
    controller.toggleSetOperator();
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(menuTitles, (QStringList{u"Change to Union"_qs, u"Change to Intersection"_qs}));
    EXPECT_EQ(shownIDs(contacts), (QStringList{"ann", "cy"}));
}

TEST_F(GroupSetControllerTest, TheAllRowStandsAlone)
{
    controller.selectGroupIdentifiers({golf, myContacts, work});
    EXPECT_EQ(controller.selectedGroupIdentifiers(), QStringList{myContacts});
    EXPECT_EQ(contacts.rowCount(), 5);
    // Without systemGroupUseAll it lists the members of My Contacts.
    UserDefaults::standard().setInteger(0, browserlistkeys::systemGroupUseAll);
    controller.refreshView();
    EXPECT_EQ(shownIDs(contacts), (QStringList{"ann", "cy", "dee", "bo"}));
    // Nothing selected: row 0 and every contact.
    controller.groupSelection()->clearSelection();
    EXPECT_EQ(controller.selectedGroupIdentifiers(), QStringList{myContacts});
    EXPECT_EQ(contacts.rowCount(), 5);
}

TEST_F(GroupSetControllerTest, EachPseudoGroupListsItsContacts)
{
    const struct
    {
        QString group;
        QStringList expected;
    } cases[] = {
        {company, {"cy"}},          {male, {"bo"}},     {female, {"ann"}},
        {noGender, {"dee", "eve"}}, {noGroup, {"dee"}}, {emailOnly, {"eve"}},
    };
    UserDefaults::standard().setBool(true, browserlistkeys::showGoogleSystemGroupSuggested);
    groups.setGroupArray({});
    controller.setGroupArray(tool.groupArray());
    for (const auto &c : cases) {
        controller.selectGroupIdentifiers({c.group});
        EXPECT_EQ(shownIDs(contacts), c.expected) << c.group.toStdString();
    }
}

TEST_F(GroupSetControllerTest, ASelectionSurvivesNewGroupsAndFollowsNewContacts)
{
    UserDefaults::standard().setBool(true, browserlistkeys::clearSearchOnGroupSelect);
    contacts.setSearchString(u"ann"_qs);
    int cleared = 0;
    QObject::connect(&controller, &GroupSetController::searchCleared, [&] { ++cleared; });
    controller.selectGroupIdentifiers({work});
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(shownIDs(contacts), (QStringList{"cy", "bo"}));

    // Fetched again, the groups are new entries with the same identifiers.
    std::vector<GDataEntryContactGroupPtr> fetched;
    for (const GDataEntryContactGroupPtr &group : tool.groupArray())
        fetched.push_back(std::make_shared<GDataEntryContactGroup>(*group));
    tool.lists().setGroups(fetched);
    controller.setGroupArray(tool.groupArray());
    EXPECT_EQ(controller.selectedGroupIdentifiers(), QStringList{work});

    // A contact fetch stores every contact's row; the list still follows the selection.
    BrowserRowsProgress quiet;
    const auto &all = tool.contactArray();
    browserlist::setContactBrowserArray(tool.lists(), {all.begin(), all.end()}, quiet);
    controller.refreshView();
    EXPECT_EQ(shownIDs(contacts), (QStringList{"cy", "bo"}));

    // A selected group that is gone leaves the list of what remains selected.
    fetched.erase(std::remove_if(fetched.begin(), fetched.end(),
                                 [&](const auto &g) { return g->identifier() == work; }),
                  fetched.end());
    tool.lists().setGroups(fetched);
    controller.setGroupArray(tool.groupArray());
    EXPECT_EQ(controller.selectedGroupIdentifiers(), QStringList{myContacts});
    EXPECT_EQ(contacts.rowCount(), 5);
}

} // namespace
