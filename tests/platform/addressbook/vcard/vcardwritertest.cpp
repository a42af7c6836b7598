#include "tests/platform/addressbook/addressbookfixture.h"
#include "tests/platform/addressbook/fullperson.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/vcard/vcardwriter.h"
#include "platform/defaults/userdefaults.h"

TEST(VCardWriter, WritesEveryKindOfFieldInTheFixedLayout)
{
    const PersonPtr person = fullPerson();
    const QByteArray card = vcardwriter::write(*person, {QStringLiteral("Friends, close")},
                                               {/*includePhoto*/ true, /*includeNote*/ true});
    const QString expected =
        QStringLiteral(
            "BEGIN:VCARD\r\n"
            "VERSION:3.0\r\n"
            "N:Lee;Ann;Marie;Dr.;Jr.\r\n"
            "FN:Acme\\, Inc.\r\n"
            "NICKNAME:Annie\r\n"
            "ORG:Acme\\, Inc.;R&D\r\n"
            "TITLE:Engineer\r\n"
            "EMAIL;type=INTERNET;type=HOME:ann@home.example\r\n"
            "EMAIL;type=INTERNET;type=WORK;type=pref:ann@work.example\r\n"
            "item1.EMAIL;type=INTERNET:ann@other.example\r\n"
            "item1.X-ABLabel:_$!<Other>!$_\r\n"
            "item2.EMAIL;type=INTERNET:ann@boat.example\r\n"
            "item2.X-ABLabel:Boat\r\n"
            "EMAIL;type=INTERNET:ann@plain.example\r\n"
            "TEL;type=HOME:555-0100\r\n"
            "TEL;type=WORK:555-0101\r\n"
            "TEL;type=CELL;type=pref:555-0102\r\n"
            "TEL;type=MAIN:555-0103\r\n"
            "TEL;type=HOME;type=FAX:555-0104\r\n"
            "TEL;type=WORK;type=FAX:555-0105\r\n"
            "TEL;type=PAGER:555-0106\r\n"
            "item3.TEL:555-0107\r\n"
            "item3.X-ABLabel:Boat\r\n"
            "item4.ADR;type=HOME;type=pref:;;1 Main St\\nApt 2;Springfield;IL;62704;USA\r\n"
            "item4.X-ABADR:us\r\n"
            "item5.ADR:;;;Bergen;;;\r\n"
            "item5.X-ABLabel:Cabin\r\n"
            "URL;type=HOME:http://ann.example\r\n"
            "item6.URL;type=pref:http://acme.example\r\n"
            "item6.X-ABLabel:_$!<HomePage>!$_\r\n"
            "BDAY;value=date:1970-02-28\r\n"
            "X-AIM;type=HOME;type=pref:annaim\r\n"
            "X-JABBER;type=WORK:ann@jabber\r\n"
            "X-MSN;type=HOME:annmsn\r\n"
            "X-ICQ;type=WORK:12345\r\n"
            "item7.X-YAHOO:annyahoo\r\n"
            "item7.X-ABLabel:Boat\r\n"
            "IMPP;X-SERVICE-TYPE=Skype:ann.lee\r\n"
            "item8.X-ABRELATEDNAMES:Bob Lee\r\n"
            "item8.X-ABLabel:_$!<Spouse>!$_\r\n"
            "item9.X-ABDATE;type=pref:1995-06-01\r\n"
            "item9.X-ABLabel:_$!<Anniversary>!$_\r\n"
            "X-ABShowAs:COMPANY\r\n"
            "NOTE:Line one\\nLine\\; two\r\n"
            "PHOTO;BASE64:\r\n"
            "  %2\r\n"
            "CATEGORIES:Friends\\, close\r\n"
            "X-ABUID:%1\r\n"
            "END:VCARD\r\n")
            .arg(person->uniqueId(), QString::fromLatin1(smallPicture().toBase64()));
    EXPECT_EQ(QString::fromUtf8(card), expected);
    const QStringList pieces = QString::fromUtf8(card).split(QStringLiteral("\r\n"));
    ASSERT_GE(pieces.size(), 3);
    EXPECT_EQ(pieces.at(pieces.size() - 3), QStringLiteral("X-ABUID:") + person->uniqueId());
    EXPECT_EQ(pieces.at(pieces.size() - 2), QStringLiteral("END:VCARD"));
    EXPECT_EQ(pieces.last(), QString());
}

TEST(VCardWriter, PersonWithNameOnlyHasTheFourOpeningLinesAndTheEnd)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(QStringLiteral("Bob"), kABFirstNameProperty);
    EXPECT_EQ(QString::fromUtf8(vcardwriter::write(*person, {}, {})),
              QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Bob;;;\r\nFN:Bob\r\nX-ABUID:%1\r\n"
                             "END:VCARD\r\n")
                  .arg(person->uniqueId()));
}

using VCardRepresentationTest = AddressBookFixture;

TEST_F(VCardRepresentationTest, FollowsTheAddressBookPreferencesForNotesAndPhotos)
{
    auto book = openBook();
    const PersonPtr person = fullPerson();
    book->addRecord(person);
    const GroupPtr group = Group::create();
    group->setValueForProperty(QStringLiteral("Friends"), kABGroupNameProperty);
    book->addRecord(group);
    group->addMember(person);

    QByteArray card = person->vCardRepresentation();
    EXPECT_TRUE(card.contains("\r\nPHOTO;BASE64:\r\n"));
    EXPECT_FALSE(card.contains("NOTE:"));
    EXPECT_TRUE(card.contains("\r\nCATEGORIES:Friends\r\n"));

    UserDefaults preferences(kABPreferencesDomain);
    preferences.setBool(false, kABIncludePhotosInVCard);
    preferences.setBool(true, kABIncludeNotesInVCard);
    card = person->vCardRepresentation();
    EXPECT_FALSE(card.contains("PHOTO"));
    EXPECT_TRUE(card.contains("\r\nNOTE:Line one\\nLine\\; two\r\n"));
}
