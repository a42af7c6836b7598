#include "app/signin/googlesignin.h"

#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/gdata/oauth/oauthendpoints.h"

#include <QTimer>

namespace {

GoogleSignIn::BrowserOpener &sharedOpener()
{
    static GoogleSignIn::BrowserOpener opener;
    return opener;
}

int &browserTimeoutMs()
{
    static int timeoutMs = OAuthInstalledAppFlow::Settings{}.timeoutMs;
    return timeoutMs;
}

} // namespace

void GoogleSignIn::setBrowserOpener(BrowserOpener opener)
{
    sharedOpener() = std::move(opener);
}

const GoogleSignIn::BrowserOpener &GoogleSignIn::browserOpener()
{
    return sharedOpener();
}

void GoogleSignIn::setBrowserTimeoutMs(int timeoutMs)
{
    browserTimeoutMs() = timeoutMs;
}

GoogleSignIn::GoogleSignIn(QObject *parent)
    : QObject(parent)
{}

GoogleSignIn::~GoogleSignIn() = default;

bool GoogleSignIn::hasClient()
{
    return googleoauthclient::currentClient().has_value();
}

void GoogleSignIn::start(const QString &account, const QString &previousCredentialText, Done done)
{
    cancel();
    const std::optional<GoogleOAuthClient> client = googleoauthclient::currentClient();
    OAuthInstalledAppFlow::Settings settings;
    settings.endpoints = oauthEndpointsForBaseURL(
        QUrl(UserDefaults::standard().stringForKey(googlekeys::googleServiceBaseURL)));
    settings.clientId = client ? client->clientId : QString();
    settings.clientSecret = client ? client->clientSecret : QString();
    settings.account = account;
    settings.opener = browserOpener();
    settings.timeoutMs = browserTimeoutMs();
    if (const std::optional<OAuthCredential> previous =
            parseOAuthCredential(previousCredentialText, settings.clientId))
        settings.previousRefreshToken = previous->refreshToken;
    m_flow = std::make_unique<OAuthInstalledAppFlow>(&m_network);
    m_flow->start(settings, [this, done](const OAuthSignInResult &result) {
        Outcome outcome;
        outcome.signedIn = !result.failure;
        outcome.message = result.message;
        outcome.email = result.email;
        if (outcome.signedIn)
            outcome.credentialText = serializeOAuthCredential(result.credential);
        // The flow is still on the stack: it goes once its answer has returned.
        if (OAuthInstalledAppFlow *const flow = m_flow.release())
            QTimer::singleShot(0, flow, [flow] { delete flow; });
        if (done)
            done(outcome);
    });
}

void GoogleSignIn::cancel()
{
    if (m_flow)
        m_flow->cancel();
}

namespace {

QString keychainService()
{
    return UserDefaults::standard().stringForKey(googlekeys::keychainItemName);
}

} // namespace

QString GoogleSignIn::completedAccount(const QString &name)
{
    QString account = name.trimmed();
    if (!account.contains(u'@'))
        account += UserDefaults::standard().stringForKey(googlekeys::gMailSuffix);
    return account.trimmed();
}

QString GoogleSignIn::storedCredential(const QString &account)
{
    const std::unique_ptr<EMGenericKeychainItem> item =
        EMKeychainProxy::sharedProxy().genericKeychainItemForService(keychainService(), account);
    return item ? item->password() : QString();
}

bool GoogleSignIn::storeCredential(const QString &account, const QString &credentialText)
{
    EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
    KeychainStatus status = KeychainStatus::Success;
    const std::unique_ptr<EMGenericKeychainItem> item =
        proxy.genericKeychainItemForService(keychainService(), account, &status);
    if (item)
        return item->password() == credentialText || item->setPassword(credentialText);
    if (status != KeychainStatus::ItemNotFound)
        return false;
    return proxy.addGenericKeychainItemForService(keychainService(), account, credentialText) !=
           nullptr;
}
