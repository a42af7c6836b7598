#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/storedentries.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordsaving.h"
#include "addressbook/vcards/importrecordmerge.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

namespace {

using namespace AddressBookTool;

using Entries = QList<StoredEntry>;

class ImportRecordMergeTest : public AddressBookTest
{
};

struct KindCase
{
    const char *name;
    QVariant flags;    // invalid: the person has none
    QString isCompany; // null: the record has no such key
    QVariant expected; // invalid: still none
};

TEST_F(ImportRecordMergeTest, KindChangesOnlyTheShowAsBitsAndOnlyWhenTheRecordSaysSo)
{
    const KindCase cases[] = {
        {"\"0\" makes a person", kABShowAsCompany, "0", kABShowAsPerson},
        {"\"1\" makes a company", kABShowAsPerson, "1", kABShowAsCompany},
        {"any other text makes a company", {}, "yes", kABShowAsCompany},
        {"no key leaves no flags", {}, {}, {}},
        {"no key leaves a company a company", kABShowAsCompany, {}, kABShowAsCompany},
        {"an empty value carries nothing", kABShowAsCompany, "", kABShowAsCompany},
        {"other bits stay when becoming a company", 8, "1", 9},
        {"other bits stay when becoming a person", 9, "0", 8},
    };
    for (const KindCase &c : cases) {
        const PersonPtr person = Person::create();
        if (c.flags.isValid())
            person->setValueForProperty(c.flags, kABPersonFlags);
        QVariantMap record;
        if (!c.isCompany.isNull())
            record.insert("isCompany", c.isCompany);
        updateOnlyNewDataForABPerson(person, record);
        EXPECT_EQ(person->valueForProperty(kABPersonFlags), c.expected) << c.name;
    }
}

struct SingleField
{
    const char *key;
    QString property;
};

TEST_F(ImportRecordMergeTest, SingleFieldsAreFilledOnlyWhereEmpty)
{
    const SingleField fields[] = {
        {"prefix", kABTitleProperty},        {"suffix", kABSuffixProperty},
        {"firstName", kABFirstNameProperty}, {"nickName", kABNicknameProperty},
        {"lastName", kABLastNameProperty},   {"organization", kABOrganizationProperty},
        {"jobTitle", kABJobTitleProperty},   {"department", kABDepartmentProperty},
        {"notes", kABNoteProperty},
    };
    for (const SingleField &field : fields) {
        const QVariantMap record{{field.key, "New"}};
        const PersonPtr empty = Person::create();
        const PersonPtr emptyText = Person::create();
        emptyText->setValueForProperty("", field.property);
        const PersonPtr holding = Person::create();
        holding->setValueForProperty("Old", field.property);
        for (const PersonPtr &person : {empty, emptyText, holding})
            updateOnlyNewDataForABPerson(person, record);
        EXPECT_EQ(empty->valueForProperty(field.property), "New") << field.key;
        EXPECT_EQ(emptyText->valueForProperty(field.property), "New") << field.key;
        EXPECT_EQ(holding->valueForProperty(field.property), "Old") << field.key;

        const PersonPtr untouched = Person::create();
        updateOnlyNewDataForABPerson(untouched, {{field.key, ""}});
        EXPECT_FALSE(untouched->valueForProperty(field.property).isValid()) << field.key;
    }
}

struct NoteCase
{
    const char *name;
    bool addNote;
    QString stamp; // null: unset
    QString note;  // null: none
    QString recordNotes;
    QVariant expected;
};

TEST_F(ImportRecordMergeTest, NoteStamp)
{
    const NoteCase cases[] = {
        {"off", false, "Imported", "Hi", {}, "Hi"},
        {"empty note", true, "Imported", {}, {}, "Imported"},
        {"note without the stamp", true, "Imported", "Hi", {}, "Hi\rImported"},
        {"note that holds the stamp",
         true,
         "Imported",
         "Hi\rImported today",
         {},
         "Hi\rImported today"},
        {"stamp unset", true, {}, "Hi", {}, "Hi"},
        {"after the record's notes",
         true,
         "Imported",
         {},
         "From the card",
         "From the card\rImported"},
    };
    UserDefaults &defaults = UserDefaults::standard();
    for (const NoteCase &c : cases) {
        defaults.setBool(c.addNote, abkeys::importAddNote);
        if (c.stamp.isNull())
            defaults.removeObjectForKey(abkeys::newRecordNote);
        else
            defaults.setString(c.stamp, abkeys::newRecordNote);
        const PersonPtr person = Person::create();
        if (!c.note.isNull())
            person->setValueForProperty(c.note, kABNoteProperty);
        updateOnlyNewDataForABPerson(person, {{"notes", c.recordNotes}});
        EXPECT_EQ(person->valueForProperty(kABNoteProperty), c.expected) << c.name;
    }
}

// Each person's first entry before the merge is its primary one.
struct AddressCase
{
    const char *name;
    QList<LabelledEntry> before;
    QVariantMap record;
    Entries expected;
};

TEST_F(ImportRecordMergeTest, Addresses)
{
    const QVariantMap bergen = QVariantMap({{kABAddressCityKey, "Bergen"}});
    const QVariantMap oslo = QVariantMap({{kABAddressCityKey, "Oslo"}});
    const AddressCase cases[] = {
        {"work address gains both street lines and stays at its index",
         {{kABAddressHomeLabel, bergen}, {kABAddressWorkLabel, oslo}},
         {{"workStreet", "1 Main St"}, {"workStreet2", "Flat 2"}, {"workCity", "Tromsø"}},
         {{kABAddressHomeLabel, bergen, true},
          {kABAddressWorkLabel, QVariantMap({{kABAddressCityKey, "Oslo"},
                                             {kABAddressStreetKey, "1 Main St\rFlat 2"}})}}},
        {"an empty street counts as missing",
         {{kABAddressHomeLabel, QVariantMap({{kABAddressStreetKey, ""}})}},
         {{"homeStreet", "2 Elm St"}},
         {{kABAddressHomeLabel, QVariantMap({{kABAddressStreetKey, "2 Elm St"}}), true}}},
        {"a second street line alone adds no address", {}, {{"homeStreet2", "Flat 2"}}, {}},
        {"a new work address holds the record's parts",
         {{kABAddressHomeLabel, bergen}},
         {{"workCity", "Oslo"}, {"workZip", "0150"}, {"workState", ""}, {"workCountry", "Norway"}},
         {{kABAddressHomeLabel, bergen, true},
          {kABAddressWorkLabel, QVariantMap({{kABAddressCityKey, "Oslo"},
                                             {kABAddressZIPKey, "0150"},
                                             {kABAddressCountryKey, "Norway"}})}}},
        {"both sides, work first",
         {},
         {{"homeStreet", "2 Elm St"}, {"homeStreet2", "Flat 2"}, {"workState", "NY"}},
         {{kABAddressWorkLabel, QVariantMap({{kABAddressStateKey, "NY"}})},
          {kABAddressHomeLabel, QVariantMap({{kABAddressStreetKey, "2 Elm St\rFlat 2"}})}}},
        {"the empty parts of the first home address, none of a second",
         {{kABAddressHomeLabel, bergen}, {kABAddressHomeLabel, QVariantMap({})}},
         {{"homeState", "Vestland"},
          {"homeZip", "5003"},
          {"homeCountry", "Norway"},
          {"homeCity", "Oslo"}},
         {{kABAddressHomeLabel,
           QVariantMap({{kABAddressCityKey, "Bergen"},
                        {kABAddressStateKey, "Vestland"},
                        {kABAddressZIPKey, "5003"},
                        {kABAddressCountryKey, "Norway"}}),
           true},
          {kABAddressHomeLabel, QVariantMap({})}}},
    };
    for (const AddressCase &c : cases) {
        const PersonPtr person =
            personWith(kABAddressProperty, PropertyType::MultiDictionary, c.before, 0);
        updateOnlyNewDataForABPerson(person, c.record);
        EXPECT_EQ(storedEntries(person, kABAddressProperty), c.expected) << c.name;
    }
}

// Each person's first entry before the merge is its primary one.
struct ListCase
{
    const char *name;
    QString property;
    QList<LabelledEntry> before;
    QVariantMap record;
    Entries expected;
};

TEST_F(ImportRecordMergeTest, PhonesEmailsAndURLsAreAddedOnlyForKindsThePersonLacks)
{
    const ListCase cases[] = {
        {"home phone held: only the mobile is added",
         kABPhoneProperty,
         {{kABPhoneHomeLabel, "1"}},
         {{"homePhone", "2"}, {"mobilePhone", "3"}},
         {{kABPhoneHomeLabel, "1", true}, {kABPhoneMobileLabel, "3"}}},
        {"every phone kind, in order",
         kABPhoneProperty,
         {},
         {{"otherPhone", "4"}, {"mobilePhone", "3"}, {"workPhone", "2"}, {"homePhone", "1"}},
         {{kABPhoneHomeLabel, "1"},
          {kABPhoneWorkLabel, "2"},
          {kABPhoneMobileLabel, "3"},
          {kABOtherLabel, "4"}}},
        {"work phone held",
         kABPhoneProperty,
         {{kABPhoneWorkLabel, "1"}},
         {{"workPhone", "2"}},
         {{kABPhoneWorkLabel, "1", true}}},
        {"mobile phone held",
         kABPhoneProperty,
         {{kABPhoneMobileLabel, "1"}},
         {{"mobilePhone", "2"}},
         {{kABPhoneMobileLabel, "1", true}}},
        {"a fax is no other phone",
         kABPhoneProperty,
         {{kABPhoneWorkFAXLabel, "1"}},
         {{"otherPhone", "2"}},
         {{kABPhoneWorkFAXLabel, "1", true}, {kABOtherLabel, "2"}}},
        {"other phone held",
         kABPhoneProperty,
         {{kABOtherLabel, "1"}},
         {{"otherPhone", "2"}},
         {{kABOtherLabel, "1", true}}},
        {"no e-mail: the work address is added",
         kABEmailProperty,
         {},
         {{"workEmail", "w@x.org"}},
         {{kABEmailWorkLabel, "w@x.org"}}},
        {"a home e-mail is no work e-mail",
         kABEmailProperty,
         {{kABEmailHomeLabel, "h@x.org"}},
         {{"workEmail", "w@x.org"}, {"homeEmail", "h2@x.org"}},
         {{kABEmailHomeLabel, "h@x.org", true}, {kABEmailWorkLabel, "w@x.org"}}},
        {"work e-mail held: only the home one is added",
         kABEmailProperty,
         {{kABEmailWorkLabel, "w@x.org"}},
         {{"workEmail", "w2@x.org"}, {"homeEmail", "h@x.org"}},
         {{kABEmailWorkLabel, "w@x.org", true}, {kABEmailHomeLabel, "h@x.org"}}},
        {"home URL held: only the work one is added",
         kABURLsProperty,
         {{kABHomeLabel, "http://h"}},
         {{"homeURL", "http://h2"}, {"workURL", "http://w"}},
         {{kABHomeLabel, "http://h", true}, {kABWorkLabel, "http://w"}}},
        {"work URL held: only the home one is added",
         kABURLsProperty,
         {{kABWorkLabel, "http://w"}},
         {{"homeURL", "http://h"}, {"workURL", "http://w2"}},
         {{kABWorkLabel, "http://w", true}, {kABHomeLabel, "http://h"}}},
        {"empty values carry nothing", kABURLsProperty, {}, {{"homeURL", ""}, {"workURL", ""}}, {}},
    };
    for (const ListCase &c : cases) {
        const PersonPtr person =
            c.before.isEmpty() ? Person::create()
                               : personWith(c.property, PropertyType::MultiString, c.before, 0);
        updateOnlyNewDataForABPerson(person, c.record);
        EXPECT_EQ(storedEntries(person, c.property), c.expected) << c.name;
    }
}

TEST_F(ImportRecordMergeTest, NothingIsSavedAndTheLinkStays)
{
    ASSERT_TRUE(addTolvaneContactProperties());
    const PersonPtr person = addPerson("Ann", {});
    person->setValueForProperty("http://g/contact/1", kContactIDProperty);
    ASSERT_TRUE(abSave());
    updateOnlyNewDataForABPerson(person, {{"lastName", "Lee"}, {"isCompany", "0"}});
    EXPECT_EQ(person->valueForProperty(kABLastNameProperty), "Lee");
    EXPECT_EQ(person->valueForProperty(kContactIDProperty), "http://g/contact/1");
    AddressBook other(AddressBook::databasePath(), 2);
    EXPECT_FALSE(other.personForUniqueId(person->uniqueId())
                     ->valueForProperty(kABLastNameProperty)
                     .isValid());
}

} // namespace
