#include "google/engine/runloopwait.h"

#include <QEventLoop>
#include <QTimer>

RunLoopWait::RunLoopWait(QString description)
    : m_description(std::move(description))
{}

void RunLoopWait::arm(double seconds)
{
    m_flag = true;
    m_giveUpDate = QDateTime::currentDateTimeUtc().addMSecs(qint64(seconds * 1000.0));
}

bool RunLoopWait::wait()
{
    while (m_flag) {
        if (QDateTime::currentDateTimeUtc().msecsTo(m_giveUpDate) <= 0)
            return false;
        // One slice: the loop sleeps until an event arrives or the slice ends, so waiting does
        // not keep a core busy.
        QEventLoop slice;
        QTimer::singleShot(kSliceMs, &slice, &QEventLoop::quit);
        slice.exec();
    }
    return true;
}
