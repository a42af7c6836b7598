// How the browser's windows and its image well read a drag: which drags they accept on entry,
// what a drop hands over, and the hand-over itself, which runs a quarter of a second after the
// drop so that no sheet opens inside the drag. Only local files and picture data are ever read:
// a remote address in a drag is never fetched.
#pragma once

#include <QMimeData>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class QObject;

namespace picturedrops {

inline const QString imageDataKey = QStringLiteral("imageData");
inline const QString pathKey = QStringLiteral("path");
inline const QString fileNameKey = QStringLiteral("fileName");
// The "path" of a picture that came as data.
inline const QString clipboard = QStringLiteral("clipboard");
constexpr int kHandOverDelayMs = 250;

// A file whose extension, in lower case, names a format the image reader knows.
bool isPictureFile(const QString &path);
// The dragged local files, in order.
QStringList localFiles(const QMimeData *data);
// A dragged address that is not a local file.
bool hasRemoteURL(const QMimeData *data);

// What a drop hands over, and to which of the receiver's operations.
struct HandOver
{
    enum class Receiver { GrabImageFile, GrabiPhotoFile };
    Receiver receiver;
    QVariantMap userInfo;
};
HandOver pictureHandOver(const QImage &image, const QString &path);
HandOver fileHandOver(const QString &path);

// A drop's answer, and what it hands over.
struct Drop
{
    bool accepted = false;
    std::optional<HandOver> handOver;
};

// The image well: copy for an address or picture data, or for local files of which one is a
// picture; otherwise none.
Qt::DropAction wellEntryAction(const QMimeData *data);
// Picture data, else the first picture file; nothing is accepted without either.
Drop wellDrop(const QMimeData *data);

// A window: copy for a vCard, picture data, or local files of which one is a picture or a vCard
// file; otherwise none. The dragged formats (and files) are logged.
Qt::DropAction windowEntryAction(const QMimeData *data);
// Picture data, or exactly one picture file, loaded. Files are accepted even when they hand
// nothing over; a drop of neither is not.
Drop windowDrop(const QMimeData *data);

// Runs the hand-over on the receiver (a PortraitController) after the delay, unless the
// receiver is gone by then.
void scheduleHandOver(QObject *receiver, const HandOver &handOver);

} // namespace picturedrops
