#include "tests/support/addressbook/abtestbook.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/abgrouptolvane.h"
#include "addressbook/google/abpersontolvane.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordsaving.h"
#include "foundation/text/textdate.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/logcapture.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>

namespace {

using namespace AddressBookTool;

class LinkPropertiesTest : public AddressBookTest
{
};

TEST_F(LinkPropertiesTest, FirstStartAddsAllFourAndLaterStartsFindThem)
{
    LogCapture log;
    EXPECT_TRUE(addTolvaneGroupProperties());
    EXPECT_TRUE(addTolvaneContactProperties());
    EXPECT_TRUE(addTolvaneGroupProperties());
    EXPECT_TRUE(addTolvaneContactProperties());
    EXPECT_EQ(
        log.lines(),
        (QStringList{
            "ABGroup records - Custom Tolvane properties were NOT found --> successfully added",
            "(ABPerson records - Custom Tolvane properties were NOT found --> successfully "
            "added",
            "ABGroup records - Custom Tolvane properties were found",
            "ABPerson records - Custom Tolvane properties were found"}));
    const QStringList personProperties = Person::properties();
    for (const char *name :
         {"com.test.googleID", "com.test.version", "com.test.asOf", "com.test.mask"})
        EXPECT_TRUE(personProperties.contains(name)) << name;
    EXPECT_TRUE(Group::properties().contains("com.test.groupMask"));
}

TEST_F(LinkPropertiesTest, IdentifierPresent_TheOthersAreAddedSilently)
{
    ASSERT_EQ(Person::addPropertiesAndTypes({{kContactIDProperty, PropertyType::String}}), 1);
    LogCapture log;
    EXPECT_TRUE(addTolvaneContactProperties());
    EXPECT_EQ(log.lines(), QStringList{"ABPerson records - Custom Tolvane properties were found"});
    EXPECT_TRUE(Person::properties().contains("com.test.asOf"));
}

TEST_F(LinkPropertiesTest, AFailedAddStopsWithItsMessage)
{
    // A name the address book cannot take as a property: an empty one.
    UserDefaults::standard().setString(QStringLiteral(""), abkeys::googleGroupVersionPropertyName);
    LogCapture::setLevel(1);
    LogCapture log;
    EXPECT_FALSE(addTolvaneGroupProperties());
    EXPECT_EQ(log.lines().last(),
              "[AddressBookTool addTolvaneGroupProperties] - ERROR: Unable to add Tolvane Google "
              "LastModDate property to ABGroup");
    EXPECT_FALSE(Group::properties().contains("com.test.groupAsOf"));
}

TEST_F(LinkPropertiesTest, SetGoogleID_WritesReadsAndRemovesWithoutSaving)
{
    ASSERT_TRUE(addTolvaneContactProperties());
    ASSERT_TRUE(addTolvaneGroupProperties());
    const PersonPtr person = addPerson("Link", "Ed");
    const GroupPtr group = addGroup("Linked");
    ASSERT_TRUE(abSave());
    EXPECT_TRUE(tolvane::googleID(person).isNull());

    setGoogleID(QStringLiteral("http://g/contact/1"), person);
    setGoogleID(QStringLiteral("http://g/group/1"), group);
    EXPECT_EQ(tolvane::googleID(person), "http://g/contact/1");
    EXPECT_EQ(tolvane::googleID(group), "http://g/group/1");
    EXPECT_TRUE(AddressBook::shared()->hasUnsavedChanges());

    setGoogleID(QString(), person);
    EXPECT_TRUE(tolvane::googleID(person).isNull());
}

TEST_F(LinkPropertiesTest, GoogleID_ReadsThePropertyNamedByThePreferenceNow)
{
    ASSERT_TRUE(addTolvaneContactProperties());
    const PersonPtr person = addPerson("Re", "Named");
    setGoogleID(QStringLiteral("old"), person);
    ASSERT_EQ(Person::addPropertiesAndTypes({{"com.test.other", PropertyType::String}}), 1);
    UserDefaults::standard().setString("com.test.other", abkeys::googleContactIDPropertyName);
    EXPECT_TRUE(tolvane::googleID(person).isNull());
    setGoogleID(QStringLiteral("new"), person);
    EXPECT_EQ(tolvane::googleID(person), "new");
}

TEST_F(LinkPropertiesTest, TransferStamp_DatesAreFixedFormatTextWhateverTheLocale)
{
    ASSERT_TRUE(addTolvaneContactProperties());
    UserDefaults::standard().setString(QStringLiteral("mask-1"), abkeys::addressBookDataMask);
    // A locale with its own digits must not leak into machine text.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const PersonPtr person = addPerson("Stamp", "Ed");
    const QDateTime updated(QDate(2009, 3, 14), QTime(22, 9, 26), QTimeZone::utc());
    const QDateTime asOf = QDateTime::currentDateTime();
    const LinkPropertyNames names = contactLinkPropertyNames();
    writeTransferStamp(person, names, updated, asOf);
    QLocale::setDefault(saved);

    const QString version = person->valueForProperty(names.version).toString();
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}$")
                    .match(version)
                    .hasMatch())
        << version.toStdString();
    EXPECT_EQ(textdate::parse(version), updated);
    EXPECT_EQ(
        textdate::parse(person->valueForProperty(names.asOfDate).toString()).toSecsSinceEpoch(),
        asOf.toSecsSinceEpoch());
    EXPECT_EQ(person->valueForProperty(names.dataMask).toString(), "mask-1");

    UserDefaults::standard().removeObjectForKey(abkeys::addressBookDataMask);
    writeTransferStamp(person, names, updated, asOf);
    EXPECT_FALSE(person->valueForProperty(names.dataMask).isValid());
}

} // namespace
