#include "tests/support/google/enginedoubles.h"

void RecordingUIDelegate::offer(const QString &name)
{
    registerSelector(name, [this, name] { m_journal << QStringLiteral("step:%1@ui").arg(name); });
}

void RecordingUIDelegate::openUserInfoWithMessage(const QString &message, int progressMax)
{
    m_journal << QStringLiteral("openUserInfo:%1/%2").arg(message).arg(progressMax);
}

void RecordingUIDelegate::updateUserInfoWithMessage(const QString &message)
{
    m_journal << QStringLiteral("updateUserInfo:") + message;
}

void RecordingUIDelegate::closeUserInfo()
{
    m_journal << QStringLiteral("closeUserInfo");
}

void RecordingUIDelegate::setStatusMessage(const QString &message)
{
    m_journal << QStringLiteral("status:") + message;
}

void RecordingUIDelegate::setProgressMessage(const QString &message)
{
    m_journal << QStringLiteral("progress:") + message;
}

void RecordingUIDelegate::setProgressMaxValue(double value)
{
    m_journal << QStringLiteral("progressMax:%1").arg(value);
}

void RecordingUIDelegate::setProgressCurValue(double value)
{
    m_journal << QStringLiteral("progressCur:%1").arg(value);
}

void RecordingUIDelegate::refreshView()
{
    m_journal << QStringLiteral("refreshView");
}

void RecordingUIDelegate::openLoginPanel(GoogleContactTool *)
{
    m_journal << QStringLiteral("openLoginPanel");
}

void RecordingUIDelegate::setGoogleDataMask()
{
    m_journal << QStringLiteral("setGoogleDataMask");
}

void RecordingUIDelegate::showWindow()
{
    m_journal << QStringLiteral("showWindow");
}

QWidget *RecordingUIDelegate::window()
{
    return nullptr;
}

void RecordingUIDelegate::cleanupGUIforProcess(const QString &process, const QString &subtitle,
                                               const std::optional<GDataError> &error)
{
    lastError = error;
    m_journal << QStringLiteral("cleanup:%1/%2/%3")
                     .arg(process, subtitle, error ? QString::number(error->code) : QString());
}

void RecordingUIDelegate::setLastAction(const QString &action)
{
    m_journal << QStringLiteral("lastAction:") + action;
}

void RecordingUIDelegate::setContactArray(const QList<QVariantMap> &browserRows)
{
    m_journal << QStringLiteral("setContactArray:%1").arg(browserRows.size());
}

void RecordingUIDelegate::contactBrowserRowReplaced(const QString &gID)
{
    m_journal << QStringLiteral("contactBrowserRowReplaced:") + gID;
}

void RecordingUIDelegate::setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups)
{
    m_journal << QStringLiteral("setGroupArray:%1").arg(groups.size());
}

void RecordingUIDelegate::determineGoogleGroupCounts()
{
    m_journal << QStringLiteral("determineGoogleGroupCounts");
}

void RecordingUIDelegate::openBrowserView(GoogleContactTool *)
{
    m_journal << QStringLiteral("openBrowserView");
}

void RecordingUIDelegate::openDataMover(GoogleContactTool *)
{
    m_journal << QStringLiteral("openDataMover");
}

void RecordingDataDelegate::offer(const QString &name)
{
    registerSelector(name, [this, name] { m_journal << QStringLiteral("step:%1@data").arg(name); });
}

void RecordingMocDelegate::offer(const QString &name)
{
    registerSelector(name, [this, name] { m_journal << QStringLiteral("step:%1@moc").arg(name); });
}

void RecordingHostDelegate::offer(const QString &name)
{
    registerSelector(name, [this, name] { m_journal << QStringLiteral("step:%1@host").arg(name); });
}

void OfferingEngine::offer(const QString &name)
{
    registerSelector(name, [this, name] {
        m_journal << QStringLiteral("step:%1@engine(%2)").arg(name).arg(lists().contactCount());
    });
}
