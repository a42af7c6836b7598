#include "browser/models/grouparraycontroller.h"

#include "browser/models/pasteboardtypes.h"
#include "google/push/pushkeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/browser/browseraccount.h"

#include <QAbstractItemModelTester>
#include <QMimeData>

namespace {

class GroupArrayControllerTest : public BrowserAccountTest
{
protected:
    GroupArrayController groups;
    QAbstractItemModelTester tester{&groups, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(GroupArrayControllerTest, RowsOfTheEngineGroups_BuiltOncePerList)
{
    int resets = 0;
    QObject::connect(&groups, &QAbstractItemModel::modelReset, [&] { ++resets; });
    groups.setGroupArray(tool.groupArray());
    ASSERT_EQ(groups.rowCount(), 9);
    EXPECT_EQ(groups.index(0, 0).data(), u"My Contacts"_qs);
    EXPECT_EQ(groups.index(0, 0).data(GroupArrayController::IdentifierRole), myContacts);
    EXPECT_EQ(groups.index(0, 0).data(GroupArrayController::GroupTypeRole), u"a"_qs);
    EXPECT_EQ(groups.index(8, 0).data(), u"Work"_qs);
    EXPECT_EQ(groups.index(8, 0).data(GroupArrayController::GroupOrderRole), u"43"_qs);
    EXPECT_TRUE(groups.index(8, 0)
                    .data(GroupArrayController::NameWithImageRole)
                    .value<QSharedPointer<QTextDocument>>());
    groups.setGroupArray(tool.groupArray());
    EXPECT_EQ(resets, 1);
}

TEST_F(GroupArrayControllerTest, PushedGroupsAreAskedForOnlyWhilePushIsOn)
{
    int asked = 0;
    groups.setAutoABGroupsSource([&] {
        ++asked;
        return QList<AutoABGroup>{{u"Golf"_qs, u"G:ABSmartGroup"_qs, true, {}, true}};
    });
    groups.setGroupArray(tool.groupArray());
    EXPECT_EQ(asked, 0);
    UserDefaults::standard().setInteger(1, pushkeys::autoPushABChanges);
    std::vector<GDataEntryContactGroupPtr> again = tool.groupArray();
    std::reverse(again.begin(), again.end());
    groups.setGroupArray(again);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(groups.index(7, 0).data(), u"Golf"_qs);
    EXPECT_EQ(groups.index(7, 0).data(GroupArrayController::GroupTypeRole), u"d"_qs);
}

TEST_F(GroupArrayControllerTest, DragsCarryGroupRows)
{
    groups.setGroupArray(tool.groupArray());
    EXPECT_EQ(groups.mimeTypes(), pasteboardtypes::groupTableDrops);
    std::unique_ptr<QMimeData> data(groups.mimeData({groups.index(8, 0)}));
    const std::optional<pasteboardtypes::DraggedRows> rows =
        pasteboardtypes::decodeRows(data->data(pasteboardtypes::groupRows));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->rows, QList<int>{8});
    EXPECT_EQ(rows->identifiers, QStringList{groups.groupArray()[8].identifier});
    // A model outside a window takes no drop.
    EXPECT_FALSE(groups.canDropMimeData(data.get(), Qt::CopyAction, -1, -1, groups.index(7, 0)));
}

} // namespace
