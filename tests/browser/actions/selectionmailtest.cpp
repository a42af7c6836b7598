// Who a message to the selection goes to, by the message pane's addressing mode.
#include "browser/actions/selectionmail.h"

#include <gtest/gtest.h>

namespace {

QVariantMap row(const char *work, const char *home)
{
    return {{QStringLiteral("workEmail"), QString::fromLatin1(work)},
            {QStringLiteral("homeEmail"), QString::fromLatin1(home)}};
}

using selectionmail::Recipients;

TEST(SelectionMail, AddressesTheSelectionByTheMode)
{
    const QVariantMap ann = row("ann@w.com", "ann@h.com");
    const QVariantMap bo = row("", "bo@h.com");
    const QVariantMap cy = row("cy@w.com", "");
    const QVariantMap none = row("", "");
    struct Case
    {
        const char *name;
        QVariantMap current;
        QList<QVariantMap> selected;
        int mode;
        std::optional<Recipients> expected;
    };
    const Case cases[] = {
        {"one row goes to its work address", ann, {ann}, 0, Recipients{"ann@w.com", {}, {}}},
        {"one row without work address goes home", bo, {bo}, 2, Recipients{"bo@h.com", {}, {}}},
        {"mode 0 puts everyone in To",
         ann,
         {ann, bo, cy},
         0,
         Recipients{"ann@w.com,bo@h.com,cy@w.com", {}, {}}},
        {"mode 1 puts the others in CC",
         ann,
         {ann, bo, cy},
         1,
         Recipients{"ann@w.com", "bo@h.com,cy@w.com", {}}},
        {"mode 2 puts the others in BCC",
         ann,
         {ann, bo, cy},
         2,
         Recipients{"ann@w.com", {}, "bo@h.com,cy@w.com"}},
        {"mode 3 sends nothing", ann, {ann, cy}, 3, std::nullopt},
        {"rows whose address is the primary one add nothing",
         ann,
         {ann, ann, ann},
         3,
         Recipients{"ann@w.com", {}, {}}},
        // Its work address is the primary one: the home address is not read.
        {"a row matching on its work address adds no home address",
         ann,
         {ann, row("ann@w.com", "other@h.com")},
         0,
         Recipients{"ann@w.com", {}, {}}},
        {"rows without address are skipped",
         ann,
         {ann, none, cy},
         1,
         Recipients{"ann@w.com", "cy@w.com", {}}},
        // Never an empty To, which the mail program would fill with its default recipient.
        {"without the current contact's address the first other one leads",
         none,
         {none, bo, cy},
         2,
         Recipients{"bo@h.com", {}, "cy@w.com"}},
        {"a selection without any address opens nothing", none, {none, none}, 0, std::nullopt},
        {"nothing selected and no current address opens nothing", none, {}, 0, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(selectionmail::recipients(c.current, c.selected, c.mode), c.expected) << c.name;
}

} // namespace
