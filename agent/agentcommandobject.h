#pragma once

#include <QDBusContext>
#include <QDBusMessage>
#include <QList>
#include <QDBusVariant>
#include <QObject>

class StatusAppDelegate;

// The agent's commands on the session bus (interface and names in agentcommands.h). The object
// is registered before the agent takes its bus name, so a caller that waits for the name finds
// every method; until the delegate is set the commands answer the error.
class AgentCommandObject : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zel_tor.agentTolvane")

public:
    explicit AgentCommandObject(QObject *parent = nullptr);
    ~AgentCommandObject() override;

    // Registers the object on the session bus at the agent's path; false when that failed.
    bool registerOnBus();
    // Hand-overs that came while the agent was starting are answered once it is ready.
    void setDelegate(StatusAppDelegate *delegate);

    // The words that switch listening on, any case; everything else switches it off.
    static bool isTrueWord(const QVariant &flag);

public slots:
    Q_SCRIPTABLE void Cardzap(const QDBusVariant &fileName);
    Q_SCRIPTABLE void SetListener(const QDBusVariant &flag);
    Q_SCRIPTABLE void SetListener();
    Q_SCRIPTABLE bool IsListening();

private:
    void refuse(const QString &why);
    void answerCardzap(const QDBusMessage &call, const QString &path);

    StatusAppDelegate *m_delegate = nullptr;
    bool m_registered = false;
    QList<QPair<QDBusMessage, QString>> m_waitingHandOvers;
};
