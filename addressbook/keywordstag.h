#pragma once

#include <QString>

// Keywords kept in a person's note as an HTML meta tag, so other programs that read the note as
// HTML find them where they look for keywords.
namespace AddressBookTool {

// The keywords of a typed list, trimmed around each comma and joined by ", "; the spaces inside a
// keyword of several words stay ("New York").
QString keywordList(const QString &text);

// "<meta name="keywords" content="...">" with the list HTML-escaped, so no keyword can end the
// tag early.
QString keywordsMetaTag(const QString &keywordList);

// The note with the tag: in place of the note's first keywords tag, after the rest of the note on
// a line of its own, or alone when the note is empty.
QString noteWithKeywordsTag(const QString &note, const QString &tag);

} // namespace AddressBookTool
