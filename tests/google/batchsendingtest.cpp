// Batch sends against the loopback server: a group batch whose links are written back and saved
// before its step runs, a group failure that ends the job, a missing ticket type.

#include "tests/google/engineservertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/linkproperties.h"
#include "google/batchkeys.h"
#include "google/contactaccessors.h"
#include "google/googlekeys.h"
#include "google/groupaccessors.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdatacontactelements.h"
#include "platform/gdata/gdataentrycontact.h"
#include "platform/gdata/gdataentrycontactgroup.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

const QString kContactID = QStringLiteral("com.test.googleID");
const QString kGroupID = QStringLiteral("com.test.groupGoogleID");

// A data delegate that answers the chain with a contact queue and notes the chain's end.
class QueueDataDelegate : public RecordingDataDelegate
{
public:
    using RecordingDataDelegate::RecordingDataDelegate;
    BatchActionQueue batchActionContactArray() override { return queue; }
    void listenForNotifications() override { ended = true; }
    BatchActionQueue queue;
    bool ended = false;
};

class BatchSendingTest : public EngineServerTest
{
protected:
    void SetUp() override
    {
        EngineServerTest::SetUp();
        storePassword(kPassword);
        UserDefaults &ud = UserDefaults::standard();
        const std::pair<QString, QString> names[] = {
            {abkeys::googleContactIDPropertyName, kContactID},
            {abkeys::googleContactVersionPropertyName, QStringLiteral("com.test.version")},
            {abkeys::googleContactAsOfDatePropertyName, QStringLiteral("com.test.asOf")},
            {abkeys::googleContactDataMaskPropertyName, QStringLiteral("com.test.mask")},
            {abkeys::googleGroupIDPropertyName, kGroupID},
            {abkeys::googleGroupVersionPropertyName, QStringLiteral("com.test.gversion")},
            {abkeys::googleGroupAsOfDatePropertyName, QStringLiteral("com.test.gasOf")},
            {abkeys::googleGroupDataMaskPropertyName, QStringLiteral("com.test.gmask")},
            {abkeys::googleContactExtendedPropertyName, QStringLiteral("tolvaneContact")},
            {abkeys::googleGroupExtendedPropertyName, QStringLiteral("tolvaneGroup")},
            {abkeys::addressBookDataMask, QStringLiteral("dm1111111111_1_2_3")},
        };
        for (const auto &[key, value] : names)
            ud.setString(value, key);
        ud.setBool(true, googlekeys::gmUpdateMemberships);
        ud.setBool(true, googlekeys::gmUpdateName);
        ASSERT_TRUE(AddressBookTool::addTolvaneContactProperties());
        ASSERT_TRUE(AddressBookTool::addTolvaneGroupProperties());
        engine = makeEngine();
        engine->setDataDelegate(&queueData);
        ASSERT_TRUE(logIn(*engine));
    }

    static PersonPtr addPerson(const QString &last)
    {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
        person->setValueForProperty(last, kABLastNameProperty);
        AddressBook::shared()->addRecord(person);
        return person;
    }

    static GroupPtr addGroup(const QString &name)
    {
        const GroupPtr group = Group::create();
        group->setValueForProperty(name, kABGroupNameProperty);
        AddressBook::shared()->addRecord(group);
        return group;
    }

    // The saved link of a record, read from the database by a second address book.
    static QString savedLink(const QString &uniqueId, const QString &property)
    {
        AddressBook reader(AddressBook::databasePath(), QCoreApplication::applicationPid() + 1);
        const RecordPtr record = reader.recordForUniqueId(uniqueId);
        return record ? record->valueForProperty(property).toString() : QString();
    }

    bool cleanedUp() const { return journal.filter(QStringLiteral("cleanup:")).size() > 0; }

    QueueDataDelegate queueData{journal};
    std::unique_ptr<OfferingEngine> engine;
};

TEST_F(BatchSendingTest, GenericGroupFailure_SetsTheGroupFlagAndEndsTheJob)
{
    engine->contactService()->setIsServiceRetryEnabled(false);
    UserDefaults::standard().setBool(false, batchkeys::updateABGroupActionsComplete);
    UserDefaults::standard().setBool(false, batchkeys::updateABContactActionsComplete);
    server.injectFault(QStringLiteral("/batch"), 503);

    ASSERT_TRUE(engine->processGroupBatchArray(
        {{addGroup(QStringLiteral("Team")), nullptr, batchactions::add}}, tickettypes::generic));
    ASSERT_TRUE(runUntil([&] { return cleanedUp(); }));

    EXPECT_TRUE(flag(batchkeys::updateABGroupActionsComplete));
    EXPECT_FALSE(flag(batchkeys::updateABContactActionsComplete));
    EXPECT_TRUE(journal.contains(QStringLiteral("cleanup:Advanced Google Update//503")));
}

TEST_F(BatchSendingTest, GenericGroupBatch_RunsTheGivenStepOnceGroupsAreRefetched)
{
    ui.offer(QStringLiteral("afterGroups"));
    const GroupPtr team = addGroup(QStringLiteral("Team"));

    ASSERT_TRUE(engine->processGroupBatchArray(
        {{team, nullptr, batchactions::add}}, tickettypes::generic, QStringLiteral("afterGroups")));
    ASSERT_TRUE(runUntil([&] { return journal.contains("step:afterGroups@ui"); }));

    // The Generic road writes the identifier alone.
    EXPECT_FALSE(savedLink(team->uniqueId(), kGroupID).isEmpty());
    EXPECT_TRUE(savedLink(team->uniqueId(), QStringLiteral("com.test.gversion")).isEmpty());
    EXPECT_NE(engine->lists().groupCount(), 0);
}

TEST_F(BatchSendingTest, MissingTicketType_LogsAndSendsNothing)
{
    setLevel(1);
    for (const QString &type : {QString(), QStringLiteral("Fancy")}) {
        server.clearRequestLog();
        EXPECT_FALSE(engine->processContactBatchArray(
            {{addPerson(QStringLiteral("X")), nullptr, batchactions::add}}, type));
        EXPECT_FALSE(engine->processGroupBatchArray(
            {{addGroup(QStringLiteral("G")), nullptr, batchactions::add}}, type));
        EXPECT_TRUE(requestsTo(QStringLiteral("/batch")).isEmpty());
    }
    EXPECT_EQ(lines().filter("Invalid parameter not satisfying: ticketType!=nil").size(), 4);
}

} // namespace
