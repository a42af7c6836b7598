#include "agent/configurationpanel.h"
#include "agent/statusappdelegate.h"

#include "addressbook/records/mynames.h"
#include "agent/agentkeys.h"
#include "agent/agenttexts.h"
#include "agent/quietsheets.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/push/googleabautoupdate.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"
#include "platform/ui/statusitem.h"

#include <QTcpSocket>

namespace {

const QString kClass = QStringLiteral("StatusAppDelegate");
// How long the internet test waits for the connection.
constexpr int kConnectTimeoutMs = 3000;
const QString kFullProjection = QStringLiteral("full");

} // namespace

bool StatusAppDelegate::hasInternetConnection()
{
    QUrl base = m_appGoogleContactTool ? m_appGoogleContactTool->contactService()->baseUrl() : QUrl();
    if (!base.isValid() || base.host().isEmpty())
        base = QUrl(QStringLiteral("https://www.google.com"));
    const int port = base.port(base.scheme() == QStringLiteral("http") ? 80 : 443);
    QTcpSocket socket;
    socket.connectToHost(base.host(), quint16(port));
    const bool found = socket.waitForConnected(kConnectTimeoutMs);
    socket.abort();
    tlog::message(kClass, QStringLiteral("hasInternetConnection"),
                  found ? agenttexts::internetFound : agenttexts::noInternet);
    return found;
}

void StatusAppDelegate::attemptLogin()
{
    m_poller.stop();
    m_hadConnection = hasInternetConnection();
    if (m_hadConnection) {
        // The toggle leaves the agent listening.
        m_isPaused = true;
        setPauseMenu();
        loginToGoogle();
        return;
    }
    m_isPaused = false;
    setPauseMenu();
    m_pauseMenu = agenttexts::listenItem;
    setLastAction(agenttexts::checkedForConnection);
    setStatusMessage(agenttexts::waitingForInternet);
    if (UserDefaults::standard().boolForKey(agentkeys::tolvaneAgentDoesPoll))
        pollForInternet();
}

void StatusAppDelegate::pollForInternet()
{
    m_poller.start(int(m_pollInterval * 1000));
    tlog::message(kClass, QStringLiteral("pollForInternet"), agenttexts::pollingTimerFired);
}

void StatusAppDelegate::togglePolling()
{
    if (UserDefaults::standard().boolForKey(agentkeys::tolvaneAgentDoesPoll))
        pollForInternet();
}

void StatusAppDelegate::loginToGoogle()
{
    tlog::trace(kClass, QStringLiteral("loginToGoogle"));
    UserDefaults &defaults = UserDefaults::standard();
    GoogleContactTool *const tool = m_appGoogleContactTool.get();
    QString account = defaults.stringForKey(googlekeys::gsAccount);
    if (account.isEmpty())
        account = AddressBookTool::myGoogleEmail();
    tool->setUser(account);
    // A keyring that cannot be read yet (locked, or its service not started at login) is no
    // missing password: the agent waits for it instead of quitting.
    KeychainStatus status = KeychainStatus::Success;
    EMKeychainProxy::sharedProxy().genericKeychainItemForService(
        defaults.stringForKey(googlekeys::keychainItemName), tool->user(), &status);
    if (status == KeychainStatus::Unavailable) {
        tlog::write(agenttexts::keyringUnavailable.arg(tool->user()));
        m_isPaused = false;
        setPauseMenu();
        m_pauseMenu = agenttexts::listenItem;
        setStatusMessage(agenttexts::waitingForKeyring);
        pollForInternet();
        return;
    }
    if (!tool->establishUserCredentials()) {
        openLoginPanel(tool);
        return;
    }
    tool->setGroupProjection(kFullProjection);
    tool->setContactProjection(kFullProjection);
    tool->setIncludeGroupDeletions(false);
    tool->setIncludeContactDeletions(false);
    tool->setGroupFetchError(std::nullopt);
    tool->setContactFetchError(std::nullopt);
    if (m_loginErrorShown && !m_quietSheets)
        m_quietSheets = std::make_unique<QuietSheets>();
    m_loginRunning = true;
    m_loginWatch.start();
    tool->fetchAllGroupsWithUIRefresh(true, true);
}

void StatusAppDelegate::watchLogin()
{
    GoogleContactTool *const tool = m_appGoogleContactTool.get();
    if (!m_loginRunning || !tool) {
        m_loginWatch.stop();
        return;
    }
    const auto error = tool->groupFetchError() ? tool->groupFetchError() : tool->contactFetchError();
    if (error)
        loginFailed(error->description);
}

void StatusAppDelegate::loginFailed(const QString &reason)
{
    m_loginWatch.stop();
    m_loginRunning = false;
    m_loginErrorShown = true;
    tlog::write(agenttexts::loginFetchFailed.arg(reason));
    waitForGoogle();
}

void StatusAppDelegate::waitForGoogle()
{
    // Logged out: waiting, as without a connection, and trying again at the poll interval.
    m_isPaused = false;
    setPauseMenu();
    m_pauseMenu = agenttexts::listenItem;
    setStatusMessage(agenttexts::waitingForInternet);
    if (UserDefaults::standard().boolForKey(agentkeys::tolvaneAgentDoesPoll))
        pollForInternet();
}

void StatusAppDelegate::pushFailed(const QString &reason)
{
    // The changes wait in the pending files; only a login flushes them, so the agent logs in
    // again once Google answers, as after a failed login.
    tlog::write(agenttexts::pushFailed.arg(reason));
    // A wait under way is left to run: restarting it at each change could put the login off for
    // as long as changes keep coming.
    if (!m_loginRunning && !m_isPaused && !m_poller.isActive())
        waitForGoogle();
}

void StatusAppDelegate::loginEnded()
{
    m_loginWatch.stop();
    m_loginRunning = false;
    m_loginErrorShown = false;
    m_quietSheets.reset();
}

void StatusAppDelegate::openLoginPanel(GoogleContactTool *)
{
    loginEnded();
    postAlert(agenttexts::noCredentials, agenttexts::noCredentialsSmall, true);
}
