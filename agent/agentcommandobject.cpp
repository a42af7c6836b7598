#include "agent/agentcommandobject.h"

#include "agent/configurationpanel.h"
#include "agent/statusappdelegate.h"
#include "platform/scripting/agentcommands.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <utility>

AgentCommandObject::AgentCommandObject(QObject *parent) : QObject(parent) {}

AgentCommandObject::~AgentCommandObject()
{
    if (m_registered)
        QDBusConnection::sessionBus().unregisterObject(agentcommands::kPath);
}

bool AgentCommandObject::registerOnBus()
{
    m_registered = QDBusConnection::sessionBus().registerObject(
        agentcommands::kPath, this, QDBusConnection::ExportScriptableSlots);
    return m_registered;
}

bool AgentCommandObject::isTrueWord(const QVariant &flag)
{
    // A boolean counts as its text.
    const QString word = flag.typeId() == QMetaType::Bool
                             ? (flag.toBool() ? QStringLiteral("true") : QStringLiteral("false"))
                             : flag.typeId() == QMetaType::QString ? flag.toString() : QString();
    static const QStringList kTrueWords = {QStringLiteral("true"), QStringLiteral("yes"),
                                           QStringLiteral("on"), QStringLiteral("1")};
    return kTrueWords.contains(word.toLower());
}

void AgentCommandObject::refuse(const QString &why)
{
    if (calledFromDBus())
        sendErrorReply(agentcommands::kScriptError, why);
}

void AgentCommandObject::setDelegate(StatusAppDelegate *delegate)
{
    m_delegate = delegate;
    if (!delegate)
        return;
    const auto waiting = std::exchange(m_waitingHandOvers, {});
    for (const auto &[call, path] : waiting)
        answerCardzap(call, path);
}

void AgentCommandObject::answerCardzap(const QDBusMessage &call, const QString &path)
{
    QString why;
    const bool opened = m_delegate->cardzapFromFile(path, &why);
    QDBusConnection::sessionBus().send(opened ? call.createReply()
                                              : call.createErrorReply(agentcommands::kScriptError, why));
}

void AgentCommandObject::Cardzap(const QDBusVariant &fileName)
{
    const QVariant value = fileName.variant();
    if (value.typeId() != QMetaType::QString) {
        refuse(QStringLiteral("Cardzap takes the path of a hand-over file."));
        return;
    }
    if (!calledFromDBus())
        return;
    // The reply goes out once the panel is filled and shown.
    setDelayedReply(true);
    if (m_delegate)
        answerCardzap(message(), value.toString());
    else
        m_waitingHandOvers << qMakePair(message(), value.toString());
}

void AgentCommandObject::SetListener(const QDBusVariant &flag)
{
    if (m_delegate)
        m_delegate->setABNotifications(isTrueWord(flag.variant()));
}

void AgentCommandObject::SetListener()
{
    if (m_delegate)
        m_delegate->setABNotifications(false);
}

bool AgentCommandObject::IsListening()
{
    return m_delegate && m_delegate->isListening();
}
