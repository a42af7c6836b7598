// The entry that carries a photo to a contact's photo link. Photos go to Google as JPEG, except a
// file that the user picks for one contact, which goes as it was read.
#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace photouploadentry {

// The JPEG of a picture in any format the image reader knows; empty when it is no picture.
QByteArray jpegData(const QByteArray &imageData);

GDataEntryContactPtr photoEntry(const QString &title, const QByteArray &data,
                                const QString &mimeType, const QString &slug,
                                const std::optional<QString> &eTag);

} // namespace photouploadentry
