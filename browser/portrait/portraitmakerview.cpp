#include "browser/portrait/portraitmakerview.h"

#include "browser/portrait/portraitmakerviewdelegate.h"
#include "browser/portrait/zoomslider.h"
#include "foundation/log.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

const QString kClass = QStringLiteral("PortraitMakerView");
// Half the view: the origin is the centre point less this.
constexpr double kHalf = PortraitMakerView::kSide / 2.0;
// The shortest the zoomed picture's shorter side may be, nearly the portrait square.
constexpr double kShortestSide = 96.0;
constexpr double kLeastFirstZoom = 0.1;

// The picture's first zoom: its longer side fills the view when both sides are at least as long
// as the view, else it is shown as it is.
float firstZoom(QSizeF size)
{
    if (size.width() < PortraitMakerView::kSide || size.height() < PortraitMakerView::kSide)
        return 1.0f;
    return float(std::max(PortraitMakerView::kSide / std::max(size.width(), size.height()),
                          kLeastFirstZoom));
}

// The origin that keeps the picture over the portrait square along one axis of zoomed extent E.
double managedOrigin(double origin, double extent)
{
    constexpr double square = PortraitMakerView::kSquareSide;
    if (extent <= square)
        return (square - extent) * -0.5 - PortraitMakerView::kSquareOrigin;
    if (extent <= square * 1.5)
        return std::clamp(origin, -double(PortraitMakerView::kSquareOrigin), extent - square * 1.5);
    return origin;
}

} // namespace

PortraitMakerView::PortraitMakerView(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(kSide, kSide);
    setCursor(Qt::OpenHandCursor);
    takeOriginFromPct();
    m_startOrigin = m_currentOrigin;
}

void PortraitMakerView::setDelegate(QObject *delegate)
{
    if (!delegate)
        return;
    m_delegate = delegate;
    emit delegateChanged();
}

void PortraitMakerView::setSlider(double value) const
{
    auto *const delegate = qobject_cast<PortraitMakerViewDelegate *>(m_delegate.data());
    if (ZoomSlider *slider = delegate ? delegate->imageSizeSlider() : nullptr) {
        slider->setFloatValue(value);
        slider->update();
    }
}

void PortraitMakerView::setMyImage(const QImage &image)
{
    // The same picture shares its data (and key); every null picture has the key 0.
    if (image.cacheKey() == m_myImage.cacheKey())
        return;
    m_myImage = image;
    m_xOriginPct = 0.5f;
    m_yOriginPct = 0.5f;
    m_bestSize = image.isNull() ? QSizeF(0, 0) : QSizeF(image.size());
    tlog::size(kClass, QStringLiteral("setMyImage:"), QStringLiteral("bestSize"),
               QStringLiteral("width"), m_bestSize.width(), QStringLiteral("height"),
               m_bestSize.height());
    const float r = firstZoom(m_bestSize);
    tlog::number(kClass, QStringLiteral("setMyImage:"), QStringLiteral("r"), r);
    setSlider(r);
    // The slider may have set the zoom already; the picture is laid out anew either way.
    setImageZoom(r);
}

void PortraitMakerView::setImageZoom(float zoom)
{
    if (m_bestSize.width() > 0 || m_bestSize.height() > 0) {
        const double least = kShortestSide / std::min(m_bestSize.width(), m_bestSize.height());
        if (least > zoom) {
            setSlider(least);
            zoom = float(least);
        }
    }
    m_oldZoom = m_imageZoom;
    m_imageZoom = zoom;
    m_zoomedImageSize = m_bestSize * double(zoom);
    takeOriginFromPct();
    m_startOrigin = m_currentOrigin;
    takePctFromOrigin();
    const QString op = QStringLiteral("setImageZoom:");
    tlog::number(kClass, op, QStringLiteral("imageZoom"), m_imageZoom);
    tlog::size(kClass, op, QStringLiteral("zoomedImageSize"), QStringLiteral("width"),
               m_zoomedImageSize.width(), QStringLiteral("height"), m_zoomedImageSize.height());
    tlog::number(kClass, op, QStringLiteral("xOriginPct"), m_xOriginPct);
    tlog::number(kClass, op, QStringLiteral("yOriginPct"), m_yOriginPct);
    tlog::size(kClass, op, QStringLiteral("currentOrigin"), QStringLiteral("x"),
               m_currentOrigin.x(), QStringLiteral("y"), m_currentOrigin.y());
    update();
    if (m_oldZoom != m_imageZoom)
        emit imageZoomChanged(m_imageZoom);
}

void PortraitMakerView::takeOriginFromPct()
{
    m_currentOrigin = QPointF(m_zoomedImageSize.width() * double(m_xOriginPct) - kHalf,
                              m_zoomedImageSize.height() * double(m_yOriginPct) - kHalf);
}

void PortraitMakerView::takePctFromOrigin()
{
    // An empty editor keeps its centre: there is no picture to measure it on.
    if (m_zoomedImageSize.width() > 0)
        m_xOriginPct = float((m_currentOrigin.x() + kHalf) / m_zoomedImageSize.width());
    if (m_zoomedImageSize.height() > 0)
        m_yOriginPct = float((m_currentOrigin.y() + kHalf) / m_zoomedImageSize.height());
}

void PortraitMakerView::mouseDown(QMouseEvent *event)
{
    m_clickPoint = event->scenePosition();
    setCursor(Qt::ClosedHandCursor);
}

void PortraitMakerView::mouseDragged(QMouseEvent *event)
{
    // Window positions, so that the view and the box over it measure alike. Unlimited: the
    // picture can be dragged off the square.
    m_currentOrigin = m_startOrigin - (event->scenePosition() - m_clickPoint);
    takePctFromOrigin();
    update();
}

void PortraitMakerView::mouseUp(QMouseEvent *)
{
    setCursor(Qt::OpenHandCursor);
    m_startOrigin = m_currentOrigin;
}

void PortraitMakerView::drawPicture(QPainter &painter, QPointF origin) const
{
    if (m_myImage.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(-origin, m_zoomedImageSize), m_myImage);
}

void PortraitMakerView::paintEvent(QPaintEvent *)
{
    // The view is see-through: the sheet shows around the picture.
    QPainter painter(this);
    drawPicture(painter, m_currentOrigin);
}

QImage PortraitMakerView::crosshairsBitmap() const
{
    QImage portrait(kSquareSide, kSquareSide, QImage::Format_ARGB32_Premultiplied);
    portrait.fill(Qt::transparent);
    QPainter painter(&portrait);
    // Copied as it is, its own transparency kept.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    drawPicture(painter, m_currentOrigin + QPointF(kSquareOrigin, kSquareOrigin));
    return portrait;
}

void PortraitMakerView::manageOrigin()
{
    const QString op = QStringLiteral("manageOrigin");
    takeOriginFromPct();
    tlog::size(kClass, op, QStringLiteral("zoomedImageSize"), QStringLiteral("width"),
               m_zoomedImageSize.width(), QStringLiteral("height"), m_zoomedImageSize.height());
    tlog::size(kClass, op, QStringLiteral("currentOrigin"), QStringLiteral("x"),
               m_currentOrigin.x(), QStringLiteral("y"), m_currentOrigin.y());
    m_currentOrigin = QPointF(managedOrigin(m_currentOrigin.x(), m_zoomedImageSize.width()),
                              managedOrigin(m_currentOrigin.y(), m_zoomedImageSize.height()));
    tlog::size(kClass, op, QStringLiteral("currentOrigin"), QStringLiteral("x"),
               m_currentOrigin.x(), QStringLiteral("y"), m_currentOrigin.y());
    m_startOrigin = m_currentOrigin;
    update();
}

void PortraitMakerView::publishDetails()
{
    const QString op = QStringLiteral("publishDetails:");
    tlog::size(kClass, op, QStringLiteral("bestSize"), QStringLiteral("width"), m_bestSize.width(),
               QStringLiteral("height"), m_bestSize.height());
    tlog::number(kClass, op, QStringLiteral("oldZoom"), m_oldZoom);
    tlog::number(kClass, op, QStringLiteral("imageZoom"), m_imageZoom);
    tlog::size(kClass, op, QStringLiteral("zoomedImageSize"), QStringLiteral("width"),
               m_zoomedImageSize.width(), QStringLiteral("height"), m_zoomedImageSize.height());
    tlog::size(kClass, op, QStringLiteral("currentOrigin"), QStringLiteral("x"),
               m_currentOrigin.x(), QStringLiteral("y"), m_currentOrigin.y());
}
