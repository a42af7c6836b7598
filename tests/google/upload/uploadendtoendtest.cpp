// A whole address book of 300 people uploaded through the engine's own operations against the
// loopback server, by the "Simple" and the "Advanced" road: group queue, the completion chain
// sending contacts and photos after the groups, then the smart-group memberships. Google then
// holds exactly the book, every record holds its saved links, a second run sends nothing, a
// changed person is updated and a queued delete removes its contact.

#include "tests/support/google/uploadbook.h"
#include "tests/support/google/uploadservertest.h"

#include "addressbook/fields/personimages.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdatacontactelements.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QMap>
#include <QSet>

#include <gtest/gtest.h>

namespace {

struct Road
{
    const char *name;
    bool advanced;
    bool neverMoveMeCard;
};

// What Google holds, read from the server's store.
struct ServerState
{
    QMap<QString, GDataEntryContactPtr> contactsByRecord; // by the record identifier they carry
    int liveContacts = 0;
    QMap<QString, QString> groupTitles; // identifier -> title, system groups left out
    // What the engine calls them on the protocol of the test.
    QMap<QString, QString> engineContactIDs; // identifier -> the engine's
    QSet<QString> engineGroupIDs;
};

class UploadEndToEndTest : public UploadServerTest,
                           public ::testing::WithParamInterface<std::tuple<Road, ServiceProtocol>>
{
protected:
    UploadEndToEndTest()
        : UploadServerTest(std::get<1>(GetParam()))
    {}

    static const Road &road() { return std::get<0>(GetParam()); }

    void SetUp() override
    {
        UploadServerTest::SetUp();
        UserDefaults &ud = UserDefaults::standard();
        for (const QString &key :
             {googlekeys::gmUpdateEmail, googlekeys::gmUpdatePhone, googlekeys::gmUpdatePostal,
              googlekeys::gmUpdateIM, googlekeys::gmUpdateCompany, googlekeys::gmUpdateTitle,
              googlekeys::gmUpdateNotes, googlekeys::gmUpdatePicture})
            ud.setBool(true, key);
        ud.setBool(road().neverMoveMeCard, googlekeys::gmUpdateNeverMoveMeCard);
        book = makeUploadBook();
    }

    ServerState serverState()
    {
        ServerState state;
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
            const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
            if (contact->isDeleted())
                continue;
            ++state.liveContacts;
            state.contactsByRecord.insert(tolvane::tolvaneABID(*contact), contact);
        }
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::ContactGroup)) {
            const auto group = std::dynamic_pointer_cast<GDataEntryContactGroup>(entry);
            if (!group->isDeleted() && !group->systemGroup())
                state.groupTitles.insert(group->identifier(), group->title().value_or(QString()));
        }
        const QStringList groupIDs = state.groupTitles.keys();
        for (const QString &id : engineIdentifiers(groupIDs, GDataEntryBase::Kind::ContactGroup))
            state.engineGroupIDs.insert(id);
        QStringList contactIDs;
        for (const GDataEntryContactPtr &contact : std::as_const(state.contactsByRecord))
            contactIDs << contact->identifier();
        const QStringList engineIDs = engineIdentifiers(contactIDs);
        for (qsizetype i = 0; i < contactIDs.size(); ++i)
            state.engineContactIDs.insert(contactIDs[i], engineIDs[i]);
        return state;
    }

    QList<PersonPtr> uploaded() const
    {
        QList<PersonPtr> people = book.people;
        if (road().neverMoveMeCard)
            people.removeOne(book.me);
        return people;
    }

    // The names of the groups and smart groups that hold the person.
    QStringList groupNamesOf(const PersonPtr &person) const
    {
        QStringList names;
        for (const GroupPtr &group : book.allGroups()) {
            if (group->members().contains(person))
                names << group->valueForProperty(kABGroupNameProperty).toString();
        }
        names.sort();
        return names;
    }

    void expectContactHoldsThePerson(const GDataEntryContact &contact, const PersonPtr &person,
                                     const ServerState &state)
    {
        const int i = int(book.people.indexOf(person));
        SCOPED_TRACE(i);
        QSet<QString> emails;
        QStringList labels;
        for (const GDataEmail &email : contact.emailAddresses()) {
            emails.insert(email.address);
            labels << email.label.value_or(QString());
        }
        const QString key = QString::number(i);
        EXPECT_EQ(emails, QSet<QString>({"p" + key + "@home.example", "p" + key + "@work.example",
                                         "p" + key + "@boat.example"}));
        EXPECT_TRUE(labels.contains(kUploadBookCustomLabel));
        EXPECT_EQ(contact.phoneNumbers().size(), 3u);
        EXPECT_EQ(contact.postalAddresses().size(), 2u);
        EXPECT_EQ(contact.IMAddresses().size(), 2u);
        EXPECT_TRUE(contact.content().value_or(QString()).contains("Met at fair " + key));
        QStringList memberships;
        for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
            if (state.groupTitles.contains(info.href))
                memberships << state.groupTitles.value(info.href);
        }
        memberships.sort();
        EXPECT_EQ(memberships, groupNamesOf(person));
        const std::optional<GDataLink> photo = contact.photoLink();
        ASSERT_TRUE(photo);
        EXPECT_EQ(photo->ETag().has_value(),
                  !AddressBookTool::imageDataABForPerson(person).isEmpty());
    }

    UploadBook book;
};

TEST_P(UploadEndToEndTest, WholeBook_GoogleHoldsItExactly_ThenOnlyChangesGo)
{
    const BatchActionQueue groups = engine->buildBatchArrayForABGroupArray(book.allGroups());
    ASSERT_EQ(groups.size(), 12u);
    queueData.queue = engine->buildBatchArrayForABContactArray(book.people);
    ASSERT_EQ(queueData.queue.size(), size_t(uploaded().size()));
    if (road().advanced)
        engine->batchAdvancedABGroupActions(groups);
    else
        engine->batchSimpleABGroupActions(groups);
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }, 120000));
    EXPECT_EQ(engine->useAdvanced(), road().advanced);
    // The smart-group batch ends with its refetch, or at once with "doSaveAB" when the contacts
    // already hold every smart-group membership.
    journal.clear();
    engine->buildSmartGroupActions();
    ASSERT_TRUE(runUntil([&] {
        return flag(batchkeys::gmSmartGroupTicketComplete) ||
               journal.contains(QStringLiteral("cleanup:Simple Google Update//"));
    }));
    refetch();

    const ServerState state = serverState();
    QStringList groupTitles = state.groupTitles.values();
    groupTitles.sort();
    QStringList expectedGroups;
    for (const GroupPtr &group : book.allGroups()) {
        expectedGroups << group->valueForProperty(kABGroupNameProperty).toString();
        EXPECT_TRUE(state.engineGroupIDs.contains(savedLink(group->uniqueId(), kGroupIDName)));
        // An "Advanced" group batch links its groups without the transfer stamp.
        EXPECT_EQ(savedLink(group->uniqueId(), kGroupVersionName).isEmpty(), road().advanced);
    }
    expectedGroups.sort();
    EXPECT_EQ(groupTitles, expectedGroups);
    EXPECT_EQ(state.liveContacts, uploaded().size());
    for (const PersonPtr &person : uploaded()) {
        const GDataEntryContactPtr contact = state.contactsByRecord.value(person->uniqueId());
        ASSERT_TRUE(contact) << book.people.indexOf(person);
        expectContactHoldsThePerson(*contact, person, state);
        EXPECT_EQ(savedContactID(person), state.engineContactIDs.value(contact->identifier()));
        EXPECT_FALSE(savedLink(person->uniqueId(), kContactVersionName).isEmpty());
    }
    EXPECT_EQ(state.contactsByRecord.contains(book.me->uniqueId()), !road().neverMoveMeCard);

    // A second run sends nothing.
    server.clearRequestLog();
    EXPECT_TRUE(engine->buildBatchArrayForABGroupArray(book.allGroups()).empty());
    EXPECT_TRUE(engine->buildBatchArrayForABContactArray(book.people).empty());
    engine->buildSmartGroupActions();
    EXPECT_TRUE(writeRequests().isEmpty());

    // A changed person is updated, and nobody else.
    const PersonPtr changed = book.people[5];
    waitBeforeEditing(changed);
    changed->setValueForProperty(QStringLiteral("Renamed"), kABLastNameProperty);
    ASSERT_TRUE(uploadPeople(book.people));
    ASSERT_EQ(queueData.queue.size(), 1u);
    EXPECT_EQ(queueData.queue[0].action, batchactions::update);
    EXPECT_TRUE(serverState()
                    .contactsByRecord.value(changed->uniqueId())
                    ->title()
                    .value_or(QString())
                    .contains(QStringLiteral("Renamed")));

    // A person put in one more group is updated, and nobody else: a run reads the groups once for
    // all its records, as they stand when it starts.
    const PersonPtr moved = book.people[7];
    GroupPtr joined;
    for (const GroupPtr &group : book.groups) {
        if (!joined && !group->members().contains(moved))
            joined = group;
    }
    ASSERT_TRUE(joined);
    joined->addMember(moved);
    ASSERT_TRUE(uploadPeople(book.people));
    ASSERT_EQ(queueData.queue.size(), 1u);
    EXPECT_EQ(queueData.queue[0].abObj, moved);
    EXPECT_EQ(queueData.queue[0].action, batchactions::update);
    const ServerState afterMove = serverState();
    expectContactHoldsThePerson(*afterMove.contactsByRecord.value(moved->uniqueId()), moved,
                                afterMove);

    // A queued delete removes its contact.
    const PersonPtr leaving = book.people[6];
    const GDataEntryContactPtr contact =
        contactlookups::contactForABID(engine->lists(), leaving->uniqueId());
    ASSERT_TRUE(contact);
    queueData.ended = false;
    queueData.queue = {{leaving, contact, batchactions::remove}};
    engine->batchSimpleABContactActions(queueData.queue);
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }));
    const ServerState after = serverState();
    EXPECT_FALSE(after.contactsByRecord.contains(leaving->uniqueId()));
    EXPECT_EQ(after.liveContacts, uploaded().size() - 1);
}

const Road kRoads[] = {{"Simple", false, true}, {"Advanced", true, false}};

INSTANTIATE_TEST_SUITE_P(Roads, UploadEndToEndTest,
                         ::testing::Combine(::testing::ValuesIn(kRoads),
                                            ::testing::ValuesIn(kServiceProtocols)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    protocolName(std::get<1>(info.param));
                         });

} // namespace
