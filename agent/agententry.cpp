#include "agent/agententry.h"

#include "agent/agentcommandobject.h"
#include "agent/agentkeys.h"
#include "agent/agenttexts.h"
#include "agent/configurationpanel.h"
#include "agent/statusappdelegate.h"
#include "foundation/log.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/busapplication.h"
#include "platform/ui/termination.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QThread>

#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace agententry {
namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

// A logout ends a desktop program with SIGTERM: the quit steps run then, as on a quit.
void quitOnSignals(QObject *owner)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(g_signalPipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void prepareProcess()
{
    UserDefaults::setStandardDomain(agentkeys::kAgentDomain);
    QCoreApplication::setApplicationName(agentkeys::kApplicationName);
    tlog::openLogFile(tlog::logFilePath(agentkeys::kAgentDomain), agentkeys::kApplicationName);
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

int runAgent(QApplication &app)
{
    prepareProcess();
    // The commands first, then the name: a caller that waits for the name never meets a missing
    // method.
    AgentCommandObject commands;
    commands.registerOnBus();
    BusApplication bus(agentkeys::kAgentDomain);
    if (!bus.isRegistered()) {
        tlog::write(agenttexts::anotherAgentRuns);
        return EXIT_SUCCESS;
    }
    installTermination();
    quitOnSignals(&app);
    if (!StatusAppDelegate::initialize())
        return EXIT_SUCCESS;
    StatusAppDelegate delegate;
    QApplication::setQuitOnLastWindowClosed(false);
    if (!delegate.awakeFromNib())
        return EXIT_SUCCESS;
    commands.setDelegate(&delegate);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate,
                     &StatusAppDelegate::applicationWillTerminate);
    const int status = app.exec();
    commands.setDelegate(nullptr);
    delegate.applicationWillTerminate();
    return status;
}

} // namespace agententry
