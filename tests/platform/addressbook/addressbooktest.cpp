#include "addressbookfixture.h"
#include "fullperson.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QThread>

namespace {

PersonPtr addPerson(AddressBook &book, const QString &first, const QString &last = {})
{
    PersonPtr person = Person::create();
    person->setValueForProperty(first, kABFirstNameProperty);
    if (!last.isEmpty())
        person->setValueForProperty(last, kABLastNameProperty);
    book.addRecord(person);
    return person;
}

GroupPtr addGroup(AddressBook &book, const QString &name)
{
    GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    book.addRecord(group);
    return group;
}

} // namespace

using AddressBookTest = AddressBookFixture;

TEST_F(AddressBookTest, NewBook_StartsWithSavedMeRecord)
{
    auto book = openBook();
    ASSERT_TRUE(book->me());
    EXPECT_FALSE(book->me()->valueForProperty(kABFirstNameProperty).toString().isEmpty());
    EXPECT_EQ(book->people().size(), 1);
    EXPECT_FALSE(book->hasUnsavedChanges());

    auto reopened = openBook(101);
    ASSERT_TRUE(reopened->me());
    EXPECT_EQ(reopened->me()->uniqueId(), book->me()->uniqueId());
    EXPECT_EQ(reopened->people().size(), 1);
}

TEST_F(AddressBookTest, UniqueIdentifiers_NameTheirKind)
{
    auto book = openBook();
    const QRegularExpression uuid(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}:"));
    const PersonPtr person = Person::create();
    const GroupPtr group = Group::create();
    const GroupPtr smart = Group::createSmartGroup(
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                   QStringLiteral("x"), SearchElement::Comparison::Equal));
    const struct
    {
        RecordPtr record;
        QString suffix;
    } cases[] = {{person, QStringLiteral("ABPerson")},
                 {group, QStringLiteral("ABGroup")},
                 {smart, QStringLiteral("ABSmartGroup")}};
    for (const auto &c : cases) {
        EXPECT_TRUE(uuid.match(c.record->uniqueId()).hasMatch())
            << c.record->uniqueId().toStdString();
        EXPECT_TRUE(c.record->uniqueId().endsWith(u':' + c.suffix));
        EXPECT_EQ(c.record->recordType(), c.suffix);
        EXPECT_EQ(c.record->valueForProperty(kABUIDProperty).toString(), c.record->uniqueId());
        EXPECT_FALSE(c.record->setValueForProperty(QStringLiteral("X:ABPerson"), kABUIDProperty));
        EXPECT_TRUE(book->addRecord(c.record));
    }
}

TEST_F(AddressBookTest, Values_OfWrongTypeOrUnknownPropertyAreRefused)
{
    const PersonPtr person = Person::create();
    EXPECT_FALSE(person->setValueForProperty(42, kABFirstNameProperty));
    EXPECT_FALSE(person->setValueForProperty(QStringLiteral("x"), kABPersonFlags));
    EXPECT_FALSE(person->setValueForProperty(QStringLiteral("x"), kABEmailProperty));
    EXPECT_FALSE(person->setValueForProperty(QStringLiteral("x"), kABCreationDateProperty));
    EXPECT_FALSE(person->setValueForProperty(QStringLiteral("x"), kABGroupNameProperty));
    EXPECT_FALSE(person->valueForProperty(kABFirstNameProperty).isValid());

    MutableMultiValue dates(PropertyType::MultiDateComponents);
    dates.addValue(QStringLiteral("not a date"), kABAnniversaryLabel);
    EXPECT_FALSE(person->setValueForProperty(QVariant::fromValue(dates), kABOtherDatesProperty));
}

TEST_F(AddressBookTest, SaveAndReopen_KeepsEveryValueExactly)
{
    auto book = openBook();
    const PersonPtr person = addPerson(*book, QStringLiteral("Ann"), QStringLiteral("Lee"));
    person->setValueForProperty(QDate(1970, 2, 28), kABBirthdayProperty);
    person->setValueForProperty(kABShowAsCompany | 0x20, kABPersonFlags);
    MutableMultiValue emails(PropertyType::MultiString);
    emails.addValue(QStringLiteral("ann@home.example"), kABHomeLabel);
    const QString workId = emails.addValue(QStringLiteral("ann@work.example"), kABWorkLabel);
    emails.addValue(QStringLiteral("ann@boat.example"), QStringLiteral("Boat"));
    emails.setPrimaryIdentifier(workId);
    ASSERT_TRUE(person->setValueForProperty(QVariant::fromValue(emails), kABEmailProperty));
    MutableMultiValue addresses(PropertyType::MultiDictionary);
    addresses.addValue(QVariantMap{{kABAddressStreetKey, QStringLiteral("1 Main St\nApt 2")},
                                   {kABAddressCityKey, QStringLiteral("Springfield")},
                                   {kABAddressCountryCodeKey, QStringLiteral("us")}},
                       kABHomeLabel);
    ASSERT_TRUE(person->setValueForProperty(QVariant::fromValue(addresses), kABAddressProperty));
    ASSERT_TRUE(
        person->setValueForProperty(QVariant::fromValue(MutableMultiValue()), kABPhoneProperty));
    const QDateTime created = person->valueForProperty(kABCreationDateProperty).toDateTime();
    const QDateTime modified = person->valueForProperty(kABModificationDateProperty).toDateTime();
    ASSERT_TRUE(book->save());

    auto reopened = openBook(101);
    const PersonPtr loaded = reopened->personForUniqueId(person->uniqueId());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->valueForProperty(kABLastNameProperty).toString(), QStringLiteral("Lee"));
    EXPECT_EQ(loaded->valueForProperty(kABBirthdayProperty), QVariant(QDate(1970, 2, 28)));
    EXPECT_EQ(loaded->valueForProperty(kABPersonFlags).toInt(), kABShowAsCompany | 0x20);
    EXPECT_EQ(loaded->multiValueForProperty(kABEmailProperty), MultiValue(emails));
    EXPECT_EQ(loaded->multiValueForProperty(kABEmailProperty).primaryIdentifier(), workId);
    EXPECT_EQ(loaded->multiValueForProperty(kABAddressProperty), MultiValue(addresses));
    EXPECT_TRUE(variantHoldsMultiValue(loaded->valueForProperty(kABPhoneProperty)));
    EXPECT_EQ(loaded->multiValueForProperty(kABPhoneProperty).count(), 0);
    EXPECT_EQ(loaded->valueForProperty(kABCreationDateProperty).toDateTime(), created);
    EXPECT_EQ(loaded->valueForProperty(kABModificationDateProperty).toDateTime(), modified);
    EXPECT_EQ(loaded->valueForProperty(kABCreationDateProperty).toDateTime().timeSpec(), Qt::UTC);
}

// A person saved in a run of bulk saves is kept in its stored form and read again when next
// looked at.
TEST_F(AddressBookTest, PersonSavedInBulk_HoldsEveryValueAndTakesFurtherChanges)
{
    auto book = openBook();
    const BulkSaves bulkSaves(book.get());
    const PersonPtr person = fullPerson();
    ASSERT_TRUE(book->addRecord(person));
    QVariantList before;
    for (const QString &property : person->classProperties())
        before.append(person->valueForProperty(property));
    ASSERT_TRUE(book->save());

    QVariantList after;
    for (const QString &property : person->classProperties())
        after.append(person->valueForProperty(property));
    EXPECT_EQ(after, before);
    ASSERT_TRUE(person->setValueForProperty(QStringLiteral("Changed"), kABNoteProperty));
    ASSERT_TRUE(book->save());
    auto reopened = openBook(101);
    const PersonPtr loaded = reopened->personForUniqueId(person->uniqueId());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->valueForProperty(kABNoteProperty), QVariant(QStringLiteral("Changed")));
    EXPECT_EQ(loaded->multiValueForProperty(kABEmailProperty),
              person->multiValueForProperty(kABEmailProperty));
    EXPECT_EQ(loaded->valueForProperty(kABBirthdayProperty),
              person->valueForProperty(kABBirthdayProperty));
}

TEST_F(AddressBookTest, Changes_StayUnsavedUntilSaveAndStampTheModificationDate)
{
    auto book = openBook();
    const PersonPtr person = addPerson(*book, QStringLiteral("Ann"));
    EXPECT_TRUE(book->hasUnsavedChanges());
    ASSERT_TRUE(book->save());
    EXPECT_FALSE(book->hasUnsavedChanges());
    const QDateTime before = person->valueForProperty(kABModificationDateProperty).toDateTime();

    QThread::msleep(5);
    person->setValueForProperty(QStringLiteral("Bea"), kABFirstNameProperty);
    EXPECT_TRUE(book->hasUnsavedChanges());
    EXPECT_GT(person->valueForProperty(kABModificationDateProperty).toDateTime(), before);
    EXPECT_EQ(openBook(101)
                  ->personForUniqueId(person->uniqueId())
                  ->valueForProperty(kABFirstNameProperty),
              QVariant(QStringLiteral("Ann")));
}

TEST_F(AddressBookTest, LinkValues_AreSavedAndAnnouncedButLeaveTheModificationDate)
{
    auto book = openBook();
    book->addPropertiesAndTypes(RecordClass::Person,
                                {{QStringLiteral("com.test.link"), PropertyType::String}});
    const PersonPtr person = addPerson(*book, QStringLiteral("Ann"));
    ASSERT_TRUE(book->save());
    const QVariant before = person->valueForProperty(kABModificationDateProperty);
    QSignalSpy saved(book.get(), &AddressBook::databaseChanged);

    QThread::msleep(5);
    ASSERT_TRUE(
        person->setLinkValueForProperty(QStringLiteral("g/1"), QStringLiteral("com.test.link")));
    EXPECT_TRUE(book->hasUnsavedChanges());
    ASSERT_TRUE(book->save());
    EXPECT_EQ(saved.count(), 1);
    auto reader = openBook(101);
    const PersonPtr stored = reader->personForUniqueId(person->uniqueId());
    EXPECT_EQ(stored->valueForProperty(QStringLiteral("com.test.link")),
              QVariant(QStringLiteral("g/1")));
    EXPECT_EQ(stored->valueForProperty(kABModificationDateProperty), before);

    ASSERT_TRUE(person->removeLinkValueForProperty(QStringLiteral("com.test.link")));
    ASSERT_TRUE(book->save());
    EXPECT_FALSE(openBook(102)
                     ->personForUniqueId(person->uniqueId())
                     ->valueForProperty(QStringLiteral("com.test.link"))
                     .isValid());
    EXPECT_EQ(person->valueForProperty(kABModificationDateProperty), before);
    // Read-only properties stay so for link writes.
    EXPECT_FALSE(person->setLinkValueForProperty(QDateTime::currentDateTimeUtc(),
                                                 kABModificationDateProperty));
}

TEST_F(AddressBookTest, Lookups_HandOutOneObjectPerRecord)
{
    auto book = openBook();
    const PersonPtr person = addPerson(*book, QStringLiteral("Ann"));
    book->save();
    auto other = openBook(101);
    const PersonPtr fromList = other->people().last();
    EXPECT_EQ(other->recordForUniqueId(person->uniqueId()).get(), fromList.get());
    EXPECT_EQ(other->personForUniqueId(person->uniqueId()).get(), fromList.get());
    const auto found = other->recordsMatchingSearchElement(
        SearchElement::forProperty(RecordClass::Person, kABFirstNameProperty, {}, {},
                                   QStringLiteral("Ann"), SearchElement::Comparison::Equal));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first().get(), fromList.get());
    EXPECT_FALSE(other->groupForUniqueId(person->uniqueId()));
}

TEST_F(AddressBookTest, AddRecord_RefusesARecordAlreadyInABook)
{
    auto book = openBook();
    const PersonPtr person = addPerson(*book, QStringLiteral("Ann"));
    EXPECT_FALSE(book->addRecord(person));
    EXPECT_FALSE(book->addRecord(nullptr));
}

TEST_F(AddressBookTest, CustomProperties_AreOnDiskAtOnceAndNeverAddedTwice)
{
    auto book = openBook();
    auto agent = openBook(200, QStringLiteral("Agent Tolvane"));
    EXPECT_EQ(book->addPropertiesAndTypes(RecordClass::Person,
                                          {{QStringLiteral("GoogleID"), PropertyType::String}}),
              1);
    EXPECT_EQ(book->addPropertiesAndTypes(RecordClass::Person,
                                          {{QStringLiteral("GoogleID"), PropertyType::String},
                                           {kABFirstNameProperty, PropertyType::String}}),
              0);
    EXPECT_FALSE(book->hasUnsavedChanges());
    EXPECT_TRUE(book->properties(RecordClass::Person).contains(QStringLiteral("GoogleID")));
    EXPECT_FALSE(book->properties(RecordClass::Group).contains(QStringLiteral("GoogleID")));

    // The other program sees the schema without a save or a reload.
    EXPECT_EQ(agent->typeOfProperty(RecordClass::Person, QStringLiteral("GoogleID")),
              PropertyType::String);
    const PersonPtr person = addPerson(*agent, QStringLiteral("Ann"));
    EXPECT_TRUE(person->setValueForProperty(QStringLiteral("g1"), QStringLiteral("GoogleID")));
    EXPECT_FALSE(person->setValueForProperty(QStringLiteral("x"), QStringLiteral("Missing")));
    agent->save();

    const auto found = openBook(300)->recordsMatchingSearchElement(
        SearchElement::forProperty(RecordClass::Person, QStringLiteral("GoogleID"), {}, {},
                                   QStringLiteral("g1"), SearchElement::Comparison::Equal));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first()->uniqueId(), person->uniqueId());
}

TEST_F(AddressBookTest, Me_IsKeptAndClearedWhenItsRecordIsRemoved)
{
    auto book = openBook();
    const PersonPtr ann = addPerson(*book, QStringLiteral("Ann"));
    EXPECT_FALSE(book->setMe(Person::create()));
    ASSERT_TRUE(book->setMe(ann));
    EXPECT_TRUE(book->hasUnsavedChanges());
    book->save();
    EXPECT_EQ(openBook(101)->me()->uniqueId(), ann->uniqueId());

    book->removeRecord(ann);
    EXPECT_FALSE(book->me());
    book->save();
    EXPECT_FALSE(openBook(102)->me());
}

TEST_F(AddressBookTest, Groups_HoldMembersAndSubgroupsAndRefuseCycles)
{
    auto book = openBook();
    const PersonPtr ann = addPerson(*book, QStringLiteral("Ann"));
    const PersonPtr bob = addPerson(*book, QStringLiteral("Bob"));
    const GroupPtr friends = addGroup(*book, QStringLiteral("Friends"));
    const GroupPtr close = addGroup(*book, QStringLiteral("Close"));
    const GroupPtr closest = addGroup(*book, QStringLiteral("Closest"));

    EXPECT_TRUE(friends->addMember(bob));
    EXPECT_TRUE(friends->addMember(ann));
    EXPECT_FALSE(friends->addMember(Person::create()));
    EXPECT_TRUE(friends->addSubgroup(close));
    EXPECT_TRUE(close->addSubgroup(closest));
    EXPECT_FALSE(friends->addSubgroup(friends));
    EXPECT_FALSE(friends->addSubgroup(close));
    EXPECT_FALSE(closest->addSubgroup(friends));
    EXPECT_FALSE(close->addSubgroup(friends));
    ASSERT_TRUE(book->save());

    auto reopened = openBook(101);
    const GroupPtr loaded = reopened->groupForUniqueId(friends->uniqueId());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->members().size(), 2);
    EXPECT_EQ(loaded->members().at(0)->uniqueId(), bob->uniqueId());
    ASSERT_EQ(loaded->subgroups().size(), 1);
    EXPECT_EQ(loaded->subgroups().first()->uniqueId(), close->uniqueId());
    const auto parents = reopened->personForUniqueId(ann->uniqueId())->parentGroups();
    ASSERT_EQ(parents.size(), 1);
    EXPECT_EQ(parents.first().get(), loaded.get());
    EXPECT_EQ(reopened->groups().size(), 3);
}

TEST_F(AddressBookTest, RemoveRecord_TakesRecordsOutOfTheirGroupsOnly)
{
    auto book = openBook();
    const PersonPtr ann = addPerson(*book, QStringLiteral("Ann"));
    const GroupPtr parent = addGroup(*book, QStringLiteral("Parent"));
    const GroupPtr child = addGroup(*book, QStringLiteral("Child"));
    parent->addSubgroup(child);
    parent->addMember(ann);
    child->addMember(ann);
    book->save();

    book->removeRecord(child);
    EXPECT_TRUE(parent->subgroups().isEmpty());
    EXPECT_TRUE(book->personForUniqueId(ann->uniqueId()));
    book->removeRecord(ann);
    EXPECT_TRUE(parent->members().isEmpty());
    EXPECT_FALSE(book->removeRecord(ann));
    book->save();

    auto reopened = openBook(101);
    EXPECT_FALSE(reopened->recordForUniqueId(child->uniqueId()));
    EXPECT_FALSE(reopened->recordForUniqueId(ann->uniqueId()));
    EXPECT_TRUE(reopened->groupForUniqueId(parent->uniqueId())->members().isEmpty());
}

TEST_F(AddressBookTest, Members_KeepTheirOrderThroughSavesThatAddAndRemoveThem)
{
    auto book = openBook();
    QList<PersonPtr> people;
    for (const char *name : {"Ann", "Bob", "Cy", "Dee"})
        people.append(addPerson(*book, QString::fromLatin1(name)));
    const GroupPtr friends = addGroup(*book, QStringLiteral("Friends"));
    const auto membersOnDisk = [&] {
        QStringList names;
        auto reopened = openBook(101);
        for (const PersonPtr &member : reopened->groupForUniqueId(friends->uniqueId())->members())
            names.append(member->valueForProperty(kABFirstNameProperty).toString());
        return names;
    };

    friends->addMember(people[0]);
    friends->addMember(people[1]);
    ASSERT_TRUE(book->save());
    friends->addMember(people[2]);
    ASSERT_TRUE(book->save());
    EXPECT_EQ(membersOnDisk(), (QStringList{"Ann", "Bob", "Cy"}));
    friends->removeMember(people[0]);
    friends->addMember(people[3]);
    ASSERT_TRUE(book->save());
    EXPECT_EQ(membersOnDisk(), (QStringList{"Bob", "Cy", "Dee"}));
    book->removeRecord(people[2]);
    friends->addMember(people[0]);
    ASSERT_TRUE(book->save());
    EXPECT_EQ(membersOnDisk(), (QStringList{"Bob", "Dee", "Ann"}));
}

TEST_F(AddressBookTest, SmartGroups_ListMatchingPersonsAndTakeNoMembers)
{
    auto book = openBook();
    const PersonPtr ann = addPerson(*book, QStringLiteral("Ann"), QStringLiteral("Lee"));
    addPerson(*book, QStringLiteral("Bob"), QStringLiteral("Ray"));
    const GroupPtr smart = Group::createSmartGroup(SearchElement::forProperty(
        RecordClass::Person, kABLastNameProperty, {}, {}, QStringLiteral("lee"),
        SearchElement::Comparison::EqualCaseInsensitive));
    smart->setValueForProperty(QStringLiteral("Lees"), kABGroupNameProperty);
    ASSERT_TRUE(book->addRecord(smart));
    const GroupPtr plain = addGroup(*book, QStringLiteral("Plain"));

    EXPECT_FALSE(smart->addMember(ann));
    EXPECT_FALSE(smart->addSubgroup(plain));
    EXPECT_FALSE(plain->addSubgroup(smart));
    EXPECT_TRUE(smart->classProperties().contains(kABSearchElementProperty));
    EXPECT_FALSE(plain->classProperties().contains(kABSearchElementProperty));
    book->save();

    auto reopened = openBook(101);
    const GroupPtr loaded = reopened->groupForUniqueId(smart->uniqueId());
    ASSERT_TRUE(loaded && loaded->isSmartGroup());
    ASSERT_EQ(loaded->members().size(), 1);
    EXPECT_EQ(loaded->members().first()->uniqueId(), ann->uniqueId());
    EXPECT_TRUE(loaded->classProperties().contains(kABSearchElementProperty));
    EXPECT_EQ(reopened->groups().size(), 2);
}

TEST_F(AddressBookTest, Images_AreStoredAtSaveAndRemovedWithEmptyData)
{
    auto book = openBook();
    const PersonPtr ann = addPerson(*book, QStringLiteral("Ann"));
    const QByteArray picture("\x89PNG\r\n\x1a\n-picture-bytes", 22);
    EXPECT_FALSE(ann->hasImage());
    ann->setImageData(picture);
    EXPECT_TRUE(ann->hasImage());
    EXPECT_EQ(ann->imageData(), picture);
    book->save();

    auto reopened = openBook(101);
    const PersonPtr loaded = reopened->personForUniqueId(ann->uniqueId());
    EXPECT_TRUE(loaded->hasImage());
    EXPECT_EQ(loaded->imageData(), picture);
    loaded->setImageData({});
    EXPECT_FALSE(loaded->hasImage());
    reopened->save();
    EXPECT_FALSE(openBook(102)->personForUniqueId(ann->uniqueId())->hasImage());
}

TEST_F(AddressBookTest, PhoneFormatSettings_ComeFromTheAddressBookPreferences)
{
    auto book = openBook();
    EXPECT_FALSE(book->phoneFormatSettings().enabled);
    UserDefaults preferences(kABPreferencesDomain);
    preferences.setBool(true, kABPhoneFormatEnabled);
    preferences.setObject(QStringList{QStringLiteral("(###) ###-####")},
                          kABPhoneFormatPhoneFormatter);
    const PhoneFormatSettings settings = book->phoneFormatSettings();
    EXPECT_TRUE(settings.enabled);
    EXPECT_EQ(settings.formats, QStringList{QStringLiteral("(###) ###-####")});
}

TEST_F(AddressBookTest, DatabasePath_IsTheSetPathElseTheEnvironmentElseTheDataFolder)
{
    // The program's book is opened from the path in force at its first use after a close.
    AddressBook::closeShared();
    qunsetenv("TOLVANE_AB_DB");
    EXPECT_TRUE(AddressBook::databasePath().endsWith(
        QStringLiteral("/.local/share/tolvane-ab/AddressBook.sqlite")));
    qputenv("TOLVANE_AB_DB", databasePath().toUtf8());
    EXPECT_EQ(AddressBook::databasePath(), databasePath());
    AddressBook::setDatabasePath(m_dir.filePath(QStringLiteral("set.sqlite")));
    EXPECT_EQ(AddressBook::databasePath(), m_dir.filePath(QStringLiteral("set.sqlite")));
    EXPECT_EQ(AddressBook::shared()->path(), m_dir.filePath(QStringLiteral("set.sqlite")));
    EXPECT_EQ(AddressBook::shared(), AddressBook::shared());
    AddressBook::closeShared();
    AddressBook::setDatabasePath(QString());
    qunsetenv("TOLVANE_AB_DB");
}
