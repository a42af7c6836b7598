#include "app/delegate/appdelegate.h"

#include "app/appkeys.h"
#include "app/apptexts.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windowfactory.h"
#include "foundation/computerinfo.h"
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QUrl>

#include <unistd.h>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

// QtWebEngine ends the whole program when its first view is made as root with its sandbox on; the
// user's unsaved work in other windows would go with it.
bool webViewCannotRunHere()
{
    if (::geteuid() != 0)
        return false;
    if (!qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        return false;
    if (qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(QStringLiteral("--no-sandbox")))
        return false;
    return !QCoreApplication::arguments().contains(QStringLiteral("--no-sandbox"));
}

void openGoogleContactsPageOutside()
{
    tlog::write(apptexts::webViewFallback);
    QDesktopServices::openUrl(
        QUrl(UserDefaults::standard().stringForKey(appkeys::googleContactsPage)));
}

} // namespace

QWidget *AppDelegate::keyWindow() const
{
    QWidget *window = QApplication::activeWindow();
    // A window-modal sheet stands for the window it is on.
    while (qobject_cast<QDialog *>(window) && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

WindowController *AppDelegate::keyWindowController() const
{
    return WindowController::forWindow(keyWindow());
}

bool AppDelegate::isBrowserFront() const
{
    const WindowController *const controller = keyWindowController();
    return controller && controller->kind() == WindowController::Kind::Browser;
}

void AppDelegate::adoptController(WindowController *controller)
{
    controller->setParent(this);
    connect(controller, &WindowController::windowClosing, this, &AppDelegate::windowWillClose);
    // Menus.
    if (controller->kind() != WindowController::Kind::WebView)
        attachMenuBar(controller);
}

void AppDelegate::windowWillClose(WindowController *controller)
{
    tlog::trace(kClass, QStringLiteral("windowWillClose:"));
    // The engine keeps plain pointers to its delegates: a closing window that is still one of them
    // hands them back first, so that no later answer reaches a window that is gone.
    GoogleContactTool *const appTool = m_appGoogleContactTool.get();
    for (GoogleContactTool *tool : {appTool, controller->googleTool()}) {
        if (!tool)
            continue;
        if (controller->engineUIDelegate() && tool->uiDelegate() == controller->engineUIDelegate())
            tool->setUIDelegate(tool == appTool ? this : nullptr);
        if (controller->engineDataDelegate() &&
            tool->dataDelegate() == controller->engineDataDelegate())
            tool->setDataDelegate(tool == appTool ? this : nullptr);
    }
    // A browser of a second account takes its engine with it; a window that borrowed that engine
    // goes on with the application's.
    GoogleContactTool *const ownTool = controller->googleTool();
    if (ownTool && ownTool != appTool && m_dataMoverWindowController &&
        m_dataMoverWindowController != controller &&
        m_dataMoverWindowController->googleTool() == ownTool) {
        m_dataMoverWindowController->setGoogleTool(appTool);
        m_dataMoverWindowController->setWinTitle(apptexts::dataLoaderTitle.arg(appTool->user()));
    }
    if (controller == m_dataMoverWindowController)
        m_dataMoverWindowController = nullptr;
    if (controller == m_googleBrowserWindowController)
        m_googleBrowserWindowController = nullptr;
    if (controller == m_googlePreviewWinController)
        m_googlePreviewWinController = nullptr;
    if (controller == m_safariWindowController)
        m_safariWindowController = nullptr;
    m_browserControllerCache.erase(controller->cacheKey());
}

void AppDelegate::setDataMoverWindowController(WindowController *controller)
{
    m_dataMoverWindowController = controller;
}

void AppDelegate::setGoogleBrowserWindowController(WindowController *controller)
{
    m_googleBrowserWindowController = controller;
}

void AppDelegate::setGooglePreviewWinController(WindowController *controller)
{
    m_googlePreviewWinController = controller;
}

void AppDelegate::setSafariWindowController(WindowController *controller)
{
    m_safariWindowController = controller;
}

void AppDelegate::showMainWindowInstead()
{
    if (!m_mainWindow)
        m_mainWindow = new MainWindow;
    m_mainWindow->setStatusText(m_statusMessage);
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
    launchWindowDidOpen();
}

void AppDelegate::openDataMover(GoogleContactTool *)
{
    closeWelcomPanel();
    if (m_dataMoverWindowController) {
        m_dataMoverWindowController->showWindow();
        return;
    }
    std::unique_ptr<WindowController> made = windowfactory::make(WindowController::Kind::DataMover);
    if (!made) {
        showMainWindowInstead();
        return;
    }
    WindowController *const controller = made.release();
    adoptController(controller);
    m_dataMoverWindowController = controller;
    // The loader works on the account of the browser in front; with any other window in front it
    // works on the application's account, never on none.
    GoogleContactTool *tool = m_appGoogleContactTool.get();
    WindowController *const key = keyWindowController();
    if (!m_browserControllerCache.empty() && key && key != m_googleBrowserWindowController &&
        key->kind() == WindowController::Kind::Browser && key->googleTool())
        tool = key->googleTool();
    controller->setGoogleTool(tool);
    controller->showWindow();
    const QString title = apptexts::dataLoaderTitle.arg(tool ? tool->user() : QString());
    controller->setWinTitle(title);
    // The log tells which account the loader was opened on, whatever the level.
    tlog::write(title);
    launchWindowDidOpen();
}

void AppDelegate::openBrowserView(GoogleContactTool *)
{
    tlog::trace(kClass, QStringLiteral("openBrowserView:"));
    closeWelcomPanel();
    if (m_googleBrowserWindowController) {
        m_googleBrowserWindowController->showWindow();
        m_googleBrowserWindowController->takeEngineDelegates();
        return;
    }
    std::unique_ptr<WindowController> made = windowfactory::make(WindowController::Kind::Browser);
    if (!made) {
        showMainWindowInstead();
        return;
    }
    WindowController *const controller = made.release();
    adoptController(controller);
    m_googleBrowserWindowController = controller;
    controller->setGoogleTool(m_appGoogleContactTool.get());
    controller->showWindow();
    controller->setWinTitle(UserDefaults::standard().stringForKey(googlekeys::gsAccount));
    launchWindowDidOpen();
    // Preferences: a first start shows them on the first browser.
    if (UserDefaults::standard().boolForKey(appkeys::newPrefFileCreated))
        openPreferencesOn(controller->window());
}

void AppDelegate::openBrowser2View()
{
    if (!m_googleBrowserWindowController) {
        openBrowserView();
        return;
    }
    WindowController *const controller = createCachedController();
    if (!controller)
        return;
    controller->setInternalGoogleTool();
    controller->showWindow();
    controller->openLoginPanel();
}

WindowController *AppDelegate::createCachedController()
{
    std::unique_ptr<WindowController> made = windowfactory::make(WindowController::Kind::Browser);
    if (!made)
        return nullptr;
    WindowController *const controller = made.release();
    adoptController(controller);
    const QString key = ComputerInfo::UUID2();
    controller->setCacheKey(key);
    m_browserControllerCache[key] = controller;
    return controller;
}

void AppDelegate::killAppBrowserController()
{
    if (WindowController *const controller = m_googleBrowserWindowController) {
        m_googleBrowserWindowController = nullptr;
        controller->deleteLater();
    }
}

void AppDelegate::openWebView()
{
    if (m_safariWindowController) {
        m_safariWindowController->showWindow();
        return;
    }
    if (webViewCannotRunHere() || !windowfactory::hasMaker(WindowController::Kind::WebView)) {
        openGoogleContactsPageOutside();
        return;
    }
    WindowController *const controller =
        windowfactory::make(WindowController::Kind::WebView).release();
    adoptController(controller);
    m_safariWindowController = controller;
    controller->showWindow();
}

void AppDelegate::forwardCommand(const QString &name, const QVariant &argument)
{
    WindowController *const controller = keyWindowController();
    if (controller && controller->respondsToCommand(name))
        controller->performCommand(name, argument);
}

void AppDelegate::toggleGroupNav()
{
    forwardCommand(QStringLiteral("toggleGroupNav:"));
}

void AppDelegate::toggleBrowserImage()
{
    forwardCommand(QStringLiteral("toggleBrowserImage:"));
}

void AppDelegate::toggleNotes()
{
    forwardCommand(QStringLiteral("toggleNotes:"));
}

void AppDelegate::browserChangeDataField(int tag)
{
    const QString op = QStringLiteral("browserChangeDataField:");
    tlog::value(kClass, op, QStringLiteral("[sender tag]"), tag);
    if (tlog::diagnostics()) {
        const WindowController *const controller = keyWindowController();
        tlog::labelled(kClass, op, QStringLiteral("keyWinCon"),
                       controller ? controller->objectName() : tlog::orNull(QString()));
    }
    forwardCommand(QStringLiteral("changeBrowserDataField:"), tag);
}

void AppDelegate::showTableColumnSheet()
{
    if (isBrowserFront())
        forwardCommand(QStringLiteral("showTableColumnSheet:"));
}

void AppDelegate::toggleSetOperator()
{
    WindowController *const browser = m_googleBrowserWindowController;
    if (!browser)
        return;
    browser->setUseIntersection(!browser->useIntersection());
    m_browserSetModeMenuTitle =
        browser->useIntersection() ? apptexts::changeToUnion : apptexts::changeToIntersection;
    browser->performCommand(QStringLiteral("toggleSetOperator:"));
}
