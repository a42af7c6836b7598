// Texts of the contact table's column menu and column chooser.
#pragma once

#include <QString>

namespace columntexts {

// The switches of the two image columns, whose headers have no title.
inline const QString genderImage = QStringLiteral("Gender");
inline const QString image = QStringLiteral("Picture");
inline const QString chooserTitle = QStringLiteral("Columns");
inline const QString done = QStringLiteral("Done");

} // namespace columntexts
