#pragma once

#include <QString>

// The characters and words of a line that the contact parsers pick apart: its letters and
// digits, and the word around an anchor with the words before or after it. Words are the pieces
// between single spaces.
namespace zeltor {

QString extractAlphanumerics(const QString &text); // letters, marks and digits of all scripts
QString extractDigits(const QString &text);        // decimal digits only
int countOfDigitsInString(const QString &text);

struct TextBefore
{
    QString value; // the part of the anchor's word before the anchor
    QString pre;   // the words before that word
};

struct TextAfter
{
    QString value; // the rest of the anchor's word behind the anchor
    QString post;  // the words after that word
};

// Both look at the first occurrence of the anchor. Not found: the whole text is "pre" (or "post").
TextBefore textBeforeAnchor(const QString &text, const QString &anchor);
TextAfter textAfterAnchor(const QString &text, const QString &anchor);

} // namespace zeltor
