#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/fakegoogleentries.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/abgrouptolvane.h"
#include "addressbook/google/abpersontolvane.h"
#include "addressbook/google/googlecontactmatching.h"
#include "addressbook/google/googlegroupmatching.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/text/textdate.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/logcapture.h"

#include <QTimeZone>

namespace {

using namespace AddressBookTool;

class GoogleMatchingTest : public AddressBookTest
{
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        ASSERT_TRUE(addTolvaneContactProperties());
        ASSERT_TRUE(addTolvaneGroupProperties());
    }

    static FakeGoogleContact contact(const QString &id, std::optional<QString> title,
                                     const QStringList &emails = {})
    {
        FakeGoogleContact entry;
        entry.id = id;
        entry.titleText = std::move(title);
        entry.emails = emails;
        return entry;
    }

    static FakeGoogleGroup googleGroup(const QString &id, const QString &title)
    {
        FakeGoogleGroup entry;
        entry.id = id;
        entry.titleText = title;
        entry.updated = QDateTime(QDate(2009, 3, 14), QTime(15, 9, 26), QTimeZone::utc());
        return entry;
    }

    static QString groupName(const GroupPtr &group)
    {
        return group->valueForProperty(kABGroupNameProperty).toString();
    }

    static int personCount() { return int(AddressBook::shared()->people().size()); }
};

// --- contacts ---

TEST_F(GoogleMatchingTest, Contact_MatchedInOrder_StoredIDThenLinkThenEmailThenName)
{
    const PersonPtr byStored = addPerson("Stored", "One", {"shared@x.org"});
    const PersonPtr byLink = addPerson("Linked", "Two", {"shared@x.org"});
    setGoogleID("g-link", byLink);
    const PersonPtr byEmail = addPerson("Mail", "Three", {"mail@x.org"});
    const PersonPtr byName = addPerson("Name", "Four");

    FakeGoogleContact stored = contact("g-stored", "Name Four", {"mail@x.org"});
    stored.properties = {{kContactExtended, {{"aID", byStored->uniqueId()}}}};
    FakeGoogleContact linked = contact("g-link", "Name Four", {"mail@x.org"});
    const FakeGoogleContact mailed = contact("g-mail", "Name Four", {"mail@x.org"});
    const FakeGoogleContact named = contact("g-name", "name four");

    for (auto find : {existingABPersonForGoogleContact, personForGoogleContact}) {
        EXPECT_EQ(find(stored), byStored);
        EXPECT_EQ(find(linked), byLink);
    }
    EXPECT_EQ(existingABPersonForGoogleContact(mailed), byEmail);
    EXPECT_EQ(existingABPersonForGoogleContact(named), byName);
    EXPECT_TRUE(tolvane::googleID(byEmail).isNull());
    EXPECT_EQ(personForGoogleContact(mailed), byEmail);
    EXPECT_EQ(tolvane::googleID(byEmail), "g-mail");
    EXPECT_EQ(personForGoogleContact(named), byName);
    EXPECT_EQ(tolvane::googleID(byName), "g-name");
    // A found record keeps whatever it carried.
    EXPECT_TRUE(tolvane::googleID(byStored).isNull());
}

TEST_F(GoogleMatchingTest, Contact_StoredIDThatIsNotUsableIsPassedOver)
{
    const PersonPtr target = addPerson("T", "Arget");
    const PersonPtr other = addPerson("O", "Ther");
    const QList<std::pair<QString, QHash<QString, QString>>> unusable[] = {
        {{kContactExtended, {{"aID", ""}}}},
        {{kContactExtended, {{"other", target->uniqueId()}}}},
        {{kContactExtended, {{"aID", target->uniqueId()}}},
         {kContactExtended, {{"aID", target->uniqueId()}}}},
        {{"someoneElse", {{"aID", target->uniqueId()}}}},
    };
    for (const auto &properties : unusable) {
        FakeGoogleContact entry = contact("g", "O Ther");
        entry.properties = properties;
        EXPECT_EQ(existingABPersonForGoogleContact(entry), other);
    }
}

TEST_F(GoogleMatchingTest, Contact_WithoutEmailOrLinkIsReusedAtEveryUpdate)
{
    // A contact without record identifier and e-mail used to get a new person at every run.
    const FakeGoogleContact entry = contact("g-plain", "Plain Person");
    const PersonPtr first = personForGoogleContact(entry);
    ASSERT_NE(first, nullptr);
    first->setValueForProperty(QStringLiteral("Plain"), kABFirstNameProperty);
    first->setValueForProperty(QStringLiteral("Person"), kABLastNameProperty);
    const int count = personCount();
    EXPECT_EQ(personForGoogleContact(entry), first);
    EXPECT_EQ(personForGoogleContact(entry), first);
    EXPECT_EQ(personCount(), count);
}

TEST_F(GoogleMatchingTest, Contact_NameMatchLinkedToItselfIsReused)
{
    const PersonPtr person = addPerson("Self", "Linked");
    setGoogleID("g-self", person);
    // Two persons carry the link, so the link lookup is ambiguous; the name still finds it.
    setGoogleID("g-self", addPerson("Twin", "Linked"));
    EXPECT_EQ(personForGoogleContact(contact("g-self", "Self Linked")), person);
}

TEST_F(GoogleMatchingTest, Contact_PersonLinkedToAnotherContactIsNeverTaken)
{
    const PersonPtr taken = addPerson("Shared", "Address", {"family@x.org"});
    setGoogleID("g-first", taken);
    const int count = personCount();

    // Two Google contacts share an address: the second gets a person of its own.
    const PersonPtr byEmail =
        personForGoogleContact(contact("g-second", "Other", {"family@x.org"}));
    ASSERT_NE(byEmail, nullptr);
    EXPECT_NE(byEmail, taken);
    EXPECT_EQ(tolvane::googleID(byEmail), "g-second");
    EXPECT_EQ(tolvane::googleID(taken), "g-first");

    const PersonPtr byName = personForGoogleContact(contact("g-third", "Shared Address"));
    EXPECT_NE(byName, taken);
    EXPECT_EQ(tolvane::googleID(byName), "g-third");
    EXPECT_EQ(personCount(), count + 2);
}

TEST_F(GoogleMatchingTest, Contact_PrimaryEmailBeforeTheFirst)
{
    const PersonPtr primary = addPerson("P", "Rimary", {"primary@x.org"});
    addPerson("F", "Irst", {"first@x.org"});
    FakeGoogleContact entry = contact("g", std::nullopt, {"first@x.org", "primary@x.org"});
    entry.primaryEmail = "primary@x.org";
    EXPECT_EQ(existingABPersonForGoogleContact(entry), primary);
}

TEST_F(GoogleMatchingTest, Contact_WithNeitherEmailNorTitleIsSkippedWithALine)
{
    const FakeGoogleContact bare = contact("g-bare", std::nullopt);
    LogCapture::setLevel(1);
    LogCapture log;
    const int count = personCount();
    EXPECT_EQ(existingABPersonForGoogleContact(bare), nullptr);
    EXPECT_EQ(personForGoogleContact(bare), nullptr);
    EXPECT_EQ(personCount(), count);
    EXPECT_EQ(log.lines(),
              (QStringList{"[AddressBookTool existingABPersonForGoogleContact:] Google contact w/o "
                           "Email or Tite: contact g-bare",
                           "[AddressBookTool personForGoogleContact:] Google contact w/o Email or "
                           "Tite: g-bare"}));
}

TEST_F(GoogleMatchingTest, Contact_UnknownEmailWithoutTitleMakesALinkedPerson)
{
    const FakeGoogleContact entry = contact("g-new", std::nullopt, {"nobody@x.org"});
    EXPECT_EQ(existingABPersonForGoogleContact(entry), nullptr);
    const PersonPtr made = personForGoogleContact(entry);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(tolvane::googleID(made), "g-new");
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
}

TEST_F(GoogleMatchingTest, CreatePerson_CarriesOnlyTheLinkAndTheCreationTimeWhenAsked)
{
    const PersonPtr plain = createPersonWithGoogleID("g-1");
    EXPECT_EQ(tolvane::googleID(plain), "g-1");
    EXPECT_FALSE(plain->valueForProperty(kABNoteProperty).isValid());
    EXPECT_FALSE(plain->valueForProperty(kABFirstNameProperty).isValid());

    UserDefaults::standard().setBool(true, abkeys::abUpdateIncludeCreateDate);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const PersonPtr dated = createPersonWithGoogleID("g-2");
    const QDateTime noted = textdate::parse(dated->valueForProperty(kABNoteProperty).toString());
    EXPECT_TRUE(noted.isValid());
    EXPECT_GE(noted, before);
    AddressBook reader(AddressBook::databasePath(), 4242, QStringLiteral("reader"));
    EXPECT_NE(reader.personForUniqueId(dated->uniqueId()), nullptr);
}

// --- groups ---

TEST_F(GoogleMatchingTest, Group_MatchedByStoredIDThenLinkThenName)
{
    const GroupPtr stored = addGroup("Stored");
    const GroupPtr linked = addGroup("Linked");
    setGoogleID("gg-link", linked);
    const GroupPtr named = addGroup("Named");

    FakeGoogleGroup byStored = googleGroup("gg-stored", "Named");
    byStored.properties = {{kGroupExtended, {{"aID", stored->uniqueId()}}}};
    EXPECT_EQ(existingABGroupForGoogleGroup(byStored), stored);
    EXPECT_EQ(existingABGroupForGoogleGroup(googleGroup("gg-link", "Named")), linked);
    EXPECT_EQ(existingABGroupForGoogleGroup(googleGroup("gg-x", "Named")), named);
    EXPECT_EQ(existingABGroupForGoogleGroup(googleGroup("gg-y", "Nothing")), nullptr);

    // Finding and linking: the stored match takes the Google name and the link.
    EXPECT_EQ(groupForGoogleGroup(byStored), stored);
    EXPECT_EQ(groupName(stored), "Named");
    EXPECT_EQ(tolvane::googleID(stored), "gg-stored");
}

TEST_F(GoogleMatchingTest, Group_NameMatchIsRelinkedAndStamped)
{
    UserDefaults::standard().setString(QStringLiteral("mask-9"), abkeys::addressBookDataMask);
    const GroupPtr group = addGroup("Family");
    setGoogleID("gg-old", group);
    const FakeGoogleGroup entry = googleGroup("gg-new", "Family");
    EXPECT_EQ(groupForGoogleGroup(entry), group);
    EXPECT_EQ(tolvane::googleID(group), "gg-new");
    const LinkPropertyNames names = groupLinkPropertyNames();
    EXPECT_EQ(textdate::parse(group->valueForProperty(names.version).toString()), entry.updated);
    EXPECT_TRUE(textdate::parse(group->valueForProperty(names.asOfDate).toString()).isValid());
    EXPECT_EQ(group->valueForProperty(names.dataMask).toString(), "mask-9");
}

TEST_F(GoogleMatchingTest, Group_SystemGroupPrefixIsDroppedOnlyAtTheStart)
{
    const GroupPtr coworkers = addGroup("Coworkers");
    const FakeGoogleGroup system = googleGroup("gg-sys", "System Group: Coworkers");
    EXPECT_EQ(existingABGroupForGoogleGroup(system), nullptr);
    EXPECT_EQ(groupForGoogleGroup(system), coworkers);

    const GroupPtr made = groupForGoogleGroup(googleGroup("gg-odd", "My System Group: list"));
    EXPECT_EQ(groupName(made), "My System Group: list");
}

TEST_F(GoogleMatchingTest, Group_NewGroupIsAddedLinkedAndUnsaved)
{
    const GroupPtr made = groupForGoogleGroup(googleGroup("gg-new", "Brand New"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(groupByName("Brand New"), made);
    EXPECT_EQ(tolvane::googleID(made), "gg-new");
    EXPECT_TRUE(AddressBook::shared()->hasUnsavedChanges());
}

TEST_F(GoogleMatchingTest, Group_SmartGroupNameStaysMarkedAtEveryUpdate)
{
    const GroupPtr smart = addSmartGroup(
        "Clients",
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                   QStringLiteral("X"), SearchElement::Comparison::Equal));
    const FakeGoogleGroup entry = googleGroup("gg-clients", "Clients");
    const GroupPtr made = groupForGoogleGroup(entry);
    ASSERT_NE(made, smart);
    EXPECT_EQ(groupName(made), "(G) Clients");
    // The next update finds it by its link and keeps the mark, so both names stay findable.
    EXPECT_EQ(groupForGoogleGroup(entry), made);
    EXPECT_EQ(groupName(made), "(G) Clients");
    EXPECT_EQ(groupByName("Clients"), smart);
    EXPECT_EQ(groupByName("(G) Clients"), made);
}

} // namespace
