#pragma once

class QWidget;

// What the grip button asks of the contact browser's split view between the group pane (left)
// and the rest of the browser; the browser's split view implements it.
class GroupNavSplitViewInterface
{
public:
    virtual ~GroupNavSplitViewInterface() = default;

    // The group pane, whose width is the pane's current width.
    virtual QWidget *leftSubView() const = 0;
    // Sets the group pane's width, kept between 0 and 200 points.
    virtual void setLeftWidth(float width) = 0;
};
