#include "app/prefs/customizedialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

// The standard items may stand in the toolbar any number of times.
const QStringList kRepeatable = {QStringLiteral("NSToolbarFlexibleSpaceItem"),
                                 QStringLiteral("NSToolbarSpaceItem"),
                                 QStringLiteral("NSToolbarSeparatorItem")};

} // namespace

CustomizeDialog::CustomizeDialog(const QStringList &allowed, const QHash<QString, QString> &labels,
                                 const QStringList &shown, QWidget *parent)
    : QDialog(parent)
    , m_allowed(allowed)
    , m_labels(labels)
    , m_chosen(shown)
    , m_allowedModel(new QStringListModel(this))
    , m_shownModel(new QStringListModel(this))
    , m_allowedView(new QListView(this))
    , m_shownView(new QListView(this))
{
    setObjectName(QStringLiteral("customizeToolbar"));
    setWindowTitle(tr("Customize Toolbar"));
    setWindowModality(Qt::WindowModal);
    QStringList allowedLabels;
    for (const QString &identifier : m_allowed)
        allowedLabels << m_labels.value(identifier, identifier);
    m_allowedModel->setStringList(allowedLabels);
    for (QListView *view : {m_allowedView, m_shownView}) {
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
    }
    m_allowedView->setModel(m_allowedModel);
    m_shownView->setModel(m_shownModel);
    showChosen();

    auto *const layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Available items"), this), 0, 0);
    layout->addWidget(new QLabel(tr("Toolbar items"), this), 0, 2);
    layout->addWidget(m_allowedView, 1, 0);
    layout->addWidget(m_shownView, 1, 2);
    auto *const moves = new QVBoxLayout;
    const auto button = [this, moves](const QString &title, auto action) {
        auto *const made = new QPushButton(title, this);
        connect(made, &QPushButton::clicked, this, action);
        moves->addWidget(made);
    };
    button(tr("Add"), [this] { addItem(currentRow(m_allowedView)); });
    button(tr("Remove"), [this] { removeItem(currentRow(m_shownView)); });
    button(tr("Up"), [this] { moveItem(currentRow(m_shownView), -1); });
    button(tr("Down"), [this] { moveItem(currentRow(m_shownView), 1); });
    moves->addStretch();
    layout->addLayout(moves, 1, 1);
    auto *const buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Done"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 2, 0, 1, 3);
    resize(460, 360);
}

void CustomizeDialog::addItem(int allowedRow)
{
    if (allowedRow < 0 || allowedRow >= m_allowed.size())
        return;
    const QString &identifier = m_allowed.at(allowedRow);
    if (m_chosen.contains(identifier) && !kRepeatable.contains(identifier))
        return;
    const int at = currentRow(m_shownView);
    const int row = at < 0 ? int(m_chosen.size()) : at + 1;
    m_chosen.insert(row, identifier);
    showChosen();
    m_shownView->setCurrentIndex(m_shownModel->index(row));
}

void CustomizeDialog::removeItem(int shownRow)
{
    if (shownRow < 0 || shownRow >= m_chosen.size())
        return;
    m_chosen.removeAt(shownRow);
    showChosen();
}

void CustomizeDialog::moveItem(int shownRow, int by)
{
    const int to = shownRow + by;
    if (shownRow < 0 || shownRow >= m_chosen.size() || to < 0 || to >= m_chosen.size())
        return;
    m_chosen.move(shownRow, to);
    showChosen();
    m_shownView->setCurrentIndex(m_shownModel->index(to));
}

void CustomizeDialog::showChosen()
{
    QStringList shownLabels;
    for (const QString &identifier : std::as_const(m_chosen))
        shownLabels << m_labels.value(identifier, identifier);
    m_shownModel->setStringList(shownLabels);
}

int CustomizeDialog::currentRow(const QListView *view) const
{
    const QModelIndex current = view->currentIndex();
    return current.isValid() ? current.row() : -1;
}
