#include "google/lookups/namewords.h"

#include "google/lookups/casefolding.h"

#include <algorithm>

namespace namewords {

namespace {

bool isPlainAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The text without diacritics; plain ASCII, as most names are, has none to take away.
QString withoutDiacritics(const QString &text)
{
    if (isPlainAscii(text))
        return text;
    QString stripped = text.normalized(QString::NormalizationForm_KD);
    stripped.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return stripped;
}

} // namespace

QStringList foldedWords(const QString &text)
{
    const QString plain = withoutDiacritics(text);
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= plain.size(); ++i) {
        const bool inWord = i < plain.size() && plain[i].isLetterOrNumber();
        if (inWord && start < 0) {
            start = i;
        } else if (!inWord && start >= 0) {
            if (words.isEmpty())
                words.reserve(4); // names have a few words; one allocation for the list
            words.append(casefolding::folded(QStringView(plain).sliced(start, i - start)));
            start = -1;
        }
    }
    return words;
}

bool holdsName(const QStringList &textWords, const QStringList &nameWords)
{
    if (nameWords.isEmpty())
        return false;
    for (qsizetype start = 0; start + nameWords.size() <= textWords.size(); ++start) {
        if (std::equal(nameWords.begin(), nameWords.end(), textWords.begin() + start))
            return true;
    }
    return false;
}

} // namespace namewords
