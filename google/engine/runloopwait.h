#pragma once

#include <QDateTime>
#include <QDeadlineTimer>
#include <QString>

// One wait for a request's answer on the main thread: armed with an interval before the request
// is sent, cleared by the request's callback, and waited on by spinning the event loop in short
// slices, so other callbacks, timers and user events run meanwhile. Callbacks clear the flag
// whether or not anybody waits.
class RunLoopWait
{
public:
    // The slice of one spin.
    static constexpr int kSliceMs = 2;

    // The description names the wait in the line written when it gives up.
    explicit RunLoopWait(QString description);

    const QString &description() const { return m_description; }

    // Raises the flag and sets the give-up date to now plus the interval; arming an armed wait
    // only moves its give-up date.
    void arm(double seconds);
    void clear() { m_flag = false; }
    bool isArmed() const { return m_flag; }
    const QDateTime &giveUpDate() const { return m_giveUpDate; }

    // Returns when the flag is cleared (true) or the give-up date has passed (false). A wait that
    // was never armed, or whose flag was cleared already, returns true at once.
    bool wait();

private:
    QString m_description;
    bool m_flag = false;
    QDateTime m_giveUpDate;    // for the log
    QDeadlineTimer m_deadline; // for the wait: the wall clock may step, this clock does not
};
