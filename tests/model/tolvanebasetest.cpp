#include "model/refdata/country.h"
#include "model/refdata/region.h"
#include "storefixture.h"
#include "tests/support/scriptedprompter.h"

#include <QThread>

namespace {

using TolvaneBaseTest = StoreFixture;

TEST_F(TolvaneBaseTest, Dates_StampedOnInsertAndRestampedWhenAChangeIsSaved)
{
    Region *region = m_context->insertNew<Region>();
    region->setName(QStringLiteral("North"));
    const QDateTime created = region->dateCreated();
    ASSERT_TRUE(created.isValid());
    EXPECT_GE(region->dateLastModified(), created);
    ASSERT_TRUE(m_context->save(nullptr));

    QThread::msleep(5);
    region->setName(QStringLiteral("South"));
    ASSERT_TRUE(m_context->save(nullptr));
    EXPECT_GT(region->dateLastModified(), created);
    EXPECT_EQ(region->dateCreated(), created);

    auto other = openContext();
    Region *again = Region::lookup(QStringLiteral("South"), *other);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->dateLastModified(), region->dateLastModified());
}

TEST_F(TolvaneBaseTest, Notices_ForSettersAndInsertDatesButNotForTheRestampOnSave)
{
    recordChanges();
    Region *region = m_context->insertNew<Region>();
    EXPECT_EQ(takeChanges(), QStringList({"Region.dateCreated", "Region.dateLastModified"}));
    region->setName(QStringLiteral("North"));
    ASSERT_TRUE(m_context->save(nullptr));
    EXPECT_EQ(takeChanges(), QStringList({"Region.name"}));

    Country *country = m_context->insertNew<Country>();
    takeChanges();
    region->addCountriesObject(country);
    region->removeCountriesObject(country);
    EXPECT_EQ(takeChanges(), QStringList({"Region.countries +Country", "Country.region",
                                          "Region.countries -Country", "Country.region"}));
    m_context->deleteObject(country);

    QThread::msleep(5);
    region->setGeoRegion(QStringLiteral("Europe"));
    takeChanges();
    const QDateTime before = region->dateLastModified();
    ASSERT_TRUE(m_context->save(nullptr));
    EXPECT_GT(region->dateLastModified(), before);
    EXPECT_TRUE(takeChanges().isEmpty());
}

TEST_F(TolvaneBaseTest, MissingTemplate_AnswersNoResultAndLogsTheTemplate)
{
    EXPECT_FALSE(TolvaneManagedObject::allInContext(QStringLiteral("Planet"), *m_context));
    const QStringList written = lines();
    ASSERT_FALSE(written.isEmpty());
    EXPECT_TRUE(written.last().startsWith(
        QStringLiteral("[Planet allInContext:] (Template:allPlanet) Caught ")));
    EXPECT_TRUE(TolvaneBase::allActiveInContext(QStringLiteral("Planet"), *m_context).isEmpty());
}

TEST_F(TolvaneBaseTest, ActiveObjects_AreThoseMarkedActive)
{
    Country *active = m_context->insertNew<Country>();
    active->setIsActive(true);
    m_context->insertNew<Country>()->setIsActive(false);
    EXPECT_EQ(TolvaneBase::allActiveInContext(Country::entityName(), *m_context),
              QList<ManagedObject *>{active});
}

TEST_F(TolvaneBaseTest, ToManyHelpers_EmptyRelationshipGivesEmptyListAndNullText)
{
    Region *region = m_context->insertNew<Region>();
    EXPECT_TRUE(region->toManyArrayForKey(QStringLiteral("countries")).isEmpty());
    EXPECT_TRUE(region
                    ->toManyAttributesAsStringForKey(QStringLiteral("countries"),
                                                     QStringLiteral("name"), QStringLiteral(", "))
                    .isNull());
    for (const char *name : {"Chile", "Peru"}) {
        Country *country = m_context->insertNew<Country>();
        country->setName(QString::fromLatin1(name));
        region->addObjectToToManyRelationshipForKey(country, QStringLiteral("countries"));
        EXPECT_EQ(country->region(), region);
    }
    EXPECT_EQ(region->toManyAttributesAsStringForKey(QStringLiteral("countries"),
                                                     QStringLiteral("name"), QStringLiteral(", ")),
              QStringLiteral("Chile, Peru"));
}

TEST_F(TolvaneBaseTest, SetNilValue_LogsANoteAboveLevelZero)
{
    Country *country = m_context->insertNew<Country>();
    const QString note = QStringLiteral(
        "[Country setNilValueForKey:] NOTE: Attempting to set nilValue: minAreaCode");
    country->setNilValueForKey(QStringLiteral("minAreaCode"));
    EXPECT_FALSE(logged(note));
    setLevel(1);
    country->setNilValueForKey(QStringLiteral("minAreaCode"));
    EXPECT_TRUE(logged(note));
    EXPECT_TRUE(country->minAreaCode().isNull());
}

TEST_F(TolvaneBaseTest, RemoveTheseObjectIDs_DeletesTheRegisteredObjects)
{
    Region *kept = m_context->insertNew<Region>();
    Region *gone = m_context->insertNew<Region>();
    ASSERT_TRUE(m_context->save(nullptr));
    const QString id = kept->uniqueID();
    EXPECT_EQ(kept->uniqueID(), id);
    TolvaneManagedObject::removeTheseObjectIDs({gone->objectID()}, *m_context);
    EXPECT_EQ(TolvaneManagedObject::allInContext<Region>(*m_context), QList<Region *>{kept});
    EXPECT_EQ(TolvaneManagedObject::distinctSetForKey(Region::entityName(), QStringLiteral("type"),
                                                      *m_context),
              QVariantList{QVariant()});
}

TEST_F(TolvaneBaseTest, FailedValidation_IsReportedAndRefusesTheSave)
{
    ScriptedPrompter prompter;
    Region *region = m_context->insertNew<Region>();
    region->setValue(QStringLiteral("type"), QStringLiteral("not a number"));
    StoreError error;
    EXPECT_FALSE(m_context->save(&error));
    EXPECT_EQ(error.code, StoreError::InvalidValueType);
    EXPECT_EQ(prompter.shown().size(), 1);
    EXPECT_TRUE(TolvaneManagedObject::allInContext<Region>(*openContext())->isEmpty());
}

} // namespace
