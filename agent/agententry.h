#pragma once

class QApplication;

// The whole of Agent Tolvane's run: one agent at a time, its delegate's start-up, the event
// loop, and the quit steps on a quit, a logout or a termination signal.
namespace agententry {

int runAgent(QApplication &app);

} // namespace agententry
