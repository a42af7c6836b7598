// Names compared as whole words, ignoring case and diacritics: "anna smith jr" holds the names
// Anna and Smith, while "Alice Lindqvist" holds neither Al nor Li.
#pragma once

#include <QString>
#include <QStringList>

namespace namewords {

// The runs of letters and digits of the text, case-folded and without diacritics, in order.
QStringList foldedWords(const QString &text);

// Whether the words of the name stand together, in order, among the words of the text. A name
// without words is held by no text.
bool holdsName(const QStringList &textWords, const QStringList &nameWords);

} // namespace namewords
