#include "foundation/text/zeltorescaping.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *label;
    QString input;
    QString expected;
};

TEST(ZeltorEscaping, XmlSafe_EscapesEachSpecialCharacterOnce)
{
    const Case cases[] = {
        {"the four entities, apostrophe stays", "<a href=\"x\">Tom & Jerry's</a>",
         "&lt;a href=&quot;x&quot;&gt;Tom &amp; Jerry's&lt;/a&gt;"},
        {"existing entity is escaped again", "&amp;", "&amp;amp;"},
        {"user text that looks like a marker survives", "#$#$#$#$ & #$#$#$#$",
         "#$#$#$#$ &amp; #$#$#$#$"},
        {"plain", "Smith", "Smith"},
        {"null", QString(), QStringLiteral("")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QString result = zeltor::xmlSafe(c.input);
        EXPECT_EQ(result, c.expected);
        EXPECT_FALSE(result.isNull());
    }
}

TEST(ZeltorEscaping, UrlSafe_EscapesEveryNonUnreservedCharacterAndNeverUnescapes)
{
    const Case cases[] = {
        {"unreserved stay", "AZaz09-._~", "AZaz09-._~"},
        {"reserved are escaped", "a&b=c?d#e+f/g:h", "a%26b%3Dc%3Fd%23e%2Bf%2Fg%3Ah"},
        {"typed percent escape is kept as text", "%41", "%2541"},
        {"space", "John Smith", "John%20Smith"},
        {"UTF-8, upper-case hex", QString::fromUtf8("Zoë"), "Zo%C3%AB"},
        {"empty", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(zeltor::urlSafe(c.input), c.expected);
    }
}

} // namespace
