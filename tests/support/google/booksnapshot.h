// Every value of every person of the shared address book but the stamps a transfer moves, to show
// that a second download changes nothing.
#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

namespace booksnapshot {

// By the person's unique identifier: every property's value (multi-values as "label=value" with
// "*" after the primary one; the book's own entry identifiers do not count) and its groups' names
// under "groups". The contact's version and as-of stamps and the modification date are left out.
using Snapshot = QMap<QString, QMap<QString, QVariant>>;

Snapshot snapshot();

} // namespace booksnapshot
