// The data loader's login sheet and keychain use, and its scripts to other programs.
#include "loader/window/datamoverwindowcontroller.h"

#include "app/delegate/appdelegate.h"
#include "app/signin/googlesignin.h"
#include "app/signin/signinrows.h"
#include "app/signin/signintexts.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/log.h"
#include "foundation/scripting/applescripttool.h"
#include "foundation/vozuveva/vozuvevaappcontrol.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "loader/loaderkeys.h"
#include "loader/loadertexts.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/scriptreply.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString &kClass = loadertexts::windowClass;
// The address book program of the old platform; the mapping of program identifiers names ours.
const QString kAddressBookIdentifier = QStringLiteral("com.apple.AddressBook");
const QString kQuitAddressBook = QStringLiteral("tell application \"Address Book\" to quit ");
// What a cancelled login sheet ends with.
constexpr int kLoginCancelled = -1001;

} // namespace

void DataMoverWindowController::buildLoginPanel()
{
    m_loginPanel = new QDialog(WindowController::window());
    m_loginPanel->setWindowTitle(loadertexts::loginTitle);
    m_loginPanel->setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(m_loginPanel);
    auto *form = new QFormLayout;
    m_loginForm = form;
    m_userField = new QLineEdit;
    tagged(m_userField, 10);
    m_pwField = new QLineEdit;
    m_pwField->setEchoMode(QLineEdit::Password);
    tagged(m_pwField, 11);
    // Wide enough for a whole account address: a field that scrolls hides its start.
    const int fieldWidth = m_userField->fontMetrics().horizontalAdvance(
        QStringLiteral("firstname.lastname@example.com"));
    m_userField->setMinimumWidth(fieldWidth);
    m_pwField->setMinimumWidth(fieldWidth);
    form->addRow(loadertexts::loginUser, m_userField);
    form->addRow(loadertexts::loginPassword, m_pwField);
    const SignInRows signInRows = addSignInRows(form);
    m_browserLine = signInRows.browserLine;
    m_signInMessage = signInRows.message;
    layout->addLayout(form);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *cancel = new QPushButton(loadertexts::cancelButton);
    buttons->addWidget(cancel);
    m_loginButton = new QPushButton(loadertexts::loginButton);
    m_loginButton->setDefault(true);
    m_loginButton->setEnabled(false);
    buttons->addWidget(m_loginButton);
    layout->addLayout(buttons);
    connect(m_userField, &QLineEdit::textChanged, this, &DataMoverWindowController::updateCanLogin);
    connect(m_pwField, &QLineEdit::textChanged, this, &DataMoverWindowController::updateCanLogin);
    connect(m_loginButton, &QPushButton::clicked, this, &DataMoverWindowController::login);
    connect(cancel, &QPushButton::clicked, this, &DataMoverWindowController::cancelLogin);
    connect(m_loginPanel, &QDialog::finished, this, &DataMoverWindowController::loginPanelDidEnd);
}

void DataMoverWindowController::updateCanLogin()
{
    if (signsInWithBrowser())
        m_canLogin = !m_userField->text().isEmpty() && m_hasClient &&
                     !(m_signIn && m_signIn->isRunning());
    else
        m_canLogin = !m_userField->text().isEmpty() && !m_pwField->text().isEmpty();
    m_loginButton->setEnabled(m_canLogin);
}

bool DataMoverWindowController::signsInWithBrowser() const
{
    return m_browserLine && m_browserLine->isVisibleTo(m_loginPanel);
}

QString DataMoverWindowController::googleUser() const
{
    UserDefaults &ud = UserDefaults::standard();
    QString user = ud.stringForKey(googlekeys::gsAccount);
    if (!user.contains(u'@'))
        user += ud.stringForKey(googlekeys::gMailSuffix);
    return user.trimmed();
}

void DataMoverWindowController::reLogin()
{
    UserDefaults &ud = UserDefaults::standard();
    if (m_tool && !ud.boolForKey(googlekeys::googleAuthenticationFailure) &&
        ud.boolForKey(loaderkeys::useKeychain)) {
        std::unique_ptr<EMGenericKeychainItem> item =
            EMKeychainProxy::sharedProxy().genericKeychainItemForService(
                ud.stringForKey(googlekeys::keychainItemName), googleUser());
        if (item) {
            m_tool->setKeychainItemForUser(std::move(item), googleUser());
            return;
        }
    }
    openLoginPanel();
}

void DataMoverWindowController::openLoginPanel()
{
    m_userField->setText(UserDefaults::standard().stringForKey(googlekeys::gsAccount));
    m_pwField->clear();
    const bool browser = AppDelegate::signsInWithBrowser();
    m_hasClient = browser && GoogleSignIn::hasClient();
    m_loginForm->setRowVisible(m_pwField, !browser);
    m_browserLine->setVisible(browser);
    m_signInMessage->setText(browser && !m_hasClient ? signintexts::needsClient : QString());
    m_signInMessage->setVisible(!m_signInMessage->text().isEmpty());
    updateCanLogin();
    m_loginPanel->open();
}

void DataMoverWindowController::openLoginPanel(GoogleContactTool *)
{
    openLoginPanel();
}

void DataMoverWindowController::login()
{
    if (signsInWithBrowser()) {
        browserLogin();
        return;
    }
    UserDefaults &ud = UserDefaults::standard();
    ud.setString(m_userField->text().trimmed(), googlekeys::gsAccount);
    const QString password = m_pwField->text();
    m_loginPanel->accept();
    m_pwField->clear();
    if (!m_tool)
        return;
    const QString user = googleUser();
    if (ud.boolForKey(loaderkeys::useKeychain)) {
        const QString service = ud.stringForKey(googlekeys::keychainItemName);
        EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
        std::unique_ptr<EMGenericKeychainItem> item =
            proxy.genericKeychainItemForService(service, user);
        if (!item)
            item = proxy.addGenericKeychainItemForService(service, user, password);
        else if (item->password() != password)
            item->setPassword(password);
        if (item)
            m_tool->setKeychainItemForUser(std::move(item), user);
        return;
    }
    // The typed password is the only one there is: the engine is handed it, never a fetch
    // without credentials.
    m_tool->establishUser2CredentialsForUser(user, password);
}

// A typed password would replace the account's credential: on People the sheet signs in through
// the browser, stays open while the browser answers and with its message when the sign-in failed.
void DataMoverWindowController::browserLogin()
{
    if (!m_canLogin)
        return;
    UserDefaults &ud = UserDefaults::standard();
    ud.setString(m_userField->text().trimmed(), googlekeys::gsAccount);
    const QString user = googleUser();
    const bool keep = ud.boolForKey(loaderkeys::useKeychain);
    if (!m_signIn)
        m_signIn = new GoogleSignIn(this);
    m_signInMessage->setText(signintexts::waitingForBrowser);
    m_signInMessage->show();
    m_userField->setEnabled(false);
    m_signIn->start(user, keep ? GoogleSignIn::storedCredential(user) : QString(),
                    [this, user, keep](const GoogleSignIn::Outcome &outcome) {
                        if (!m_loginPanel)
                            return;
                        m_userField->setEnabled(true);
                        updateCanLogin();
                        if (!outcome.signedIn) {
                            tlog::labelled(kClass, QStringLiteral("login:"),
                                           QStringLiteral("ERROR:"),
                                           signintexts::signInFailed.arg(outcome.message));
                            m_signInMessage->setText(outcome.message);
                            return;
                        }
                        if (keep && !GoogleSignIn::storeCredential(user, outcome.credentialText)) {
                            m_signInMessage->setText(signintexts::keyringRefused);
                            return;
                        }
                        m_signInMessage->clear();
                        m_signInMessage->hide();
                        m_loginPanel->accept();
                        if (!m_tool)
                            return;
                        std::unique_ptr<EMGenericKeychainItem> item;
                        if (keep)
                            item = EMKeychainProxy::sharedProxy().genericKeychainItemForService(
                                UserDefaults::standard().stringForKey(googlekeys::keychainItemName),
                                user);
                        if (item)
                            m_tool->setKeychainItemForUser(std::move(item), user);
                        else
                            m_tool->establishUser2CredentialsForUser(user, outcome.credentialText);
                    });
    updateCanLogin();
}

void DataMoverWindowController::cancelLogin()
{
    if (m_signIn)
        m_signIn->cancel();
    m_loginPanel->done(kLoginCancelled);
}

void DataMoverWindowController::loginPanelDidEnd(int result)
{
    tlog::value(kClass, QStringLiteral("loginPanelDidEnd"), QStringLiteral("returnCode"), result);
    m_loginPanel->hide();
}

QString DataMoverWindowController::doAppleScript(const QString &source)
{
    const ScriptReply reply = runAppleScript(source);
    if (reply.succeeded())
        return QStringLiteral("Success");
    const QString message = reply.errorInfo.value(QStringLiteral("NSAppleScriptErrorMessage")).toString();
    tlog::labelled(kClass, QStringLiteral("doAppleScript:"), QStringLiteral("ERROR:"), source);
    tlog::labelled(kClass, QStringLiteral("doAppleScript:"),
                   QStringLiteral("[errorDict objectForKey:@\"NSAppleScriptErrorMessage\"]"), message);
    tlog::labelled(kClass, QStringLiteral("doAppleScript:"), QStringLiteral("errorDict"),
                   tlog::describe(reply.errorInfo));
    return message;
}

void DataMoverWindowController::manageSafari()
{
    AppleScriptTool::manageSafari();
}

void DataMoverWindowController::quitAB()
{
    if (VozuVeva::isApplicationRunning(kAddressBookIdentifier))
        AppleScriptTool::executeScript(kQuitAddressBook);
}
