#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/fields/personemail.h"
#include "addressbook/fields/personnames.h"
#include "addressbook/records/mynames.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

namespace {

using namespace AddressBookTool;

using PersonNamesTest = AddressBookTest;

struct NameCase
{
    const char *name;
    QVariantMap parts;
    bool company;
    QString firstLast;
    QString full; // null: no full name
    QString shortName;
    QString formal; // null: no formal name
};

TEST_F(PersonNamesTest, NameForms)
{
    const NameCase cases[] = {
        {"first only", {{kABFirstNameProperty, "Ann"}}, false, "Ann", "Ann", "Ann", "Ann "},
        {"nothing", {}, false, "No Assigned Name", "", "", ""},
        {"last only", {{kABLastNameProperty, "Lee"}}, false, "Lee", "Lee", "Lee", "Lee "},
        {"nickname",
         {{kABFirstNameProperty, "Robert"},
          {kABLastNameProperty, "Ray"},
          {kABNicknameProperty, "Bob"}},
         false,
         "Robert Ray",
         "Robert \"Bob\" Ray",
         "Bob",
         "Robert Ray "},
        {"nickname equal to first",
         {{kABFirstNameProperty, "Bob"},
          {kABLastNameProperty, "Ray"},
          {kABNicknameProperty, "Bob"}},
         false,
         "Bob Ray",
         "Bob Ray",
         "Bob",
         "Bob Ray "},
        {"middle name last",
         {{kABMiddleNameProperty, "Quincy"}},
         false,
         "No Assigned Name",
         "",
         "Quincy",
         "Q. "},
        {"organisation of a person",
         {{kABOrganizationProperty, "Acme"}},
         false,
         "No Assigned Name",
         "",
         "Acme",
         ""},
        {"company",
         {{kABOrganizationProperty, "Acme"}, {kABFirstNameProperty, "Ann"}},
         true,
         "Acme",
         "Acme",
         "Acme",
         "Acme"},
        {"company without organisation",
         {{kABFirstNameProperty, "Ann"}, {kABLastNameProperty, "Lee"}},
         true,
         "Ann Lee",
         QString(),
         "",
         QString()},
        {"formal name with title, middle name and no suffix",
         {{kABTitleProperty, "Dr."},
          {kABFirstNameProperty, "Ann"},
          {kABMiddleNameProperty, "Beatrix"},
          {kABLastNameProperty, "Lee"}},
         false,
         "Ann Lee",
         "Ann Lee",
         "Ann",
         "Dr. Ann B. Lee "},
        {"formal name with a suffix",
         {{kABFirstNameProperty, "Ann"}, {kABLastNameProperty, "Lee"}, {kABSuffixProperty, "Jr."}},
         false,
         "Ann Lee",
         "Ann Lee",
         "Ann",
         "Ann Lee Jr."},
    };
    for (const NameCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonPtr person = personNamed(c.parts, c.company);
        EXPECT_EQ(firstLastNameForPerson(person), c.firstLast);
        EXPECT_EQ(fullNameForPerson(person).isNull(), c.full.isNull());
        EXPECT_EQ(fullNameForPerson(person), c.full);
        EXPECT_EQ(shortNameForPerson(person), c.shortName);
        EXPECT_EQ(formalNameForPerson(person).isNull(), c.formal.isNull());
        EXPECT_EQ(formalNameForPerson(person), c.formal);
    }
    EXPECT_EQ(shortNameForPerson(nullptr), "");
}

TEST_F(PersonNamesTest, PrimaryEmail_PrimaryElseFirstElseEmpty)
{
    const PersonPtr person = addPerson("E", "Mail");
    EXPECT_EQ(primaryEmailForPerson(person), "");
    MutableMultiValue emails(PropertyType::MultiString);
    emails.addValue(QStringLiteral("first@x.org"), kABHomeLabel);
    const QString second = emails.addValue(QStringLiteral("second@x.org"), kABWorkLabel);
    person->setValueForProperty(QVariant::fromValue(MultiValue(emails)), kABEmailProperty);
    EXPECT_EQ(primaryEmailForPerson(person), "first@x.org");
    emails.setPrimaryIdentifier(second);
    person->setValueForProperty(QVariant::fromValue(MultiValue(emails)), kABEmailProperty);
    EXPECT_EQ(primaryEmailForPerson(person), "second@x.org");
}

TEST_F(PersonNamesTest, MyNamesAndAddresses_ReadTheMeRecord)
{
    const PersonPtr me = meAB();
    ASSERT_NE(me, nullptr);
    me->setValueForProperty(QStringLiteral("Jo"), kABFirstNameProperty);
    me->setValueForProperty(QStringLiteral("Doe"), kABLastNameProperty);
    me->setValueForProperty(QStringLiteral("JD"), kABNicknameProperty);
    setEmails(me, {"jo@gmail.com", "jo@work.org", "JO.DOE@GMAIL.COM"});
    EXPECT_EQ(myShortName(), "JD");
    EXPECT_EQ(myFullName(), "Jo \"JD\" Doe");
    EXPECT_EQ(myFirstLastName(), "Jo Doe");
    EXPECT_EQ(myGoogleEmail(), "JO.DOE@GMAIL.COM");
    EXPECT_EQ(myEmail(), "jo@gmail.com");
    const QList<QVariantMap> addresses = myEmailAddresses();
    ASSERT_EQ(addresses.size(), 3);
    EXPECT_EQ(addresses[1], (QVariantMap{{"emailAddress", "jo@work.org"}}));
}

TEST_F(PersonNamesTest, MyNames_WithoutAMeRecord)
{
    AddressBook::shared()->removeRecord(meAB());
    EXPECT_EQ(myGoogleEmail(), "");
    EXPECT_EQ(myEmail(), "");
    EXPECT_TRUE(myEmailAddresses().isEmpty());
    EXPECT_EQ(myShortName(), "");
    EXPECT_EQ(myFirstLastName(), "No Assigned Name");
}

} // namespace
