// The browser's toolbar: the default and the stored item lists, the items' controls, and which
// items the selection enables.

#include "browser/toolbar/browsertoolbar.h"
#include "browser/toolbar/toolbaritems.h"
#include "browser/toolbar/toolbarkeys.h"
#include "foundation/views/imagetext.h"
#include "foundation/views/tolvanesearchfield.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrytest.h"

#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWidgetAction>

namespace {

class BrowserToolbarTest : public GoogleEntryTest
{
protected:
    void SetUp() override
    {
        GoogleEntryTest::SetUp();
        UserDefaults::standard().removeObjectForKey(toolbaritems::toolbarIdentifier);
    }

    // The program's tests share one preferences file when they run in one process.
    void TearDown() override
    {
        UserDefaults &ud = UserDefaults::standard();
        for (const QString &key :
             {toolbaritems::toolbarIdentifier, toolbarkeys::browserDataField,
              googlekeys::gmUpdateNeverRemoveGroups, googlekeys::gmUpdateNeverRemoveContacts})
            ud.removeObjectForKey(key);
    }

    std::unique_ptr<BrowserToolbar> makeToolbar()
    {
        return std::make_unique<BrowserToolbar>(outlet, BrowserToolbar::Metrics{18, 11, 12}, false);
    }

    // The identifiers of the toolbar's actions, in order.
    static QStringList shownIdentifiers(const BrowserToolbar &toolbar)
    {
        QStringList identifiers;
        for (const QAction *action : toolbar.actions())
            identifiers.append(action->objectName());
        return identifiers;
    }

    TolvaneSearchField outlet;
};

TEST_F(BrowserToolbarTest, WithoutAStoredList_ShowsTheDefaultItemsWithTheirTexts)
{
    const auto toolbar = makeToolbar();
    EXPECT_EQ(shownIdentifiers(*toolbar), toolbaritems::toolbarDefaultItemIdentifiers());
    EXPECT_EQ(toolbar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QAction *const setLogic = toolbar->setOperatorToolbarItem();
    ASSERT_NE(setLogic, nullptr);
    EXPECT_EQ(setLogic->text(), u"Union | Intersect"_qs);
    EXPECT_EQ(setLogic->property("paletteLabel").toString(), u"Union or Intersection"_qs);
    EXPECT_EQ(setLogic->priority(), QAction::HighPriority);
    QAction *const remove = toolbar->deleteToolbarItem();
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(remove->toolTip(), u"Delete selected Contacts or Groups"_qs);
    EXPECT_EQ(toolbar->item(toolbaritems::bulkEdit)->text(), u"Find-Replace"_qs);
    EXPECT_EQ(toolbar->item(toolbaritems::bulkEdit)->property("paletteLabel").toString(),
              u"Find and Replace"_qs);
    EXPECT_EQ(toolbar->dataFieldPopUp(), nullptr);

    // The search item is a fresh copy of the window's field, between 90 and 150 wide, and its
    // menu form offers a search panel that nothing performs.
    outlet.setText(u"typed"_qs);
    ASSERT_NE(toolbar->searchField(), nullptr);
    EXPECT_NE(toolbar->searchField(), &outlet);
    EXPECT_TRUE(toolbar->searchField()->text().isEmpty());
    EXPECT_EQ(toolbar->searchField()->minimumWidth(), 90);
    EXPECT_EQ(toolbar->searchField()->maximumWidth(), 150);
    QMenu *const menuForm = toolbar->item(toolbaritems::searchField)->menu();
    ASSERT_NE(menuForm, nullptr);
    EXPECT_EQ(menuForm->title(), u"Search"_qs);
    ASSERT_EQ(menuForm->actions().size(), 1);
    EXPECT_EQ(menuForm->actions().front()->text(), u"Search Panel"_qs);
    EXPECT_FALSE(menuForm->actions().front()->isEnabled());
}

TEST_F(BrowserToolbarTest, EveryItemWithAnImageFindsItOnTheProgramsSearchPath)
{
    QDir::setSearchPaths(u"images"_qs, {u":/images"_qs});
    UserDefaults::standard().setObject(toolbaritems::toolbarAllowedItemIdentifiers(),
                                       toolbaritems::toolbarIdentifier);
    const auto toolbar = makeToolbar();
    for (const toolbaritems::ItemDefinition &definition : toolbaritems::items) {
        if (!definition.image.isEmpty() && toolbar->item(definition.identifier)) {
            EXPECT_FALSE(toolbar->item(definition.identifier)->icon().isNull())
                << definition.image.toStdString();
        }
    }
    for (const QString &toggle : {u"ImageUp"_qs, u"ImageDown"_qs})
        EXPECT_FALSE(imagetext::imagePath(toggle).isEmpty()) << toggle.toStdString();
    QDir::setSearchPaths(u"images"_qs, {});
}

TEST_F(BrowserToolbarTest, AStoredListNamingTheDataField_GetsItsPopUp)
{
    const QString unknown = u"Some Other Toolbar Identifier"_qs;
    const QStringList stored{toolbaritems::dataField, toolbaritems::groupNav,
                             toolbaritems::rowHeight, unknown};
    UserDefaults::standard().setObject(stored, toolbaritems::toolbarIdentifier);
    UserDefaults::standard().setInteger(3, toolbarkeys::browserDataField);
    const auto toolbar = makeToolbar();
    EXPECT_EQ(shownIdentifiers(*toolbar), stored);
    EXPECT_FALSE(toolbaritems::toolbarAllowedItemIdentifiers().contains(toolbaritems::dataField));

    QComboBox *const popUp = toolbar->dataFieldPopUp();
    ASSERT_NE(popUp, nullptr);
    EXPECT_EQ(toolbar->item(toolbaritems::dataField)->text(), u"DataField"_qs);
    EXPECT_EQ(toolbar->item(toolbaritems::dataField)->toolTip(),
              u"Choose the Data Field in the Browser "_qs);
    EXPECT_EQ(popUp->currentText(), u"Location"_qs);
    // The control keeps its size in the toolbar.
    EXPECT_EQ(popUp->minimumSize(), popUp->maximumSize());
    popUp->activated(1);
    EXPECT_EQ(UserDefaults::standard().integerForKey(toolbarkeys::browserDataField), 2);

    // An identifier the program does not know gives an item with nothing of its own.
    EXPECT_TRUE(toolbar->item(unknown)->text().isEmpty());
    EXPECT_TRUE(toolbar->item(unknown)->icon().isNull());
    EXPECT_EQ(toolbar->item(toolbaritems::groupNav)->text(), u"Groups"_qs);
    EXPECT_EQ(toolbar->searchField(), nullptr);
}

TEST_F(BrowserToolbarTest, ANewItemListIsStoredAndShownByTheNextToolbar)
{
    auto toolbar = makeToolbar();
    const QStringList chosen{toolbaritems::reload, toolbaritems::separator,
                             toolbaritems::noteFontSize};
    toolbar->setItemIdentifiers(chosen);
    EXPECT_EQ(shownIdentifiers(*toolbar), chosen);
    EXPECT_EQ(toolbar->deleteToolbarItem(), nullptr);
    EXPECT_EQ(shownIdentifiers(*makeToolbar()), chosen);
}

TEST_F(BrowserToolbarTest, ItemsSendTheirOperationAndControlsTheirValues)
{
    UserDefaults::standard().setObject(QStringList{toolbaritems::deleteItem, toolbaritems::reload,
                                                   toolbaritems::setLogic, toolbaritems::rowHeight,
                                                   toolbaritems::noteFontSize},
                                       toolbaritems::toolbarIdentifier);
    const auto toolbar = makeToolbar();
    QSignalSpy sent(toolbar.get(), &BrowserToolbar::itemActivated);
    toolbar->item(toolbaritems::deleteItem)->trigger();
    toolbar->item(toolbaritems::reload)->trigger();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[0].front().toString(), u"deleteItems:"_qs);
    EXPECT_EQ(sent[1].front().toString(), u"refreshGoogleState:"_qs);

    QSignalSpy setOperator(toolbar.get(), &BrowserToolbar::setOperatorChosen);
    QTest::mouseClick(toolbar->segment(true), Qt::LeftButton);
    // The chosen segment again changes nothing.
    QTest::mouseClick(toolbar->segment(true), Qt::LeftButton);
    QTest::mouseClick(toolbar->segment(false), Qt::LeftButton);
    ASSERT_EQ(setOperator.size(), 2);
    EXPECT_TRUE(setOperator[0].front().toBool());
    EXPECT_FALSE(setOperator[1].front().toBool());

    EXPECT_EQ(toolbar->rowHeightSlider()->value(), 18);
    EXPECT_EQ(toolbar->noteFontSizeSlider()->value(), 12);
    QSignalSpy rowHeight(toolbar.get(), &BrowserToolbar::rowHeightChanged);
    toolbar->rowHeightSlider()->setValue(30);
    ASSERT_EQ(rowHeight.size(), 1);
    EXPECT_EQ(rowHeight.front().front().toFloat(), 30.0f);
}

TEST_F(BrowserToolbarTest, Validation_ByTheTableTouchedLastTheCountsAndThePreferences)
{
    const struct
    {
        ToolbarSelection selection;
        bool neverRemoveGroups;
        bool neverRemoveContacts;
        bool inspect;
        bool remove;
        bool merge;
    } cases[] = {
        // Contacts touched last.
        {{false, {u"a"_qs}, 1}, false, false, true, true, false},
        {{false, {u"a"_qs}, 2}, false, false, false, true, true},
        {{false, {u"f"_qs}, 0}, false, false, false, true, false},
        {{false, {u"f"_qs}, 1}, false, true, true, false, false},
        // Groups touched last: Inspect is off whatever the count.
        {{true, {u"a"_qs}, 1}, false, false, false, false, false},
        {{true, {u"f"_qs, u"b"_qs}, 1}, false, false, false, false, false},
        {{true, {u"c"_qs}, 1}, false, false, false, false, false},
        {{true, {u"d"_qs, u"e"_qs, u"f"_qs}, 3}, false, false, false, true, true},
        {{true, {u"d"_qs, u"e"_qs, u"f"_qs}, 3}, true, false, false, false, true},
        {{true, {u"f"_qs}, 1}, false, true, false, true, false},
    };
    UserDefaults &ud = UserDefaults::standard();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.selection.selectedGroupTypes.join(u',').toStdString() + " group " +
                     std::to_string(c.selection.isGroupSelection) + " contacts " +
                     std::to_string(c.selection.selectedContacts));
        ud.setBool(c.neverRemoveGroups, googlekeys::gmUpdateNeverRemoveGroups);
        ud.setBool(c.neverRemoveContacts, googlekeys::gmUpdateNeverRemoveContacts);
        EXPECT_EQ(BrowserToolbar::validateToolbarItem(toolbaritems::inspector, c.selection),
                  c.inspect);
        EXPECT_EQ(BrowserToolbar::validateToolbarItem(toolbaritems::deleteItem, c.selection),
                  c.remove);
        EXPECT_EQ(BrowserToolbar::validateToolbarItem(toolbaritems::merge, c.selection), c.merge);
        EXPECT_EQ(BrowserToolbar::validateToolbarItem(toolbaritems::bulkEdit, c.selection),
                  c.merge);
        EXPECT_TRUE(BrowserToolbar::validateToolbarItem(toolbaritems::reload, c.selection));
    }
}

} // namespace
