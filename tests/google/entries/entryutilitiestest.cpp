#include "google/browser/browseraddresselement.h"
#include "google/engine/googlekeys.h"
#include "google/entries/improtocols.h"
#include "google/entries/mapurl.h"
#include "google/entries/titleunpacking.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using tolvane::SplitTitle;

TEST(IMProtocolsTest, FirstWordFoundInCodeOrder)
{
    const struct
    {
        QString protocol;
        int code;
    } cases[] = {
        {kGDataIMProtocolAIM, 0},
        {kGDataIMProtocolGoogleTalk, 1},
        {kGDataIMProtocolICQ, 2},
        {kGDataIMProtocolJabber, 3},
        {kGDataIMProtocolMSN, 4},
        {kGDataIMProtocolQQ, 5},
        {kGDataIMProtocolSkype, 6},
        {kGDataIMProtocolYahoo, 7},
        {"MSN and AIM", 0},
        {"msn", -1},
        {"http://example.com#IRC", -1},
        {"", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tolvane::imCodeForProtocol(c.protocol), c.code) << c.protocol.toStdString();
}

TEST(TitleUnpackingTest, NamePartsOfATitle)
{
    const struct
    {
        const char *title;
        bool doubleFirst;
        SplitTitle expected;
    } cases[] = {
        {"Ada Lovelace", false, {"Ada", "", "Lovelace"}},
        {"  Ada   Lovelace ", false, {"Ada", "", "Lovelace"}},
        {"Lovelace, Ada", false, {"Ada", "", "Lovelace"}},
        {" Lovelace ,  Ada ", false, {"Ada", "", "Lovelace"}},
        {"Ada", false, {"Ada", "", ""}},
        {"\"Bob\"", false, {"", "Bob", ""}},
        {"\" Bob \"", false, {"", "Bob", ""}},
        {"Robert \"Bob\" Smith", false, {"Robert", "Bob", "Smith"}},
        {"Mary Ann Smith", false, {"Mary", "", "Ann Smith"}},
        {"Mary Ann Smith", true, {"Mary Ann", "", "Smith"}},
        {"John Ronald Reuel Tolkien", false, {"John Ronald", "", "Reuel Tolkien"}},
        {"John Ronald Reuel Tolkien", true, {"John Ronald", "", "Reuel Tolkien"}},
        {"", false, {"", "", ""}},
        {"a \"b", false, {"a", "", "\"b"}},
    };
    for (const auto &c : cases) {
        UserDefaults::standard().setBool(c.doubleFirst, googlekeys::abUpdatePresumeDoubleFirst);
        const SplitTitle split = tolvane::unpackGoogleTitle(QString::fromUtf8(c.title));
        EXPECT_EQ(split.aFirst, c.expected.aFirst) << c.title;
        EXPECT_EQ(split.aNick, c.expected.aNick) << c.title;
        EXPECT_EQ(split.aLast, c.expected.aLast) << c.title;
    }
}

TEST(MapURLTest, QueryOfTheAddressOrNothingWhenTooThin)
{
    const QString base = QStringLiteral("http://maps.google.com/maps?q=");
    const struct
    {
        zeltor::GoogleAddress address;
        QString expected;
    } cases[] = {
        {{"1 Main St", "", "Springfield", "IL", "62704", "US"},
         base + "1+Main+St+Springfield+IL+62704"},
        {{"1 Main St", "", "", "", "62704", ""}, base + "1+Main+St+62704"},
        {{"1 Main St", "Suite 2", "", "IL", "", ""}, base + "1+Main+St+Suite+2+IL+"},
        {{"", "", "Springfield", "", "", ""}, base + "Springfield+"},
        {{"5 A&B #2?", "", "Lyon", "", "", ""}, base + "5+A%26B+%232%3F+Lyon+"},
        {{"1+1 Rd", "", "Lyon", "", "", ""}, base + "1%2B1+Rd+Lyon+"},
        {{"", "", "", "", "", "France"}, ""},
        {{"1 Main St", "Suite 2", "", "", "", "US"}, ""},
        {{"", "", "", "IL", "", ""}, ""},
        {{"", "", "", "", "", ""}, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tolvane::mapURLForAddressDict(c.address), c.expected)
            << c.address.street1.toStdString();
}

TEST(BrowserAddressElementTest, FlattenedWorkAddressWithEveryKey)
{
    const struct
    {
        QVariantMap shortKeys;
        QString expected;
    } cases[] = {
        {{{"r", "1 Main St"},
          {"r2", "Suite 2"},
          {"c", "Springfield"},
          {"s", "IL"},
          {"p", "62704"},
          {"t", "US"}},
         "h##l##1##r##c##s##p##t##z##x$$YES##work##YES##1 Main St\rSuite 2##Springfield##IL##"
         "62704##US####1MainStSuite2SpringfieldIL62704US"},
        // A missing value is written empty and the keys after it stay.
        {{{"r", "A & B"}, {"c", "Lyon"}, {"t", "France"}},
         "h##l##1##r##c##s##p##t##z##x$$YES##work##YES##A &amp; B##Lyon######France####"
         "ABLyonFrance"},
        {{}, "h##l##1##r##c##s##p##t##z##x$$YES##work##YES##############"},
    };
    for (const auto &c : cases) {
        const auto [key, text] = tolvane::addressExPropForBrowserDictionary(c.shortKeys);
        EXPECT_TRUE(QRegularExpression("^addr-[0-9]{1,3}$").match(key).hasMatch());
        EXPECT_EQ(text, c.expected);
    }
}

TEST(BrowserAddressElementTest, KeyIsNoneOfTheKeysInUse)
{
    QSet<QString> inUse;
    for (int i = 0; i < 1000; ++i) {
        if (i != 517)
            inUse.insert(QStringLiteral("addr-%1").arg(i));
    }
    srandom(3);
    EXPECT_EQ(tolvane::addressExPropForBrowserDictionary({}, inUse).first, "addr-517");
}

} // namespace
