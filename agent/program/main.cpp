// Agent Tolvane, the automatic push beside the main program.

#include "agent/agententry.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return agententry::runAgent(app);
}
