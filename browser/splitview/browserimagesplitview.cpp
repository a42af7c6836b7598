#include "browser/splitview/browserimagesplitview.h"

#include "browser/splitview/groupnavsplitview.h"

#include <algorithm>

BrowserImageSplitView::BrowserImageSplitView(QWidget *parent)
    : KFSplitView(parent)
    , m_topSubview(addEmptySubview())
    , m_bottomSubview(addEmptySubview())
{
    setVertical(false);
    setDelegate(this);
}

void BrowserImageSplitView::setGroupNavSplitView(GroupNavSplitView *splitView)
{
    m_groupNavSplitView = splitView;
}

float BrowserImageSplitView::linkedHeight() const
{
    return m_groupNavSplitView ? m_groupNavSplitView->leftWidth() : 0;
}

bool BrowserImageSplitView::imageIsVisible() const
{
    return !isSubviewCollapsed(m_bottomSubview) && bottomHeight() != 0;
}

float BrowserImageSplitView::bottomHeight() const
{
    return float(subviewFrame(m_bottomSubview).height());
}

// The portrait pane gets the height, the group list the rest.
void BrowserImageSplitView::setBottomFrameHeight(double newHeight)
{
    QRectF top = subviewFrameAt(0);
    QRectF bottom = subviewFrameAt(1);
    bottom.setSize({double(width()), newHeight});
    top.setSize({double(width()), height() - (newHeight + dividerThickness())});
    setSubviewFrameAt(0, top);
    setSubviewFrameAt(1, bottom);
    adjustSubviews();
}

void BrowserImageSplitView::setBottomHeight(float newHeight)
{
    if (!imageIsVisible())
        return;
    setBottomFrameHeight(std::min(newHeight, GroupNavSplitView::kLeftWidthMax));
}

void BrowserImageSplitView::toggle()
{
    splitViewDidDoubleClickInDivider(this, 0);
}

bool BrowserImageSplitView::splitViewCanCollapseSubview(KFSplitView *, QWidget *subview)
{
    return subview == m_bottomSubview;
}

std::optional<double> BrowserImageSplitView::splitViewConstrainMinCoordinate(KFSplitView *, double,
                                                                             int)
{
    return height() - linkedHeight();
}

std::optional<double> BrowserImageSplitView::splitViewConstrainMaxCoordinate(KFSplitView *,
                                                                             double proposed, int)
{
    return std::min(proposed, double(linkedHeight()));
}

bool BrowserImageSplitView::splitViewDidDoubleClickInDivider(KFSplitView *, int divider)
{
    if (divider != 0)
        return true;
    // A pane that a drag collapsed opens like one closed to nothing.
    const bool open = imageIsVisible();
    setSubview(m_bottomSubview, false);
    setBottomFrameHeight(open ? 0 : linkedHeight());
    return true;
}

bool BrowserImageSplitView::splitViewResizeSubviewsWithOldSize(KFSplitView *, QSize oldSize)
{
    if (size() == oldSize)
        return true;
    QRectF top = subviewFrameAt(0);
    QRectF bottom = subviewFrameAt(1);
    bottom.setWidth(width());
    top.setSize({double(width()), height() - bottom.height() - dividerThickness()});
    setSubviewFrameAt(0, top);
    setSubviewFrameAt(1, bottom);
    adjustSubviews();
    return true;
}
