#include "google/engine/googlecontacttool.h"

#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "google/engine/googlechangetracking.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttoolmocdelegate.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "google/engine/googleserviceprotocol.h"
#include "google/engine/googletoolhostdelegate.h"
#include "google/photos/phototexts.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataservicegooglecontact.h"

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");

// The program's own folders, which the application delegate may answer instead of the
// preferences.
struct HostFolder
{
    const QString &key;
    std::optional<QString> (GoogleToolHostDelegate::*path)();
};

const HostFolder kHostFolders[] = {
    {googlekeys::pendingFolderPath, &GoogleToolHostDelegate::pendingFolderPath},
    {googlekeys::pendingArchiveFolderPath, &GoogleToolHostDelegate::pendingArchiveFolderPath},
    {googlekeys::restartFolderPath, &GoogleToolHostDelegate::restartFolderPath},
    {googlekeys::googleBackupFolderPath, &GoogleToolHostDelegate::googleBackupFolderPath},
    {googlekeys::tmpFolderPath, &GoogleToolHostDelegate::tmpFolderPath},
};

} // namespace

GoogleContactTool::GoogleContactTool(Role role, QObject *parent)
    : QObject(parent)
    , m_role(role)
    , m_treadWait(googletexts::treadTimedOut)
    , m_restoreWait(googletexts::restoreTimedOut)
    , m_refreshWait(googletexts::refreshTimedOut)
    , m_pictureWait(googletexts::pictureTimedOut)
    , m_singleFetchWait(googletexts::singleFetchTimedOut)
    , m_vCardWait(googletexts::vCardTimedOut)
    , m_singleInsertWait(googletexts::singleInsertTimedOut)
    , m_contactFeedWait(googletexts::contactFeedTimedOut)
    , m_groupFeedWait(googletexts::groupFeedTimedOut)
    , m_imageWait(phototexts::imageDataForURLFailed)
{
    UserDefaults &ud = UserDefaults::standard();
    m_gMailSuffix = ud.stringForKey(googlekeys::gMailSuffix);
    m_keychainItemName = ud.stringForKey(googlekeys::keychainItemName);
    m_keychainItemName2 = ud.stringForKey(googlekeys::keychainItemName2);
    m_googleSource = ud.stringForKey(googlekeys::kGoogleSource);
    setImageTime();
    registerSelector(QStringLiteral("batchSimpleABContactPictures"),
                     [this] { batchSimpleABContactPictures(); });
    registerBatchSteps();
    registerCommandSteps();
    registerRestoreSteps();
    registerSelector(QStringLiteral("batchVCardPictures"), [this] { batchVCardPictures(); });
    registerSelector(QStringLiteral("batchABPictures"), [this] { batchABPictures(); });
}

GoogleContactTool::~GoogleContactTool() = default;

void GoogleContactTool::setUser(const QString &user)
{
    // Trimmed before the suffix is added, so " bob " becomes "bob@..." and never "bob @...".
    QString name = user.trimmed();
    if (name.isEmpty()) {
        tlog::message(kClass, QStringLiteral("setUser:"), googletexts::emptyUserAccount);
        return;
    }
    if (!name.contains(u'@'))
        name += m_gMailSuffix;
    if (name != m_user)
        m_user = name;
}

QString GoogleContactTool::shortUser() const
{
    const qsizetype at = m_user.indexOf(u'@');
    return at > 0 ? m_user.left(at) : m_user;
}

void GoogleContactTool::setVormelKCI()
{
    m_vormelKCI.reset();
    if (m_user.isEmpty()) {
        tlog::message(kClass, QStringLiteral("setVormelKCI"), googletexts::emptyUserAccount);
        return;
    }
    m_vormelKCI =
        EMKeychainProxy::sharedProxy().genericKeychainItemForService(m_keychainItemName, m_user);
}

void GoogleContactTool::setVormelKCIUsingKCI(std::unique_ptr<EMGenericKeychainItem> item)
{
    m_vormelKCI = std::move(item);
}

void GoogleContactTool::setVormelKCI2()
{
    m_vormelKCI2 =
        EMKeychainProxy::sharedProxy().genericKeychainItemForService(m_keychainItemName2, m_user2);
}

void GoogleContactTool::setVormelKCI2UsingKCI(std::unique_ptr<EMGenericKeychainItem> item)
{
    m_vormelKCI2 = std::move(item);
}

void GoogleContactTool::setKeychainItemForUser(std::unique_ptr<EMGenericKeychainItem> item,
                                               const QString &user)
{
    m_vormelKCI = std::move(item);
    m_user = user;
    // The fetch signs in with this item's password, not with whatever the service held before.
    configureSignIn(true);
    if (m_vormelKCI)
        contactService()->setUserCredentials(m_user, m_vormelKCI->password());
    fetchAllGroupsWithUIRefresh(true, true);
}

bool GoogleContactTool::establishUserCredentials()
{
    if (m_user.isEmpty()) {
        tlog::message(kClass, QStringLiteral("establishUserCredentials"),
                      googletexts::credentialsWithoutAccount);
        return false;
    }
    std::unique_ptr<EMGenericKeychainItem> item =
        EMKeychainProxy::sharedProxy().genericKeychainItemForService(
            UserDefaults::standard().stringForKey(googlekeys::keychainItemName), m_user);
    if (!item)
        return false;
    configureSignIn(true);
    contactService()->setUserCredentials(m_user, item->password());
    m_vormelKCI = std::move(item);
    return true;
}

void GoogleContactTool::establishUser2CredentialsForUser(const QString &user, const QString &code)
{
    const QString op = QStringLiteral("establishUser2CredentialsForUser:code:");
    QString name = user.trimmed();
    if (name.isEmpty()) {
        tlog::message(kClass, op, googletexts::noUserAccountSpecified);
        return;
    }
    if (code.isEmpty()) {
        tlog::message(kClass, op, googletexts::noPasswordSpecified);
        return;
    }
    if (!name.contains(u'@'))
        name += m_gMailSuffix;
    if (name != m_user)
        setUser(name);
    configureSignIn(false);
    contactService()->setUserCredentials(m_user, code);
    fetchAllGroupsWithUIRefresh(true, true);
}

GDataServiceGoogleContact *GoogleContactTool::contactService()
{
    if (m_contactService)
        return m_contactService;
    m_contactService = new GDataServiceGoogleContact(this);
    m_contactService->setUserAgent(m_googleSource);
    m_contactService->setShouldCacheDatedData(true);
    m_contactService->setServiceShouldFollowNextLinks(true);
    m_contactService->setIsServiceRetryEnabled(true);
    m_contactService->setServiceVersion(QStringLiteral("2.0"));
    // Google's own address unless the preferences name another server (the local demo account).
    const QString base = UserDefaults::standard().stringForKey(googlekeys::googleServiceBaseURL);
    if (!base.isEmpty())
        m_contactService->setBaseUrl(QUrl(base));
    configureSignIn(true);
    return m_contactService;
}

void GoogleContactTool::configureSignIn(bool storesRenewedCredential)
{
    GDataServiceGoogleContact *const service = contactService();
    service->setProtocol(googleprotocol::accountProtocol());
    if (service->protocol() != GDataServiceGoogleContact::Protocol::People)
        return;
    // Read again at every sign-in: the client may have been imported since the service was made.
    const std::optional<GoogleOAuthClient> client = googleoauthclient::currentClient();
    service->setOAuthClient(client ? client->clientId : QString(),
                            client ? client->clientSecret : QString());
    if (storesRenewedCredential)
        service->setCredentialRenewed(
            [this](const QString &text) { storeRenewedCredential(text); });
    else
        service->setCredentialRenewed({});
}

void GoogleContactTool::storeRenewedCredential(const QString &credentialText)
{
    const QString op = QStringLiteral("storeRenewedCredential");
    if (m_user.isEmpty()) {
        tlog::message(kClass, op, googletexts::credentialsWithoutAccount);
        return;
    }
    EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
    KeychainStatus status = KeychainStatus::Success;
    std::unique_ptr<EMGenericKeychainItem> item =
        proxy.genericKeychainItemForService(m_keychainItemName, m_user, &status);
    bool stored = false;
    if (item)
        stored = item->setPassword(credentialText);
    else if (status == KeychainStatus::ItemNotFound)
        stored = (item = proxy.addGenericKeychainItemForService(m_keychainItemName, m_user,
                                                                credentialText)) != nullptr;
    if (!stored) {
        tlog::message(kClass, op, googletexts::renewedCredentialNotStored);
        return;
    }
    m_vormelKCI = std::move(item);
}

QString GoogleContactTool::serviceInfo()
{
    return googletexts::serviceInfo.arg(GDataServiceGoogleContact::systemVersionString(),
                                        contactService()->serviceVersion());
}

void GoogleContactTool::configureServicesUsingProjection(const QString &projection,
                                                         bool includeDeletions)
{
    initializeGroupFetchStateForProjection(projection);
    initializeContactFetchStateForProjection(projection);
    m_includeGroupDeletions = includeDeletions;
    m_includeContactDeletions = includeDeletions;
}

void GoogleContactTool::initializeServices()
{
    fetchAllGroupsWithUIRefresh(true, true);
}

void GoogleContactTool::refreshFeeds()
{
    m_lists.clearGAllIDs();
    fetchAllGroupsWithUIRefresh(true, true);
}

bool GoogleContactTool::isLoggedIn() const
{
    return m_groupFeed && m_contactFeed;
}

void GoogleContactTool::logout()
{
    m_groupFeed.reset();
    m_contactFeed.reset();
    UserDefaults::standard().setBool(false, googlekeys::isLoggedIn);
}

void GoogleContactTool::setImageTime()
{
    const int seconds = UserDefaults::standard().integerForKey(googlekeys::imageTime);
    m_imageTime = seconds <= 4 ? seconds + 3.0 : 8.0;
}

void GoogleContactTool::dispatchPostSelector(const QString &name)
{
    if (name.isEmpty())
        return;
    SelectorTarget *const chain[] = {this, m_uiDelegate, m_dataDelegate, m_mocDelegate,
                                     m_hostDelegate};
    for (SelectorTarget *target : chain) {
        if (target && target->performSelector(name))
            return;
    }
    tlog::labelled(kClass, QStringLiteral("dispatchPostSelector:"),
                   googletexts::unhandledPostSelector, name);
}

QVariant GoogleContactTool::defaultValueForKey(const QString &key)
{
    if (m_hostDelegate) {
        for (const HostFolder &folder : kHostFolders) {
            if (folder.key != key)
                continue;
            if (const std::optional<QString> path = (m_hostDelegate->*folder.path)())
                return *path;
        }
    }
    return UserDefaults::standard().objectForKey(key);
}

void GoogleContactTool::armRestoreTreadInterval(double seconds)
{
    m_restoreWait.arm(seconds);
    tlog::value(kClass, QStringLiteral("armRestoreTreadInterval:"),
                QStringLiteral("restoreGiveUpDate"), textdate::format(m_restoreWait.giveUpDate()));
}

bool GoogleContactTool::waitOn(RunLoopWait &wait, const QString &op)
{
    if (wait.wait() || m_role == Role::MainProgram)
        return true;
    // The agent runs unattended: a request that never answers fails its job, and the agent goes
    // on with its next one.
    tlog::write(QStringLiteral("[%1 %2] - %3").arg(kClass, op, wait.description()));
    return false;
}

std::vector<GDataEntryContactGroupPtr>
GoogleContactTool::groupsInsertedSince(const QDateTime &date) const
{
    return googlechangetracking::insertedSince(m_lists.groups(), date);
}

std::vector<GDataEntryContactPtr>
GoogleContactTool::contactsInsertedSince(const QDateTime &date) const
{
    return googlechangetracking::insertedSince(m_lists.contacts(), date);
}

std::vector<GDataEntryContactGroupPtr>
GoogleContactTool::groupsChangedSince(const QDateTime &date) const
{
    return googlechangetracking::changedSince(m_lists.groups(), date);
}

std::vector<GDataEntryContactPtr>
GoogleContactTool::contactsChangedSince(const QDateTime &date) const
{
    return googlechangetracking::changedSince(m_lists.contacts(), date);
}

QDateTime GoogleContactTool::lastGroupInsertDate() const
{
    return googlechangetracking::lastInsertDate(m_lists.groups());
}

QDateTime GoogleContactTool::lastContactInsertDate() const
{
    return googlechangetracking::lastInsertDate(m_lists.contacts());
}

QDateTime GoogleContactTool::lastGroupUpdateDate() const
{
    return googlechangetracking::lastUpdateDate(m_lists.groups());
}

QDateTime GoogleContactTool::lastContactUpdateDate() const
{
    return googlechangetracking::lastUpdateDate(m_lists.contacts());
}

bool GoogleContactTool::hasGoogleModDateChangedSinceLast() const
{
    return googlechangetracking::hasModDateChangedSinceLast(m_lists.groups(), m_lists.contacts());
}

bool GoogleContactTool::hasGoogleCountChangedSinceLast() const
{
    return googlechangetracking::hasCountChangedSinceLast(m_lists.groups(), m_lists.contacts());
}

bool GoogleContactTool::hasGoogleChangedSinceLast() const
{
    return googlechangetracking::hasChangedSinceLast(m_lists.groups(), m_lists.contacts());
}
