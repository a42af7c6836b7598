// The contact table's columns as the user chose them: shown and hidden by their preferences, the
// first launch's widths, fitting a column by a double click on its header, the header's menu and
// the column chooser sheet.

#include "browser/columns/contacttablecolumns.h"

#include "app/appkeys.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/contactcolumns.h"
#include "platform/defaults/userdefaults.h"

#include "tests/browser/browseraccount.h"

#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTest>

namespace {

class ContactTableColumnsTest : public BrowserAccountTest
{
protected:
    void SetUp() override
    {
        BrowserAccountTest::SetUp();
        contacts.contactRowsChanged();
        table.setModel(&contacts);
        table.resize(800, 300);
        // The name, the organisation and the work e-mail shown; the rest hidden.
        for (const ContactColumn &column : contactcolumns::columns)
            showColumn(column.identifier, false);
        for (const QString &shown : {u"name"_qs, u"org"_qs, u"workEmail"_qs})
            showColumn(shown, true);
    }

    // The program's tests share one preferences file when they run in one process.
    void TearDown() override
    {
        for (const ContactColumn &column : contactcolumns::columns)
            UserDefaults::standard().removeObjectForKey(column.preference);
        UserDefaults::standard().removeObjectForKey(appkeys::newPrefFileCreated);
    }

    static void showColumn(const QString &identifier, bool shown)
    {
        UserDefaults::standard().setBool(
            shown,
            contactcolumns::columns[size_t(contactcolumns::columnOf(identifier))].preference);
    }

    // The identifiers of the columns shown, from left to right.
    QStringList shownColumns() const
    {
        QStringList shown;
        const QHeaderView *const header = table.horizontalHeader();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int column = header->logicalIndex(visual);
            if (!header->isSectionHidden(column))
                shown.append(contactcolumns::columns[size_t(column)].identifier);
        }
        return shown;
    }

    int width(const QString &identifier) const
    {
        return table.horizontalHeader()->sectionSize(contactcolumns::columnOf(identifier));
    }

    ContactArrayController contacts{tool.lists()};
    QTableView table;
    ContactTableColumns columns{table};
};

TEST_F(ContactTableColumnsTest, ColumnsFollowTheirPreferences_AShownOneAtTheRightEnd)
{
    columns.setupTableColumns();
    EXPECT_EQ(shownColumns(), (QStringList{u"name"_qs, u"org"_qs, u"workEmail"_qs}));

    // The sender changes the preference first; the action reads it.
    showColumn(u"genderImage"_qs, true);
    columns.changeBrowserDataField(97);
    EXPECT_EQ(shownColumns(),
              (QStringList{u"name"_qs, u"org"_qs, u"workEmail"_qs, u"genderImage"_qs}));
    showColumn(u"org"_qs, false);
    columns.changeBrowserDataField(101);
    showColumn(u"org"_qs, true);
    columns.changeBrowserDataField(101);
    EXPECT_EQ(shownColumns(),
              (QStringList{u"name"_qs, u"workEmail"_qs, u"genderImage"_qs, u"org"_qs}));

    // A tag of no column, or a preference unchanged, changes nothing.
    showColumn(u"job"_qs, true);
    columns.changeBrowserDataField(96);
    columns.changeBrowserDataField(109);
    columns.changeBrowserDataField(101);
    EXPECT_EQ(shownColumns(),
              (QStringList{u"name"_qs, u"workEmail"_qs, u"genderImage"_qs, u"org"_qs}));
}

TEST_F(ContactTableColumnsTest, FirstLaunchWidths_OnlyOnTheFirstLaunch)
{
    table.horizontalHeader()->resizeSection(contactcolumns::columnOf(u"name"_qs), 77);
    UserDefaults::standard().setBool(false, appkeys::newPrefFileCreated);
    columns.setupTableColumns();
    EXPECT_EQ(width(u"name"_qs), 77);

    UserDefaults::standard().setBool(true, appkeys::newPrefFileCreated);
    columns.setupTableColumns();
    // Hidden columns take theirs once shown.
    for (const ContactColumn &column : contactcolumns::columns) {
        showColumn(column.identifier, true);
        columns.changeBrowserDataField(column.tag);
    }
    table.horizontalHeader()->setStretchLastSection(false);
    for (const ContactColumn &column : contactcolumns::columns)
        EXPECT_EQ(width(column.identifier), column.firstLaunchWidth)
            << column.identifier.toStdString();
}

TEST_F(ContactTableColumnsTest, HeaderDoubleClick_FitsThenHalvesThenFits)
{
    columns.setupTableColumns();
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    QHeaderView *const header = table.horizontalHeader();
    const int name = contactcolumns::columnOf(u"name"_qs);
    const auto doubleClick = [&] {
        const QPoint inside(header->sectionViewportPosition(name) + 20, header->height() / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, inside);
    };
    doubleClick();
    const int fitted = width(u"name"_qs);
    // The longest name is "Dee Moss", whole.
    EXPECT_GE(fitted, table.fontMetrics().horizontalAdvance(u"Dee Moss"_qs));
    EXPECT_LT(fitted, table.fontMetrics().horizontalAdvance(u"Dee Moss"_qs) + 40);
    doubleClick();
    EXPECT_EQ(width(u"name"_qs), fitted / 2);
    doubleClick();
    EXPECT_EQ(width(u"name"_qs), fitted);

    // A list without rows: 100, raising a smaller maximum, then 50.
    contacts.setSearchString(u"nobody at all"_qs);
    ASSERT_EQ(contacts.rowCount(), 0);
    header->setMaximumSectionSize(80);
    doubleClick();
    EXPECT_EQ(width(u"name"_qs), 100);
    EXPECT_EQ(header->maximumSectionSize(), 100);
    doubleClick();
    EXPECT_EQ(width(u"name"_qs), 50);
}

TEST_F(ContactTableColumnsTest, Fitting_AColumnOfEmptyValuesChangesNothing)
{
    // No contact of the account has a job title.
    const int job = contactcolumns::columnOf(u"job"_qs);
    table.horizontalHeader()->resizeSection(job, 61);
    columns.sizeTableColumn(job);
    EXPECT_EQ(width(u"job"_qs), 61);
}

TEST_F(ContactTableColumnsTest, TheHeaderMenuAndTheChooserSetThePreferenceAndTheColumn)
{
    columns.setupTableColumns();
    QMenu *const menu = columns.tableColumnsMenu();
    ASSERT_EQ(menu->actions().size(), 12);
    QAction *const job = menu->actions()[5];
    EXPECT_EQ(job->data().toInt(), 102);
    EXPECT_EQ(job->text(), u"Job Title"_qs);
    job->trigger();
    EXPECT_TRUE(UserDefaults::standard().boolForKey(u"tableColJob"_qs));
    EXPECT_EQ(shownColumns().back(), u"job"_qs);

    QWidget window;
    window.show();
    columns.showTableColumnSheet(&window);
    QDialog *const sheet = columns.tableColumnSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->parentWidget(), &window);
    const QList<QCheckBox *> switches = sheet->findChildren<QCheckBox *>();
    ASSERT_EQ(switches.size(), 12);
    QCheckBox *const name = switches[2];
    EXPECT_EQ(name->text(), u"Name"_qs);
    EXPECT_TRUE(name->isChecked());
    EXPECT_TRUE(switches[5]->isChecked());
    name->click();
    EXPECT_FALSE(UserDefaults::standard().boolForKey(u"tableColName"_qs));
    EXPECT_FALSE(shownColumns().contains(u"name"_qs));

    columns.closeTableColumnSheet();
    EXPECT_EQ(sheet->result(), -1001);
    EXPECT_FALSE(sheet->isVisible());
}

} // namespace
