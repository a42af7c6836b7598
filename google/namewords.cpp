#include "google/namewords.h"

namespace namewords {

QStringList foldedWords(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QStringList words;
    QString word;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c.isLetterOrNumber()) {
            word.append(c);
        } else if (!word.isEmpty()) {
            words.append(word.toCaseFolded());
            word.clear();
        }
    }
    if (!word.isEmpty())
        words.append(word.toCaseFolded());
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
