#pragma once

#include <QAbstractTableModel>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QTableView;
class StatusAppDelegate;

// The address book groups as the configuration panel lists them: a tick for the groups whose
// changes are pushed, the group's icon and its name.
class AutoABGroupsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Synch, Icon, Name, ColumnCount };

    explicit AutoABGroupsModel(StatusAppDelegate *delegate, QObject *parent = nullptr);

    void reload();
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    StatusAppDelegate *m_delegate;
};

// The agent's configuration panel: the group table and the push options, which are the agent's
// own preferences.
class ConfigurationPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ConfigurationPanel(StatusAppDelegate *delegate);

    // The rows and options as they stand now.
    void reload();
    AutoABGroupsModel *groupsModel() const { return m_model; }
    QTableView *groupsTable() const { return m_table; }

signals:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QCheckBox *addOption(const QString &title, const QString &key);

    StatusAppDelegate *m_delegate;
    AutoABGroupsModel *m_model;
    QTableView *m_table;
    QButtonGroup *m_modes;
    QList<QPair<QCheckBox *, QString>> m_options;
};
