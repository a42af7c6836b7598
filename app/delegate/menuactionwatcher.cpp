#include "app/delegate/menuactionwatcher.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

MenuActionWatcher::MenuActionWatcher(std::function<void()> willSendAction, QObject *parent)
    : QObject(parent)
    , m_willSendAction(std::move(willSendAction))
{}

bool MenuActionWatcher::eventFilter(QObject *watched, QEvent *event)
{
    bool sendsAction = false;
    switch (event->type()) {
    case QEvent::Shortcut:
        sendsAction = qobject_cast<QAction *>(watched) != nullptr;
        break;
    case QEvent::MouseButtonRelease:
        sendsAction = qobject_cast<QMenu *>(watched) || qobject_cast<QMenuBar *>(watched);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        sendsAction =
            qobject_cast<QMenu *>(watched) && (key == Qt::Key_Return || key == Qt::Key_Enter);
        break;
    }
    default:
        break;
    }
    if (sendsAction)
        m_willSendAction();
    return false;
}
