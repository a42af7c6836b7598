// A group batch in which Google refuses a group: the contacts of its members, which would go
// without that membership, stay behind while the others still go, the upload ends as a failure
// that names the group, and the next run sends what stayed.

#include "tests/support/google/uploadservertest.h"

#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

struct Road
{
    const char *name;
    bool advanced;
};

class GroupRefusalTest : public UploadServerTest, public ::testing::WithParamInterface<Road>
{
protected:
    void sendGroups(const BatchActionQueue &groups)
    {
        queueData.ended = false;
        if (GetParam().advanced)
            engine->batchAdvancedABGroupActions(groups);
        else
            engine->batchSimpleABGroupActions(groups);
    }

    QSet<QString> serverRecords()
    {
        const QStringList ids = serverRecordIDs();
        return QSet<QString>(ids.cbegin(), ids.cend());
    }
};

TEST_P(GroupRefusalTest, RefusedGroup_ItsMembersWaitAndTheUploadEndsAsAFailure)
{
    const GroupPtr team = addGroup(QStringLiteral("Team"));
    const GroupPtr club = addGroup(QStringLiteral("Club"));
    const PersonPtr ann = addPerson(QStringLiteral("Ann"), QStringLiteral("Alpha"));
    const PersonPtr bea = addPerson(QStringLiteral("Bea"), QStringLiteral("Beta"));
    const PersonPtr cid = addPerson(QStringLiteral("Cid"), QStringLiteral("Gamma"));
    team->addMember(ann);
    club->addMember(bea);
    ASSERT_TRUE(AddressBook::shared()->save());
    const QList<PersonPtr> people{ann, bea, cid};

    server.injectBatchEntryStatus(team->uniqueId(), 400, QStringLiteral("Bad Request"));
    queueData.queue = engine->buildBatchArrayForABContactArray(people);
    sendGroups(engine->buildBatchArrayForABGroupArray({team, club}));
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }));

    EXPECT_EQ(serverRecords(), QSet<QString>({bea->uniqueId(), cid->uniqueId()}));
    const QStringList ends = journal.filter(QStringLiteral("cleanup:"));
    ASSERT_EQ(ends.size(), 1);
    EXPECT_EQ(ends.first(), QStringLiteral("cleanup:Simple Google Update//-1"));
    ASSERT_TRUE(ui.lastError);
    EXPECT_TRUE(ui.lastError->description.contains(QStringLiteral("Team")));

    // The next run sends the group and then the contact that waited for it; nothing twice.
    journal.clear();
    refetch();
    queueData.queue = engine->buildBatchArrayForABContactArray(people);
    ASSERT_EQ(queueData.queue.size(), 1u);
    sendGroups(engine->buildBatchArrayForABGroupArray({team, club}));
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }));
    EXPECT_EQ(serverRecords(), QSet<QString>({ann->uniqueId(), bea->uniqueId(), cid->uniqueId()}));
    EXPECT_EQ(serverRecordIDs().size(), 3);
    EXPECT_EQ(journal.filter(QStringLiteral("cleanup:")),
              QStringList({QStringLiteral("cleanup:Simple Google Update//")}));
}

INSTANTIATE_TEST_SUITE_P(Roads, GroupRefusalTest,
                         ::testing::Values(Road{"Simple", false}, Road{"Advanced", true}),
                         [](const ::testing::TestParamInfo<Road> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
