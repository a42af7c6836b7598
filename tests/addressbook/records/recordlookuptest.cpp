#include "tests/support/addressbook/abtestbook.h"

#include "addressbook/google/linkproperties.h"
#include "addressbook/records/emaillookup.h"
#include "addressbook/records/namelookup.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "tests/support/logcapture.h"

#include <functional>

namespace {

using namespace AddressBookTool;

class RecordLookupTest : public AddressBookTest
{
};

void addJabber(const PersonPtr &person, const QString &property, const QString &handle)
{
    MutableMultiValue values(PropertyType::MultiString);
    values.addValue(handle, kABHomeLabel);
    person->setValueForProperty(QVariant::fromValue(MultiValue(values)), property);
}

struct LookupCase
{
    const char *name;
    // Adds `copies` records that the lookup should find by the key.
    std::function<void(int copies)> seed;
    std::function<RecordPtr()> lookup;
    QString severalLine;
};

TEST_F(RecordLookupTest, SingleLookups_FindOneAndTreatSeveralAsNoneWithALineAtLevelZero)
{
    ASSERT_TRUE(addTolvaneContactProperties());
    ASSERT_TRUE(addTolvaneGroupProperties());
    const LookupCase cases[] = {
        {"groupByName",
         [](int n) {
             for (int i = 0; i < n; ++i)
                 addGroup("Friends");
         },
         [] { return RecordPtr(groupByName("Friends")); }, "Multiple ABGroups with Name = Friends"},
        {"findByEmail",
         [](int n) {
             for (int i = 0; i < n; ++i)
                 addPerson("A", "B", {"ann@example.com"});
         },
         [] { return RecordPtr(findByEmail("ann@example.com")); },
         "Multiple records with Email = ann@example.com"},
        {"findByIM",
         [](int n) {
             for (int i = 0; i < n; ++i)
                 addJabber(addPerson("J", "K"), kABJabberInstantProperty, "jk@jabber.org");
         },
         [] { return RecordPtr(findByIM("jk@jabber.org")); },
         "Multiple records with IM = jk@jabber.org"},
        {"findPersonByPropery",
         [](int n) {
             for (int i = 0; i < n; ++i)
                 addPerson("P", "Q")->setValueForProperty(QStringLiteral("g1"), kContactIDProperty);
         },
         [] { return RecordPtr(findPersonByPropery(kContactIDProperty, "g1")); },
         "Multiple ABPersons with Value = g1 for Property = com.test.googleID"},
        {"groupByPropery",
         [](int n) {
             for (int i = 0; i < n; ++i)
                 addGroup("G")->setValueForProperty(QStringLiteral("gg"), kGroupIDProperty);
         },
         [] { return RecordPtr(groupByPropery(kGroupIDProperty, "gg")); },
         "Multiple ABGroups with Value = gg for Property = com.test.groupGoogleID"},
        {"findByName",
         [](int n) {
             for (int i = 0; i < n; ++i)
                 addPerson("Mary", "Smith");
         },
         [] { return RecordPtr(findByName("mary smith")); },
         "Multiple records with \"Name\" = mary smith"},
    };
    for (const LookupCase &c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture log;
        EXPECT_EQ(c.lookup(), nullptr);
        c.seed(1);
        const RecordPtr found = c.lookup();
        EXPECT_NE(found, nullptr);
        c.seed(1);
        EXPECT_EQ(c.lookup(), nullptr);
        EXPECT_EQ(log.lines(), QStringList{c.severalLine});
    }
}

TEST_F(RecordLookupTest, IdentifierLookups_TellPersonsFromGroups)
{
    const PersonPtr person = addPerson("Ann", "Lee");
    const GroupPtr group = addGroup("Team");
    EXPECT_EQ(personByABID(person->uniqueId()), person);
    EXPECT_EQ(personByABID(group->uniqueId()), nullptr);
    EXPECT_EQ(groupByABID(group->uniqueId()), group);
    EXPECT_TRUE(abidIsValidRecord(person->uniqueId()));
    EXPECT_FALSE(abidIsValidRecord(group->uniqueId()));
    EXPECT_TRUE(abidIsGroup(group->uniqueId()));
    EXPECT_FALSE(abidIsGroup(person->uniqueId()));
}

TEST_F(RecordLookupTest, MeRecord_IsFoundAndRecognised)
{
    const PersonPtr me = meAB();
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(myABID(), me->uniqueId());
    EXPECT_TRUE(isMe(me));
    EXPECT_FALSE(isMe(addPerson("Other", "One")));
    AddressBook::shared()->removeRecord(me);
    EXPECT_TRUE(myABID().isNull());
    EXPECT_FALSE(isMe(nullptr));
}

TEST_F(RecordLookupTest, FindByIM_JabberFirstAndAmbiguousJabberEndsTheLookup)
{
    const PersonPtr jabber = addPerson("J", "One");
    addJabber(jabber, kABJabberInstantProperty, "h@x.org");
    const PersonPtr aim = addPerson("A", "One");
    addJabber(aim, kABAIMInstantProperty, "h@x.org");
    EXPECT_EQ(findByIM("h@x.org"), jabber);
    addJabber(addPerson("J", "Two"), kABJabberInstantProperty, "h@x.org");
    EXPECT_EQ(findByIM("h@x.org"), nullptr);
    addJabber(addPerson("A", "Only"), kABAIMInstantProperty, "aim-only");
    EXPECT_NE(findByIM("aim-only"), nullptr);
}

struct NameCase
{
    const char *name;
    const char *query;
    const char *expectedFirst; // nullptr: no person
};

TEST_F(RecordLookupTest, FindByName_MatchesWholeNamesIgnoringCase)
{
    addPerson("Annabel", "Leeds");
    addPerson("Mary Ann", "Smith");
    addPerson("Anna", "Ann Smith");
    addPerson("Cher", QString());
    const NameCase cases[] = {
        // Parts of names no longer pick a person whose contact data would be overwritten.
        {"substrings", "ann lee", nullptr},
        {"whole names", "annabel LEEDS", "Annabel"},
        {"extra spaces", "  Annabel \t Leeds ", "Annabel"},
        {"one word is a first name", "cher", "Cher"},
        {"rest of the name is the last name", "Anna Ann Smith", "Anna"},
        {"else two first words", "Mary Ann Smith", "Mary Ann"},
        {"empty", "", nullptr},
        {"blank", "   ", nullptr},
    };
    for (const NameCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonPtr found = findByName(c.query);
        if (!c.expectedFirst) {
            EXPECT_EQ(found, nullptr);
            continue;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->valueForProperty(kABFirstNameProperty).toString(), c.expectedFirst);
    }
    EXPECT_EQ(findByName(QString()), nullptr);
}

TEST_F(RecordLookupTest, NameAndEmailCountsAndIdentifiers)
{
    const PersonPtr first = addPerson("Ann", "Lee", {"ann@x.org"});
    addPerson("ANN", "lee", {"Ann@X.org"});
    EXPECT_EQ(countForFirstName("ann", "LEE"), 2);
    EXPECT_EQ(countForFirstName("ann", "lee", "ann@x.org"), 2);
    EXPECT_EQ(abidForFirstName("Ann", "Lee"), first->uniqueId());
    EXPECT_EQ(abidForFirstName("Bob", "Lee"), "");
    EXPECT_EQ(abidForFirstName("Ann", "Lee", "nobody@x.org"), "");
    EXPECT_EQ(countForEmail("ann@x.org"), 1);
    // Two holders, case ignored: no single identifier.
    EXPECT_EQ(abidForEmail("ann@x.org"), "");
    const PersonPtr solo = addPerson("Solo", "One", {"solo@x.org"});
    EXPECT_EQ(abidForEmail("SOLO@x.org"), solo->uniqueId());
}

TEST_F(RecordLookupTest, KindsAndLists_CountEachRecordOnce)
{
    const PersonPtr zed = addPerson("Zed", "Adams");
    const PersonPtr amy = addPerson("Amy", "Brown");
    const PersonPtr acme = addCompany("Acme");
    const PersonPtr bolt = addCompany("Bolt");
    // Other show-as bits above the mask do not change the kind.
    bolt->setValueForProperty(kABShowAsCompany | 8, kABPersonFlags);
    EXPECT_TRUE(personIsPerson(zed));
    EXPECT_FALSE(personIsCompany(zed));
    EXPECT_TRUE(personIsCompany(bolt));
    EXPECT_FALSE(personIsPerson(acme));
    EXPECT_FALSE(personIsPerson(nullptr));
    EXPECT_TRUE(abidIsCompany(acme->uniqueId()));
    EXPECT_TRUE(abidIsPerson(amy->uniqueId()));
    EXPECT_FALSE(abidIsPerson(QString()));

    const QList<PersonPtr> people = allPeople();
    EXPECT_EQ(people.size(), 3); // the Me record, Amy, Zed
    EXPECT_FALSE(people.contains(acme));
    EXPECT_LT(people.indexOf(amy), people.indexOf(zed));
    EXPECT_EQ(allCompanies(), (QList<PersonPtr>{acme, bolt}));
    EXPECT_EQ(allRecords().size(), 5);
}

TEST_F(RecordLookupTest, AllGroups_SortedByNameAndEmptyWithoutGroups)
{
    EXPECT_TRUE(allGroups().isEmpty());
    const GroupPtr b = addGroup("B");
    const GroupPtr a = addGroup("A");
    EXPECT_EQ(allGroups(), (QList<GroupPtr>{a, b}));
}

TEST_F(RecordLookupTest, SubstringSearches_LookInTheirFieldsOnly)
{
    const PersonPtr noted = addPerson("N", "Noted");
    noted->setValueForProperty(QStringLiteral("met at the Harbour fair"), kABNoteProperty);
    const PersonPtr worker = addPerson("W", "Worker");
    worker->setValueForProperty(QStringLiteral("Harbour Works"), kABOrganizationProperty);
    const PersonPtr resident = addPerson("R", "Resident");
    MutableMultiValue addresses(PropertyType::MultiDictionary);
    addresses.addValue(QVariantMap{{kABAddressCityKey, QStringLiteral("Harbourtown")}},
                       kABHomeLabel);
    addresses.addValue(QVariantMap{{kABAddressCityKey, QStringLiteral("Elsewhere")},
                                   {kABAddressZIPKey, QStringLiteral("harbour")}},
                       kABWorkLabel);
    resident->setValueForProperty(QVariant::fromValue(MultiValue(addresses)), kABAddressProperty);
    const PersonPtr named = addPerson("Harbour", "Named");

    EXPECT_EQ(peopleWithNotesString("harbour"), QList<PersonPtr>{noted});
    EXPECT_EQ(peopleWithOrganizationString("harbour"), QList<PersonPtr>{worker});
    EXPECT_EQ(peopleWithAddressString("harbour"), QList<PersonPtr>{resident});
    EXPECT_EQ(peopleWithNameString("harbour"), QList<PersonPtr>{named});
}

TEST_F(RecordLookupTest, DuplicatesByEmail_ListsEachRepeat)
{
    addPerson("A", "1", {"x@y.org", "solo@y.org"});
    addPerson("A", "2", {"x@y.org"});
    addPerson("A", "3", {"x@y.org", "X@y.org"});
    EXPECT_EQ(duplicatesByEmail(), (QStringList{"x@y.org", "x@y.org"}));
}

} // namespace
