#include "tools/gdata-server/coalescedwrite.h"

CoalescedWrite::CoalescedWrite(int delayMs, std::function<bool()> write)
    : m_write(std::move(write))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    m_timer.callOnTimeout([this] { m_write(); });
}

void CoalescedWrite::request()
{
    // Not restarted by later changes: under a steady stream of changes the file still follows
    // within the delay.
    if (!m_timer.isActive())
        m_timer.start();
}

bool CoalescedWrite::flush()
{
    if (!m_timer.isActive())
        return true;
    m_timer.stop();
    return m_write();
}
