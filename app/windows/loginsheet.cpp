#include "app/windows/loginsheet.h"

#include "app/apptexts.h"
#include "app/signin/signintexts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel *wrappedLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *const label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

LoginSheet::LoginSheet(QWidget *parent)
    : QDialog(parent)
    , m_message(wrappedLabel(apptexts::loginMessage, QStringLiteral("loginMessage"), this))
    , m_passwordLabel(new QLabel(apptexts::loginPassword, this))
    , m_userTextField(new QLineEdit(this))
    , m_pwTextField(new QLineEdit(this))
    , m_browserLine(
          wrappedLabel(signintexts::browserSignIn, QStringLiteral("browserSignInLine"), this))
    , m_clientNote(wrappedLabel(signintexts::needsClient, QStringLiteral("clientNote"), this))
    , m_clientButton(new QPushButton(signintexts::openClientSection, this))
    , m_waitingLabel(new QLabel(signintexts::waitingForBrowser, this))
    , m_browserCancelButton(new QPushButton(apptexts::cancelButton, this))
    , m_messageLabel(wrappedLabel(QString(), QStringLiteral("signInMessage"), this))
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
    m_clientButton->setObjectName(QStringLiteral("clientButton"));
    m_clientButton->setAutoDefault(false);
    m_waitingLabel->setObjectName(QStringLiteral("waitingForBrowser"));
    m_browserCancelButton->setObjectName(QStringLiteral("browserCancelButton"));
    m_browserCancelButton->setAutoDefault(false);
    m_messageLabel->setStyleSheet(QStringLiteral("color: #b00020;"));

    auto *const form = new QFormLayout;
    form->addRow(apptexts::loginAccount, m_userTextField);
    form->addRow(m_passwordLabel, m_pwTextField);
    form->addRow(QString(), m_browserLine);
    auto *const clientRow = new QHBoxLayout;
    clientRow->addStretch();
    clientRow->addWidget(m_clientButton);
    auto *const waitingRow = new QHBoxLayout;
    waitingRow->addWidget(m_waitingLabel, 1);
    waitingRow->addWidget(m_browserCancelButton);
    auto *const buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancelButton, QDialogButtonBox::RejectRole);
    buttons->addButton(m_loginButton, QDialogButtonBox::AcceptRole);
    auto *const layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(form);
    layout->addWidget(m_clientNote);
    layout->addLayout(clientRow);
    layout->addLayout(waitingRow);
    layout->addWidget(m_messageLabel);
    layout->addWidget(buttons);
    setMinimumWidth(400);
    setSignsInWithBrowser(false, false);
    setWaitingForBrowser(false);
    showMessage(QString());

    connect(m_loginButton, &QPushButton::clicked, this, &LoginSheet::loginRequested);
    connect(m_cancelButton, &QPushButton::clicked, this, &LoginSheet::cancelRequested);
    connect(m_browserCancelButton, &QPushButton::clicked, this,
            &LoginSheet::browserCancelRequested);
    connect(m_clientButton, &QPushButton::clicked, this, &LoginSheet::clientSectionRequested);
    connect(m_userTextField, &QLineEdit::textEdited, this, &LoginSheet::fieldsEdited);
    connect(m_pwTextField, &QLineEdit::textEdited, this, &LoginSheet::fieldsEdited);
}

void LoginSheet::reject()
{
    emit cancelRequested();
}

void LoginSheet::setSignsInWithBrowser(bool browser, bool hasClient)
{
    m_browser = browser;
    m_message->setText(browser ? signintexts::browserSignInMessage : apptexts::loginMessage);
    m_passwordLabel->setVisible(!browser);
    m_pwTextField->setVisible(!browser);
    m_browserLine->setVisible(browser);
    m_clientNote->setVisible(browser && !hasClient);
    m_clientButton->setVisible(browser && !hasClient);
    fitContents();
}

void LoginSheet::setWaitingForBrowser(bool waiting)
{
    m_waiting = waiting;
    m_waitingLabel->setVisible(waiting);
    m_browserCancelButton->setVisible(waiting);
    m_userTextField->setEnabled(!waiting);
    if (waiting)
        m_loginButton->setEnabled(false);
    fitContents();
}

void LoginSheet::showMessage(const QString &message)
{
    m_messageLabel->setText(message);
    m_messageLabel->setVisible(!message.isEmpty());
    fitContents();
}

void LoginSheet::fitContents()
{
    // Lines come and go with the sign-in's state: the sheet takes the height they need. A sheet
    // not shown yet is fitted as it opens.
    if (!isVisible())
        return;
    layout()->activate();
    const int height = heightForWidth(width());
    resize(width(), std::max(height, minimumSizeHint().height()));
}
