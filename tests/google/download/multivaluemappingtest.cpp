#include "tests/support/google/abpersontestbook.h"

#include "google/download/downloadkeys.h"
#include "google/download/multivaluemapping.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/searchelement.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <optional>

namespace {

using tolvane::googlizeAddressesFor;
using tolvane::googlizeEmailsFor;
using tolvane::googlizeIMsFor;
using tolvane::googlizeMembershipsFor;
using tolvane::googlizePhonesFor;

std::optional<QString> text(const char *value)
{
    return value ? std::optional<QString>(QString::fromUtf8(value)) : std::nullopt;
}

struct LabelCase
{
    const char *label;
    const char *rel;
    QString expected;
};

class MultiValueMappingTest : public ABPersonTest
{
protected:
    PersonPtr person = addPerson(QStringLiteral("Ann"), QStringLiteral("Lee"));
    GDataEntryContact contact;

    QString onlyLabel(const QString &property) const
    {
        const MultiValue values = person->multiValueForProperty(property);
        return values.count() == 1 ? values.labelAt(0)
                                   : QStringLiteral("<%1 values>").arg(values.count());
    }
};

TEST_F(MultiValueMappingTest, EmailLabels_FromLabelWordsElseRel)
{
    const LabelCase cases[] = {
        {"Home office", nullptr, kABEmailHomeLabel},
        {"WORK", nullptr, kABEmailWorkLabel},
        {"Cottage", kGDataContactHome, kABOtherLabel},
        {nullptr, kGDataContactHome, kABEmailHomeLabel},
        {nullptr, kGDataContactWork, kABEmailWorkLabel},
        {nullptr, kGDataContactOther, kABOtherLabel},
        {nullptr, nullptr, kABOtherLabel},
    };
    for (const LabelCase &c : cases) {
        SCOPED_TRACE(c.label ? c.label : (c.rel ? c.rel : "none"));
        contact.setEmailAddresses(
            {{QStringLiteral("a@example.com"), text(c.rel), text(c.label), false}});
        googlizeEmailsFor(person, contact);
        EXPECT_EQ(onlyLabel(kABEmailProperty), c.expected);
    }
}

TEST_F(MultiValueMappingTest, PhoneLabels_FaxBeforeHomeAndWork_CustomLabelKept)
{
    const LabelCase cases[] = {
        {"Home Fax", nullptr, kABPhoneHomeFAXLabel},
        {"home", nullptr, kABPhoneHomeLabel},
        {"Work Fax", nullptr, kABPhoneWorkFAXLabel},
        {"Work line", nullptr, kABPhoneWorkLabel},
        {"MobilePhone", nullptr, kABPhoneMobileLabel},
        {"Boat", kGDataPhoneNumberMobile, QStringLiteral("Boat")},
        {nullptr, kGDataPhoneNumberMobile, kABPhoneMobileLabel},
        {nullptr, kGDataPhoneNumberHome, kABPhoneHomeLabel},
        {nullptr, kGDataPhoneNumberHomeFax, kABPhoneHomeFAXLabel},
        {nullptr, kGDataPhoneNumberWork, kABPhoneWorkLabel},
        {nullptr, kGDataPhoneNumberWorkFax, kABPhoneWorkFAXLabel},
        {nullptr, kGDataPhoneNumberPager, kABPhonePagerLabel},
        {nullptr, kGDataPhoneNumberOther, kABOtherLabel},
        {nullptr, "http://schemas.google.com/g/2005#car", kABPhoneMainLabel},
        {nullptr, nullptr, kABPhoneMainLabel},
    };
    for (const LabelCase &c : cases) {
        SCOPED_TRACE(c.label ? c.label : (c.rel ? c.rel : "none"));
        contact.setPhoneNumbers({{QStringLiteral("555 1234"), text(c.rel), text(c.label), false}});
        googlizePhonesFor(person, contact);
        EXPECT_EQ(onlyLabel(kABPhoneProperty), c.expected);
    }
}

TEST_F(MultiValueMappingTest, AddressLabels_UnknownRelIsNotAdded)
{
    const LabelCase cases[] = {
        {"Summer home", nullptr, kABAddressHomeLabel},
        {"Work", nullptr, kABAddressWorkLabel},
        {"Cabin", kGDataContactHome, QStringLiteral("Cabin")},
        {nullptr, nullptr, kABAddressWorkLabel},
        {nullptr, kGDataContactHome, kABAddressHomeLabel},
        {nullptr, kGDataContactWork, kABAddressWorkLabel},
        {nullptr, kGDataContactOther, kABOtherLabel},
        {nullptr, "http://schemas.google.com/g/2005#vacation", QStringLiteral("<0 values>")},
    };
    for (const LabelCase &c : cases) {
        SCOPED_TRACE(c.label ? c.label : (c.rel ? c.rel : "none"));
        contact.setPostalAddresses(
            {{QStringLiteral("1 Main St\nSpringfield"), text(c.rel), text(c.label), true}});
        googlizeAddressesFor(person, contact);
        EXPECT_EQ(onlyLabel(kABAddressProperty), c.expected);
    }
}

TEST_F(MultiValueMappingTest, Address_ParsedIntoParts)
{
    contact.setPostalAddresses({{QStringLiteral("12 Main St\nApt 4\nSpringfield, IL\n62704\nUSA"),
                                 std::nullopt, std::nullopt, false}});
    googlizeAddressesFor(person, contact);
    const QVariantMap address =
        person->multiValueForProperty(kABAddressProperty).valueAt(0).toMap();
    EXPECT_EQ(address.value(kABAddressStreetKey).toString(), QStringLiteral("12 Main St\rApt 4"));
    EXPECT_EQ(address.value(kABAddressZIPKey).toString(), QStringLiteral("62704"));
    EXPECT_EQ(address.value(kABAddressCountryKey).toString(), QStringLiteral("USA"));
}

TEST_F(MultiValueMappingTest, Primary_FollowsTheGoogleValue)
{
    contact.setPhoneNumbers({{QStringLiteral("1"), std::nullopt, std::nullopt, false},
                             {QStringLiteral("2"), std::nullopt, std::nullopt, true}});
    googlizePhonesFor(person, contact);
    const MultiValue phones = person->multiValueForProperty(kABPhoneProperty);
    ASSERT_EQ(phones.count(), 2);
    EXPECT_EQ(phones.primaryIdentifier(), phones.identifierAt(1));
}

TEST_F(MultiValueMappingTest, Emails_ReplacedWhole_NotWrittenWhenBothSidesEmpty)
{
    setValues(person, kABEmailProperty, PropertyType::MultiString,
              {{kABHomeLabel, "a@x.org"}, {kABWorkLabel, "b@x.org"}, {kABOtherLabel, "c@x.org"}});
    googlizeEmailsFor(person, contact);
    EXPECT_TRUE(person->valueForProperty(kABEmailProperty).isValid());
    EXPECT_TRUE(person->multiValueForProperty(kABEmailProperty).isEmpty());

    const PersonPtr bare = addPerson(QStringLiteral("Bo"));
    googlizeEmailsFor(bare, contact);
    EXPECT_FALSE(bare->valueForProperty(kABEmailProperty).isValid());
}

TEST_F(MultiValueMappingTest, IMs_ServicesEmptiedAndRefilled_OtherServicesKept)
{
    UserDefaults::standard().setInteger(2, googlekeys::abUpdateIMUseHome);
    setValues(person, kABAIMInstantProperty, PropertyType::MultiString, {{kABHomeLabel, "old"}});
    contact.setIMAddresses({
        GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolGoogleTalk), std::nullopt,
                                std::nullopt, QStringLiteral("talk")),
        GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolSkype), std::nullopt,
                                std::nullopt, QStringLiteral("sky")),
        GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolQQ), std::nullopt, std::nullopt,
                                QStringLiteral("12345")),
    });
    googlizeIMsFor(person, contact);
    googlizeIMsFor(person, contact); // a second run adds nothing

    EXPECT_TRUE(person->multiValueForProperty(kABAIMInstantProperty).isEmpty());
    const MultiValue jabber = person->multiValueForProperty(kABJabberInstantProperty);
    ASSERT_EQ(jabber.count(), 1);
    EXPECT_EQ(jabber.labelAt(0), kABOtherLabel);
    EXPECT_EQ(jabber.valueAt(0).toString(), QStringLiteral("talk"));
    const MultiValue others = person->multiValueForProperty(kABOtherInstantProperty);
    ASSERT_EQ(others.count(), 2);
    EXPECT_EQ(others.labelAt(0), QStringLiteral("Skype"));
    EXPECT_EQ(others.valueAt(0).toString(), QStringLiteral("sky"));
    EXPECT_EQ(others.labelAt(1), QStringLiteral("QQ"));
}

TEST_F(MultiValueMappingTest, IMLabel_FollowsUseHome)
{
    const std::pair<int, QString> cases[] = {
        {0, kABWorkLabel}, {1, kABHomeLabel}, {7, kABOtherLabel}};
    contact.setIMAddresses(
        {GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolYahoo), std::nullopt,
                                 std::nullopt, QStringLiteral("y"))});
    for (const auto &[useHome, label] : cases) {
        UserDefaults::standard().setInteger(useHome, googlekeys::abUpdateIMUseHome);
        googlizeIMsFor(person, contact);
        EXPECT_EQ(onlyLabel(kABYahooInstantProperty), label) << useHome;
    }
}

TEST_F(MultiValueMappingTest, Memberships_LinkedGroupsJoined_SmartGroupsLeftAlone)
{
    UserDefaults::standard().setBool(true, googlekeys::abUpdateRemoveABGroups);
    const GroupPtr kept = addGroup(QStringLiteral("Friends"), QStringLiteral("g1"));
    const GroupPtr left = addGroup(QStringLiteral("Old"));
    const GroupPtr smart = Group::createSmartGroup(
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                   QStringLiteral("Lee"), SearchElement::Comparison::Equal));
    AddressBook::shared()->addRecord(smart);
    smart->setValueForProperty(QStringLiteral("g2"), kGroupIDProperty);
    left->addMember(person);
    contact.setGroupMembershipInfos({GDataGroupMembershipInfo::groupMembershipInfoWithHref("g1"),
                                     GDataGroupMembershipInfo::groupMembershipInfoWithHref("g2"),
                                     GDataGroupMembershipInfo::groupMembershipInfoWithHref("g3")});
    googlizeMembershipsFor(person, contact);
    googlizeMembershipsFor(person, contact);

    EXPECT_EQ(kept->members(), QList<PersonPtr>{person});
    EXPECT_TRUE(left->members().isEmpty());
    EXPECT_EQ(person->parentGroups(), QList<GroupPtr>{kept});
}

} // namespace
