#pragma once

#include <QString>
#include <QVariantMap>

// The fixed layer of the factory values: the "InitialDefaults" property list that is built into
// the program.
namespace initialdefaults {

inline const QString kResourcePath = QStringLiteral(":/defaults/InitialDefaults.plist");

// The resource's dictionary; empty, with a log line, when it is missing or cannot be read.
QVariantMap values();

} // namespace initialdefaults
