#include "app/prefs/sortdescriptors.h"

#include <QVariantMap>

#include <gtest/gtest.h>

namespace {

using Row = QVariantMap;

QStringList labelsOf(const QList<Row> &rows)
{
    QStringList labels;
    for (const Row &row : rows)
        labels << row.value(QStringLiteral("label")).toString();
    return labels;
}

struct Case
{
    const char *name;
    QList<AppDelegate::SortKey> keys;
    QList<Row> rows;
    QStringList expected;
};

class SortDescriptorsTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(SortDescriptorsTest, RowsFollowEachKeyInTurnAndKeepTheirOrderOnTies)
{
    Case c = GetParam();
    sortdescriptors::sortRows(c.rows, c.keys,
                              [](const Row &row, const QString &key) { return row.value(key); });
    EXPECT_EQ(labelsOf(c.rows), c.expected);
}

Row row(const char *label, const QVariantMap &values)
{
    Row r = values;
    r.insert(QStringLiteral("label"), QString::fromLatin1(label));
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortDescriptorsTest,
    ::testing::Values(
        // Numbers by value (10 after 9), then the name where the numbers tie.
        Case{"SortOrderThenName",
             AppDelegate::sortOrder(),
             {row("c", {{"sortOrder", 10}, {"ABName", "Alpha"}}),
              row("b", {{"sortOrder", 9}, {"ABName", "Zulu"}}),
              row("a", {{"sortOrder", 9}, {"ABName", "Mike"}})},
             {"a", "b", "c"}},
        Case{"LastNameThenFirstName",
             AppDelegate::lastNameSort(),
             {row("c", {{"lastName", "Lee"}, {"firstName", "Tom"}}),
              row("a", {{"lastName", "Chu"}, {"firstName", "Zoe"}}),
              row("b", {{"lastName", "Lee"}, {"firstName", "Ann"}})},
             {"a", "b", "c"}},
        // Case counts, as a literal comparison of texts does; equal names keep their order.
        Case{"NameCaseCountsAndTiesStay",
             AppDelegate::nameSort(),
             {row("c", {{"name", "asia"}}), row("a", {{"name", "Europe"}}),
              row("b1", {{"name", "Europe"}}), row("b2", {{"name", "Americas"}})},
             {"b2", "a", "b1", "c"}},
        // A row without the value sorts first.
        Case{"ValueWithAMissingOne",
             AppDelegate::valueSort(),
             {row("b", {{"value", "x"}}), row("a", {})},
             {"a", "b"}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
