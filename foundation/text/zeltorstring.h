#pragma once

#include <QString>

// Cleaning, trimming and replacing of text. Every operation returns a new text and leaves its
// argument alone; lengths count UTF-16 code units. White space is exactly space, tab, carriage
// return and line feed. A null text gives "" unless an operation says otherwise.
//
// An empty search text is never found: operations that loop over occurrences of it have nothing
// to do and return the text as it is.
namespace zeltor {

// False for a null text and for "" (a text of spaces has a value).
bool hasValue(const QString &text);

// The two texts joined by one carriage return when both have a value, else the one that has.
QString googlob(const QString &text, const QString &other);

QString removeAllSpaces(const QString &text);
QString convertTabsToSpaces(const QString &text);
QString convertDoubleSpacesToSpace(const QString &text);

// X twice in a row becomes X once, until no doubled X is left.
QString convertDoubleXToX(const QString &text, const QString &x);

// Every X becomes Y. When Y does not hold X the replacement repeats until no X is left, so "\r\r\r"
// to "\r\r" shrinks any longer run too; when Y holds X one pass is made and what a replacement
// brought in is never searched again ("a" to "aa" in "banana" gives "baanaanaa").
QString replaceAllX(const QString &text, const QString &x, const QString &y, bool ignoreCase);

QString cleanLeadingEdge(const QString &text);
QString cleanTrailingEdge(const QString &text);

// Cuts X off the start (or the end) for as long as the text begins (ends) with it.
QString removeLeadingXs(const QString &text, const QString &x);
QString removeTrailingXs(const QString &text, const QString &x);

// Drops the first occurrence of the mark and the rest of its line, up to and including the next
// carriage return (or, without one, the next line feed); what stood before the mark on its line
// runs on into the next line. A one-line text that holds the mark gives "". The result is clean().
QString removeLineContaining(const QString &text, const QString &mark);

// White space tidied within lines: no-break spaces and tabs become spaces, runs of spaces one
// space, spaces trimmed at both ends; line breaks stay where they are.
QString clean(const QString &text);

// The text folded into one line of single spaces, trimmed. A null text stays null; no-break
// spaces are left alone.
QString squeeze(const QString &text);

} // namespace zeltor
