// The delete commands against the loopback server: each deletes exactly its candidates, never the
// Me record's contact while it is kept off Google, and leaves the address book as it was.

#include "tests/support/google/commandservertest.h"
#include "tests/support/google/googleentrybuilders.h"

#include "google/batch/batchaction.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <gtest/gtest.h>

namespace {

const QString kDeleteContacts = QStringLiteral("Delete Google Contacts");

class DeleteCommandsTest : public CommandServerTest
{
protected:
    int batchRequests() { return int(requestsTo(QStringLiteral("/batch")).size()); }

    bool deleteWith(int button, const std::function<void()> &command, const QString &process)
    {
        prompter.answer(button);
        command();
        return runUntilCleanup(process);
    }
};

// People, a company and the Me record, all uploaded and linked.
class DeleteABRecordsTest : public DeleteCommandsTest
{
protected:
    void SetUp() override
    {
        DeleteCommandsTest::SetUp();
        me->setValueForProperty(QStringLiteral("Mia"), kABFirstNameProperty);
        me->setValueForProperty(QStringLiteral("Self"), kABLastNameProperty);
        ann = addPerson("Ann", "Lee");
        bob = addPerson("Bob", "Moss");
        acme = addCompany("Acme");
        friends = addGroup("Friends", {ann, me});
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults::standard().setBool(false, googlekeys::gmUpdateNeverMoveMeCard);
        const BatchActionQueue queue =
            engine->buildBatchArrayForABContactArray({ann, bob, acme, me});
        ASSERT_EQ(queue.size(), 4u);
        engine->batchSimpleABContactActions(queue);
        ASSERT_TRUE(runUntil([&] {
            return flag(batchkeys::gmSimpleABContactActionsComplete) &&
                   engine->contactArray().size() == 4;
        }));
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults::standard().setBool(true, googlekeys::gmUpdateNeverMoveMeCard);
        links = linksOfRecords();
        journal.clear();
    }

    QStringList linksOfRecords()
    {
        QStringList ids;
        for (const PersonPtr &person : AddressBook::shared()->people())
            ids << person->uniqueId() + u'=' + googleID(person);
        return ids;
    }

    void expectAddressBookUntouched()
    {
        EXPECT_EQ(linksOfRecords(), links);
        EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
    }

    PersonPtr ann, bob, acme;
    GroupPtr friends;
    QStringList links;
};

TEST_F(DeleteABRecordsTest, AllABPeople_MeKeptOff_DeletesThePeopleButNotMe)
{
    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteAllABPeople(); }, kDeleteContacts));

    EXPECT_EQ(prompter.shown().last().prompt,
              (Prompt{"Delete ALL People in the Address Book from Google Contacts?",
                      "This cannot be undone!",
                      {"Cancel", "Delete All People"}}));
    EXPECT_EQ(serverContactTitles(), QStringList({"Acme", "Mia Self"}));
    EXPECT_TRUE(flag(googlekeys::deleteGoogleContactsComplete));
    expectAddressBookUntouched();
    // The local copy is fetched again once Google answered.
    ASSERT_TRUE(runUntil([&] { return engine->contactArray().size() == 2; }));
}

TEST_F(DeleteABRecordsTest, AllABPeople_MeNotKeptOff_DeletesMeToo)
{
    UserDefaults::standard().setBool(false, googlekeys::gmUpdateNeverMoveMeCard);
    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteAllABPeople(); }, kDeleteContacts));

    EXPECT_EQ(serverContactTitles(), QStringList({"Acme"}));
    expectAddressBookUntouched();
}

TEST_F(DeleteABRecordsTest, AllABCompanies_DeletesOnlyTheCompanies)
{
    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteAllABCompanies(); }, kDeleteContacts));

    EXPECT_EQ(serverContactTitles(), QStringList({"Ann Lee", "Bob Moss", "Mia Self"}));
    expectAddressBookUntouched();
}

TEST_F(DeleteABRecordsTest, MembersOfABGroup_MeKeptOff_DeletesTheOtherMembers)
{
    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteGoogleMembersOfABGroupWithName("Friends"); },
        kDeleteContacts));

    EXPECT_EQ(prompter.shown().last().prompt.message,
              "Delete the 1 Google Contacts who are members of Address Book group: Friends?");
    EXPECT_EQ(serverContactTitles(), QStringList({"Acme", "Bob Moss", "Mia Self"}));
    expectAddressBookUntouched();
}

TEST_F(DeleteABRecordsTest, Cancelled_DeletesNothingAndLeavesTheFlags)
{
    prompter.answer(kAlertFirstButtonReturn);
    engine->deleteAllABPeople();
    ASSERT_TRUE(runUntil([&] { return !prompter.shown().isEmpty(); }));
    runUntil([] { return false; }, 300);

    EXPECT_EQ(serverContactTitles().size(), 4);
    EXPECT_FALSE(
        UserDefaults::standard().objectForKey(googlekeys::deleteGoogleContactsComplete).isValid());
    EXPECT_FALSE(flag(googlekeys::waitingOnGoogle));
    expectAddressBookUntouched();
}

TEST_F(DeleteCommandsTest, NoNameContacts_DeletesOnlyContactsWithoutTitleOrOrganisationName)
{
    server.seedContacts(kUser, {makeContact({{}, std::nullopt, {"mail@example.com"}}),
                                makeContact({{}, std::nullopt, {}, {}, {}, {"Acme"}}),
                                makeContact({{}, "Named"})});
    engine->fetchAllContactsWithUIRefresh(false);
    ASSERT_TRUE(runUntil([&] { return engine->contactArray().size() == 3; }));

    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteAllGoogleEmailOnlyContacts(); },
        kDeleteContacts));

    EXPECT_EQ(prompter.shown().last().prompt.message, "Delete the 1 Google \"No Name\" Contacts?");
    EXPECT_EQ(serverContacts().size(), 2u);
    EXPECT_TRUE(serverContactTitles().contains("Named"));
}

TEST_F(DeleteCommandsTest, GroupCommands_DeleteMembersOrNonMembers)
{
    const QStringList groups =
        server.seedGroups(kUser, {makeGroup({}, "Club"), makeGroup({}, "Other")});
    server.seedContacts(kUser, {makeContact({{}, "In Club", {}, {groups[0]}}),
                                makeContact({{}, "In Other", {}, {groups[1]}}),
                                makeContact({{}, "Loner"})});
    engine->fetchAllGroupsWithUIRefresh(false, true);
    ASSERT_TRUE(runUntil([&] { return engine->contactArray().size() == 3; }));

    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteGoogleMembersOfGroupWithName("Club"); },
        kDeleteContacts));
    EXPECT_EQ(prompter.shown().last().prompt.message,
              "Delete ALL Google Contacts who are members of Google Group: Club?");
    EXPECT_EQ(serverContactTitles(), QStringList({"In Other", "Loner"}));

    ASSERT_TRUE(runUntil([&] { return engine->contactArray().size() == 2; }));
    journal.clear();
    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteAllGoogleNoGroupContacts(); },
        kDeleteContacts));
    EXPECT_EQ(serverContactTitles(), QStringList({"In Other"}));
}

TEST_F(DeleteCommandsTest, NoCandidates_ShowsTheNoticeAndSendsNothing)
{
    struct Case
    {
        std::function<void()> command;
        const char *title;
        const char *text;
    };
    const Case cases[] = {
        {[&] { engine->deleteAllGoogleEmailOnlyContacts(); },
         "There are no \"No Name\" Contacts to delete",
         "There are no contacts without a name at this time."},
        {[&] { engine->deleteAllGoogleNoGroupContacts(); }, "No Google Contacts selected to delete",
         "There are no non-group members."},
        {[&] { engine->deleteGoogleMembersOfABGroupWithName("Nobody"); },
         "No Google Contacts selected to delete",
         "There are no Google Contacts who are members of Address Book group: Nobody."},
        {[&] { engine->deleteAllABPeople(); }, "No Google Contacts selected to delete",
         "There are no Google Contacts who are people in Address Book"},
        {[&] { engine->deleteAllABCompanies(); }, "No Google Contacts selected to delete",
         "There are no Google Contacts which are companies in Address Book"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        c.command();
        EXPECT_EQ(lastPrompt(), (Prompt{c.title, c.text, {"OK"}}));
    }
    EXPECT_EQ(batchRequests(), 0);
}

TEST_F(DeleteCommandsTest, AllContacts_250Entries_ThreeBatchesEmptyTheAccount)
{
    server.generateContacts(kUser, 250);
    engine->fetchAllContactsWithUIRefresh(false);
    ASSERT_TRUE(runUntil([&] { return engine->contactArray().size() == 250; }));

    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteAllGoogleContacts(); },
        "Delete All Google Contacts"));

    EXPECT_EQ(prompter.shown().last().prompt.message, "Please confirm:\nDelete all 250 contacts?");
    EXPECT_EQ(batchRequests(), 3);
    EXPECT_TRUE(serverContacts().empty());
    EXPECT_TRUE(flag(googlekeys::gmDeleteAllActionsComplete));
}

TEST_F(DeleteCommandsTest, AllGroups_DeletesEveryUserGroup)
{
    server.seedGroups(kUser, {makeGroup({}, "Club"), makeGroup({}, "Other")});
    engine->fetchAllGroupsWithUIRefresh(false, false);
    ASSERT_TRUE(runUntil(
        [&] { return serverGroupTitles().size() == 2 && engine->groupArray().size() > 2; }));

    ASSERT_TRUE(deleteWith(
        kAlertSecondButtonReturn, [&] { engine->deleteAllGoogleGroups(); },
        "Delete All Google Groups"));

    EXPECT_TRUE(serverGroupTitles().isEmpty());
    EXPECT_TRUE(flag(googlekeys::gmDeleteAllActionsComplete));
}

TEST_F(DeleteCommandsTest, AllContacts_NoEntries_CompletesAfterTheSheetAndSendsNothing)
{
    prompter.answer(kAlertSecondButtonReturn);
    engine->deleteAllGoogleContacts();
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmDeleteAllActionsComplete); }));
    EXPECT_EQ(batchRequests(), 0);
}

TEST_F(DeleteCommandsTest, GroupByName_DeletesTheOneGroupOfThatTitle)
{
    server.seedGroups(kUser,
                      {makeGroup({}, "Club"), makeGroup({}, "Twice"), makeGroup({}, "Twice")});
    engine->fetchAllGroupsWithUIRefresh(false, false);
    ASSERT_TRUE(runUntil(
        [&] { return serverGroupTitles().size() == 3 && engine->groupArray().size() > 3; }));

    engine->deleteGroupWithName("Twice");
    engine->deleteGroupWithName("Club");
    ASSERT_TRUE(runUntil([&] { return !prompter.shown().isEmpty(); }));

    EXPECT_EQ(lastPrompt(), (Prompt{"Delete Google Group Succeeded", "Entry deleted", {"OK"}}));
    EXPECT_EQ(serverGroupTitles(), QStringList({"Twice", "Twice"}));
}

} // namespace
