// The client against the loopback server: sign-in, feeds, entries, batches, photos, and every
// failure arriving as a clear error, never as success or as an empty feed.

#include "tests/support/gdatatestserver.h"

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdatahttpfetcher.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace {

const QString kUser = QStringLiteral("u@example.com");
const QString kPassword = QStringLiteral("secret");

// What one request ended with.
struct Outcome
{
    bool done = false;
    bool finishedInsideCall = false;
    GDataFeedPtr feed;
    GDataEntryPtr entry;
    std::optional<GDataError> error;
    GDataServiceTicketPtr ticket;
};

GDataEntryContactPtr contactNamed(const QString &name)
{
    return GDataEntryContact::contactEntryWithTitle(name);
}

int countRequests(const QJsonArray &log, const QString &method, const QString &pathPart)
{
    int count = 0;
    for (const QJsonValue &request : log) {
        const QJsonObject object = request.toObject();
        count += object.value("method").toString() == method &&
                         object.value("url").toString().contains(pathPart)
                     ? 1
                     : 0;
    }
    return count;
}

class GDataServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        server.addAccount(kUser, kPassword);
        service.setBaseUrl(server.baseUrl());
        service.setUserAgent(QStringLiteral("zel-tor-Tolvane-1.0"));
        service.setUserCredentials(kUser, kPassword);
        GDataServiceGoogleContact::RetryPolicy fast;
        fast.delaysMs = {50, 100};
        service.setRetryPolicy(fast);
    }

    // Runs the event loop until the outcome is in, as the engine's waits do.
    void wait(const std::shared_ptr<Outcome> &outcome, int timeoutMs = 90000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!outcome->done && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        ASSERT_TRUE(outcome->done) << "no completion";
    }

    template <typename Send> std::shared_ptr<Outcome> run(Send send)
    {
        auto outcome = std::make_shared<Outcome>();
        bool inCall = true;
        auto onFeed = [outcome, &inCall](const GDataServiceTicketPtr &, const GDataFeedPtr &feed) {
            outcome->finishedInsideCall = inCall;
            outcome->feed = feed;
            outcome->done = true;
        };
        auto onEntry = [outcome, &inCall](const GDataServiceTicketPtr &,
                                          const GDataEntryPtr &entry) {
            outcome->finishedInsideCall = inCall;
            outcome->entry = entry;
            outcome->done = true;
        };
        auto onError = [outcome, &inCall](const GDataServiceTicketPtr &, const GDataError &error) {
            outcome->finishedInsideCall = inCall;
            outcome->error = error;
            outcome->done = true;
        };
        outcome->ticket = send(onFeed, onEntry, onError);
        inCall = false;
        wait(outcome);
        EXPECT_FALSE(outcome->finishedInsideCall);
        return outcome;
    }

    std::shared_ptr<Outcome> fetchFeed(const QUrl &feedURL, bool showDeleted = false)
    {
        auto query = GDataQueryContact::contactQueryWithFeedURL(feedURL);
        query.setShouldShowDeleted(showDeleted);
        query.setMaxResults(2000);
        query.setIsAscendingOrder(true);
        return run([&](auto onFeed, auto, auto onError) {
            return service.fetchContactQuery(query, nullptr, onFeed, onError);
        });
    }

    std::shared_ptr<Outcome> fetchContacts(bool showDeleted = false)
    {
        return fetchFeed(service.feedURL(kGDataGoogleContactDefaultFullFeed), showDeleted);
    }

    std::shared_ptr<Outcome> fetchEntry(const QString &identifier)
    {
        return run([&](auto, auto onEntry, auto onError) {
            return service.fetchAuthenticatedEntryWithURL(
                QUrl(identifier), GDataEntryBase::Kind::Contact, nullptr, onEntry, onError);
        });
    }

    std::shared_ptr<Outcome> update(const GDataEntryBase &entry, const QUrl &url)
    {
        return run([&](auto, auto onEntry, auto onError) {
            return service.fetchContactEntryByUpdatingEntry(entry, url, nullptr, onEntry, onError);
        });
    }

    std::shared_ptr<Outcome> batch(const GDataFeed &feed, const QUrl &url)
    {
        return run([&](auto onFeed, auto, auto onError) {
            return service.fetchContactBatchFeedWithBatchFeed(feed, url, nullptr, onFeed, onError);
        });
    }

    QUrl contactBatchURL() const
    {
        return QUrl(service.feedURL(kGDataGoogleContactDefaultFullFeed).toString() + "/batch");
    }

    GDataTestServer server;
    GDataServiceGoogleContact service;
};

TEST_F(GDataServiceTest, SignIn_TokenIsSentAndPasswordNeverLogged)
{
    const auto outcome = fetchContacts();
    ASSERT_FALSE(outcome->error) << outcome->error->description.toStdString();
    EXPECT_EQ(outcome->ticket->statusCode(), 200);
    const QJsonArray log = server.requestLog();
    ASSERT_EQ(log.size(), 2);
    const QJsonObject login = log[0].toObject();
    EXPECT_EQ(login.value("url").toString(), QStringLiteral("/accounts/ClientLogin"));
    EXPECT_TRUE(login.value("body").toString().contains("service=cp"));
    EXPECT_TRUE(login.value("body").toString().contains("source=zel-tor-Tolvane-1.0"));
    const QJsonObject headers = log[1].toObject().value("headers").toObject();
    EXPECT_EQ(headers.value("gdata-version").toString(), QStringLiteral("2.0"));
    EXPECT_EQ(headers.value("authorization").toString(),
              QStringLiteral("GoogleLogin auth=<redacted>"));
    EXPECT_EQ(headers.value("user-agent").toString(), QStringLiteral("zel-tor-Tolvane-1.0"));
}

TEST_F(GDataServiceTest, SignIn_BadPasswordFailsWith403AndTheReason)
{
    service.setUserCredentials(kUser, QStringLiteral("wrong"));
    const auto outcome = fetchContacts();
    ASSERT_TRUE(outcome->error);
    EXPECT_EQ(outcome->error->code, 403);
    EXPECT_EQ(outcome->error->userInfo.value("Error").toString(),
              QStringLiteral("BadAuthentication"));
    EXPECT_FALSE(outcome->feed);

    server.failNextSignIn(QStringLiteral("CaptchaRequired"));
    service.setUserCredentials(kUser, kPassword);
    const auto captcha = fetchContacts();
    ASSERT_TRUE(captcha->error);
    EXPECT_EQ(captcha->error->code, 403);
    EXPECT_EQ(captcha->error->userInfo.value("CaptchaToken").toString(),
              QStringLiteral("captcha-token"));
}

TEST_F(GDataServiceTest, NoServer_FailsAsNotConnected)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    service.setBaseUrl(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port)));
    service.setIsServiceRetryEnabled(false);
    const auto outcome = fetchContacts();
    ASSERT_TRUE(outcome->error);
    EXPECT_EQ(outcome->error->code, kGDataErrorNotConnected);
}

TEST_F(GDataServiceTest, Feed_FollowsNextLinksToTheLastPage)
{
    server.generateContacts(kUser, 5000);
    server.setOptions({{"pageSize", 1000}});
    const auto outcome = fetchContacts();
    ASSERT_FALSE(outcome->error) << outcome->error->description.toStdString();
    ASSERT_EQ(outcome->feed->entries().size(), 5000u);
    EXPECT_EQ(outcome->feed->entries().front()->title(), QStringLiteral("Contact 00001"));
    EXPECT_EQ(outcome->feed->entries().back()->title(), QStringLiteral("Contact 05000"));
    EXPECT_EQ(outcome->feed->totalResults(), 5000);
    EXPECT_TRUE(outcome->feed->batchLink().has_value());
    EXPECT_TRUE(outcome->feed->postLink().has_value());
    EXPECT_FALSE(outcome->feed->nextLink().has_value());
    EXPECT_EQ(countRequests(server.requestLog(), "GET", "/m8/feeds/contacts/"), 5);
}

TEST_F(GDataServiceTest, Feed_APageThatFailsFailsTheWholeFetch)
{
    server.generateContacts(kUser, 30);
    server.setOptions({{"pageSize", 10}});
    service.setIsServiceRetryEnabled(false);
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 0, 1); // first page answers normally
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 500, 1);
    const auto outcome = fetchContacts();
    ASSERT_TRUE(outcome->error);
    EXPECT_EQ(outcome->error->code, 500);
    EXPECT_FALSE(outcome->feed);
}

TEST_F(GDataServiceTest, Feed_ShowDeletedBringsTombstones)
{
    server.seedContacts(kUser, {contactNamed("Stay"), contactNamed("Go")});
    const auto all = fetchContacts();
    ASSERT_FALSE(all->error);
    const GDataEntryPtr gone = all->feed->entries()[1];
    const auto removed = run([&](auto, auto onEntry, auto onError) {
        return service.deleteEntry(*gone, nullptr, onEntry, onError);
    });
    ASSERT_FALSE(removed->error);
    EXPECT_FALSE(removed->entry);
    EXPECT_EQ(fetchContacts()->feed->entries().size(), 1u);
    const auto withDeleted = fetchContacts(true);
    ASSERT_EQ(withDeleted->feed->entries().size(), 2u);
    EXPECT_TRUE(withDeleted->feed->entries()[1]->isDeleted());
    EXPECT_EQ(withDeleted->feed->entries()[1]->identifier(), gone->identifier());
    const QJsonArray log = server.requestLog();
    EXPECT_EQ(countRequests(log, "GET", "showdeleted=true"), 1);
    EXPECT_EQ(countRequests(log, "GET", "max-results=2000"), 3);
}

TEST_F(GDataServiceTest, Entry_FetchedByItsIdentifier)
{
    const QString id = server.seedContacts(kUser, {contactNamed("Anna")}).value(0);
    const auto outcome = fetchEntry(id);
    ASSERT_FALSE(outcome->error);
    EXPECT_EQ(outcome->entry->title(), QStringLiteral("Anna"));
    EXPECT_EQ(outcome->entry->identifier(), id);
    const auto missing = fetchEntry(id + "0");
    ASSERT_TRUE(missing->error);
    EXPECT_EQ(missing->error->code, 404);
}

TEST_F(GDataServiceTest, InsertUpdateDelete_WithETags)
{
    auto contact = contactNamed("Anna");
    contact->setContentWithString(QStringLiteral("note"));
    const auto inserted = run([&](auto, auto onEntry, auto onError) {
        return service.fetchContactEntryByInsertingEntry(
            *contact, service.feedURL(kGDataGoogleContactDefaultFullFeed), nullptr, onEntry,
            onError);
    });
    ASSERT_FALSE(inserted->error);
    EXPECT_EQ(inserted->ticket->statusCode(), 201);
    GDataEntryPtr stored = inserted->entry;
    ASSERT_TRUE(stored->editLink().has_value());
    ASSERT_TRUE(stored->ETag().has_value());

    GDataEntryPtr changed = stored->copy();
    changed->setTitle(QStringLiteral("Anna Smith"));
    const auto updated = update(*changed, changed->editLink()->URL());
    ASSERT_FALSE(updated->error);
    EXPECT_EQ(updated->entry->title(), QStringLiteral("Anna Smith"));
    EXPECT_NE(updated->entry->ETag(), stored->ETag());
    EXPECT_EQ(server.requestLog().last().toObject().value("headers").toObject().value("if-match"),
              *stored->ETag());

    // The entry read before the update is stale now.
    const auto stale = update(*stored, stored->editLink()->URL());
    ASSERT_TRUE(stale->error);
    EXPECT_EQ(stale->error->code, 412);
    EXPECT_FALSE(stale->entry);
    const auto staleDelete = run([&](auto, auto onEntry, auto onError) {
        return service.deleteEntry(*stored, nullptr, onEntry, onError);
    });
    ASSERT_TRUE(staleDelete->error);
    EXPECT_EQ(staleDelete->error->code, 412);

    const auto removed = run([&](auto, auto onEntry, auto onError) {
        return service.deleteEntry(*updated->entry, nullptr, onEntry, onError);
    });
    EXPECT_FALSE(removed->error);
    EXPECT_TRUE(fetchContacts()->feed->entries().empty());
}

TEST_F(GDataServiceTest, StaleUpdate_FailsWithTheServersConflictStatus)
{
    for (const int conflict : {409, 412}) {
        server.setOptions({{"conflictStatus", conflict}});
        const QString id = server.seedContacts(kUser, {contactNamed("Anna")}).value(0);
        GDataEntryPtr stale = fetchEntry(id)->entry;
        stale->setETag(QStringLiteral("\"outdated.\""));
        const auto outcome = update(*stale, stale->editLink()->URL());
        ASSERT_TRUE(outcome->error);
        EXPECT_EQ(outcome->error->code, conflict);
        EXPECT_EQ(outcome->ticket->statusCode(), conflict);
        EXPECT_FALSE(outcome->entry);
    }
}

TEST_F(GDataServiceTest, Batch_MixedResultsOutOfOrderAreMatchedByBatchId)
{
    const QStringList ids = server.seedContacts(kUser, {contactNamed("One"), contactNamed("Two")});
    const auto current = fetchContacts();
    ASSERT_FALSE(current->error);
    server.setOptions({{"reverseBatchResults", true}});

    GDataFeedPtr request = GDataFeedContact::contactFeed();
    auto add = [&](GDataEntryPtr entry, const char *batchId, const char *operation) {
        entry->setBatchID(GDataBatchID::batchIDWithString(QString::fromLatin1(batchId)));
        entry->setBatchOperation(
            GDataBatchOperation::batchOperationWithType(QString::fromLatin1(operation)));
        request->addEntry(entry);
    };
    add(contactNamed("New"), "insert", kGDataBatchOperationInsert);
    GDataEntryPtr one = current->feed->entries()[0]->copy();
    one->setTitle(QStringLiteral("One changed"));
    add(one, "update", kGDataBatchOperationUpdate);
    auto badGroup = contactNamed("Bad group");
    badGroup->addGroupMembershipInfo(
        GDataGroupMembershipInfo::groupMembershipInfoWithHref(QString()));
    add(badGroup, "bad", kGDataBatchOperationInsert);
    GDataEntryPtr missing = contactNamed("Missing");
    missing->setIdentifier(ids[1] + "77");
    add(missing, "missing", kGDataBatchOperationDelete);
    GDataEntryPtr stale = current->feed->entries()[1]->copy();
    stale->setETag(QStringLiteral("\"stale.\""));
    add(stale, "stale", kGDataBatchOperationUpdate);

    const auto outcome = batch(*request, contactBatchURL());
    ASSERT_FALSE(outcome->error);
    QHash<QString, unsigned> codes;
    for (const GDataEntryPtr &result : outcome->feed->entries())
        codes.insert(result->batchID().value_or(QString()), result->batchStatus()->code);
    EXPECT_EQ(
        codes,
        (QHash<QString, unsigned>{
            {"insert", 201}, {"update", 200}, {"bad", 400}, {"missing", 404}, {"stale", 412}}));
    EXPECT_EQ(outcome->feed->entries().front()->batchID(), QStringLiteral("stale"));
}

TEST_F(GDataServiceTest, Batch_BodyIsTheFeedAsItWasWhenSent)
{
    GDataFeedPtr request = GDataFeedContact::contactFeed();
    request->setBatchOperation(QString::fromLatin1(kGDataBatchOperationInsert));
    auto entry = contactNamed("As sent");
    entry->setBatchID(QStringLiteral("b1"));
    request->addEntry(entry);
    auto outcome = std::make_shared<Outcome>();
    service.fetchContactBatchFeedWithBatchFeed(
        *request, contactBatchURL(), nullptr,
        [outcome](const auto &, const GDataFeedPtr &feed) {
            outcome->feed = feed;
            outcome->done = true;
        },
        [outcome](const auto &, const GDataError &error) {
            outcome->error = error;
            outcome->done = true;
        });
    // The caller goes on changing its live entries, as the batch engine does.
    entry->setTitle(QStringLiteral("Changed after sending"));
    request->setEntriesWithEntries({});
    wait(outcome);
    ASSERT_FALSE(outcome->error);
    ASSERT_EQ(outcome->feed->entries().size(), 1u);
    EXPECT_EQ(outcome->feed->entries()[0]->title(), QStringLiteral("As sent"));
}

TEST_F(GDataServiceTest, Photo_PutGetDeleteWithETags)
{
    server.seedContacts(kUser, {contactNamed("Anna")});
    auto contact =
        std::dynamic_pointer_cast<GDataEntryContact>(fetchContacts()->feed->entries()[0]);
    const GDataLink link = *contact->photoLink();
    EXPECT_FALSE(link.ETag().has_value());

    std::vector<std::pair<quint64, quint64>> progress;
    service.setServiceUploadProgressHandler([&progress](const auto &, quint64 sent, quint64 total) {
        progress.emplace_back(sent, total);
    });
    auto photoEntry = contactNamed("UploadingPhoto Anna");
    photoEntry->setUploadData(QByteArray(2048, 'J'));
    photoEntry->setUploadMIMEType(QStringLiteral("image/jpeg"));
    photoEntry->setUploadSlug(QStringLiteral("photo.jpg"));
    photoEntry->setShouldUploadDataOnly(false);
    const auto uploaded = update(*photoEntry, link.URL());
    ASSERT_FALSE(uploaded->error) << uploaded->error->description.toStdString();
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back().first, progress.back().second);
    const QJsonObject put = server.requestLog().last().toObject();
    EXPECT_EQ(put.value("headers").toObject().value("if-match").toString(), QStringLiteral("*"));
    EXPECT_EQ(put.value("headers").toObject().value("slug").toString(),
              QStringLiteral("photo.jpg"));

    contact = std::dynamic_pointer_cast<GDataEntryContact>(fetchContacts()->feed->entries()[0]);
    const auto etag = contact->photoLink()->ETag();
    ASSERT_TRUE(etag.has_value());

    auto fetched = std::make_shared<Outcome>();
    QByteArray bytes;
    GDataHTTPFetcher fetcher(service.networkAccessManager());
    QNetworkRequest request = service.requestForURL(contact->photoLink()->URL(), etag);
    request.setRawHeader("Accept", "image/*");
    ASSERT_TRUE(fetcher.beginFetch(
        request, [&](auto *, const QByteArray &data) { bytes = data, fetched->done = true; },
        [&](auto *, int status, const QByteArray &) {
            fetched->error = GDataError{status, {}, {}, {}}, fetched->done = true;
        },
        [&](auto *, const GDataError &error) { fetched->error = error, fetched->done = true; }));
    wait(fetched);
    EXPECT_FALSE(fetched->error);
    EXPECT_EQ(bytes, QByteArray(2048, 'J'));

    // A stale photo ETag is refused; the current one deletes.
    auto raw = contactNamed("raw");
    raw->setUploadData("PNG");
    raw->setUploadMIMEType(QStringLiteral("image/png"));
    raw->setShouldUploadDataOnly(true);
    raw->setETag(QStringLiteral("\"old.\""));
    const auto refused = update(*raw, link.URL());
    ASSERT_TRUE(refused->error);
    EXPECT_EQ(refused->error->code, 412);
    const auto removed = run([&](auto, auto onEntry, auto onError) {
        return service.deleteResourceURL(link.URL(), etag, nullptr, onEntry, onError);
    });
    EXPECT_FALSE(removed->error);
    contact = std::dynamic_pointer_cast<GDataEntryContact>(fetchContacts()->feed->entries()[0]);
    EXPECT_FALSE(contact->photoLink()->ETag().has_value());
}

TEST_F(GDataServiceTest, Unauthorised_SignsInAgainOnceThenFails)
{
    ASSERT_FALSE(fetchContacts()->error);
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 401, 1);
    const auto recovered = fetchContacts();
    EXPECT_FALSE(recovered->error);
    EXPECT_EQ(countRequests(server.requestLog(), "POST", "/accounts/ClientLogin"), 2);

    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 401, 2);
    const auto refused = fetchContacts();
    ASSERT_TRUE(refused->error);
    EXPECT_EQ(refused->error->code, 401);
    EXPECT_FALSE(refused->feed);
}

TEST_F(GDataServiceTest, Unavailable_RetriedForReadsButNeverForPosts)
{
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 503, 2, 0, false, "GET");
    const auto recovered = fetchContacts();
    EXPECT_FALSE(recovered->error);
    EXPECT_EQ(countRequests(server.requestLog(), "GET", "/m8/feeds/contacts/"), 3);

    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 503, 3, 0, false, "GET");
    const auto exhausted = fetchContacts();
    ASSERT_TRUE(exhausted->error);
    EXPECT_EQ(exhausted->error->code, 503);

    server.clearRequestLog();
    server.injectFault(QStringLiteral("/batch"), 503, 1);
    GDataFeedPtr request = GDataFeedContact::contactFeed();
    request->addEntry(contactNamed("Once"));
    const auto posted = batch(*request, contactBatchURL());
    ASSERT_TRUE(posted->error);
    EXPECT_EQ(posted->error->code, 503);
    EXPECT_EQ(posted->ticket->statusCode(), 503);
    EXPECT_EQ(countRequests(server.requestLog(), "POST", "/batch"), 1);
}

TEST_F(GDataServiceTest, DroppedConnection_IsConnectionLostAndAPostIsNotRetriedByTheLayer)
{
    ASSERT_FALSE(fetchContacts()->error);
    server.clearRequestLog();
    server.injectFault(QStringLiteral("/batch"), 0, 5, 0, true);
    GDataFeedPtr request = GDataFeedContact::contactFeed();
    request->addEntry(contactNamed("Once"));
    const auto posted = batch(*request, contactBatchURL());
    ASSERT_TRUE(posted->error);
    EXPECT_EQ(posted->error->code, kGDataErrorConnectionLost);
    // Neither Qt Network's own resend of a request whose connection closed unanswered nor the
    // layer's retry policy (on here) sends a POST a second time.
    EXPECT_EQ(countRequests(server.requestLog(), "POST", "/batch"), 1);
}

TEST_F(GDataServiceTest, AppliedThenDropped_BatchFailsAndIsAppliedOnce)
{
    ASSERT_FALSE(fetchContacts()->error);
    server.clearRequestLog();
    // One fault only: a second sending of the batch would be answered, and reported as success.
    server.injectApplyThenDrop(QStringLiteral("/batch"), 1, "POST");
    GDataFeedPtr request = GDataFeedContact::contactFeed();
    request->addEntry(contactNamed("Once"));
    const auto posted = batch(*request, contactBatchURL());
    ASSERT_TRUE(posted->error);
    EXPECT_EQ(posted->error->code, kGDataErrorConnectionLost);
    EXPECT_EQ(countRequests(server.requestLog(), "POST", "/batch"), 1);
    EXPECT_EQ(server.entries(kUser, GDataEntryBase::Kind::Contact)->entries().size(), 1u);

    // The connection after the fault serves the next request as usual.
    const auto next = batch(*request, contactBatchURL());
    EXPECT_FALSE(next->error);
}

TEST_F(GDataServiceTest, TooManyRequests_WaitsAsTheServerAsksThenSendsAgain)
{
    ASSERT_FALSE(fetchContacts()->error); // signed in
    server.clearRequestLog();
    for (const int status : {429, 503}) {
        server.injectRetryAfter(QStringLiteral("/m8/feeds/contacts/"), status, "1", 1, "GET");
        QElapsedTimer clock;
        clock.start();
        const auto read = fetchContacts();
        EXPECT_FALSE(read->error) << status;
        EXPECT_GE(clock.elapsed(), 1000) << status;
    }
    EXPECT_EQ(countRequests(server.requestLog(), "GET", "/m8/feeds/contacts/"), 4);

    // A rate limit turns a batch away before serving it: it goes again, and is applied once.
    server.clearRequestLog();
    server.injectRetryAfter(QStringLiteral("/batch"), 429, "0", 1, "POST");
    GDataFeedPtr request = GDataFeedContact::contactFeed();
    request->addEntry(contactNamed("Limited"));
    const auto posted = batch(*request, contactBatchURL());
    EXPECT_FALSE(posted->error);
    EXPECT_EQ(countRequests(server.requestLog(), "POST", "/batch"), 2);
    EXPECT_EQ(server.entries(kUser, GDataEntryBase::Kind::Contact)->entries().size(), 1u);
}

TEST_F(GDataServiceTest, TooManyRequests_AWaitLongerThanAllowedFailsAtOnce)
{
    ASSERT_FALSE(fetchContacts()->error);
    server.clearRequestLog();
    server.injectRetryAfter(QStringLiteral("/m8/feeds/contacts/"), 429, "3600", 3, "GET");
    QElapsedTimer clock;
    clock.start();
    const auto read = fetchContacts();
    ASSERT_TRUE(read->error);
    EXPECT_EQ(read->error->code, 429);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(countRequests(server.requestLog(), "GET", "/m8/feeds/contacts/"), 1);
}

TEST_F(GDataServiceTest, BodyCutShort_IsAnErrorNeverAShortFeed)
{
    server.generateContacts(kUser, 40);
    ASSERT_FALSE(fetchContacts()->error);
    // Once: the read is sent again and comes whole.
    server.injectCutBody(QStringLiteral("/m8/feeds/contacts/"), 1, "GET");
    const auto retried = fetchContacts();
    ASSERT_FALSE(retried->error);
    EXPECT_EQ(retried->feed->entries().size(), 40u);
    // Every time: the fetch fails; no feed with the entries that came is handed on.
    server.injectCutBody(QStringLiteral("/m8/feeds/contacts/"), 20, "GET");
    const auto failed = fetchContacts();
    ASSERT_TRUE(failed->error);
    EXPECT_EQ(failed->error->code, kGDataErrorConnectionLost);
    EXPECT_FALSE(failed->feed);
}

TEST_F(GDataServiceTest, SlowAnswer_TimesOut)
{
    ASSERT_FALSE(fetchContacts()->error); // signed in before the short timeout applies
    service.setRequestTimeoutMs(300);
    service.setIsServiceRetryEnabled(false);
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 0, 1, 2000);
    const auto outcome = fetchContacts();
    ASSERT_TRUE(outcome->error);
    EXPECT_EQ(outcome->error->code, kGDataErrorTimedOut);
    EXPECT_FALSE(outcome->feed);
}

TEST_F(GDataServiceTest, NonAtomAnswer_IsAnErrorNotAnEmptyFeed)
{
    // A 200 whose body is not Atom, as a proxy's page would be.
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 200, 1);
    const auto outcome = fetchContacts();
    ASSERT_TRUE(outcome->error);
    EXPECT_EQ(outcome->error->code, kGDataErrorBadResponse);
    EXPECT_FALSE(outcome->feed);
}

TEST_F(GDataServiceTest, UnknownElements_SurviveAnUpdate)
{
    auto contact = contactNamed("Anna");
    contact->addUnknownElement(
        R"(<gContact:birthday xmlns:gContact="http://schemas.google.com/contact/2008" when="1970-03-14"/>)");
    contact->addUnknownElement(
        R"(<gContact:website xmlns:gContact="http://schemas.google.com/contact/2008" href="http://example.org/" rel="home-page"/>)");
    server.seedContacts(kUser, {contact});
    GDataEntryPtr fetched = fetchContacts()->feed->entries()[0];
    ASSERT_EQ(fetched->unknownElements().size(), 2u);
    fetched->setTitle(QStringLiteral("Anna Smith"));
    ASSERT_FALSE(update(*fetched, fetched->editLink()->URL())->error);
    const GDataEntryPtr stored = server.entries(kUser, GDataEntryBase::Kind::Contact)->entries()[0];
    EXPECT_EQ(stored->title(), QStringLiteral("Anna Smith"));
    ASSERT_EQ(stored->unknownElements().size(), 2u);
    EXPECT_TRUE(stored->unknownElements()[0].contains("1970-03-14"));
    EXPECT_TRUE(stored->unknownElements()[1].contains("http://example.org/"));
}

TEST_F(GDataServiceTest, MissingURL_FailsLaterThroughTheFailCallback)
{
    auto systemGroup = GDataEntryContactGroup::contactGroupEntryWithTitle(
        QStringLiteral("System Group: My Contacts"));
    const auto removed = run([&](auto, auto onEntry, auto onError) {
        return service.deleteEntry(*systemGroup, nullptr, onEntry, onError);
    });
    ASSERT_TRUE(removed->error);
    EXPECT_EQ(removed->error->code, kGDataErrorBadURL);
    const auto posted = batch(*GDataFeedContact::contactFeed(), QUrl());
    ASSERT_TRUE(posted->error);
}

TEST_F(GDataServiceTest, ForeignHost_IsNeverAsked)
{
    // An identifier stored from another account's server must not carry this account's token.
    ASSERT_FALSE(fetchContacts()->error);
    EXPECT_TRUE(service.requestForURL(server.baseUrl()).hasRawHeader("Authorization"));
    QTcpServer foreign;
    ASSERT_TRUE(foreign.listen(QHostAddress::LocalHost));
    const auto outcome =
        fetchEntry(QStringLiteral("http://127.0.0.1:%1/m8/feeds/contacts/u%40example.com/base/1")
                       .arg(foreign.serverPort()));
    ASSERT_TRUE(outcome->error);
    EXPECT_EQ(outcome->error->code, kGDataErrorBadURL);
    EXPECT_FALSE(foreign.hasPendingConnections());
    EXPECT_FALSE(service.requestForURL(QUrl(QStringLiteral("http://example.org/photo")))
                     .hasRawHeader("Authorization"));
}

TEST_F(GDataServiceTest, GoneDelegate_GetsNoCallback)
{
    auto delegate = std::make_unique<QObject>();
    bool called = false;
    auto query = GDataQueryContact::contactQueryWithFeedURL(
        service.feedURL(kGDataGoogleContactDefaultFullFeed));
    service.fetchContactQuery(
        query, delegate.get(), [&](const auto &, const auto &) { called = true; },
        [&](const auto &, const auto &) { called = true; });
    delegate.reset();
    // A second fetch, delivered after the first, marks when the first would have come.
    ASSERT_FALSE(fetchContacts()->error);
    QDeadlineTimer deadline(300);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    EXPECT_FALSE(called);
}

TEST_F(GDataServiceTest, ServiceDestroyed_WithRequestsOnTheirWayCallsNothing)
{
    bool called = false;
    auto doomed = std::make_unique<GDataServiceGoogleContact>();
    doomed->setBaseUrl(server.baseUrl());
    doomed->setUserCredentials(kUser, kPassword);
    server.injectFault(QStringLiteral("/m8/feeds/"), 0, 3, 1000);
    auto query = GDataQueryContact::contactQueryWithFeedURL(
        doomed->feedURL(kGDataGoogleContactDefaultFullFeed));
    for (int i = 0; i < 3; ++i)
        doomed->fetchContactQuery(
            query, nullptr, [&](const auto &, const auto &) { called = true; },
            [&](const auto &, const auto &) { called = true; });
    QDeadlineTimer deadline(200);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    doomed.reset();
    ASSERT_FALSE(fetchContacts()->error);
    EXPECT_FALSE(called);
}

TEST(GDataServiceURLTest, FeedURLs_AreUnderTheBaseURL)
{
    GDataServiceGoogleContact service;
    service.setBaseUrl(QUrl(QStringLiteral("http://127.0.0.1:9")));
    EXPECT_EQ(service.feedURL(kGDataGoogleContactDefaultThinFeed).toString(),
              QStringLiteral("http://127.0.0.1:9/m8/feeds/contacts/default/thin"));
    EXPECT_EQ(
        service.groupFeedURLForPropertyName(QStringLiteral("a b")).toString(QUrl::FullyEncoded),
        QStringLiteral("http://127.0.0.1:9/m8/feeds/groups/default/property-a%20b"));
    EXPECT_EQ(service.authUrl().toString(),
              QStringLiteral("http://127.0.0.1:9/accounts/ClientLogin"));
    auto query = GDataQueryContact::contactQueryWithFeedURL(
        service.feedURL(kGDataGoogleContactDefaultFullFeed));
    query.setShouldShowDeleted(false);
    query.setMaxResults(2000);
    query.setIsAscendingOrder(true);
    EXPECT_EQ(query.URL().query(), QStringLiteral("max-results=2000&sortorder=ascending"));
}

} // namespace
