// Texts of the portrait sheet.
#pragma once

#include <QString>

namespace portraittexts {

inline const QString title = QStringLiteral("Portrait");
inline const QString hint = QStringLiteral("Drag the picture under the square; drop a picture here "
                                           "to use it instead.");
inline const QString remove = QStringLiteral("Remove");
inline const QString cancel = QStringLiteral("Cancel");
inline const QString save = QStringLiteral("Save");
// Logged when fetched or saved data holds no picture.
inline const QString noPictureInData = QStringLiteral("no picture in the data");

} // namespace portraittexts
