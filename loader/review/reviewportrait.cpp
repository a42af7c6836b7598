// The review window's portraits: the editor sheet on the selected name row and pictures dropped
// on the window.
#include "browser/portrait/picturedrops.h"
#include "browser/portrait/portraitmakerview.h"
#include "browser/portrait/portraitsheet.h"
#include "browser/portrait/zoomslider.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewrowmodels.h"

#include <QBuffer>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImageWriter>
#include <QMimeData>
#include <QPushButton>
#include <QWidget>

namespace {

// The crop as the old window kept it: TIFF data made into an image again.
QImage throughTIFF(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "tiff").write(image);
    const QImage read = QImage::fromData(data, "TIFF");
    return read.isNull() ? image : read;
}

} // namespace

void GooglePreviewWindowController::buildImageMaker()
{
    m_imageMaker = new PortraitSheet(WindowController::window());
    m_imageMaker->setDropReceiver(this);
    // Removing a photo is the browser's; here a review only replaces it.
    m_imageMaker->removeButton()->hide();
    PortraitMakerView *const view = m_imageMaker->portraitView();
    view->setDelegate(this);
    connect(m_imageMaker, &PortraitSheet::cancelRequested, this, [this] { closeImageMaker(); });
    connect(m_imageMaker, &PortraitSheet::saveRequested, this, [this] { saveImage(); });
    connect(m_imageMaker, &QDialog::finished, m_imageMaker, &QWidget::hide);
}

PortraitMakerView *GooglePreviewWindowController::portraitView() const
{
    return m_imageMaker->portraitView();
}

ZoomSlider *GooglePreviewWindowController::imageSizeSlider() const
{
    return m_imageMaker->imageSizeSlider();
}

float GooglePreviewWindowController::portraitImageSize() const
{
    return m_imageMaker ? m_imageMaker->imageSize() : 1.0f;
}

void GooglePreviewWindowController::setPortraitImageSize(float size)
{
    if (m_imageMaker)
        m_imageMaker->setImageSize(size);
}

QImage GooglePreviewWindowController::editablePortrait(const NameReviewRow &row,
                                                       bool original) const
{
    if (!original && row.gDelta)
        return row.gImage;
    return m_loadedPhotos.contains(row.gID) ? row.oImage : QImage();
}

void GooglePreviewWindowController::openImageView()
{
    if (m_currentName < 0)
        return;
    setPortraitImageSize(1.0f);
    beginImageMaker(editablePortrait(m_names->row(m_currentName), false));
}

void GooglePreviewWindowController::openOriginalImageView()
{
    if (m_currentName < 0)
        return;
    beginImageMaker(editablePortrait(m_names->row(m_currentName), true));
}

void GooglePreviewWindowController::beginImageMaker(const QImage &picture)
{
    portraitView()->setMyImage(picture);
    if (m_imageMaker->isVisible())
        return;
    m_portraitContactID = m_names->row(m_currentName).gID;
    m_imageMaker->open();
}

void GooglePreviewWindowController::closeImageMaker()
{
    m_imageMaker->done(PortraitSheet::kEndCode);
}

void GooglePreviewWindowController::saveImage()
{
    portraitView()->publishDetails();
    const QImage crop = portraitView()->myImage().isNull()
                            ? QImage()
                            : throughTIFF(portraitView()->crosshairsBitmap());
    const QList<NameReviewRow> &rows = m_names->rows();
    for (int i = 0; i < rows.size() && !crop.isNull(); ++i) {
        if (rows.at(i).gID != m_portraitContactID)
            continue;
        NameReviewRow row = rows.at(i);
        row.gImage = crop;
        row.delta = true;
        row.gDelta = true;
        m_names->setRow(i, row);
    }
    m_imageMaker->done(PortraitSheet::kEndCode);
    showCurrentName();
}

void GooglePreviewWindowController::grabImageFile(const QVariantMap &userInfo)
{
    const QVariant picture = userInfo.value(picturedrops::imageDataKey);
    // A picture goes to the row the user chose; with none chosen there is nothing to open.
    if (m_currentName < 0 || picture.typeId() != QMetaType::QImage)
        return;
    WindowController::showWindow();
    setPortraitImageSize(1.0f);
    beginImageMaker(qvariant_cast<QImage>(picture));
}

void GooglePreviewWindowController::grabiPhotoFile(const QVariantMap &userInfo)
{
    const QImage loaded(userInfo.value(picturedrops::pathKey).toString());
    if (loaded.isNull())
        return;
    grabImageFile({{picturedrops::imageDataKey, loaded},
                   {picturedrops::pathKey, userInfo.value(picturedrops::pathKey)}});
}

Qt::DropAction GooglePreviewWindowController::draggingEntered(const QMimeData *data) const
{
    return picturedrops::windowEntryAction(data);
}

bool GooglePreviewWindowController::performDragOperation(const QMimeData *data)
{
    const picturedrops::Drop drop = picturedrops::windowDrop(data);
    if (drop.handOver)
        picturedrops::scheduleHandOver(this, *drop.handOver);
    return drop.accepted;
}

bool GooglePreviewWindowController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == WindowController::window()) {
        if (event->type() == QEvent::DragEnter) {
            auto *const enter = static_cast<QDragEnterEvent *>(event);
            if (draggingEntered(enter->mimeData()) == Qt::CopyAction) {
                enter->setDropAction(Qt::CopyAction);
                enter->accept();
            } else {
                enter->ignore();
            }
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto *const drop = static_cast<QDropEvent *>(event);
            if (performDragOperation(drop->mimeData())) {
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
            } else {
                drop->ignore();
            }
            return true;
        }
    }
    return WindowController::eventFilter(watched, event);
}
