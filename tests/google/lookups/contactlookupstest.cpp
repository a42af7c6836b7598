#include "google/lookups/contactlookups.h"

#include "addressbook/addressbookkeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrybuilders.h"

#include <gtest/gtest.h>

namespace {

using contactlookups::PersonNames;

class ContactLookupsTest : public ::testing::Test
{
protected:
    void setContacts(const std::vector<ContactSpec> &specs)
    {
        std::vector<GDataEntryContactPtr> contacts;
        for (const ContactSpec &spec : specs)
            contacts.push_back(makeContact(spec));
        lists.setContacts(contacts);
    }
    // The identifier of what was found, "" for nothing.
    static QString idOf(const GDataEntryContactPtr &contact)
    {
        return contact ? contact->identifier() : QString();
    }

    GoogleContactLists lists;
};

struct KeyCase
{
    const char *name;
    QString key;
    QString expected;
};

TEST_F(ContactLookupsTest, ContactForID_AnswersOnlyAUniqueIdentifier)
{
    setContacts({{u"c1"_qs, u"One"_qs}, {u"c2"_qs, u"Two"_qs}, {u"c2"_qs, u"Copy"_qs}});
    const KeyCase cases[] = {
        {"unique", u"c1"_qs, u"c1"_qs},
        {"held twice", u"c2"_qs, {}},
        {"missing", u"c9"_qs, {}},
        {"null", QString(), {}},
    };
    for (const KeyCase &c : cases)
        EXPECT_EQ(idOf(contactlookups::contactForID(lists, c.key)), c.expected) << c.name;
}

TEST_F(ContactLookupsTest, ContactForEmailAddress_IgnoresCaseAndNeedsOneContact)
{
    setContacts({{u"c1"_qs, u"Bob"_qs, {u"Bob@Example.com"_qs, u"bob@example.com"_qs}},
                 {u"c2"_qs, u"Ann"_qs, {u"ann@example.com"_qs}},
                 {u"c3"_qs, u"Ann again"_qs, {u"ANN@example.com"_qs}},
                 {u"c4"_qs, u"Eve"_qs, {u"eve@example.com"_qs}},
                 {u"c5"_qs, u"Åsa"_qs, {u"Åsa@Example.com"_qs}},
                 {u"c6"_qs, u"Kim"_qs, {u"\u212Aim@example.com"_qs}}});
    const KeyCase cases[] = {
        {"exact", u"eve@example.com"_qs, u"c4"_qs},
        {"other case", u"EVE@EXAMPLE.COM"_qs, u"c4"_qs},
        {"other case beyond ASCII", u"åsa@example.com"_qs, u"c5"_qs},
        // The Kelvin sign folds to a plain k.
        {"plain letters for a sign that folds to them", u"kim@example.com"_qs, u"c6"_qs},
        {"held twice by one contact", u"bob@example.com"_qs, u"c1"_qs},
        {"held by two contacts in different case", u"ann@example.com"_qs, {}},
        {"missing", u"zed@example.com"_qs, {}},
        {"null", QString(), {}},
    };
    for (const KeyCase &c : cases)
        EXPECT_EQ(idOf(contactlookups::contactForEmailAddress(lists, c.key)), c.expected) << c.name;
}

TEST_F(ContactLookupsTest, ContactForEmailAddress_FindsEveryAddressOfContactsWithMany)
{
    std::vector<ContactSpec> specs;
    for (int c = 0; c < 3; ++c) {
        QStringList addresses;
        for (int a = 0; a < 40; ++a)
            addresses.append(u"p%1.a%2@example.com"_qs.arg(c).arg(a));
        specs.push_back({u"c"_qs + QString::number(c), u"Many"_qs, addresses});
    }
    setContacts(specs);
    for (int c = 0; c < 3; ++c) {
        for (int a = 0; a < 40; ++a) {
            EXPECT_EQ(idOf(contactlookups::contactForEmailAddress(
                          lists, u"P%1.A%2@example.com"_qs.arg(c).arg(a))),
                      u"c"_qs + QString::number(c))
                << c << " " << a;
        }
    }
}

TEST_F(ContactLookupsTest, ContactForETag_AnswersOnlyAUniqueETag)
{
    setContacts({{u"c1"_qs, u"One"_qs, {}, {}, u"e1"_qs},
                 {u"c2"_qs, u"Two"_qs, {}, {}, u"e2"_qs},
                 {u"c3"_qs, u"Three"_qs, {}, {}, u"e2"_qs},
                 {u"c4"_qs, u"No photo"_qs}});
    const KeyCase cases[] = {
        {"unique", u"e1"_qs, u"c1"_qs},
        {"held twice", u"e2"_qs, {}},
        {"missing", u"e9"_qs, {}},
        {"null", QString(), {}},
    };
    for (const KeyCase &c : cases)
        EXPECT_EQ(idOf(contactlookups::contactForETag(lists, c.key)), c.expected) << c.name;
}

TEST_F(ContactLookupsTest, MembersOfGroupID_ListsMembersInListOrder)
{
    setContacts({{u"c1"_qs, u"One"_qs, {}, {u"g1"_qs, u"g2"_qs}},
                 {u"c2"_qs, u"Two"_qs, {}, {u"g2"_qs, u"g2"_qs}},
                 {u"c3"_qs, u"Three"_qs}});
    struct Case
    {
        QString group;
        QStringList expected;
    } cases[] = {
        {u"g2"_qs, {u"c1"_qs, u"c2"_qs}},
        {u"g1"_qs, {u"c1"_qs}},
        {u"g9"_qs, {}},
        {u""_qs, {}},
        {QString(), {}},
    };
    for (const Case &c : cases) {
        QStringList found;
        for (const GDataEntryContactPtr &contact : contactlookups::membersOfGroupID(lists, c.group))
            found.append(contact->identifier());
        EXPECT_EQ(found, c.expected) << c.group.toStdString();
        EXPECT_EQ(contactlookups::countOfMembersOfGroupID(lists, c.group), c.expected.size());
    }
}

struct NameCase
{
    const char *name;
    PersonNames person;
    QString expected;
};

TEST_F(ContactLookupsTest, ContactForName_MatchesWholeNamesOnly)
{
    setContacts({{u"alice"_qs, u"Alice Lindqvist"_qs},
                 {u"anna"_qs, u"anna smith jr"_qs},
                 {u"zoe"_qs, u"Zoë Ålund"_qs},
                 {u"bo1"_qs, u"Bo Berg"_qs},
                 {u"bo2"_qs, u"Berg, Bo"_qs},
                 {u"exact"_qs, u"Carl Dahl"_qs},
                 {u"acme"_qs, u"Someone at Acme"_qs, {}, {}, std::nullopt, {u"Acme Ltd"_qs}},
                 {u"mary"_qs, u"Mary Ann Jones"_qs}});
    using Kind = PersonNames::Kind;
    const NameCase cases[] = {
        {"a name that is only the start of other words",
         {Kind::Person, u"Al Li"_qs, u"Al"_qs, {}, {}, u"Li"_qs},
         {}},
        {"exact title",
         {Kind::Person, u"Carl Dahl"_qs, u"Carl"_qs, {}, {}, u"Dahl"_qs},
         u"exact"_qs},
        {"names inside a longer title, other case",
         {Kind::Person, u"Anna Maria Smith"_qs, u"Anna"_qs, u"Maria"_qs, {}, u"Smith"_qs},
         u"anna"_qs},
        {"diacritics ignored",
         {Kind::Person, u"Zoe Alund"_qs, u"Zoe"_qs, {}, {}, u"Alund"_qs},
         u"zoe"_qs},
        {"two contacts hold both names",
         {Kind::Person, u"Bo Berg Sr"_qs, u"Bo"_qs, {}, {}, u"Berg"_qs},
         {}},
        {"nickname beside the last name",
         {Kind::Person, u"X"_qs, {}, {}, u"Anna"_qs, u"Smith"_qs},
         u"anna"_qs},
        {"middle name beside the last name",
         {Kind::Person, u"X"_qs, {}, u"Anna"_qs, {}, u"Smith"_qs},
         u"anna"_qs},
        {"given name of two words",
         {Kind::Person, u"X"_qs, u"Mary Ann"_qs, {}, {}, u"Jones"_qs},
         u"mary"_qs},
        {"given name of two words out of order",
         {Kind::Person, u"X"_qs, u"Ann Mary"_qs, {}, {}, u"Jones"_qs},
         {}},
        {"last name alone", {Kind::Person, u"Smith"_qs, {}, {}, {}, u"Smith"_qs}, {}},
        {"first name alone", {Kind::Person, u"Anna"_qs, u"Anna"_qs, {}, {}, {}}, {}},
        {"company by organisation", {Kind::Company, u"Acme Ltd"_qs}, u"acme"_qs},
        {"company by part of an organisation", {Kind::Company, u"Acme"_qs}, {}},
        {"neither person nor company",
         {Kind::Neither, u"Anna Smith"_qs, u"Anna"_qs, {}, {}, u"Smith"_qs},
         {}},
        {"neither, exact title", {Kind::Neither, u"Carl Dahl"_qs}, u"exact"_qs},
    };
    for (const NameCase &c : cases)
        EXPECT_EQ(idOf(contactlookups::contactForName(lists, c.person)), c.expected) << c.name;
}

TEST_F(ContactLookupsTest, ContactForABIDAndGID_ReadOnlyTheContactsOwnPropertyAndTakeTheFirst)
{
    UserDefaults::standard().setObject(u"tolvaneContact"_qs,
                                       abkeys::googleContactExtendedPropertyName);
    std::vector<GDataEntryContactPtr> contacts;
    auto add = [&](const QString &id, const std::vector<GDataExtendedProperty> &properties) {
        contacts.push_back(makeContact({id, id}));
        contacts.back()->setExtendedProperties(properties);
    };
    add(u"own"_qs,
        {makeProperty(u"tolvaneContact"_qs, {{u"aID"_qs, u"p1"_qs}, {u"gID"_qs, u"g1"_qs}})});
    add(u"other"_qs,
        {makeProperty(u"elsewhere"_qs, {{u"aID"_qs, u"p2"_qs}, {u"gID"_qs, u"g2"_qs}})});
    add(u"two own"_qs, {makeProperty(u"tolvaneContact"_qs, {{u"aID"_qs, u"p3"_qs}}),
                        makeProperty(u"tolvaneContact"_qs, {{u"aID"_qs, u"p3"_qs}})});
    add(u"dup a"_qs,
        {makeProperty(u"tolvaneContact"_qs, {{u"aID"_qs, u"p4"_qs}, {u"gID"_qs, u"g4"_qs}})});
    add(u"dup b"_qs,
        {makeProperty(u"tolvaneContact"_qs, {{u"aID"_qs, u"p4"_qs}, {u"gID"_qs, u"g4"_qs}})});
    add(u"empty"_qs, {makeProperty(u"tolvaneContact"_qs, {{u"aID"_qs, u""_qs}})});
    lists.setContacts(contacts);
    const KeyCase abids[] = {
        {"own property", u"p1"_qs, u"own"_qs},
        {"another program's property", u"p2"_qs, {}},
        {"two properties of the program's name", u"p3"_qs, {}},
        {"held twice", u"p4"_qs, u"dup a"_qs},
        {"empty", u""_qs, {}},
        {"null", QString(), {}},
    };
    for (const KeyCase &c : abids)
        EXPECT_EQ(idOf(contactlookups::contactForABID(lists, c.key)), c.expected) << c.name;
    const KeyCase gids[] = {
        {"own property", u"g1"_qs, u"own"_qs},
        {"another program's property", u"g2"_qs, {}},
        {"held twice", u"g4"_qs, u"dup a"_qs},
        {"empty", u""_qs, {}},
    };
    for (const KeyCase &c : gids)
        EXPECT_EQ(idOf(contactlookups::contactForGID(lists, c.key)), c.expected) << c.name;
}

TEST_F(ContactLookupsTest, Lookups_OnAnEmptyList_FindNothing)
{
    EXPECT_EQ(contactlookups::contactForID(lists, u""_qs), nullptr);
    EXPECT_EQ(contactlookups::contactForEmailAddress(lists, u""_qs), nullptr);
    EXPECT_EQ(
        contactlookups::contactForName(lists, {PersonNames::Kind::Neither, u""_qs, {}, {}, {}, {}}),
        nullptr);
}

} // namespace
