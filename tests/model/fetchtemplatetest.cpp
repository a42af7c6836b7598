#include "model/push/abpushrecord.h"
#include "model/refdata/areacode.h"
#include "model/refdata/country.h"
#include "model/refdata/dataimporter.h"
#include "model/refdata/phoneformat.h"
#include "storefixture.h"

namespace {

// Every template of the store's model, run by its name with its variables over the shipped
// reference data and a few rows of the kinds the program makes itself.
class FetchTemplateTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        DataImporter::importAllInContext(*m_context, QString(), 0);
        m_us = Country::lookupByISO(QStringLiteral("US"), *m_context);
        ASSERT_TRUE(m_us);
        AreaCode *code = m_context->insertNew<AreaCode>();
        code->setCode(QStringLiteral("212"));
        code->setCountry(m_us);
        for (int digits : {7, 10, 10}) {
            PhoneFormat *format = m_context->insertNew<PhoneFormat>();
            format->setDigitCount(digits);
        }
        for (bool isAB : {true, false}) {
            for (bool isGroup : {true, false}) {
                ABPushRecord *record = m_context->insertNew<ABPushRecord>();
                record->setIsABRecord(isAB);
                record->setIsGoogleRecord(!isAB);
                record->setIsGroup(isGroup);
                record->setAbid(QStringLiteral("%1-%2").arg(isAB).arg(isGroup));
            }
        }
        ASSERT_TRUE(m_context->save(nullptr));
    }

    Country *m_us = nullptr;
};

TEST_F(FetchTemplateTest, EveryTemplate_ByNameWithItsVariables)
{
    const QVariant us = QVariant::fromValue<ManagedObject *>(m_us);
    const struct
    {
        const char *name;
        QVariantMap variables;
        qsizetype rows;
        const char *key; // a value every row found has
        QVariant value;
    } cases[] = {
        {"countryByCode", {{"countryCode", "US"}}, 1, "isoCode", "US"},
        {"countryByName", {{"countryName", "isle of man"}}, 1, "isoCode", "IM"},
        {"RegionByName", {{"regionName", "NORTHERN AMERICA"}}, 1, "name", "Northern America"},
        {"RegionsForGeoRegion", {{"geoRegion", "Americas"}}, 4, "geoRegion", "Americas"},
        {"stateByCodeForCountry", {{"stateCode", "DC"}, {"country", us}}, 1, "code", "DC"},
        {"stateByNameForCountry",
         {{"stateName", "district of columbia"}, {"country", us}},
         1,
         "code",
         "DC"},
        {"allStatesByCountry", {{"country", us}}, 57, nullptr, {}},
        {"areaCodeByCode", {{"areaCode", "212"}, {"country", us}}, 1, "code", "212"},
        {"allStringValuesForType", {{"type", "GeoRegion"}}, 5, "type", "GeoRegion"},
        {"allCodeValuesForType", {{"type", "GeoRegion"}}, 5, "type", "GeoRegion"},
        {"inCodeArrayForType",
         {{"type", "GeoRegion"}, {"codes", QStringList{"019", "150", "999"}}},
         2,
         "type",
         "GeoRegion"},
        {"stringForCodeUsingType",
         {{"type", "GeoRegion"}, {"code", "142"}},
         1,
         "stringVal",
         "Asia"},
        {"numDigits", {{"numDigits", 10}}, 2, "digitCount", 10},
        {"allABGroup", {}, 1, "abid", "1-1"},
        {"allABContact", {}, 1, "abid", "1-0"},
        {"allGoogleGroup", {}, 1, "abid", "0-1"},
        {"allGoogleContact", {}, 1, "abid", "0-0"},
        {"allCountry", {}, 249, nullptr, {}},
        {"allRegion", {}, 23, nullptr, {}},
        {"allState", {}, 2296, nullptr, {}},
        {"allAreaCode", {}, 1, nullptr, {}},
        {"allSupport", {}, 5, nullptr, {}},
        {"allPhoneFormat", {}, 3, nullptr, {}},
        {"allABPushRecord", {}, 4, nullptr, {}},
        {"allTolvaneOwner", {}, 0, nullptr, {}},
        {"allABPushStatus", {}, 0, nullptr, {}},
        {"allABNotification", {}, 0, nullptr, {}},
        {"allActiveCountry", {}, 119, "isActive", true},
        {"allActiveRegion", {}, 0, nullptr, {}},
        {"allActiveState", {}, 0, nullptr, {}},
        {"allActiveAreaCode", {}, 0, nullptr, {}},
        {"allActiveSupport", {}, 0, nullptr, {}},
        {"allActivePhoneFormat", {}, 0, nullptr, {}},
        {"allActiveTolvaneOwner", {}, 0, nullptr, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        StoreError error;
        const auto rows =
            m_context->executeFetchTemplate(QString::fromLatin1(c.name), c.variables, &error);
        ASSERT_TRUE(rows) << error.description.toStdString();
        EXPECT_EQ(rows->size(), c.rows);
        for (const ManagedObject *row : *rows) {
            if (c.key) {
                EXPECT_EQ(row->value(QString::fromLatin1(c.key)), c.value);
            }
        }
    }
}

} // namespace
