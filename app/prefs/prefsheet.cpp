#include "app/prefs/prefsheet.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>

PrefSheet::PrefSheet(QWidget *parent)
    : QDialog(parent)
    , m_layout(new QVBoxLayout(this))
    , m_stack(new QStackedWidget(this))
    , m_blank(new QWidget(m_stack))
{
    setObjectName(QStringLiteral("prefSheet"));
    setWindowTitle(tr("Preferences"));
    setWindowModality(Qt::WindowModal);
    m_layout->setContentsMargins(0, 0, 0, 8);
    // A pane outside the table shows nothing.
    m_stack->addWidget(m_blank);
    m_layout->addWidget(m_stack, 1);
    auto *const buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setContentsMargins(12, 0, 12, 0);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrefSheet::reject);
    m_layout->addWidget(buttons);
    resize(620, 500);
}

void PrefSheet::setToolbar(QToolBar *toolbar)
{
    if (m_toolbar)
        m_toolbar->deleteLater();
    m_toolbar = toolbar;
    toolbar->setParent(this);
    m_layout->insertWidget(0, toolbar);
}

void PrefSheet::addPage(const QString &tab, QWidget *page)
{
    page->setObjectName(tab);
    m_stack->addWidget(page);
    m_tabs << tab;
    m_pages.insert(tab, page);
}

bool PrefSheet::showTab(const QString &tab)
{
    QWidget *const page = m_pages.value(tab);
    m_stack->setCurrentWidget(page ? page : m_blank);
    return page != nullptr;
}

QString PrefSheet::currentTab() const
{
    QWidget *const page = m_stack->currentWidget();
    return page == m_blank ? QString() : page->objectName();
}

QString PrefSheet::selectedItemIdentifier() const
{
    if (!m_toolbar)
        return QString();
    for (const QAction *action : m_toolbar->actions()) {
        if (action->isChecked())
            return action->objectName();
    }
    return QString();
}

void PrefSheet::setSelectedItemIdentifier(const QString &identifier)
{
    if (!m_toolbar)
        return;
    for (QAction *action : m_toolbar->actions())
        action->setChecked(action->isCheckable() && action->objectName() == identifier);
}

void PrefSheet::reject()
{
    emit closeRequested();
}
