#pragma once

#include "browser/splitview/kfsplitview.h"
#include "browser/splitview/kfsplitviewdelegate.h"
#include "foundation/views/groupnavsplitviewinterface.h"

#include <QPointer>

class BrowserImageSplitView;

// The browser's group pane (subview 0, at most 200 points wide) beside the rest of the window
// (subview 1). Only the group pane collapses. The group pane's width is the height of the
// portrait pane below the group list, which stays square. The resize grip finds this split view
// three widget levels above itself: it sits in a widget that is a child of the group pane.
class GroupNavSplitView : public KFSplitView,
                          public KFSplitViewDelegate,
                          public GroupNavSplitViewInterface
{
    Q_OBJECT

public:
    static constexpr float kLeftWidthMax = 200;

    explicit GroupNavSplitView(QWidget *parent = nullptr);

    double dividerThickness() const override { return 0.1; }

    QWidget *leftSubView() const override { return m_leftSubview; }
    QWidget *rightSubView() const { return m_rightSubview; }
    // Not owned; the pane whose height follows the group pane's width.
    void setBrowserImageSplitView(BrowserImageSplitView *splitView);

    float leftWidth() const;
    // The group pane is closed: 0 points wide (or collapsed by a drag).
    bool isLeftSubViewCollapsed() const;
    void setLeftWidth(float width) override;
    // Opens the closed group pane at 200 points, or closes the open one.
    void toggle();

    bool splitViewCanCollapseSubview(KFSplitView *, QWidget *subview) override;
    std::optional<double> splitViewConstrainMinCoordinate(KFSplitView *, double proposed,
                                                          int) override;
    std::optional<double> splitViewConstrainMaxCoordinate(KFSplitView *, double, int) override;
    bool splitViewDidDoubleClickInDivider(KFSplitView *, int divider) override;
    bool splitViewResizeSubviewsWithOldSize(KFSplitView *, QSize oldSize) override;

private:
    void setWidths(double leftWidth);

    QWidget *m_leftSubview;
    QWidget *m_rightSubview;
    QPointer<BrowserImageSplitView> m_browserImageSplitView;
};
