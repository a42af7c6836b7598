#include "google/browser/browsersearchtext.h"

#include <gtest/gtest.h>

namespace {

bool found(const QVariantMap &row, const QString &search)
{
    return browsersearch::matches(browsersearch::searchText(row),
                                  browsersearch::foldedSearchString(search));
}

TEST(BrowserSearchTextTest, EachOfTheTenValuesIsSearched_IgnoringCase)
{
    const QStringList searched = {"name",         "org",          "job",       "workEmail",
                                  "workPhone",    "workLocation", "homeEmail", "homePhone",
                                  "homeLocation", "notes"};
    for (const QString &key : searched) {
        const QVariantMap row = {{key, QStringLiteral("Smithfield  UT")}};
        EXPECT_TRUE(found(row, QStringLiteral("smith"))) << key.toStdString();
        EXPECT_TRUE(found(row, QStringLiteral("FIELD  ut"))) << key.toStdString();
        EXPECT_FALSE(found(row, QStringLiteral("smythe"))) << key.toStdString();
    }
    // Values outside the ten are not searched.
    EXPECT_FALSE(found({{"gID", "smith"}, {"mobilePhone", "smith"}}, QStringLiteral("smith")));
}

TEST(BrowserSearchTextTest, AMatchNeverSpansTwoValues)
{
    const QVariantMap row = {{"name", "Ann"}, {"org", "Lee"}};
    EXPECT_TRUE(found(row, QStringLiteral("ann")));
    EXPECT_FALSE(found(row, QStringLiteral("annlee")));
    EXPECT_FALSE(found(row, QStringLiteral("ann") + QChar(0) + QStringLiteral("lee")));
}

TEST(BrowserSearchTextTest, TheEmptyStringIsInEveryRow)
{
    EXPECT_TRUE(found({}, QString()));
    EXPECT_TRUE(found({{"name", "Ann"}}, QString()));
}

} // namespace
