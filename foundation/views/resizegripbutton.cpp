#include "foundation/views/resizegripbutton.h"

#include "foundation/views/groupnavsplitviewinterface.h"

#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int kGripWidth = 17;
constexpr int kGripHeight = 25;
constexpr int kMinimumPaneWidth = 92;

} // namespace

ResizeGripButton::ResizeGripButton(QWidget *parent)
    : QPushButton(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

QRect ResizeGripButton::gripArea() const
{
    return {width() - kGripWidth, height() - kGripHeight, kGripWidth, kGripHeight};
}

GroupNavSplitViewInterface *ResizeGripButton::managingSplitView()
{
    if (!m_splitWidget) {
        QWidget *up = parentWidget();
        for (int level = 1; up && level < 3; ++level)
            up = up->parentWidget();
        m_splitWidget = up;
    }
    return dynamic_cast<GroupNavSplitViewInterface *>(m_splitWidget.data());
}

void ResizeGripButton::mousePressEvent(QMouseEvent *event)
{
    GroupNavSplitViewInterface *split = managingSplitView();
    if (event->button() != Qt::LeftButton || !split || !split->leftSubView() ||
        !gripArea().contains(event->position().toPoint())) {
        QPushButton::mousePressEvent(event);
        return;
    }
    // The button may move with the pane, so the drag is measured on the screen.
    m_dragging = true;
    m_startX = event->globalPosition().x();
    m_startWidth = split->leftSubView()->width();
    event->accept();
}

void ResizeGripButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        setCursor(gripArea().contains(event->position().toPoint()) ? Qt::SizeHorCursor
                                                                   : Qt::ArrowCursor);
        QPushButton::mouseMoveEvent(event);
        return;
    }
    if (GroupNavSplitViewInterface *split = managingSplitView()) {
        const double width = m_startWidth + (event->globalPosition().x() - m_startX);
        split->setLeftWidth(float(std::max<double>(width, kMinimumPaneWidth)));
    }
    event->accept();
}

void ResizeGripButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        QPushButton::mouseReleaseEvent(event);
        return;
    }
    // The end of a drag is no click.
    m_dragging = false;
    event->accept();
}
