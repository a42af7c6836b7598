#pragma once

#include "browser/splitview/kfsplitview.h"
#include "browser/splitview/kfsplitviewdelegate.h"

#include <QPointer>

class GroupNavSplitView;

// The group list (subview 0) above the portrait pane (subview 1) inside the browser's group pane.
// Only the portrait pane collapses; its height follows the group pane's width, so that the
// portrait stays square.
class BrowserImageSplitView : public KFSplitView, public KFSplitViewDelegate
{
    Q_OBJECT

public:
    explicit BrowserImageSplitView(QWidget *parent = nullptr);

    double dividerThickness() const override { return 3.0; }

    QWidget *topSubview() const { return m_topSubview; }
    QWidget *bottomSubview() const { return m_bottomSubview; }
    // Not owned; the split view whose group pane's width this pane's height follows.
    void setGroupNavSplitView(GroupNavSplitView *splitView);

    // The group pane's width; 0 without the group split view.
    float linkedHeight() const;
    // The portrait pane is open: not 0 points high (nor collapsed by a drag).
    bool imageIsVisible() const;
    float bottomHeight() const;
    // While the portrait pane is open: its height, at most 200 points.
    void setBottomHeight(float height);
    // Opens the closed portrait pane at the linked height, or closes the open one.
    void toggle();

    bool splitViewCanCollapseSubview(KFSplitView *, QWidget *subview) override;
    std::optional<double> splitViewConstrainMinCoordinate(KFSplitView *, double, int) override;
    std::optional<double> splitViewConstrainMaxCoordinate(KFSplitView *, double proposed,
                                                          int) override;
    bool splitViewDidDoubleClickInDivider(KFSplitView *, int divider) override;
    bool splitViewResizeSubviewsWithOldSize(KFSplitView *, QSize oldSize) override;

private:
    void setBottomFrameHeight(double height);

    QWidget *m_topSubview;
    QWidget *m_bottomSubview;
    QPointer<GroupNavSplitView> m_groupNavSplitView;
};
