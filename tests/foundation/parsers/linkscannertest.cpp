#include "foundation/parsers/linkscanner.h"

#include <gtest/gtest.h>

namespace {

struct Found
{
    QString word;
    QString url;
};

struct ScanCase
{
    const char *name;
    QString text;
    QList<Found> links;
};

TEST(ScanLinks, WebAndMailAddressesLessTheirPunctuation)
{
    const ScanCase cases[] = {
        {"no link", "Met at the fair\rcall back", {}},
        {"empty", "", {}},
        {"scheme",
         "see https://example.org/a?b=1 soon",
         {{"https://example.org/a?b=1", "https://example.org/a?b=1"}}},
        {"bare www gets http", "www.example.org", {{"www.example.org", "http://www.example.org"}}},
        {"sentence punctuation and brackets stay outside",
         "(see www.example.org/x).",
         {{"www.example.org/x", "http://www.example.org/x"}}},
        {"mail",
         "write to <Ada@Engines.example>, please",
         {{"Ada@Engines.example", "mailto:Ada@Engines.example"}}},
        {"pasted mail link",
         "mailto:ada@engines.example",
         {{"mailto:ada@engines.example", "mailto:ada@engines.example"}}},
        {"several lines, in order",
         "http://engines.example\r\rada@engines.example\nwww.b.example",
         {{"http://engines.example", "http://engines.example"},
          {"ada@engines.example", "mailto:ada@engines.example"},
          {"www.b.example", "http://www.b.example"}}},
        {"an at sign alone is no address", "meet @ noon, a@b", {}},
        {"a scheme without a host is no link", "file:///etc/passwd", {}},
    };
    for (const ScanCase &c : cases) {
        const QList<zeltor::TextLink> links = zeltor::scanLinks(c.text);
        ASSERT_EQ(links.size(), c.links.size()) << c.name;
        for (qsizetype i = 0; i < links.size(); ++i) {
            EXPECT_EQ(c.text.mid(links[i].start, links[i].length), c.links[i].word) << c.name;
            EXPECT_EQ(links[i].url.toString(), c.links[i].url) << c.name;
        }
    }
}

} // namespace
