#include "google/entries/postaladdressparsing.h"
#include "foundation/parsers/parserkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

using zeltor::GoogleAddress;

class PostalAddressParsingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setString(localizedPropertyOrLabel(kABAddressCityKey), zeltor::kLabel1Key);
        defaults.setString(localizedPropertyOrLabel(kABAddressStateKey), zeltor::kLabel2Key);
        defaults.setString(localizedPropertyOrLabel(kABAddressZIPKey), zeltor::kLabel3Key);
        defaults.setString(QStringLiteral("Canada"), zeltor::kDefaultCountryKey);
        defaults.setBool(true, googlekeys::doDefaultCountry);
    }

    static std::optional<GoogleAddress> parsed(const char *text)
    {
        return tolvane::tolvaneAddress(
            GDataPostalAddress::postalAddressWithString(QString::fromUtf8(text)));
    }
};

TEST_F(PostalAddressParsingTest, PartsFollowTheNumberOfLines)
{
    const struct
    {
        const char *text;
        GoogleAddress expected;
    } cases[] = {
        {"12 Main St", {"12 Main St", "", "", "", "", "Canada"}},
        {"Springfield IL 62704", {"", "", "Springfield", "IL", "62704", "Canada"}},
        {"0 Springfield IL 62704", {"", "", "0 Springfield", "IL", "62704", "Canada"}},
        {"1 Main St\nSpringfield IL 62704",
         {"1 Main St", "", "Springfield", "IL", "62704", "Canada"}},
        {"1 Main St\nSpringfield IL 62704\nFR",
         {"1 Main St", "", "Springfield", "IL", "62704", "France"}},
        {"1 Main St\nSuite 200\nSpringfield IL 62704",
         {"1 Main St", "Suite 200", "Springfield", "IL", "62704", "Canada"}},
        {"1 Main St\nSpringfield IL\n62704",
         {"1 Main St", "", "Springfield", "IL", "62704", "Canada"}},
        {"1 Main St\nSuite 200\nSpringfield IL 62704\nUnited States",
         {"1 Main St", "Suite 200", "Springfield", "IL", "62704", "United States"}},
        {"1 Main St\nSuite 200\nSpringfield IL\n62704\nUSA",
         {"1 Main St", "Suite 200", "Springfield", "IL", "62704", "USA"}},
        {"1 Main St\nSuite 200\nSpringfield IL\n62704\nde\nignored",
         {"1 Main St", "Suite 200", "Springfield", "IL", "62704", "Germany"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parsed(c.text), c.expected) << c.text;
}

TEST_F(PostalAddressParsingTest, LineEndsBlankLinesAndWhiteSpace)
{
    const GoogleAddress twoLines = {"1 Main St", "", "Springfield", "IL", "62704", "Canada"};
    const char *const texts[] = {
        "1 Main St\rSpringfield IL 62704",
        "1 Main St\r\nSpringfield IL 62704",
        "1 Main St\n\n\nSpringfield IL 62704",
        "1 Main St\r\r\rSpringfield IL 62704",
        "1 Main St\n \nSpringfield IL 62704",
        // clean turns the four blanks into one, so the line is dropped like a blank one.
        "1 Main St\n    \nSpringfield IL 62704",
        "1\tMain  St\nSpringfield\u00a0IL 62704",
    };
    for (const char *text : texts)
        EXPECT_EQ(parsed(text), twoLines) << text;
}

TEST_F(PostalAddressParsingTest, TextWithoutLines_GivesNothing)
{
    for (const char *text : {"", " ", "\n\n", "  \n \r  "})
        EXPECT_EQ(parsed(text), std::nullopt) << text;
}

TEST_F(PostalAddressParsingTest, MissingCountry_ByThePreferences)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(QString(""), zeltor::kDefaultCountryKey);
    EXPECT_EQ(parsed("12 Main St")->country, "United States");
    defaults.setBool(false, googlekeys::doDefaultCountry);
    EXPECT_EQ(parsed("12 Main St")->country, "");
}

TEST_F(PostalAddressParsingTest, RawAddress_FirstFiveLines)
{
    const auto raw = [](const char *text) {
        return tolvane::tolvaneRawAddress(
            GDataPostalAddress::postalAddressWithString(QString::fromUtf8(text)));
    };
    EXPECT_EQ(
        raw("a\nb\nc"),
        (QMap<QString, QString>{
            {"gLine1", "a"}, {"gLine2", "b"}, {"gLine3", "c"}, {"gLine4", ""}, {"gLine5", ""}}));
    EXPECT_EQ(
        raw("1\n2\n3\n4\n5\n6\n7"),
        (QMap<QString, QString>{
            {"gLine1", "1"}, {"gLine2", "2"}, {"gLine3", "3"}, {"gLine4", "4"}, {"gLine5", "5"}}));
}

TEST_F(PostalAddressParsingTest, Label_ByRelThenLabel)
{
    const QString home = localizedPropertyOrLabel(kABHomeLabel);
    const QString work = localizedPropertyOrLabel(kABWorkLabel);
    const QString other = localizedPropertyOrLabel(kABOtherLabel);
    const struct
    {
        std::optional<QString> rel;
        std::optional<QString> label;
        QString expected;
    } cases[] = {
        {QString(kGDataContactHome), std::nullopt, home},
        {std::nullopt, home.toUpper(), home},
        {QString(kGDataContactWork), QString("Vacation"), work},
        {std::nullopt, QString("Vacation"), "Vacation"},
        {QString(kGDataContactOther), QString("Cabin"), "Cabin"},
        {QString(kGDataContactOther), std::nullopt, other},
        {std::nullopt, std::nullopt, "address"},
    };
    for (const auto &c : cases) {
        GDataPostalAddress address = GDataPostalAddress::postalAddressWithString("1 Main St");
        address.rel = c.rel;
        address.label = c.label;
        EXPECT_EQ(tolvane::tolvaneLabel(address), c.expected)
            << c.rel.value_or("-").toStdString() << " " << c.label.value_or("-").toStdString();
    }
}

} // namespace
