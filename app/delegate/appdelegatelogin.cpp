#include "app/delegate/appdelegate.h"

#include "addressbook/addressbookkeys.h"
#include "app/apptexts.h"
#include "app/windows/loginsheet.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/termination.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

QString keychainTrouble(KeychainStatus status)
{
    switch (status) {
    case KeychainStatus::Unavailable:
        return QStringLiteral("The keyring is locked or cannot be reached.");
    case KeychainStatus::Failed:
        return QStringLiteral("The keyring refused the password.");
    default:
        return QString();
    }
}

// Stores the typed password for the account unless the keyring holds it already; an empty
// password with no item is only logged. Answers why the keyring could not take it, or nothing.
QString storePassword(const QString &op, const QString &account, const QString &password)
{
    EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
    const QString service = UserDefaults::standard().stringForKey(googlekeys::keychainItemName);
    KeychainStatus status = KeychainStatus::Success;
    const std::unique_ptr<EMGenericKeychainItem> item =
        proxy.genericKeychainItemForService(service, account, &status);
    if (item) {
        if (item->password() != password && !item->setPassword(password))
            return keychainTrouble(KeychainStatus::Failed);
        return QString();
    }
    if (status != KeychainStatus::ItemNotFound)
        return keychainTrouble(status);
    if (password.isEmpty()) {
        tlog::message(kClass, op, apptexts::passwordEntryError);
        return QStringLiteral("No password was entered.");
    }
    if (!proxy.addGenericKeychainItemForService(service, account, password))
        return keychainTrouble(KeychainStatus::Failed);
    return QString();
}

} // namespace

void AppDelegate::startFetch(GoogleContactTool *tool)
{
    UserDefaults &defaults = UserDefaults::standard();
    tool->setGroupProjection(defaults.stringForKey(abkeys::googleGroupExtendedPropertyName));
    tool->setContactProjection(defaults.stringForKey(abkeys::googleContactExtendedPropertyName));
    tool->setIncludeGroupDeletions(false);
    tool->setIncludeContactDeletions(false);
    tool->fetchAllGroupsWithUIRefresh(true, true);
}

void AppDelegate::loginToGoogle()
{
    GoogleContactTool *const tool = m_appGoogleContactTool.get();
    const QString account = UserDefaults::standard().stringForKey(googlekeys::gsAccount);
    tool->setUser(account);
    if (m_googleBrowserWindowController)
        m_googleBrowserWindowController->setWinTitle(account);
    if (tool->establishUserCredentials()) {
        tlog::write(apptexts::credentialsEstablished);
        progressStep(apptexts::stepRetrieving);
        startFetch(tool);
        return;
    }
    tlog::write(apptexts::promptingForCredentials);
    closeWelcomPanel();
    openLoginPanel(nullptr);
    // The program does not run without a login: only this sheet, opened for want of credentials
    // while no account is signed in, ends the program when cancelled.
    m_loginEndsProgramOnCancel = !tool->isLoggedIn();
}

void AppDelegate::openLoginPanel(GoogleContactTool *)
{
    UserDefaults &defaults = UserDefaults::standard();
    WindowController *const key = keyWindowController();
    if (key && key == m_googleBrowserWindowController) {
        m_gsUser = defaults.stringForKey(googlekeys::gsAccount);
    } else if (key && !key->cacheKey().isEmpty() &&
               m_browserControllerCache.count(key->cacheKey())) {
        m_gsUser = defaults.stringForKey(googlekeys::gsAccount2);
    }
    m_gsPW.clear();
    m_loginEndsProgramOnCancel = false;
    closeWelcomPanel();
    QWidget *const host = keyWindow();
    if (!m_loginPanel) {
        m_loginPanel = new LoginSheet(host);
        connectLoginSheet();
    } else if (host != m_loginPanel && host != m_loginPanel->parentWidget()) {
        m_loginPanel->setParent(host, m_loginPanel->windowFlags());
    }
    m_loginPanel->userTextField()->setText(m_gsUser);
    m_loginPanel->pwTextField()->clear();
    m_loginHasClient = signsInWithBrowser() && GoogleSignIn::hasClient();
    m_loginPanel->setSignsInWithBrowser(signsInWithBrowser(), m_loginHasClient);
    m_loginPanel->setWaitingForBrowser(false);
    m_loginPanel->showMessage(QString());
    setCanLogin();
    m_loginPanel->open();
    if (!m_gsUser.isEmpty() && !m_loginPanel->signsInWithBrowser())
        m_loginPanel->pwTextField()->setFocus();
}

void AppDelegate::connectLoginSheet()
{
    connect(m_loginPanel, &LoginSheet::loginRequested, this, &AppDelegate::login);
    connect(m_loginPanel, &LoginSheet::cancelRequested, this, &AppDelegate::cancelLogin);
    connect(m_loginPanel, &LoginSheet::fieldsEdited, this, &AppDelegate::setCanLogin);
    connect(m_loginPanel->userTextField(), &QLineEdit::textEdited, this,
            [this] { controlTextDidChange(m_loginPanel->userTextField()); });
    connectBrowserSignIn();
}

void AppDelegate::changeGoogleAccount()
{
    openLoginPanel(nullptr);
}

void AppDelegate::setCanLogin()
{
    // A browser sign-in asks for no password, but needs a client, and one sign-in at a time.
    if (m_loginPanel && m_loginPanel->signsInWithBrowser())
        m_canLogin = !m_loginPanel->userTextField()->text().isEmpty() && m_loginHasClient &&
                     !m_loginPanel->isWaitingForBrowser();
    else
        m_canLogin = m_loginPanel && !m_loginPanel->userTextField()->text().isEmpty() &&
                     !m_loginPanel->pwTextField()->text().isEmpty();
    if (m_loginPanel)
        m_loginPanel->loginButton()->setEnabled(m_canLogin);
}

void AppDelegate::loginPanelDidEnd()
{
    if (m_loginPanel)
        m_loginPanel->hide();
}

void AppDelegate::login()
{
    const QString op = QStringLiteral("login:");
    if (!m_loginPanel)
        return;
    if (m_loginPanel->signsInWithBrowser()) {
        browserLogin();
        return;
    }
    m_gsUser = m_loginPanel->userTextField()->text();
    const QString password = m_loginPanel->pwTextField()->text();
    m_loginPanel->pwTextField()->clear();
    loginPanelDidEnd();
    GoogleContactTool *const tool = m_appGoogleContactTool.get();
    UserDefaults::standard().setString(m_gsUser, googlekeys::gsAccount);
    tool->setUser(m_gsUser);
    const QString trouble = storePassword(op, GoogleSignIn::completedAccount(tool->user()), password);
    m_gsPW.clear();
    if (!tool->establishUserCredentials()) {
        VozuVeva::showAlertMsg(apptexts::loginFailed, trouble, apptexts::okButton, QString(),
                               QString(), true);
        return;
    }
    startFetch(tool);
}

void AppDelegate::cancelLogin()
{
    const bool endsProgram = m_loginEndsProgramOnCancel;
    m_loginEndsProgramOnCancel = false;
    cancelBrowserSignIn();
    m_gsPW.clear();
    if (m_loginPanel)
        m_loginPanel->pwTextField()->clear();
    loginPanelDidEnd();
    if (endsProgram)
        termination::terminateApplication();
}

void AppDelegate::changePassword()
{
    m_gsPW.clear();
    PasswordControls &c = m_passwordControls;
    if (c.changePW)
        c.changePW->hide();
    for (QWidget *shown :
         {static_cast<QWidget *>(c.cancelPW.data()), static_cast<QWidget *>(c.savePW.data()),
          static_cast<QWidget *>(c.changePWField.data())})
        if (shown)
            shown->show();
    if (c.changePWField)
        c.changePWField->setFocus();
}

void AppDelegate::cancelPassword()
{
    PasswordControls &c = m_passwordControls;
    if (c.changePW)
        c.changePW->show();
    for (QWidget *hidden :
         {static_cast<QWidget *>(c.cancelPW.data()), static_cast<QWidget *>(c.savePW.data()),
          static_cast<QWidget *>(c.changePWField.data())})
        if (hidden)
            hidden->hide();
    if (c.prefUserAccountField)
        c.prefUserAccountField->setFocus();
}

void AppDelegate::savePassword()
{
    const QString account =
        GoogleSignIn::completedAccount(UserDefaults::standard().stringForKey(googlekeys::gsAccount));
    const QString password =
        m_passwordControls.changePWField ? m_passwordControls.changePWField->text() : QString();
    const QString trouble = storePassword(QStringLiteral("savePassword:"), account, password);
    if (!trouble.isEmpty())
        tlog::labelled(kClass, QStringLiteral("savePassword:"), QStringLiteral("ERROR:"), trouble);
    if (m_passwordControls.changePWField)
        m_passwordControls.changePWField->clear();
    cancelPassword();
    m_gsPW.clear();
    loginToGoogle();
}
