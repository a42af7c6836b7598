#include "model/tolvaneowner.h"
#include "model/owneraddressbook.h"
#include "model/refdata/region.h"
#include "platform/addressbook/abconstants.h"
#include "platform/ui/termination.h"
#include "storefixture.h"
#include "tests/support/scriptedprompter.h"

#include <QLocale>

namespace {

// The Me record and the address book layer's accessors, as a test sets them.
class FakeAddressBook : public OwnerAddressBook
{
public:
    QString meUniqueId() override { return uniqueId; }
    QString meValueForProperty(const QString &property) override { return values.value(property); }
    QString primaryEmailForPerson() override { return email; }
    QString homePhoneForPerson() override { return homePhone; }
    QString mobilePhoneForPerson() override { return QString(); }
    QString workPhoneForPerson() override { return workPhone; }
    QString urlForPersonForLabel(const QString &label) override
    {
        return label == kABHomePageLabel ? homePage : QString();
    }
    QVariantMap primaryAddressForPerson() override { return address; }

    QString uniqueId = QStringLiteral("ME-1:ABPerson");
    QHash<QString, QString> values{{kABFirstNameProperty, QStringLiteral("Ada")},
                                   {kABLastNameProperty, QStringLiteral("Lovelace")},
                                   {kABOrganizationProperty, QStringLiteral("Engines Ltd")}};
    QString email = QStringLiteral("ada@example.com");
    QString homePhone = QStringLiteral("555-1234");
    QString workPhone;
    QString homePage = QStringLiteral("http://example.com");
    QVariantMap address{{kABAddressStreetKey, QStringLiteral("1 Main St\rSuite 5\rBack door")},
                        {kABAddressCityKey, QStringLiteral("Springfield")},
                        {kABAddressZIPKey, QStringLiteral("12345")},
                        {kABAddressCountryKey, QStringLiteral("Freedonia")}};
};

class TolvaneOwnerTest : public StoreFixture
{
protected:
    FakeAddressBook m_addressBook;
};

TEST_F(TolvaneOwnerTest, EmptyStore_CreatesOneOwnerThatIsFoundAgain)
{
    TolvaneOwner *owner = TolvaneOwner::sharedOwnerInContext(*m_context, m_addressBook);
    ASSERT_TRUE(owner);
    EXPECT_TRUE(logged(QStringLiteral("Shared Owner Record - Created")));
    EXPECT_EQ(owner->abID(), QStringLiteral("ME-1:ABPerson"));
    EXPECT_EQ(owner->nameFirst(), QStringLiteral("Ada"));
    EXPECT_EQ(owner->namePrefix(), QStringLiteral(""));
    EXPECT_EQ(owner->email(), QStringLiteral("ada@example.com"));
    EXPECT_EQ(owner->url(), QStringLiteral("http://example.com"));
    EXPECT_EQ(owner->address(), QStringLiteral("1 Main St"));
    EXPECT_EQ(owner->address2(), QStringLiteral("Suite 5"));
    EXPECT_EQ(owner->state(), QStringLiteral(""));
    EXPECT_EQ(owner->country(), QStringLiteral("Freedonia"));
    EXPECT_FALSE(owner->nameShort().isEmpty());
    EXPECT_EQ(owner->dateCreated(), owner->dateLastModified());

    EXPECT_EQ(TolvaneOwner::sharedOwnerInContext(*m_context, m_addressBook), owner);
    EXPECT_TRUE(logged(QStringLiteral("Shared Owner Record - Loaded")));

    // The owner is in the store file at once, so the other program loads it.
    auto agent = openContext();
    TolvaneOwner *loaded = TolvaneOwner::sharedOwnerInContext(*agent, m_addressBook);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->uniqueID(), owner->uniqueID());
    EXPECT_EQ(TolvaneManagedObject::allInContext<TolvaneOwner>(*agent)->size(), 1);
}

TEST_F(TolvaneOwnerTest, SecondOwnerFromAnotherProgram_IsRefusedByTheStore)
{
    ASSERT_TRUE(TolvaneOwner::sharedOwnerInContext(*m_context, m_addressBook));
    auto agent = openContext();
    agent->insertNew<TolvaneOwner>();
    StoreError error;
    EXPECT_FALSE(agent->save(&error));
    EXPECT_EQ(error.code, StoreError::UniqueConstraint);
}

TEST_F(TolvaneOwnerTest, SeveralOwners_KeepTheOldestAndDropTheOthers)
{
    TolvaneOwner *first = m_context->insertNew<TolvaneOwner>();
    TolvaneOwner *second = m_context->insertNew<TolvaneOwner>();
    first->setDateCreated(QDateTime::currentDateTime().addSecs(-60));
    EXPECT_EQ(TolvaneOwner::loadOwnerInContext(*m_context), first);
    EXPECT_TRUE(logged(QStringLiteral("ERROR - Multiple Owner records found")));
    EXPECT_TRUE(second->isDeleted());
    EXPECT_TRUE(m_context->save(nullptr));
    EXPECT_EQ(TolvaneOwner::sharedOwnerInContext(*m_context, m_addressBook), first);
}

TEST_F(TolvaneOwnerTest, FailedFetch_CreatesNoOwnerAndEndsWithTheFatalAlert)
{
    ASSERT_TRUE(m_context->save(nullptr));
    execOnStoreFile(QStringLiteral("DROP TABLE \"TolvaneOwner\""));
    ScriptedPrompter prompter;
    int terminations = 0;
    const auto previous = termination::setHandler([&terminations] { ++terminations; });
    EXPECT_FALSE(TolvaneOwner::sharedOwnerInContext(*m_context, m_addressBook));
    termination::setHandler(previous);
    EXPECT_EQ(terminations, 1);
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown()[0].prompt.message,
              QStringLiteral("This application has encountered fatal error: 1103."));
    EXPECT_TRUE(m_context->insertedObjects().isEmpty());
    EXPECT_FALSE(logged(QStringLiteral("Shared Owner Record - Created")));
    EXPECT_FALSE(TolvaneOwner::loadOwnerInContext(*m_context));
}

TEST_F(TolvaneOwnerTest, Street_SplitsAtAnyLineBreakAndAddressMayBeMissing)
{
    const struct
    {
        const char *street;
        const char *address;
        const char *address2;
    } cases[] = {{"A\r\nB\r\nC", "A", "B"}, {"A\nB", "A", "B"}, {"A", "A", ""}};
    for (const auto &c : cases) {
        m_addressBook.address[kABAddressStreetKey] = QString::fromLatin1(c.street);
        TolvaneOwner *owner =
            TolvaneOwner::populateOwner(m_context->insertNew<TolvaneOwner>(), m_addressBook);
        EXPECT_EQ(owner->address(), QString::fromLatin1(c.address)) << c.street;
        EXPECT_EQ(owner->address2(), QString::fromLatin1(c.address2)) << c.street;
    }
    m_addressBook.address.clear();
    TolvaneOwner *owner =
        TolvaneOwner::populateOwner(m_context->insertNew<TolvaneOwner>(), m_addressBook);
    EXPECT_EQ(owner->city(), QStringLiteral(""));
    EXPECT_EQ(owner->csz(), QStringLiteral(",    "));
    const QLocale locale;
    EXPECT_EQ(owner->country(), locale.nativeTerritoryName().isEmpty()
                                    ? QLocale::territoryToString(locale.territory())
                                    : locale.nativeTerritoryName());
}

TEST_F(TolvaneOwnerTest, ComposedStrings)
{
    TolvaneOwner *owner = m_context->insertNew<TolvaneOwner>();
    EXPECT_TRUE(owner->nameFull().isNull());
    EXPECT_TRUE(owner->nameComplete().isNull());
    owner->setNameFirst(QStringLiteral("Ada"));
    EXPECT_EQ(owner->nameFull(), QStringLiteral("Ada"));
    owner->setNameLast(QStringLiteral("Lovelace"));
    owner->setNameSuffix(QStringLiteral("PhD"));
    EXPECT_EQ(owner->nameComplete(), QStringLiteral("Ada Lovelace PhD"));
    owner->setNamePrefix(QStringLiteral("Lady"));
    EXPECT_EQ(owner->nameComplete(), QStringLiteral("Lady Ada Lovelace, PhD"));

    const struct
    {
        const char *city, *state, *postal, *expected;
    } cases[] = {
        {"Bath", "Somerset", "BA1", "Bath,  Somerset  BA1"},
        {"Bath", nullptr, "BA1", "Bath,  BA1"},
        {"Bath", nullptr, nullptr, "Bath"},
        {nullptr, "Somerset", nullptr, "Somerset  "},
        {nullptr, "Somerset", "BA1", "Somerset  BA1"},
        {nullptr, nullptr, "BA1", "BA1"},
    };
    for (const auto &c : cases) {
        TolvaneOwner *place = m_context->insertNew<TolvaneOwner>();
        place->setCity(c.city ? QString::fromLatin1(c.city) : QString());
        place->setState(c.state ? QString::fromLatin1(c.state) : QString());
        place->setPostalCode(c.postal ? QString::fromLatin1(c.postal) : QString());
        EXPECT_EQ(place->csz(), QString::fromLatin1(c.expected)) << c.expected;
    }

    owner->setPhoneHome(QStringLiteral("555"));
    owner->setEmail(QStringLiteral("ada@example.com"));
    EXPECT_EQ(owner->footerString(), QStringLiteral(""));
    owner->setOrganizationName(QStringLiteral("Engines"));
    owner->setAddress(QStringLiteral("1 Main St"));
    owner->setCity(QStringLiteral("Bath"));
    owner->setCountry(QStringLiteral("UK"));
    EXPECT_EQ(owner->footerString(),
              QStringLiteral("Engines - 1 Main St - Bath UK - (h)555 - ada@example.com"));
}

TEST_F(TolvaneOwnerTest, TransientSetters_StoreNothingAndLogAboveLevelZero)
{
    TolvaneOwner *owner = m_context->insertNew<TolvaneOwner>();
    owner->setCity(QStringLiteral("Bath"));
    owner->setCsz(QStringLiteral("elsewhere"));
    EXPECT_EQ(owner->csz(), QStringLiteral("Bath"));
    const QString line = QStringLiteral(
        "[TolvaneOwner setCsz:] - Attempt to change Seller - transient attribute -csz");
    EXPECT_FALSE(logged(line));
    setLevel(1);
    owner->setCsz(QStringLiteral("elsewhere"));
    EXPECT_TRUE(logged(line));
}

TEST_F(TolvaneOwnerTest, MenuPrefs_AddAndRemoveRegionsBothWays)
{
    TolvaneOwner *owner = TolvaneOwner::sharedOwnerInContext(*m_context, m_addressBook);
    Region *region = m_context->insertNew<Region>();
    region->setName(QStringLiteral("Caribbean"));
    recordChanges();
    owner->addMenuPrefsObject(region);
    owner->addMenuPrefsObject(region); // already there: nothing to announce
    EXPECT_EQ(takeChanges(),
              QStringList({"TolvaneOwner.menuPrefs +Region", "Region.preferInMenu +TolvaneOwner"}));
    ASSERT_TRUE(m_context->save(nullptr));

    auto other = openContext();
    TolvaneOwner *loaded = TolvaneOwner::loadOwnerInContext(*other);
    ASSERT_TRUE(loaded);
    const QList<ManagedObject *> prefs = loaded->menuPrefs();
    ASSERT_EQ(prefs.size(), 1);
    EXPECT_EQ(static_cast<Region *>(prefs[0])->name(), QStringLiteral("Caribbean"));
    owner->removeMenuPrefsObject(region);
    EXPECT_EQ(takeChanges(),
              QStringList({"TolvaneOwner.menuPrefs -Region", "Region.preferInMenu -TolvaneOwner"}));
    loaded->removeMenuPrefsObject(static_cast<Region *>(prefs[0]));
    EXPECT_TRUE(prefs[0]->toMany(QStringLiteral("preferInMenu")).isEmpty());
}

} // namespace
