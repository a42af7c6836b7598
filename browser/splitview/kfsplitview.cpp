#include "browser/splitview/kfsplitview.h"

#include "browser/splitview/kfsplitviewdelegate.h"
#include "browser/splitview/splitposition.h"
#include "platform/defaults/userdefaults.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QStyle>
#include <QStyleOption>

#include <cmath>

namespace {

const QString kPositionKeyPrefix = QStringLiteral("KFSplitView Position ");

// Where a collapsed subview's frame is kept.
constexpr double kOffScreen = 1000000;
// A first drag step always lays out, whatever the divider's position.
constexpr double kNoPosition = 1000000;

// The names in use by all split views of the process; a name belongs to one split view at a time.
QSet<QString> &namesInUse()
{
    static QSet<QString> names;
    return names;
}

// Edges on the nearest pixels, so that neighbours meet without gap or overlap.
QRect pixelRect(const QRectF &frame)
{
    if (!std::isfinite(frame.left()) || !std::isfinite(frame.top()) ||
        !std::isfinite(frame.right()) || !std::isfinite(frame.bottom()))
        return {};
    const int left = int(std::lround(frame.left()));
    const int top = int(std::lround(frame.top()));
    return QRect(QPoint(left, top), QSize(int(std::lround(frame.right())) - left,
                                          int(std::lround(frame.bottom())) - top));
}

} // namespace

KFSplitView::KFSplitView(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

KFSplitView::~KFSplitView()
{
    setDelegate(nullptr);
    setPositionAutosaveName(QString());
}

void KFSplitView::removePositionUsingName(const QString &name)
{
    UserDefaults::standard().removeObjectForKey(kfDefaultsKeyForName(name));
}

QString KFSplitView::kfDefaultsKeyForName(const QString &name)
{
    return kPositionKeyPrefix + name;
}

void KFSplitView::addSubview(QWidget *subview)
{
    if (!subview || indexOf(subview) >= 0)
        return;
    if (subview->parentWidget() != this) {
        subview->setParent(this);
        subview->show();
    }
    m_subviews.push_back({subview, QRectF(subview->geometry())});
    kfRecalculateDividerRects();
}

QWidget *KFSplitView::addEmptySubview()
{
    auto *const pane = new QWidget(this);
    pane->setGeometry(0, 0, 0, 0);
    addSubview(pane);
    return pane;
}

QList<QWidget *> KFSplitView::subviews() const
{
    QList<QWidget *> widgets;
    for (const Subview &subview : m_subviews)
        widgets.append(subview.widget);
    return widgets;
}

void KFSplitView::setVertical(bool vertical)
{
    m_isVertical = vertical;
    update();
}

double KFSplitView::dividerThickness() const
{
    return style()->pixelMetric(QStyle::PM_SplitterWidth, nullptr, this);
}

void KFSplitView::setDelegate(KFSplitViewDelegate *delegate)
{
    m_delegate = delegate;
}

bool KFSplitView::isSubviewCollapsed(const QWidget *subview) const
{
    return m_kfCollapsedSubviews.contains(subview);
}

void KFSplitView::setSubview(QWidget *subview, bool isCollapsed)
{
    if (indexOf(subview) < 0 || isCollapsed == isSubviewCollapsed(subview))
        return;
    if (isCollapsed) {
        m_kfCollapsedSubviews.append(subview);
        emit didCollapseSubview(subview);
    } else {
        m_kfCollapsedSubviews.removeAll(subview);
        emit didExpandSubview(subview);
    }
}

QRectF KFSplitView::subviewFrame(const QWidget *subview) const
{
    const int index = indexOf(subview);
    return index < 0 ? QRectF() : m_subviews[size_t(index)].frame;
}

QRectF KFSplitView::subviewFrameAt(int index) const
{
    return m_subviews.at(size_t(index)).frame;
}

void KFSplitView::setSubviewFrameAt(int index, const QRectF &frame)
{
    Subview &subview = m_subviews.at(size_t(index));
    if (subview.hiddenWhileCollapsed && !isSubviewCollapsed(subview.widget)) {
        subview.hiddenWhileCollapsed = false;
        subview.widget->show();
    }
    if (subview.frame == frame)
        return;
    subview.frame = frame;
    subview.widget->setGeometry(pixelRect(frame));
    subview.widget->update();
}

splitlayout::SplitGeometry KFSplitView::geometryNow() const
{
    return {m_isVertical, QSizeF(size()), dividerThickness()};
}

std::vector<splitlayout::SubviewState> KFSplitView::states() const
{
    std::vector<splitlayout::SubviewState> states;
    states.reserve(m_subviews.size());
    for (const Subview &subview : m_subviews)
        states.push_back({subview.frame, isSubviewCollapsed(subview.widget)});
    return states;
}

int KFSplitView::indexOf(const QWidget *subview) const
{
    for (size_t i = 0; i < m_subviews.size(); ++i)
        if (m_subviews[i].widget == subview)
            return int(i);
    return -1;
}

void KFSplitView::resizeSubviewsWithOldSize(const QSize &oldSize)
{
    emit willResizeSubviews();
    if (!m_delegate || !m_delegate->splitViewResizeSubviewsWithOldSize(this, oldSize))
        adjustSubviews();
    kfRecalculateDividerRects();
    kfMoveCollapsedSubviewsOffScreen();
    emit didResizeSubviews();
}

void KFSplitView::adjustSubviews()
{
    kfLayoutSubviewsUsingThicknesses(splitlayout::adjustedThicknesses(states(), geometryNow()));
    // The pane toggles lay out without a resize of the split view: the dividers move with them,
    // so that each is drawn and grabbed where it now lies.
    kfRecalculateDividerRects();
}

void KFSplitView::kfLayoutSubviewsUsingThicknesses(const std::vector<qint64> &thicknesses)
{
    const std::vector<std::optional<QRectF>> frames =
        splitlayout::framesForThicknesses(states(), thicknesses, geometryNow());
    for (size_t i = 0; i < frames.size(); ++i) {
        if (!frames[i])
            continue;
        if (thicknesses[i] > 0)
            setSubview(m_subviews[i].widget, false);
        setSubviewFrameAt(int(i), *frames[i]);
    }
}

void KFSplitView::kfMoveCollapsedSubviewsOffScreen()
{
    for (size_t i = 0; i < m_subviews.size(); ++i)
        if (isSubviewCollapsed(m_subviews[i].widget))
            moveOffScreen(int(i));
}

void KFSplitView::moveOffScreen(int index)
{
    Subview &subview = m_subviews.at(size_t(index));
    subview.frame.moveTo(kOffScreen, kOffScreen);
    if (!subview.hiddenWhileCollapsed) {
        subview.hiddenWhileCollapsed = true;
        subview.widget->hide();
    }
}

void KFSplitView::kfRecalculateDividerRects()
{
    const std::vector<QRectF> rects = splitlayout::dividerRects(states(), geometryNow());
    for (size_t i = 0; i < rects.size(); ++i)
        kfPutDivider(int(i), splitlayout::start(rects[i], m_isVertical));
    m_dividerRects.resize(rects.size());
}

void KFSplitView::kfPutDivider(int divider, double coordinate)
{
    if (m_dividerRects.size() <= size_t(divider))
        m_dividerRects.resize(size_t(divider) + 1);
    const QRectF rect = splitlayout::dividerRectAt(coordinate, geometryNow());
    QRectF &stored = m_dividerRects[size_t(divider)];
    if (stored == rect)
        return;
    update(stored.toAlignedRect());
    stored = rect;
    update(rect.toAlignedRect());
    for (const size_t neighbour : {size_t(divider), size_t(divider) + 1})
        if (neighbour < m_subviews.size())
            m_subviews[neighbour].widget->update();
}

void KFSplitView::drawDividerInRect(QPainter &painter, const QRectF &rect)
{
    QStyleOption option;
    option.initFrom(this);
    option.rect = rect.toAlignedRect();
    option.state = m_isVertical ? QStyle::State_Horizontal : QStyle::State_None;
    style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

void KFSplitView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const QRectF &rect : m_dividerRects)
        drawDividerInRect(painter, rect);
}

void KFSplitView::resizeEvent(QResizeEvent *event)
{
    resizeSubviewsWithOldSize(event->oldSize());
}

double KFSplitView::majorCoordinate(const QMouseEvent *event) const
{
    return m_isVertical ? event->position().x() : event->position().y();
}

void KFSplitView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // A click beside the dividers is not passed on.
    event->accept();
    const double mouse = majorCoordinate(event);
    const int divider = splitlayout::dividerAt(m_dividerRects, geometryNow(), mouse);
    if (divider >= 0)
        beginDrag(divider, mouse);
}

void KFSplitView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    const double mouse = majorCoordinate(event);
    const int divider = splitlayout::dividerAt(m_dividerRects, geometryNow(), mouse);
    if (divider < 0)
        return;
    if (m_delegate && m_delegate->splitViewDidDoubleClickInDivider(this, divider))
        return;
    beginDrag(divider, mouse);
}

void KFSplitView::mouseMoveEvent(QMouseEvent *event)
{
    const double mouse = majorCoordinate(event);
    if (m_drag) {
        event->accept();
        dragTo(mouse);
        return;
    }
    if (splitlayout::dividerAt(m_dividerRects, geometryNow(), mouse) >= 0)
        setCursor(m_isVertical ? Qt::SplitHCursor : Qt::SplitVCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void KFSplitView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_drag || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    const int divider = m_drag->divider;
    m_drag.reset();
    if (m_delegate)
        m_delegate->splitViewDidFinishDragInDivider(this, divider);
}

void KFSplitView::beginDrag(int divider, double mouse)
{
    const double thickness = dividerThickness();
    const double dividerStart = splitlayout::start(m_dividerRects[size_t(divider)], m_isVertical);
    const Subview &a = m_subviews[size_t(divider)];
    const Subview &b = m_subviews[size_t(divider) + 1];

    SplitDrag::Limits limits;
    limits.dividerThickness = thickness;
    limits.naturalMinimum =
        isSubviewCollapsed(a.widget) ? dividerStart : splitlayout::start(a.frame, m_isVertical);
    limits.end = isSubviewCollapsed(b.widget) ? dividerStart + thickness
                                              : splitlayout::start(b.frame, m_isVertical) +
                                                    splitlayout::thickness(b.frame, m_isVertical);
    if (m_delegate) {
        limits.delegateMinimum =
            m_delegate->splitViewConstrainMinCoordinate(this, limits.naturalMinimum, divider);
        limits.delegateMaximum =
            m_delegate->splitViewConstrainMaxCoordinate(this, limits.end - thickness, divider);
        limits.canCollapseA = m_delegate->splitViewCanCollapseSubview(this, a.widget);
        limits.canCollapseB = m_delegate->splitViewCanCollapseSubview(this, b.widget);
    }
    m_drag = Drag{divider, SplitDrag(limits), dividerStart - mouse, kNoPosition};
    dragTo(mouse);
}

void KFSplitView::dragTo(double mouse)
{
    Drag &drag = *m_drag;
    double proposed = mouse + drag.offset;
    if (m_delegate)
        proposed = m_delegate->splitViewConstrainSplitPosition(this, proposed, drag.divider)
                       .value_or(proposed);
    const SplitDrag::Step step = drag.rules.step(proposed);
    QWidget *const a = m_subviews[size_t(drag.divider)].widget;
    QWidget *const b = m_subviews[size_t(drag.divider) + 1].widget;
    if (step.bFirst) {
        setSubview(b, step.collapseB);
        setSubview(a, step.collapseA);
    } else {
        setSubview(a, step.collapseA);
        setSubview(b, step.collapseB);
    }
    if (step.position == drag.lastPosition)
        return;

    emit willResizeSubviews();
    kfPutDivider(drag.divider, step.position);
    const double cross = m_isVertical ? height() : width();
    const double minimum = drag.rules.naturalMinimum();
    const double bStart = step.position + dividerThickness();
    const int aIndex = drag.divider;
    const int bIndex = drag.divider + 1;
    if (isSubviewCollapsed(a))
        moveOffScreen(aIndex);
    else
        setSubviewFrameAt(
            aIndex, splitlayout::frameAlong(minimum, step.position - minimum, cross, m_isVertical));
    if (isSubviewCollapsed(b))
        moveOffScreen(bIndex);
    else
        setSubviewFrameAt(bIndex, splitlayout::frameAlong(bStart, drag.rules.end() - bStart, cross,
                                                          m_isVertical));
    emit didResizeSubviews();
    drag.lastPosition = step.position;
}

bool KFSplitView::setPositionAutosaveName(const QString &name)
{
    if (!name.isEmpty() && namesInUse().contains(name))
        return false;
    if (!m_positionAutosaveName.isEmpty())
        namesInUse().remove(m_positionAutosaveName);
    m_positionAutosaveName = name;
    if (name.isEmpty()) {
        disconnect(m_autosave);
        m_autosave = {};
        return true;
    }
    setPositionUsingName(name);
    namesInUse().insert(name);
    if (!m_autosave)
        m_autosave = connect(this, &KFSplitView::didResizeSubviews, this,
                             &KFSplitView::kfSavePositionUsingAutosaveName);
    return true;
}

void KFSplitView::kfSavePositionUsingAutosaveName()
{
    savePositionUsingName(m_positionAutosaveName);
}

void KFSplitView::savePositionUsingName(const QString &name)
{
    UserDefaults::standard().setObject(plistObjectWithSavedPosition(), kfDefaultsKeyForName(name));
}

bool KFSplitView::setPositionUsingName(const QString &name)
{
    const QVariant stored = UserDefaults::standard().objectForKey(kfDefaultsKeyForName(name));
    if (!stored.isValid())
        return false;
    setPositionFromPlistObject(stored);
    return true;
}

QVariantMap KFSplitView::plistObjectWithSavedPosition() const
{
    std::vector<std::pair<QRectF, bool>> subviews;
    for (const Subview &subview : m_subviews)
        subviews.emplace_back(subview.frame, isSubviewCollapsed(subview.widget));
    return splitposition::plistObject(subviews, m_isVertical);
}

void KFSplitView::setPositionFromPlistObject(const QVariant &object)
{
    if (const std::optional<splitposition::StoredPosition> stored =
            splitposition::fromPlistObject(object)) {
        const size_t count = std::min(stored->subviews.size(), m_subviews.size());
        for (size_t i = 0; i < count; ++i) {
            const std::optional<splitposition::StoredSubview> &subview = stored->subviews[i];
            if (!subview)
                continue;
            if (subview->frame)
                setSubviewFrameAt(int(i), *subview->frame);
            setSubview(m_subviews[i].widget, subview->collapsed);
        }
        setVertical(stored->isVertical);
    }
    resizeSubviewsWithOldSize(size());
}

void KFSplitView::childEvent(QChildEvent *event)
{
    // A subview that is deleted or given to another parent leaves the line.
    if (event->removed()) {
        for (size_t i = 0; i < m_subviews.size(); ++i) {
            if (static_cast<QObject *>(m_subviews[i].widget) == event->child()) {
                m_drag.reset();
                m_kfCollapsedSubviews.removeAll(m_subviews[i].widget);
                m_subviews.erase(m_subviews.begin() + qsizetype(i));
                kfRecalculateDividerRects();
                break;
            }
        }
    }
    QWidget::childEvent(event);
}
