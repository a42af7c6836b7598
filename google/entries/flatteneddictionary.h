#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include <utility>

// A small dictionary of texts packed into one text, as the extended property keeps address hints:
// the keys joined by "##", then "$$", then the values joined by "##" ("c$$Paris").
namespace flatteneddictionary {

// Keys with their values, in the order they are written.
using Pairs = QList<std::pair<QString, QString>>;

// A "#" or "$" that would run into a separator ("##" or "$$" inside a text, or one at either end
// of it) is written as its full-width form, so no text can split the dictionary apart; any other
// "#" or "$" stays as typed ("Apt #5").
QString flattenDictionary(const Pairs &pairs);

// Splits at the first "$$": keys before it, values after it, paired by position. A text without
// "$$" gives no entry; with fewer values than keys (or the other way round) the surplus is dropped
// and the fault logged. Entries with an empty key are dropped.
QMap<QString, QString> inflateString(const QString &text);

} // namespace flatteneddictionary
