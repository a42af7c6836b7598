#pragma once

#include "browser/splitview/kfsplitview.h"
#include "browser/splitview/kfsplitviewdelegate.h"

#include <QImage>

// The contact area (subview 0) above the notes pane (subview 1). Only the notes pane collapses;
// the divider stays at least an eighth of the height below the top, and is drawn as a bar with a
// dimple in its middle.
class NoteSplitView : public KFSplitView, public KFSplitViewDelegate
{
    Q_OBJECT

public:
    explicit NoteSplitView(QWidget *parent = nullptr);

    double dividerThickness() const override { return 8.0; }

    QWidget *topSubview() const { return m_topSubview; }
    QWidget *bottomSubview() const { return m_bottomSubview; }

    // The notes pane is open: not 0 points high (nor collapsed by a drag).
    bool noteIsVisible() const;
    // Opens the closed notes pane at 40 % of the contact area's height, or closes the open one.
    void toggle();

    bool splitViewCanCollapseSubview(KFSplitView *, QWidget *subview) override;
    std::optional<double> splitViewConstrainMinCoordinate(KFSplitView *, double, int) override;
    std::optional<double> splitViewConstrainMaxCoordinate(KFSplitView *, double proposed,
                                                          int) override;
    bool splitViewDidDoubleClickInDivider(KFSplitView *, int divider) override;
    bool splitViewResizeSubviewsWithOldSize(KFSplitView *, QSize oldSize) override;

protected:
    void drawDividerInRect(QPainter &painter, const QRectF &rect) override;

private:
    QImage m_splitbar;
    QImage m_dimple;
    QWidget *m_topSubview;
    QWidget *m_bottomSubview;
};
