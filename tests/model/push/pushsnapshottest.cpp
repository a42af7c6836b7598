#include "model/push/abpushrecord.h"
#include "model/push/abpushstatus.h"
#include "model/push/tolvaneadditions.h"
#include "model/push/tolvanerecord.h"
#include "tests/model/storefixture.h"

#include <algorithm>

namespace {

struct FakeRecord : TolvaneRecord
{
    FakeRecord(QString id, QString google)
        : id(std::move(id))
        , google(std::move(google))
    {}
    QString uniqueId() const override { return id; }
    QString googleID() const override { return google; }
    QDateTime creationDate() const override { return QDateTime::fromSecsSinceEpoch(1000); }
    QDateTime modificationDate() const override { return QDateTime::fromSecsSinceEpoch(2000); }
    QString id;
    QString google;
};

struct FakeEntry : TolvaneAdditions
{
    FakeEntry(QString id, QString abid, bool system = false)
        : id(std::move(id))
        , abid(std::move(abid))
        , system(system)
    {}
    QString identifier() const override { return id; }
    QDateTime updatedDate() const override { return QDateTime::fromSecsSinceEpoch(3000); }
    QString tolvaneABID() const override { return abid; }
    QDateTime tolvaneCreateDate() const override { return QDateTime::fromSecsSinceEpoch(2500); }
    bool isGoogleSystemGroup() const override { return system; }
    QString id;
    QString abid;
    bool system;
};

class PushSnapshotTest : public StoreFixture
{
protected:
    QStringList abids(const std::optional<QList<ABPushRecord *>> &rows)
    {
        QStringList ids;
        for (ABPushRecord *row : rows.value_or(QList<ABPushRecord *>{}))
            ids.append(row->abid());
        return ids;
    }
    QList<ABPushRecord *> rowsOfTemplate(ManagedObjectContext &context, const QString &name)
    {
        return TolvaneManagedObject::cast<ABPushRecord>(
                   context.executeFetchTemplate(name, {}, nullptr))
            .value_or(QList<ABPushRecord *>{});
    }
};

TEST_F(PushSnapshotTest, Snapshot_IsWrittenReadBackAndReplacedByKind)
{
    const FakeRecord group(QStringLiteral("G1:ABGroup"), QStringLiteral("google/g1"));
    const FakeRecord alice(QStringLiteral("P1:ABPerson"), QString());
    const FakeRecord bob(QStringLiteral("P2:ABPerson"), QStringLiteral("google/c2"));
    const FakeEntry mine(QStringLiteral("google/g1"), QStringLiteral("G1:ABGroup"));
    const FakeEntry system(QStringLiteral("google/sys"), QString(), true);
    const FakeEntry contact(QStringLiteral("google/c9"), QStringLiteral(""));
    ASSERT_TRUE(ABPushRecord::writeABGroupRecords({&group}, *m_context));
    ASSERT_TRUE(ABPushRecord::writeABContactRecords({&alice, &bob}, *m_context));
    ASSERT_TRUE(ABPushRecord::writeGoogleGroupRecords({&mine, &system}, *m_context));
    ASSERT_TRUE(ABPushRecord::writeGoogleContactRecords({&contact}, *m_context));
    EXPECT_TRUE(logged(QStringLiteral("google/g1 = G1:ABGroup")));
    ASSERT_TRUE(m_context->save(nullptr));

    auto agent = openContext();
    EXPECT_EQ(abids(ABPushRecord::allABGroupsInContext(*agent)), QStringList{"G1:ABGroup"});
    const auto contacts = ABPushRecord::allABContactsInContext(*agent);
    EXPECT_EQ(abids(contacts), (QStringList{"P1:ABPerson", "P2:ABPerson"}));
    const ABPushRecord *row = contacts->at(1);
    EXPECT_TRUE(row->isABRecord());
    EXPECT_FALSE(row->isGoogleRecord());
    EXPECT_FALSE(row->isGroup());
    EXPECT_EQ(row->googleID(), QStringLiteral("google/c2"));
    EXPECT_EQ(row->dateRecordCreated(), QDateTime::fromSecsSinceEpoch(1000));
    EXPECT_EQ(row->dateRecordModified(), QDateTime::fromSecsSinceEpoch(2000));
    EXPECT_TRUE(row->dateCreated().isValid());
    EXPECT_TRUE(contacts->at(0)->googleID().isNull());

    const QList<ABPushRecord *> googleGroups =
        rowsOfTemplate(*agent, QStringLiteral("allGoogleGroup"));
    ASSERT_EQ(googleGroups.size(), 1);
    EXPECT_TRUE(googleGroups[0]->isGroup());
    EXPECT_TRUE(googleGroups[0]->isGoogleRecord());
    const QList<ABPushRecord *> googleContacts =
        rowsOfTemplate(*agent, QStringLiteral("allGoogleContact"));
    ASSERT_EQ(googleContacts.size(), 1);
    EXPECT_EQ(googleContacts[0]->abid(), QStringLiteral(""));
    EXPECT_EQ(googleContacts[0]->dateRecordCreated(), QDateTime::fromSecsSinceEpoch(2500));

    // A new snapshot of one kind replaces that kind only.
    ASSERT_TRUE(ABPushRecord::writeABContactRecords({&bob}, *agent));
    ASSERT_TRUE(ABPushRecord::writeABGroupRecords({}, *agent));
    ASSERT_TRUE(agent->save(nullptr));
    auto again = openContext();
    EXPECT_EQ(abids(ABPushRecord::allABContactsInContext(*again)), QStringList{"P2:ABPerson"});
    EXPECT_TRUE(abids(ABPushRecord::allABGroupsInContext(*again)).isEmpty());
    EXPECT_EQ(rowsOfTemplate(*again, QStringLiteral("allGoogleContact")).size(), 1);
}

TEST_F(PushSnapshotTest, FailedFetch_WritesNothingSoNoSecondGeneration)
{
    ASSERT_TRUE(m_context->save(nullptr));
    execOnStoreFile(QStringLiteral("DROP TABLE \"ABPushRecord\""));
    const FakeRecord alice(QStringLiteral("P1:ABPerson"), QString());
    EXPECT_FALSE(ABPushRecord::writeABContactRecords({&alice}, *m_context));
    EXPECT_TRUE(m_context->insertedObjects().isEmpty());
    EXPECT_FALSE(ABPushRecord::allABContactsInContext(*m_context));
    const QStringList written = lines();
    EXPECT_TRUE(std::any_of(written.begin(), written.end(), [](const QString &line) {
        return line.startsWith(QStringLiteral("allABContactsInContext: - Caught "));
    }));
}

TEST_F(PushSnapshotTest, Status_CreatedOnceThenReturned)
{
    ABPushStatus *status = ABPushStatus::sharedABPushStatusInContext(*m_context);
    ASSERT_TRUE(status);
    EXPECT_TRUE(logged(QStringLiteral("Shared ABPushStatus Record - Created")));
    EXPECT_TRUE(status->asOfDate().isValid());
    EXPECT_TRUE(status->abContactCount().isNull());
    EXPECT_TRUE(status->abGroupLastModDate().isNull());
    EXPECT_EQ(ABPushStatus::sharedABPushStatusInContext(*m_context), status);
}

TEST_F(PushSnapshotTest, SeveralStatusRecords_KeepTheNewestSnapshot)
{
    ABPushStatus *older = m_context->insertNew<ABPushStatus>();
    older->setAsOfDate(QDateTime::fromSecsSinceEpoch(1000));
    ABPushStatus *newer = m_context->insertNew<ABPushStatus>();
    newer->setAsOfDate(QDateTime::fromSecsSinceEpoch(5000));
    newer->setAbContactCount(7);
    ASSERT_TRUE(m_context->save(nullptr));

    auto agent = openContext();
    ABPushStatus *status = ABPushStatus::sharedABPushStatusInContext(*agent);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->abContactCount().toInt(), 7);
    ASSERT_TRUE(agent->save(nullptr));
    EXPECT_EQ(TolvaneManagedObject::allInContext<ABPushStatus>(*openContext())->size(), 1);
}

TEST_F(PushSnapshotTest, FailedStatusFetch_CreatesNoRecord)
{
    ASSERT_TRUE(m_context->save(nullptr));
    execOnStoreFile(QStringLiteral("DROP TABLE \"ABPushStatus\""));
    EXPECT_FALSE(ABPushStatus::sharedABPushStatusInContext(*m_context));
    EXPECT_TRUE(m_context->insertedObjects().isEmpty());
}

} // namespace
