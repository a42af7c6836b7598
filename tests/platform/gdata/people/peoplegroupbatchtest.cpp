// A group batch feed as one People request per entry: order, bodies and masks, the ETag checks,
// refusals of one entry against failures of the service.

#include "platform/gdata/people/peoplegroupbatch.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeedcontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "tests/platform/gdata/people/peopletestjson.h"

namespace {

struct SentGroup
{
    const char *batchID;
    const char *operation;
    const char *title;
    const char *resourceName = nullptr;
    const char *etag = nullptr;
};

GDataFeedPtr groupFeedOf(std::initializer_list<SentGroup> groups)
{
    GDataFeedPtr feed = GDataFeedContactGroup::contactGroupFeed();
    for (const SentGroup &sent : groups) {
        auto entry =
            GDataEntryContactGroup::contactGroupEntryWithTitle(QString::fromUtf8(sent.title));
        auto property = GDataExtendedProperty::propertyWithName(QStringLiteral("tolvane"));
        property.setXMLValue(QString::fromUtf8(sent.title) + ":ABGroup", QStringLiteral("aID"));
        entry->setExtendedProperties({property});
        entry->setBatchID(QString::fromUtf8(sent.batchID));
        entry->setBatchOperation(QString::fromUtf8(sent.operation));
        if (sent.resourceName)
            entry->setIdentifier(identifierOf(sent.resourceName));
        if (sent.etag)
            entry->setETag(QString::fromUtf8(sent.etag));
        feed->addEntry(entry);
    }
    return feed;
}

QByteArray groupAnswer(const char *resourceName, const char *etag, const QJsonObject &sent = {})
{
    QJsonObject group = sent;
    group.insert("resourceName", resourceName);
    group.insert("etag", etag);
    group.insert("groupType", "USER_CONTACT_GROUP");
    group.insert("metadata", QJsonObject{{"updateTime", "2024-06-01T00:00:00Z"}});
    return QJsonDocument(group).toJson(QJsonDocument::Compact);
}

PeopleRequest nextRequest(const PeopleGroupBatch &batch, const char *verb, const char *path)
{
    const auto request = batch.request();
    EXPECT_TRUE(request.has_value()) << path;
    if (!request)
        return {};
    EXPECT_EQ(request->verb, QByteArray(verb));
    EXPECT_EQ(request->path, QString::fromLatin1(path));
    return *request;
}

std::vector<std::pair<QString, unsigned>> outcomesOf(const PeopleGroupBatch &batch)
{
    std::vector<std::pair<QString, unsigned>> outcomes;
    const GDataFeedPtr feed = batch.resultFeed();
    for (const GDataEntryPtr &entry : feed->entries())
        outcomes.emplace_back(entry->batchID().value_or(QString()),
                              entry->batchStatus() ? entry->batchStatus()->code : 0u);
    return outcomes;
}

using Outcomes = std::vector<std::pair<QString, unsigned>>;

TEST(PeopleGroupBatchTest, MixedFeed_OneRequestPerEntryCreatesUpdatesThenDeletes)
{
    PeopleGroupBatch batch(*groupFeedOf({{"d", "delete", "Old", "contactGroups/u1", "e1"},
                                         {"u", "update", "Renamed", "contactGroups/u2"},
                                         {"i", "insert", "Friends"}}),
                           kTestAPI);

    PeopleRequest request = nextRequest(batch, "POST", "v1/contactGroups");
    const QJsonObject sent = request.body.value("contactGroup").toObject();
    EXPECT_EQ(sent.value("name").toString(), "Friends");
    EXPECT_FALSE(sent.contains("resourceName"));
    EXPECT_EQ(sent.value("clientData").toArray()[0].toObject().value("key").toString(),
              "gdx:tolvane");
    EXPECT_EQ(request.body.value("readGroupFields").toString(),
              "clientData,groupType,metadata,name");
    batch.takeReply(200, groupAnswer("contactGroups/n1", "g-new", sent));

    request = nextRequest(batch, "GET", "v1/contactGroups/u2");
    EXPECT_EQ(request.query.queryItemValue("groupFields"), "metadata");
    batch.takeReply(200, groupAnswer("contactGroups/u2", "e2-now"));

    request = nextRequest(batch, "PUT", "v1/contactGroups/u2");
    EXPECT_EQ(request.body.value("updateGroupFields").toString(), "name,clientData");
    const QJsonObject updated = request.body.value("contactGroup").toObject();
    EXPECT_EQ(updated.value("etag").toString(), "e2-now");
    EXPECT_EQ(updated.value("resourceName").toString(), "contactGroups/u2");
    EXPECT_EQ(updated.value("name").toString(), "Renamed");
    batch.takeReply(200, groupAnswer("contactGroups/u2", "e2-new", updated));

    nextRequest(batch, "GET", "v1/contactGroups/u1");
    batch.takeReply(200, groupAnswer("contactGroups/u1", "e1"));

    request = nextRequest(batch, "DELETE", "v1/contactGroups/u1");
    EXPECT_EQ(request.query.queryItemValue("deleteContacts"), "false");
    batch.takeReply(200, "{}");

    EXPECT_FALSE(batch.request().has_value());
    EXPECT_EQ(outcomesOf(batch), (Outcomes{{"d", 200}, {"u", 200}, {"i", 201}}));
    const auto created = batch.resultFeed()->entries()[2];
    EXPECT_EQ(created->identifier(), identifierOf("contactGroups/n1"));
    EXPECT_EQ(created->ETag(), QStringLiteral("g-new"));
    EXPECT_EQ(created->extendedProperties()[0].XMLValueForKey("aID"), "Friends:ABGroup");
}

TEST(PeopleGroupBatchTest, DuplicateName_IsThatEntrysStatusAndTheRestGoesOn)
{
    PeopleGroupBatch batch(*groupFeedOf({{"a", "insert", "Friends"}, {"b", "insert", "Family"}}),
                           kTestAPI);
    nextRequest(batch, "POST", "v1/contactGroups");
    batch.takeReply(409, R"({"error": {"code": 409, "message": "Contact group name already exists",
        "status": "ALREADY_EXISTS"}})");
    EXPECT_FALSE(batch.failure().has_value());
    nextRequest(batch, "POST", "v1/contactGroups");
    batch.takeReply(200, groupAnswer("contactGroups/n2", "g"));
    EXPECT_EQ(outcomesOf(batch), (Outcomes{{"a", 409}, {"b", 201}}));
    EXPECT_EQ(batch.resultFeed()->entries()[0]->batchStatus()->reason,
              QStringLiteral("Contact group name already exists"));
}

TEST(PeopleGroupBatchTest, ContactInAGroupFeed_RefusedWithoutARequest)
{
    GDataFeedPtr feed = GDataFeedContactGroup::contactGroupFeed();
    auto contact = std::make_shared<GDataEntryContact>();
    contact->setBatchID(QStringLiteral("c"));
    contact->setBatchOperation(QString(kGDataBatchOperationInsert));
    feed->addEntry(contact);
    PeopleGroupBatch batch(*feed, kTestAPI);
    EXPECT_FALSE(batch.request().has_value());
    EXPECT_EQ(outcomesOf(batch), (Outcomes{{"c", 400}}));
}

struct ServiceFailureCase
{
    int httpStatus;
    bool afterApplied;
    bool fails;
};

class PeopleGroupFailureTest : public ::testing::TestWithParam<ServiceFailureCase>
{
};

TEST_P(PeopleGroupFailureTest, ServiceFailure_FailsTheBatchOnlyBeforeAnythingWasApplied)
{
    PeopleGroupBatch batch(*groupFeedOf({{"a", "insert", "One"}, {"b", "insert", "Two"}}),
                           kTestAPI);
    if (GetParam().afterApplied)
        batch.takeReply(200, groupAnswer("contactGroups/n1", "g"));
    batch.takeReply(GetParam().httpStatus, R"({"error": {"code": 0, "message": "failed"}})");
    EXPECT_EQ(batch.failure().has_value(), GetParam().fails);
    if (GetParam().fails) {
        EXPECT_EQ(batch.failure()->code, GetParam().httpStatus);
        EXPECT_FALSE(batch.request().has_value());
    } else {
        // The entry the failed request was for; the other goes on.
        const size_t failed = GetParam().afterApplied ? 1 : 0;
        EXPECT_EQ(outcomesOf(batch)[failed].second, unsigned(GetParam().httpStatus));
        EXPECT_EQ(batch.request().has_value(), !GetParam().afterApplied);
    }
}

INSTANTIATE_TEST_SUITE_P(Failures, PeopleGroupFailureTest,
                         ::testing::Values(ServiceFailureCase{503, false, true},
                                           ServiceFailureCase{429, false, true},
                                           ServiceFailureCase{401, false, true},
                                           ServiceFailureCase{400, false, false},
                                           ServiceFailureCase{503, true, false}));

TEST(PeopleGroupBatchTest, DeleteOfChangedOrMissingGroup_NoDelete)
{
    PeopleGroupBatch batch(*groupFeedOf({{"a", "delete", "One", "contactGroups/u1", "read"},
                                         {"b", "delete", "Two", "contactGroups/u2", "read"}}),
                           kTestAPI);
    nextRequest(batch, "GET", "v1/contactGroups/u1");
    batch.takeReply(200, groupAnswer("contactGroups/u1", "changed"));
    nextRequest(batch, "GET", "v1/contactGroups/u2");
    batch.takeReply(404, R"({"error": {"code": 404, "message": "gone", "status": "NOT_FOUND"}})");
    EXPECT_FALSE(batch.request().has_value());
    EXPECT_EQ(outcomesOf(batch), (Outcomes{{"a", 412}, {"b", 404}}));
}

} // namespace
