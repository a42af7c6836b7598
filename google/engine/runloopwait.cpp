#include "google/engine/runloopwait.h"

#include <QEventLoop>
#include <QTimer>

RunLoopWait::RunLoopWait(QString description)
    : m_description(std::move(description))
{}

void RunLoopWait::arm(double seconds)
{
    m_flag = true;
    const qint64 interval = qint64(seconds * 1000.0);
    m_deadline = QDeadlineTimer(interval, Qt::PreciseTimer);
    m_giveUpDate = QDateTime::currentDateTimeUtc().addMSecs(interval);
}

bool RunLoopWait::wait()
{
    while (m_flag) {
        if (m_deadline.hasExpired())
            return false;
        // One slice: the loop sleeps until an event arrives or the slice ends, so waiting does
        // not keep a core busy.
        QEventLoop slice;
        QTimer::singleShot(kSliceMs, &slice, &QEventLoop::quit);
        slice.exec();
    }
    return true;
}
