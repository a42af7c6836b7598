#pragma once

#include <QPointer>
#include <QPushButton>

class GroupNavSplitViewInterface;

// A button whose rightmost 17 x 25 points at its bottom are a grip: dragging them resizes the
// contact browser's group pane; a click elsewhere is an ordinary click. The split view is the
// widget three levels above the button.
class ResizeGripButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ResizeGripButton(QWidget *parent = nullptr);

    QRect gripArea() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    GroupNavSplitViewInterface *managingSplitView();

    QPointer<QWidget> m_splitWidget;
    bool m_dragging = false;
    double m_startX = 0;
    int m_startWidth = 0;
};
