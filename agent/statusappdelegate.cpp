#include "agent/statusappdelegate.h"

#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "agent/agentkeys.h"
#include "agent/agenttexts.h"
#include "app/startup/factorydefaults.h"
#include "app/startup/initialdefaults.h"
#include "foundation/log.h"
#include "foundation/valuetransformers.h"
#include "google/engine/googlecontacttool.h"
#include "google/push/googleabautoupdate.h"
#include "google/push/pushkeys.h"
#include "model/meaddressbook.h"
#include "model/refdata/phoneformat.h"
#include "model/tolvaneowner.h"
#include "model/tolvanestoremodel.h"
#include "platform/addressbook/addressbook.h"
#include "platform/defaults/userdefaults.h"
#include "platform/store/managedobjectcontext.h"
#include "platform/store/persistentstore.h"
#include "platform/ui/prompter.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/termination.h"
#include "platform/ui/valuetransformer.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QStandardPaths>

namespace {

const QString kClass = QStringLiteral("StatusAppDelegate");
StatusAppDelegate *g_shared = nullptr;

template <class Transformer> void registerTransformer()
{
    ValueTransformer::setValueTransformer(std::make_shared<Transformer>(),
                                          QString::fromLatin1(Transformer::kName));
}

// "Application Support": the data folder the main program lays out.
QString dataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QString() : QDir(home).filePath(QStringLiteral(".local/share"));
}

bool fatal(const QString &message)
{
    StatusAppDelegate::postAlert(message, QString(), true);
    return false;
}

std::optional<QString> folderPreference(const QString &key)
{
    const QString path = UserDefaults::standard().stringForKey(key);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace

bool StatusAppDelegate::initialize()
{
    // The old platform's system version test has nothing to read here: the build asks for the Qt
    // version the agent needs instead.
    if (dataHome().isEmpty())
        return fatal(agenttexts::noApplicationSupport);
    if (!AddressBookTool::meAB())
        return fatal(agenttexts::noMeRecord);
    return true;
}

StatusAppDelegate::StatusAppDelegate()
{
    g_shared = this;
    registerTransformer<IsNilZeroOrFalseTransformer>();
    registerTransformer<IsOneOrTrueTransformer>();
    registerTransformer<IsEqualToTwoTransformer>();
    registerTransformer<IsGreaterThanZeroTransformer>();
    registerTransformer<IsGreaterThanOneTransformer>();
    m_blinker.setInterval(750);
    m_poller.setSingleShot(true);
    connect(&m_poller, &QTimer::timeout, this, &StatusAppDelegate::attemptLogin);
    m_loginWatch.setInterval(50);
    connect(&m_loginWatch, &QTimer::timeout, this, &StatusAppDelegate::watchLogin);
}

StatusAppDelegate::~StatusAppDelegate()
{
    disconnectHandlers();
    if (ApplicationDelegate::shared() == this)
        ApplicationDelegate::setShared(nullptr);
    if (m_appGoogleContactTool) {
        m_appGoogleContactTool->setUIDelegate(nullptr);
        m_appGoogleContactTool->setMocDelegate(nullptr);
        m_appGoogleContactTool->setHostDelegate(nullptr);
    }
    m_googleABAutoUpdate.reset();
    m_appGoogleContactTool.reset();
    if (g_shared == this)
        g_shared = nullptr;
}

StatusAppDelegate *StatusAppDelegate::shared()
{
    return g_shared;
}

void StatusAppDelegate::registerFactoryDefaults()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.registerDefaults(initialdefaults::values());
    // Every value the agent has none of its own for is the main program's.
    defaults.addSuiteNamed(agentkeys::kMainDomain);
    defaults.registerDefaults(factorydefaults::runTimeValues(AddressBookTool::meAB()));
}

void StatusAppDelegate::readPushOptions()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_pushMode = defaults.integerForKey(QStringLiteral("autoABPushMode"));
    m_abPushSelectedGroups = defaults.boolForKey(agentkeys::autoABUsesSelectedGroups);
    m_abPushAllGroups = !m_abPushSelectedGroups;
    m_abPushIncludeNewGroups = defaults.boolForKey(agentkeys::autoABSelectedGroupsIncludeNewGroups);
    m_abPushIncludeNestedGroups =
        defaults.boolForKey(QStringLiteral("autoABSelectedGroupsIncludeNestedGroups"));
    m_abPushIncludeNoGroupContacts = defaults.boolForKey(pushkeys::autoABUsesContactsWithoutGroups);
}

bool StatusAppDelegate::awakeFromNib()
{
    m_isPaused = true;
    m_hadConnection = false;
    registerFactoryDefaults();
    UserDefaults &defaults = UserDefaults::standard();
    // The main program's first-window step is not the agent's.
    defaults.setBool(false, agentkeys::startMode);
    m_pollInterval = 5.0;
    readPushOptions();
    loadAutoABGroups();
    initAsStatusItem();
    ApplicationDelegate::setShared(this);
    tlog::write(agenttexts::appVersion.arg(QCoreApplication::applicationVersion()));
    if (!setupCoreDataEnvironment())
        return false;
    // The links of pushed records are custom properties of the book. The main program adds them at
    // its start, but the agent may run on a book the main program never opened: without them no
    // link could be written, and every push would create its groups and contacts again.
    AddressBookTool::addTolvaneGroupProperties();
    AddressBookTool::addTolvaneContactProperties();
    m_appGoogleContactTool = std::make_unique<GoogleContactTool>(GoogleContactTool::Role::Agent);
    m_appGoogleContactTool->setUIDelegate(this);
    m_appGoogleContactTool->setMocDelegate(this);
    m_appGoogleContactTool->setHostDelegate(this);
    sharedABUpdateTool();
    watchForRestores();
    setABNotifications(true);
    attemptLogin();
    return true;
}

bool StatusAppDelegate::setupCoreDataEnvironment()
{
    const QString path = UserDefaults::standard().stringForKey(QStringLiteral("datafilePath"));
    StoreError error;
    m_store = path.isEmpty() ? nullptr : PersistentStore::open(path, tolvaneStoreModel(), &error);
    if (!m_store) {
        tlog::write(agenttexts::caughtStoreError.arg(QStringLiteral("setupCoreDataEnvironment"))
                        .arg(int(error.code))
                        .arg(error.domain, tlog::describe(error.userInfo)));
        postAlert(agenttexts::fatal1103, agenttexts::fatal1103Small, true);
        return false;
    }
    m_context = std::make_unique<ManagedObjectContext>(m_store);
    m_ownerAddressBook = std::make_unique<MeAddressBook>();
    // The owner lookup shows its own fatal alert when it finds and can make no owner.
    m_owner = TolvaneOwner::sharedOwnerInContext(*m_context, *m_ownerAddressBook);
    return m_owner != nullptr;
}

void StatusAppDelegate::updateCoreData()
{
    if (!m_context) {
        tlog::message(kClass, QStringLiteral("updateCoreData"), agenttexts::noMoc);
        return;
    }
    StoreError error;
    if (!m_context->save(&error)) {
        tlog::message(kClass, QStringLiteral("updateCoreData"), agenttexts::saveReturnedFalse);
        tlog::labelled(kClass, QStringLiteral("updateCoreData"), agenttexts::saveError,
                       error.description);
    }
}

QString StatusAppDelegate::formatAsPhoneNumber(const QString &phoneNumber)
{
    if (!m_context || !UserDefaults::standard().boolForKey(QStringLiteral("gmUpdateFormatPhoneNumbers")))
        return phoneNumber;
    return PhoneFormat::formatPhoneNumber(phoneNumber, *m_context);
}

void StatusAppDelegate::setPrefValue(const QVariant &value, const QString &key)
{
    if (!UserDefaults::setValueForCurrentHost(agentkeys::kMainDomain, key, value))
        tlog::write(QStringLiteral("[%1 %2] - cannot write %3 into %4")
                        .arg(kClass, QStringLiteral("setPrefValue:forKey:"), key,
                             agentkeys::kMainDomain));
}

void StatusAppDelegate::postAlert(const QString &message, const QString &smallText, bool doDie)
{
    Prompt prompt;
    prompt.message = message;
    prompt.style = doDie ? Prompt::Style::Critical : Prompt::Style::Warning;
    prompt.buttons = {agenttexts::okButton};
    if (!smallText.isEmpty())
        prompt.informativeText = smallText;
    else if (doDie)
        prompt.informativeText = agenttexts::cannotRun;
    Prompter::current().runModal(prompt);
    if (doDie)
        termination::terminateApplication();
}

std::optional<QString> StatusAppDelegate::pendingFolderPath()
{
    return folderPreference(QStringLiteral("pendingFolderPath"));
}

std::optional<QString> StatusAppDelegate::pendingArchiveFolderPath()
{
    return folderPreference(QStringLiteral("pendingArchiveFolderPath"));
}

std::optional<QString> StatusAppDelegate::restartFolderPath()
{
    return folderPreference(QStringLiteral("restartFolderPath"));
}

std::optional<QString> StatusAppDelegate::googleBackupFolderPath()
{
    return folderPreference(QStringLiteral("googleBackupFolderPath"));
}

std::optional<QString> StatusAppDelegate::tmpFolderPath()
{
    return folderPreference(QStringLiteral("tmpFolderPath"));
}
