// The loopback server's own rules, spoken to over plain HTTP as any client would.

#include "tests/support/gdatatestserver.h"
#include "tests/support/httptestclient.h"

#include "platform/gdata/atom/atomreader.h"
#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kUser = QStringLiteral("u@example.com");
const QString kPassword = QStringLiteral("secret");
constexpr char kProperty[] = "PROPNAME";

GDataEntryPtr contactNamed(const QString &name, const std::vector<QString> &properties = {})
{
    auto contact = GDataEntryContact::contactEntryWithTitle(name);
    for (const QString &property : properties) {
        auto extended = GDataExtendedProperty::propertyWithName(property);
        extended.setXMLValue(QStringLiteral("value of ") + property, QStringLiteral("v"));
        contact->addExtendedProperty(extended);
    }
    return contact;
}

QStringList propertyNames(const GDataEntryBase &entry)
{
    QStringList names;
    for (const auto &property : entry.extendedProperties())
        names.append(property.name());
    return names;
}

class GDataServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        server.addAccount(kUser, kPassword);
        token = signIn(kUser, kPassword).body;
        token = token.mid(token.indexOf("Auth=") + 5).trimmed();
    }

    HttpTestReply signIn(const QString &email, const QString &password)
    {
        QUrlQuery form;
        form.addQueryItem(QStringLiteral("accountType"), QStringLiteral("HOSTED_OR_GOOGLE"));
        form.addQueryItem(QStringLiteral("Email"), email);
        form.addQueryItem(QStringLiteral("Passwd"), password);
        form.addQueryItem(QStringLiteral("service"), QStringLiteral("cp"));
        form.addQueryItem(QStringLiteral("source"), QStringLiteral("test"));
        return httptest::send("POST", url(QStringLiteral("/accounts/ClientLogin")),
                              form.toString(QUrl::FullyEncoded).toLatin1(),
                              {{"Content-Type", "application/x-www-form-urlencoded"}});
    }

    QUrl url(const QString &pathAndQuery) const
    {
        return QUrl(server.baseUrl().toString() + pathAndQuery);
    }

    HttpTestReply call(const QByteArray &method, const QString &pathOrUrl,
                       const QByteArray &body = {}, QHash<QByteArray, QByteArray> headers = {})
    {
        headers.insert("Authorization", "GoogleLogin auth=" + token);
        headers.insert("GData-Version", "2.0");
        if (!body.isEmpty() && !headers.contains("Content-Type"))
            headers.insert("Content-Type", "application/atom+xml");
        const QUrl target =
            pathOrUrl.startsWith(QLatin1String("http")) ? QUrl(pathOrUrl) : url(pathOrUrl);
        return httptest::send(method, target, body, headers);
    }

    GDataFeedPtr feed(const QString &path,
                      GDataEntryBase::Kind kind = GDataEntryBase::Kind::Contact)
    {
        const HttpTestReply reply = call("GET", path);
        EXPECT_EQ(reply.status, 200) << reply.body.constData();
        const auto parsed = atomreader::parseFeed(reply.body, kind);
        EXPECT_TRUE(parsed.has_value());
        return parsed ? *parsed : std::make_shared<GDataFeed>(kind);
    }

    GDataEntryPtr entry(const HttpTestReply &reply)
    {
        const auto parsed = atomreader::parseEntry(reply.body, GDataEntryBase::Kind::Contact);
        EXPECT_TRUE(parsed.has_value()) << reply.body.constData();
        return parsed ? *parsed : std::make_shared<GDataEntryContact>();
    }

    GDataEntryPtr fetchContact(const QString &identifier, const QString &projection = "full")
    {
        const QString localId = identifier.mid(identifier.lastIndexOf(u'/') + 1);
        const HttpTestReply reply = call(
            "GET", QStringLiteral("/m8/feeds/contacts/default/%1/%2").arg(projection, localId));
        EXPECT_EQ(reply.status, 200);
        return entry(reply);
    }

    GDataFeedPtr postBatch(const GDataFeed &request, int expectedStatus = 200,
                           const QString &projection = "full")
    {
        const HttpTestReply reply =
            call("POST", QStringLiteral("/m8/feeds/contacts/default/%1/batch").arg(projection),
                 atomwriter::feedXML(request));
        EXPECT_EQ(reply.status, expectedStatus) << reply.body.constData();
        const auto parsed = atomreader::parseFeed(reply.body, GDataEntryBase::Kind::Contact);
        return parsed ? *parsed : std::make_shared<GDataFeed>(GDataEntryBase::Kind::Contact);
    }

    GDataTestServer server;
    QByteArray token;
};

TEST_F(GDataServerTest, ClientLogin_GoodAndBadPasswordsAndMissingToken)
{
    EXPECT_FALSE(token.isEmpty());
    const HttpTestReply bad = signIn(kUser, QStringLiteral("wrong"));
    EXPECT_EQ(bad.status, 403);
    EXPECT_TRUE(bad.body.contains("Error=BadAuthentication"));
    token = "not-a-token";
    EXPECT_EQ(call("GET", QStringLiteral("/m8/feeds/contacts/default/full")).status, 401);
}

TEST_F(GDataServerTest, RequestLog_KeepsNoPasswordOrToken)
{
    call("GET", QStringLiteral("/m8/feeds/contacts/default/full"));
    const QJsonArray log = server.requestLog();
    ASSERT_GE(log.size(), 2);
    const QString text = QString::fromUtf8(QJsonDocument(log).toJson());
    EXPECT_FALSE(text.contains(kPassword));
    EXPECT_FALSE(text.contains(QString::fromLatin1(token)));
    EXPECT_TRUE(text.contains(QStringLiteral("Passwd=<redacted>")));
}

TEST_F(GDataServerTest, Projections_ShowOnlyTheirExtendedProperties)
{
    const QString id =
        server.seedContacts(kUser, {contactNamed("Anna", {kProperty, "OTHER"})}).value(0);
    EXPECT_EQ(propertyNames(*fetchContact(id, "full")), QStringList({kProperty, "OTHER"}));
    EXPECT_EQ(propertyNames(*fetchContact(id, "thin")), QStringList());
    EXPECT_EQ(propertyNames(*fetchContact(id, QStringLiteral("property-") + kProperty)),
              QStringList({kProperty}));
}

TEST_F(GDataServerTest, Projections_WritesKeepThePropertiesTheyDoNotShow)
{
    const QString id =
        server.seedContacts(kUser, {contactNamed("Anna", {kProperty, "OTHER"})}).value(0);
    const QString localId = id.mid(id.lastIndexOf(u'/') + 1);

    // Through thin: the properties sent are ignored and the stored ones stay.
    GDataEntryPtr thin = fetchContact(id, "thin");
    thin->setExtendedProperties({GDataExtendedProperty::propertyWithName("NEW")});
    EXPECT_EQ(call("PUT", "/m8/feeds/contacts/default/thin/" + localId, atomwriter::entryXML(*thin))
                  .status,
              200);
    EXPECT_EQ(propertyNames(*fetchContact(id)), QStringList({kProperty, "OTHER"}));

    // Through property-KEY without KEY: KEY goes, the foreign property stays.
    const QString projection = QStringLiteral("property-") + kProperty;
    GDataEntryPtr own = fetchContact(id, projection);
    own->setExtendedProperties({});
    EXPECT_EQ(call("PUT", "/m8/feeds/contacts/default/" + projection + "/" + localId,
                   atomwriter::entryXML(*own))
                  .status,
              200);
    EXPECT_EQ(propertyNames(*fetchContact(id)), QStringList({"OTHER"}));

    // Through full: all replaced.
    GDataEntryPtr full = fetchContact(id);
    full->setExtendedProperties({GDataExtendedProperty::propertyWithName("ONLY")});
    EXPECT_EQ(call("PUT", "/m8/feeds/contacts/default/full/" + localId, atomwriter::entryXML(*full))
                  .status,
              200);
    EXPECT_EQ(propertyNames(*fetchContact(id)), QStringList({"ONLY"}));
}

// Feed pages are made from entries written once and kept: every change since the last page, and
// each projection's view, must show all the same.
TEST_F(GDataServerTest, FeedPages_ShowEveryChangeSinceTheLastPage)
{
    const QStringList ids = server.seedContacts(
        kUser, {contactNamed("Anna", {kProperty, "OTHER"}), contactNamed("Ben")});
    ASSERT_EQ(ids.size(), 2);
    const QString full = QStringLiteral("/m8/feeds/contacts/default/full?showdeleted=true");
    const QString own = QStringLiteral("/m8/feeds/contacts/default/property-") + kProperty;
    ASSERT_EQ(feed(full)->entries().size(), 2u);
    ASSERT_EQ(feed(own)->entries().size(), 2u);

    GDataEntryPtr anna = fetchContact(ids[0]);
    anna->setTitle(QStringLiteral("Anna Smith"));
    const QString annaPath = QStringLiteral("/m8/feeds/contacts/default/full/") +
                             ids[0].mid(ids[0].lastIndexOf(u'/') + 1);
    ASSERT_EQ(call("PUT", annaPath, atomwriter::entryXML(*anna), {{"If-Match", "*"}}).status, 200);
    const QString photoUrl = std::static_pointer_cast<GDataEntryContact>(anna)->photoLink()->href;
    ASSERT_EQ(
        call("PUT", photoUrl, "JPEGBYTES", {{"Content-Type", "image/jpeg"}, {"If-Match", "*"}})
            .status,
        200);
    const QString benPath = QStringLiteral("/m8/feeds/contacts/default/full/") +
                            ids[1].mid(ids[1].lastIndexOf(u'/') + 1);
    ASSERT_EQ(call("DELETE", benPath, {}, {{"If-Match", "*"}}).status, 200);

    const GDataFeedPtr after = feed(full);
    ASSERT_EQ(after->entries().size(), 2u);
    const auto annaAfter = std::static_pointer_cast<GDataEntryContact>(after->entries()[0]);
    EXPECT_EQ(annaAfter->title(), QStringLiteral("Anna Smith"));
    EXPECT_EQ(annaAfter->ETag(), fetchContact(ids[0])->ETag());
    ASSERT_TRUE(annaAfter->photoLink().has_value());
    EXPECT_TRUE(annaAfter->photoLink()->etag.has_value());
    EXPECT_EQ(propertyNames(*annaAfter), QStringList({kProperty, "OTHER"}));
    EXPECT_TRUE(after->entries()[1]->isDeleted());

    const GDataFeedPtr ownAfter = feed(own);
    ASSERT_EQ(ownAfter->entries().size(), 1u);
    EXPECT_EQ(ownAfter->entries()[0]->title(), QStringLiteral("Anna Smith"));
    EXPECT_EQ(propertyNames(*ownAfter->entries()[0]), QStringList({kProperty}));
}

TEST_F(GDataServerTest, SystemGroups_ExistWithoutEditLinkAndCannotChange)
{
    const GDataFeedPtr groups =
        feed(QStringLiteral("/m8/feeds/groups/default/full"), GDataEntryBase::Kind::ContactGroup);
    ASSERT_EQ(groups->entries().size(), 4u);
    QStringList ids;
    for (const GDataEntryPtr &group : groups->entries()) {
        const auto &typed = static_cast<const GDataEntryContactGroup &>(*group);
        ids.append(typed.systemGroup().value_or(QString()));
        EXPECT_TRUE(group->title()->startsWith(QLatin1String("System Group: ")));
        EXPECT_FALSE(group->editLink().has_value());
        EXPECT_TRUE(group->identifier().contains(QLatin1String("/base/")));
        EXPECT_EQ(group->updatedDate().toMSecsSinceEpoch(), 0);
    }
    EXPECT_EQ(ids, QStringList({"Contacts", "Friends", "Family", "Coworkers"}));

    GDataEntryPtr myContacts = groups->entries().front()->copy();
    myContacts->setTitle(QStringLiteral("Renamed"));
    EXPECT_EQ(call("PUT", QStringLiteral("/m8/feeds/groups/default/full/6"),
                   atomwriter::entryXML(*myContacts), {{"If-Match", "*"}})
                  .status,
              403);
    EXPECT_EQ(
        call("DELETE", QStringLiteral("/m8/feeds/groups/default/full/6"), {}, {{"If-Match", "*"}})
            .status,
        403);

    GDataFeed batch(GDataEntryBase::Kind::ContactGroup);
    batch.setBatchOperation(QString::fromLatin1(kGDataBatchOperationDelete));
    batch.addEntry(myContacts);
    const HttpTestReply reply = call("POST", QStringLiteral("/m8/feeds/groups/default/full/batch"),
                                     atomwriter::feedXML(batch));
    const auto result = atomreader::parseFeed(reply.body, GDataEntryBase::Kind::ContactGroup);
    ASSERT_TRUE(result && (*result)->entries().size() == 1);
    EXPECT_EQ((*result)->entries()[0]->batchStatus()->code, 403u);
}

TEST_F(GDataServerTest, NewContacts_AreNotAddedToMyContacts)
{
    const QString id = server.seedContacts(kUser, {contactNamed("Anna")}).value(0);
    const auto contact = std::static_pointer_cast<GDataEntryContact>(fetchContact(id));
    EXPECT_TRUE(contact->groupMembershipInfos().empty());
}

TEST_F(GDataServerTest, ExtendedProperties_EleventhIsRefused)
{
    std::vector<QString> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back(QStringLiteral("P%1").arg(i));
    std::vector<QString> eleven = ten;
    eleven.push_back(QStringLiteral("P10"));
    EXPECT_EQ(call("POST", "/m8/feeds/contacts/default/full",
                   atomwriter::entryXML(*contactNamed("Ten", ten)))
                  .status,
              201);
    EXPECT_EQ(call("POST", "/m8/feeds/contacts/default/full",
                   atomwriter::entryXML(*contactNamed("Eleven", eleven)))
                  .status,
              400);

    GDataFeed batch(GDataEntryBase::Kind::Contact);
    GDataEntryPtr over = contactNamed("Eleven", eleven);
    over->setBatchID(QStringLiteral("b1"));
    batch.addEntry(over);
    const GDataFeedPtr result = postBatch(batch);
    ASSERT_EQ(result->entries().size(), 1u);
    EXPECT_EQ(result->entries()[0]->batchStatus()->code, 400u);
}

TEST_F(GDataServerTest, Batch_OverAHundredEntriesIsRefusedOrInterrupted)
{
    GDataFeed batch(GDataEntryBase::Kind::Contact);
    for (int i = 0; i < 101; ++i)
        batch.addEntry(contactNamed(QStringLiteral("C%1").arg(i)));
    postBatch(batch, 400);
    EXPECT_EQ(server.entries(kUser, GDataEntryBase::Kind::Contact)->entries().size(), 0u);

    server.setOptions({{"interruptOversizedBatch", true}});
    const GDataFeedPtr result = postBatch(batch);
    ASSERT_EQ(result->entries().size(), 101u);
    const auto interrupted = result->entries().back()->batchInterrupted();
    ASSERT_TRUE(interrupted.has_value());
    EXPECT_EQ(interrupted->success, 100);
    EXPECT_EQ(interrupted->parsed, 101);
}

TEST_F(GDataServerTest, Batch_ResultsCarryTheirBatchIdsAndStatuses)
{
    const QStringList ids = server.seedContacts(kUser, {contactNamed("Old"), contactNamed("Gone")});
    GDataFeed batch(GDataEntryBase::Kind::Contact);
    GDataEntryPtr insert = contactNamed("New");
    insert->setBatchID(QStringLiteral("ins"));
    insert->setBatchOperation(QString::fromLatin1(kGDataBatchOperationInsert));
    GDataEntryPtr update = fetchContact(ids[0]);
    update->setBatchID(QStringLiteral("upd"));
    update->setBatchOperation(QString::fromLatin1(kGDataBatchOperationUpdate));
    GDataEntryPtr stale = fetchContact(ids[0]); // its ETag is outdated once "upd" is applied
    stale->setBatchID(QStringLiteral("stale"));
    stale->setBatchOperation(QString::fromLatin1(kGDataBatchOperationUpdate));
    GDataEntryPtr missing = contactNamed("Missing");
    missing->setIdentifier(ids[0] + "ffff");
    missing->setBatchID(QStringLiteral("missing"));
    missing->setBatchOperation(QString::fromLatin1(kGDataBatchOperationDelete));
    GDataEntryPtr badGroup = contactNamed("Bad group");
    std::static_pointer_cast<GDataEntryContact>(badGroup)->addGroupMembershipInfo(
        {QString(), false});
    badGroup->setBatchID(QStringLiteral("bad"));
    for (const auto &e : {insert, update, stale, missing, badGroup})
        batch.addEntry(e);
    server.setOptions({{"reverseBatchResults", true}});

    const GDataFeedPtr result = postBatch(batch);
    QHash<QString, unsigned> codes;
    for (const GDataEntryPtr &answer : result->entries())
        codes.insert(answer->batchID().value_or(QString()), answer->batchStatus()->code);
    EXPECT_EQ(codes,
              (QHash<QString, unsigned>{
                  {"ins", 201}, {"upd", 200}, {"stale", 412}, {"missing", 404}, {"bad", 400}}));
    EXPECT_EQ(result->entries().front()->batchID(), QStringLiteral("bad"));
}

TEST_F(GDataServerTest, Updated_IsStrictlyIncreasingAcrossWrites)
{
    GDataFeed batch(GDataEntryBase::Kind::Contact);
    for (int i = 0; i < 50; ++i)
        batch.addEntry(contactNamed(QStringLiteral("C%1").arg(i)));
    const GDataFeedPtr result = postBatch(batch);
    ASSERT_EQ(result->entries().size(), 50u);
    for (size_t i = 1; i < result->entries().size(); ++i)
        EXPECT_LT(result->entries()[i - 1]->updatedDate(), result->entries()[i]->updatedDate());
}

// A client compares these times with its own clock, so a long burst of writes must not carry them
// far ahead of it.
TEST_F(GDataServerTest, Updated_StaysNearTheClockThroughABurstOfWrites)
{
    QDateTime newest;
    for (int feed = 0; feed < 30; ++feed) {
        GDataFeed batch(GDataEntryBase::Kind::Contact);
        for (int i = 0; i < 100; ++i)
            batch.addEntry(contactNamed(QStringLiteral("C%1-%2").arg(feed).arg(i)));
        const GDataFeedPtr result = postBatch(batch);
        ASSERT_EQ(result->entries().size(), 100u);
        for (const GDataEntryPtr &entry : result->entries()) {
            EXPECT_GE(entry->updatedDate(), newest);
            newest = entry->updatedDate();
        }
    }
    EXPECT_LE(newest, QDateTime::currentDateTimeUtc().addMSecs(1000));
}

struct PreconditionCase
{
    const char *name;
    QByteArray ifMatch; // "current": the entry's ETag
    int conflictStatus;
    int expected;
};

void PrintTo(const PreconditionCase &c, std::ostream *out)
{
    *out << c.name;
}

class GDataServerPreconditionTest : public GDataServerTest,
                                    public ::testing::WithParamInterface<PreconditionCase>
{
};

TEST_P(GDataServerPreconditionTest, Update_ChecksIfMatch)
{
    const PreconditionCase &c = GetParam();
    server.setOptions({{"conflictStatus", c.conflictStatus}});
    const QString id = server.seedContacts(kUser, {contactNamed("Anna")}).value(0);
    GDataEntryPtr contact = fetchContact(id);
    const QByteArray current = contact->ETag()->toUtf8();
    contact->setETag(std::nullopt); // the header alone decides
    QHash<QByteArray, QByteArray> headers;
    if (!c.ifMatch.isEmpty())
        headers.insert("If-Match", c.ifMatch == "current" ? current : c.ifMatch);
    const HttpTestReply reply =
        call("PUT", contact->editLink()->href, atomwriter::entryXML(*contact), headers);
    EXPECT_EQ(reply.status, c.expected) << reply.body.constData();
    if (c.ifMatch.isEmpty()) {
        EXPECT_TRUE(reply.body.contains(
            "If-Match or If-None-Match header or entry etag attribute required."));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GDataServerPreconditionTest,
                         ::testing::Values(PreconditionCase{"Current", "current", 412, 200},
                                           PreconditionCase{"Star", "*", 412, 200},
                                           PreconditionCase{"Stale", "\"stale.\"", 412, 412},
                                           PreconditionCase{"StaleAsConflict", "\"stale.\"", 409,
                                                            409},
                                           PreconditionCase{"None", "", 412, 412}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(GDataServerTest, MethodOverride_TurnsAPostIntoADelete)
{
    const QString id = server.seedContacts(kUser, {contactNamed("Anna")}).value(0);
    const GDataEntryPtr contact = fetchContact(id);
    EXPECT_EQ(call("POST", contact->editLink()->href, {},
                   {{"X-HTTP-Method-Override", "DELETE"}, {"If-Match", "*"}})
                  .status,
              200);
    EXPECT_TRUE(server.entries(kUser, GDataEntryBase::Kind::Contact)->entries()[0]->isDeleted());
}

TEST_F(GDataServerTest, Feed_PagesWithNextLinksAndTotal)
{
    server.generateContacts(kUser, 25);
    server.setOptions({{"pageSize", 10}});
    QString next = QStringLiteral("/m8/feeds/contacts/default/full?max-results=2000");
    QStringList titles;
    int pages = 0;
    while (!next.isEmpty()) {
        const GDataFeedPtr page = feed(next);
        EXPECT_EQ(page->totalResults(), 25);
        for (const GDataEntryPtr &e : page->entries())
            titles.append(*e->title());
        next = page->nextLink() ? page->nextLink()->href : QString();
        ++pages;
        ASSERT_LT(pages, 10);
    }
    EXPECT_EQ(pages, 3);
    ASSERT_EQ(titles.size(), 25);
    EXPECT_EQ(titles.front(), QStringLiteral("Contact 00001"));
    EXPECT_EQ(titles.back(), QStringLiteral("Contact 00025"));
    EXPECT_EQ(titles.removeDuplicates(), 0);
}

TEST_F(GDataServerTest, Delete_LeavesATombstoneShownOnlyWithShowDeleted)
{
    const QStringList ids = server.seedContacts(kUser, {contactNamed("Stay"), contactNamed("Go")});
    GDataEntryPtr gone = fetchContact(ids[1]);
    EXPECT_EQ(
        call("DELETE", gone->editLink()->href, {}, {{"If-Match", gone->ETag()->toUtf8()}}).status,
        200);
    EXPECT_EQ(feed(QStringLiteral("/m8/feeds/contacts/default/full"))->entries().size(), 1u);
    const GDataFeedPtr all =
        feed(QStringLiteral("/m8/feeds/contacts/default/full?showdeleted=true"));
    ASSERT_EQ(all->entries().size(), 2u);
    const GDataEntryPtr tombstone = all->entries()[1];
    EXPECT_TRUE(tombstone->isDeleted());
    EXPECT_EQ(tombstone->identifier(), ids[1]);
    EXPECT_FALSE(tombstone->title().has_value());
    EXPECT_GT(tombstone->updatedDate(), gone->updatedDate());
    EXPECT_EQ(call("GET", gone->editLink()->href).status, 404);
}

TEST_F(GDataServerTest, Notes_CarriageReturnsComeBackAsLineFeeds)
{
    GDataEntryPtr contact = contactNamed("Anna");
    contact->setContentWithString(QStringLiteral("one\r\ntwo\rthree"));
    const HttpTestReply reply =
        call("POST", "/m8/feeds/contacts/default/full", atomwriter::entryXML(*contact));
    ASSERT_EQ(reply.status, 201);
    EXPECT_EQ(fetchContact(entry(reply)->identifier())->content(),
              QStringLiteral("one\ntwo\nthree"));
}

TEST_F(GDataServerTest, Identifier_IsFetchableAndMembershipsMustNameGroups)
{
    const QString id = server.seedContacts(kUser, {contactNamed("Anna")}).value(0);
    EXPECT_TRUE(id.startsWith(server.baseUrl().toString()));
    EXPECT_EQ(*entry(call("GET", id))->title(), QStringLiteral("Anna"));

    auto contact = std::static_pointer_cast<GDataEntryContact>(contactNamed("Member"));
    contact->addGroupMembershipInfo(
        {server.baseUrl().toString() + "/m8/feeds/groups/u%40example.com/base/6", false});
    EXPECT_EQ(
        call("POST", "/m8/feeds/contacts/default/full", atomwriter::entryXML(*contact)).status,
        201);
    contact->setGroupMembershipInfos(
        {{server.baseUrl().toString() + "/m8/feeds/groups/u%40example.com/base/999", false}});
    EXPECT_EQ(
        call("POST", "/m8/feeds/contacts/default/full", atomwriter::entryXML(*contact)).status,
        400);
}

TEST_F(GDataServerTest, Photos_PutGetDeleteWithETags)
{
    const QString id = server.seedContacts(kUser, {contactNamed("Anna")}).value(0);
    auto contact = std::static_pointer_cast<GDataEntryContact>(fetchContact(id));
    const QString photoUrl = contact->photoLink()->href;
    EXPECT_FALSE(contact->photoLink()->etag.has_value());
    EXPECT_EQ(call("GET", photoUrl).status, 404);

    const HttpTestReply put =
        call("PUT", photoUrl, "JPEGBYTES", {{"Content-Type", "image/jpeg"}, {"If-Match", "*"}});
    ASSERT_EQ(put.status, 200);
    contact = std::static_pointer_cast<GDataEntryContact>(fetchContact(id));
    const QString etag = contact->photoLink()->etag.value_or(QString());
    EXPECT_FALSE(etag.isEmpty());
    EXPECT_EQ(entry(put)->ETag(), etag);
    EXPECT_EQ(call("GET", photoUrl).body, QByteArray("JPEGBYTES"));

    const QByteArray multipart = "--END\r\nContent-Type: application/atom+xml\r\n\r\n<entry/>\r\n"
                                 "--END\r\nContent-Type: image/png\r\n\r\nPNGBYTES\r\n--END--\r\n";
    EXPECT_EQ(call("PUT", photoUrl, multipart,
                   {{"Content-Type", "multipart/related; boundary=END"}, {"If-Match", "\"old.\""}})
                  .status,
              412);
    EXPECT_EQ(
        call("PUT", photoUrl, multipart,
             {{"Content-Type", "multipart/related; boundary=END"}, {"If-Match", etag.toUtf8()}})
            .status,
        200);
    const HttpTestReply png = call("GET", photoUrl);
    EXPECT_EQ(png.body, QByteArray("PNGBYTES"));
    EXPECT_EQ(png.headers.value("content-type"), QByteArray("image/png"));

    EXPECT_EQ(call("DELETE", photoUrl, {}, {{"If-Match", "*"}}).status, 200);
    EXPECT_EQ(call("GET", photoUrl).status, 404);
    EXPECT_FALSE(std::static_pointer_cast<GDataEntryContact>(fetchContact(id))
                     ->photoLink()
                     ->etag.has_value());
}

TEST_F(GDataServerTest, PhotoOptions_SizeLimitAndUpdatedBump)
{
    const QString id = server.seedContacts(kUser, {contactNamed("Anna")}).value(0);
    const GDataEntryPtr before = fetchContact(id);
    const QString photoUrl = std::static_pointer_cast<GDataEntryContact>(before)->photoLink()->href;
    server.setOptions({{"photoSizeLimit", 4}});
    EXPECT_EQ(call("PUT", photoUrl, "TOOBIG", {{"Content-Type", "image/jpeg"}}).status, 413);
    EXPECT_EQ(call("PUT", photoUrl, "OK", {{"Content-Type", "image/jpeg"}}).status, 200);
    EXPECT_EQ(fetchContact(id)->updatedDate(), before->updatedDate()); // off by default
    server.setOptions({{"photoBumpsUpdated", true}});
    EXPECT_EQ(call("PUT", photoUrl, "NEW", {{"Content-Type", "image/jpeg"}}).status, 200);
    const GDataEntryPtr after = fetchContact(id);
    EXPECT_GT(after->updatedDate(), before->updatedDate());
    EXPECT_NE(after->ETag(), before->ETag());
}

TEST_F(GDataServerTest, Feed_OrderedByLastModifiedWhenAsked)
{
    const QStringList ids =
        server.seedContacts(kUser, {contactNamed("First"), contactNamed("Second")});
    GDataEntryPtr first = fetchContact(ids[0]);
    first->setTitle(QStringLiteral("First, changed"));
    ASSERT_EQ(call("PUT", first->editLink()->href, atomwriter::entryXML(*first)).status, 200);
    const auto titles = [&](const QString &query) {
        QStringList result;
        const GDataFeedPtr page = feed("/m8/feeds/contacts/default/full" + query);
        for (const GDataEntryPtr &e : page->entries())
            result.append(*e->title());
        return result;
    };
    EXPECT_EQ(titles(QString()), QStringList({"First, changed", "Second"}));
    EXPECT_EQ(titles("?orderby=lastmodified&sortorder=ascending"),
              QStringList({"Second", "First, changed"}));
    EXPECT_EQ(titles("?orderby=lastmodified&sortorder=descending"),
              QStringList({"First, changed", "Second"}));
}

TEST_F(GDataServerTest, Reset_ForgetsAccountsAndFaults)
{
    server.seedContacts(kUser, {contactNamed("Anna")});
    server.injectFault(QStringLiteral("/accounts/"), 500, 5);
    server.reset();
    EXPECT_EQ(signIn(kUser, kPassword).status, 403); // no such account any more, and no fault
}

TEST_F(GDataServerTest, Faults_StatusThenNormalAnswerAndDroppedConnection)
{
    server.injectFault(QStringLiteral("/contacts/"), 503, 1);
    EXPECT_EQ(call("GET", QStringLiteral("/m8/feeds/contacts/default/full")).status, 503);
    EXPECT_EQ(call("GET", QStringLiteral("/m8/feeds/contacts/default/full")).status, 200);
    // Qt Network sends an idempotent request again once when the connection closes unanswered.
    server.injectFault(QStringLiteral("/contacts/"), 0, 3, 0, true);
    const HttpTestReply dropped = call("GET", QStringLiteral("/m8/feeds/contacts/default/full"));
    EXPECT_EQ(dropped.status, 0);
    EXPECT_NE(dropped.error, QNetworkReply::NoError);
}

TEST_F(GDataServerTest, ApplyThenDrop_StoresTheEntryAndClosesWithoutAnswer)
{
    server.injectApplyThenDrop(QStringLiteral("/contacts/"), 1, "POST");
    const QByteArray body =
        atomwriter::entryXML(*GDataEntryContact::contactEntryWithTitle(QStringLiteral("Kept")));
    // A plain socket, so that no network layer sends the request a second time.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write("POST /m8/feeds/contacts/default/full HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                 "Authorization: GoogleLogin auth=" +
                 token + "\r\nGData-Version: 2.0\r\nContent-Type: application/atom+xml\r\n" +
                 "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(10000))
        answer += socket.readAll();
    answer += socket.readAll();
    EXPECT_TRUE(answer.isEmpty()) << answer.constData();
    EXPECT_NE(socket.state(), QAbstractSocket::ConnectedState);

    const GDataFeedPtr stored = server.entries(kUser, GDataEntryBase::Kind::Contact);
    ASSERT_EQ(stored->entries().size(), 1u);
    EXPECT_EQ(stored->entries()[0]->title(), QStringLiteral("Kept"));
    // The fault is used up: the next write is answered.
    EXPECT_EQ(call("POST", QStringLiteral("/m8/feeds/contacts/default/full"), body).status, 201);
}

TEST(GDataServerStateTest, StateFile_KeepsAccountsAcrossRestarts)
{
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("account.json"));
    QString id;
    {
        GDataTestServer server;
        ASSERT_TRUE(server.start({QStringLiteral("--state"), state}));
        server.addAccount(kUser, kPassword);
        id = server.seedContacts(kUser, {contactNamed("Kept", {kProperty})}).value(0);
    }
    // The state holds the accounts' passwords.
    EXPECT_EQ(QFileInfo(state).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadUser | QFileDevice::WriteUser);
    GDataTestServer server;
    ASSERT_TRUE(server.start({QStringLiteral("--state"), state, QStringLiteral("--id-base"),
                              id.left(id.indexOf(QLatin1String("/m8/")))}));
    const GDataFeedPtr contacts = server.entries(kUser, GDataEntryBase::Kind::Contact);
    ASSERT_EQ(contacts->entries().size(), 1u);
    EXPECT_EQ(contacts->entries()[0]->identifier(), id);
    EXPECT_EQ(contacts->entries()[0]->title(), QStringLiteral("Kept"));
    EXPECT_EQ(propertyNames(*contacts->entries()[0]), QStringList({kProperty}));
}

// A program's connection still open, with half a request sent, when the server is asked to stop:
// the server ends as asked, and what it held is there at its next start.
TEST(GDataServerStateTest, StateFile_KeepsAccountsWhenStoppedWithAConnectionOpen)
{
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("account.json"));
    {
        GDataTestServer server;
        ASSERT_TRUE(server.start({QStringLiteral("--state"), state}));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server.baseUrl().port());
        ASSERT_TRUE(socket.waitForConnected(5000));
        socket.write("GET /m8/feeds/contacts/default/full HTTP/1.1\r\nHost: 127.0.0.1\r\n");
        ASSERT_TRUE(socket.waitForBytesWritten(5000));
        server.addAccount(kUser, kPassword);
        server.seedContacts(kUser, {contactNamed("Kept", {kProperty})});
        server.stop();
    }
    GDataTestServer server;
    ASSERT_TRUE(server.start({QStringLiteral("--state"), state}));
    const GDataFeedPtr contacts = server.entries(kUser, GDataEntryBase::Kind::Contact);
    ASSERT_TRUE(contacts);
    ASSERT_EQ(contacts->entries().size(), 1u);
    EXPECT_EQ(contacts->entries()[0]->title(), QStringLiteral("Kept"));
}

// A server killed outright keeps what reached its file: the changes get there while it runs, not
// only when it stops. A copy of the file taken then serves them to a second server.
TEST(GDataServerStateTest, StateFile_FollowsChangesWhileTheServerRuns)
{
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("account.json"));
    GDataTestServer server;
    ASSERT_TRUE(server.start({QStringLiteral("--state"), state}));
    server.addAccount(kUser, kPassword);
    const QStringList ids = server.seedContacts(
        kUser, {contactNamed("First", {kProperty}), contactNamed("Second", {kProperty})});
    ASSERT_EQ(ids.size(), 2);
    const auto waitUntilTheFileHolds = [&](const QByteArrayList &parts) {
        QDeadlineTimer deadline(5000);
        for (;;) {
            QFile file(state);
            const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            if (std::all_of(parts.begin(), parts.end(),
                            [&](const QByteArray &part) { return text.contains(part); }) ||
                deadline.hasExpired())
                return;
            QThread::msleep(20);
        }
    };
    // A copy of the file as it stands, served by a second server.
    const auto servedFromACopy = [&](const QString &name) {
        const QString copy = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(state, copy));
        GDataTestServer second;
        EXPECT_TRUE(second.start({QStringLiteral("--state"), copy, QStringLiteral("--id-base"),
                                  ids[0].left(ids[0].indexOf(QLatin1String("/m8/")))}));
        return second.entries(kUser, GDataEntryBase::Kind::Contact);
    };
    waitUntilTheFileHolds({"First", "Second"});
    const GDataFeedPtr contacts = servedFromACopy(QStringLiteral("copy.json"));
    ASSERT_EQ(contacts->entries().size(), 2u);
    EXPECT_EQ(contacts->entries()[0]->title(), QStringLiteral("First"));
    EXPECT_EQ(contacts->entries()[1]->title(), QStringLiteral("Second"));

    // An entry written to the file before is written again once it changes.
    const QByteArray photo = "PHOTO-OF-THE-FIRST";
    const QString photoETag = server.setPhoto(kUser, ids[0], photo);
    waitUntilTheFileHolds({photo.toBase64()});
    const GDataFeedPtr later = servedFromACopy(QStringLiteral("later.json"));
    ASSERT_EQ(later->entries().size(), 2u);
    const auto first = std::static_pointer_cast<GDataEntryContact>(later->entries()[0]);
    ASSERT_TRUE(first->photoLink().has_value());
    EXPECT_EQ(first->photoLink()->etag, photoETag);
}

TEST(GDataServerDemoTest, Demo_AddsAnAccountWithContacts)
{
    GDataTestServer server;
    ASSERT_TRUE(server.start({QStringLiteral("--demo")}));
    EXPECT_FALSE(server.entries(QStringLiteral("demo@example.com"), GDataEntryBase::Kind::Contact)
                     ->entries()
                     .empty());
}

} // namespace
