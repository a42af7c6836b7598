#pragma once

#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttoolmocdelegate.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googletoolhostdelegate.h"

#include <QStringList>

// Delegates that write down every message they get, one line each ("name" or "name:argument"),
// into one shared journal so the order across delegates shows.
class RecordingUIDelegate : public GoogleContactToolUIDelegate
{
public:
    explicit RecordingUIDelegate(QStringList &journal)
        : m_journal(journal)
    {}
    // Offers a step that writes "step:<name>@ui" when performed.
    void offer(const QString &name);

    void openUserInfoWithMessage(const QString &message, int progressMax) override;
    void updateUserInfoWithMessage(const QString &message) override;
    void closeUserInfo() override;
    void setStatusMessage(const QString &message) override;
    void setProgressMessage(const QString &message) override;
    void setProgressMaxValue(double value) override;
    void setProgressCurValue(double value) override;
    void refreshView() override;
    void openLoginPanel(GoogleContactTool *tool) override;
    void setGoogleDataMask() override;
    void showWindow() override;
    QWidget *window() override;
    void cleanupGUIforProcess(const QString &process, const QString &subtitle,
                              const std::optional<GDataError> &error) override;
    void setLastAction(const QString &action) override;
    void setContactArray(const QList<QVariantMap> &browserRows) override;
    void contactBrowserRowReplaced(const QString &gID) override;
    void setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups) override;
    void determineGoogleGroupCounts() override;
    void openBrowserView(GoogleContactTool *tool) override;
    void openDataMover(GoogleContactTool *tool) override;

    std::optional<GDataError> lastError;

private:
    QStringList &m_journal;
};

class RecordingDataDelegate : public GoogleContactToolDataDelegate
{
public:
    RecordingDataDelegate(QStringList &journal, bool offersRefresh = false)
        : m_journal(journal)
        , m_offersRefresh(offersRefresh)
    {}
    void offer(const QString &name);

    void loadPending() override { m_journal << QStringLiteral("data:loadPending"); }
    void refreshContactData() override { m_journal << QStringLiteral("data:refreshContactData"); }
    void refreshGroupData() override { m_journal << QStringLiteral("data:refreshGroupData"); }
    bool offersRefreshView() const override { return m_offersRefresh; }
    void refreshView() override { m_journal << QStringLiteral("data:refreshView"); }

private:
    QStringList &m_journal;
    bool m_offersRefresh;
};

class RecordingMocDelegate : public GoogleContactToolMocDelegate
{
public:
    RecordingMocDelegate(QStringList &journal, bool offersRefresh = false)
        : m_journal(journal)
        , m_offersRefresh(offersRefresh)
    {}
    void offer(const QString &name);

    void loadPending() override { m_journal << QStringLiteral("moc:loadPending"); }
    bool offersRefreshView() const override { return m_offersRefresh; }
    void refreshView() override { m_journal << QStringLiteral("moc:refreshView"); }

private:
    QStringList &m_journal;
    bool m_offersRefresh;
};

class RecordingHostDelegate : public GoogleToolHostDelegate
{
public:
    explicit RecordingHostDelegate(QStringList &journal)
        : m_journal(journal)
    {}
    void offer(const QString &name);
    std::optional<QString> tmpFolderPath() override { return QStringLiteral("/host/tmp"); }

private:
    QStringList &m_journal;
};

// An engine that offers steps of its own, as the completion chain's steps are; a step writes
// "step:<name>@engine(<number of contacts held>)".
class OfferingEngine : public GoogleContactTool
{
public:
    OfferingEngine(Role role, QStringList &journal)
        : GoogleContactTool(role)
        , m_journal(journal)
    {}
    void offer(const QString &name);

private:
    QStringList &m_journal;
};
