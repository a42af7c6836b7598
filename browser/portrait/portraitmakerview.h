// The portrait editor: a 200 x 200 view that shows a picture zoomed and panned under the fixed
// 100 x 100 portrait square at (50, 50). The picture point at the relative position
// (xOriginPct, yOriginPct) of the zoomed picture, measured from its top-left corner, is shown at
// the view's centre; currentOrigin is the picture point shown at the view's top-left corner:
// zoomed size x relative position - 100 on each axis. The view paints the picture itself, so the
// origin is applied once, and the portrait is rendered from the picture, never from the screen.
#pragma once

#include "foundation/views/imagetargetboxdelegate.h"

#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

class PortraitMakerView : public QWidget, public ImageTargetBoxDelegate
{
    Q_OBJECT
    Q_INTERFACES(ImageTargetBoxDelegate)
    Q_PROPERTY(float imageZoom READ imageZoom WRITE setImageZoom NOTIFY imageZoomChanged)

public:
    static constexpr int kSide = 200;
    // The portrait square.
    static constexpr int kSquareOrigin = 50;
    static constexpr int kSquareSide = 100;

    explicit PortraitMakerView(QWidget *parent = nullptr);

    const QImage &myImage() const { return m_myImage; }
    // The same picture again changes nothing. A new one (or none) starts centred at its first
    // zoom: the longer side filling the view when both sides have 200 pixels or more (at least
    // 0.1), else 1.0. The delegate's slider shows that zoom.
    void setMyImage(const QImage &image);

    float imageZoom() const { return m_imageZoom; }
    // Never below the zoom at which the shorter side is 96 points (the slider is then set to
    // it); the picture point at the centre stays there.
    void setImageZoom(float zoom);
    float oldZoom() const { return m_oldZoom; }

    QSizeF bestSize() const { return m_bestSize; }
    void setBestSize(QSizeF size) { m_bestSize = size; }
    QSizeF zoomedImageSize() const { return m_zoomedImageSize; }
    void setZoomedImageSize(QSizeF size) { m_zoomedImageSize = size; }
    QPointF currentOrigin() const { return m_currentOrigin; }
    QPointF startOrigin() const { return m_startOrigin; }
    float xOriginPct() const { return m_xOriginPct; }
    float yOriginPct() const { return m_yOriginPct; }

    // The window controller, asked for imageSizeSlider; it implements PortraitMakerViewDelegate.
    // Held weakly; null is ignored.
    QObject *delegate() const { return m_delegate; }
    void setDelegate(QObject *delegate);

    // The pan, from the view's own mouse events or from the image box over the square.
    void mouseDown(QMouseEvent *event) override;
    void mouseDragged(QMouseEvent *event) override;
    void mouseUp(QMouseEvent *event) override;

    // The portrait: the 100 x 100 square as the view shows it, transparent where no picture lies.
    QImage crosshairsBitmap() const;
    // Keeps the picture over the portrait square: centred when the zoomed picture is no larger
    // than the square, covering it when it is up to half again as large.
    void manageOrigin();
    void publishDetails();

    QSize sizeHint() const override { return {kSide, kSide}; }

signals:
    void imageZoomChanged(float zoom);
    void delegateChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override { mouseDown(event); }
    void mouseMoveEvent(QMouseEvent *event) override { mouseDragged(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { mouseUp(event); }

private:
    void drawPicture(class QPainter &painter, QPointF origin) const;
    void setSlider(double value) const;
    void takeOriginFromPct();
    void takePctFromOrigin();

    QImage m_myImage;
    QSizeF m_bestSize;
    QSizeF m_zoomedImageSize;
    QPointF m_startOrigin;
    QPointF m_currentOrigin;
    QPointF m_clickPoint;
    float m_imageZoom = 1.0f;
    float m_oldZoom = 1.0f;
    float m_xOriginPct = 0.5f;
    float m_yOriginPct = 0.5f;
    QPointer<QObject> m_delegate;
};
