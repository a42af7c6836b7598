#include "foundation/text/zeltormatching.h"

#include <gtest/gtest.h>

namespace {

TEST(ZeltorMatching, Matches_PosixExtendedCaseSensitive)
{
    struct Case
    {
        QString text;
        QString pattern;
        bool expected;
    };
    const Case cases[] = {
        {"Call 555-1234 today", "[0-9]{3}-[0-9]{4}", true},
        {"abc", "^b", false},
        {"ABC", "abc", false},
        {"x+y", "(a|x)\\+y$", true},
        {QString::fromUtf8("Zoë Smith"), QString::fromUtf8("ë S"), true},
        {"abc", "(", false},
        {"abc", "a{2,1}", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(zeltor::matches(c.text, c.pattern), c.expected) << c.pattern.toStdString();
}

TEST(ZeltorMatching, OccurencesOfSubstring_CountsNonOverlappingHits)
{
    struct Case
    {
        QString text;
        QString substring;
        Qt::CaseSensitivity cs;
        uint expected;
    };
    const Case cases[] = {
        {"aaaa", "aa", Qt::CaseSensitive, 2},
        {"aaa", "aa", Qt::CaseSensitive, 1},
        {"Inc inc INC", "inc", Qt::CaseInsensitive, 3},
        {"Inc inc INC", "inc", Qt::CaseSensitive, 1},
        {"abc", "", Qt::CaseSensitive, 0},
        {"", "a", Qt::CaseSensitive, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(zeltor::occurencesOfSubstring(c.text, c.substring, c.cs), c.expected)
            << c.text.toStdString() << " / " << c.substring.toStdString();
}

TEST(ZeltorMatching, ContainsAnyCharacterFrom)
{
    EXPECT_TRUE(zeltor::containsAnyCharacterFrom("12 Main St.", ".,"));
    EXPECT_FALSE(zeltor::containsAnyCharacterFrom("12 Main St", ".,"));
    EXPECT_FALSE(zeltor::containsAnyCharacterFrom("abc", ""));
    EXPECT_FALSE(zeltor::containsAnyCharacterFrom("", "abc"));
}

TEST(ZeltorMatching, CapAndStripAllowingNumbers)
{
    EXPECT_EQ(zeltor::capAndStripAllowingNumbers("k1a 0b-1, Ottawa", false), "KABOTTAWA");
    EXPECT_EQ(zeltor::capAndStripAllowingNumbers("k1a 0b-1, Ottawa", true), "K1A0B1OTTAWA");
    EXPECT_EQ(zeltor::capAndStripAllowingNumbers(QString::fromUtf8("Zoë"), false),
              QString::fromUtf8("ZOË"));
    EXPECT_EQ(zeltor::capAndStripAllowingNumbers("", true), "");
}

TEST(ZeltorMatching, AsPhoneNumber_KeypadForm)
{
    struct Case
    {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"1-800-FLOWERS", "18003569377"},
        {"abc def ghi jkl mno pqrs tuv wxyz", "22233344455566677778889999"},
        {"+1 (555) 010-0199 ext.", "15550100199398"},
        {QString::fromUtf8("Zoë"), "96"},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(zeltor::asPhoneNumber(c.text), c.expected) << c.text.toStdString();
}

} // namespace
