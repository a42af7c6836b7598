#include "app/startup/programentry.h"

#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "app/delegate/appdelegate.h"
#include "app/delegate/launchfacts.h"
#include "foundation/log.h"
#include "foundation/tolvaneutilities.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/busapplication.h"
#include "platform/scripting/busprograms.h"
#include "platform/ui/termination.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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

// Another copy already runs: it takes the files, and this one ends. The exit status says whether
// the running copy took them.
int handOver(const QStringList &files)
{
    const ScriptReply reply = busprograms::sendCommand(
        bundleinfo::kBundleIdentifier, busprograms::kApplicationInterface,
        busprograms::kApplicationPath, QStringLiteral("OpenFiles"), {files});
    const bool taken = reply.succeeded() && reply.result.booleanValue();
    tlog::value(QStringLiteral("Tolvane"), QStringLiteral("application:openFiles:"),
                QStringLiteral("handed to the running program"), taken ? 1 : 0);
    return taken ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace

QStringList openedFiles(const QStringList &arguments)
{
    QStringList files;
    for (const QString &argument : arguments.mid(1)) {
        if (!argument.startsWith(u'-'))
            files << QFileInfo(argument).absoluteFilePath();
    }
    return files;
}

void forgetLastRun()
{
    TolvaneUtilities::applicationWillLaunch();
    UserDefaults &defaults = UserDefaults::standard();
    for (const QString &key : appkeys::quitRemovesKeys)
        defaults.removeObjectForKey(key);
}

int runTolvane(QApplication &app, const QStringList &files)
{
    prepareProcess();
    BusApplication bus(bundleinfo::kBundleIdentifier);
    if (!bus.isRegistered() && !files.isEmpty() &&
        busprograms::isRunning(bundleinfo::kBundleIdentifier))
        return handOver(files);
    forgetLastRun();
    installTermination();
    if (!AppDelegate::initialize())
        return EXIT_SUCCESS;
    AppDelegate delegate;
    bus.setOpenFilesHandler(
        [&delegate](const QStringList &paths) { return delegate.openFiles(paths); });
    if (!files.isEmpty())
        delegate.openFiles(files);
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
