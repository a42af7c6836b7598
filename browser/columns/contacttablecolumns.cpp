#include "browser/columns/contacttablecolumns.h"

#include "app/appkeys.h"
#include "browser/columns/columntexts.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/contactcolumns.h"
#include "foundation/log.h"
#include "platform/defaults/userdefaults.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kClass = QStringLiteral("BrowserWindowController");
// The width of a column fitted to a list without rows.
constexpr int kEmptyListWidth = 100;
// Closing the column chooser ends it with this code.
constexpr int kSheetClosed = -1001;
// Narrow enough for the image columns' first width.
constexpr int kMinimumColumnWidth = 16;

QString switchTitle(const ContactColumn &column)
{
    if (column.identifier == QStringLiteral("genderImage"))
        return columntexts::genderImage;
    if (column.identifier == QStringLiteral("image"))
        return columntexts::image;
    return column.title;
}

// The model column of a menu tag; -1 for a tag of no column.
int columnOfTag(int tag)
{
    for (size_t i = 0; i < contactcolumns::columns.size(); ++i) {
        if (contactcolumns::columns[i].tag == tag)
            return int(i);
    }
    return -1;
}

} // namespace

ContactTableColumns::ContactTableColumns(QTableView &table, QObject *parent)
    : QObject(parent)
    , m_table(table)
{
    buildMenu();
    m_table.horizontalHeader()->setMinimumSectionSize(kMinimumColumnWidth);
    // A double click on a header sizes that column; a click elsewhere sorts as always.
    connect(m_table.horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int column) { sizeTableColumn(column); });
}

ContactTableColumns::~ContactTableColumns() = default;

void ContactTableColumns::setupTableColumns()
{
    for (int column = 0; column < int(contactcolumns::columns.size()); ++column)
        initTableColKey(column);
    if (!UserDefaults::standard().boolForKey(appkeys::newPrefFileCreated))
        return;
    QHeaderView *const header = m_table.horizontalHeader();
    for (int column = 0; column < int(contactcolumns::columns.size()); ++column)
        header->resizeSection(column, contactcolumns::columns[size_t(column)].firstLaunchWidth);
}

void ContactTableColumns::initTableColKey(int column)
{
    QHeaderView *const header = m_table.horizontalHeader();
    const bool wanted =
        UserDefaults::standard().boolForKey(contactcolumns::columns[size_t(column)].preference);
    const bool shown = !header->isSectionHidden(column);
    if (wanted == shown)
        return;
    header->setSectionHidden(column, !wanted);
    if (wanted)
        header->moveSection(header->visualIndex(column), header->count() - 1);
}

void ContactTableColumns::changeBrowserDataField(int tag)
{
    const int column = columnOfTag(tag);
    if (column < 0)
        return;
    initTableColKey(column);
    m_table.viewport()->update();
}

void ContactTableColumns::sizeTableColumn(int column)
{
    const auto *const contacts = qobject_cast<const ContactArrayController *>(m_table.model());
    if (!contacts || column < 0 || column >= int(contactcolumns::columns.size()))
        return;
    const QString &identifier = contactcolumns::columns[size_t(column)].identifier;
    int wanted = kEmptyListWidth;
    if (contacts->rowCount() > 0) {
        // The first of the longest strings, and the widest image; other values count for nothing.
        QString longest;
        int longestRow = -1;
        int imageWidth = 0;
        for (int row = 0; row < contacts->rowCount(); ++row) {
            const QVariant value = contacts->arrangedObject(row).value(identifier);
            if (value.typeId() == QMetaType::QString) {
                const QString text = value.toString();
                if (text.size() > longest.size()) {
                    longest = text;
                    longestRow = row;
                }
            } else if (value.typeId() == QMetaType::QImage) {
                imageWidth = std::max(imageWidth, value.value<QImage>().width());
            }
        }
        int textWidth = 0;
        if (!longest.isEmpty()) {
            // The width of the column's cell showing that value, as its delegate lays it out.
            QStyleOptionViewItem option;
            option.initFrom(&m_table);
            option.font = m_table.font();
            option.fontMetrics = m_table.fontMetrics();
            const QModelIndex index = contacts->index(longestRow, column);
            textWidth = m_table.itemDelegateForIndex(index)->sizeHint(option, index).width();
        }
        wanted = std::max(textWidth, imageWidth);
        if (wanted <= 0)
            return;
    }
    QHeaderView *const header = m_table.horizontalHeader();
    if (wanted > header->maximumSectionSize())
        header->setMaximumSectionSize(wanted);
    header->resizeSection(column, header->sectionSize(column) == wanted ? wanted / 2 : wanted);
}

void ContactTableColumns::buildMenu()
{
    m_menu = std::make_unique<QMenu>();
    for (const ContactColumn &column : contactcolumns::columns) {
        QAction *const item = m_menu->addAction(switchTitle(column));
        item->setCheckable(true);
        item->setData(column.tag);
        const int tag = column.tag;
        connect(item, &QAction::triggered, this,
                [this, tag](bool checked) { chooseColumn(tag, checked); });
    }
    // The switches show the preferences as they are when the menu opens.
    connect(m_menu.get(), &QMenu::aboutToShow, this, [this] {
        UserDefaults &ud = UserDefaults::standard();
        for (QAction *item : m_menu->actions()) {
            const int column = columnOfTag(item->data().toInt());
            item->setChecked(ud.boolForKey(contactcolumns::columns[size_t(column)].preference));
        }
    });
}

void ContactTableColumns::chooseColumn(int tag, bool shown)
{
    const int column = columnOfTag(tag);
    UserDefaults::standard().setBool(shown, contactcolumns::columns[size_t(column)].preference);
    changeBrowserDataField(tag);
}

void ContactTableColumns::buildSheet(QWidget *window)
{
    m_sheet = new QDialog(window);
    m_sheet->setObjectName(QStringLiteral("tableColumnSheet"));
    m_sheet->setWindowTitle(columntexts::chooserTitle);
    m_sheet->setWindowModality(Qt::WindowModal);
    auto *const layout = new QVBoxLayout(m_sheet);
    for (const ContactColumn &column : contactcolumns::columns) {
        auto *const box = new QCheckBox(switchTitle(column));
        box->setProperty("tag", column.tag);
        const int tag = column.tag;
        connect(box, &QCheckBox::clicked, this,
                [this, tag](bool checked) { chooseColumn(tag, checked); });
        layout->addWidget(box);
    }
    auto *const buttons = new QDialogButtonBox;
    QPushButton *const done = buttons->addButton(columntexts::done, QDialogButtonBox::AcceptRole);
    connect(done, &QPushButton::clicked, this, [this] { closeTableColumnSheet(); });
    layout->addWidget(buttons);
    connect(m_sheet, &QDialog::finished, this, [this] { tableColumnSheetDidEnd(); });
}

void ContactTableColumns::showTableColumnSheet(QWidget *window)
{
    tlog::trace(kClass, QStringLiteral("showTableColumnSheet:"));
    if (!m_sheet || m_sheet->parentWidget() != window) {
        delete m_sheet;
        buildSheet(window);
    }
    UserDefaults &ud = UserDefaults::standard();
    for (QCheckBox *box : m_sheet->findChildren<QCheckBox *>()) {
        const int column = columnOfTag(box->property("tag").toInt());
        box->setChecked(ud.boolForKey(contactcolumns::columns[size_t(column)].preference));
    }
    m_sheet->open();
}

void ContactTableColumns::closeTableColumnSheet()
{
    tlog::trace(kClass, QStringLiteral("closeTableColumnSheet:"));
    if (m_sheet)
        m_sheet->done(kSheetClosed);
}

void ContactTableColumns::tableColumnSheetDidEnd()
{
    m_sheet->hide();
}
