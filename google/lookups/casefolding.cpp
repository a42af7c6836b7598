#include "google/lookups/casefolding.h"

#include <QHashFunctions>
#include <QVarLengthArray>

#include <algorithm>

namespace casefolding {

namespace {

bool isPlainAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// In ASCII folding is lowering A to Z; done here because the general folding looks every
// character up in the Unicode tables.
char16_t asciiFolded(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

} // namespace

QString folded(const QString &text)
{
    if (!isPlainAscii(text))
        return text.toCaseFolded();
    QString result = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (asciiFolded(c) != c)
            result[i] = QChar(asciiFolded(c));
    }
    return result;
}

QString folded(QStringView text)
{
    if (!isPlainAscii(text))
        return text.toString().toCaseFolded();
    QString result(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), result.begin(),
                   [](QChar c) { return QChar(asciiFolded(c.unicode())); });
    return result;
}

bool equalFolded(QStringView a, QStringView b)
{
    if (isPlainAscii(a) && isPlainAscii(b)) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](QChar x, QChar y) {
                   return asciiFolded(x.unicode()) == asciiFolded(y.unicode());
               });
    }
    return a.toString().toCaseFolded() == b.toString().toCaseFolded();
}

size_t foldedHash(QStringView text)
{
    if (!isPlainAscii(text))
        return qHash(text.toString().toCaseFolded(), QHashSeed::globalSeed());
    QVarLengthArray<char16_t, 128> lowered(text.size());
    std::transform(text.begin(), text.end(), lowered.begin(),
                   [](QChar c) { return asciiFolded(c.unicode()); });
    return qHash(QStringView(lowered.data(), lowered.size()), QHashSeed::globalSeed());
}

} // namespace casefolding
