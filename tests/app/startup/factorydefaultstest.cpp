#include "app/startup/factorydefaults.h"
#include "app/appkeys.h"
#include "foundation/parsers/parserkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/addressbook/testpersons.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct AreaCodeCase
{
    const char *phone;
    const char *areaCode;
};

TEST(FactoryDefaultsTest, AreaCodeOfThePhone)
{
    const AreaCodeCase cases[] = {
        {"(030) 1234567", "030"},
        {" (030) 1234567", "030"},
        {"030 1234567", "030"},
        {"1234567", ""},
        {"12", ""},
        {"", ""},
        {"(030 1234567", ""},
        {"030) 1234567", ""},
        {") (04) 5", "04"},
    };
    for (const AreaCodeCase &c : cases)
        EXPECT_EQ(factorydefaults::areaCodeOfPhone(QString::fromUtf8(c.phone)),
                  QString::fromUtf8(c.areaCode))
            << c.phone;
}

PersonPtr meWith(const QVariantMap &address, const QString &phone)
{
    PersonPtr me = Person::create();
    if (!address.isEmpty())
        me->setValueForProperty(
            QVariant::fromValue(
                labelledValues(PropertyType::MultiDictionary, {{kABAddressHomeLabel, address}})),
            kABAddressProperty);
    if (!phone.isNull())
        me->setValueForProperty(QVariant::fromValue(labelledValues(PropertyType::MultiString,
                                                                   {{kABPhoneWorkLabel, phone}})),
                                kABPhoneProperty);
    return me;
}

struct RunTimeCase
{
    const char *name;
    QVariantMap address;
    QString phone;
    QVariantMap expected;
};

class RunTimeValuesTest : public ::testing::TestWithParam<RunTimeCase>
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

TEST_P(RunTimeValuesTest, FollowTheMeRecordAndTheLocale)
{
    const RunTimeCase &c = GetParam();
    const QVariantMap values = factorydefaults::runTimeValues(meWith(c.address, c.phone));
    for (auto expected = c.expected.cbegin(); expected != c.expected.cend(); ++expected)
        EXPECT_EQ(values.value(expected.key()), expected.value()) << expected.key().toStdString();
}

const QVariantMap kBerlin{
    {kABAddressCityKey, "Berlin"}, {kABAddressZIPKey, "10115"}, {kABAddressCountryKey, "DE"}};

INSTANTIATE_TEST_SUITE_P(MeRecords, RunTimeValuesTest,
                         ::testing::Values(RunTimeCase{"TwoLetterCountryIsNamed",
                                                       kBerlin,
                                                       "(030) 1234567",
                                                       {{zeltor::kDefaultCountryKey, "Germany"},
                                                        {appkeys::defaultCity, "Berlin"},
                                                        {appkeys::useDefaultCity, false},
                                                        {appkeys::defaultState, ""},
                                                        {appkeys::useDefaultState, true},
                                                        {appkeys::defaultPostalCode, "10115"},
                                                        {appkeys::defaultAreaCode, "030"},
                                                        {appkeys::updateAreaCode, "030"},
                                                        {appkeys::minAreaCodeLength, 3},
                                                        {appkeys::maxAreaCodeLength, 3}}},
                                           RunTimeCase{
                                               "NoCountryTakesTheLocales",
                                               {{kABAddressCityKey, "Springfield"}},
                                               "217 555 0100",
                                               {{zeltor::kDefaultCountryKey, "United States"},
                                                {appkeys::useDefaultCountry, false},
                                                {appkeys::defaultAreaCode, "217"}}},
                                           RunTimeCase{"OtherCountryTextStays",
                                                       {{kABAddressCountryKey, "Freedonia"}},
                                                       "5550100",
                                                       {{zeltor::kDefaultCountryKey, "Freedonia"},
                                                        {appkeys::defaultAreaCode, ""},
                                                        {appkeys::minAreaCodeLength, 0},
                                                        {appkeys::maxAreaCodeLength, 0}}},
                                           RunTimeCase{"NoAddressNoPhone",
                                                       {},
                                                       QString(),
                                                       {{zeltor::kDefaultCountryKey, ""},
                                                        {appkeys::useDefaultCountry, true},
                                                        {appkeys::defaultCity, ""},
                                                        {appkeys::useDefaultCity, true},
                                                        {appkeys::defaultAreaCode, ""},
                                                        {appkeys::minAreaCodeLength, 3},
                                                        {appkeys::maxAreaCodeLength, 3}}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FactoryDefaultsTest, TheUsersOwnValueBeatsBothLayers)
{
    UserDefaults defaults(QStringLiteral("com.zel-tor.tolvane.factorytest"));
    defaults.registerDefaults({{appkeys::defaultCity, "From the resource"},
                               {appkeys::streetLabel, "Street from the resource"}});
    defaults.registerDefaults(factorydefaults::runTimeValues(meWith(kBerlin, QString())));
    EXPECT_EQ(defaults.stringForKey(appkeys::defaultCity), "Berlin");
    EXPECT_EQ(defaults.stringForKey(appkeys::streetLabel), "Street");
    defaults.setString("Potsdam", appkeys::defaultCity);
    EXPECT_EQ(defaults.stringForKey(appkeys::defaultCity), "Potsdam");
}

} // namespace
