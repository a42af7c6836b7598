#include "browser/portrait/portraitsheet.h"

#include "browser/portrait/picturedrops.h"
#include "browser/portrait/portraitmakerview.h"
#include "browser/portrait/portraittexts.h"
#include "browser/portrait/zoomslider.h"
#include "foundation/views/imagetargetbox.h"

#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PortraitSheet::PortraitSheet(QWidget *window)
    : QDialog(window)
{
    setWindowModality(Qt::WindowModal);
    setWindowTitle(portraittexts::title);
    setAcceptDrops(true);

    m_view = new PortraitMakerView;
    m_view->setObjectName(QStringLiteral("portraitView"));
    m_view->setAutoFillBackground(false);
    // The frame of the portrait square; presses on it pan the picture below.
    m_box = new ImageTargetBox(m_view);
    m_box->setGeometry(PortraitMakerView::kSquareOrigin, PortraitMakerView::kSquareOrigin,
                       PortraitMakerView::kSquareSide, PortraitMakerView::kSquareSide);
    m_box->setCursor(Qt::OpenHandCursor);
    m_box->setDelegate(m_view);

    m_slider = new ZoomSlider;
    m_slider->setObjectName(QStringLiteral("imageSizeSlider"));

    auto *const hint = new QLabel(portraittexts::hint);
    hint->setWordWrap(true);

    auto *const buttons = new QDialogButtonBox;
    m_remove = buttons->addButton(portraittexts::remove, QDialogButtonBox::DestructiveRole);
    m_cancel = buttons->addButton(portraittexts::cancel, QDialogButtonBox::RejectRole);
    m_save = buttons->addButton(portraittexts::save, QDialogButtonBox::AcceptRole);
    m_save->setDefault(true);
    connect(m_remove, &QPushButton::clicked, this, &PortraitSheet::removeRequested);
    connect(m_cancel, &QPushButton::clicked, this, &PortraitSheet::cancelRequested);
    connect(m_save, &QPushButton::clicked, this, &PortraitSheet::saveRequested);
    connect(m_slider, &ZoomSlider::floatValueChanged, this,
            [this](double value) { setImageSize(float(value)); });
    connect(m_view, &PortraitMakerView::imageZoomChanged, this,
            [this](float zoom) { setImageSize(zoom); });
    m_slider->setFloatValue(m_imageSize);

    auto *const layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 0, Qt::AlignHCenter);
    layout->addWidget(m_slider);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

Qt::DropAction PortraitSheet::draggingEntered(const QMimeData *data) const
{
    return picturedrops::windowEntryAction(data);
}

bool PortraitSheet::performDragOperation(const QMimeData *data)
{
    const picturedrops::Drop drop = picturedrops::windowDrop(data);
    if (drop.handOver)
        picturedrops::scheduleHandOver(m_dropReceiver, *drop.handOver);
    return drop.accepted;
}

void PortraitSheet::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggingEntered(event->mimeData()) == Qt::CopyAction) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PortraitSheet::dropEvent(QDropEvent *event)
{
    if (performDragOperation(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PortraitSheet::setImageSize(float size)
{
    if (size == m_imageSize)
        return;
    m_imageSize = size;
    m_slider->setFloatValue(size);
    m_view->setImageZoom(size);
}
