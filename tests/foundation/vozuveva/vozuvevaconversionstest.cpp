#include "foundation/vozuveva/vozuvevaconversions.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(VozuVevaConversionsTest, DecimalText_RoundsHalfToEvenAtTwoPlaces)
{
    const struct
    {
        const char *decimal;
        const char *expected;
    } cases[] = {
        {"2.345", "2.34"}, {"2.355", "2.36"}, {"2.3451", "2.35"}, {"-2.345", "-2.34"},
        {"9.995", "10"},   {"0.004", "0"},    {"2.5", "2.5"},     {"1e3", "1000"},
        {"12.50", "12.5"}, {".125", "0.12"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(VozuVeva::decimalToString(QString::fromLatin1(c.decimal)),
                  QString::fromLatin1(c.expected))
            << c.decimal;
    }
    EXPECT_FLOAT_EQ(VozuVeva::decimalToFloat(QStringLiteral("2.345")), 2.34f);
    EXPECT_EQ(VozuVeva::floatToDecimal(1.125f), QStringLiteral("1.12"));
    EXPECT_EQ(VozuVeva::doubleToString(0.1), QStringLiteral("0.1"));
    EXPECT_DOUBLE_EQ(VozuVeva::floatToDouble(0.5f), 0.5);
    EXPECT_FLOAT_EQ(VozuVeva::doubleToFloat(0.25), 0.25f);
}

TEST(VozuVevaConversionsTest, InputThatCannotBeConverted_GivesANeutralValue)
{
    EXPECT_EQ(VozuVeva::decimalToString(QStringLiteral("abc")), QStringLiteral("0"));
    EXPECT_EQ(VozuVeva::decimalToString(QStringLiteral("1e400")), QStringLiteral("0"));
    EXPECT_EQ(VozuVeva::decimalToFloat(QStringLiteral("1e60")), 0.0f);
    EXPECT_EQ(VozuVeva::floatToDecimal(std::numeric_limits<float>::infinity()),
              QStringLiteral("0"));
    EXPECT_EQ(VozuVeva::floatToDecimal(std::numeric_limits<float>::quiet_NaN()),
              QStringLiteral("0"));
}

TEST(VozuVevaConversionsTest, AstrologicalSign_ByMonthAndDay)
{
    EXPECT_EQ(VozuVeva::astrologicalSignFromMonth(8, 21), QStringLiteral("Leo"));
    EXPECT_EQ(VozuVeva::astrologicalSignFromMonth(8, 22), QStringLiteral("Virgo"));
    EXPECT_EQ(VozuVeva::astrologicalSignFromMonth(12, 23), QStringLiteral("Capricorn"));
    EXPECT_EQ(VozuVeva::astrologicalSignFromMonth(2, 30), QStringLiteral("Pisces"));
    EXPECT_TRUE(VozuVeva::astrologicalSignFromMonth(13, 1).isNull());
    EXPECT_TRUE(VozuVeva::astrologicalSignFromMonth(1, 0).isNull());
}

} // namespace
