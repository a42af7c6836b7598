// The rows of a group set come from the rows built at the fetch, never built again.
#include "google/browser/browserlist.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/listkeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrybuilders.h"

#include <gtest/gtest.h>

namespace {

class CountingProgress : public BrowserRowsProgress
{
public:
    void setProgressCurValue(double value) override { steps += value > 0.0; }
    int steps = 0;
};

TEST(GroupSetRowsTest, AGroupSetTakesTheKeptRowsOfItsMembers)
{
    GoogleContactTool tool(GoogleContactTool::Role::MainProgram);
    GoogleContactLists &lists = tool.lists();
    lists.setGroups({makeGroup(u"g1"_qs, u"Friends of Ada"_qs)});
    lists.setContacts({makeContact({u"ann"_qs, u"Ann"_qs, {}, {u"g1"_qs}}),
                       makeContact({u"bo"_qs, u"Bo"_qs}),
                       makeContact({u"cy"_qs, u"Cy"_qs, {}, {u"g1"_qs}})});
    CountingProgress progress;
    const QList<GDataEntryContactPtr> all(lists.contacts().begin(), lists.contacts().end());
    browserlist::setContactBrowserArray(lists, all, progress);
    ASSERT_EQ(progress.steps, 3);
    const QList<QVariantMap> allRows = lists.browserRows();

    const pseudogroups::GroupSelection friends = pseudogroups::groupSetForIDs(lists, {u"g1"_qs});
    tool.setContactBrowserArrayForGroupSet(friends, false);
    ASSERT_EQ(lists.browserRows().size(), 2);
    EXPECT_TRUE(lists.browserRows()[0].isSharedWith(allRows[0]));
    EXPECT_TRUE(lists.browserRows()[1].isSharedWith(allRows[2]));
    EXPECT_EQ(lists.browserSearchTexts().size(), 2);

    // The intersection of the group with the company pseudo group holds none of them.
    UserDefaults::standard().setString(u"Company"_qs, listkeys::systemGroupCompany);
    tool.setContactBrowserArrayForGroupSet(
        pseudogroups::groupSetForIDs(lists, {u"g1"_qs, u"Company"_qs}), true);
    EXPECT_TRUE(lists.browserRows().isEmpty());

    // The All row's rows are again the same objects.
    browserlist::setContactBrowserArray(lists, all, progress);
    EXPECT_EQ(progress.steps, 3);
    EXPECT_TRUE(lists.browserRows()[1].isSharedWith(allRows[1]));
}

} // namespace
