#include "browser/splitview/groupnavsplitview.h"

#include "browser/splitview/browserimagesplitview.h"

#include <algorithm>

GroupNavSplitView::GroupNavSplitView(QWidget *parent)
    : KFSplitView(parent)
    , m_leftSubview(addEmptySubview())
    , m_rightSubview(addEmptySubview())
{
    setVertical(true);
    setDelegate(this);
}

void GroupNavSplitView::setBrowserImageSplitView(BrowserImageSplitView *splitView)
{
    m_browserImageSplitView = splitView;
}

float GroupNavSplitView::leftWidth() const
{
    return float(subviewFrame(m_leftSubview).width());
}

bool GroupNavSplitView::isLeftSubViewCollapsed() const
{
    return isSubviewCollapsed(m_leftSubview) || leftWidth() == 0;
}

// The group pane gets the width, the other pane the rest, and the proportional layout takes
// them as they are.
void GroupNavSplitView::setWidths(double leftWidth)
{
    QRectF left = subviewFrameAt(0);
    QRectF right = subviewFrameAt(1);
    left.setSize({leftWidth, double(height())});
    right.setSize({width() - (dividerThickness() + leftWidth), double(height())});
    setSubviewFrameAt(0, left);
    setSubviewFrameAt(1, right);
    adjustSubviews();
}

void GroupNavSplitView::setLeftWidth(float width)
{
    width = std::clamp(width, 0.f, kLeftWidthMax);
    if (leftWidth() == width)
        return;
    QRectF left = subviewFrameAt(0);
    QRectF right = subviewFrameAt(1);
    left.setWidth(width);
    right.setWidth(this->width() - (dividerThickness() + width));
    setSubviewFrameAt(0, left);
    setSubviewFrameAt(1, right);
    adjustSubviews();
    if (m_browserImageSplitView && m_browserImageSplitView->imageIsVisible())
        m_browserImageSplitView->setBottomHeight(width);
}

void GroupNavSplitView::toggle()
{
    splitViewDidDoubleClickInDivider(this, 0);
}

bool GroupNavSplitView::splitViewCanCollapseSubview(KFSplitView *, QWidget *subview)
{
    return subview == m_leftSubview;
}

std::optional<double> GroupNavSplitView::splitViewConstrainMinCoordinate(KFSplitView *,
                                                                         double proposed, int)
{
    return proposed;
}

std::optional<double> GroupNavSplitView::splitViewConstrainMaxCoordinate(KFSplitView *, double, int)
{
    return kLeftWidthMax;
}

bool GroupNavSplitView::splitViewDidDoubleClickInDivider(KFSplitView *, int divider)
{
    if (divider != 0)
        return true;
    // A pane that a drag collapsed opens like one closed to nothing.
    const bool open = !isLeftSubViewCollapsed();
    setSubview(m_leftSubview, false);
    const double newWidth = open ? 0 : kLeftWidthMax;
    setWidths(newWidth);
    if (m_browserImageSplitView)
        m_browserImageSplitView->setBottomHeight(float(newWidth));
    return true;
}

bool GroupNavSplitView::splitViewResizeSubviewsWithOldSize(KFSplitView *, QSize oldSize)
{
    if (size() == oldSize)
        return true;
    QRectF left = subviewFrameAt(0);
    QRectF right = subviewFrameAt(1);
    left.setHeight(height());
    right.setSize({width() - left.width() - dividerThickness(), double(height())});
    setSubviewFrameAt(0, left);
    setSubviewFrameAt(1, right);
    adjustSubviews();
    return true;
}
