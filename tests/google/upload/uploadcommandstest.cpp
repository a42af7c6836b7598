// The upload commands against the loopback server, confirmed and cancelled through their sheets.

#include "tests/support/google/commandservertest.h"

#include "google/engine/googlekeys.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QThread>

#include <gtest/gtest.h>

namespace {

const QString kDone = QStringLiteral("Simple Google Update");

class UploadCommandsTest : public CommandServerTest
{
protected:
    void SetUp() override
    {
        CommandServerTest::SetUp();
        ann = addPerson("Ann", "Lee");
        bob = addPerson("Bob", "Moss");
        acme = addCompany("Acme");
        friends = addGroup("Friends", {ann, bob});
        work = addGroup("Work", {bob, acme});
        ASSERT_TRUE(AddressBook::shared()->save());
    }

    // Answers the next sheet, runs the command and waits for the process to end.
    bool confirm(int button, const std::function<void()> &command)
    {
        prompter.answer(button);
        command();
        return runUntilCleanup(kDone);
    }

    int batchRequests() { return int(requestsTo(QStringLiteral("/batch")).size()); }

    PersonPtr ann, bob, acme;
    GroupPtr friends, work;
};

TEST_F(UploadCommandsTest, AllPeople_Confirmed_EveryPersonButMeIsCreatedLinkedAndSaved)
{
    ASSERT_TRUE(confirm(kAlertSecondButtonReturn, [&] { engine->uploadFromABAllPeople(); }));

    EXPECT_EQ(prompter.shown().front().prompt,
              (Prompt{"Upload the 3 people in Address Book to Google?",
                      "This cannot be undone!",
                      {"Cancel", "Upload the People"}}));
    EXPECT_EQ(serverContactTitles(), QStringList({"Ann Lee", "Bob Moss"}));
    EXPECT_FALSE(googleID(ann).isEmpty());
    EXPECT_FALSE(googleID(bob).isEmpty());
    EXPECT_TRUE(googleID(me).isEmpty());
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
}

TEST_F(UploadCommandsTest, AllPeople_SecondRun_ShowsUpToDateAndSendsNothing)
{
    ASSERT_TRUE(confirm(kAlertSecondButtonReturn, [&] { engine->uploadFromABAllPeople(); }));
    const int batches = batchRequests();

    prompter.answer(kAlertSecondButtonReturn);
    engine->uploadFromABAllPeople();
    ASSERT_TRUE(runUntil([&] { return prompter.shown().size() == 3; }));

    EXPECT_EQ(lastPrompt(), (Prompt{"All Address Book people information is up-to-date!",
                                    "No updates are required at this time.",
                                    {"OK"}}));
    EXPECT_EQ(batchRequests(), batches);
    EXPECT_EQ(serverContactTitles(), QStringList({"Ann Lee", "Bob Moss"}));
}

TEST_F(UploadCommandsTest, AllCompanies_Confirmed_OnlyCompaniesAreCreated)
{
    ASSERT_TRUE(confirm(kAlertSecondButtonReturn, [&] { engine->uploadFromABAllCompanies(); }));

    EXPECT_EQ(prompter.shown().front().prompt.message,
              "Upload the 1 companies in Address Book to Google?");
    EXPECT_EQ(serverContactTitles(), QStringList({"Acme"}));
    EXPECT_FALSE(googleID(acme).isEmpty());
}

// A group and its members in one command: the members go out only once the new group is on
// Google, so each of them holds its membership.
TEST_F(UploadCommandsTest, GroupWithMembers_Confirmed_MembersHoldTheNewGroup)
{
    ASSERT_TRUE(confirm(kAlertThirdButtonReturn, [&] { engine->uploadFromABABGroup("Friends"); }));

    EXPECT_EQ(prompter.shown().front().prompt,
              (Prompt{"Upload the Address Book Group \"Friends\" to Google?",
                      "This cannot be undone!",
                      {"Cancel", "Just create the Group", "Create Group AND Upload all Members"}}));
    EXPECT_EQ(serverGroupTitles(), QStringList({"Friends"}));
    EXPECT_EQ(googleID(friends), serverGroupID("Friends"));
    EXPECT_EQ(serverContactTitles(), QStringList({"Ann Lee", "Bob Moss"}));
    EXPECT_EQ(membershipsOf("Ann Lee"), QStringList({"Friends"}));
    EXPECT_EQ(membershipsOf("Bob Moss"), QStringList({"Friends"}));
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
}

TEST_F(UploadCommandsTest, GroupOnly_Confirmed_CreatesTheGroupAndNoContact)
{
    ASSERT_TRUE(confirm(kAlertSecondButtonReturn, [&] { engine->uploadFromABABGroup("Friends"); }));

    EXPECT_EQ(serverGroupTitles(), QStringList({"Friends"}));
    EXPECT_EQ(googleID(friends), serverGroupID("Friends"));
    EXPECT_TRUE(serverContactTitles().isEmpty());
    EXPECT_TRUE(journal.contains("closeUserInfo"));
}

TEST_F(UploadCommandsTest, AllManualGroupsWithMembers_APersonInTwoGroupsIsCreatedOnceWithBoth)
{
    ASSERT_TRUE(confirm(kAlertThirdButtonReturn, [&] { engine->uploadFromABAllManualGroups(); }));

    EXPECT_EQ(prompter.shown().front().prompt.message, "Upload 2 Address Book Groups to Google?");
    EXPECT_EQ(serverGroupTitles(), QStringList({"Friends", "Work"}));
    EXPECT_EQ(serverContactTitles(), QStringList({"Acme", "Ann Lee", "Bob Moss"}));
    EXPECT_EQ(membershipsOf("Bob Moss"), QStringList({"Friends", "Work"}));
    EXPECT_EQ(membershipsOf("Acme"), QStringList({"Work"}));
}

TEST_F(UploadCommandsTest, AllSmartGroupsWithMembers_MembersHoldTheSmartGroup)
{
    UserDefaults::standard().setBool(true, googlekeys::gmUpdateSmartGroups);
    addSmartGroup("Lees", "Lee");
    ASSERT_TRUE(AddressBook::shared()->save());

    ASSERT_TRUE(confirm(kAlertThirdButtonReturn, [&] { engine->uploadFromABAllSmartGroups(); }));

    EXPECT_EQ(
        prompter.shown().front().prompt.buttons,
        QStringList({"Cancel", "Upload just Smart Groups", "Upload Smart Groups AND Members"}));
    EXPECT_EQ(serverGroupTitles(), QStringList({"Lees"}));
    EXPECT_EQ(serverContactTitles(), QStringList({"Ann Lee"}));
    EXPECT_TRUE(membershipsOf("Ann Lee").contains("Lees"));
}

TEST_F(UploadCommandsTest, ABGroupMembers_CreatingTheGroup_MembersHoldIt)
{
    ASSERT_TRUE(
        confirm(kAlertThirdButtonReturn, [&] { engine->uploadFromABABGroupMembers("Work"); }));

    EXPECT_EQ(prompter.shown().front().prompt,
              (Prompt{"Upload the 2 members of Address Book group \"Work\" to Google?",
                      "This cannot be undone!",
                      {"Cancel", "Just Upload the Members.",
                       "Upload the Members AND Create the group."}}));
    EXPECT_EQ(UserDefaults::standard().stringForKey(googlekeys::currentUploadGroupName), "Work");
    EXPECT_EQ(serverGroupTitles(), QStringList({"Work"}));
    EXPECT_EQ(serverContactTitles(), QStringList({"Acme", "Bob Moss"}));
    EXPECT_EQ(membershipsOf("Acme"), QStringList({"Work"}));
}

TEST_F(UploadCommandsTest, ABGroupMembers_MembersOnly_NoGroupIsCreated)
{
    ASSERT_TRUE(
        confirm(kAlertSecondButtonReturn, [&] { engine->uploadFromABABGroupMembers("Work"); }));

    EXPECT_TRUE(serverGroupTitles().isEmpty());
    EXPECT_EQ(serverContactTitles(), QStringList({"Acme", "Bob Moss"}));
}

TEST_F(UploadCommandsTest, GoogleGroupMembers_UpdatesOnlyTheMembersFromTheirRecords)
{
    ASSERT_TRUE(confirm(kAlertThirdButtonReturn, [&] { engine->uploadFromABABGroup("Friends"); }));
    const PersonPtr carl = addPerson("Carl", "Lind");
    ASSERT_TRUE(AddressBook::shared()->save());
    // A change a moment after the write-back could not be told from the write-back's own touch.
    QThread::msleep(2100);
    ann->setValueForProperty(QStringLiteral("Annie"), kABFirstNameProperty);
    ASSERT_TRUE(AddressBook::shared()->save());
    journal.clear();

    ASSERT_TRUE(confirm(kAlertSecondButtonReturn,
                        [&] { engine->uploadFromABGoogleGroupMembers("Friends"); }));

    EXPECT_EQ(prompter.shown().last().prompt,
              (Prompt{"Use Address Book data to update the information on  2 Google Contacts who "
                      "are members of group \"Friends\"?",
                      "This cannot be undone!",
                      {"Cancel", "Upload Google Contacts"}}));
    EXPECT_EQ(serverContactTitles(), QStringList({"Annie Lee", "Bob Moss"}));
    EXPECT_EQ(membershipsOf("Annie Lee"), QStringList({"Friends"}));
    EXPECT_TRUE(googleID(carl).isEmpty());
}

TEST_F(UploadCommandsTest, AllGoogleContacts_UpdatesChangedContactsAndAddsNoOthers)
{
    ASSERT_TRUE(
        confirm(kAlertSecondButtonReturn, [&] { engine->uploadFromABABGroupMembers("Work"); }));
    QThread::msleep(2100);
    acme->setValueForProperty(QStringLiteral("Acme Works"), kABOrganizationProperty);
    ASSERT_TRUE(AddressBook::shared()->save());
    journal.clear();

    ASSERT_TRUE(
        confirm(kAlertSecondButtonReturn, [&] { engine->uploadFromABAllGoogleContacts(); }));

    EXPECT_EQ(prompter.shown().last().prompt.message,
              "Use Address Book data to update the information on  2 Google Contacts?");
    // An updated company carries its name in its organisation and an empty title.
    EXPECT_EQ(serverContactTitles(), QStringList({"", "Bob Moss"}));
    const GDataEntryContactPtr company = serverContact("");
    ASSERT_TRUE(company);
    ASSERT_EQ(company->organizations().size(), 1u);
    EXPECT_EQ(company->organizations().front().orgName, "Acme Works");
}

struct SheetCase
{
    const char *name;
    std::function<void(GoogleContactTool &)> command;
    const char *message;
};

TEST_F(UploadCommandsTest, EveryAddressBookCommand_Cancelled_SendsNothing)
{
    const SheetCase cases[] = {
        {"group", [](GoogleContactTool &tool) { tool.uploadFromABABGroup("Work"); },
         "Upload the Address Book Group \"Work\" to Google?"},
        {"manual groups", [](GoogleContactTool &tool) { tool.uploadFromABAllManualGroups(); },
         "Upload 2 Address Book Groups to Google?"},
        {"group members",
         [](GoogleContactTool &tool) { tool.uploadFromABABGroupMembers("Friends"); },
         "Upload the 2 members of Address Book group \"Friends\" to Google?"},
        {"companies", [](GoogleContactTool &tool) { tool.uploadFromABAllCompanies(); },
         "Upload the 1 companies in Address Book to Google?"},
        {"people", [](GoogleContactTool &tool) { tool.uploadFromABAllPeople(); },
         "Upload the 3 people in Address Book to Google?"},
    };
    for (const SheetCase &c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype shown = prompter.shown().size();
        prompter.answer(kAlertFirstButtonReturn);
        c.command(*engine);
        ASSERT_TRUE(runUntil([&] { return prompter.shown().size() == shown + 1; }));
        EXPECT_EQ(lastPrompt().message, c.message);
        EXPECT_EQ(lastPrompt().buttons.front(), "Cancel");
    }
    runUntil([] { return false; }, 300);
    EXPECT_EQ(batchRequests(), 0);
    EXPECT_TRUE(serverContactTitles().isEmpty());
    EXPECT_TRUE(serverGroupTitles().isEmpty());
    EXPECT_TRUE(googleID(friends).isEmpty());
}

TEST(UploadCommandNotices, NothingToUpload_ShowsTheNoticeOrNothing)
{
    // Only the Me record: no groups, no companies, no Google contacts.
    GoogleContactTool tool(GoogleContactTool::Role::MainProgram);
    ScriptedPrompter prompter;
    const SheetCase cases[] = {
        {"manual groups", [](GoogleContactTool &t) { t.uploadFromABAllManualGroups(); },
         "There are no manual groups in Address Book."},
        {"smart groups", [](GoogleContactTool &t) { t.uploadFromABAllSmartGroups(); },
         "There are no smart groups in Address Book."},
        {"companies", [](GoogleContactTool &t) { t.uploadFromABAllCompanies(); },
         "There are no company records in Address Book."},
        {"group members", [](GoogleContactTool &t) { t.uploadFromABABGroupMembers("Nobody"); },
         "All information is already up to date."},
        {"google contacts", [](GoogleContactTool &t) { t.uploadFromABAllGoogleContacts(); },
         "No Google Contacts found in the Address Book data."},
    };
    for (const SheetCase &c : cases) {
        SCOPED_TRACE(c.name);
        c.command(tool);
        ASSERT_FALSE(prompter.shown().isEmpty());
        EXPECT_EQ(prompter.shown().last().prompt.informativeText, c.message);
        EXPECT_EQ(prompter.shown().last().prompt.buttons, QStringList({"OK"}));
    }
    EXPECT_EQ(prompter.shown().last().prompt.message, "No update is possible.");
    EXPECT_EQ(prompter.shown().first().prompt.message, "No update is required.");

    const qsizetype shown = prompter.shown().size();
    tool.uploadFromABABGroup("Nobody");
    tool.uploadFromABGoogleGroupMembers("Nobody");
    EXPECT_EQ(prompter.shown().size(), shown);
}

} // namespace
