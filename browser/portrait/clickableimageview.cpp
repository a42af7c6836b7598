#include "browser/portrait/clickableimageview.h"

#include "app/windows/windowcontroller.h"
#include "browser/portrait/picturedrops.h"
#include "browser/portrait/portraitcontroller.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

ClickableImageView::ClickableImageView(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("imageView"));
    setAcceptDrops(true);
    setCursor(Qt::PointingHandCursor);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMinimumSize(1, 1);
}

void ClickableImageView::setImage(const QVariant &image)
{
    if (m_doImageUpdate) {
        m_image = image.typeId() == QMetaType::QImage ? qvariant_cast<QImage>(image) : QImage();
        update();
    }
    m_doImageUpdate = false;
}

void ClickableImageView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize shown = m_image.size().scaled(contentsRect().size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), shown);
    target.moveCenter(contentsRect().center());
    painter.drawImage(target, m_image);
}

QObject *ClickableImageView::controllerObject() const
{
    return WindowController::forWindow(window());
}

void ClickableImageView::mousePressEvent(QMouseEvent *event)
{
    // A single click does nothing, and is not passed on.
    event->accept();
}

void ClickableImageView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    auto *const controller = qobject_cast<PortraitController *>(controllerObject());
    if (!controller)
        return;
    if (event->modifiers() & Qt::AltModifier)
        controller->openOriginalImageView();
    else
        controller->openImageView();
}

Qt::DropAction ClickableImageView::draggingEntered(const QMimeData *data) const
{
    return picturedrops::wellEntryAction(data);
}

bool ClickableImageView::performDragOperation(const QMimeData *data)
{
    const picturedrops::Drop drop = picturedrops::wellDrop(data);
    if (drop.handOver)
        picturedrops::scheduleHandOver(controllerObject(), *drop.handOver);
    return drop.accepted;
}

void ClickableImageView::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggingEntered(event->mimeData()) == Qt::CopyAction) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ClickableImageView::dropEvent(QDropEvent *event)
{
    if (performDragOperation(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}
