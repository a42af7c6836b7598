#include "model/refdata/dataimporter.h"
#include "model/refdata/areacode.h"
#include "model/refdata/country.h"
#include "model/refdata/region.h"
#include "model/refdata/state.h"
#include "model/refdata/support.h"
#include "tests/model/storefixture.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

class DataImporterTest : public StoreFixture
{
protected:
    // A resource folder of our own with the given files.
    QString writeFolder(const QList<std::pair<QString, QByteArray>> &files)
    {
        const QString folder = m_dir.filePath(QStringLiteral("resources"));
        QDir().mkpath(folder);
        for (const auto &[name, text] : files) {
            QFile file(folder + u'/' + name + QStringLiteral(".txt"));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        return folder;
    }

    template <class T> QList<T *> all()
    {
        return TolvaneManagedObject::allInContext<T>(*m_context).value_or(QList<T *>{});
    }
};

TEST_F(DataImporterTest, ShippedFiles_FillEveryReferenceTableOnceAndSave)
{
    QElapsedTimer timer;
    timer.start();
    DataImporter::importAllInContext(*m_context, QStringLiteral("1.0"), 0);
    const qint64 elapsed = timer.elapsed();
    RecordProperty("importMilliseconds", int(elapsed));
    std::printf("first-start import: %lld ms\n", static_cast<long long>(elapsed));

    EXPECT_FALSE(m_context->hasChanges());
    auto other = openContext();
    const auto countries = TolvaneManagedObject::allInContext<Country>(*other);
    ASSERT_TRUE(countries);
    EXPECT_EQ(countries->size(), 249);
    EXPECT_EQ(TolvaneManagedObject::allInContext<Region>(*other)->size(), 23);
    EXPECT_EQ(TolvaneManagedObject::allInContext<Support>(*other)->size(), 5);
    EXPECT_TRUE(logged(QStringLiteral("SubRegion & Region count = 23")));

    Country *us = Country::lookupByISO(QStringLiteral("US"), *other);
    ASSERT_TRUE(us);
    EXPECT_TRUE(us->isActive().toBool());
    EXPECT_TRUE(us->allowNewStates().toBool());
    EXPECT_EQ(us->source(), QStringLiteral("kvBootstrap"));
    EXPECT_EQ(us->region()->name(), QStringLiteral("Northern America"));
    EXPECT_EQ(us->region()->geoRegion(), QStringLiteral("Americas"));
    EXPECT_EQ(us->uNCode(), 840);
    EXPECT_EQ(us->states().size(), 57);
    for (const char *code : {"DC", "PR", "GU", "VI", "CA", "NY"})
        EXPECT_TRUE(State::lookup(QString::fromLatin1(code), us, *other)) << code;
    for (const char *iso : {"CA", "DE", "BR", "IN"}) {
        Country *country = Country::lookupByISO(QString::fromLatin1(iso), *other);
        ASSERT_TRUE(country) << iso;
        EXPECT_TRUE(country->isActive().toBool()) << iso;
        EXPECT_FALSE(country->states().isEmpty()) << iso;
    }
    Country *uk = Country::lookupByISO(QStringLiteral("GB"), *other);
    ASSERT_TRUE(uk);
    EXPECT_FALSE(uk->isActive().toBool());
    EXPECT_TRUE(uk->states().isEmpty());

    QStringList continents;
    const QList<Region *> regions = *TolvaneManagedObject::allInContext<Region>(*other);
    for (Region *region : regions) {
        if (!continents.contains(region->geoRegion()))
            continents.append(region->geoRegion());
    }
    continents.sort();
    EXPECT_EQ(continents, (QStringList{"Africa", "Americas", "Asia", "Europe", "Oceania"}));
}

TEST_F(DataImporterTest, StoreWithACountry_ImportsNothingButIsSaved)
{
    m_context->insertNew<Country>()->setIsoCode(QStringLiteral("ZZ"));
    DataImporter::importAllInContext(*m_context, QString(), 0);
    EXPECT_FALSE(m_context->hasChanges());
    auto other = openContext();
    EXPECT_EQ(TolvaneManagedObject::allInContext<Country>(*other)->size(), 1);
    EXPECT_TRUE(TolvaneManagedObject::allInContext<Support>(*other)->isEmpty());
}

TEST_F(DataImporterTest, FailedCountryCount_ImportsNothing)
{
    ASSERT_TRUE(m_context->save(nullptr));
    execOnStoreFile(QStringLiteral("DROP TABLE \"Country\""));
    DataImporter::importAllInContext(*m_context, QString(), 0);
    EXPECT_TRUE(TolvaneManagedObject::allInContext<Support>(*m_context)->isEmpty());
    EXPECT_TRUE(TolvaneManagedObject::allInContext<Region>(*m_context)->isEmpty());
}

TEST_F(DataImporterTest, BrokenFiles_CrLfShortLinesAndTrailingLineBreaks)
{
    const QString folder = writeFolder({
        {"SupportData", "Color\tR\tRed\t1\r\nColor\tG\r\n\r\n"},
        {"Regions", "geoRegion\tname\rEurope\tNorthern Europe\rEurope\r"},
        {"Countries", "ISO\tNAME\nNO\tNorway\tNOR\t00\t0\t0\t0\t0\t0\t0\t1\t0\t0\t4\t4\t0\t0\t0\t"
                      "Northern Europe\t578\tKingdom of Norway\nIS\tIceland\n\n"},
        {"NO", "State\tCode\r\nOslo\t03\r\n\r\nViken\r\n"},
    });
    DataImporter::importAllInContext(*m_context, QString(), 0, folder);

    const auto supports = all<Support>();
    ASSERT_EQ(supports.size(), 2);
    EXPECT_EQ(supports[1]->code(), QStringLiteral("G"));
    EXPECT_EQ(supports[1]->stringVal(), QStringLiteral(""));
    EXPECT_EQ(supports[1]->intVal(), 0);

    const auto regions = all<Region>();
    ASSERT_EQ(regions.size(), 2);
    EXPECT_EQ(regions[1]->geoRegion(), QStringLiteral("Europe"));
    EXPECT_EQ(regions[1]->name(), QStringLiteral(""));

    Country *norway = Country::lookupByISO(QStringLiteral("NO"), *m_context);
    ASSERT_TRUE(norway);
    EXPECT_EQ(norway->name(), QStringLiteral("Norway"));
    EXPECT_EQ(norway->value(QStringLiteral("minPostalCode")).toLongLong(), 4);
    EXPECT_TRUE(norway->value(QStringLiteral("spaceStateCode")).toBool());
    EXPECT_EQ(norway->region(), regions[0]);
    EXPECT_EQ(norway->uNName(), QStringLiteral("Kingdom of Norway"));
    EXPECT_TRUE(norway->isActive().toBool());
    const QList<State *> states = State::allStatesByCountry(norway, *m_context);
    ASSERT_EQ(states.size(), 2);
    EXPECT_EQ(states[0]->code(), QStringLiteral("03"));
    EXPECT_EQ(states[1]->name(), QStringLiteral("Viken"));
    EXPECT_EQ(states[1]->code(), QStringLiteral(""));

    Country *iceland = Country::lookupByISO(QStringLiteral("IS"), *m_context);
    ASSERT_TRUE(iceland);
    EXPECT_EQ(iceland->uNName(), QStringLiteral(""));
    EXPECT_FALSE(iceland->isActive().toBool());
    EXPECT_FALSE(m_context->hasChanges());
}

TEST_F(DataImporterTest, HeaderRules_CountriesHeaderIsCaseSensitiveOthersAreNot)
{
    const QString folder = writeFolder({
        {"Regions", "GeoRegion\tName\nAsia\tEastern Asia\n"},
        {"Countries", "iso\tname\nJP\tJapan\n"},
    });
    DataImporter::importAllInContext(*m_context, QString(), 0, folder);
    EXPECT_EQ(all<Region>().size(), 1);
    const auto countries = all<Country>();
    ASSERT_EQ(countries.size(), 2);
    EXPECT_EQ(countries[0]->isoCode(), QStringLiteral("iso"));
}

TEST_F(DataImporterTest, MissingFiles_ImportNothingAndMarkCountriesInactive)
{
    const QString folder = writeFolder({{"Countries", "FR\tFrance\n"}});
    DataImporter::importAllInContext(*m_context, QString(), 0, folder);
    EXPECT_TRUE(all<Support>().isEmpty());
    EXPECT_TRUE(all<Region>().isEmpty());
    const auto countries = all<Country>();
    ASSERT_EQ(countries.size(), 1);
    EXPECT_FALSE(countries[0]->isActive().toBool());
    EXPECT_TRUE(logged(QStringLiteral("SubRegion & Region count = 0")));
}

TEST_F(DataImporterTest, UserFiles_GiveCodeFirstRowsTiedToTheCountry)
{
    const QString folder = writeFolder({{"Countries", "US\tUnited States\n"}});
    DataImporter::importAllInContext(*m_context, QString(), 0, folder);
    const QString states = writeFolder({{"mystates", "ZZ\tZedland\r\nYY\tWyland\r\n"}}) +
                           QStringLiteral("/mystates.txt");

    const auto made = DataImporter::importStatesNameFile(states, QStringLiteral("usa"), *m_context);
    ASSERT_TRUE(made);
    ASSERT_EQ(made->size(), 2);
    EXPECT_EQ((*made)[0]->code(), QStringLiteral("ZZ"));
    EXPECT_EQ((*made)[0]->name(), QStringLiteral("Zedland"));
    EXPECT_EQ((*made)[0]->source(), QStringLiteral("userTextFile"));
    EXPECT_EQ((*made)[1]->country()->isoCode(), QStringLiteral("US"));

    const auto codes =
        DataImporter::importAreaCodeFile(states, QStringLiteral("Atlantis"), *m_context);
    ASSERT_TRUE(codes);
    EXPECT_FALSE((*codes)[0]->country());
    EXPECT_FALSE(DataImporter::importAreaCodeFile(states + u'x', QStringLiteral("US"), *m_context));
}

} // namespace
