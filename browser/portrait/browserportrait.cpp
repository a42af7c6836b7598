// The browser window's side of the portrait: the image well, the editor's sheet, and loading,
// saving and removing the contact's Google photo.
#include "browser/inspector/contactinspector.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/portrait/clickableimageview.h"
#include "browser/portrait/picturedrops.h"
#include "browser/portrait/portraitmakerview.h"
#include "browser/portrait/portraitsheet.h"
#include "browser/portrait/portraittexts.h"
#include "browser/portrait/zoomslider.h"
#include "browser/splitview/browserimagesplitview.h"
#include "browser/window/browserwindowcontroller.h"
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPointer>
#include <QTableView>

namespace {

const QString kClass = QStringLiteral("BrowserWindowController");
const QString kGID = QStringLiteral("gID");
const QString kImage = QStringLiteral("image");
const QString kNewImage = QStringLiteral("newImage");
const QString kHasImage = QStringLiteral("hasImage");
const QString kImageLoaded = QStringLiteral("imageLoaded");
const QString kPhotoLink = QStringLiteral("photoLink");

QImage pictureOf(const QVariant &value)
{
    return value.typeId() == QMetaType::QImage ? qvariant_cast<QImage>(value) : QImage();
}

QByteArray tiffData(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (!writer.write(image))
        tlog::labelled(kClass, QStringLiteral("saveImage:"), QStringLiteral("ERROR:"),
                       writer.errorString());
    return data;
}

} // namespace

void BrowserWindowController::buildImageMaker()
{
    m_imageMaker = new PortraitSheet(WindowController::window());
    m_imageMaker->setDropReceiver(this);
    PortraitMakerView *const view = m_imageMaker->portraitView();
    view->setDelegate(this);
    connect(m_imageMaker, &PortraitSheet::removeRequested, this, [this] { removeImage(); });
    connect(m_imageMaker, &PortraitSheet::cancelRequested, this, [this] { closeImageMaker(); });
    connect(m_imageMaker, &PortraitSheet::saveRequested, this, [this] { saveImage(); });
    connect(m_imageMaker, &QDialog::finished, this, [this] { imageMakerDidEnd(); });
}

PortraitMakerView *BrowserWindowController::portraitView() const
{
    return m_imageMaker->portraitView();
}

ZoomSlider *BrowserWindowController::imageSizeSlider() const
{
    return m_imageMaker->imageSizeSlider();
}

float BrowserWindowController::portraitImageSize() const
{
    return m_imageMaker ? m_imageMaker->imageSize() : 1.0f;
}

void BrowserWindowController::setPortraitImageSize(float size)
{
    if (m_imageMaker)
        m_imageMaker->setImageSize(size);
}

// Opening and closing the editor.

QVariant BrowserWindowController::loadedPortrait(const QVariantMap &contact) const
{
    if (contact.value(kImageLoaded).toBool())
        return contact.value(kImage);
    const QString gID = contact.value(kGID).toString();
    const auto cached = m_tool ? m_tool->currentImagesCache().constFind(gID)
                               : QHash<QString, QImage>::const_iterator();
    if (m_tool && !gID.isEmpty() && cached != m_tool->currentImagesCache().cend())
        return *cached;
    return QString();
}

void BrowserWindowController::openImageView()
{
    if (!m_inspector)
        return;
    const QVariantMap &contact = m_inspector->currentContact();
    // The editor starts from a picture the user brought, else from the loaded portrait, never
    // from the type icon: saving that would put the icon over the real photo.
    if (contact.value(kNewImage).typeId() != QMetaType::QImage)
        m_inspector->setCurrentContactValues({{kNewImage, loadedPortrait(contact)}});
    portraitView()->setMyImage(pictureOf(contact.value(kNewImage)));
    beginImageMaker();
}

void BrowserWindowController::openOriginalImageView()
{
    if (!m_inspector)
        return;
    const QVariantMap &contact = m_inspector->currentContact();
    m_inspector->setCurrentContactValues({{kNewImage, loadedPortrait(contact)}});
    portraitView()->setMyImage(pictureOf(contact.value(kNewImage)));
    beginImageMaker();
    portraitView()->update();
}

void BrowserWindowController::beginImageMaker()
{
    if (m_imageMaker->isVisible())
        return;
    m_portraitContactID =
        m_inspector ? m_inspector->currentContact().value(kGID).toString() : QString();
    m_portraitRemoved = false;
    m_imageMaker->open();
}

void BrowserWindowController::imageMakerDidEnd()
{
    m_imageMaker->hide();
}

void BrowserWindowController::closeImageMaker()
{
    m_imageMaker->done(PortraitSheet::kEndCode);
}

void BrowserWindowController::removeImage()
{
    portraitView()->setMyImage(QImage());
    m_portraitRemoved = true;
}

void BrowserWindowController::saveImage()
{
    const QString gID = m_portraitContactID;
    if (m_tool && !gID.isEmpty()) {
        if (portraitView()->myImage().isNull()) {
            // An empty editor deletes the photo only when the user removed the picture; one that
            // never held a picture leaves Google's photo alone.
            if (m_portraitRemoved) {
                updateImage(std::nullopt, gID);
                m_tool->deleteContactImageForID(gID);
            }
        } else {
            const QByteArray data = tiffData(portraitView()->crosshairsBitmap());
            updateImage(data, gID);
            m_tool->setImageDataForContactID(data, gID);
        }
    }
    m_imageMaker->done(PortraitSheet::kEndCode);
    m_imageView->update();
}

// Dropped pictures.

void BrowserWindowController::grabImageFile(const QVariantMap &userInfo)
{
    tlog::trace(kClass, QStringLiteral("grabImageFile:"));
    // The program comes to the front with this window.
    WindowController::window()->raise();
    WindowController::window()->activateWindow();
    m_imageView->update();
    portraitView()->setMyImage(pictureOf(userInfo.value(picturedrops::imageDataKey)));
    portraitView()->update();
    beginImageMaker();
}

void BrowserWindowController::grabiPhotoFile(const QVariantMap &userInfo)
{
    WindowController::window()->raise();
    WindowController::window()->activateWindow();
    const QString path = userInfo.value(picturedrops::pathKey).toString();
    const QImage picture(path);
    if (picture.isNull())
        return;
    grabImageFile({{picturedrops::imageDataKey, picture}, {picturedrops::pathKey, path}});
}

// The portrait of the current contact.

void BrowserWindowController::showCurrentPicture()
{
    if (!m_inspector || !m_tool)
        return;
    const QVariantMap &contact = m_inspector->currentContact();
    const QString gID = contact.value(kGID).toString();
    // A hidden pane shows nothing: its opening shows the contact current then.
    if (gID == m_pictureContactID || !m_browserImageSplitView->imageIsVisible())
        return;
    m_pictureContactID = gID;
    const auto cached = m_tool->currentImagesCache().constFind(gID);
    if (!gID.isEmpty() && cached != m_tool->currentImagesCache().cend()) {
        // A portrait kept from an earlier load is a loaded portrait.
        m_inspector->setCurrentContactValues(
            {{kImage, *cached}, {kNewImage, QString()}, {kImageLoaded, true}});
        showPictureInWell();
    } else if (contact.value(kHasImage).toBool() && !contact.value(kImageLoaded).toBool()) {
        scheduleImageLoad();
    } else if (!contact.value(kHasImage).toBool()) {
        m_imageView->enableImageUpdate();
        m_imageView->setImage(QVariant());
    }
}

void BrowserWindowController::showPictureInWell()
{
    m_imageView->enableImageUpdate();
    m_imageView->setImage(m_inspector->currentContact().value(kImage));
    m_imageView->update();
}

// The engine of a window whose photo fetch waits on the event loop: a window closed meanwhile
// leaves its own engine here, to go once the fetch has returned from it.
struct BrowserWindowController::ImageFetchHold
{
    std::unique_ptr<GoogleContactTool> engine;
};

void BrowserWindowController::keepEngineForImageFetch()
{
    if (m_imageFetchHold)
        m_imageFetchHold->engine = std::move(m_ownTool);
}

void BrowserWindowController::scheduleImageLoad()
{
    // Fetched from the event loop, never inside the selection change that asked: the window may
    // close while the fetch waits, and the selection's signal must not outlive it.
    QMetaObject::invokeMethod(
        this, [this] { loadCurrentImage(); }, Qt::QueuedConnection);
}

void BrowserWindowController::showPortraitPane()
{
    if (!m_inspector)
        return;
    m_pictureContactID = m_inspector->currentContact().value(kGID).toString();
    scheduleImageLoad();
    showPictureInWell();
}

void BrowserWindowController::loadCurrentImage()
{
    if (!m_inspector || !m_tool)
        return;
    // The wait below runs the event loop: a selection made meanwhile is loaded after this fetch
    // rather than inside it, whose answer would then be taken for the other's.
    if (m_loadingImage) {
        m_reloadImage = true;
        return;
    }
    QPointer<BrowserWindowController> self(this);
    GoogleContactTool *const tool = m_tool;
    ImageFetchHold hold;
    m_imageFetchHold = &hold;
    m_loadingImage = true;
    bool first = true;
    do {
        m_reloadImage = false;
        const QVariantMap contact = m_inspector->currentContact();
        const QString gID = contact.value(kGID).toString();
        const QString link = contact.value(kPhotoLink).toString();
        // After the first, only a contact still without its portrait is fetched.
        const bool needed = first || !(contact.value(kImageLoaded).toBool() ||
                                       tool->currentImagesCache().contains(gID));
        if (gID.isEmpty() || link.isEmpty() || !needed)
            continue;
        first = false;
        std::optional<QString> eTag;
        if (const GDataEntryContactPtr entry = contactlookups::contactForID(tool->lists(), gID)) {
            const QString tag = tolvane::tolvanePhotoETag(*entry);
            if (!tag.isEmpty())
                eTag = tag;
        }
        const QByteArray data = tool->imageDataForURL(QUrl(link), eTag);
        // The window, or the engine it worked on, may be gone once the wait returns.
        if (!self)
            return;
        if (m_tool != tool || !m_inspector)
            break;
        if (!data.isEmpty())
            updateImage(data, gID);
    } while (m_reloadImage);
    m_loadingImage = false;
    m_imageFetchHold = nullptr;
}

void BrowserWindowController::updateImage(const std::optional<QByteArray> &data, const QString &gID)
{
    if (!m_tool || gID.isEmpty())
        return;
    if (!data) {
        m_tool->currentImagesCache().remove(gID);
        setContactPicture(gID, {{kImageLoaded, false},
                                {kHasImage, false},
                                {kImage, QString()},
                                {kNewImage, QString()}});
    } else {
        const QImage picture = QImage::fromData(*data);
        if (picture.isNull()) {
            tlog::message(kClass, QStringLiteral("updateImage:"), portraittexts::noPictureInData);
            return;
        }
        m_tool->currentImagesCache().insert(gID, picture);
        setContactPicture(
            gID,
            {{kImageLoaded, true}, {kHasImage, true}, {kImage, picture}, {kNewImage, QString()}});
    }
    if (m_inspector && m_inspector->currentContact().value(kGID).toString() == gID &&
        m_browserImageSplitView->imageIsVisible())
        showPictureInWell();
    m_contactsTable->viewport()->update();
}

void BrowserWindowController::setContactPicture(const QString &gID, const QVariantMap &values)
{
    if (m_inspector && m_inspector->currentContact().value(kGID).toString() == gID)
        m_inspector->setCurrentContactValues(values);
    GoogleContactLists &lists = m_tool->lists();
    const QList<int> positions = lists.browserRowPositions(gID);
    if (positions.isEmpty())
        return;
    for (const int position : positions) {
        // A row has no picture the user brought: only the current contact holds "newImage".
        QVariantMap row = lists.browserRows().at(position);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.key() != kNewImage)
                row.insert(it.key(), it.value());
        }
        lists.replaceBrowserRow(position, std::move(row));
    }
    if (m_contacts)
        m_contacts->contactRowReplaced(gID);
}
