#include "tests/support/addressbook/abtestbook.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/logcapture.h"

namespace {

using namespace AddressBookTool;

class RecordSavingTest : public AddressBookTest
{
protected:
    static void protect(const QString &key) { UserDefaults::standard().setBool(true, key); }
};

TEST_F(RecordSavingTest, CanDeleteRecord_FollowsTheKeyOfTheRecordsKind)
{
    const PersonPtr person = addPerson("P", "Erson");
    const PersonPtr company = addCompany("Co");
    const GroupPtr manual = addGroup("Manual");
    const GroupPtr smart = addSmartGroup(
        "Smart", SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                            QStringLiteral("X"), SearchElement::Comparison::Equal));
    const struct
    {
        QString key;
        RecordPtr protectedRecord;
    } cases[] = {
        {abkeys::abUpdateNeverRemovePeople, person},
        {abkeys::abUpdateNeverRemoveCompanies, company},
        {abkeys::abUpdateNeverRemoveManualGroups, manual},
        {abkeys::abUpdateNeverRemoveSmartGroups, smart},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        for (const auto &other : cases)
            UserDefaults::standard().removeObjectForKey(other.key);
        protect(c.key);
        for (const auto &other : cases)
            EXPECT_EQ(canDeleteRecord(other.protectedRecord), other.key != c.key);
    }
    EXPECT_FALSE(canDeleteRecord(nullptr));
}

TEST_F(RecordSavingTest, CanDeleteRecord_NeverTheMeRecord)
{
    EXPECT_FALSE(canDeleteRecord(meAB()));
}

TEST_F(RecordSavingTest, DeleteRecord_RemovesWithoutSavingAndRefusesGroupsByIdentifier)
{
    const PersonPtr person = addPerson("Gone", "Soon");
    const GroupPtr group = addGroup("Stays");
    ASSERT_TRUE(abSave());
    EXPECT_FALSE(deleteRecord(nullptr));
    EXPECT_FALSE(deleteRecordForABID(group->uniqueId()));
    EXPECT_EQ(groupByABID(group->uniqueId()), group);
    EXPECT_TRUE(deleteRecordForABID(person->uniqueId()));
    EXPECT_EQ(personByABID(person->uniqueId()), nullptr);
    EXPECT_TRUE(AddressBook::shared()->hasUnsavedChanges());
}

TEST_F(RecordSavingTest, AbSave_WritesEveryChangeAtOnce)
{
    // Each call writes: another program opening the book sees every record right away.
    QStringList saved;
    for (int i = 0; i < 5; ++i) {
        saved.append(addPerson("Saved", QString::number(i))->uniqueId());
        ASSERT_TRUE(abSave());
        EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
    }
    AddressBook reader(AddressBook::databasePath(), 4242, QStringLiteral("reader"));
    for (const QString &abid : saved)
        EXPECT_NE(reader.personForUniqueId(abid), nullptr) << abid.toStdString();
}

TEST_F(RecordSavingTest, AbSave_WithNothingToSaveAnswersYesAndSaysSoAtLevelOne)
{
    ASSERT_TRUE(abSave());
    LogCapture log;
    EXPECT_TRUE(abSave());
    EXPECT_TRUE(log.lines().isEmpty());
    LogCapture::setLevel(1);
    EXPECT_TRUE(abSave());
    EXPECT_EQ(log.lines(), QStringList{"[AddressBookTool abSave] - No Unsaved Changes"});
}

} // namespace
