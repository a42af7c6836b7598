#include "addressbook/vcards/vcardexport.h"

#include "addressbook/vcards/vcardcontentline.h"
#include "addressbook/vcards/vcardexportoptions.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/addressbook/abtestbook.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

PersonPtr personWithNoteAndImage()
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
    person->setValueForProperty(QStringLiteral("Lee"), kABLastNameProperty);
    person->setValueForProperty(QStringLiteral("first\r\nsecond\rthird"), kABNoteProperty);
    person->setImageData(QByteArray("\x89PNG not really", 16));
    return person;
}

QStringList propertyNames(const QString &card)
{
    QStringList names;
    for (const VCardContentLine &line : vcard::parseContentLines(card))
        names.append(line.name);
    return names;
}

TEST(VCardExport, VCardStringForPerson_AddsTheNoteOnceAndKeepsOnePhoto)
{
    const QString card = AddressBookTool::vCardStringForPerson(*personWithNoteAndImage());
    const QStringList names = propertyNames(card);
    EXPECT_EQ(names.count(QStringLiteral("PHOTO")), 1);
    EXPECT_EQ(names.count(QStringLiteral("NOTE")), 1);
    EXPECT_EQ(names.indexOf(QStringLiteral("NOTE")) + 1, names.indexOf(QStringLiteral("X-ABUID")));
    EXPECT_TRUE(card.contains(QStringLiteral("\r\nNOTE:first\\nsecond\\nthird\r\n")));
    EXPECT_TRUE(card.endsWith(QStringLiteral("END:VCARD\r\n")));
}

TEST(VCardExport, VCardStringForPerson_ReadsThePreferencesAtEveryExport)
{
    const PersonPtr person = personWithNoteAndImage();
    UserDefaults::standard().setBool(true, kVCardNotPicture);
    UserDefaults::standard().setBool(true, kVCardNotNotes);
    const QStringList names = propertyNames(AddressBookTool::vCardStringForPerson(*person));
    EXPECT_FALSE(names.contains(QStringLiteral("PHOTO")));
    EXPECT_FALSE(names.contains(QStringLiteral("NOTE")));
    UserDefaults::standard().setBool(false, kVCardNotPicture);
    EXPECT_TRUE(propertyNames(AddressBookTool::vCardStringForPerson(*person))
                    .contains(QStringLiteral("PHOTO")));
}

TEST(VCardExport, VCardStringForPerson_NothingSetLeavesTheAddressBooksCardAsItIs)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
    person->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
    MutableMultiValue emails(PropertyType::MultiString);
    emails.addValue(QStringLiteral("a@home.example"), kABHomeLabel);
    emails.setPrimaryIdentifier(emails.addValue(QStringLiteral("a@boat.example"), u"Boat"_qs));
    person->setValueForProperty(QVariant::fromValue(emails), kABEmailProperty);
    MutableMultiValue phones(PropertyType::MultiString);
    phones.addValue(QStringLiteral("+1 555 0100"), kABPhoneMobileLabel);
    phones.addValue(QStringLiteral("+1 555 0101"), QStringLiteral("Car"));
    person->setValueForProperty(QVariant::fromValue(phones), kABPhoneProperty);
    EXPECT_EQ(AddressBookTool::vCardStringForPerson(*person),
              QString::fromUtf8(person->vCardRepresentation()));
}

TEST(VCardExport, VCardForABPerson_IsTheUtf8TextAndNullForNoPerson)
{
    const PersonPtr person = personWithNoteAndImage();
    person->setValueForProperty(QStringLiteral("Zoë"), kABFirstNameProperty);
    EXPECT_EQ(AddressBookTool::vCardForABPerson(person),
              AddressBookTool::vCardStringForPerson(*person).toUtf8());
    EXPECT_TRUE(AddressBookTool::vCardForABPerson(nullptr).isNull());
}

TEST(VCardExport, NoteAndImageStrings)
{
    const PersonPtr person = personWithNoteAndImage();
    EXPECT_EQ(AddressBookTool::vCardNoteStringForPerson(*person),
              QStringLiteral("first\nsecond\nthird"));
    EXPECT_EQ(AddressBookTool::vCardImageStringForPerson(*person),
              QString::fromLatin1(QByteArray("\x89PNG not really", 16).toBase64()));
}

} // namespace

namespace {

class VCardGroupExport : public AddressBookTest
{
};

TEST_F(VCardGroupExport, VCardsForMembersOfGroup_OneCardPerDirectMemberInMemberOrder)
{
    const GroupPtr group = addGroup(QStringLiteral("Golf"));
    const GroupPtr sub = addGroup(QStringLiteral("Juniors"));
    const PersonPtr ann = addPerson(QStringLiteral("Ann"), QStringLiteral("Able"));
    const PersonPtr acme = addCompany(QStringLiteral("Acme"));
    const PersonPtr kid = addPerson(QStringLiteral("Kid"), QStringLiteral("Young"));
    ASSERT_TRUE(group->addMember(ann));
    ASSERT_TRUE(group->addMember(acme));
    ASSERT_TRUE(group->addSubgroup(sub));
    ASSERT_TRUE(sub->addMember(kid));
    const QList<QByteArray> expected = {AddressBookTool::vCardForABPerson(acme),
                                        AddressBookTool::vCardForABPerson(ann)};
    const QList<QByteArray> byId = AddressBookTool::vCardsForMembersOfGroupID(group->uniqueId());
    EXPECT_EQ(QSet<QByteArray>(byId.cbegin(), byId.cend()),
              QSet<QByteArray>(expected.cbegin(), expected.cend()));
    EXPECT_EQ(AddressBookTool::vCardsForMembersOfGroup(QStringLiteral("Golf")), byId);
    EXPECT_TRUE(AddressBookTool::vCardsForMembersOfGroupID(QStringLiteral("none")).isEmpty());
}

TEST_F(VCardGroupExport, VCardForABID_ThePersonsCardOrNull)
{
    const PersonPtr ann = addPerson(QStringLiteral("Ann"), QStringLiteral("Able"));
    EXPECT_EQ(AddressBookTool::vCardForABID(ann->uniqueId()),
              AddressBookTool::vCardForABPerson(ann));
    EXPECT_TRUE(AddressBookTool::vCardForABID(QStringLiteral("no-such:ABPerson")).isNull());
}

} // namespace
