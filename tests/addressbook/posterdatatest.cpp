#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/posterdata.h"
#include "platform/addressbook/abconstants.h"
#include "platform/defaults/userdefaults.h"

namespace {

using namespace AddressBookTool;

class PosterDataTest : public AddressBookTest
{
protected:
    static void preferences(bool orgAndJob, int displayFirst, bool csz)
    {
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setBool(orgAndJob, abkeys::displayOrgAndJob);
        defaults.setInteger(displayFirst, abkeys::displayFirst);
        defaults.setBool(csz, abkeys::displayCSZ);
    }
    // Ann Lee, Clerk at Acme, two work e-mails and a home one, a home and a mobile phone, a home
    // and two work addresses.
    static PersonPtr ann()
    {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
        person->setValueForProperty(QStringLiteral("Lee"), kABLastNameProperty);
        person->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
        person->setValueForProperty(QStringLiteral("Clerk"), kABJobTitleProperty);
        set(person, kABEmailProperty, PropertyType::MultiString,
            {{kABWorkLabel, "w1@acme.com"},
             {kABHomeLabel, "h@lee.org"},
             {kABWorkLabel, "w2@acme.com"}});
        set(person, kABPhoneProperty, PropertyType::MultiString,
            {{kABPhoneHomeLabel, "555-0100"}, {kABPhoneMobileLabel, "555-0199"}});
        set(person, kABAddressProperty, PropertyType::MultiDictionary,
            {{kABAddressHomeLabel, QVariantMap{{kABAddressCityKey, "Home Town"}}},
             {kABAddressWorkLabel, QVariantMap{{kABAddressCityKey, "Old"}}},
             {kABAddressWorkLabel,
              QVariantMap{{kABAddressCityKey, "Springfield"}, {kABAddressZIPKey, "62701"}}}});
        return person;
    }
    static void set(const PersonPtr &person, const QString &property, PropertyType type,
                    const QList<LabelledEntry> &entries)
    {
        person->setValueForProperty(QVariant::fromValue(labelledValues(type, entries)), property);
    }
};

TEST_F(PosterDataTest, LinesByPreference)
{
    const struct
    {
        const char *name;
        bool orgAndJob;
        int displayFirst;
        bool csz;
        QString poster;
    } cases[] = {
        {"phone first", false, 0, false, "Ann Lee\r555-0199\rw2@acme.com"},
        {"e-mail first", false, 1, false, "Ann Lee\rw2@acme.com\r555-0199"},
        {"neither", false, 2, false, "Ann Lee"},
        {"everything", true, 0, true,
         "Ann Lee\rAcme - Clerk\r555-0199\rw2@acme.com\rSpringfield 62701"},
    };
    const PersonPtr person = ann();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        preferences(c.orgAndJob, c.displayFirst, c.csz);
        EXPECT_EQ(posterDataForPerson(person), c.poster);
    }
}

TEST_F(PosterDataTest, FallbacksAndKinds)
{
    preferences(true, 1, true);
    const PersonPtr homeOnly = Person::create();
    homeOnly->setValueForProperty(QStringLiteral("Bo"), kABFirstNameProperty);
    homeOnly->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
    set(homeOnly, kABEmailProperty, PropertyType::MultiString, {{kABHomeLabel, "bo@home.org"}});
    set(homeOnly, kABPhoneProperty, PropertyType::MultiString, {{kABPhoneHomeLabel, "555-0100"}});
    EXPECT_EQ(posterDataForPerson(homeOnly), "Bo\rAcme\rbo@home.org\r555-0100");

    const PersonPtr company = Person::create();
    company->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    company->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
    company->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
    company->setValueForProperty(QStringLiteral("Owner"), kABJobTitleProperty);
    set(company, kABAddressProperty, PropertyType::MultiDictionary,
        {{kABAddressWorkLabel, QVariantMap{{kABAddressStateKey, "IL"}}}});
    EXPECT_EQ(posterDataForPerson(company), "Acme\rOwner\rIL");

    const PersonPtr unnamed = Person::create();
    EXPECT_EQ(posterDataForPerson(unnamed), "");
    EXPECT_FALSE(posterDataForPerson(unnamed).isNull());
    EXPECT_EQ(posterDataForPerson(nullptr), "");
}

} // namespace
