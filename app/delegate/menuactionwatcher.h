#pragma once

#include <QObject>

#include <functional>

// Calls its callback just before a menu item or a menu shortcut sends its action: when a click
// or the Return key reaches an open menu or the menu bar, and when a shortcut reaches its action.
// Installed on the application, it sees those events before their receivers do.
class MenuActionWatcher : public QObject
{
    Q_OBJECT

public:
    explicit MenuActionWatcher(std::function<void()> willSendAction, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_willSendAction;
};
