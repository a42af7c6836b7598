#pragma once

#include <QString>

// Matching, counting and character filtering of text. Indexes and characters are UTF-16 code
// units.
namespace zeltor {

// True when the pattern compiles as a POSIX extended regular expression (case-sensitive) and
// matches somewhere in the UTF-8 form of the text; a pattern that does not compile gives false.
bool matches(const QString &text, const QString &pattern);

// Non-overlapping occurrences, counted left to right ("aa" in "aaaa" is 2); an empty search text
// occurs 0 times.
uint occurencesOfSubstring(const QString &text, const QString &substring,
                           Qt::CaseSensitivity cs = Qt::CaseSensitive);

bool containsAnyCharacterFrom(const QString &text, const QString &characters);

// The text upper-cased, keeping only upper-case letters and, when asked, decimal digits.
QString capAndStripAllowingNumbers(const QString &text, bool allowNumbers);

// The telephone keypad form: digits stay, letters become their key's digit, all else is dropped
// ("1-800-FLOWERS" gives "18003569377").
QString asPhoneNumber(const QString &text);

} // namespace zeltor
