#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;

// Follows Agent Tolvane as it starts where the desktop has no tray, and writes a PNG of each of
// its windows into a folder: the small window that stands for the tray item (once the login has
// ended, so its last-action line holds what the agent last did), its menu, the configuration
// panel and each tab of the quick-entry panel. Then it quits the agent.
class AgentCaptures : public QObject
{
public:
    explicit AgentCaptures(const QString &folder, QObject *parent = nullptr);

    // The pictures that were not written, by file name; empty once each was.
    QStringList missing() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void waitForLogin(int triesLeft);
    void captureAll();
    bool capture(QWidget *window, const QString &name);

    QString m_folder;
    QSet<QString> m_written;
    bool m_started = false;
};
