// A contact batch feed as People calls and the result feed made from the answers: the order and
// masks of the calls, refusals by index and by name, the fingerprint check of created people, the
// ETag checks before deletes, and calls that fail before or after something was applied.

#include "platform/gdata/people/peoplecontactbatch.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peoplesourceaccess.h"
#include "tests/platform/gdata/people/peopletestjson.h"
#include "tests/support/logcapture.h"

#include <QTimeZone>

#include <functional>

namespace {

struct Sent
{
    const char *batchID;
    const char *operation;
    const char *title;
    const char *resourceName = nullptr;
    const char *etag = nullptr;
};

GDataFeedPtr feedOf(std::initializer_list<Sent> entries)
{
    GDataFeedPtr feed = GDataFeedContact::contactFeed();
    for (const Sent &sent : entries) {
        auto entry = GDataEntryContact::contactEntryWithTitle(QString::fromUtf8(sent.title));
        entry->setEmailAddresses({GDataEmail{QString::fromUtf8(sent.title) + "@x.example",
                                             QString(kGDataContactHome), std::nullopt, false}});
        auto property = GDataExtendedProperty::propertyWithName(QStringLiteral("tolvane"));
        property.setXMLValue(QString::fromUtf8(sent.title) + ":ABPerson", QStringLiteral("aID"));
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

// What Google makes of a sent person: the same fields with a name, an etag and an update time.
QJsonObject createdFrom(const QJsonObject &sent, const QString &resourceName)
{
    QJsonObject person = sent;
    person.insert("resourceName", resourceName);
    person.insert("etag", "new-" + resourceName);
    QJsonObject name = person.value("names").toArray().at(0).toObject();
    name.insert("displayName", name.value("unstructuredName"));
    person.insert("names", QJsonArray{name});
    person.insert(
        "metadata",
        QJsonObject{{"sources", QJsonArray{QJsonObject{{"type", "CONTACT"},
                                                       {"updateTime", "2024-05-01T10:00:00Z"}}}}});
    return person;
}

QByteArray bodyOf(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray createdAnswer(const PeopleRequest &request, int firstId = 1)
{
    QJsonArray created;
    int id = firstId;
    for (const QJsonValue &contact : request.body.value("contacts").toArray())
        created.append(
            QJsonObject{{"person", createdFrom(contact.toObject().value("contactPerson").toObject(),
                                               QStringLiteral("people/n%1").arg(id++))}});
    return bodyOf({{"createdPeople", created}});
}

QByteArray updatedAnswer(const PeopleRequest &request)
{
    QJsonObject results;
    const QJsonObject contacts = request.body.value("contacts").toObject();
    for (auto it = contacts.begin(); it != contacts.end(); ++it)
        results.insert(it.key(),
                       QJsonObject{{"person", createdFrom(it.value().toObject(), it.key())}});
    return bodyOf({{"updateResult", results}});
}

// A batchGet answer: each name's person with the etag given, or NOT_FOUND when none is.
QByteArray gotAnswer(const std::vector<std::pair<const char *, const char *>> &etags)
{
    QJsonArray responses;
    for (const auto &[name, etag] : etags) {
        QJsonObject response{{"requestedResourceName", name}};
        if (etag)
            response.insert("person", QJsonObject{{"resourceName", name}, {"etag", etag}});
        else
            response.insert("status", QJsonObject{{"code", 5}, {"message", "Not found"}});
        responses.append(response);
    }
    return bodyOf({{"responses", responses}});
}

QByteArray refusal(const char *detailsKeyed)
{
    return QByteArray(R"({"error": {"code": 400, "message": "Request contains an invalid argument.",
        "status": "INVALID_ARGUMENT", "details": [{"@type":
        "type.googleapis.com/google.apps.people.v1.BatchErrorDetails", "contactErrors": )") +
           detailsKeyed + "}]}}";
}

QStringList resourceNamesOf(const PeopleRequest &request)
{
    QStringList names = request.query.allQueryItemValues("resourceNames");
    for (const QJsonValue &name : request.body.value("resourceNames").toArray())
        names.append(name.toString());
    return names;
}

QStringList titlesOf(const PeopleRequest &request)
{
    QStringList titles;
    for (const QJsonValue &contact : request.body.value("contacts").toArray())
        titles.append(contact.toObject()
                          .value("contactPerson")
                          .toObject()
                          .value("names")
                          .toArray()[0]
                          .toObject()
                          .value("unstructuredName")
                          .toString());
    return titles;
}

struct Outcome
{
    QString batchID;
    QString operation;
    unsigned code;
    QString reason;
};

std::vector<Outcome> outcomesOf(const PeopleContactBatch &batch)
{
    std::vector<Outcome> outcomes;
    const GDataFeedPtr feed = batch.resultFeed();
    for (const GDataEntryPtr &entry : feed->entries()) {
        const auto status = entry->batchStatus();
        outcomes.push_back({entry->batchID().value_or(QString()),
                            entry->batchOperation().value_or(QString()), status ? status->code : 0u,
                            status ? status->reason : QString()});
    }
    return outcomes;
}

void expectOutcomes(const PeopleContactBatch &batch, const std::vector<Outcome> &expected)
{
    const auto outcomes = outcomesOf(batch);
    ASSERT_EQ(outcomes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(outcomes[i].batchID, expected[i].batchID) << i;
        EXPECT_EQ(outcomes[i].operation, expected[i].operation) << i;
        EXPECT_EQ(outcomes[i].code, expected[i].code) << i;
        if (!expected[i].reason.isEmpty()) {
            EXPECT_EQ(outcomes[i].reason, expected[i].reason) << i;
        }
    }
}

std::optional<PeopleRequest> expectRequest(const PeopleContactBatch &batch, const char *path)
{
    const auto request = batch.request();
    EXPECT_TRUE(request.has_value()) << path;
    if (request) {
        EXPECT_EQ(request->path, QString::fromLatin1(path));
    }
    return request;
}

TEST(PeopleContactBatchTest, MixedFeed_CreatesThenUpdatesThenDeletesWithTheirMasks)
{
    PeopleContactBatch batch(*feedOf({{"d1", "delete", "Dora", "people/c4", "e4"},
                                      {"u1", "update", "Ulla", "people/c2", "e2"},
                                      {"i1", "insert", "Ines"},
                                      {"u2", "update", "Uwe", "people/c3"},
                                      {"d2", "delete", "Dirk", "people/c5"}}),
                             kTestAPI);

    auto request = expectRequest(batch, "v1/people:batchCreateContacts");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->verb, QByteArray("POST"));
    EXPECT_EQ(titlesOf(*request), QStringList{"Ines"});
    EXPECT_EQ(request->body.value("readMask").toString(), QString(kPeoplePersonFields));
    EXPECT_JSON_EQ(request->body.value("sources"), QJsonArray{"READ_SOURCE_TYPE_CONTACT"});
    const QJsonObject sentPerson =
        request->body.value("contacts").toArray()[0].toObject().value("contactPerson").toObject();
    EXPECT_FALSE(sentPerson.contains("resourceName"));
    batch.takeReply(200, createdAnswer(*request));

    // The update without an ETag takes the current one first.
    request = expectRequest(batch, "v1/people:batchGet");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->verb, QByteArray("GET"));
    EXPECT_EQ(resourceNamesOf(*request), QStringList{"people/c3"});
    batch.takeReply(200, gotAnswer({{"people/c3", "e3-now"}}));

    request = expectRequest(batch, "v1/people:batchUpdateContacts");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->body.value("updateMask").toString(), QString(kPeopleUpdatePersonFields));
    EXPECT_EQ(request->body.value("readMask").toString(), QString(kPeoplePersonFields));
    const QJsonObject contacts = request->body.value("contacts").toObject();
    EXPECT_EQ(contacts.keys(), (QStringList{"people/c2", "people/c3"}));
    EXPECT_EQ(contacts.value("people/c2").toObject().value("etag").toString(), "e2");
    EXPECT_EQ(contacts.value("people/c3").toObject().value("etag").toString(), "e3-now");
    batch.takeReply(200, updatedAnswer(*request));

    // Only the delete with an ETag is checked.
    request = expectRequest(batch, "v1/people:batchGet");
    ASSERT_TRUE(request);
    EXPECT_EQ(resourceNamesOf(*request), QStringList{"people/c4"});
    batch.takeReply(200, gotAnswer({{"people/c4", "e4"}}));

    request = expectRequest(batch, "v1/people:batchDeleteContacts");
    ASSERT_TRUE(request);
    EXPECT_EQ(resourceNamesOf(*request), (QStringList{"people/c4", "people/c5"}));
    batch.takeReply(200, "{}");

    EXPECT_FALSE(batch.request().has_value());
    EXPECT_FALSE(batch.failure().has_value());
    expectOutcomes(batch, {{"d1", "delete", 200, "Success"},
                           {"u1", "update", 200, "Success"},
                           {"i1", "insert", 201, "Created"},
                           {"u2", "update", 200, "Success"},
                           {"d2", "delete", 200, "Success"}});
    // Created and updated entries carry the whole mapped person for the write-back.
    const auto created = batch.resultFeed()->entries()[2];
    EXPECT_EQ(created->identifier(), identifierOf("people/n1"));
    EXPECT_EQ(created->ETag(), QStringLiteral("new-people/n1"));
    EXPECT_EQ(created->updatedDate(), QDateTime(QDate(2024, 5, 1), QTime(10, 0), QTimeZone::utc()));
    ASSERT_EQ(created->extendedProperties().size(), 1u);
    EXPECT_EQ(created->extendedProperties()[0].XMLValueForKey("aID"), "Ines:ABPerson");
    EXPECT_EQ(batch.resultFeed()->entries()[3]->ETag(), QStringLiteral("new-people/c3"));
}

TEST(PeopleContactBatchTest, CreateRefusedAtIndex3_RestCreatedOnceRefusedOneGets400)
{
    PeopleContactBatch batch(*feedOf({{"b0", "insert", "A0"},
                                      {"b1", "insert", "A1"},
                                      {"b2", "insert", "A2"},
                                      {"b3", "insert", "A3"},
                                      {"b4", "insert", "A4"}}),
                             kTestAPI);
    auto request = expectRequest(batch, "v1/people:batchCreateContacts");
    ASSERT_TRUE(request);
    EXPECT_EQ(titlesOf(*request).size(), 5);
    batch.takeReply(400, refusal(R"({"3": {"code": 3, "message": "Invalid email address",
        "details": [{"@type": "type.googleapis.com/google.rpc.ErrorInfo", "reason": "badEmail"}]}})"));
    // Nothing was applied: the call goes once more without the refused entry.
    EXPECT_FALSE(batch.failure().has_value());
    request = expectRequest(batch, "v1/people:batchCreateContacts");
    ASSERT_TRUE(request);
    EXPECT_EQ(titlesOf(*request), (QStringList{"A0", "A1", "A2", "A4"}));
    batch.takeReply(200, createdAnswer(*request));
    EXPECT_FALSE(batch.request().has_value());
    expectOutcomes(batch, {{"b0", "insert", 201, "Created"},
                           {"b1", "insert", 201, "Created"},
                           {"b2", "insert", 201, "Created"},
                           {"b3", "insert", 400, "Invalid email address"},
                           {"b4", "insert", 201, "Created"}});
    EXPECT_EQ(batch.resultFeed()->entries()[3]->batchStatus()->stringValue, "badEmail");
    EXPECT_EQ(batch.resultFeed()->entries()[4]->identifier(), identifierOf("people/n4"));
}

TEST(PeopleContactBatchTest, CreatedPeopleOutOfOrder_UnmatchedResultNeverAGuess)
{
    LogCapture log;
    PeopleContactBatch batch(
        *feedOf({{"b0", "insert", "Anna"}, {"b1", "insert", "Bert"}, {"b2", "insert", "Cleo"}}),
        kTestAPI);
    auto request = expectRequest(batch, "v1/people:batchCreateContacts");
    ASSERT_TRUE(request);
    QJsonArray created =
        QJsonDocument::fromJson(createdAnswer(*request)).object().value("createdPeople").toArray();
    // Anna and Bert come back swapped, Cleo's answer is missing.
    created = QJsonArray{created[1], created[0]};
    batch.takeReply(200, bodyOf({{"createdPeople", created}}));
    expectOutcomes(batch, {{"b0", "insert", 500, "unmatched result"},
                           {"b1", "insert", 500, "unmatched result"},
                           {"b2", "insert", 500, "unmatched result"}});
    EXPECT_TRUE(log.lines().join('\n').contains("does not match the contact sent"));
    // Something was applied, so the batch itself does not fail.
    EXPECT_FALSE(batch.failure().has_value());
}

struct FingerprintCase
{
    const char *change;
    std::function<void(QJsonObject &)> apply;
    unsigned code;
};

class PeopleFingerprintTest : public ::testing::TestWithParam<FingerprintCase>
{
};

TEST_P(PeopleFingerprintTest, CreatedPerson_CheckedByTitleEmailsAndClientData)
{
    PeopleContactBatch batch(*feedOf({{"b0", "insert", "Anna"}}), kTestAPI);
    const auto request = batch.request();
    ASSERT_TRUE(request);
    QJsonObject answer = QJsonDocument::fromJson(createdAnswer(*request)).object();
    QJsonArray created = answer.value("createdPeople").toArray();
    QJsonObject response = created[0].toObject();
    QJsonObject person = response.value("person").toObject();
    GetParam().apply(person);
    response.insert("person", person);
    answer.insert("createdPeople", QJsonArray{response});
    batch.takeReply(200, bodyOf(answer));
    expectOutcomes(batch, {{"b0", "insert", GetParam().code, {}}});
}

INSTANTIATE_TEST_SUITE_P(
    Changes, PeopleFingerprintTest,
    ::testing::Values(
        FingerprintCase{"none", [](QJsonObject &) {}, 201},
        FingerprintCase{"phone added",
                        [](QJsonObject &p) {
                            p.insert("phoneNumbers", QJsonArray{QJsonObject{{"value", "1"}}});
                        },
                        201},
        FingerprintCase{"other title",
                        [](QJsonObject &p) {
                            p.insert("names", QJsonArray{QJsonObject{{"unstructuredName", "Bo"}}});
                        },
                        500},
        FingerprintCase{
            "other email",
            [](QJsonObject &p) {
                p.insert("emailAddresses", QJsonArray{QJsonObject{{"value", "bo@x.example"}}});
            },
            500},
        FingerprintCase{"other clientData",
                        [](QJsonObject &p) {
                            p.insert("clientData",
                                     QJsonArray{QJsonObject{{"key", "gdx:tolvane"},
                                                            {"value", "{\"c\":[]}"}}});
                        },
                        500},
        FingerprintCase{"no person", [](QJsonObject &p) { p = QJsonObject(); }, 500}));

// The same answer in the forms it may be written in: the plain ones are read from the text, the
// others by the parser, and each gives the same results, read copies included.
struct AnswerFormCase
{
    const char *form;
    std::function<QByteArray(const QJsonObject &)> write;
};

class PeopleCreatedAnswerFormTest : public ::testing::TestWithParam<AnswerFormCase>
{
};

TEST_P(PeopleCreatedAnswerFormTest, CreatedPeopleAndARefusal_SameResultsInEveryForm)
{
    PeopleContactBatch batch(
        *feedOf({{"b0", "insert", "Anna"}, {"b1", "insert", "Bert"}, {"b2", "insert", "Cleo"}}),
        kTestAPI);
    const auto request = batch.request();
    ASSERT_TRUE(request);
    QJsonArray created =
        QJsonDocument::fromJson(createdAnswer(*request)).object().value("createdPeople").toArray();
    created[1] = QJsonObject{{"status", QJsonObject{{"status", "INVALID_ARGUMENT"},
                                                    {"message", "Invalid email address"}}}};
    batch.takeReply(200, GetParam().write(QJsonObject{{"createdPeople", created}}));
    expectOutcomes(batch, {{"b0", "insert", 201, "Created"},
                           {"b1", "insert", 400, "Invalid email address"},
                           {"b2", "insert", 201, "Created"}});
    const auto entries = batch.resultFeed()->entries();
    ASSERT_EQ(entries.size(), 3u);
    for (const auto &[index, name] : {std::pair{0, "people/n1"}, std::pair{2, "people/n3"}}) {
        const auto &entry = static_cast<const GDataEntryContact &>(*entries[size_t(index)]);
        EXPECT_EQ(entry.identifier(), identifierOf(name)) << index;
        ASSERT_EQ(entry.extendedProperties().size(), 1u) << index;
        EXPECT_EQ(entry.extendedProperties()[0].XMLValueForKey("aID"),
                  entry.title().value_or(QString()) + ":ABPerson");
        EXPECT_EQ(PeopleSourceAccess::read(entry.peopleSource()).value("etag").toString(),
                  QStringLiteral("new-") + name);
        ASSERT_EQ(entry.emailAddresses().size(), 1u) << index;
        EXPECT_EQ(PeopleSourceAccess::read(entry.emailAddresses()[0].peopleSource)
                      .value("value")
                      .toString(),
                  entry.emailAddresses()[0].address);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PeopleCreatedAnswerFormTest,
    ::testing::Values(AnswerFormCase{"compact",
                                     [](const QJsonObject &answer) {
                                         return bodyOf(answer);
                                     }},
                      AnswerFormCase{"indented",
                                     [](const QJsonObject &answer) {
                                         return QJsonDocument(answer).toJson(
                                             QJsonDocument::Indented);
                                     }},
                      AnswerFormCase{"escaped key of the answer",
                                     [](const QJsonObject &answer) {
                                         return bodyOf(answer).replace("\"createdPeople\"",
                                                                       "\"createdPe\\u006fple\"");
                                     }},
                      AnswerFormCase{"escaped key of a person",
                                     [](const QJsonObject &answer) {
                                         return bodyOf(answer).replace("\"emailAddresses\"",
                                                                       "\"em\\u0061ilAddresses\"");
                                     }},
                      AnswerFormCase{"number with exponent",
                                     [](const QJsonObject &answer) {
                                         return "{\"seen\":1e0," + bodyOf(answer).mid(1);
                                     }}),
    [](const ::testing::TestParamInfo<AnswerFormCase> &info) {
        QString name = QString::fromLatin1(info.param.form);
        name.replace(' ', '_');
        return name.toStdString();
    });

TEST(PeopleContactBatchTest, StaleETagOnUpdate_Gives412AndTheOtherUpdateGoesAgain)
{
    PeopleContactBatch batch(*feedOf({{"u1", "update", "Ulla", "people/c2", "old"},
                                      {"u2", "update", "Uwe", "people/c3", "e3"}}),
                             kTestAPI);
    auto request = expectRequest(batch, "v1/people:batchUpdateContacts");
    ASSERT_TRUE(request);
    batch.takeReply(400, refusal(R"({"people/c2": {"code": 9,
        "message": "Resource person is stale"}})"));
    request = expectRequest(batch, "v1/people:batchUpdateContacts");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->body.value("contacts").toObject().keys(), QStringList{"people/c3"});
    batch.takeReply(200, updatedAnswer(*request));
    expectOutcomes(batch, {{"u1", "update", 412, "Resource person is stale"},
                           {"u2", "update", 200, "Success"}});
}

TEST(PeopleContactBatchTest, DeleteOfChangedOrMissingContact_NoDeleteAnd412Or404)
{
    PeopleContactBatch batch(*feedOf({{"d1", "delete", "Dora", "people/c4", "read-etag"},
                                      {"d2", "delete", "Dirk", "people/c5", "e5"}}),
                             kTestAPI);
    auto request = expectRequest(batch, "v1/people:batchGet");
    ASSERT_TRUE(request);
    EXPECT_EQ(resourceNamesOf(*request), (QStringList{"people/c4", "people/c5"}));
    EXPECT_EQ(request->query.queryItemValue("personFields"), "metadata");
    batch.takeReply(200, gotAnswer({{"people/c4", "changed-since"}, {"people/c5", nullptr}}));
    // Neither goes to batchDeleteContacts.
    EXPECT_FALSE(batch.request().has_value());
    expectOutcomes(batch, {{"d1", "delete", 412, {}}, {"d2", "delete", 404, {}}});
}

TEST(PeopleContactBatchTest, RefusedBatchDelete_GoesAgainOneNameAtATime)
{
    PeopleContactBatch batch(
        *feedOf({{"d1", "delete", "Dora", "people/c4"}, {"d2", "delete", "Dirk", "people/c5"}}),
        kTestAPI);
    auto request = expectRequest(batch, "v1/people:batchDeleteContacts");
    ASSERT_TRUE(request);
    batch.takeReply(400, R"({"error": {"code": 400, "message": "bad name",
        "status": "INVALID_ARGUMENT"}})");
    request = expectRequest(batch, "v1/people/c4:deleteContact");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->verb, QByteArray("DELETE"));
    batch.takeReply(200, "{}");
    request = expectRequest(batch, "v1/people/c5:deleteContact");
    ASSERT_TRUE(request);
    batch.takeReply(404, R"({"error": {"code": 404, "message": "Requested entity was not found.",
        "status": "NOT_FOUND"}})");
    EXPECT_FALSE(batch.request().has_value());
    EXPECT_FALSE(batch.failure().has_value());
    expectOutcomes(batch, {{"d1", "delete", 200, "Success"},
                           {"d2", "delete", 404, "Requested entity was not found."}});
}

TEST(PeopleContactBatchTest, FirstCallFailsBeforeAnythingApplied_TheBatchFails)
{
    PeopleContactBatch batch(
        *feedOf({{"i1", "insert", "Ines"}, {"d1", "delete", "Dora", "people/c4"}}), kTestAPI);
    batch.takeReply(503, R"({"error": {"code": 503, "message": "The service is currently
        unavailable.", "status": "UNAVAILABLE"}})");
    ASSERT_TRUE(batch.failure().has_value());
    EXPECT_EQ(batch.failure()->code, 503);
    EXPECT_FALSE(batch.request().has_value());
}

TEST(PeopleContactBatchTest, LaterCallFailsAfterCreates_EachOfItsEntriesGetsItsStatus)
{
    PeopleContactBatch batch(*feedOf({{"i1", "insert", "Ines"},
                                      {"u1", "update", "Ulla", "people/c2", "e2"},
                                      {"u2", "update", "Uwe", "people/c3", "e3"},
                                      {"d1", "delete", "Dora", "people/c4"}}),
                             kTestAPI);
    auto request = batch.request();
    ASSERT_TRUE(request);
    batch.takeReply(200, createdAnswer(*request));
    request = expectRequest(batch, "v1/people:batchUpdateContacts");
    batch.takeReply(500, R"({"error": {"code": 500, "message": "Internal error encountered.",
        "status": "INTERNAL"}})");
    EXPECT_FALSE(batch.failure().has_value());
    request = expectRequest(batch, "v1/people:batchDeleteContacts");
    batch.takeReply(200, "{}");
    expectOutcomes(batch, {{"i1", "insert", 201, "Created"},
                           {"u1", "update", 500, "Internal error encountered."},
                           {"u2", "update", 500, "Internal error encountered."},
                           {"d1", "delete", 200, "Success"}});
}

TEST(PeopleContactBatchTest, EntriesNoCallCanCarry_SettledWithoutACall)
{
    GDataFeedPtr feed = feedOf({{"q1", "query", "Quinn", "people/c1"},
                                {"u1", "update", "Ulla"},
                                {"d1", "delete", "Dora", "contactGroups/g1"}});
    // A group in a contact feed is refused, not read as a contact.
    auto group = GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("G"));
    group->setBatchID(QStringLiteral("g1"));
    group->setBatchOperation(QString(kGDataBatchOperationInsert));
    feed->addEntry(group);
    PeopleContactBatch batch(*feed, kTestAPI);
    EXPECT_FALSE(batch.request().has_value());
    expectOutcomes(batch, {{"q1", "query", 400, "Unknown batch operation: query"},
                           {"u1", "update", 404, {}},
                           {"d1", "delete", 404, {}},
                           {"g1", "insert", 400, {}}});
}

TEST(PeopleContactBatchTest, EntriesWithoutOperation_TakeTheFeedsOrInsert)
{
    GDataFeedPtr feed = feedOf({{"a", "delete", "Dora", "people/c4"}});
    feed->entries()[0]->setBatchOperation(std::nullopt);
    PeopleContactBatch inserted(*feed, kTestAPI);
    EXPECT_EQ(inserted.request()->path, "v1/people:batchCreateContacts");
    feed->setBatchOperation(QString(kGDataBatchOperationDelete));
    PeopleContactBatch deleted(*feed, kTestAPI);
    EXPECT_EQ(deleted.request()->path, "v1/people:batchDeleteContacts");
}

} // namespace
