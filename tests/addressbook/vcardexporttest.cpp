#include "addressbook/vcardexport.h"

#include "addressbook/vcardcontentline.h"
#include "addressbook/vcardexportoptions.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

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
