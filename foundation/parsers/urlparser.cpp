#include "foundation/parsers/urlparser.h"

#include "foundation/text/textpieces.h"

namespace zeltor {

namespace {

const QString kSchemeAnchor = QStringLiteral("://");
const QString kWebAnchor = QStringLiteral("www.");

} // namespace

bool containsURL(const QString &text)
{
    return text.contains(kSchemeAnchor) || text.contains(kWebAnchor);
}

UrlFind extractURL(const QString &text)
{
    if (!containsURL(text))
        return {};
    const QString &anchor = text.contains(kSchemeAnchor) ? kSchemeAnchor : kWebAnchor;
    const TextBefore before = textBeforeAnchor(text, anchor);
    const TextAfter after = textAfterAnchor(text, anchor);
    return {before.value + anchor + after.value, before.pre, after.post};
}

} // namespace zeltor
