#include "foundation/parsers/urlparser.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtractURL, TakesTheWordThatHoldsTheAddress)
{
    struct Case
    {
        const char *text;
        bool contains;
        const char *url, *pre, *post;
    };
    const Case cases[] = {
        {"Web: https://example.com/products?id=7&lang=en (work)", true,
         "https://example.com/products?id=7&lang=en", "Web:", "(work)"},
        {"www.example.org", true, "www.example.org", "", ""},
        {"see www.example.co.uk/path/to#top today", true, "www.example.co.uk/path/to#top", "see",
         "today"},
        {"ftp://files.example.com", true, "ftp://files.example.com", "", ""},
        {"WWW.EXAMPLE.COM", false, "", "", ""}, // the anchors are matched in their own case
        {"John Smith", false, "", "", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(zeltor::containsURL(c.text), c.contains) << c.text;
        const zeltor::UrlFind found = zeltor::extractURL(c.text);
        EXPECT_EQ(found.url, c.url) << c.text;
        EXPECT_EQ(found.pre, c.pre) << c.text;
        EXPECT_EQ(found.post, c.post) << c.text;
    }
}

} // namespace
