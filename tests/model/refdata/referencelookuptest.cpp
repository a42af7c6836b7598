#include "model/refdata/areacode.h"
#include "model/refdata/country.h"
#include "model/refdata/dataimporter.h"
#include "model/refdata/region.h"
#include "model/refdata/state.h"
#include "model/refdata/support.h"
#include "tests/model/storefixture.h"

#include <QTextDocument>

namespace {

class ReferenceLookupTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        DataImporter::importAllInContext(*m_context, QString(), 0);
    }
};

TEST_F(ReferenceLookupTest, CountryLookup_ByCodeSynonymOrNameInAnyCase)
{
    const struct
    {
        const char *text;
        const char *iso; // nullptr: no country
    } cases[] = {
        {"us", "US"},
        {"USA", "US"},
        {"usa", "US"},
        {"U.S.", "US"},
        {"america", "US"},
        {"United States of America", "US"},
        {"united kingdom", "GB"},
        {"Isle of Man", "IM"},
        {"isle of man", "IM"},
        {"Bosnia and Herzegovina", "BA"},
        {"u", nullptr},
        {"Atlantis", nullptr},
    };
    for (const auto &c : cases) {
        Country *country = Country::lookup(QString::fromLatin1(c.text), *m_context);
        if (c.iso) {
            ASSERT_TRUE(country) << c.text;
            EXPECT_EQ(country->isoCode(), QString::fromLatin1(c.iso)) << c.text;
        } else {
            EXPECT_FALSE(country) << c.text;
        }
    }
    EXPECT_FALSE(Country::lookup(QString(), *m_context));
    EXPECT_FALSE(Country::lookupByISO(QStringLiteral("USA"), *m_context));
    ASSERT_TRUE(Country::lookupByISO(QStringLiteral("de"), *m_context));
    EXPECT_EQ(Country::lookupByISO(QStringLiteral("de"), *m_context)->imageName(),
              QStringLiteral("de"));
}

TEST_F(ReferenceLookupTest, NameThatMatchesNothing_AnswersNilWithoutALogLineAtAnyLevel)
{
    for (int level : {0, 1, 2}) {
        setLevel(level);
        const qsizetype before = lines().size();
        EXPECT_FALSE(Country::lookup(QStringLiteral("Nowhere Land"), *m_context));
        EXPECT_EQ(lines().size(), before) << "level " << level;
    }
}

TEST_F(ReferenceLookupTest, RegionLookups)
{
    Region *region = Region::lookup(QStringLiteral("northern america"), *m_context);
    ASSERT_TRUE(region);
    EXPECT_EQ(region->name(), QStringLiteral("Northern America"));
    EXPECT_EQ(region->imageName(), QStringLiteral("Action"));
    EXPECT_EQ(region->nameWithImage().toPlainText(), QStringLiteral("  Northern America"));
    const auto countries = region->allCountries();
    ASSERT_TRUE(countries);
    EXPECT_TRUE(countries->contains(Country::lookupByISO(QStringLiteral("US"), *m_context)));
    EXPECT_FALSE(region->allStates());
    region->setType(1);
    EXPECT_FALSE(region->allCountries());

    const auto americas = Region::regionsForGeoRegion(QStringLiteral("Americas"), *m_context);
    ASSERT_TRUE(americas);
    EXPECT_EQ(americas->size(), 4);
    EXPECT_FALSE(Region::regionsForGeoRegion(QStringLiteral("Atlantis"), *m_context));
    EXPECT_FALSE(Region::lookup(QString(), *m_context));
}

TEST_F(ReferenceLookupTest, StateLookups_ByCodeOrNameWithinTheCountry)
{
    Country *us = Country::lookupByISO(QStringLiteral("US"), *m_context);
    Country *canada = Country::lookupByISO(QStringLiteral("CA"), *m_context);
    ASSERT_TRUE(us && canada);
    const struct
    {
        const char *text;
        Country *country;
        const char *name;
    } cases[] = {
        {"ca", us, "California"},
        {"CA", us, "California"},
        {"california", us, "California"},
        {"District of Columbia", us, "District of Columbia"},
        {"ON", canada, "Ontario"},
        {"ontario", us, nullptr},
        {"C", us, nullptr},
    };
    for (const auto &c : cases) {
        State *state = State::lookup(QString::fromLatin1(c.text), c.country, *m_context);
        if (c.name) {
            ASSERT_TRUE(state) << c.text;
            EXPECT_EQ(state->name(), QString::fromLatin1(c.name)) << c.text;
            EXPECT_EQ(state->country(), c.country);
        } else {
            EXPECT_FALSE(state) << c.text;
        }
    }
    EXPECT_EQ(State::allStatesByCountry(canada, *m_context).size(), 13);
    EXPECT_TRUE(State::allStatesByCountry(nullptr, *m_context).isEmpty());
}

TEST_F(ReferenceLookupTest, AreaCodeLookup_ByCodeWithinTheCountry)
{
    Country *us = Country::lookupByISO(QStringLiteral("US"), *m_context);
    AreaCode *code = m_context->insertNew<AreaCode>();
    code->setCode(QStringLiteral("212"));
    code->setName(QStringLiteral("Manhattan"));
    code->setCountry(us);
    EXPECT_EQ(AreaCode::lookup(QStringLiteral("212"), us, *m_context), code);
    EXPECT_FALSE(AreaCode::lookup(
        QStringLiteral("212"), Country::lookupByISO(QStringLiteral("CA"), *m_context), *m_context));
    EXPECT_FALSE(AreaCode::lookup(QStringLiteral("2"), us, *m_context));
}

TEST_F(ReferenceLookupTest, SupportLookups_SortTextsAndAnswerTheCodeWhenMissing)
{
    const struct
    {
        const char *code;
        const char *text;
    } rows[] = {{"x", "b"}, {"y", "A"}, {"z", "a"}, {"d", "dup1"}, {"d", "dup2"}};
    for (const auto &row : rows) {
        Support *support = m_context->insertNew<Support>();
        support->setType(QStringLiteral("Letters"));
        support->setCode(QString::fromLatin1(row.code));
        support->setStringVal(QString::fromLatin1(row.text));
    }
    const QString type = QStringLiteral("Letters");
    EXPECT_EQ(Support::allStringValuesForType(type, *m_context),
              (QStringList{"A", "a", "b", "dup1", "dup2"}));
    EXPECT_EQ(Support::allCodesForType(type, *m_context), (QStringList{"d", "d", "x", "y", "z"}));
    EXPECT_EQ(Support::allStringDictionariesForType(type, *m_context).first(),
              (QVariantMap{{"name", "A"}}));
    EXPECT_EQ(Support::allStringValuesForCodes({"z", "x", "missing"}, type, *m_context),
              (QStringList{"a", "b"}));
    EXPECT_EQ(Support::stringValueForCode(QStringLiteral("y"), type, *m_context),
              QStringLiteral("A"));
    EXPECT_EQ(Support::stringValueForCode(QStringLiteral("q"), type, *m_context),
              QStringLiteral("q"));
    EXPECT_EQ(Support::stringValueForCode(QStringLiteral("d"), type, *m_context),
              QStringLiteral(""));
    EXPECT_EQ(Support::stringValueForCode(QStringLiteral("y"), QString(), *m_context),
              QStringLiteral(""));
    EXPECT_TRUE(Support::allStringValuesForType(QString(), *m_context).isEmpty());
    EXPECT_EQ(
        Support::stringValueForCode(QStringLiteral("019"), QStringLiteral("GeoRegion"), *m_context),
        QStringLiteral("Americas"));
}

TEST_F(ReferenceLookupTest, IsFixedAreaCode_ComparesTheBoundsByValue)
{
    Country *country = m_context->insertNew<Country>();
    EXPECT_FALSE(country->isFixedAreaCode());
    country->setValue(QStringLiteral("minAreaCode"), qint64(1000000));
    country->setValue(QStringLiteral("maxAreaCode"), qint64(1000000));
    EXPECT_TRUE(country->isFixedAreaCode());
    country->setValue(QStringLiteral("maxAreaCode"), qint64(1000001));
    EXPECT_FALSE(country->isFixedAreaCode());
}

} // namespace
