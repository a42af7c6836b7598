#include "foundation/scripting/applescriptconversion.h"
#include "platform/scripting/handlercall.h"
#include "tests/support/logcapture.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace AppleScriptTool;

AppleEventDescriptor text(const QString &value)
{
    return AppleEventDescriptor::descriptorWithString(value);
}

template <typename T> AppleEventDescriptor typed(const char (&type)[5], T value)
{
    return {fourCharCode(type), bytesOf(value)};
}

AppleEventDescriptor listOf(const QList<AppleEventDescriptor> &items)
{
    return argumentList(items);
}

AppleEventDescriptor recordOf(const QList<AppleEventDescriptor> &keysAndValues)
{
    AppleEventDescriptor record = AppleEventDescriptor::recordDescriptor();
    record.setDescriptorForKeyword(listOf(keysAndValues), fourCharCode("usrf"));
    return record;
}

TEST(AppleScriptConversion, Object_ByDescriptorType)
{
    const struct
    {
        AppleEventDescriptor descriptor;
        QVariant expected;
    } cases[] = {
        {text("Grüße"), QString("Grüße")},
        {AppleEventDescriptor(fourCharCode("utf8"), "utf-8 text"), QString("utf-8 text")},
        {AppleEventDescriptor::descriptorWithBoolean(true), true},
        {AppleEventDescriptor(fourCharCode("true"), {}), true},
        {AppleEventDescriptor(fourCharCode("fals"), {}), false},
        {AppleEventDescriptor::descriptorWithTypeCode(fourCharCode("utxt")),
         QVariant::fromValue(fourCharCode("utxt"))},
        {AppleEventDescriptor::descriptorWithEnumCode(fourCharCode("yes ")),
         QVariant::fromValue(fourCharCode("yes "))},
        {AppleEventDescriptor::nullDescriptor(), QVariant::fromValue(nullptr)},
        {typed("shor", std::int16_t(-2)), QVariant::fromValue(std::int16_t(-2))},
        {AppleEventDescriptor::descriptorWithInt32(-70000), -70000},
        {typed("magn", std::uint32_t(4000000000u)), QVariant::fromValue(4000000000u)},
        {typed("comp", qint64(1) << 40), QVariant::fromValue(qint64(1) << 40)},
        {typed("sing", 1.5f), 1.5},
        {typed("doub", 2.25), 2.25},
        {typed("ldbl", 3.5L), 3.5},
        {AppleEventDescriptor(fourCharCode("JPEG"), "\xff\xd8"), QByteArray("\xff\xd8")},
        {AppleEventDescriptor(), QVariant()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.descriptor.description().toStdString());
        EXPECT_EQ(objectFromAppleEventDescriptor(c.descriptor), c.expected);
    }
}

TEST(AppleScriptConversion, LongDateTime_CountsLocalSecondsFrom1904)
{
    const std::int64_t seconds = 3600 * 24 * 366; // 1904 is a leap year
    const QDateTime expected(QDate(1905, 1, 1), QTime(0, 0));
    EXPECT_EQ(dateFromAppleEventDescriptor(typed("ldt ", seconds)), expected);
    EXPECT_EQ(objectFromAppleEventDescriptor(typed("ldt ", seconds)), QVariant(expected));
    EXPECT_FALSE(
        dateFromAppleEventDescriptor(AppleEventDescriptor(fourCharCode("ldt "), "x")).isValid());
}

TEST(AppleScriptConversion, List_KeepsOrderAndGivesRawDataForUnknownTypes)
{
    EXPECT_EQ(arrayFromAppleEventDescriptor(listOf({text("a"), text("b"), text("c")})),
              (QVariantList{"a", "b", "c"}));
    EXPECT_EQ(arrayFromAppleEventDescriptor(
                  listOf({text("a"), AppleEventDescriptor(fourCharCode("PICT"), "raw")})),
              (QVariantList{"a", QByteArray("raw")}));
    EXPECT_EQ(arrayFromAppleEventDescriptor(AppleEventDescriptor::listDescriptor()),
              QVariantList());
}

TEST(AppleScriptConversion, Record_PairsKeysWithValuesAndDropsAnOddLastKey)
{
    const auto two = dictionaryFromAppleEventDescriptor(
        recordOf({text("name"), text("Tolvane"), text("count"),
                  AppleEventDescriptor::descriptorWithInt32(3)}));
    ASSERT_TRUE(two);
    EXPECT_EQ(*two, (QVariantMap{{"name", "Tolvane"}, {"count", 3}}));

    const auto odd = dictionaryFromAppleEventDescriptor(
        recordOf({text("name"), text("Tolvane"), text("orphan")}));
    ASSERT_TRUE(odd);
    EXPECT_EQ(*odd, (QVariantMap{{"name", "Tolvane"}}));

    EXPECT_FALSE(dictionaryFromAppleEventDescriptor(AppleEventDescriptor::recordDescriptor()));
}

TEST(AppleScriptConversion, WantedTypes_GiveNeutralValuesAndLogMismatches)
{
    LogCapture log;
    LogCapture::setLevel(1);
    EXPECT_EQ(stringFromAppleEventDescriptor(text("x")), "x");
    EXPECT_EQ(stringFromAppleEventDescriptor(AppleEventDescriptor::descriptorWithInt32(1)), "");
    EXPECT_FALSE(booleanFromAppleEventDescriptor(text("true")));
    EXPECT_EQ(integerFromAppleEventDescriptor(text("12")), -1);
    EXPECT_FALSE(dateFromAppleEventDescriptor(text("2009-03-14")).isValid());
    LogCapture::setLevel(0);
    EXPECT_EQ(integerFromAppleEventDescriptor(text("12")), -1);
    const QStringList lines = log.lines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "[AppleScriptTool stringFromAppleEventDescriptor:] ERROR: String data NOT "
                        "recevied from AppleScript: <AppleEventDescriptor: 'long', 4 bytes>");
    EXPECT_TRUE(lines[1].contains("ERROR: Boolean data recevied from AppleScript"));
    EXPECT_TRUE(lines[2].contains("ERROR: Integer data NOT recevied from AppleScript"));
    EXPECT_TRUE(lines[3].contains("ERROR: A Date value was NOT recevied from AppleScript"));
}

TEST(AppleScriptConversion, Integer_OutOfThirtyTwoBitsIsRefusedNotWrapped)
{
    const struct
    {
        AppleEventDescriptor descriptor;
        std::int32_t expected;
    } cases[] = {
        {AppleEventDescriptor::descriptorWithInt32(-1), -1},
        {typed("shor", std::int16_t(-300)), -300},
        {typed("magn", std::uint32_t(2147483647u)), 2147483647},
        {typed("magn", std::uint32_t(2147483648u)), -1},
        {typed("comp", qint64(-5)), -5},
        {typed("comp", qint64(std::numeric_limits<std::int32_t>::min())),
         std::numeric_limits<std::int32_t>::min()},
        {typed("comp", (qint64(1) << 32) + 7), -1},
    };
    LogCapture log;
    LogCapture::setLevel(1);
    for (const auto &c : cases)
        EXPECT_EQ(integerFromAppleEventDescriptor(c.descriptor), c.expected);
    LogCapture::setLevel(0);
    EXPECT_EQ(log.lines().filter("ERROR: Integer data out of range").size(), 2);
}

} // namespace
