// A group batch in which Google refuses a group, or stops before it: the contacts of its
// members, which would go without that membership, stay behind while the others still go, the
// upload ends as a failure that names the group, and the next run sends what stayed.

#include "tests/support/google/uploadservertest.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <QSet>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The two groups, in the order the batch sends them.
struct Groups
{
    GroupPtr team;
    GroupPtr club;
};

struct RefusalCase
{
    const char *name;
    bool advanced;
    // Makes Google leave one group without its link; answers that group.
    std::function<GroupPtr(GDataTestServer &, const Groups &)> refuse;
};

const RefusalCase kCases[] = {
    {"SimpleRefused", false,
     [](GDataTestServer &server, const Groups &groups) {
         server.injectBatchEntryStatus(groups.team->uniqueId(), 400, QStringLiteral("Bad Request"));
         return groups.team;
     }},
    {"AdvancedRefused", true,
     [](GDataTestServer &server, const Groups &groups) {
         server.injectBatchEntryStatus(groups.team->uniqueId(), 400, QStringLiteral("Bad Request"));
         return groups.team;
     }},
    {"SimpleInterrupted", false,
     [](GDataTestServer &server, const Groups &groups) {
         server.interruptNextBatch(1, QStringLiteral("Server busy"));
         return groups.club;
     }},
};

class GroupRefusalTest : public UploadServerTest, public ::testing::WithParamInterface<RefusalCase>
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

TEST_P(GroupRefusalTest, GroupLeftUnlinked_ItsMembersWaitAndTheUploadEndsAsAFailure)
{
    const Groups groups{addGroup(QStringLiteral("Team")), addGroup(QStringLiteral("Club"))};
    const PersonPtr ann = addPerson(QStringLiteral("Ann"), QStringLiteral("Alpha"));
    const PersonPtr bea = addPerson(QStringLiteral("Bea"), QStringLiteral("Beta"));
    const PersonPtr cid = addPerson(QStringLiteral("Cid"), QStringLiteral("Gamma"));
    groups.team->addMember(ann);
    groups.club->addMember(bea);
    ASSERT_TRUE(AddressBook::shared()->save());
    const QList<PersonPtr> people{ann, bea, cid};
    const QList<GroupPtr> both{groups.team, groups.club};

    const GroupPtr refused = GetParam().refuse(server, groups);
    const PersonPtr waiting = refused == groups.team ? ann : bea;
    queueData.queue = engine->buildBatchArrayForABContactArray(people);
    sendGroups(engine->buildBatchArrayForABGroupArray(both));
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }));

    QSet<QString> sent{ann->uniqueId(), bea->uniqueId(), cid->uniqueId()};
    sent.remove(waiting->uniqueId());
    EXPECT_EQ(serverRecords(), sent);
    const QStringList ends = journal.filter(QStringLiteral("cleanup:"));
    ASSERT_EQ(ends.size(), 1);
    EXPECT_EQ(ends.first(), QStringLiteral("cleanup:Simple Google Update//-1"));
    ASSERT_TRUE(ui.lastError);
    EXPECT_TRUE(ui.lastError->description.endsWith(
        refused->valueForProperty(kABGroupNameProperty).toString()))
        << ui.lastError->description.toStdString();

    // The next run sends the group and then the contact that waited for it; nothing twice.
    journal.clear();
    refetch();
    queueData.queue = engine->buildBatchArrayForABContactArray(people);
    ASSERT_EQ(queueData.queue.size(), 1u);
    sendGroups(engine->buildBatchArrayForABGroupArray(both));
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }));
    EXPECT_EQ(serverRecords(), QSet<QString>({ann->uniqueId(), bea->uniqueId(), cid->uniqueId()}));
    EXPECT_EQ(serverRecordIDs().size(), 3);
    EXPECT_EQ(journal.filter(QStringLiteral("cleanup:")),
              QStringList({QStringLiteral("cleanup:Simple Google Update//")}));
}

INSTANTIATE_TEST_SUITE_P(Cases, GroupRefusalTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RefusalCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
