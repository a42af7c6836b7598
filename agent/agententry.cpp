#include "agent/agententry.h"

#include "agent/agentcommandobject.h"
#include "agent/agentkeys.h"
#include "agent/agenttexts.h"
#include "agent/configurationpanel.h"
#include "agent/statusappdelegate.h"
#include "foundation/log.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/busapplication.h"
#include "platform/scripting/quitsignals.h"
#include "platform/ui/termination.h"

#include <QApplication>
#include <QThread>

#include <cstdlib>

namespace agententry {
namespace {

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
    // A logout ends a desktop program with SIGTERM: the quit steps run then, as on a quit.
    quitsignals::install(&app);
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
