#include "foundation/text/textpieces.h"

#include <gtest/gtest.h>

namespace {

TEST(CharacterExtraction, KeepsDigitsOrLettersAndDigits)
{
    EXPECT_EQ(zeltor::extractDigits("(555) 123-4567"), "5551234567");
    EXPECT_EQ(zeltor::extractDigits("Apt ٣"), "٣"); // digits of every script
    EXPECT_EQ(zeltor::extractAlphanumerics("O'Brien-Smith, №5 é"), "OBrienSmith5é");
    EXPECT_EQ(zeltor::countOfDigitsInString(""), 0);
    EXPECT_EQ(zeltor::countOfDigitsInString("a1b22"), 3);
}

TEST(TextAroundAnchor, SplitsTheAnchorWordFromTheWordsAroundIt)
{
    struct Case
    {
        const char *text;
        const char *anchor;
        const char *beforeValue, *pre, *afterValue, *post;
    };
    const Case cases[] = {
        {"Web: http://example.com/a (work)", "://", "http", "Web:", "example.com/a", "(work)"},
        {"http://example.com", "://", "http", "", "example.com", ""},
        {"no anchor here", "@", "", "no anchor here", "", "no anchor here"},
        {"@start of text", "@", "", "", "start", "of text"},
        {"a b @c d", "@", "", "a b", "c", "d"},
        {"a b@ c", "@", "b", "a", "", "c"},
        {"anything", "", "", "anything", "", "anything"},
    };
    for (const Case &c : cases) {
        const zeltor::TextBefore before = zeltor::textBeforeAnchor(c.text, c.anchor);
        const zeltor::TextAfter after = zeltor::textAfterAnchor(c.text, c.anchor);
        EXPECT_EQ(before.value, c.beforeValue) << c.text;
        EXPECT_EQ(before.pre, c.pre) << c.text;
        EXPECT_EQ(after.value, c.afterValue) << c.text;
        EXPECT_EQ(after.post, c.post) << c.text;
    }
}

} // namespace
