// The browser window of the main program against the loopback server, with its toolbar, the
// contact table's columns and the tables' keys: what the selection enables, what the keys and the
// toolbar's Delete ask, the sliders and the set operator stored when the window closes, and the
// column commands the application delegate passes on.

#include "app/windows/windowfactory.h"
#include "browser/actions/browseractions.h"
#include "browser/actions/functiontabview.h"
#include "browser/columns/contacttablecolumns.h"
#include "browser/inspector/contactinspector.h"
#include "browser/menus/contactcontextmenu.h"
#include "browser/menus/contactmenuitems.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/contactcolumns.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/tables/contacttableview.h"
#include "browser/tables/grouptableview.h"
#include "browser/toolbar/browsertoolbar.h"
#include "browser/toolbar/toolbaritems.h"
#include "browser/toolbar/toolbarkeys.h"
#include "browser/window/browserwindowcontroller.h"
#include "browser/window/windowkeys.h"
#include "foundation/views/tolvanepopuptableheader.h"
#include "foundation/views/tolvanesearchfield.h"
#include "google/engine/listkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/beep.h"

#include "tests/support/app/mainprogramtest.h"
#include "tests/support/google/googleentrybuilders.h"

#include <QAbstractItemModelTester>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kContacts = 4;
const QString kGroupTitle = QStringLiteral("Cyclists");

class BrowserToolbarWindowTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        storePassword(kPassword);
        server.generateContacts(kAccount, kContacts);
        server.seedGroups(kAccount, {makeGroup(QString(), kGroupTitle)});
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Reader%1").arg(i), kABFirstNameProperty);
            person->setValueForProperty(QStringLiteral("Person"), kABLastNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
        }
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults::standard().setInteger(1, QStringLiteral("systemGroupUseAll"));
        // The default items, whatever a test before stored.
        UserDefaults::standard().removeObjectForKey(toolbaritems::toolbarIdentifier);
        UserDefaults::standard().removeObjectForKey(windowkeys::multipleGroupsUseIntersection);
        previousBeep = beep::setHandler([this] { ++beeps; });
    }

    void TearDown() override
    {
        beep::setHandler(previousBeep);
        // The program's tests share one preferences file when they run in one process.
        for (const ContactColumn &column : contactcolumns::columns)
            UserDefaults::standard().removeObjectForKey(column.preference);
        UserDefaults::standard().removeObjectForKey(toolbaritems::toolbarIdentifier);
        testers.clear();
        MainProgramTest::TearDown();
    }

    BrowserWindowController *mainBrowser() const
    {
        return qobject_cast<BrowserWindowController *>(delegate->googleBrowserWindowController());
    }

    bool openBrowser()
    {
        if (!startProgram())
            return false;
        if (!runUntil([this] {
                return mainBrowser() && mainBrowser()->contactArrayController() &&
                       mainBrowser()->contactArrayController()->rowCount() == kContacts &&
                       groupIdentifier(kGroupTitle).size() > 0;
            }))
            return false;
        for (QAbstractItemModel *model :
             {static_cast<QAbstractItemModel *>(mainBrowser()->contactArrayController()),
              static_cast<QAbstractItemModel *>(mainBrowser()->groupArrayController())})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                model, QAbstractItemModelTester::FailureReportingMode::Fatal));
        return true;
    }

    // The program's own group of companies, by the title the preferences give it.
    static QString companies()
    {
        return UserDefaults::standard().stringForKey(listkeys::systemGroupCompany);
    }

    QString groupIdentifier(const QString &title) const
    {
        for (const GroupRow &row : mainBrowser()->groupArrayController()->groupArray()) {
            if (row.groupName == title)
                return row.identifier;
        }
        return {};
    }

    // A click on these rows of a table, as the user selects them.
    static void selectRows(QTableView *table, const QList<int> &rows)
    {
        QItemSelection chosen;
        for (const int row : rows)
            chosen.select(table->model()->index(row, 0), table->model()->index(row, 0));
        table->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
    }

    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    int beeps = 0;
    std::function<void()> previousBeep;
};

TEST_F(BrowserToolbarWindowTest, Toolbar_FollowsTheSelection)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    BrowserToolbar *const toolbar = browser->toolbar();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_TRUE(toolbar->isVisibleTo(browser->window()));
    QAction *const inspect = toolbar->item(toolbaritems::inspector);
    QAction *const remove = toolbar->deleteToolbarItem();
    QAction *const merge = toolbar->item(toolbaritems::merge);
    QAction *const setOperator = toolbar->setOperatorToolbarItem();

    // The All row chosen: nothing to delete, and one group does not combine.
    browser->groupSetController()->selectGroupIdentifiers({groupIdentifier(kGroupTitle)});
    browser->groupSetController()->selectGroupIdentifiers(
        {browser->groupArrayController()->groupArray().front().identifier});
    EXPECT_TRUE(browser->isGroupSelection());
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(inspect->isEnabled());
    EXPECT_FALSE(setOperator->isEnabled());

    // One contact chosen.
    selectRows(browser->contactsTableView(), {1});
    EXPECT_FALSE(browser->isGroupSelection());
    EXPECT_TRUE(inspect->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_FALSE(merge->isEnabled());
    selectRows(browser->contactsTableView(), {0, 2});
    EXPECT_FALSE(inspect->isEnabled());
    EXPECT_TRUE(merge->isEnabled());
    EXPECT_TRUE(toolbar->item(toolbaritems::bulkEdit)->isEnabled());

    // A Google group of the account alone, then with a program's own group.
    const QString cyclists = groupIdentifier(kGroupTitle);
    browser->groupSetController()->selectGroupIdentifiers({cyclists});
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_FALSE(setOperator->isEnabled());
    browser->groupSetController()->selectGroupIdentifiers({cyclists, companies()});
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(setOperator->isEnabled());

    // Hidden and shown again.
    browser->hideToolbar();
    EXPECT_FALSE(toolbar->isVisibleTo(browser->window()));
    browser->showToolbar();
    EXPECT_TRUE(toolbar->isVisibleTo(browser->window()));
}

TEST_F(BrowserToolbarWindowTest, Keys_BeepOrAskByWhatIsSelected)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    GroupTableView *const groups = browser->groupTableView();
    ContactTableView *const contacts = browser->contactTableView();

    // The All row cannot be deleted.
    selectRows(groups, {0});
    QTest::keyClick(groups, Qt::Key_Backspace);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(prompter.shown().isEmpty());

    // Contacts of the All row are deleted, by the name of the one selected.
    selectRows(contacts, {2});
    const QString name =
        browser->contactArrayController()->arrangedObject(2).value(u"name"_qs).toString();
    prompter.answer(kAlertSecondButtonReturn);
    QTest::keyClick(contacts, Qt::Key_Delete);
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().back().prompt.informativeText,
              u"Permanently DELETE  \"%1\" ?"_qs.arg(name));
    EXPECT_EQ(prompter.shown().back().window, browser->window());

    // The toolbar's Delete asks the table touched last: the group of the account, which has no
    // members yet.
    browser->groupSetController()->selectGroupIdentifiers({groupIdentifier(kGroupTitle)});
    ASSERT_EQ(browser->contactArrayController()->rowCount(), 0);
    ASSERT_TRUE(browser->toolbar()->deleteToolbarItem()->isEnabled());
    prompter.answer(kAlertSecondButtonReturn);
    browser->toolbar()->deleteToolbarItem()->trigger();
    ASSERT_EQ(prompter.shown().size(), 2);
    EXPECT_EQ(prompter.shown().back().prompt.message, u"Permanently DELETE a Google Group"_qs);
    EXPECT_EQ(prompter.shown().back().prompt.informativeText,
              u"Permanently DELETE  \"%1\" ?"_qs.arg(kGroupTitle));
    // With no contact in the group, the contacts' Delete beeps.
    QTest::keyClick(contacts, Qt::Key_Backspace);
    EXPECT_EQ(beeps, 2);
}

TEST_F(BrowserToolbarWindowTest, Closing_StoresTheSlidersAndTheSetOperatorChosenInTheToolbar)
{
    UserDefaults &ud = UserDefaults::standard();
    ud.setObject(QStringList{toolbaritems::setLogic, toolbaritems::rowHeight,
                             toolbaritems::rowFontSize, toolbaritems::noteFontSize},
                 toolbaritems::toolbarIdentifier);
    ud.setBool(false, windowkeys::multipleGroupsUseIntersection);
    ASSERT_TRUE(openBrowser());
    QPointer<BrowserWindowController> browser = mainBrowser();
    BrowserToolbar *const toolbar = browser->toolbar();
    ASSERT_NE(toolbar->rowHeightSlider(), nullptr);
    toolbar->rowHeightSlider()->setValue(31);
    toolbar->rowFontSizeSlider()->setValue(14);
    toolbar->noteFontSizeSlider()->setValue(17);
    EXPECT_EQ(browser->contactsTableView()->verticalHeader()->defaultSectionSize(), 31);
    EXPECT_EQ(browser->contactsTableView()->font().pointSizeF(), 14);
    // The operator applies to two groups or more.
    browser->groupSetController()->selectGroupIdentifiers(
        {groupIdentifier(kGroupTitle), companies()});
    QTest::mouseClick(toolbar->segment(true), Qt::LeftButton);
    EXPECT_TRUE(browser->useIntersection());
    // Without a search item in the toolbar the window's own field stays.
    EXPECT_FALSE(browser->searchField()->isHidden());

    browser->window()->close();
    ASSERT_TRUE(runUntil([&browser] { return browser.isNull(); }));
    EXPECT_EQ(ud.doubleForKey(windowkeys::browserRowHeight), 31);
    EXPECT_EQ(ud.doubleForKey(windowkeys::browserRowFontSize), 14);
    EXPECT_EQ(ud.doubleForKey(windowkeys::browserNoteFontSize), 17);
    EXPECT_TRUE(ud.boolForKey(windowkeys::multipleGroupsUseIntersection));
}

TEST_F(BrowserToolbarWindowTest, TheToolbarsSearchFieldSearches)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    QLineEdit *const search = browser->toolbar()->searchField();
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(browser->searchField()->isHidden());
    const QString name =
        browser->contactArrayController()->arrangedObject(0).value(u"name"_qs).toString();
    QTest::keyClicks(search, name.toUpper());
    EXPECT_GE(browser->contactArrayController()->rowCount(), 1);
    EXPECT_LT(browser->contactArrayController()->rowCount(), kContacts);
    search->clear();
    EXPECT_EQ(browser->contactArrayController()->rowCount(), kContacts);

    // A group chosen clears the search where the preferences say so, in the field shown too.
    UserDefaults::standard().setBool(true, u"clearSearchOnGroupSelect"_qs);
    QTest::keyClicks(search, name.toUpper());
    browser->groupSetController()->selectGroupIdentifiers({companies()});
    EXPECT_TRUE(search->text().isEmpty());
    EXPECT_TRUE(browser->contactArrayController()->searchString().isEmpty());
    UserDefaults::standard().removeObjectForKey(u"clearSearchOnGroupSelect"_qs);
}

TEST_F(BrowserToolbarWindowTest, ColumnCommandsOfTheApplicationReachTheKeyBrowser)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    QHeaderView *const header = browser->contactsTableView()->horizontalHeader();
    EXPECT_EQ(static_cast<TolvanePopupTableHeader *>(header)->menu(),
              browser->tableColumns()->tableColumnsMenu());
    // A right click on the header opens the columns menu there.
    browser->showWindow();
    QMenu *const menu = browser->tableColumns()->tableColumnsMenu();
    QTest::mousePress(header->viewport(), Qt::RightButton, {}, QPoint(10, header->height() / 2));
    EXPECT_TRUE(menu->isVisible());
    menu->close();
    // The factory's choice: the home phone hidden.
    const int homePhone = contactcolumns::columnOf(u"homePhone"_qs);
    EXPECT_TRUE(header->isSectionHidden(homePhone));
    EXPECT_FALSE(header->isSectionHidden(contactcolumns::columnOf(u"name"_qs)));

    browser->window()->activateWindow();
    ASSERT_TRUE(runUntil([this] { return delegate->isBrowserFront(); }));
    UserDefaults::standard().setBool(true, u"tableColHomePhone"_qs);
    delegate->browserChangeDataField(106);
    EXPECT_FALSE(header->isSectionHidden(homePhone));
    EXPECT_EQ(header->visualIndex(homePhone), header->count() - 1);

    delegate->showTableColumnSheet();
    QDialog *const sheet = browser->tableColumns()->tableColumnSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->parentWidget(), browser->window());
    browser->closeTableColumnSheet();
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(BrowserToolbarWindowTest, ContextMenu_FollowsTheSelectionAndSwitchesTheOperator)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    ContactContextMenu *const menu = browser->contextMenu();
    ASSERT_EQ(browser->contactsTableView()->contextMenuPolicy(), Qt::CustomContextMenu);

    selectRows(browser->contactsTableView(), {1});
    ASSERT_EQ(browser->prepareContactContextMenu(), menu->contactContextMenu());
    // The generated contacts are in My Contacts alone.
    EXPECT_FALSE(menu->item(contactmenuitems::kGroups)->isEnabled());
    EXPECT_FALSE(menu->item(contactmenuitems::kMerge)->isEnabled());
    EXPECT_TRUE(menu->item(contactmenuitems::kFlags)->isEnabled());
    EXPECT_FALSE(menu->item(contactmenuitems::kSetOperator)->isEnabled());
    selectRows(browser->contactsTableView(), {0, 1});
    browser->prepareContactContextMenu();
    EXPECT_TRUE(menu->item(contactmenuitems::kMerge)->isEnabled());
    // Its items and the toolbar's run the window's actions.
    menu->item(contactmenuitems::kFindReplace)->trigger();
    EXPECT_EQ(browser->functionTabView()->selectedIdentifier(), u"Bulk"_qs);
    browser->functionTabView()->selectTabViewItemWithIdentifier(u"MultipleNote"_qs);
    browser->toolbar()->item(toolbaritems::bulkEdit)->trigger();
    EXPECT_EQ(browser->functionTabView()->selectedIdentifier(), u"Bulk"_qs);

    browser->groupSetController()->selectGroupIdentifiers(
        {groupIdentifier(kGroupTitle), companies()});
    browser->prepareContactContextMenu();
    QAction *const setOperator = menu->item(contactmenuitems::kSetOperator);
    EXPECT_TRUE(setOperator->isEnabled());
    EXPECT_EQ(setOperator->text(), u"Change to Intersection"_qs);
    setOperator->trigger();
    EXPECT_TRUE(browser->useIntersection());
    EXPECT_TRUE(browser->toolbar()->segment(true)->isChecked());
    browser->prepareContactContextMenu();
    EXPECT_EQ(setOperator->text(), u"Change to Union"_qs);
}

// The editor sheets open on what the window shows: its inspector's contact and its first chosen
// group.
TEST_F(BrowserToolbarWindowTest, TheSheetsGetTheShownContactAndTheFirstChosenGroup)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    selectRows(browser->contactsTableView(), {1});
    const QString shown = browser->contactArrayController()->gIDAt(1);
    ASSERT_TRUE(runUntil([&] {
        return browser->currentContact().value(QStringLiteral("gID")).toString() == shown;
    }));
    EXPECT_EQ(browser->currentContact(), browser->inspector()->currentContact());

    browser->groupSetController()->selectGroupIdentifiers({groupIdentifier(kGroupTitle)});
    const QVariantMap group = browser->firstSelectedGroup();
    EXPECT_EQ(group.value(QStringLiteral("identifier")).toString(), groupIdentifier(kGroupTitle));
    EXPECT_EQ(group.value(QStringLiteral("groupName")).toString(), kGroupTitle);
}

// The merge item's title names the contact chosen alone and counts the others; the data label
// follows the data field preference and keeps itself for a value it does not know.
TEST_F(BrowserToolbarWindowTest, MergeTitleAndDataLabelFollowTheSelectionAndThePreference)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    ContactArrayController *const contacts = browser->contactArrayController();
    selectRows(browser->contactsTableView(), {1});
    const QString master = contacts->arrangedObject(1).value(u"name"_qs).toString();
    ASSERT_TRUE(runUntil([&] {
        return browser->actions()->mergeMenuTitle() == master + u" selected"_qs;
    })) << browser->actions()->mergeMenuTitle().toStdString();
    selectRows(browser->contactsTableView(), {0, 1, 2});
    ASSERT_TRUE(runUntil([&] {
        return browser->actions()->mergeMenuTitle() == u"Merge "_qs + master + u" and 2 other"_qs;
    })) << browser->actions()->mergeMenuTitle().toStdString();

    for (const auto &[field, label] : {std::pair{2, "Phonel"}, std::pair{9, "Phonel"},
                                       std::pair{1, "Email"}, std::pair{3, "Location"}}) {
        UserDefaults::standard().setInteger(field, toolbarkeys::browserDataField);
        browser->setDataLabel();
        EXPECT_EQ(browser->dataLabel(), QString::fromLatin1(label)) << field;
    }
}

// The live entries of that kind on the server.
int liveEntries(GDataTestServer &server, const QString &account, GDataEntryBase::Kind kind)
{
    int count = 0;
    if (const GDataFeedPtr feed = server.entries(account, kind)) {
        for (const GDataEntryPtr &entry : feed->entries())
            count += entry->isDeleted() ? 0 : 1;
    }
    return count;
}

TEST_F(BrowserToolbarWindowTest, ConfirmedDeleteKeys_DeleteOnGoogleAndTheListsFollow)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    ContactArrayController *const contacts = browser->contactArrayController();
    const int groupsBefore = liveEntries(server, kAccount, GDataEntryBase::Kind::ContactGroup);

    selectRows(browser->contactsTableView(), {1});
    const QString gone = contacts->gIDAt(1);
    prompter.answer(kAlertFirstButtonReturn);
    QTest::keyClick(browser->contactTableView(), Qt::Key_Backspace);
    ASSERT_TRUE(runUntil([&] {
        return liveEntries(server, kAccount, GDataEntryBase::Kind::Contact) == kContacts - 1 &&
               contacts->rowCount() == kContacts - 1;
    }));
    for (int row = 0; row < contacts->rowCount(); ++row)
        EXPECT_NE(contacts->gIDAt(row), gone);

    browser->groupSetController()->selectGroupIdentifiers({groupIdentifier(kGroupTitle)});
    prompter.answer(kAlertFirstButtonReturn);
    QTest::keyClick(browser->groupTableView(), Qt::Key_Delete);
    ASSERT_TRUE(runUntil([&] {
        return liveEntries(server, kAccount, GDataEntryBase::Kind::ContactGroup) ==
                   groupsBefore - 1 &&
               groupIdentifier(kGroupTitle).isEmpty();
    }));
    EXPECT_EQ(beeps, 0);
}

} // namespace
