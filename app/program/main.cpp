// Tolvane, the main program.

#include "app/delegate/appdelegate.h"
#include "app/signin/googlesignin.h"
#include "app/startup/programentry.h"
#include "app/windows/windowfactory.h"
#include "browser/window/browserwindowcontroller.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/webview/safariwindowcontroller.h"
#include "loader/window/agentclient.h"
#include "loader/window/datamoverwindowcontroller.h"

#include <QApplication>
#include <QDesktopServices>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    windowfactory::setMaker(WindowController::Kind::DataMover,
                            [] { return std::make_unique<DataMoverWindowController>(); });
    windowfactory::setMaker(WindowController::Kind::Browser,
                            [] { return std::make_unique<BrowserWindowController>(); });
    windowfactory::setMaker(WindowController::Kind::WebView,
                            [] { return std::make_unique<SafariWindowController>(); });
    windowfactory::setMaker(WindowController::Kind::Preview,
                            [] { return std::make_unique<GooglePreviewWindowController>(); });
    AppDelegate::setAgentListener({agentclient::isAgentListening,
                                   agentclient::silenceAgentNotifications,
                                   agentclient::turnOnAgentNotifications});
    // Google sign-in: only the main program opens the person's browser, and only when asked.
    GoogleSignIn::setBrowserOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); });
    return programentry::runTolvane(app, programentry::openedFiles(QCoreApplication::arguments()));
}
