#include "model/meaddressbook.h"
#include "model/tolvaneowner.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "storefixture.h"
#include "tests/support/addressbook/testpersons.h"

namespace {

class MeAddressBookTest : public StoreFixture
{
};

TEST_F(MeAddressBookTest, TheOwnerIsMadeFromTheSharedBooksMeRecord)
{
    const PersonPtr me = AddressBook::shared()->me();
    ASSERT_TRUE(me);
    me->setValueForProperty("Ada", kABFirstNameProperty);
    me->setValueForProperty("Engines Ltd", kABOrganizationProperty);
    me->setValueForProperty(
        QVariant::fromValue(
            labelledValues(PropertyType::MultiString, {{kABEmailWorkLabel, "ada@example.com"}})),
        kABEmailProperty);
    me->setValueForProperty(QVariant::fromValue(labelledValues(
                                PropertyType::MultiString, {{kABPhoneMobileLabel, "555-0100"}})),
                            kABPhoneProperty);
    me->setValueForProperty(
        QVariant::fromValue(labelledValues(
            PropertyType::MultiDictionary,
            {{kABAddressHomeLabel, QVariantMap{{kABAddressCityKey, "Springfield"}}}})),
        kABAddressProperty);

    MeAddressBook book;
    EXPECT_EQ(book.meUniqueId(), me->uniqueId());
    EXPECT_EQ(book.mobilePhoneForPerson(), "555-0100");
    EXPECT_EQ(book.primaryAddressForPerson().value(kABAddressCityKey), "Springfield");
    const TolvaneOwner *const owner = TolvaneOwner::sharedOwnerInContext(*m_context, book);
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->nameFirst(), "Ada");
    EXPECT_EQ(owner->organizationName(), "Engines Ltd");
    EXPECT_EQ(owner->email(), "ada@example.com");
    EXPECT_EQ(owner->city(), "Springfield");
}

TEST_F(MeAddressBookTest, WithoutAMeRecordEveryValueIsMissing)
{
    AddressBook::shared()->removeRecord(AddressBook::shared()->me());
    MeAddressBook book;
    EXPECT_TRUE(book.meUniqueId().isNull());
    EXPECT_TRUE(book.meValueForProperty(kABFirstNameProperty).isNull());
    EXPECT_TRUE(book.primaryAddressForPerson().isEmpty());
}

} // namespace
