#include "app/appkeys.h"
#include "foundation/parsers/parserkeys.h"
#include "google/engine/googlekeys.h"
#include "model/refdata/region.h"
#include "model/tolvaneowner.h"
#include "platform/addressbook/abconstants.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/app/mainprogramtest.h"

#include <QLocale>

namespace {

class CountriesTest : public MainProgramTest
{
protected:
    QStringList preferredRegions() const
    {
        QStringList names;
        for (ManagedObject *object : delegate->owner()->menuPrefs())
            names << static_cast<Region *>(object)->name();
        return names;
    }
    static UserDefaults &defaults() { return UserDefaults::standard(); }
};

TEST_F(CountriesTest, ALocaleWithoutACountryChoosesNoneAndSaysSo)
{
    QLocale::setDefault(QLocale::c());
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(preferredRegions().isEmpty());
    EXPECT_FALSE(defaults().objectForKey(appkeys::defaultRegion).isValid());
    const QStringList log = lines();
    EXPECT_TRUE(std::any_of(log.cbegin(), log.cend(), [](const QString &line) {
        return line.startsWith("No country of the store for the locale's country code");
    }));
}

TEST_F(CountriesTest, AGermanLocaleChoosesGermanyItsRegionAndEurope)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(defaults().stringForKey(zeltor::kDefaultCountryKey), "Germany");
    const QString region = defaults().stringForKey(appkeys::defaultRegion);
    EXPECT_FALSE(region.isEmpty());
    EXPECT_EQ(preferredRegions(), QStringList{region});
    EXPECT_TRUE(defaults().boolForKey(appkeys::useEurope));
    EXPECT_EQ(defaults().stringForKey(appkeys::defaultGeoRegion), "Europe");
    EXPECT_EQ(delegate->defaultCountry(), "Germany");
}

TEST_F(CountriesTest, TheListsFollowTheContinentsAndClearAHomeCountryNotOffered)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(startProgram());
    delegate->loadRegionData();
    ASSERT_FALSE(delegate->useRegionsArray().isEmpty());
    EXPECT_TRUE(delegate->countryNamesArray().contains("Germany"));
    EXPECT_FALSE(delegate->countryNamesArray().contains("Japan"));
    ASSERT_GE(delegate->countrySelection(), 0);
    EXPECT_EQ(delegate->countryNamesArray().at(delegate->countrySelection()), "Germany");
    EXPECT_GE(delegate->regionSelection(), 0);

    defaults().setString("Japan", zeltor::kDefaultCountryKey);
    defaults().setBool(true, googlekeys::doDefaultCountry);
    delegate->loadCountryData();
    EXPECT_EQ(defaults().stringForKey(zeltor::kDefaultCountryKey), "");
    EXPECT_FALSE(defaults().boolForKey(googlekeys::doDefaultCountry));
    EXPECT_EQ(delegate->countrySelection(), -1);

    defaults().setBool(false, appkeys::useEurope);
    delegate->loadRegionData();
    EXPECT_TRUE(delegate->useRegionsArray().isEmpty());
    EXPECT_TRUE(delegate->countryNamesArray().isEmpty());
}

TEST_F(CountriesTest, SwitchingTheHomeCountryOffClearsItAndTheSelection)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(startProgram());
    delegate->loadRegionData();
    ASSERT_GE(delegate->countrySelection(), 0);
    defaults().setBool(false, googlekeys::doDefaultCountry);
    delegate->toggleDefaultCountry();
    EXPECT_EQ(defaults().stringForKey(zeltor::kDefaultCountryKey), "");
    EXPECT_EQ(delegate->countrySelection(), -1);
    EXPECT_EQ(delegate->regionSelection(), -1);
}

TEST_F(CountriesTest, TheRegionsChosenAreStoredWithTheOwner)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(startProgram());
    defaults().setBool(true, appkeys::useAsia);
    delegate->loadRegionData();
    for (int row = 0; row < delegate->useRegionsArray().size(); ++row)
        delegate->setRegionOn(row, true);
    delegate->recordTolvaneRegions();
    EXPECT_EQ(preferredRegions().size(), delegate->useRegionsArray().size());
    delegate->loadRegionData();
    for (const AppDelegate::RegionChoice &choice : delegate->useRegionsArray())
        EXPECT_TRUE(choice.on) << choice.name.toStdString();
}

TEST_F(CountriesTest, TheLabelsAfterTheFirstFollowTheUsersChoice)
{
    ASSERT_TRUE(startProgram());
    const QStringList three = delegate->threeLabels();
    ASSERT_EQ(three.size(), 3);
    defaults().setString(three.at(1), zeltor::kLabel1Key);
    delegate->resetTwoLabels();
    EXPECT_EQ(defaults().stringForKey(zeltor::kLabel2Key), three.at(0));
    EXPECT_EQ(defaults().stringForKey(zeltor::kLabel3Key), three.at(2));
    defaults().setString(three.at(2), zeltor::kLabel2Key);
    delegate->resetLastLabel();
    EXPECT_EQ(defaults().stringForKey(zeltor::kLabel3Key), three.at(0));
}

TEST_F(CountriesTest, TheHomeCountryFallsBackToTheLocalesAndToNone)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(startProgram());
    defaults().removeObjectForKey(zeltor::kDefaultCountryKey);
    EXPECT_EQ(delegate->defaultCountry(), defaults().stringForKey(zeltor::kDefaultCountryKey));
    defaults().setString("", zeltor::kDefaultCountryKey);
    EXPECT_EQ(delegate->defaultCountry(), "");
}

TEST_F(CountriesTest, AnAddressTextSplitsByItsNumberOfLines)
{
    ASSERT_TRUE(startProgram());
    UserDefaults &d = defaults();
    d.setString("City", zeltor::kLabel1Key);
    d.setString("State", zeltor::kLabel2Key);
    d.setString("ZIP", zeltor::kLabel3Key);
    const QString street = kABAddressStreetKey;
    const QString country = kABAddressCountryKey;
    struct Case
    {
        QString text;
        QVariantMap expected;
    };
    const Case cases[] = {
        {"12 Elm Street", {{street, "12 Elm Street"}}},
        {"12 Elm Street\nSpringfield, IL 62704",
         {{street, "12 Elm Street"}, {"City", "Springfield"}, {"State", "IL"}, {"ZIP", "62704"}}},
        {"12 Elm Street\n\n\nSpringfield, IL 62704",
         {{street, "12 Elm Street"}, {"City", "Springfield"}, {"State", "IL"}, {"ZIP", "62704"}}},
        {"12 Elm Street\rApt 4\rSpringfield, IL 62704",
         {{street, "12 Elm Street\rApt 4"}, {"City", "Springfield"}, {"ZIP", "62704"}}},
        {"12 Elm Street\nSpringfield, IL\nUSA",
         {{street, "12 Elm Street"}, {"City", "Springfield"}, {country, "USA"}}},
        {"12 Elm Street\nApt 4\nSpringfield, IL 62704\nUSA",
         {{street, "12 Elm Street\rApt 4"}, {"ZIP", "62704"}, {country, "USA"}}},
        {"a\nb\nc\nd\ne", {}},
        {"\n \n", {}},
    };
    for (const Case &c : cases) {
        const QVariantMap result = delegate->unpackAddress(c.text);
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(result.isEmpty()) << c.text.toStdString();
        }
        for (auto expected = c.expected.cbegin(); expected != c.expected.cend(); ++expected)
            EXPECT_EQ(result.value(expected.key()), expected.value())
                << c.text.toStdString() << " " << expected.key().toStdString();
    }
}

} // namespace
