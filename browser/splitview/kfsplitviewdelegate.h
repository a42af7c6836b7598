#pragma once

#include <QSize>

#include <optional>

class KFSplitView;
class QWidget;

// What a split view asks of its delegate about layout and dragging. Every answer is optional: a
// delegate without a rule of its own keeps the default (false or nothing), and the split view goes
// its own way. The split view's notices of resizes, collapses and expansions are its signals.
class KFSplitViewDelegate
{
public:
    virtual ~KFSplitViewDelegate() = default;

    // Lays the subviews out after a resize, in place of the split view's own proportional layout;
    // true when it did.
    virtual bool splitViewResizeSubviewsWithOldSize(KFSplitView *, QSize) { return false; }
    // Handles a double click on a divider; true when it did, and then no drag follows.
    virtual bool splitViewDidDoubleClickInDivider(KFSplitView *, int) { return false; }
    // The range a dragged divider may move in, asked once when the drag starts.
    virtual std::optional<double> splitViewConstrainMinCoordinate(KFSplitView *, double, int)
    {
        return std::nullopt;
    }
    virtual std::optional<double> splitViewConstrainMaxCoordinate(KFSplitView *, double, int)
    {
        return std::nullopt;
    }
    // Whether a subview next to a dragged divider may collapse, asked once when the drag starts.
    virtual bool splitViewCanCollapseSubview(KFSplitView *, QWidget *) { return false; }
    // The divider position for a proposed one, at every mouse position of a drag.
    virtual std::optional<double> splitViewConstrainSplitPosition(KFSplitView *, double, int)
    {
        return std::nullopt;
    }
    virtual void splitViewDidFinishDragInDivider(KFSplitView *, int) {}
};
