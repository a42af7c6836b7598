// The contact table's twelve columns as the user chose them: each shown while its preference is
// on, a column shown again placed at the right end, the first launch's widths, a header double
// click fitting a column to its content, the header's menu and the column chooser sheet.
#pragma once

#include <QObject>
#include <QPointer>

class QDialog;
class QMenu;
class QTableView;
class QWidget;

class ContactTableColumns : public QObject
{
    Q_OBJECT

public:
    // The table's model has the twelve columns of contactcolumns, in their order.
    explicit ContactTableColumns(QTableView &table, QObject *parent = nullptr);
    ~ContactTableColumns() override;

    // Every column follows its preference; on the first launch (newPrefFileCreated) each also
    // takes its first width.
    void setupTableColumns();
    // The column shown or hidden as its preference says; shown again, at the right end.
    void initTableColKey(int column);
    // The column of the tag (97 to 108) follows its preference, which the sender has changed
    // already; any other tag changes nothing.
    void changeBrowserDataField(int tag);
    // Fits the column to the widest of its values; a column that fits already is halved. The
    // width is 100 when no row is shown.
    void sizeTableColumn(int column);

    // The header's menu: one switch per column.
    QMenu *tableColumnsMenu() const { return m_menu.get(); }
    // The column chooser, a sheet on the window.
    void showTableColumnSheet(QWidget *window);
    void closeTableColumnSheet();
    // Sets the column's preference (tag 97 to 108), and the table follows it.
    void chooseColumn(int tag, bool shown);
    QDialog *tableColumnSheet() const { return m_sheet; }

private:
    void buildMenu();
    void buildSheet(QWidget *window);
    void tableColumnSheetDidEnd();

    QTableView &m_table;
    std::unique_ptr<QMenu> m_menu;
    QPointer<QDialog> m_sheet;
};
