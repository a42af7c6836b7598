// The browser's search: a case-insensitive substring test over ten values of a row ("name", "org",
// "job", "workEmail", "workPhone", "workLocation", "homeEmail", "homePhone", "homeLocation",
// "notes"), made against a text built once with the row rather than through ten look-ups per row
// and keystroke.
#pragma once

#include <QString>
#include <QVariantMap>

namespace browsersearch {

// The ten values case-folded and joined by U+0000. Google's values are XML text, which cannot hold
// U+0000, so a search string found in this text is found within one value.
QString searchText(const QVariantMap &row);

// The search string as searchText compares it.
QString foldedSearchString(const QString &search);

// Whether one of the row's ten values holds the folded search string; an empty string is in every
// row.
bool matches(const QString &searchText, const QString &foldedSearch);

} // namespace browsersearch
