#include "tests/support/addressbook/abtestbook.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/records/changetracking.h"
#include "addressbook/records/recordcounts.h"
#include "addressbook/records/recordsaving.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/logcapture.h"

#include <QThread>

namespace {

using namespace AddressBookTool;

class ChangeTrackingTest : public AddressBookTest
{
protected:
    // What the main program stores when it quits.
    static void storeSnapshot()
    {
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setObject(lastGroupInsertDate(), abkeys::lastABGroupInsert);
        defaults.setObject(lastPersonInsertDate(), abkeys::lastABPersonInsert);
        defaults.setObject(lastGroupUpdateDate(), abkeys::lastABGroupUpdate);
        defaults.setObject(lastPersonUpdateDate(), abkeys::lastABPersonUpdate);
        defaults.setInteger(groupCount(), abkeys::lastABGroupCount);
        defaults.setInteger(personCount() + companyCount(), abkeys::lastABPersonCount);
    }

    static int intPreference(const QString &key)
    {
        return UserDefaults::standard().integerForKey(key);
    }
};

TEST_F(ChangeTrackingTest, Counts_PersonsAndCompaniesEachOnce)
{
    addPerson("A", "B");
    addCompany("Co");
    const PersonPtr pictured = addCompany("Pic");
    pictured->setImageData(QByteArray("not really an image"));
    addGroup("G");
    addSmartGroup("S", SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                                  QStringLiteral("B"),
                                                  SearchElement::Comparison::Equal));
    EXPECT_EQ(personCount(), 2); // the Me record and A B
    EXPECT_EQ(companyCount(), 2);
    EXPECT_EQ(groupCount(), 2);
    EXPECT_EQ(companyImageCount(), 1);
    EXPECT_EQ(personImageCount(), 0);

    setUserDefaultCounts();
    EXPECT_EQ(intPreference(abkeys::addressBookTotalContacts), 4);
    EXPECT_EQ(intPreference(abkeys::addressBookTotalPeople), 2);
    EXPECT_EQ(intPreference(abkeys::addressBookTotalCompanies), 2);
    EXPECT_EQ(intPreference(abkeys::addressBookTotalManualGroups), 1);
    EXPECT_EQ(intPreference(abkeys::addressBookTotalSmartGroups), 1);
    EXPECT_EQ(intPreference(abkeys::addressBookTotalGroups), 2);
}

TEST_F(ChangeTrackingTest, UserDefaultCounts_HasDataAndNeverRemoveContacts)
{
    UserDefaults &defaults = UserDefaults::standard();
    // The Me record alone is one record.
    setUserDefaultCounts();
    EXPECT_FALSE(defaults.boolForKey(abkeys::addressBookHasData));
    addGroup("One");
    defaults.setBool(true, abkeys::abUpdateNeverRemoveCompanies);
    setUserDefaultCounts();
    EXPECT_TRUE(defaults.boolForKey(abkeys::addressBookHasData));
    EXPECT_FALSE(defaults.boolForKey(abkeys::abUpdateNeverRemoveContacts));
    defaults.setBool(true, abkeys::abUpdateNeverRemovePeople);
    setUserDefaultCounts();
    EXPECT_TRUE(defaults.boolForKey(abkeys::abUpdateNeverRemoveContacts));
}

TEST_F(ChangeTrackingTest, UserDefaultCounts_NoGroupCountsTheKindsThatUpdatesCarry)
{
    UserDefaults &defaults = UserDefaults::standard();
    addPerson("Loose", "One");
    addCompany("Loose Co");
    defaults.setBool(true, abkeys::gmUpdateCompanies);
    setUserDefaultCounts();
    EXPECT_EQ(intPreference(abkeys::addressBookTotalNoGroups), 1);
    defaults.setBool(true, abkeys::gmUpdatePeople);
    setUserDefaultCounts();
    EXPECT_EQ(intPreference(abkeys::addressBookTotalNoGroups), 3);
}

TEST_F(ChangeTrackingTest, SetCounts_WritesAndLogsAtEveryLevel)
{
    const PersonPtr person = addPerson("B", "Day");
    person->setValueForProperty(QDate(1970, 1, 20), kABBirthdayProperty);
    MutableMultiValue dates(PropertyType::MultiDateComponents);
    dates.addValue(QDate(2000, 6, 1), kABAnniversaryLabel);
    person->setValueForProperty(QVariant::fromValue(MultiValue(dates)), kABOtherDatesProperty);
    addCompany("Co");
    LogCapture log;
    setCounts();
    EXPECT_EQ(log.lines(),
              (QStringList{"AddressBook: 2 people", "AddressBook: 1 people with birthdays",
                           "AddressBook: 1 people with anniversaries",
                           "AddressBook: 0 people with images", "AddressBook: 1 companies",
                           "AddressBook: 0 companies with images"}));
    EXPECT_EQ(intPreference(abkeys::personCountAddressBook), 2);
    EXPECT_EQ(intPreference(abkeys::birthdayCountAddressBook), 1);
    EXPECT_EQ(intPreference(abkeys::anniversaryCountAddressBook), 1);
    EXPECT_EQ(intPreference(abkeys::companyCountAddressBook), 1);
}

TEST_F(ChangeTrackingTest, Snapshot_UnchangedBookReportsNoChangeEvenWithoutGroups)
{
    ASSERT_FALSE(lastGroupInsertDate().isValid());
    storeSnapshot();
    EXPECT_FALSE(hasABChangedSinceLast());
    EXPECT_FALSE(hasABCountChangedSinceLast());
    EXPECT_FALSE(hasABModDateChangedSinceLast());
}

TEST_F(ChangeTrackingTest, Snapshot_NoSnapshotYetIsAChange)
{
    EXPECT_TRUE(hasABChangedSinceLast());
}

TEST_F(ChangeTrackingTest, Snapshot_EachKindOfChangeIsSeen)
{
    const PersonPtr person = addPerson("Snap", "Shot");
    addGroup("Snapped");
    ASSERT_TRUE(abSave());
    storeSnapshot();
    ASSERT_FALSE(hasABChangedSinceLast());
    const QDateTime snapshotTime = lastPersonUpdateDate();
    const QDateTime groupSnapshotTime = lastGroupUpdateDate();

    QThread::msleep(5);
    person->setValueForProperty(QStringLiteral("changed"), kABNoteProperty);
    EXPECT_TRUE(hasABChangedSinceLast());
    EXPECT_TRUE(hasABModDateChangedSinceLast());
    EXPECT_FALSE(hasABCountChangedSinceLast());
    EXPECT_EQ(peopleChangedSince(snapshotTime), QList<PersonPtr>{person});
    EXPECT_TRUE(peopleInsertedSince(snapshotTime).isEmpty());

    const PersonPtr added = addPerson("New", "Comer");
    const GroupPtr addedGroup = addGroup("New group");
    EXPECT_TRUE(hasABCountChangedSinceLast());
    EXPECT_EQ(peopleInsertedSince(snapshotTime), QList<PersonPtr>{added});
    EXPECT_EQ(groupsInsertedSince(groupSnapshotTime), QList<GroupPtr>{addedGroup});
    EXPECT_EQ(groupsChangedSince(groupSnapshotTime), QList<GroupPtr>{addedGroup});
    // Strictly later: a record made at the given time is not in the list.
    EXPECT_TRUE(peopleInsertedSince(lastPersonInsertDate()).isEmpty());
}

} // namespace
