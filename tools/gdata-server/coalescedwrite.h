// One write that many changes ask for: the first request arms a short timer and every change made
// before it fires goes out in that one write. Rewriting a full account's state at every request
// cost more than the request itself; a change waits at most the delay, and flush() writes what is
// pending at once, so an orderly exit loses nothing.
#pragma once

#include <QTimer>

#include <functional>

class CoalescedWrite
{
public:
    CoalescedWrite(int delayMs, std::function<bool()> write);
    CoalescedWrite(const CoalescedWrite &) = delete;
    CoalescedWrite &operator=(const CoalescedWrite &) = delete;

    void request();
    bool isPending() const { return m_timer.isActive(); }
    // Writes now when a write is pending; true when nothing was pending or the write succeeded.
    bool flush();

private:
    std::function<bool()> m_write;
    QTimer m_timer;
};
