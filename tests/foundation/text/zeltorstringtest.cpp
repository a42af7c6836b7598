#include "foundation/text/zeltorstring.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Case
{
    const char *label;
    QString input;
    QString expected;
};

void expectAll(const std::function<QString(const QString &)> &operation,
               std::initializer_list<Case> cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QString result = operation(c.input);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(result.isNull(), c.expected.isNull());
    }
}

const QString null;
const QString empty = QStringLiteral("");

TEST(ZeltorString, HasValue_OnlyNullAndEmptyHaveNone)
{
    EXPECT_FALSE(zeltor::hasValue(null));
    EXPECT_FALSE(zeltor::hasValue(empty));
    EXPECT_TRUE(zeltor::hasValue(" "));
}

TEST(ZeltorString, Googlob_JoinsWhatHasAValueWithOneCarriageReturn)
{
    EXPECT_EQ(zeltor::googlob("Note", "more"), "Note\rmore");
    EXPECT_EQ(zeltor::googlob("Note", empty), "Note");
    EXPECT_EQ(zeltor::googlob(null, "more"), "more");
    EXPECT_EQ(zeltor::googlob(null, empty), empty);
}

TEST(ZeltorString, Clean_TidiesWhiteSpaceWithinLines)
{
    expectAll(zeltor::clean,
              {
                  {"runs and tabs", "  John \t Smith  ", "John Smith"},
                  {"no-break space", QString::fromUtf8("John\u00a0Smith"), "John Smith"},
                  {"single space", " ", empty},
                  {"single tab", "\t", empty},
                  {"spaces only", "   ", empty},
                  {"line breaks stay", " a \r\n b ", "a \r\n b"},
                  {"one character", "x", "x"},
                  {"null", null, empty},
                  {"empty", empty, empty},
              });
}

TEST(ZeltorString, Squeeze_FoldsIntoOneLine)
{
    expectAll(zeltor::squeeze, {
                                   {"address", "12 Main St\r\nApt 4 ", "12 Main St Apt 4"},
                                   {"tabs", "\ta\t\tb\t", "a b"},
                                   {"no-break space stays", QString::fromUtf8("a\u00a0b"),
                                    QString::fromUtf8("a\u00a0b")},
                                   {"single space", " ", empty},
                                   {"line breaks only", "\r\n\r\n", empty},
                                   {"null stays null", null, null},
                               });
}

TEST(ZeltorString, EdgeCleaning_RemovesWhiteSpaceFromOneEnd)
{
    expectAll(zeltor::cleanLeadingEdge, {
                                            {"mixed", " \t\r\nab c ", "ab c "},
                                            {"white only", "\t \t ", empty},
                                            {"null", null, empty},
                                        });
    expectAll(zeltor::cleanTrailingEdge, {
                                             {"mixed", " ab c \r\n\t", " ab c"},
                                             {"white only", "\t \t ", empty},
                                             {"null", null, empty},
                                         });
}

TEST(ZeltorString, SimpleConversions)
{
    expectAll(zeltor::removeAllSpaces, {{"spaces", " a b  c ", "abc"}, {"null", null, empty}});
    expectAll(zeltor::convertTabsToSpaces, {{"tabs", "a\t\tb", "a  b"}, {"null", null, empty}});
    expectAll(zeltor::convertDoubleSpacesToSpace,
              {{"runs", "a     b  c", "a b c"}, {"null", null, empty}});
}

TEST(ZeltorString, ConvertDoubleXToX)
{
    struct XCase
    {
        QString text;
        QString x;
        QString expected;
    };
    const XCase cases[] = {
        {"a--b----c", "-", "a-b-c"},
        {"x\r\r\r\ry", "\r", "x\ry"},
        {"abab ab", "ab", "ab ab"},
        // An empty X is never found: nothing to do, and no endless loop.
        {"a  b", empty, "a  b"},
        {null, "-", empty},
    };
    for (const XCase &c : cases)
        EXPECT_EQ(zeltor::convertDoubleXToX(c.text, c.x), c.expected) << c.text.toStdString();
}

TEST(ZeltorString, RemoveLeadingAndTrailingXs)
{
    struct XCase
    {
        QString text;
        QString x;
        QString leading;
        QString trailing;
    };
    const XCase cases[] = {
        {"Inc...", ".", "Inc...", "Inc"}, {"---", "-", empty, empty},
        {"--a--", "--", "a--", "--a"},    {"-", "--", "-", "-"},
        {"aAa", "a", "Aa", "aA"},         {"abc", empty, "abc", "abc"},
        {null, "-", empty, empty},
    };
    for (const XCase &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + c.x.toStdString());
        EXPECT_EQ(zeltor::removeLeadingXs(c.text, c.x), c.leading);
        EXPECT_EQ(zeltor::removeTrailingXs(c.text, c.x), c.trailing);
    }
}

TEST(ZeltorString, ReplaceAllX)
{
    struct ReplaceCase
    {
        const char *label;
        QString text;
        QString x;
        QString y;
        bool ignoreCase;
        QString expected;
    };
    const ReplaceCase cases[] = {
        {"absent X returns the text", "hello", "z", "y", false, "hello"},
        {"runs shrink until none left", "\r\r\r\r\r", "\r\r\r", "\r\r", false, "\r\r"},
        {"Y holding X is one pass", "banana", "a", "aa", false, "baanaanaa"},
        {"one pass, case-insensitive", "inc and INC", "Inc", "Inc.", true, "Inc. and Inc."},
        {"literal comparison", "inc and INC", "Inc", "Inc.", false, "inc and INC"},
        {"case-insensitive until none left", "AaAa", "aa", "a", true, "a"},
        {"replacement to nothing", "a-b-c", "-", empty, false, "abc"},
        {"empty X is never found", "abc", empty, "x", false, "abc"},
        {"empty X with empty Y", "abc", empty, empty, true, "abc"},
        {"null text", null, "a", "b", false, empty},
    };
    for (const ReplaceCase &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(zeltor::replaceAllX(c.text, c.x, c.y, c.ignoreCase), c.expected);
    }
}

// Replacements that bring X back with every pass must still end, with a text of bounded size.
TEST(ZeltorString, ReplaceAllX_RunawayReplacementsEnd)
{
    struct RunawayCase
    {
        QString text;
        QString x;
        QString y;
    };
    const RunawayCase cases[] = {
        {"aaba", "aba", "baab"},   // grows by one each pass
        {"aababb", "ab", "bbaaa"}, // doubles each pass
        {"aab", "ab", "bbaa"},
    };
    for (const RunawayCase &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + ": " + c.x.toStdString() + " to " + c.y.toStdString());
        const QString result = zeltor::replaceAllX(c.text, c.x, c.y, false);
        EXPECT_LE(result.size(), c.text.size() * c.y.size() * c.y.size());
    }
    // Bubbling a letter along needs as many passes as the text is long, and gets them.
    EXPECT_EQ(zeltor::replaceAllX("aaaab", "ab", "ba", false), "baaaa");
}

TEST(ZeltorString, RemoveLineContaining)
{
    struct MarkCase
    {
        const char *label;
        QString text;
        QString mark;
        QString expected;
    };
    const MarkCase cases[] = {
        {"middle line", "Name\rFax: 123\rCity", "Fax:", "Name\rCity"},
        {"one line holding the mark", "Fax: 123", "Fax:", empty},
        {"mark absent", "Name\rCity ", "Fax:", "Name\rCity "},
        {"text before the mark runs on", "Name\rTel 1 Fax: 2\rCity", "Fax:", "Name\rTel 1 City"},
        {"only the carriage return of a pair", "A\r\nFax: 1\r\nB", "Fax:", "A\r\n\nB"},
        {"line feed when no carriage return follows", "A\nFax: 1\nB", "Fax:", "A\nB"},
        {"last line", "A\rFax: 1", "Fax:", "A\r"},
        {"only the first occurrence", "Fax:1\rFax:2\rB", "Fax:", "Fax:2\rB"},
        {"result is cleaned", "  A\tB\rFax: 1\r C  ", "Fax:", "A B\r C"},
        {"empty mark is never found", "A\rB", empty, "A\rB"},
        {"null", null, "Fax:", empty},
    };
    for (const MarkCase &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(zeltor::removeLineContaining(c.text, c.mark), c.expected);
    }
}

} // namespace
