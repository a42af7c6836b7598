#include "app/delegate/appdelegate.h"

#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordcounts.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "app/appkeys.h"
#include "app/apptexts.h"
#include "app/bundleinfo.h"
#include "app/delegate/menuactionwatcher.h"
#include "app/startup/environmentreport.h"
#include "app/startup/factorydefaults.h"
#include "app/startup/payloadinstaller.h"
#include "app/windows/welcomepanel.h"
#include "foundation/log.h"
#include "foundation/programfolder.h"
#include "foundation/transientkeys.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "foundation/vozuveva/vozuvevaappcontrol.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/defaults/userdefaults.h"
#include "platform/store/persistentstore.h"
#include "platform/ui/keyboardmodifiers.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

// A line of the class initialisation, written whatever the level.
void announce(const QString &op, const QString &text)
{
    tlog::write(QStringLiteral("[%1 %2] - %3").arg(kClass, op, text));
}

// The log level the user asked for by holding keys at launch, or a beta build's; the stored level
// stays otherwise.
void setLogLevelAtLaunch()
{
    const QString op = QStringLiteral("initialize");
    UserDefaults &defaults = UserDefaults::standard();
    const Qt::KeyboardModifiers modifiers = keyboardmodifiers::current();
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool option = modifiers.testFlag(Qt::AltModifier);
    if (shift && option) {
        defaults.setInteger(2, QStringLiteral("appLogLevel"));
        tlog::message(kClass, op, apptexts::verboseLogging);
        tlog::message(kClass, op, apptexts::optionShiftDown);
    } else if (shift) {
        defaults.setInteger(1, QStringLiteral("appLogLevel"));
        tlog::message(kClass, op, apptexts::terseLogging);
        tlog::message(kClass, op, apptexts::shiftDown);
    } else if (bundleinfo::version().toLower().contains(u'b')) {
        defaults.setInteger(2, QStringLiteral("appLogLevel"));
        tlog::message(kClass, op, apptexts::verboseLogging);
        tlog::message(kClass, op, apptexts::betaProduct);
    }
}

// Each check that fails ends the program behind its alert.
bool fatal(const QString &message, const QString &small)
{
    VozuVeva::showAlertMsg(message, small, apptexts::okButton, QString(), QString(), true);
    return false;
}

} // namespace

bool AppDelegate::initialize()
{
    const QString op = QStringLiteral("initialize");
    tlog::trace(kClass, op);
    announce(op, apptexts::releaseBuild);
    UserDefaults::standard().setString(apptexts::releaseValue, appkeys::appBuild);
    setLogLevelAtLaunch();
    // The old platform's system version test has nothing to read here: the build asks for the
    // Qt version the program needs instead.
    if (FolderLayout::dataHome().isEmpty())
        return fatal(apptexts::noApplicationSupport, apptexts::noApplicationSupportSmall);
    if (!VozuVeva::isApplicationInstalled(programfolder::kAddressBookBundleIdentifier))
        return fatal(apptexts::noAddressBook, apptexts::noAddressBookSmall);
    if (!AddressBookTool::meAB())
        return fatal(apptexts::noMeRecord, apptexts::noMeRecordSmall);
    return true;
}

void AppDelegate::progressStep(const QString &text, bool redraw)
{
    m_progressMessage = text;
    ++m_progressCount;
    if (m_welcomePanel)
        m_welcomePanel->setLaunchStatus(text, redraw);
}

bool AppDelegate::awakeFromNib()
{
    tlog::trace(kClass, QStringLiteral("awakeFromNib"));
    UserDefaults &defaults = UserDefaults::standard();
    m_progressCount = 0;
    showWelcomPanel();
    progressStep(apptexts::stepInitializing, false);
    // Linux has no system version below the one the build asks for.
    m_isLeopardPlus = true;
    defaults.setBool(m_isLeopardPlus, transientkeys::kIsLeopardPlus);

    progressStep(apptexts::stepMachine);
    logBasicData();
    setupFileAndFolderEnvironment();

    progressStep(apptexts::stepData);
    if (!setupCoreDataEnvironment())
        return false;

    m_isStatusItem = defaults.boolForKey(appkeys::runAsStatusItem);
    m_isUserAgent = bundleinfo::kIsUserAgent;
    if (m_isUserAgent && !m_isStatusItem)
        morphToApp();
    defaults.setBool(true, googlekeys::startMode);

    progressStep(apptexts::stepAddressBook);
    examineAddressBook();

    const factorydefaults::AddressLabels labels = factorydefaults::addressLabels();
    m_cityLabel = labels.city;
    m_stateLabel = labels.state;
    m_postalLabel = labels.postal;
    m_threeLabels = {m_cityLabel, m_stateLabel, m_postalLabel};
    resetTwoLabels();
    defaults.setBool(false, googlekeys::googleHasContactData);
    defaults.setBool(false, googlekeys::googleHasGroupData);
    if (m_isUserAgent && m_isStatusItem)
        initAsStatusItem();
    else
        initAsApplication();

    // Preferences: the sheet and its panes' toolbar.
    makePrefSheet();

    progressStep(apptexts::stepServices);
    qApp->installEventFilter(new MenuActionWatcher([this] { menuNotification(); }, this));

    progressStep(apptexts::stepGoogle);
    makeApplicationEngine();
    loginToGoogle();
    return true;
}

void AppDelegate::applicationDidFinishLaunching()
{
    // Nothing here drives another program's interface, so interface scripting is always possible.
    UserDefaults::standard().setBool(true, appkeys::guiScriptingEnabled);
}

void AppDelegate::checkForUpdate()
{
    // Packages are updated by the system; there is no updater to ask.
    tlog::trace(kClass, QStringLiteral("checkForUpdate:"));
}

QVariantList AppDelegate::feedParametersForUpdater()
{
    return {QVariantMap{{QStringLiteral("key"), QStringLiteral("id")},
                        {QStringLiteral("value"), 3},
                        {QStringLiteral("displayKey"), QStringLiteral("id")},
                        {QStringLiteral("displayValue"), 3}}};
}

void AppDelegate::logBasicData()
{
    environmentreport::write(bundleinfo::kBundleName);
}

void AppDelegate::setupFileAndFolderEnvironment()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_folders = FolderLayout::current();
    payloadinstaller::createLibraryFolder(m_folders);
    payloadinstaller::installAgent(m_folders);
    // The data folder first, so that its path can be resolved to the real folder.
    QDir().mkpath(m_folders.dataFolderPath);
    const QString dataFolder = QFileInfo(m_folders.dataFolderPath).canonicalFilePath();
    m_datafilePath = QDir(dataFolder.isEmpty() ? m_folders.dataFolderPath : dataFolder)
                         .filePath(PersistentStore::fileName(bundleinfo::kBundleName));
    defaults.setString(m_datafilePath, googlekeys::datafilePath);
    payloadinstaller::createDataFolder(m_folders, m_datafilePath);
    payloadinstaller::installScripts(m_folders);
    payloadinstaller::installService();
    defaults.setString(m_folders.tmpFolderPath, googlekeys::tmpFolderPath);
    defaults.setString(m_folders.googleBackupFolderPath, googlekeys::googleBackupFolderPath);
    defaults.setString(m_folders.restartFolderPath, googlekeys::restartFolderPath);
    defaults.setString(m_folders.pendingFolderPath, googlekeys::pendingFolderPath);
    defaults.setString(m_folders.pendingArchiveFolderPath, googlekeys::pendingArchiveFolderPath);
    payloadinstaller::createWorkFolders(m_folders);
}

void AppDelegate::examineAddressBook()
{
    VozuVeva::recordApplicationDefaults(programfolder::kAddressBookBundleIdentifier,
                                        QStringLiteral("Address Book"));
    AddressBookTool::addTolvaneGroupProperties();
    AddressBookTool::addTolvaneContactProperties();
    AddressBookTool::setUserDefaultCounts();
    AddressBookTool::setCounts();
    for (const GroupPtr &group : AddressBookTool::allGroups())
        tlog::write(
            apptexts::groupMembers.arg(group->valueForProperty(kABGroupNameProperty).toString())
                .arg(group->members().size()));
    VozuVeva::recordApplicationDefaults(QStringLiteral("com.apple.Safari"),
                                        QStringLiteral("Safari"));
}

void AppDelegate::makeApplicationEngine()
{
    m_appGoogleContactTool =
        std::make_unique<GoogleContactTool>(GoogleContactTool::Role::MainProgram);
    m_appGoogleContactTool->setUIDelegate(this);
    m_appGoogleContactTool->setDataDelegate(this);
    m_appGoogleContactTool->setMocDelegate(this);
    m_appGoogleContactTool->setHostDelegate(this);
}
