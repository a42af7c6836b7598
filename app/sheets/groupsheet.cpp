#include "app/sheets/groupsheet.h"

#include "app/apptexts.h"
#include "app/sheets/sheettexts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

GroupSheet::GroupSheet(QWidget *parent)
    : QDialog(parent)
    , m_groupName(new QLineEdit(this))
    , m_saveButton(new QPushButton(QStringLiteral("Save"), this))
    , m_cancelButton(new QPushButton(apptexts::cancelButton, this))
{
    setObjectName(QStringLiteral("newGroupPanel"));
    setWindowTitle(sheettexts::groupSheetTitle);
    setWindowModality(Qt::WindowModal);
    m_groupName->setObjectName(QStringLiteral("groupName"));
    m_saveButton->setDefault(true);
    auto *const form = new QFormLayout;
    form->addRow(sheettexts::groupNameLabel, m_groupName);
    auto *const buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancelButton, QDialogButtonBox::RejectRole);
    buttons->addButton(m_saveButton, QDialogButtonBox::AcceptRole);
    auto *const layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    connect(m_saveButton, &QPushButton::clicked, this, &GroupSheet::saveRequested);
    connect(m_cancelButton, &QPushButton::clicked, this, &GroupSheet::cancelRequested);
}

void GroupSheet::reject()
{
    emit cancelRequested();
}
