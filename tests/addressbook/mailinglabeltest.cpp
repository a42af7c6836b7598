#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/mailinglabel.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"

namespace {

using namespace AddressBookTool;

class MailingLabelTest : public AddressBookTest
{
protected:
    static QVariantMap address(const QString &street)
    {
        return {{kABAddressStreetKey, street},
                {kABAddressCityKey, "Springfield"},
                {kABAddressStateKey, "IL"},
                {kABAddressZIPKey, "62701"},
                {kABAddressCountryCodeKey, "us"}};
    }
    static QString laidOut(const QString &street)
    {
        return AddressBook::shared()->formattedAddress(address(street));
    }
};

TEST_F(MailingLabelTest, LinesByLabel)
{
    const PersonPtr person = personWith(kABAddressProperty, PropertyType::MultiDictionary,
                                        {{kABAddressHomeLabel, address("1 Home St")},
                                         {kABAddressWorkLabel, address("2 Work St")},
                                         {kABAddressHomeLabel, address("3 Home St")}});
    person->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
    person->setValueForProperty(QStringLiteral("Lee"), kABLastNameProperty);
    person->setValueForProperty(QStringLiteral("Clerk"), kABJobTitleProperty);
    person->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
    AddressBook::shared()->addRecord(person);

    EXPECT_EQ(mailingLabelForPerson(person, "Work"),
              "Ann Lee\rClerk\rAcme\r" + laidOut("2 Work St"));
    EXPECT_EQ(mailingLabelForPerson(person, "Home"), "Ann Lee\r" + laidOut("3 Home St"));
    EXPECT_EQ(mailingLabelForPerson(person, "work"), "Ann Lee\r");
    EXPECT_EQ(mailingLabelForABID(person->uniqueId(), "Home"), "Ann Lee\r" + laidOut("3 Home St"));
    EXPECT_TRUE(laidOut("3 Home St").contains("3 Home St"));
}

TEST_F(MailingLabelTest, MissingParts)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(QStringLiteral("Lee"), kABLastNameProperty);
    EXPECT_EQ(mailingLabelForPerson(person, "Work"), " Lee\r");
    person->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
    EXPECT_EQ(mailingLabelForPerson(person, "Work"), " Lee\rAcme\r");
    EXPECT_EQ(mailingLabelForPerson(person, "Home"), " Lee\r");
    EXPECT_EQ(mailingLabelForPerson(nullptr, "Home"), "");
    EXPECT_EQ(mailingLabelForABID(QStringLiteral("none:ABPerson"), "Home"), "");
}

} // namespace
