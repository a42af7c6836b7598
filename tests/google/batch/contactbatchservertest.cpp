// Contact batches against the loopback server: a queue of more than 200 actions goes out in
// feeds of at most 100 entries and every created contact is linked and saved; the automatic
// push's membership update keeps an organisation without a name as it is.

#include "tests/support/google/uploadservertest.h"

#include "google/batch/batchaction.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdatacontactelements.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <gtest/gtest.h>

namespace {

using ContactBatchServerTest = UploadServerTest;

TEST_F(ContactBatchServerTest, SimpleRoad_232Actions_ThreeFeedsEveryContactLinkedAndSaved)
{
    const QList<PersonPtr> people = addPeople(232, QStringLiteral("Lee"));
    server.clearRequestLog();

    ASSERT_TRUE(uploadPeople(people));

    EXPECT_TRUE(queueData.ended);
    EXPECT_EQ(requestsTo(QStringLiteral("/batch")).size(), 3);
    EXPECT_EQ(engine->lastBatchErrorReport(), QStringLiteral("\nTicket ERROR Report\n"));
    EXPECT_EQ(serverRecordIDs().size(), 232);
    for (const PersonPtr &person : people)
        ASSERT_FALSE(savedContactID(person).isEmpty());
    EXPECT_TRUE(engine->buildBatchArrayForABContactArray(people).empty());
}

TEST_F(ContactBatchServerTest, ProcessUpdatedContact_KeepsAnOrganisationWithoutName)
{
    const GDataEntryContactPtr seeded = std::make_shared<GDataEntryContact>();
    seeded->setTitle(QStringLiteral("Ann Lee"));
    GDataOrganization nameless;
    nameless.orgTitle = QStringLiteral("Engineer");
    seeded->setOrganizations({nameless});
    server.seedContacts(kUser, {seeded});
    UserDefaults::standard().setBool(false, googlekeys::gmRefetchAllContactsComplete);
    engine->refetchAllContacts(QString());
    ASSERT_TRUE(runUntil([] { return flag(googlekeys::gmRefetchAllContactsComplete); }));
    ASSERT_EQ(engine->contactArray().size(), 1u);

    ASSERT_TRUE(engine->processContactBatchArray(
        {{nullptr, engine->contactArray().front(), batchactions::processUpdatedContact}},
        tickettypes::generic));
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }));

    const auto stored = std::dynamic_pointer_cast<GDataEntryContact>(
        serverEntries(GDataEntryBase::Kind::Contact).front());
    ASSERT_EQ(stored->organizations().size(), 1u);
    EXPECT_EQ(stored->organizations().front().orgName.value_or(QString()), QString());
    EXPECT_EQ(stored->organizations().front().orgTitle, QStringLiteral("Engineer"));
    EXPECT_TRUE(stored->organizations().front().primary);
}

} // namespace
