#include "browser/portrait/picturedrops.h"

#include "browser/models/pasteboardtypes.h"
#include "browser/portrait/portraitcontroller.h"
#include "foundation/log.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTimer>
#include <QUrl>

namespace picturedrops {

namespace {

const QString kWindowClass = QStringLiteral("TolvaneWindow");
const QString kWellClass = QStringLiteral("ClickableImageView");
// Besides pictures, a window takes vCard files on entry.
const QStringList kVCardExtensions = {QStringLiteral("vcf"), QStringLiteral("vcard")};

QString extensionOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

bool anyPictureFile(const QStringList &files)
{
    return std::any_of(files.cbegin(), files.cend(), isPictureFile);
}

// Picture data carried in the drag itself, as a web page's picture is.
QImage draggedPicture(const QMimeData *data)
{
    return data->hasImage() ? qvariant_cast<QImage>(data->imageData()) : QImage();
}

QStringList pictureFiles(const QStringList &files)
{
    QStringList pictures;
    std::copy_if(files.cbegin(), files.cend(), std::back_inserter(pictures), isPictureFile);
    return pictures;
}

void logDraggedPeople(const QMimeData *data)
{
    if (!tlog::diagnostics() || !data->hasFormat(pasteboardtypes::abPeople))
        return;
    QStringList urls;
    const QStringList ids =
        QString::fromUtf8(data->data(pasteboardtypes::abPeople)).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &id : ids)
        urls << QStringLiteral("abperson:/%1").arg(id.trimmed());
    tlog::value(kWindowClass, QStringLiteral("performDragOperation:"), QStringLiteral("urls"),
                tlog::describe(urls));
}

} // namespace

bool isPictureFile(const QString &path)
{
    const QString extension = extensionOf(path);
    if (extension.isEmpty())
        return false;
    static const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    return formats.contains(extension.toLatin1());
}

QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

bool hasRemoteURL(const QMimeData *data)
{
    if (!data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(),
                       [](const QUrl &url) { return !url.isLocalFile(); });
}

HandOver pictureHandOver(const QImage &image, const QString &path)
{
    return {HandOver::Receiver::GrabImageFile,
            {{imageDataKey, QVariant::fromValue(image)}, {pathKey, path}}};
}

HandOver fileHandOver(const QString &path)
{
    return {HandOver::Receiver::GrabiPhotoFile,
            {{pathKey, path}, {fileNameKey, QFileInfo(path).fileName()}}};
}

Qt::DropAction wellEntryAction(const QMimeData *data)
{
    if (hasRemoteURL(data) || data->hasImage())
        return Qt::CopyAction;
    const QStringList files = localFiles(data);
    if (files.isEmpty())
        return Qt::IgnoreAction;
    return anyPictureFile(files) ? Qt::CopyAction : Qt::IgnoreAction;
}

Drop wellDrop(const QMimeData *data)
{
    const QImage picture = draggedPicture(data);
    if (!picture.isNull())
        return {true, pictureHandOver(picture, clipboard)};
    const QStringList files = localFiles(data);
    for (const QString &file : files)
        tlog::value(kWellClass, QStringLiteral("performDragOperation:"), pathKey, file);
    const QStringList pictures = pictureFiles(files);
    if (pictures.isEmpty())
        return {};
    return {true, fileHandOver(pictures.front())};
}

Qt::DropAction windowEntryAction(const QMimeData *data)
{
    tlog::trace(kWindowClass, QStringLiteral("draggingEntered:"));
    tlog::write(QStringLiteral("pBoard types: %1").arg(tlog::describe(data->formats())));
    if (data->hasFormat(pasteboardtypes::vCard))
        return Qt::CopyAction;
    const QStringList files = localFiles(data);
    if (files.isEmpty())
        return data->hasImage() ? Qt::CopyAction : Qt::IgnoreAction;
    tlog::write(QStringLiteral("pBoard files: %1").arg(tlog::describe(files)));
    const bool taken = std::any_of(files.cbegin(), files.cend(), [](const QString &file) {
        return isPictureFile(file) || kVCardExtensions.contains(extensionOf(file));
    });
    return taken ? Qt::CopyAction : Qt::IgnoreAction;
}

Drop windowDrop(const QMimeData *data)
{
    const QString op = QStringLiteral("performDragOperation:");
    logDraggedPeople(data);
    const QImage picture = draggedPicture(data);
    if (!picture.isNull()) {
        tlog::write(QStringLiteral("WebArchivePboardType = %1")
                        .arg(QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height())));
        return {true, pictureHandOver(picture, clipboard)};
    }
    const QStringList files = localFiles(data);
    if (files.isEmpty())
        return {};
    const QStringList pictures = pictureFiles(files);
    tlog::value(kWindowClass, op, QStringLiteral("imageFiles"), tlog::describe(pictures));
    Drop drop{true, std::nullopt};
    if (pictures.size() == 1) {
        const QImage loaded(pictures.front());
        if (!loaded.isNull())
            drop.handOver = pictureHandOver(loaded, pictures.front());
    }
    if (drop.handOver)
        tlog::value(kWindowClass, op, QStringLiteral("ui"),
                    tlog::describe(QVariantMap{{pathKey, drop.handOver->userInfo.value(pathKey)}}));
    return drop;
}

void scheduleHandOver(QObject *receiver, const HandOver &handOver)
{
    if (!receiver)
        return;
    // The timer goes with the receiver: a window closed meanwhile takes nothing over.
    QTimer::singleShot(kHandOverDelayMs, Qt::PreciseTimer, receiver, [receiver, handOver] {
        auto *const to = qobject_cast<PortraitController *>(receiver);
        if (!to)
            return;
        if (handOver.receiver == HandOver::Receiver::GrabImageFile)
            to->grabImageFile(handOver.userInfo);
        else
            to->grabiPhotoFile(handOver.userInfo);
    });
}

} // namespace picturedrops
