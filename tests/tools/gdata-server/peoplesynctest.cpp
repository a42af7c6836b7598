// The People face's sync tokens: incremental lists of what changed since a token, tombstones in
// them alone, and tokens that expire.

#include "tests/tools/gdata-server/peopleserverfixture.h"

#include <QThread>

namespace {

struct Listed
{
    QStringList names;   // resource names, in order
    QStringList deleted; // those that are tombstones
    QString syncToken;
    int status = 0;
    QString reason; // the ErrorInfo reason of a refusal
};

class PeopleSyncTest : public PeopleServerTest
{
protected:
    // Every page of a list from its path and query, followed to its end.
    Listed listAll(const QString &pathAndQuery, const char *items)
    {
        Listed listed;
        QString pageToken;
        for (int pages = 0; pages < 20; ++pages) {
            const JsonReply page =
                call("GET",
                     pathAndQuery + (pageToken.isEmpty() ? QString() : "&pageToken=" + pageToken));
            listed.status = page.status;
            if (page.status != 200) {
                listed.reason = page.body.value("error")
                                    .toObject()
                                    .value("details")
                                    .toArray()
                                    .at(0)
                                    .toObject()
                                    .value("reason")
                                    .toString();
                return listed;
            }
            for (const QJsonValue &value : page.body.value(QLatin1String(items)).toArray()) {
                const QJsonObject item = value.toObject();
                listed.names.append(item.value("resourceName").toString());
                if (item.value("metadata").toObject().value("deleted").toBool())
                    listed.deleted.append(item.value("resourceName").toString());
            }
            pageToken = page.body.value("nextPageToken").toString();
            // The sync token comes with the last page alone.
            EXPECT_TRUE(pageToken.isEmpty() || !page.body.contains("nextSyncToken"));
            if (pageToken.isEmpty()) {
                listed.syncToken = page.body.value("nextSyncToken").toString();
                return listed;
            }
        }
        ADD_FAILURE() << "the list never ended";
        return listed;
    }

    Listed people(const QString &extra)
    {
        return listAll("/v1/people/me/connections?personFields=names&pageSize=1" + extra,
                       "connections");
    }
};

TEST_F(PeopleSyncTest, IncrementalLists_HoldTheChangesSinceTheTokenWithTombstones)
{
    const QString anna = createPerson(named("Anna"));
    const QString ben = createPerson(named("Ben"));
    const Listed full = people("&requestSyncToken=true");
    EXPECT_EQ(full.names, QStringList({anna, ben}));
    ASSERT_FALSE(full.syncToken.isEmpty());
    EXPECT_TRUE(people({}).syncToken.isEmpty()); // only when asked for

    QThread::msleep(5);
    QJsonObject change = named("Anna 2");
    change.insert("etag", getPerson(anna).body.value("etag"));
    ASSERT_EQ(
        call("PATCH", "/v1/" + anna + ":updateContact?updatePersonFields=names", change).status,
        200);
    ASSERT_EQ(call("DELETE", "/v1/" + ben + ":deleteContact").status, 200);
    const QString carl = createPerson(named("Carl"));

    const Listed changes = people("&syncToken=" + full.syncToken);
    ASSERT_EQ(changes.status, 200);
    EXPECT_EQ(changes.names, QStringList({anna, ben, carl}));
    EXPECT_EQ(changes.deleted, QStringList({ben}));
    ASSERT_FALSE(changes.syncToken.isEmpty());
    // A full list never shows a tombstone.
    EXPECT_EQ(people({}).names, QStringList({anna, carl}));

    QThread::msleep(5);
    const Listed nothing = people("&syncToken=" + changes.syncToken);
    EXPECT_EQ(nothing.status, 200);
    EXPECT_TRUE(nothing.names.isEmpty());
    EXPECT_FALSE(nothing.syncToken.isEmpty());
}

TEST_F(PeopleSyncTest, SyncTokens_ExpiredOrForeignAreRefused)
{
    createPerson(named("Anna"));
    const QString groupToken =
        listAll("/v1/contactGroups?requestSyncToken=true", "contactGroups").syncToken;
    struct Case
    {
        const char *label;
        bool expireAll;
        qint64 lifetimeSeconds;
        bool groupsToken;
        int expected;
        const char *reason;
    };
    const Case cases[] = {
        {"fresh", false, 3600, false, 200, ""},
        {"all expired", true, 3600, false, 400, "EXPIRED_SYNC_TOKEN"},
        {"older than the lifetime", false, 0, false, 400, "EXPIRED_SYNC_TOKEN"},
        {"of the group list", false, 3600, true, 400, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        server.setOptions({{"syncTokenLifetimeSeconds", 3600}});
        const QString token =
            c.groupsToken ? groupToken : people("&requestSyncToken=true").syncToken;
        server.setOptions({{"syncTokenLifetimeSeconds", c.lifetimeSeconds}});
        if (c.expireAll)
            server.expireSyncTokens();
        QThread::msleep(5);
        const Listed listed = people("&syncToken=" + token);
        EXPECT_EQ(listed.status, c.expected);
        EXPECT_EQ(listed.reason, QLatin1String(c.reason));
    }
}

TEST_F(PeopleSyncTest, GroupLists_ReportDeletedGroupsIncrementallyAlone)
{
    const JsonReply made =
        call("POST", "/v1/contactGroups", {{"contactGroup", QJsonObject{{"name", "Club"}}}});
    const QString club = made.body.value("resourceName").toString();
    const Listed full =
        listAll("/v1/contactGroups?pageSize=2&requestSyncToken=true", "contactGroups");
    EXPECT_EQ(full.names.size(), 7);
    EXPECT_TRUE(full.deleted.isEmpty());
    QThread::msleep(5);
    ASSERT_EQ(call("DELETE", "/v1/" + club).status, 200);
    const Listed changes =
        listAll("/v1/contactGroups?syncToken=" + full.syncToken, "contactGroups");
    EXPECT_EQ(changes.names, QStringList({club}));
    EXPECT_EQ(changes.deleted, QStringList({club}));
    EXPECT_EQ(listAll("/v1/contactGroups?pageSize=2", "contactGroups").names.size(), 6);
}

} // namespace
