#include "app/windows/loginsheet.h"

#include "app/apptexts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LoginSheet::LoginSheet(QWidget *parent)
    : QDialog(parent)
    , m_userTextField(new QLineEdit(this))
    , m_pwTextField(new QLineEdit(this))
    , m_loginButton(new QPushButton(apptexts::loginButton, this))
    , m_cancelButton(new QPushButton(apptexts::cancelButton, this))
{
    setObjectName(QStringLiteral("loginPanel"));
    setWindowTitle(apptexts::loginTitle);
    setWindowModality(Qt::WindowModal);
    m_userTextField->setObjectName(QStringLiteral("userTextField"));
    m_userTextField->setProperty("tag", kUserFieldTag);
    m_pwTextField->setObjectName(QStringLiteral("pwTextField"));
    m_pwTextField->setEchoMode(QLineEdit::Password);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setDefault(true);
    m_loginButton->setEnabled(false);

    auto *const message = new QLabel(apptexts::loginMessage, this);
    message->setWordWrap(true);
    auto *const form = new QFormLayout;
    form->addRow(apptexts::loginAccount, m_userTextField);
    form->addRow(apptexts::loginPassword, m_pwTextField);
    auto *const buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancelButton, QDialogButtonBox::RejectRole);
    buttons->addButton(m_loginButton, QDialogButtonBox::AcceptRole);
    auto *const layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(360);

    connect(m_loginButton, &QPushButton::clicked, this, &LoginSheet::loginRequested);
    connect(m_cancelButton, &QPushButton::clicked, this, &LoginSheet::cancelRequested);
    connect(m_userTextField, &QLineEdit::textEdited, this, &LoginSheet::fieldsEdited);
    connect(m_pwTextField, &QLineEdit::textEdited, this, &LoginSheet::fieldsEdited);
}

void LoginSheet::reject()
{
    emit cancelRequested();
}
