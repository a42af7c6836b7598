#include "bench/platform/gdata/completion.h"

#include <QTimer>

void Completion::done()
{
    m_done = true;
    m_loop.quit();
}

bool Completion::wait(int timeoutMs)
{
    if (!m_done) {
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &m_loop, &QEventLoop::quit);
        timeout.start(timeoutMs);
        m_loop.exec();
    }
    const bool finished = m_done;
    m_done = false;
    return finished;
}
