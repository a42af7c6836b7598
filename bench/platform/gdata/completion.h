// Waits on the event loop for a request's completion without spinning, so the loopback server
// keeps the processor it shares with the benchmark.
#pragma once

#include <QEventLoop>

class Completion
{
public:
    // Called from the request's callback.
    void done();
    // Runs the event loop until done() or until the time is up; false on time-out. Ready for the
    // next request afterwards.
    bool wait(int timeoutMs);

private:
    QEventLoop m_loop;
    bool m_done = false;
};
