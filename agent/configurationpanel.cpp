#include "agent/configurationpanel.h"

#include "agent/agentkeys.h"
#include "agent/statusappdelegate.h"
#include "google/push/pushkeys.h"
#include "platform/defaults/userdefaults.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

AutoABGroupsModel::AutoABGroupsModel(StatusAppDelegate *delegate, QObject *parent)
    : QAbstractTableModel(parent), m_delegate(delegate)
{
}

void AutoABGroupsModel::reload()
{
    beginResetModel();
    endResetModel();
}

int AutoABGroupsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_delegate->autoABGroups().size());
}

int AutoABGroupsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AutoABGroupsModel::data(const QModelIndex &index, int role) const
{
    const QList<AutoABGroup> rows = m_delegate->autoABGroups();
    if (!index.isValid() || index.row() >= rows.size())
        return {};
    const AutoABGroup &row = rows[index.row()];
    switch (index.column()) {
    case Synch:
        if (role == Qt::CheckStateRole)
            return row.doSynch ? Qt::Checked : Qt::Unchecked;
        break;
    case Icon:
        if (role == Qt::DecorationRole)
            return QPixmap::fromImage(row.image);
        break;
    case Name:
        if (role == Qt::DisplayRole)
            return row.groupName;
        break;
    }
    return {};
}

bool AutoABGroupsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != Synch || role != Qt::CheckStateRole)
        return false;
    m_delegate->setGroupSynch(index.row(), value.toInt() == Qt::Checked);
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags AutoABGroupsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Synch)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant AutoABGroupsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == Name ? tr("Group") : QVariant();
}

ConfigurationPanel::ConfigurationPanel(StatusAppDelegate *delegate)
    : QWidget(nullptr, Qt::Tool), m_delegate(delegate), m_model(new AutoABGroupsModel(delegate, this))
{
    setWindowTitle(tr("Agent Tolvane Configuration"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *layout = new QVBoxLayout(this);

    auto *modeBox = new QGroupBox(tr("Push address book changes to Google"), this);
    auto *modeLayout = new QVBoxLayout(modeBox);
    m_modes = new QButtonGroup(this);
    int mode = 0;
    for (const QString &title : {tr("No push"), tr("Every change"), tr("Monitored groups only")}) {
        auto *button = new QRadioButton(title, modeBox);
        m_modes->addButton(button, mode++);
        modeLayout->addWidget(button);
    }
    connect(m_modes, &QButtonGroup::idClicked, this, [](int id) {
        UserDefaults::standard().setInteger(id, pushkeys::autoABPushMode);
    });
    layout->addWidget(modeBox);

    auto *proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(m_model);
    proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_table = new QTableView(this);
    m_table->setModel(proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(AutoABGroupsModel::Name, Qt::AscendingOrder);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(AutoABGroupsModel::Synch, 28);
    m_table->setColumnWidth(AutoABGroupsModel::Icon, 40);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setMinimumHeight(160);
    layout->addWidget(m_table, 1);

    layout->addWidget(addOption(tr("Only the ticked groups"), agentkeys::autoABUsesSelectedGroups));
    layout->addWidget(addOption(tr("Include new groups"),
                                agentkeys::autoABSelectedGroupsIncludeNewGroups));
    layout->addWidget(addOption(tr("Include nested groups"),
                                QStringLiteral("autoABSelectedGroupsIncludeNestedGroups")));
    layout->addWidget(addOption(tr("Include contacts without a group"),
                                pushkeys::autoABUsesContactsWithoutGroups));
    layout->addWidget(addOption(tr("Keep Google group memberships strict"), pushkeys::autoABStrict));
    layout->addWidget(addOption(tr("Check for Internet access every 5 seconds"),
                                agentkeys::tolvaneAgentDoesPoll));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &ConfigurationPanel::closeRequested);
    layout->addWidget(buttons);
    resize(380, 480);
}

QCheckBox *ConfigurationPanel::addOption(const QString &title, const QString &key)
{
    auto *box = new QCheckBox(title, this);
    connect(box, &QCheckBox::toggled, this,
            [key](bool on) { UserDefaults::standard().setBool(on, key); });
    m_options << qMakePair(box, key);
    return box;
}

void ConfigurationPanel::reload()
{
    UserDefaults &defaults = UserDefaults::standard();
    if (QAbstractButton *mode = m_modes->button(defaults.integerForKey(pushkeys::autoABPushMode)))
        mode->setChecked(true);
    for (const auto &[box, key] : std::as_const(m_options)) {
        const QSignalBlocker blocker(box);
        box->setChecked(defaults.boolForKey(key));
    }
    m_model->reload();
}

void ConfigurationPanel::closeEvent(QCloseEvent *event)
{
    event->ignore();
    emit closeRequested();
}
