#include "browser/models/contactarraycontroller.h"

#include "browser/models/contactcolumns.h"
#include "browser/models/pasteboardtypes.h"
#include "google/browser/browserdictionary.h"
#include "google/browser/browserlist.h"
#include "google/browser/browsersearchtext.h"

#include "tests/browser/browseraccount.h"

#include <QAbstractItemModelTester>
#include <QDataStream>
#include <QImage>
#include <QItemSelectionModel>
#include <QMimeData>

namespace {

class ContactArrayControllerTest : public BrowserAccountTest
{
protected:
    void SetUp() override
    {
        BrowserAccountTest::SetUp();
        contacts = std::make_unique<ContactArrayController>(tool.lists());
        tester = std::make_unique<QAbstractItemModelTester>(
            contacts.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    int nameColumn() const { return contactcolumns::columnOf(u"name"_qs); }

    std::unique_ptr<ContactArrayController> contacts;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(ContactArrayControllerTest, ShowsTheEngineRowsByColumnIdentifier)
{
    ASSERT_EQ(contacts->columnCount(), 12);
    EXPECT_EQ(shownIDs(*contacts), (QStringList{"ann", "cy", "dee", "eve", "bo"}));
    const int bo = 4;
    const int homeLocation = contactcolumns::columnOf(u"homeLocation"_qs);
    EXPECT_EQ(contacts->index(bo, homeLocation).data(), u"Smithfield  UT  84335"_qs);
    EXPECT_EQ(contacts->index(bo, nameColumn()).data(), u"bo Karl"_qs);
    EXPECT_EQ(contacts->index(bo, 0).data(ContactArrayController::GIDRole), u"bo"_qs);
    EXPECT_EQ(contacts->index(bo, nameColumn())
                  .data(ContactArrayController::NameWithImageRole)
                  .value<tolvane::NameWithImage>()
                  .title,
              u"bo Karl"_qs);
    // Image columns give their picture as decoration and no text.
    const int image = contactcolumns::columnOf(u"image"_qs);
    EXPECT_FALSE(contacts->index(bo, image).data().isValid());
    EXPECT_EQ(contacts->index(bo, image).data(Qt::DecorationRole).typeId(),
              QMetaType::fromType<QImage>().id());
    EXPECT_EQ(contacts->headerData(homeLocation, Qt::Horizontal,
                                   ContactArrayController::ColumnIdentifierRole),
              u"homeLocation"_qs);
    // The headers are titled, but for the image columns.
    EXPECT_EQ(contacts->headerData(nameColumn(), Qt::Horizontal).toString(), u"Name"_qs);
    EXPECT_EQ(contacts->headerData(homeLocation, Qt::Horizontal).toString(), u"Home Location"_qs);
    EXPECT_TRUE(contacts->headerData(image, Qt::Horizontal).toString().isEmpty());
    // The model shares the engine's rows rather than copying them.
    EXPECT_TRUE(contacts->arrangedObject(0).isSharedWith(tool.lists().browserRows()[0]));
}

TEST_F(ContactArrayControllerTest, SearchNarrowsAndAnEmptyStringRestores)
{
    int filterChanges = 0;
    QObject::connect(contacts.get(), &ContactArrayController::filterChanged,
                     [&] { ++filterChanges; });
    contacts->setSearchString(u"smith"_qs);
    EXPECT_EQ(shownIDs(*contacts), QStringList{"bo"});
    contacts->setSearchString(u"LEE"_qs);
    EXPECT_EQ(shownIDs(*contacts), QStringList{"ann"});
    contacts->setSearchString(u"nobody has this"_qs);
    EXPECT_EQ(contacts->rowCount(), 0);
    contacts->setSearchString(QString());
    EXPECT_EQ(shownIDs(*contacts), (QStringList{"ann", "cy", "dee", "eve", "bo"}));
    EXPECT_EQ(filterChanges, 4);
}

TEST_F(ContactArrayControllerTest, RowsOfASortedSearchMapToTheirContacts)
{
    contacts->sort(nameColumn(), Qt::AscendingOrder);
    // The name sorts without regard to case.
    EXPECT_EQ(shownIDs(*contacts), (QStringList{"ann", "bo", "cy", "dee", "eve"}));
    contacts->sort(nameColumn(), Qt::DescendingOrder);
    EXPECT_EQ(shownIDs(*contacts), (QStringList{"eve", "dee", "cy", "bo", "ann"}));

    // A selection follows its contacts through a search: every row index means the row shown.
    QItemSelectionModel selection(contacts.get());
    selection.select(contacts->index(1, 0),
                     QItemSelectionModel::Select | QItemSelectionModel::Rows); // dee
    selection.select(contacts->index(3, 0),
                     QItemSelectionModel::Select | QItemSelectionModel::Rows); // bo
    contacts->setSearchString(u"ee"_qs);
    EXPECT_EQ(shownIDs(*contacts), (QStringList{"dee", "ann"}));
    ASSERT_EQ(selection.selectedRows().size(), 1);
    EXPECT_EQ(contacts->gIDAt(selection.selectedRows().front().row()), u"dee"_qs);
    EXPECT_EQ(contacts->arrangedObject(1).value(u"name"_qs), u"Ann Lee"_qs);

    // Another column sorts by plain comparison of its values.
    contacts->setSearchString(QString());
    contacts->sort(contactcolumns::columnOf(u"homeLocation"_qs), Qt::DescendingOrder);
    EXPECT_EQ(shownIDs(*contacts).front(), u"bo"_qs);
}

TEST_F(ContactArrayControllerTest, AReplacedRowChangesThatRowOnly)
{
    contacts->sort(nameColumn(), Qt::AscendingOrder);
    contacts->setSearchString(u"moss"_qs);
    ASSERT_EQ(shownIDs(*contacts), QStringList{"dee"});
    int resets = 0;
    QList<int> changedRows;
    QObject::connect(contacts.get(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(
        contacts.get(), &QAbstractItemModel::dataChanged,
        [&](const QModelIndex &from, const QModelIndex &) { changedRows.append(from.row()); });

    GoogleContactLists &lists = tool.lists();
    const int position = lists.browserRowPositions(u"dee"_qs).front();
    QVariantMap row = lists.browserRows()[position];
    row.insert(u"notes"_qs, u"Moved to Oslo"_qs);
    lists.replaceBrowserRow(position, row);
    contacts->contactRowReplaced(u"dee"_qs);
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(changedRows, QList<int>{0});
    EXPECT_EQ(contacts->arrangedObject(0).value(u"notes"_qs), u"Moved to Oslo"_qs);

    // A row whose new values leave the search is no longer shown, without a reset.
    row.insert(u"name"_qs, u"Dee Lake"_qs);
    lists.replaceBrowserRow(position, row);
    contacts->contactRowReplaced(u"dee"_qs);
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(contacts->rowCount(), 0);
}

TEST_F(ContactArrayControllerTest, NewEngineRowsKeepTheSearchAndSort)
{
    contacts->sort(nameColumn(), Qt::DescendingOrder);
    contacts->setSearchString(u"a"_qs);
    ASSERT_EQ(shownIDs(*contacts), (QStringList{"cy", "bo", "ann"}));
    BrowserRowsProgress quiet;
    const auto &all = tool.lists().contacts();
    browserlist::setContactBrowserArray(tool.lists(), {all[0], all[1], all[2]}, quiet);
    // Until told, the model shows the rows it had.
    EXPECT_EQ(contacts->rowCount(), 3);
    contacts->contactRowsChanged();
    EXPECT_EQ(shownIDs(*contacts), (QStringList{"cy", "ann"}));
}

TEST_F(ContactArrayControllerTest, DragsCarryTheArrangedRows)
{
    EXPECT_EQ(contacts->mimeTypes(), pasteboardtypes::contactTableDrops);
    std::unique_ptr<QMimeData> data(
        contacts->mimeData({contacts->index(3, 0), contacts->index(1, 2), contacts->index(3, 1)}));
    const std::optional<pasteboardtypes::DraggedRows> rows =
        pasteboardtypes::decodeRows(data->data(pasteboardtypes::contactRows));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->rows, (QList<int>{1, 3}));
    EXPECT_EQ(rows->identifiers, (QStringList{contacts->gIDAt(1), contacts->gIDAt(3)}));

    // A model outside a window takes no drop.
    QMimeData people;
    people.setData(pasteboardtypes::abPeople, R"(["x:ABPerson"])");
    EXPECT_FALSE(contacts->canDropMimeData(&people, Qt::CopyAction, -1, -1, {}));
}

} // namespace
