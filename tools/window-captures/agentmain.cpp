// agent-window-captures: Agent Tolvane, started as its program starts, that writes a PNG of each
// of its windows into a folder and then quits (scripts/screens runs it after the main program's
// captures, on the same home folder).
//   agent-window-captures <folder>

#include "agent/agententry.h"
#include "tools/window-captures/agentcaptures.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: agent-window-captures <folder>\n");
        return EXIT_FAILURE;
    }
    AgentCaptures captures(arguments.at(1));
    app.installEventFilter(&captures);
    const int status = agententry::runAgent(app);
    const QStringList missing = captures.missing();
    if (!missing.isEmpty()) {
        std::printf("agent-window-captures: not captured: %s\n",
                    qPrintable(missing.join(QStringLiteral(", "))));
        return EXIT_FAILURE;
    }
    return status;
}
