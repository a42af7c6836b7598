#include "app/startup/programentry.h"

#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "app/delegate/appdelegate.h"
#include "app/delegate/launchfacts.h"
#include "foundation/log.h"
#include "foundation/tolvaneutilities.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/busapplication.h"
#include "platform/ui/termination.h"

#include <QApplication>
#include <QDir>
#include <QThread>
#include <QTimer>

#include <cstdlib>

namespace programentry {
namespace {

// Before anything reads a preference or writes a log line.
void prepareProcess()
{
    launchfacts::capture();
    UserDefaults::setStandardDomain(bundleinfo::kBundleIdentifier);
    QCoreApplication::setApplicationName(bundleinfo::kMainProgramFileName);
    QCoreApplication::setApplicationVersion(bundleinfo::version());
    tlog::openLogFile(tlog::logFilePath(bundleinfo::kBundleIdentifier),
                      bundleinfo::kMainProgramFileName);
    QDir::setSearchPaths(QStringLiteral("images"), {QStringLiteral(":/images")});
}

// A fatal alert during start-up ends the program as start-up unwinds; once the event loop turns,
// the program quits in order, through its quit steps.
void installTermination()
{
    termination::setHandler([] {
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::exit(EXIT_SUCCESS);
    });
}

} // namespace

void forgetLastRun()
{
    TolvaneUtilities::applicationWillLaunch();
    UserDefaults &defaults = UserDefaults::standard();
    for (const QString &key : appkeys::quitRemovesKeys)
        defaults.removeObjectForKey(key);
}

int runTolvane(QApplication &app)
{
    prepareProcess();
    BusApplication bus(bundleinfo::kBundleIdentifier);
    forgetLastRun();
    installTermination();
    if (!AppDelegate::initialize())
        return EXIT_SUCCESS;
    AppDelegate delegate;
    if (!delegate.awakeFromNib())
        return EXIT_SUCCESS;
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate,
                     &AppDelegate::applicationWillTerminate);
    QTimer::singleShot(0, &delegate, &AppDelegate::applicationDidFinishLaunching);
    const int status = app.exec();
    delegate.applicationWillTerminate();
    return status;
}

} // namespace programentry
