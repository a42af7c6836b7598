#include "foundation/text/zeltormatching.h"

#include <regex.h>

namespace zeltor {
namespace {

bool isUpperCaseLetter(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Letter_Uppercase || category == QChar::Letter_Titlecase;
}

// Letters A to Z on the telephone keypad.
constexpr char keypadDigits[] = "22233344455566677778889999";

} // namespace

bool matches(const QString &text, const QString &pattern)
{
    regex_t compiled;
    if (::regcomp(&compiled, pattern.toUtf8().constData(), REG_EXTENDED | REG_NOSUB) != 0)
        return false;
    const bool found = ::regexec(&compiled, text.toUtf8().constData(), 0, nullptr, 0) == 0;
    ::regfree(&compiled);
    return found;
}

uint occurencesOfSubstring(const QString &text, const QString &substring, Qt::CaseSensitivity cs)
{
    if (substring.isEmpty())
        return 0;
    uint count = 0;
    for (qsizetype at = text.indexOf(substring, 0, cs); at >= 0;
         at = text.indexOf(substring, at + substring.size(), cs))
        ++count;
    return count;
}

bool containsAnyCharacterFrom(const QString &text, const QString &characters)
{
    for (QChar c : text) {
        if (characters.contains(c))
            return true;
    }
    return false;
}

QString capAndStripAllowingNumbers(const QString &text, bool allowNumbers)
{
    QString result;
    for (QChar c : text.toUpper()) {
        if (isUpperCaseLetter(c) || (allowNumbers && c.isDigit()))
            result.append(c);
    }
    return result;
}

QString asPhoneNumber(const QString &text)
{
    QString result;
    for (QChar c : text.toUpper()) {
        if (c.isDigit())
            result.append(c);
        else if (c >= u'A' && c <= u'Z')
            result.append(QLatin1Char(keypadDigits[c.unicode() - u'A']));
    }
    return result;
}

} // namespace zeltor
