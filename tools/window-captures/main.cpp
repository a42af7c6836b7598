// window-captures: the main program, started as Tolvane starts, that writes a PNG of each window
// as it opens (the welcome panel, the login sheet, the data loader, the main window, the web view
// window) into a folder, signs in with the given account and password and quits after the web
// page.
//   window-captures <folder> <account> <password>

#include "app/startup/programentry.h"
#include "app/windows/windowfactory.h"
#include "browser/window/browserwindowcontroller.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/webview/safariwindowcontroller.h"
#include "loader/window/datamoverwindowcontroller.h"
#include "tools/window-captures/windowcaptures.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: window-captures <folder> <account> <password>\n");
        return EXIT_FAILURE;
    }
    WindowCaptures captures(arguments.at(1), arguments.at(2), arguments.at(3));
    app.installEventFilter(&captures);
    // The data loader, the browser and the web view window are made by the factory here.
    windowfactory::setMaker(WindowController::Kind::DataMover,
                            [] { return std::make_unique<DataMoverWindowController>(); });
    windowfactory::setMaker(WindowController::Kind::Browser,
                            [] { return std::make_unique<BrowserWindowController>(); });
    windowfactory::setMaker(WindowController::Kind::WebView,
                            [] { return std::make_unique<SafariWindowController>(); });
    windowfactory::setMaker(WindowController::Kind::Preview,
                            [] { return std::make_unique<GooglePreviewWindowController>(); });
    const int status = programentry::runTolvane(app);
    const QStringList missing = captures.missing();
    if (!missing.isEmpty()) {
        // The log has taken over the standard error by now.
        std::printf("window-captures: not captured: %s\n",
                    qPrintable(missing.join(QStringLiteral(", "))));
        return EXIT_FAILURE;
    }
    return status;
}
