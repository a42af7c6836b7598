#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Mouse events sent straight to a widget, as the window system would deliver them.
namespace splitviewtest {

inline void send(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
                 Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void press(QWidget *widget, QPointF at)
{
    send(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

inline void doubleClick(QWidget *widget, QPointF at)
{
    send(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
}

inline void drag(QWidget *widget, QPointF to)
{
    send(widget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
}

inline void release(QWidget *widget, QPointF at)
{
    send(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// A divider dragged from a point on it to a point on the major axis, and let go there.
inline void dragDivider(QWidget *widget, QPointF from, QPointF to)
{
    press(widget, from);
    drag(widget, to);
    release(widget, to);
}

} // namespace splitviewtest
