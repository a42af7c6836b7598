#include "tests/support/google/uploadservertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "foundation/text/textdate.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QThread>

void waitBeforeEditing(const PersonPtr &person)
{
    const QString version =
        textdate::format(person->valueForProperty(kABModificationDateProperty).toDateTime());
    QThread::msleep(500);
    while (textdate::format(QDateTime::currentDateTime()) == version)
        QThread::msleep(20);
}

void UploadServerTest::SetUp()
{
    EngineServerTest::SetUp();
    storeCredentials();
    UserDefaults &ud = UserDefaults::standard();
    const std::pair<QString, QString> names[] = {
        {abkeys::googleContactIDPropertyName, kContactIDName},
        {abkeys::googleContactVersionPropertyName, kContactVersionName},
        {abkeys::googleContactAsOfDatePropertyName, kContactAsOfName},
        {abkeys::googleContactDataMaskPropertyName, kContactMaskName},
        {abkeys::googleGroupIDPropertyName, kGroupIDName},
        {abkeys::googleGroupVersionPropertyName, kGroupVersionName},
        {abkeys::googleGroupAsOfDatePropertyName, QStringLiteral("com.test.groupAsOf")},
        {abkeys::googleGroupDataMaskPropertyName, QStringLiteral("com.test.groupMask")},
        {abkeys::googleContactExtendedPropertyName, QStringLiteral("tolvaneContact")},
        {abkeys::googleGroupExtendedPropertyName, QStringLiteral("tolvaneGroup")},
        {abkeys::addressBookDataMask, QStringLiteral("dm1111111111_1_2_3")}};
    for (const auto &[key, value] : names)
        ud.setString(value, key);
    ASSERT_TRUE(AddressBookTool::addTolvaneContactProperties());
    ASSERT_TRUE(AddressBookTool::addTolvaneGroupProperties());
    for (const QString &key : {abkeys::gmUpdatePeople, abkeys::gmUpdateCompanies,
                               googlekeys::gmUpdateName, googlekeys::gmUpdateMemberships})
        ud.setBool(true, key);
    engine = makeEngine();
    engine->setDataDelegate(&queueData);
    ASSERT_TRUE(logIn(*engine));
}

PersonPtr UploadServerTest::addPerson(const QString &first, const QString &last)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(first, kABFirstNameProperty);
    person->setValueForProperty(last, kABLastNameProperty);
    AddressBook::shared()->addRecord(person);
    return person;
}

QList<PersonPtr> UploadServerTest::addPeople(int count, const QString &prefix)
{
    QList<PersonPtr> people;
    for (int i = 0; i < count; ++i)
        people << addPerson(QStringLiteral("Ann"), prefix + QString::number(i));
    return people;
}

GroupPtr UploadServerTest::addGroup(const QString &name)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    return group;
}

QString UploadServerTest::savedLink(const QString &uniqueId, const QString &property)
{
    AddressBook reader(AddressBook::databasePath(), QCoreApplication::applicationPid() + 1);
    const RecordPtr record = reader.recordForUniqueId(uniqueId);
    return record ? record->valueForProperty(property).toString() : QString();
}

QString UploadServerTest::savedContactID(const PersonPtr &person)
{
    return savedLink(person->uniqueId(), kContactIDName);
}

bool UploadServerTest::uploadPeople(const QList<PersonPtr> &people)
{
    journal.clear();
    queueData.ended = false;
    UserDefaults::standard().setBool(false, googlekeys::gmRefetchAllContactsComplete);
    queueData.queue = engine->buildBatchArrayForABContactArray(people);
    engine->batchSimpleABContactActions(queueData.queue);
    return runUntil([&] { return jobEnded(); });
}

bool UploadServerTest::jobEnded() const
{
    // A failed job ends with its error, and then with the contacts fetched again.
    const bool failed = !journal.filter(QRegularExpression("^cleanup:.*/-?\\d+$")).isEmpty();
    return queueData.ended || (failed && flag(googlekeys::gmRefetchAllContactsComplete));
}

void UploadServerTest::refetch()
{
    const GDataFeedPtr groups = engine->groupFeed();
    engine->refetchAllGroups(QString());
    ASSERT_TRUE(runUntil([&] { return engine->groupFeed() != groups; }));
    UserDefaults::standard().setBool(false, googlekeys::gmRefetchAllContactsComplete);
    engine->refetchAllContacts(QString());
    ASSERT_TRUE(runUntil([] { return flag(googlekeys::gmRefetchAllContactsComplete); }));
}

QStringList UploadServerTest::serverRecordIDs()
{
    QStringList ids;
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
        const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
        if (contact && !contact->isDeleted())
            ids << tolvane::tolvaneABID(*contact);
    }
    return ids;
}
