#include "foundation/parsers/countrynames.h"
#include "foundation/parsers/parserkeys.h"
#include "platform/defaults/userdefaults.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

class CountryNames : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        UserDefaults::standard().removeObjectForKey(zeltor::kDefaultCountryKey);
    }
};

TEST_F(CountryNames, NamesCountryCodesInTheUsersLanguage)
{
    EXPECT_EQ(zeltor::countryNameForCode("US"), "United States");
    EXPECT_EQ(zeltor::countryNameForCode("fr"), "France");
    EXPECT_EQ(zeltor::countryNameForCode("Paris"), "");
    EXPECT_EQ(zeltor::countryNameForCode("ZZ"), "");
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(zeltor::countryNameForCode("AT"), "Österreich");
    EXPECT_EQ(zeltor::localeCountryName(), "Deutschland");
}

TEST_F(CountryNames, DefaultCountryIsThePreferenceEvenWhenEmpty)
{
    EXPECT_EQ(VozuVeva::defaultCountry(), "United States");
    UserDefaults::standard().setString("", zeltor::kDefaultCountryKey);
    EXPECT_EQ(VozuVeva::defaultCountry(), "");
    UserDefaults::standard().setString("Canada", zeltor::kDefaultCountryKey);
    EXPECT_EQ(VozuVeva::defaultCountry(), "Canada");
}

} // namespace
