// The contact service on the People protocol against the loopback server's People face: lists
// followed to the end or failed whole, batches as People calls, one write of an account in flight,
// retries that never send a create twice, token renewal, photos without a token, and lists that
// lag behind the service's own writes.

#include "tests/support/gdatatestserver.h"

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/entries/gdatafeedcontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdatahttpfetcher.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/gdata/people/peoplerecentwrites.h"
#include "tests/support/logcapture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kUser = QStringLiteral("people@example.com");
const QString kClientId = QStringLiteral("tolvane-people.apps.loopback");
const QString kClientSecret = QStringLiteral("people-secret-31c4");
const QString kListPath = QStringLiteral("/v1/people/me/connections");

struct Outcome
{
    bool done = false;
    GDataFeedPtr feed;
    GDataEntryPtr entry;
    std::optional<GDataError> error;
};

bool waitFor(const bool &flag, int timeoutMs = 60000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!flag && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    return flag;
}

QJsonArray requestsOf(const QJsonArray &log, const QString &pathPart)
{
    QJsonArray found;
    for (const QJsonValue &request : log) {
        if (request.toObject().value("url").toString().contains(pathPart))
            found.append(request);
    }
    return found;
}

GDataEntryContactPtr newContact(const QString &name, int batchID)
{
    auto entry = GDataEntryContact::contactEntryWithTitle(name);
    entry->setEmailAddresses(
        {GDataEmail{name + "@people.example", QString(kGDataContactHome), std::nullopt, false}});
    entry->setBatchID(QString::number(batchID));
    entry->setBatchOperation(QString(kGDataBatchOperationInsert));
    return entry;
}

GDataFeedPtr createFeed(const QStringList &names)
{
    GDataFeedPtr feed = GDataFeedContact::contactFeed();
    int id = 1;
    for (const QString &name : names)
        feed->addEntry(newContact(name, id++));
    return feed;
}

QStringList titlesOf(const GDataFeedPtr &feed)
{
    QStringList titles;
    for (const GDataEntryPtr &entry : feed->entries())
        titles.append(entry->title().value_or(QString()));
    titles.sort();
    return titles;
}

class PeopleServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        peoplerecentwrites::forgetAll();
        ASSERT_TRUE(server.start({QStringLiteral("--photo-port"), QStringLiteral("0")}));
        server.addAccount(kUser, QStringLiteral("unused"));
        server.registerOAuthClient(kClientId, kClientSecret);
        minted = server.mintToken(kUser, kClientId);
        service.setProtocol(GDataServiceGoogleContact::Protocol::People);
        service.setBaseUrl(server.baseUrl());
        service.setOAuthClient(kClientId, kClientSecret);
        service.setUserCredentials(kUser,
                                   serializeOAuthCredential({kClientId, minted.refreshToken, {}}));
        GDataServiceGoogleContact::RetryPolicy fast;
        fast.maxRetries = 6;
        fast.delaysMs = {20, 40, 80, 160, 320, 640};
        fast.jitterPercent = 20;
        service.setPeopleRetryPolicy(fast);
        ASSERT_TRUE(stateDir.isValid());
        service.setPeopleStateFile(stateFile());
    }

    QString stateFile() const { return stateDir.filePath("people-sync-tokens.json"); }

    QString heldSyncToken() const
    {
        QFile file(stateFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll())
            .object()
            .value(kUser + "/contacts")
            .toObject()
            .value("token")
            .toString();
    }

    template <typename Send> std::shared_ptr<Outcome> run(Send send)
    {
        auto outcome = std::make_shared<Outcome>();
        auto onFeed = [outcome](const GDataServiceTicketPtr &, const GDataFeedPtr &feed) {
            outcome->feed = feed;
            outcome->done = true;
        };
        auto onEntry = [outcome](const GDataServiceTicketPtr &, const GDataEntryPtr &entry) {
            outcome->entry = entry;
            outcome->done = true;
        };
        auto onError = [outcome](const GDataServiceTicketPtr &, const GDataError &error) {
            outcome->error = error;
            outcome->done = true;
        };
        send(onFeed, onEntry, onError);
        EXPECT_TRUE(waitFor(outcome->done)) << "no completion";
        return outcome;
    }

    std::shared_ptr<Outcome> fetchContacts(bool showDeleted = false)
    {
        auto query = GDataQueryContact::contactQueryWithFeedURL(
            service.feedURL(kGDataGoogleContactDefaultFullFeed));
        query.setShouldShowDeleted(showDeleted);
        return run([&](auto onFeed, auto, auto onError) {
            service.fetchContactQuery(query, nullptr, onFeed, onError);
        });
    }

    QUrl contactBatchURL()
    {
        const auto list = fetchContacts();
        EXPECT_TRUE(list->feed);
        const auto link = list->feed ? list->feed->batchLink() : std::nullopt;
        return link ? link->URL() : QUrl();
    }

    std::shared_ptr<Outcome> batch(const GDataFeed &feed, const QUrl &url)
    {
        return run([&](auto onFeed, auto, auto onError) {
            service.fetchContactBatchFeedWithBatchFeed(feed, url, nullptr, onFeed, onError);
        });
    }

    QStringList serverTitles()
    {
        QStringList titles;
        const GDataFeedPtr stored = server.entries(kUser, GDataEntryBase::Kind::Contact);
        for (const GDataEntryPtr &entry : stored->entries()) {
            if (!entry->isDeleted())
                titles.append(entry->title().value_or(QString()));
        }
        titles.sort();
        return titles;
    }

    void seed(int count)
    {
        std::vector<GDataEntryPtr> contacts;
        for (int i = 0; i < count; ++i)
            contacts.push_back(GDataEntryContact::contactEntryWithTitle(
                QStringLiteral("Seeded %1").arg(i, 2, 10, QLatin1Char('0'))));
        server.seedContacts(kUser, contacts);
    }

    QTemporaryDir stateDir;
    GDataTestServer::MintedToken minted;
    GDataTestServer server;
    GDataServiceGoogleContact service;
};

TEST_F(PeopleServiceTest, FullList_FollowsEveryPageWithTheFieldsAndABearerTokenOnlyThere)
{
    seed(5);
    server.setOptions({{"peoplePageLimit", 2}});
    server.clearRequestLog();
    const auto outcome = fetchContacts();
    ASSERT_FALSE(outcome->error) << outcome->error->description.toStdString();
    ASSERT_EQ(outcome->feed->entries().size(), 5u);
    const QString api = server.baseUrl().toString();
    for (const GDataEntryPtr &entry : outcome->feed->entries())
        EXPECT_TRUE(entry->identifier().startsWith(api + "/v1/people/"));
    // The feed's own links are the layer's form, never sent as such.
    ASSERT_TRUE(outcome->feed->batchLink());
    EXPECT_TRUE(service.isServiceURL(outcome->feed->batchLink()->URL()));
    EXPECT_FALSE(service.isPeopleAPIURL(outcome->feed->batchLink()->URL()));

    const QJsonArray log = server.requestLog();
    const QJsonArray pages = requestsOf(log, kListPath);
    ASSERT_EQ(pages.size(), 3);
    for (const QJsonValue &page : pages) {
        const QString url = page.toObject().value("url").toString();
        EXPECT_TRUE(url.contains("sources=READ_SOURCE_TYPE_CONTACT")) << url.toStdString();
        EXPECT_TRUE(url.contains("pageSize=1000")) << url.toStdString();
        EXPECT_TRUE(url.contains("personFields=names")) << url.toStdString();
        EXPECT_EQ(page.toObject().value("headers").toObject().value("authorization").toString(),
                  QStringLiteral("Bearer <redacted>"));
    }
    // The token and the secret appear nowhere in what the server logged.
    const QString logText = QString::fromUtf8(QJsonDocument(log).toJson());
    EXPECT_FALSE(logText.contains(kClientSecret));
    EXPECT_FALSE(service.requestForURL(QUrl("http://127.0.0.1:1/v1/people/c1"))
                     .hasRawHeader("Authorization"));
}

TEST_F(PeopleServiceTest, FullList_AnUnreadableOrShortListFailsTheWholeFetch)
{
    using Fault = std::function<void(GDataTestServer &)>;
    const auto replaced = [](const QByteArray &body, const QByteArray &type) -> Fault {
        return [body, type](GDataTestServer &s) {
            s.injectReplacedAnswer(kListPath, "pageToken", body, type, 10);
        };
    };
    const auto pageFault = [](GDataTestServer::QueryFault fault, int status) -> Fault {
        return [fault, status](GDataTestServer &s) {
            s.injectQueryFault(kListPath, "pageToken", fault, status, 10);
        };
    };
    struct Case
    {
        const char *name;
        Fault fault;
        int expectedCode;
    };
    const Case cases[] = {
        {"malformed JSON", pageFault(GDataTestServer::QueryFault::MalformedBody, 0),
         kGDataErrorBadResponse},
        {"truncated page", pageFault(GDataTestServer::QueryFault::CutBody, 0), 0},
        {"an HTML page with 200",
         replaced("<html><body>Sign in to continue</body></html>", "text/html"),
         kGDataErrorBadResponse},
        {"a person without resourceName",
         replaced(R"({"connections":[{"etag":"e","names":[{"unstructuredName":"X"}]}],)"
                  R"("totalItems":4})",
                  "application/json"),
         kGDataErrorBadResponse},
        {"fewer persons than totalItems",
         replaced(R"({"connections":[],"totalItems":4})", "application/json"),
         kGDataErrorBadResponse},
        {"server error after its retries", pageFault(GDataTestServer::QueryFault::Status, 500),
         500},
        {"refused page", pageFault(GDataTestServer::QueryFault::Status, 400), 400},
    };
    seed(4);
    server.setOptions({{"peoplePageLimit", 2}});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        server.clearFaults();
        c.fault(server);
        const auto outcome = fetchContacts();
        ASSERT_TRUE(outcome->error);
        if (c.expectedCode != 0)
            EXPECT_EQ(outcome->error->code, c.expectedCode);
        else
            EXPECT_LT(outcome->error->code, 0) << "a network error";
        EXPECT_FALSE(outcome->feed);
    }
    server.clearFaults();
    const auto whole = fetchContacts();
    ASSERT_TRUE(whole->feed);
    EXPECT_EQ(whole->feed->entries().size(), 4u);
}

// The next page is asked for before a page is read; when the page then fails to read, the list
// fails once, and the answer of the page asked ahead is let go.
TEST_F(PeopleServiceTest, FullList_APageAskedAheadOfAnUnreadablePageIsLetGo)
{
    seed(4);
    server.setOptions({{"peoplePageLimit", 2}});
    server.injectReplacedAnswer(
        kListPath, "pageToken",
        R"({"connections":[{"etag":"e"}],"nextPageToken":"ahead","totalItems":4})",
        "application/json", 2);
    server.clearRequestLog();
    auto query = GDataQueryContact::contactQueryWithFeedURL(
        service.feedURL(kGDataGoogleContactDefaultFullFeed));
    int completions = 0;
    bool done = false;
    std::optional<GDataError> error;
    service.fetchContactQuery(
        query, nullptr,
        [&](const GDataServiceTicketPtr &, const GDataFeedPtr &) {
            ++completions;
            done = true;
        },
        [&](const GDataServiceTicketPtr &, const GDataError &failure) {
            ++completions;
            error = failure;
            done = true;
        });
    ASSERT_TRUE(waitFor(done));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, kGDataErrorBadResponse);
    bool askedAhead = false;
    QDeadlineTimer deadline(10000);
    while (!askedAhead && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        askedAhead = !requestsOf(server.requestLog(), "pageToken=ahead").isEmpty();
    }
    EXPECT_TRUE(askedAhead);
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(completions, 1);
}

TEST_F(PeopleServiceTest, Batch_CreatesGoOnceWithOneWriteOfTheAccountInFlight)
{
    const QUrl url = contactBatchURL();
    server.setOptions({{"mutationDelayMs", 300}});
    ASSERT_TRUE(url.isValid());
    const GDataFeedPtr first = createFeed({"Ada", "Ben"});
    const GDataFeedPtr second = createFeed({"Cy", "Dee"});
    auto one = std::make_shared<Outcome>();
    auto two = std::make_shared<Outcome>();
    for (const auto &[feed, outcome] : {std::pair{first, one}, std::pair{second, two}}) {
        auto done = outcome;
        service.fetchContactBatchFeedWithBatchFeed(
            *feed, url, nullptr,
            [done](const GDataServiceTicketPtr &, const GDataFeedPtr &result) {
                done->feed = result;
                done->done = true;
            },
            [done](const GDataServiceTicketPtr &, const GDataError &error) {
                done->error = error;
                done->done = true;
            });
    }
    // A read does not wait behind the writes.
    const auto list = fetchContacts();
    EXPECT_FALSE(list->error);
    EXPECT_FALSE(two->done) << "the list waited for the writes";
    ASSERT_TRUE(waitFor(one->done));
    ASSERT_TRUE(waitFor(two->done));
    ASSERT_TRUE(one->feed && two->feed);
    for (const GDataEntryPtr &entry : one->feed->entries()) {
        ASSERT_TRUE(entry->batchStatus());
        EXPECT_EQ(entry->batchStatus()->code, 201u);
        EXPECT_TRUE(entry->identifier().contains("/v1/people/"));
    }
    EXPECT_EQ(server.mostMutationsInFlight(kUser), 1);
    EXPECT_EQ(serverTitles(), QStringList({"Ada", "Ben", "Cy", "Dee"}));
}

TEST_F(PeopleServiceTest, Batch_CreateAfterAPossibleApplyIsNeverResent)
{
    struct Case
    {
        const char *name;
        std::function<void(GDataTestServer &)> fault;
        QStringList onServer;
    };
    const Case cases[] = {
        {"503", [](GDataTestServer &s) { s.injectFault(":batchCreateContacts", 503, 5); }, {}},
        {"applied then dropped",
         [](GDataTestServer &s) { s.injectApplyThenDrop(":batchCreateContacts"); },
         {"Eve", "Fay"}},
    };
    const QUrl url = contactBatchURL();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        server.reset();
        server.addAccount(kUser, QStringLiteral("unused"));
        server.registerOAuthClient(kClientId, kClientSecret);
        const auto minted = server.mintToken(kUser, kClientId);
        service.setUserCredentials(kUser,
                                   serializeOAuthCredential({kClientId, minted.refreshToken, {}}));
        c.fault(server);
        server.clearRequestLog();
        const auto outcome = batch(*createFeed({"Eve", "Fay"}), url);
        ASSERT_FALSE(outcome->error) << outcome->error->description.toStdString();
        for (const GDataEntryPtr &entry : outcome->feed->entries()) {
            ASSERT_TRUE(entry->batchStatus());
            EXPECT_EQ(entry->batchStatus()->code, 503u);
        }
        EXPECT_EQ(requestsOf(server.requestLog(), ":batchCreateContacts").size(), 1);
        EXPECT_EQ(serverTitles(), c.onServer);
    }
}

TEST_F(PeopleServiceTest, Batch_RefusalsAndStaleDeletesAreStatusesOfTheirOwnEntries)
{
    const QUrl url = contactBatchURL();
    server.refusePeopleBatchEntry(3, 400, QStringLiteral("Invalid e-mail."));
    const auto created = batch(*createFeed({"A0", "A1", "A2", "A3", "A4"}), url);
    ASSERT_FALSE(created->error) << created->error->description.toStdString();
    std::vector<unsigned> codes;
    for (const GDataEntryPtr &entry : created->feed->entries())
        codes.push_back(entry->batchStatus()->code);
    EXPECT_EQ(codes, (std::vector<unsigned>{201, 201, 201, 400, 201}));
    EXPECT_EQ(serverTitles(), QStringList({"A0", "A1", "A2", "A4"}));

    // A0 changes after it was read: its delete is refused and it stays; A1's goes.
    auto changed = std::static_pointer_cast<GDataEntryContact>(created->feed->entries()[0]->copy());
    changed->setTitle(QStringLiteral("A0 changed"));
    const auto update = run([&](auto, auto onEntry, auto onError) {
        service.fetchContactEntryByUpdatingEntry(*changed, changed->editLink()->URL(), nullptr,
                                                 onEntry, onError);
    });
    ASSERT_FALSE(update->error);
    GDataFeedPtr deletes = GDataFeedContact::contactFeed();
    for (size_t i : {0u, 1u}) {
        GDataEntryPtr entry = created->feed->entries()[i]->copy();
        entry->setBatchID(QString::number(i));
        entry->setBatchOperation(QString(kGDataBatchOperationDelete));
        entry->setBatchStatus(std::nullopt);
        deletes->addEntry(entry);
    }
    const auto deleted = batch(*deletes, url);
    ASSERT_FALSE(deleted->error) << deleted->error->description.toStdString();
    EXPECT_EQ(deleted->feed->entries()[0]->batchStatus()->code, 412u);
    EXPECT_EQ(deleted->feed->entries()[1]->batchStatus()->code, 200u);
    EXPECT_EQ(serverTitles(), QStringList({"A0 changed", "A2", "A4"}));
}

TEST_F(PeopleServiceTest, Batch_DeletesSentAgainAfterALostAnswerAreDone)
{
    const QUrl url = contactBatchURL();
    const auto created = batch(*createFeed({"B0", "B1"}), url);
    ASSERT_FALSE(created->error);
    GDataFeedPtr deletes = GDataFeedContact::contactFeed();
    for (size_t i : {0u, 1u}) {
        GDataEntryPtr entry = created->feed->entries()[i]->copy();
        entry->setBatchID(QString::number(i));
        entry->setBatchOperation(QString(kGDataBatchOperationDelete));
        entry->setBatchStatus(std::nullopt);
        entry->setETag(std::nullopt);
        deletes->addEntry(entry);
    }
    server.injectApplyThenDrop(":batchDeleteContacts");
    const auto deleted = batch(*deletes, url);
    ASSERT_FALSE(deleted->error) << deleted->error->description.toStdString();
    for (const GDataEntryPtr &entry : deleted->feed->entries())
        EXPECT_EQ(entry->batchStatus()->code, 200u) << entry->batchStatus()->reason.toStdString();
    EXPECT_TRUE(serverTitles().isEmpty());
}

TEST_F(PeopleServiceTest, Batch_RateLimitIsWaitedOutAndAppliedOnce)
{
    const QUrl url = contactBatchURL();
    server.injectRetryAfter(":batchCreateContacts", 429, "1");
    QElapsedTimer clock;
    clock.start();
    const auto outcome = batch(*createFeed({"Gus"}), url);
    ASSERT_FALSE(outcome->error) << outcome->error->description.toStdString();
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_EQ(outcome->feed->entries().at(0)->batchStatus()->code, 201u);
    EXPECT_EQ(requestsOf(server.requestLog(), ":batchCreateContacts").size(), 2);
    EXPECT_EQ(serverTitles(), QStringList({"Gus"}));
}

TEST_F(PeopleServiceTest, SingleContact_WritesGoAsTheirOwnCallsWithTheETagChecked)
{
    const auto list = fetchContacts();
    ASSERT_TRUE(list->feed && list->feed->postLink());
    server.clearRequestLog();
    auto fresh = GDataEntryContact::contactEntryWithTitle("Jo");
    const auto created = run([&](auto, auto onEntry, auto onError) {
        service.fetchContactEntryByInsertingEntry(*fresh, list->feed->postLink()->URL(), nullptr,
                                                  onEntry, onError);
    });
    ASSERT_FALSE(created->error) << created->error->description.toStdString();
    ASSERT_TRUE(created->entry->ETag());
    EXPECT_EQ(requestsOf(server.requestLog(), "/v1/people:createContact").size(), 1);

    auto renamed = std::static_pointer_cast<GDataEntryContact>(created->entry->copy());
    renamed->setTitle(QStringLiteral("Jo Renamed"));
    const auto updated = run([&](auto, auto onEntry, auto onError) {
        service.fetchContactEntryByUpdatingEntry(*renamed, renamed->editLink()->URL(), nullptr,
                                                 onEntry, onError);
    });
    ASSERT_FALSE(updated->error) << updated->error->description.toStdString();
    EXPECT_EQ(serverTitles(), QStringList({"Jo Renamed"}));
    EXPECT_EQ(requestsOf(server.requestLog(), ":updateContact").size(), 1);

    // The copy read before the rename is stale now: neither its update nor its delete goes.
    const auto staleUpdate = run([&](auto, auto onEntry, auto onError) {
        service.fetchContactEntryByUpdatingEntry(*created->entry, renamed->editLink()->URL(),
                                                 nullptr, onEntry, onError);
    });
    ASSERT_TRUE(staleUpdate->error);
    EXPECT_EQ(staleUpdate->error->code, 412);
    const auto staleDelete = run([&](auto, auto onEntry, auto onError) {
        service.deleteEntry(*created->entry, nullptr, onEntry, onError);
    });
    ASSERT_TRUE(staleDelete->error);
    EXPECT_EQ(staleDelete->error->code, 412);
    EXPECT_EQ(serverTitles(), QStringList({"Jo Renamed"}));
    EXPECT_EQ(requestsOf(server.requestLog(), ":deleteContact").size(), 0);

    const auto deleted = run([&](auto, auto onEntry, auto onError) {
        service.deleteEntry(*updated->entry, nullptr, onEntry, onError);
    });
    ASSERT_FALSE(deleted->error) << deleted->error->description.toStdString();
    EXPECT_TRUE(serverTitles().isEmpty());
}

TEST_F(PeopleServiceTest, Entry_FetchedByItsIdentifierOfItsOwnKindOnly)
{
    seed(1);
    const auto list = fetchContacts();
    ASSERT_TRUE(list->feed);
    const QString identifier = list->feed->entries().at(0)->identifier();
    const auto fetch = [&](const QString &url, GDataEntryBase::Kind kind) {
        return run([&](auto, auto onEntry, auto onError) {
            service.fetchAuthenticatedEntryWithURL(QUrl(url), kind, nullptr, onEntry, onError);
        });
    };
    const auto contact = fetch(identifier, GDataEntryBase::Kind::Contact);
    ASSERT_FALSE(contact->error) << contact->error->description.toStdString();
    EXPECT_EQ(contact->entry->identifier(), identifier);
    EXPECT_EQ(contact->entry->title(), QStringLiteral("Seeded 00"));

    const auto wrongKind = fetch(identifier, GDataEntryBase::Kind::ContactGroup);
    ASSERT_TRUE(wrongKind->error);
    EXPECT_EQ(wrongKind->error->code, kGDataErrorBadURL);
    const auto missing = fetch(identifier + "404", GDataEntryBase::Kind::Contact);
    ASSERT_TRUE(missing->error);
    EXPECT_EQ(missing->error->code, 404);
}

TEST_F(PeopleServiceTest, SingleContact_AWriteResentAfterALostAnswerReportsWhatHappened)
{
    const auto created = batch(*createFeed({"Jay"}), contactBatchURL());
    ASSERT_TRUE(created->feed);
    auto contact = std::static_pointer_cast<GDataEntryContact>(created->feed->entries().at(0));

    // The first update was applied; the one sent again meets its own change as a stale etag.
    auto renamed = std::static_pointer_cast<GDataEntryContact>(contact->copy());
    renamed->setTitle(QStringLiteral("Kim"));
    server.injectApplyThenDrop(":updateContact");
    const auto updated = run([&](auto, auto onEntry, auto onError) {
        service.fetchContactEntryByUpdatingEntry(*renamed, renamed->editLink()->URL(), nullptr,
                                                 onEntry, onError);
    });
    ASSERT_TRUE(updated->error);
    EXPECT_EQ(updated->error->code, 412) << updated->error->description.toStdString();
    EXPECT_EQ(serverTitles(), QStringList({"Kim"}));

    // The first delete was applied; the one sent again finds nothing, which is done.
    server.injectApplyThenDrop(":deleteContact");
    const auto deleted = run([&](auto, auto onEntry, auto onError) {
        service.deleteResourceURL(QUrl(contact->identifier()), std::nullopt, nullptr, onEntry,
                                  onError);
    });
    EXPECT_FALSE(deleted->error) << deleted->error->description.toStdString()
                                 << deleted->error->code;
    EXPECT_EQ(requestsOf(server.requestLog(), ":deleteContact").size(), 2);
    EXPECT_TRUE(serverTitles().isEmpty());
}

TEST_F(PeopleServiceTest, Tokens_A401RenewsOnceAndResendsOnce)
{
    seed(1);
    LogCapture capture;
    ASSERT_FALSE(fetchContacts()->error);
    server.expireTokens(kUser);
    server.clearRequestLog();
    const auto outcome = fetchContacts();
    ASSERT_FALSE(outcome->error) << outcome->error->description.toStdString();
    EXPECT_EQ(outcome->feed->entries().size(), 1u);
    const QJsonArray log = server.requestLog();
    EXPECT_EQ(requestsOf(log, "/token").size(), 1);
    EXPECT_EQ(requestsOf(log, kListPath).size(), 2);

    // A refresh the token endpoint refuses is the refused-account path.
    server.expireTokens(kUser, true);
    const auto refused = fetchContacts();
    ASSERT_TRUE(refused->error);
    EXPECT_EQ(refused->error->code, 403);

    // Neither tokens nor the secret reach a log line.
    const QString lines = capture.lines().join('\n');
    EXPECT_FALSE(lines.isEmpty());
    for (const QString &secret : {minted.refreshToken, minted.accessToken, kClientSecret})
        EXPECT_FALSE(lines.contains(secret)) << lines.toStdString();
}

TEST_F(PeopleServiceTest, Tokens_ARenewedCredentialGoesBackAsTheKeychainItemsNewText)
{
    seed(1);
    server.setOptions({{"rotateRefreshTokens", true}});
    QStringList renewed;
    service.setCredentialRenewed([&](const QString &text) { renewed.append(text); });
    ASSERT_FALSE(fetchContacts()->error);
    ASSERT_EQ(renewed.size(), 1);
    const auto credential = parseOAuthCredential(renewed[0], kClientId);
    ASSERT_TRUE(credential);
    EXPECT_NE(credential->refreshToken, minted.refreshToken);

    // The next process signs in with the new text; the old refresh token is gone.
    GDataServiceGoogleContact next;
    next.setProtocol(GDataServiceGoogleContact::Protocol::People);
    next.setBaseUrl(server.baseUrl());
    next.setOAuthClient(kClientId, kClientSecret);
    next.setUserCredentials(kUser, renewed[0]);
    bool done = false;
    std::optional<GDataError> failure;
    next.fetchContactQuery(
        GDataQueryContact::contactQueryWithFeedURL(
            next.feedURL(kGDataGoogleContactDefaultFullFeed)),
        nullptr, [&](const GDataServiceTicketPtr &, const GDataFeedPtr &) { done = true; },
        [&](const GDataServiceTicketPtr &, const GDataError &error) {
            failure = error;
            done = true;
        });
    ASSERT_TRUE(waitFor(done));
    EXPECT_FALSE(failure);
}

TEST(PeopleServiceEndpoints, GoogleHostsWithoutABaseURLAndTheTokenOnlyForTheAPI)
{
    GDataServiceGoogleContact service;
    service.setProtocol(GDataServiceGoogleContact::Protocol::People);
    EXPECT_EQ(service.peopleAPIRoot(), QStringLiteral("https://people.googleapis.com"));
    EXPECT_EQ(service.feedURL(kGDataGoogleContactDefaultFullFeed).host(),
              QStringLiteral("people.googleapis.com"));
    EXPECT_TRUE(service.isPeopleAPIURL(QUrl("https://people.googleapis.com/v1/people/c1")));
    EXPECT_FALSE(service.isPeopleAPIURL(QUrl("https://lh3.googleusercontent.com/a/photo")));
    EXPECT_FALSE(service.isServiceURL(QUrl("https://lh3.googleusercontent.com/a/photo")));

    service.setBaseUrl(QUrl("http://127.0.0.1:4321"));
    EXPECT_EQ(service.peopleAPIRoot(), QStringLiteral("http://127.0.0.1:4321"));
    // A photo under the API's own host is still no API URL: no token goes with it.
    EXPECT_FALSE(service.isPeopleAPIURL(QUrl("http://127.0.0.1:4321/photos/c1/1")));
    EXPECT_TRUE(service.isPeopleAPIURL(QUrl("http://127.0.0.1:4321/v1/contactGroups")));
}

TEST_F(PeopleServiceTest, Tokens_AnExpiringTokenIsRenewedBetweenPagesWithoutAFailedPage)
{
    seed(6);
    // Tokens that never last the margin are renewed before every page.
    server.setOptions({{"peoplePageLimit", 2}, {"accessTokenLifetime", 1}});
    server.expireTokens(kUser);
    server.clearRequestLog();
    const auto outcome = fetchContacts();
    ASSERT_FALSE(outcome->error) << outcome->error->description.toStdString();
    EXPECT_EQ(outcome->feed->entries().size(), 6u);
    const QJsonArray log = server.requestLog();
    EXPECT_EQ(requestsOf(log, kListPath).size(), 3);
    EXPECT_GE(requestsOf(log, "/token").size(), 3);
}

TEST_F(PeopleServiceTest, ReadYourWrites_ALaggingListShowsWhatWasJustWritten)
{
    seed(1);
    const QUrl url = contactBatchURL();
    server.setOptions({{"listLagMs", 600000}});
    const auto created = batch(*createFeed({"Hal", "Ivy"}), url);
    ASSERT_FALSE(created->error);
    const auto list = fetchContacts();
    ASSERT_FALSE(list->error);
    EXPECT_EQ(titlesOf(list->feed), QStringList({"Hal", "Ivy"}));
    EXPECT_EQ(serverTitles(), QStringList({"Hal", "Ivy", "Seeded 00"}));
}

TEST_F(PeopleServiceTest, Photos_AGIFGoesUpAsJPEGAndTheFetchCarriesNoToken)
{
    seed(1);
    const auto list = fetchContacts();
    ASSERT_FALSE(list->error);
    const auto contact = std::static_pointer_cast<GDataEntryContact>(list->feed->entries().at(0));
    ASSERT_TRUE(contact->photoLink());

    // One red pixel; Qt reads GIF but cannot write it.
    const QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                         ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;",
                         35);
    ASSERT_FALSE(QImage::fromData(gif).isNull());
    GDataEntryContact upload;
    upload.setUploadData(gif);
    upload.setUploadMIMEType(QStringLiteral("image/gif"));
    const auto uploaded = run([&](auto, auto onEntry, auto onError) {
        service.fetchContactEntryByUpdatingEntry(upload, contact->photoLink()->URL(), nullptr,
                                                 onEntry, onError);
    });
    ASSERT_FALSE(uploaded->error) << uploaded->error->description.toStdString();
    const auto photo = std::static_pointer_cast<GDataEntryContact>(uploaded->entry)->photoLink();
    ASSERT_TRUE(photo && photo->etag);
    EXPECT_EQ(photo->URL().port(), server.photoPort());

    server.clearRequestLog();
    GDataHTTPFetcher fetcher(service.networkAccessManager());
    bool fetched = false;
    QByteArray bytes;
    fetcher.beginFetch(
        service.requestForURL(photo->URL()),
        [&](GDataHTTPFetcher *, const QByteArray &data) {
            bytes = data;
            fetched = true;
        },
        [&](GDataHTTPFetcher *, int, const QByteArray &) { fetched = true; },
        [&](GDataHTTPFetcher *, const GDataError &) { fetched = true; });
    ASSERT_TRUE(waitFor(fetched));
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8\xFF")) << "not a JPEG";
    const QJsonArray photoRequests = requestsOf(server.requestLog(), "/photos/");
    ASSERT_EQ(photoRequests.size(), 1);
    EXPECT_FALSE(photoRequests[0].toObject().value("headers").toObject().contains("authorization"));

    // The photo ETag cannot be checked by Google's photo calls: the delete goes without it.
    const auto removed = run([&](auto, auto onEntry, auto onError) {
        service.deleteResourceURL(photo->URL(), photo->etag, nullptr, onEntry, onError);
    });
    ASSERT_FALSE(removed->error) << removed->error->description.toStdString();
    EXPECT_EQ(requestsOf(server.requestLog(), ":deleteContactPhoto").size(), 1);
    const QJsonObject person = server.peopleJson(kUser, contact->identifier().section('/', -1));
    EXPECT_TRUE(person.value("photos").toArray().at(0).toObject().value("default").toBool());
}

TEST_F(PeopleServiceTest, Groups_MyContactsAndUserGroupsOnlyEachWriteARequestOfItsOwn)
{
    server.seedGroups(kUser, {GDataEntryContactGroup::contactGroupEntryWithTitle("Team")});
    const auto groupsQuery = GDataQueryContact::contactQueryWithFeedURL(
        service.feedURL(kGDataGoogleContactGroupDefaultFullFeed));
    const auto list = run([&](auto onFeed, auto, auto onError) {
        service.fetchContactQuery(groupsQuery, nullptr, onFeed, onError);
    });
    ASSERT_FALSE(list->error) << list->error->description.toStdString();
    EXPECT_EQ(titlesOf(list->feed), QStringList({"System Group: My Contacts", "Team"}));
    ASSERT_TRUE(list->feed->batchLink());

    GDataFeedPtr feed = GDataFeedContactGroup::contactGroupFeed();
    for (const char *title : {"Band", "Club"}) {
        auto group = GDataEntryContactGroup::contactGroupEntryWithTitle(QString(title));
        group->setBatchID(QString(title));
        group->setBatchOperation(QString(kGDataBatchOperationInsert));
        feed->addEntry(group);
    }
    server.clearRequestLog();
    const auto written = batch(*feed, list->feed->batchLink()->URL());
    ASSERT_FALSE(written->error) << written->error->description.toStdString();
    for (const GDataEntryPtr &entry : written->feed->entries())
        EXPECT_EQ(entry->batchStatus()->code, 201u);
    int creates = 0;
    for (const QJsonValue &request : server.requestLog())
        creates += request.toObject().value("method").toString() == "POST" &&
                   request.toObject().value("url").toString() == "/v1/contactGroups";
    EXPECT_EQ(creates, 2);
    const auto again = run([&](auto onFeed, auto, auto onError) {
        service.fetchContactQuery(groupsQuery, nullptr, onFeed, onError);
    });
    ASSERT_TRUE(again->feed);
    EXPECT_EQ(titlesOf(again->feed),
              QStringList({"Band", "Club", "System Group: My Contacts", "Team"}));

    // A group goes alone, its members staying contacts.
    const GDataEntryPtr band = written->feed->entries().at(0);
    const auto removed = run([&](auto, auto onEntry, auto onError) {
        service.deleteEntry(*band, nullptr, onEntry, onError);
    });
    ASSERT_FALSE(removed->error) << removed->error->description.toStdString();
    EXPECT_EQ(requestsOf(server.requestLog(), "deleteContacts=false").size(), 1);
    const auto last = run([&](auto onFeed, auto, auto onError) {
        service.fetchContactQuery(groupsQuery, nullptr, onFeed, onError);
    });
    ASSERT_TRUE(last->feed);
    EXPECT_EQ(titlesOf(last->feed), QStringList({"Club", "System Group: My Contacts", "Team"}));
}

TEST_F(PeopleServiceTest, SyncTokens_ShowDeletedAddsTombstonesSinceTheHeldToken)
{
    seed(3);
    server.clearRequestLog();
    const auto first = fetchContacts(true);
    ASSERT_FALSE(first->error);
    ASSERT_EQ(first->feed->entries().size(), 3u);
    const QString token = heldSyncToken();
    EXPECT_FALSE(token.isEmpty());
    EXPECT_EQ(requestsOf(server.requestLog(), "requestSyncToken=true").size(), 1);

    const QString gone = first->feed->entries().at(0)->identifier();
    const auto deleted = run([&](auto, auto onEntry, auto onError) {
        service.deleteResourceURL(QUrl(gone), std::nullopt, nullptr, onEntry, onError);
    });
    ASSERT_FALSE(deleted->error);
    server.clearRequestLog();
    const auto second = fetchContacts(true);
    ASSERT_FALSE(second->error);
    ASSERT_EQ(second->feed->entries().size(), 3u);
    int tombstones = 0;
    for (const GDataEntryPtr &entry : second->feed->entries()) {
        if (entry->isDeleted()) {
            ++tombstones;
            EXPECT_EQ(entry->identifier(), gone);
        }
    }
    EXPECT_EQ(tombstones, 1);
    // The held token is young: the incremental list uses it, the full list asks for none.
    const QJsonArray log = server.requestLog();
    EXPECT_EQ(requestsOf(log, "syncToken=").size(), 1);
    EXPECT_EQ(requestsOf(log, "requestSyncToken=true").size(), 0);
    EXPECT_EQ(heldSyncToken(), token);
}

TEST_F(PeopleServiceTest, SyncTokens_AnExpiredTokenGivesAFullListAndANewTokenWithoutAnError)
{
    seed(2);
    ASSERT_FALSE(fetchContacts(true)->error);
    const QString old = heldSyncToken();
    ASSERT_FALSE(old.isEmpty());
    const auto doomed = fetchContacts();
    ASSERT_TRUE(doomed->feed);
    const auto deleted = run([&](auto, auto onEntry, auto onError) {
        service.deleteResourceURL(QUrl(doomed->feed->entries().at(0)->identifier()), std::nullopt,
                                  nullptr, onEntry, onError);
    });
    ASSERT_FALSE(deleted->error);
    server.expireSyncTokens();
    server.clearRequestLog();

    LogCapture log;
    const auto outcome = fetchContacts(true);
    ASSERT_FALSE(outcome->error) << outcome->error->description.toStdString();
    ASSERT_EQ(outcome->feed->entries().size(), 1u);
    EXPECT_FALSE(outcome->feed->entries().at(0)->isDeleted());
    EXPECT_EQ(requestsOf(server.requestLog(), "requestSyncToken=true").size(), 1);
    EXPECT_FALSE(heldSyncToken().isEmpty());
    EXPECT_NE(heldSyncToken(), old);
    EXPECT_TRUE(log.lines().join('\n').contains("sync token of the contact list expired"))
        << log.lines().join('\n').toStdString();
}

} // namespace
