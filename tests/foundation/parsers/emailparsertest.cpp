#include "foundation/parsers/emailparser.h"

#include <gtest/gtest.h>

namespace {

struct EmailCase
{
    const char *text;
    const char *email; // "" when the text holds no address
    const char *pre;
    const char *post;
};

TEST(ExtractEmailAddress, FindsTheAddressWithTheTextAroundIt)
{
    const EmailCase cases[] = {
        {"Email: John.Smith@Example.com (work)", "john.smith@example.com", "Email:", "(work)"},
        {"write to jane@example.com", "jane@example.com", "write to", ""},
        // sub-domains, country domains, plus signs, and punctuation around the address
        {"john@mail.example.com", "john@mail.example.com", "", ""},
        {"x@example.co.uk", "x@example.co.uk", "", ""},
        {"Mail john@example.com. Thanks", "john@example.com", "Mail", "Thanks"},
        {"john@example.com tel. 555", "john@example.com", "", "tel. 555"},
        {"Ann Lee <ann+news@example.org>", "ann+news@example.org", "Ann Lee", ""},
        {"mailto:bob@example.net", "bob@example.net", "", ""},
        {"o'brien@example.ie", "o'brien@example.ie", "", ""},
        // spelled out
        {"john (at) example (dot) com", "john@example.com", "", ""},
        {"Mail: JOHN (AT) mail (DOT) example (dot) com please", "john@mail.example.com",
         "Mail:", "please"},
        // not addresses
        {"@handle", "", "@handle", ""},
        {"john@localhost", "", "john@localhost", ""},
        {"john@example.c", "", "john@example.c", ""},
        {"john@@example.com", "", "john@@example.com", ""},
        // a word with two "@" is no address, and neither half of it is one the user typed
        {"a@b@example.com", "", "a@b@example.com", ""},
        {"<a@b@example.com>", "", "<a@b@example.com>", ""},
        {"a@b@example.com or c@example.org", "c@example.org", "a@b@example.com or", ""},
        {"a..b@example.com", "", "a..b@example.com", ""},
        {"Meet (at) noon", "", "Meet (at) noon", ""},
        {"", "", "", ""},
    };
    for (const EmailCase &c : cases) {
        EXPECT_EQ(zeltor::containsEmailAddress(c.text), *c.email != '\0') << c.text;
        const zeltor::EmailFind found = zeltor::extractEmailAddress(c.text);
        EXPECT_EQ(found.email, c.email) << c.text;
        EXPECT_EQ(found.pre, c.pre) << c.text;
        EXPECT_EQ(found.post, c.post) << c.text;
    }
}

// A link pasted from a web page: the address comes from its target, its link text follows it.
TEST(ExtractEmailAddress, MailLinkGivesTheAddressAndItsLinkText)
{
    const EmailCase cases[] = {
        {"<a href=\"mailto:John@Example.com\">John Smith</a>", "john@example.com", "",
         "John Smith"},
        {"<a href=\"mailto:john@example.com\">john@example.com</a>", "john@example.com", "", ""},
        {"<a href=\"mailto:john@example.com\">", "john@example.com", "", ""},
    };
    for (const EmailCase &c : cases) {
        const zeltor::EmailFind found = zeltor::extractEmailAddress(c.text);
        EXPECT_EQ(found.email, c.email) << c.text;
        EXPECT_EQ(found.pre, c.pre) << c.text;
        EXPECT_EQ(found.post, c.post) << c.text;
    }
}

TEST(EmailAddressLists, EveryPieceMustHoldAnAddress)
{
    EXPECT_TRUE(zeltor::isListOfEmailAddresses("a@example.com,b@example.org"));
    EXPECT_TRUE(zeltor::isListOfEmailAddresses("a@example.com"));
    EXPECT_FALSE(zeltor::isListOfEmailAddresses("a@example.com,Bob"));
    EXPECT_FALSE(zeltor::isListOfEmailAddresses(""));

    EXPECT_TRUE(zeltor::isEmailAddress(" a.b+c@mail.example.com "));
    EXPECT_FALSE(zeltor::isEmailAddress("a@example.com?bcc=x@example.com"));
    EXPECT_FALSE(zeltor::isEmailAddress("a@example.com&Body=x"));
    EXPECT_FALSE(zeltor::isEmailAddress("Ann <a@example.com>"));
}

TEST(Cardzap, ReadsPastedLinkFragments)
{
    struct Case
    {
        const char *text;
        const char *expected;
    };
    const Case cases[] = {
        {"<a href=\"mailto:john@example.com\">John Smith</a>", "john@example.com John Smith"},
        {"<a href=\"https://example.com/\">Example</a>", "https://example.com/"},
        {"<b>bold</b>", ""},
        {"john@example.com", "john@example.com"},
        {"<a href=\"mailto:j@example.com\"", "<a href=\"mailto:j@example.com\""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(zeltor::cardzap(c.text), c.expected) << c.text;
}

TEST(ExtractQuoted, TextBetweenTheFirstTwoQuotes)
{
    EXPECT_EQ(zeltor::extractQuoted("say \"hi\" and \"bye\""), "hi");
    EXPECT_EQ(zeltor::extractQuoted("say \u201Chi\u201D"), "hi");
    EXPECT_EQ(zeltor::extractQuoted("open \"ended"), "ended");
    EXPECT_EQ(zeltor::extractQuoted("none"), "");
    EXPECT_EQ(zeltor::extractQuoted(""), "");
}

} // namespace
