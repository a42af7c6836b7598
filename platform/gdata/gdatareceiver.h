// The receiver of a request's callbacks: once the delegate that was given has gone, no callback
// runs. A request given no delegate always calls back.
#pragma once

#include <QObject>
#include <QPointer>

class GDataReceiver
{
public:
    explicit GDataReceiver(QObject *delegate)
        : m_delegate(delegate)
        , m_hadDelegate(delegate != nullptr)
    {}
    bool alive() const { return !m_hadDelegate || m_delegate; }

private:
    QPointer<QObject> m_delegate;
    bool m_hadDelegate;
};
