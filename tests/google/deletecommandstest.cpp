// The delete commands against the loopback server: each deletes exactly its candidates, never the
// Me record's contact while it is kept off Google, and leaves the address book as it was.

#include "tests/google/commandservertest.h"
#include "tests/google/googleentrybuilders.h"

#include "google/batchaction.h"
#include "google/batchkeys.h"
#include "google/googlekeys.h"
#include "google/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataentrycontactgroup.h"

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

TEST_F(DeleteCommandsTest, AllContacts_NoEntries_CompletesAfterTheSheetAndSendsNothing)
{
    prompter.answer(kAlertSecondButtonReturn);
    engine->deleteAllGoogleContacts();
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmDeleteAllActionsComplete); }));
    EXPECT_EQ(batchRequests(), 0);
}

} // namespace
