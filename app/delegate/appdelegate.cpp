#include "app/delegate/appdelegate.h"

#include "app/appkeys.h"
#include "app/apptexts.h"
#include "app/delegate/launchfacts.h"
#include "app/prefs/prefsheet.h"
#include "app/startup/factorydefaults.h"
#include "app/windows/loginsheet.h"
#include "app/windows/mainwindow.h"
#include "app/windows/welcomepanel.h"
#include "foundation/log.h"
#include "foundation/valuetransformers.h"
#include "google/engine/googlecontacttool.h"
#include "model/owneraddressbook.h"
#include "platform/defaults/userdefaults.h"
#include "platform/store/managedobjectcontext.h"
#include "platform/store/persistentstore.h"
#include "platform/ui/statusitem.h"

#include <QMenu>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

AppDelegate *s_shared = nullptr;

template <class Transformer> void registerTransformer()
{
    ValueTransformer::setValueTransformer(std::make_shared<Transformer>(),
                                          QString::fromLatin1(Transformer::kName));
}

// The eight transformers the interface bindings find by name, in the order they are registered.
void registerValueTransformers()
{
    registerTransformer<IsNilZeroOrFalseTransformer>();
    registerTransformer<IsOneOrTrueTransformer>();
    registerTransformer<IsEqualToTwoTransformer>();
    registerTransformer<IsGreaterThanZeroTransformer>();
    registerTransformer<IsGreaterThanOneTransformer>();
    registerTransformer<IsNotZeroTransformer>();
    registerTransformer<IsNotOneTransformer>();
    registerTransformer<IsNotTwoTransformer>();
}

} // namespace

AppDelegate::AppDelegate()
{
    tlog::trace(kClass, QStringLiteral("init"));
    ApplicationDelegate::seedPseudoRandomGenerator();
    s_shared = this;
    ApplicationDelegate::setShared(this);
    const launchfacts::Facts &launch = launchfacts::current();
    if (tlog::tracing())
        tlog::write((launch.preferencesFileNew ? apptexts::newPrefFile : apptexts::existingPrefFile)
                        .arg(launch.preferencesFilePath));
    factorydefaults::registerFactoryDefaults();
    UserDefaults::standard().setBool(launch.preferencesFileNew, appkeys::newPrefFileCreated);
    registerValueTransformers();
    setUpMenus();
}

AppDelegate::~AppDelegate()
{
    // The preferences sheet may stand on one of the windows below.
    delete m_prefSheet.data();
    // Windows first: their controllers hand the engine's delegates back while this still stands.
    for (const auto &[key, controller] : m_browserControllerCache)
        delete controller.data();
    for (WindowController *controller :
         {m_dataMoverWindowController.data(), m_googleBrowserWindowController.data(),
          m_googlePreviewWinController.data(), m_safariWindowController.data()})
        delete controller;
    delete m_loginPanel.data();
    delete m_mainWindow.data();
    delete m_welcomePanel.data();
    m_appGoogleContactTool.reset();
    if (ApplicationDelegate::shared() == this)
        ApplicationDelegate::setShared(nullptr);
    if (s_shared == this)
        s_shared = nullptr;
}

AppDelegate *AppDelegate::shared()
{
    return s_shared;
}

void AppDelegate::updateCoreData()
{
    if (!m_context)
        return;
    StoreError error;
    if (!m_context->save(&error)) {
        tlog::message(kClass, QStringLiteral("updateCoreData"), apptexts::saveReturnedFalse);
        tlog::labelled(kClass, QStringLiteral("updateCoreData"), apptexts::saveError,
                       error.description);
    }
}

void AppDelegate::showWelcomPanel()
{
    if (!m_welcomePanel)
        m_welcomePanel = new WelcomePanel;
    m_welcomePanel->show();
    m_welcomePanel->raise();
    m_welcomePanel->activateWindow();
}

void AppDelegate::closeWelcomPanel()
{
    if (m_welcomePanel)
        m_welcomePanel->hide();
}

// The engine's UI delegate. Progress sheets, the data mask and the redraw belong to the windows;
// while the application delegate holds the engine they have nothing to show.
void AppDelegate::openUserInfoWithMessage(const QString &, int) {}

void AppDelegate::updateUserInfoWithMessage(const QString &) {}

void AppDelegate::closeUserInfo() {}

void AppDelegate::setProgressMaxValue(double) {}

void AppDelegate::setProgressCurValue(double) {}

void AppDelegate::refreshView() {}

void AppDelegate::setGoogleDataMask() {}

void AppDelegate::setProgressMessage(const QString &message)
{
    m_progressMessage = message;
    if (m_welcomePanel)
        m_welcomePanel->setLaunchStatus(message, false);
}

void AppDelegate::setStatusMessage(const QString &message)
{
    if (message != m_statusMessage) {
        m_statusMessage = message;
        if (m_mainWindow)
            m_mainWindow->setStatusText(message);
    }
    // A start whose first fetch failed opens no window of its own: the welcome panel would stay
    // in front with no way on. The main window shows why instead.
    const GoogleContactTool *const tool = m_appGoogleContactTool.get();
    if (m_welcomePanel && m_welcomePanel->isVisible() && tool &&
        (tool->groupFetchError() || tool->contactFetchError())) {
        closeWelcomPanel();
        showMainWindowInstead();
    }
}

void AppDelegate::showWindow()
{
    showMainWindowInstead();
}

QWidget *AppDelegate::window()
{
    return keyWindow();
}
