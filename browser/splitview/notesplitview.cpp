#include "browser/splitview/notesplitview.h"

#include "foundation/log.h"
#include "foundation/views/imagetext.h"

#include <QPainter>

// Outside any namespace, as the resource system asks.
static void initImages()
{
    Q_INIT_RESOURCE(splitviewimages);
}

NoteSplitView::NoteSplitView(QWidget *parent)
    : KFSplitView(parent)
    , m_topSubview(addEmptySubview())
    , m_bottomSubview(addEmptySubview())
{
    initImages();
    m_splitbar = imagetext::imageNamed(QStringLiteral("NoteSplitViewBar"));
    m_dimple = imagetext::imageNamed(QStringLiteral("NoteSplitViewDimple"));
    setVertical(false);
    setDelegate(this);
}

bool NoteSplitView::noteIsVisible() const
{
    return !isSubviewCollapsed(m_bottomSubview) && subviewFrame(m_bottomSubview).height() != 0;
}

void NoteSplitView::toggle()
{
    splitViewDidDoubleClickInDivider(this, 0);
}

bool NoteSplitView::splitViewCanCollapseSubview(KFSplitView *, QWidget *subview)
{
    return subview == m_bottomSubview;
}

std::optional<double> NoteSplitView::splitViewConstrainMinCoordinate(KFSplitView *, double, int)
{
    return 0.125 * height();
}

std::optional<double> NoteSplitView::splitViewConstrainMaxCoordinate(KFSplitView *, double proposed,
                                                                     int)
{
    return proposed;
}

bool NoteSplitView::splitViewDidDoubleClickInDivider(KFSplitView *, int divider)
{
    if (divider != 0)
        return true;
    double newHeight = 0;
    // A pane that a drag collapsed opens like one closed to nothing.
    if (!noteIsVisible()) {
        tlog::message(QStringLiteral("NoteSplitView"),
                      QStringLiteral("splitView:didDoubleClickInDivider:"),
                      QStringLiteral("Bottom is currently collapsed"));
        newHeight = 0.4 * subviewFrameAt(0).height();
    }
    setSubview(m_bottomSubview, false);
    QRectF top = subviewFrameAt(0);
    QRectF bottom = subviewFrameAt(1);
    bottom.setSize({double(width()), newHeight});
    top.setSize({double(width()), height() - (newHeight + dividerThickness())});
    setSubviewFrameAt(0, top);
    setSubviewFrameAt(1, bottom);
    adjustSubviews();
    return true;
}

bool NoteSplitView::splitViewResizeSubviewsWithOldSize(KFSplitView *, QSize oldSize)
{
    const double oldSpace = oldSize.height() - dividerThickness();
    // Without space before (at the first show, or when no higher than the divider) there are
    // no proportions to keep: the layout alone shares the space out.
    for (int i = 0; oldSpace > 0 && i < subviewCount(); ++i) {
        const QRectF frame = subviewFrameAt(i);
        setSubviewFrameAt(
            i, QRectF(frame.topLeft(), QSizeF(width(), height() * frame.height() / oldSpace)));
    }
    adjustSubviews();
    return true;
}

void NoteSplitView::drawDividerInRect(QPainter &painter, const QRectF &rect)
{
    painter.drawImage(rect, m_splitbar);
    const QSizeF dimple = m_dimple.size();
    painter.drawImage(QPointF(rect.x() + (rect.width() - dimple.width()) / 2,
                              rect.y() + (rect.height() - dimple.height()) / 2),
                      m_dimple);
}
