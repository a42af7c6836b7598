// The texts the merge adds to those of the browser's edit batches. Each text has this one
// definition.
#pragma once

#include <QString>

namespace mergetexts {

// A merge whose master is not among the rows, or not among the contacts.
inline const QString noMasterTitle = QStringLiteral("Merge stopped");
inline const QString noMasterText =
    QStringLiteral("The contact to merge into was not found. Nothing was changed.");

} // namespace mergetexts
