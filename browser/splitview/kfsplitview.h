#pragma once

#include "browser/splitview/splitdrag.h"
#include "browser/splitview/splitlayout.h"

#include <QList>
#include <QString>
#include <QVariantMap>
#include <QWidget>

#include <optional>
#include <vector>

class KFSplitViewDelegate;
class QPainter;

// A split view whose subviews collapse, whose layout decisions its delegate may take, and whose
// layout can be kept in the preferences under a name. The subviews are laid out in fractions of a
// point, as the dividers (0.1 points thin in the browser) need, and placed on the nearest pixels.
// A collapsed subview is hidden and stays a child of the split view. Dividers are dragged with
// the mouse; the drag runs in the ordinary event loop.
class KFSplitView : public QWidget
{
    Q_OBJECT

public:
    explicit KFSplitView(QWidget *parent = nullptr);
    ~KFSplitView() override;

    static void removePositionUsingName(const QString &name);
    // "KFSplitView Position " followed by the name.
    static QString kfDefaultsKeyForName(const QString &name);

    // Takes the widget as the next subview, as the split view's child, at the frame it has.
    void addSubview(QWidget *subview);
    // A new pane of no size as the next subview, for the owner to fill.
    QWidget *addEmptySubview();
    QList<QWidget *> subviews() const;

    bool isVertical() const { return m_isVertical; }
    void setVertical(bool vertical);
    // The extent of a divider along the major axis.
    virtual double dividerThickness() const;

    KFSplitViewDelegate *delegate() const { return m_delegate; }
    // Not owned: the owner keeps the delegate alive while it is set, or clears it first.
    void setDelegate(KFSplitViewDelegate *delegate);

    bool isSubviewCollapsed(const QWidget *subview) const;
    // Changes the state only; the next layout moves the subview.
    void setSubview(QWidget *subview, bool isCollapsed);

    // The frame the layout gave the subview, in fractions of a point.
    QRectF subviewFrame(const QWidget *subview) const;

    void resizeSubviewsWithOldSize(const QSize &oldSize);
    void adjustSubviews();
    const std::vector<QRectF> &dividerRects() const { return m_dividerRects; }

    QString positionAutosaveName() const { return m_positionAutosaveName; }
    // The empty name ends autosaving; a name that any split view holds, this one included, is
    // refused.
    bool setPositionAutosaveName(const QString &name);
    void savePositionUsingName(const QString &name);
    bool setPositionUsingName(const QString &name);
    QVariantMap plistObjectWithSavedPosition() const;
    // Sets the stored frames and states, then lays them out anew at the present size.
    void setPositionFromPlistObject(const QVariant &object);

signals:
    void didCollapseSubview(QWidget *subview);
    void didExpandSubview(QWidget *subview);
    // Around every resize of the subviews and every step of a divider drag.
    void willResizeSubviews();
    void didResizeSubviews();

protected:
    // The subclasses' own layout steps set frames by subview index.
    QRectF subviewFrameAt(int index) const;
    void setSubviewFrameAt(int index, const QRectF &frame);
    int subviewCount() const { return int(m_subviews.size()); }

    virtual void drawDividerInRect(QPainter &painter, const QRectF &rect);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    struct Drag
    {
        int divider = -1;
        SplitDrag rules;
        double offset = 0;
        double lastPosition = 0;
    };

    splitlayout::SplitGeometry geometryNow() const;
    std::vector<splitlayout::SubviewState> states() const;
    int indexOf(const QWidget *subview) const;

    void kfLayoutSubviewsUsingThicknesses(const std::vector<qint64> &thicknesses);
    void kfMoveCollapsedSubviewsOffScreen();
    void moveOffScreen(int index);
    void kfRecalculateDividerRects();
    void kfPutDivider(int divider, double coordinate);
    double majorCoordinate(const QMouseEvent *event) const;

    void beginDrag(int divider, double mouse);
    void dragTo(double mouse);
    void kfSavePositionUsingAutosaveName();

    struct Subview
    {
        QWidget *widget = nullptr;
        QRectF frame;
        // Hidden by the split view, not by its owner: shown again when it expands.
        bool hiddenWhileCollapsed = false;
    };
    std::vector<Subview> m_subviews;
    QList<const QWidget *> m_kfCollapsedSubviews;
    std::vector<QRectF> m_dividerRects;
    QString m_positionAutosaveName;
    QMetaObject::Connection m_autosave;
    bool m_isVertical = false;
    KFSplitViewDelegate *m_delegate = nullptr;
    std::optional<Drag> m_drag;
};
