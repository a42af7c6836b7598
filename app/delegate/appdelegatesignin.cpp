#include "app/delegate/appdelegate.h"

#include "app/apptexts.h"
#include "app/prefs/prefpanes.h"
#include "app/signin/signintexts.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleserviceprotocol.h"
#include "platform/defaults/userdefaults.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

} // namespace

bool AppDelegate::signsInWithBrowser()
{
    return googleprotocol::accountProtocol() == GDataServiceGoogleContact::Protocol::People;
}

GoogleSignIn *AppDelegate::googleSignIn()
{
    if (!m_googleSignIn)
        m_googleSignIn = new GoogleSignIn(this);
    return m_googleSignIn;
}

void AppDelegate::connectBrowserSignIn()
{
    connect(m_loginPanel, &LoginSheet::browserCancelRequested, this,
            &AppDelegate::cancelBrowserSignIn);
    connect(m_loginPanel, &LoginSheet::clientSectionRequested, this,
            &AppDelegate::openClientSection);
}

void AppDelegate::googleClientChanged()
{
    if (!m_loginPanel || !m_loginPanel->signsInWithBrowser())
        return;
    m_loginHasClient = GoogleSignIn::hasClient();
    m_loginPanel->setSignsInWithBrowser(true, m_loginHasClient);
    setCanLogin();
}

void AppDelegate::openClientSection()
{
    // On the sheet itself, so the person comes back to it once the client is imported.
    openPreferencesOn(m_loginPanel);
    accountPrefs();
}

// Steps 1, 2, 4 to 6 of the password login, with the browser in place of the typed password: the
// sheet stays open while the browser answers, and with its message when the sign-in failed.
void AppDelegate::browserLogin()
{
    if (googleSignIn()->isRunning())
        return;
    m_gsUser = m_loginPanel->userTextField()->text();
    GoogleContactTool *const tool = m_appGoogleContactTool.get();
    UserDefaults::standard().setString(m_gsUser, googlekeys::gsAccount);
    tool->setUser(m_gsUser);
    const QString account = GoogleSignIn::completedAccount(tool->user());
    m_loginPanel->showMessage(QString());
    m_loginPanel->setWaitingForBrowser(true);
    setCanLogin();
    googleSignIn()->start(account, GoogleSignIn::storedCredential(account),
                          [this, account](const GoogleSignIn::Outcome &outcome) {
                              browserLoginEnded(account, outcome);
                          });
}

void AppDelegate::browserLoginEnded(const QString &account, const GoogleSignIn::Outcome &outcome)
{
    const QString op = QStringLiteral("login:");
    if (!m_loginPanel)
        return;
    m_loginPanel->setWaitingForBrowser(false);
    setCanLogin();
    if (!outcome.signedIn) {
        tlog::labelled(kClass, op, QStringLiteral("ERROR:"),
                       signintexts::signInFailed.arg(outcome.message));
        m_loginPanel->showMessage(outcome.message);
        return;
    }
    if (!GoogleSignIn::storeCredential(account, outcome.credentialText)) {
        m_loginPanel->showMessage(signintexts::keyringRefused);
        return;
    }
    tlog::write(signintexts::signedInAs.arg(outcome.email));
    loginPanelDidEnd();
    GoogleContactTool *const tool = m_appGoogleContactTool.get();
    if (!tool->establishUserCredentials()) {
        VozuVeva::showAlertMsg(apptexts::loginFailed, signintexts::keyringRefused,
                               apptexts::okButton, QString(), QString(), true);
        return;
    }
    startFetch(tool);
}

void AppDelegate::cancelBrowserSignIn()
{
    if (m_googleSignIn)
        m_googleSignIn->cancel();
}

void AppDelegate::signInAgain(std::function<void(const QString &message)> ended)
{
    const QString account =
        GoogleSignIn::completedAccount(UserDefaults::standard().stringForKey(googlekeys::gsAccount));
    if (!GoogleSignIn::hasClient()) {
        ended(signintexts::needsClient);
        return;
    }
    googleSignIn()->start(account, GoogleSignIn::storedCredential(account),
                          [this, account, ended](const GoogleSignIn::Outcome &outcome) {
                              if (!outcome.signedIn) {
                                  ended(outcome.message);
                                  return;
                              }
                              if (!GoogleSignIn::storeCredential(account, outcome.credentialText)) {
                                  ended(signintexts::keyringRefused);
                                  return;
                              }
                              ended(QString());
                              loginToGoogle();
                          });
}
