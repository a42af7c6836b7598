#include "google/casefolding.h"

#include <algorithm>

namespace casefolding {

QString folded(const QString &text)
{
    const bool plainAscii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!plainAscii)
        return text.toCaseFolded();
    // In ASCII folding is lowering A to Z; done here because the general folding looks every
    // character up in the Unicode tables.
    QString result = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'A' && c <= u'Z')
            result[i] = QChar(char16_t(c - u'A' + u'a'));
    }
    return result;
}

} // namespace casefolding
