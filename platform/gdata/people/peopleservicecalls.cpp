#include "platform/gdata/people/peopleservicecalls.h"

#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/entries/gdatafeedcontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdatanetworkerror.h"
#include "platform/gdata/gdatareceiver.h"
#include "platform/gdata/gdatarequest.h"
#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peoplecontactbatch.h"
#include "platform/gdata/people/peopleerrors.h"
#include "platform/gdata/people/peoplegroupbatch.h"
#include "platform/gdata/people/peoplejson.h"
#include "platform/gdata/people/peoplephotobytes.h"
#include "platform/gdata/people/peoplereader.h"
#include "platform/gdata/people/peoplerecentwrites.h"
#include "platform/gdata/people/peoplewriter.h"

#include <QPointer>
#include <QTimer>

#include <set>

namespace {

constexpr int kPageSize = 1000;

GDataError badURL(const QUrl &url)
{
    return {kGDataErrorBadURL,
            QLatin1String(kGDataErrorDomainNetwork),
            QStringLiteral("%1 is not a URL of the service").arg(url.toString(QUrl::RemoveQuery)),
            {}};
}

// The entry of a Person or ContactGroup answer; nothing, with why, when the answer is not one.
std::optional<GDataEntryPtr> readEntry(const QByteArray &body, const QString &api, bool contact,
                                       const PeopleProjection &projection, QString *why)
{
    QString message;
    const auto json = peoplejson::parseObject(body, &message);
    peoplereader::ParseError parseError{message};
    std::optional<GDataEntryPtr> entry;
    if (json && contact) {
        if (auto read = peoplereader::contactFromPerson(*json, api, projection, &parseError))
            entry = *read;
    } else if (json) {
        if (auto read = peoplereader::groupFromContactGroup(*json, api, projection, &parseError))
            entry = *read;
    }
    *why = parseError.message;
    return entry;
}

QString readSources()
{
    return QString::fromLatin1(kPeopleReadSourceContact);
}

// The person a photo link belongs to, from the mark the reader put on it.
std::optional<QString> photoPerson(const QUrl &url)
{
    const QString mark = QLatin1String(kPeoplePhotoPersonMark);
    const QString fragment = url.fragment(QUrl::FullyDecoded);
    if (!fragment.startsWith(mark))
        return std::nullopt;
    return fragment.mid(mark.size());
}

GDataError errorOfStatus(const GDataBatchStatus &status)
{
    return {int(status.code), QLatin1String(kGDataErrorDomainHTTP), status.reason, {}};
}

constexpr char kExpiredSyncToken[] = "EXPIRED_SYNC_TOKEN";

// An expired sync token: Google's reference names a 400 with this reason, its older guide a 410.
bool isExpiredSyncToken(const GDataError &error)
{
    const QJsonObject google = QJsonObject::fromVariantMap(
        error.userInfo.value(QString::fromLatin1(kPeopleErrorGoogleErrorKey)).toMap());
    return error.code == 410 ||
           peopleerrors::errorReasons(google).contains(QLatin1String(kExpiredSyncToken));
}

} // namespace

struct PeopleServiceCalls::ListFetch
{
    GDataServiceTicketPtr ticket;
    peoplefeedurl::Feed feed;
    QUrl feedURL;
    QString api;
    QString account;
    bool showDeleted = false;
    std::function<void(const GDataError &)> fail;
    FeedFinished finished;
    // Set while the incremental list of the held token is read, for the tombstones.
    QString changesSince;
    std::vector<GDataEntryPtr> tombstones;
    // The full list.
    bool asksSyncToken = false;
    std::vector<GDataEntryPtr> entries;
    std::set<QString> seenPageTokens;
    std::optional<int> totalItems;
    int pages = 0;
    // The token of the page read next, and of the page already asked for ahead of it; the answer
    // of any other page (asked ahead of a page that failed, or of one that named another next) is
    // let go unread.
    QString awaitedPage;
    std::optional<QString> askedAhead;

    bool contacts() const { return feed.kind == GDataEntryBase::Kind::Contact; }
};

namespace {} // namespace

QString PeopleServiceCalls::api() const
{
    return m_service->peopleAPIRoot();
}

QString PeopleServiceCalls::account() const
{
    return m_service->username();
}

void PeopleServiceCalls::send(const GDataServiceTicketPtr &ticket, const PeopleRequest &request,
                              bool creates, Reply reply)
{
    QUrl url(api() + QLatin1Char('/') + request.path);
    url.setQuery(request.query);
    GDataRequest::Spec spec{request.verb, url, {}, {}, std::nullopt, {}, creates};
    if (!request.body.isEmpty() || request.verb == "POST" || request.verb == "PATCH" ||
        request.verb == "PUT") {
        spec.body = peoplejson::compact(request.body);
        spec.contentType = "application/json";
    }
    auto *sent = new GDataRequest(
        m_service, ticket, spec,
        [reply](const std::optional<GDataError> &error, const GDataRequest::Answer &answer) {
            reply(error, answer.status, answer.body, answer.resent);
        });
    sent->start();
}

GDataServiceTicketPtr PeopleServiceCalls::failLater(const GDataServiceTicketPtr &ticket,
                                                    QObject *delegate, Failed failed,
                                                    const GDataError &error)
{
    const GDataReceiver receiver(delegate);
    QTimer::singleShot(0, m_service, [ticket, receiver, failed, error] {
        if (receiver.alive() && failed && !ticket->isCancelled())
            failed(ticket, error);
    });
    return ticket;
}

QUrlQuery PeopleServiceCalls::personQuery()
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("personFields"), QLatin1String(kPeoplePersonFields));
    query.addQueryItem(QStringLiteral("sources"), readSources());
    return query;
}

QUrlQuery PeopleServiceCalls::metadataQuery()
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("personFields"), QStringLiteral("metadata"));
    query.addQueryItem(QStringLiteral("sources"), readSources());
    return query;
}

// The answer of a create or update is the whole person: the entry the write-back reads, and the
// copy kept for lists that lag.
PeopleServiceCalls::Reply PeopleServiceCalls::personReply(const GDataServiceTicketPtr &ticket,
                                                          QObject *delegate,
                                                          const PeopleProjection &projection,
                                                          EntryFinished finished, Failed failed)
{
    const GDataReceiver receiver(delegate);
    return [ticket, receiver, projection, api = api(), account = account(), finished,
            failed](const std::optional<GDataError> &error, int, const QByteArray &body, bool) {
        if (!receiver.alive())
            return;
        if (error) {
            if (failed)
                failed(ticket, *error);
            return;
        }
        QString why;
        const auto entry = readEntry(body, api, true, projection, &why);
        if (!entry) {
            if (failed)
                failed(ticket, gdataBadResponse(why, body));
            return;
        }
        peoplerecentwrites::keepWritten(account, **entry);
        if (finished)
            finished(ticket, *entry);
    };
}

GDataServiceTicketPtr PeopleServiceCalls::fetchQuery(const GDataQueryContact &query,
                                                     QObject *delegate, FeedFinished finished,
                                                     Failed failed)
{
    auto ticket = std::make_shared<GDataServiceTicket>();
    const auto feed = peoplefeedurl::recognise(api(), query.feedURL());
    if (!feed) {
        return failLater(ticket, delegate, failed, badURL(query.feedURL()));
    }
    auto fetch = std::make_shared<ListFetch>();
    fetch->ticket = ticket;
    fetch->feed = *feed;
    fetch->feedURL = query.feedURL();
    fetch->api = api();
    fetch->account = account();
    fetch->showDeleted = query.shouldShowDeleted();
    const GDataReceiver receiver(delegate);
    fetch->fail = [ticket, receiver, failed](const GDataError &error) {
        if (receiver.alive() && failed)
            failed(ticket, error);
    };
    fetch->finished = [receiver, finished](const GDataServiceTicketPtr &t,
                                           const GDataFeedPtr &result) {
        if (receiver.alive() && finished)
            finished(t, result);
    };
    // Deletions are known only from the incremental list of a held token; it is read first, so
    // that an expired one leads the full list to ask for a new token.
    const auto held = m_syncTokens.held(fetch->account, feed->kind);
    if (fetch->showDeleted && held) {
        fetch->changesSince = held->token;
        fetchChangesPage(fetch, QString());
    } else {
        startFullList(fetch);
    }
    return ticket;
}

void PeopleServiceCalls::fetchChangesPage(const std::shared_ptr<ListFetch> &fetch,
                                          const QString &pageToken)
{
    QUrlQuery items;
    if (fetch->contacts()) {
        items.addQueryItem(QStringLiteral("personFields"), QStringLiteral("metadata"));
        items.addQueryItem(QStringLiteral("sources"), readSources());
    } else {
        items.addQueryItem(QStringLiteral("groupFields"), QStringLiteral("metadata"));
    }
    items.addQueryItem(QStringLiteral("pageSize"), QString::number(kPageSize));
    items.addQueryItem(QStringLiteral("syncToken"), fetch->changesSince);
    if (!pageToken.isEmpty())
        items.addQueryItem(QStringLiteral("pageToken"), pageToken);
    const QDateTime listTime = QDateTime::currentDateTimeUtc();
    send(fetch->ticket, {"GET", listPath(fetch->feed.kind), items, {}}, false,
         [this, fetch, listTime](const std::optional<GDataError> &error, int,
                                 const QByteArray &body, bool) {
             if (error && isExpiredSyncToken(*error)) {
                 // Deletions from before a new token cannot be known: the full list alone.
                 qInfo("People: the sync token of the %s list expired; a full list takes a new one",
                       fetch->contacts() ? "contact" : "group");
                 m_syncTokens.drop(fetch->account, fetch->feed.kind);
                 fetch->tombstones.clear();
                 fetch->asksSyncToken = true;
                 startFullList(fetch);
                 return;
             }
             if (error)
                 return fetch->fail(*error);
             peoplereader::ParseError parseError;
             const auto page = peoplereader::readTombstonesPage(body, fetch->feed.kind, fetch->api,
                                                                listTime, &parseError);
             if (!page)
                 return fetch->fail(gdataBadResponse(parseError.message, body));
             fetch->tombstones.insert(fetch->tombstones.end(), page->entries.begin(),
                                      page->entries.end());
             const QString next = page->nextPageToken;
             if (!next.isEmpty()) {
                 if (!fetch->seenPageTokens.insert(next).second)
                     return fetch->fail(
                         gdataBadResponse(QStringLiteral("the list's next page repeats a page"), {}));
                 return fetchChangesPage(fetch, next);
             }
             fetch->seenPageTokens.clear();
             startFullList(fetch);
         });
}

void PeopleServiceCalls::startFullList(const std::shared_ptr<ListFetch> &fetch)
{
    fetch->asksSyncToken =
        fetch->asksSyncToken || m_syncTokens.wantsNewToken(fetch->account, fetch->feed.kind);
    fetchFullPage(fetch, QString());
}

// Each page is one request; any page that fails fails the whole list, so no partial list reaches
// the layers above to read as deletions.
void PeopleServiceCalls::fetchFullPage(const std::shared_ptr<ListFetch> &fetch,
                                       const QString &pageToken)
{
    QUrlQuery items = personQuery();
    if (!fetch->contacts()) {
        items.clear();
        items.addQueryItem(QStringLiteral("groupFields"), QLatin1String(kPeopleGroupFields));
    }
    items.addQueryItem(QStringLiteral("pageSize"), QString::number(kPageSize));
    if (fetch->asksSyncToken)
        items.addQueryItem(QStringLiteral("requestSyncToken"), QStringLiteral("true"));
    if (!pageToken.isEmpty())
        items.addQueryItem(QStringLiteral("pageToken"), pageToken);
    send(fetch->ticket, {"GET", listPath(fetch->feed.kind), items, {}}, false,
         [this, fetch, pageToken](const std::optional<GDataError> &error, int,
                                  const QByteArray &body, bool) {
             if (pageToken != fetch->awaitedPage)
                 return;
             if (error)
                 return fetch->fail(*error);
             peoplereader::ParseError parseError;
             QString next;
             QString syncToken;
             std::optional<int> total;
             if (fetch->contacts()) {
                 // The server makes the next page while this one is read.
                 fetch->askedAhead.reset();
                 const auto askAhead = [this, &fetch](const QString &ahead) {
                     if (ahead.isEmpty() || fetch->seenPageTokens.count(ahead))
                         return;
                     fetch->askedAhead = ahead;
                     fetchFullPage(fetch, ahead);
                 };
                 const auto page = peoplereader::readConnectionsPage(
                     body, fetch->api, fetch->feed.projection, &parseError, askAhead);
                 if (!page)
                     return fetch->fail(gdataBadResponse(parseError.message, body));
                 fetch->entries.insert(fetch->entries.end(), page->entries.begin(),
                                       page->entries.end());
                 next = page->nextPageToken;
                 total = page->totalItems;
                 syncToken = page->nextSyncToken;
             } else {
                 const auto page = peoplereader::readContactGroupsPage(
                     body, fetch->api, fetch->feed.projection, &parseError);
                 if (!page)
                     return fetch->fail(gdataBadResponse(parseError.message, body));
                 fetch->entries.insert(fetch->entries.end(), page->entries.begin(),
                                       page->entries.end());
                 next = page->nextPageToken;
                 syncToken = page->nextSyncToken;
             }
             if (fetch->pages++ == 0)
                 fetch->totalItems = total;
             if (!next.isEmpty()) {
                 if (!fetch->seenPageTokens.insert(next).second)
                     return fetch->fail(
                         gdataBadResponse(QStringLiteral("the list's next page repeats a page"), {}));
                 fetch->awaitedPage = next;
                 if (fetch->askedAhead != next)
                     fetchFullPage(fetch, next);
                 return;
             }
             finishFullList(fetch, syncToken);
         });
}

void PeopleServiceCalls::finishFullList(const std::shared_ptr<ListFetch> &fetch,
                                        const QString &syncToken)
{
    // Hidden system groups count in a group list's total, so only persons are counted
    // against it.
    const size_t expected = size_t(qMax(0, fetch->totalItems.value_or(0)));
    if (fetch->contacts() && fetch->entries.size() < expected)
        return fetch->fail(gdataBadResponse(QStringLiteral("the list ended after %1 of %2 persons")
                                          .arg(fetch->entries.size())
                                          .arg(expected),
                                      {}));
    if (fetch->asksSyncToken) {
        m_syncTokens.markAsked(fetch->account, fetch->feed.kind);
        if (!syncToken.isEmpty())
            m_syncTokens.store(fetch->account, fetch->feed.kind, syncToken);
    }
    peoplerecentwrites::applyToList(fetch->account, fetch->feed.kind, fetch->api,
                                    fetch->feed.projection, fetch->entries);
    std::set<QString> listed;
    for (const GDataEntryPtr &entry : fetch->entries)
        listed.insert(entry->identifier());
    for (const GDataEntryPtr &tombstone : fetch->tombstones) {
        if (listed.insert(tombstone->identifier()).second)
            fetch->entries.push_back(tombstone);
    }
    GDataFeedPtr result = fetch->contacts() ? GDataFeedContact::contactFeed()
                                            : GDataFeedContactGroup::contactGroupFeed();
    result->setEntriesWithEntries(fetch->entries);
    result->setTotalResults(int(fetch->entries.size()));
    const QString href = fetch->feedURL.toString(QUrl::RemoveQuery);
    const QString type = QString::fromLatin1(kGDataAtomType);
    result->setLinks({{QString::fromLatin1(kGDataLinkRelFeed), type, href, std::nullopt},
                      {QString::fromLatin1(kGDataLinkRelPost), type, href, std::nullopt},
                      {QString::fromLatin1(kGDataLinkRelSelf), type, href, std::nullopt},
                      {QString::fromLatin1(kGDataLinkRelBatch), type,
                       peoplefeedurl::batchURL(QUrl(href)).toString(), std::nullopt}});
    fetch->finished(fetch->ticket, result);
}

QString PeopleServiceCalls::listPath(GDataEntryBase::Kind kind)
{
    return kind == GDataEntryBase::Kind::Contact ? QStringLiteral("v1/people/me/connections")
                                                 : QStringLiteral("v1/contactGroups");
}

GDataServiceTicketPtr PeopleServiceCalls::fetchEntry(const QUrl &url, GDataEntryBase::Kind kind,
                                                     QObject *delegate, EntryFinished finished,
                                                     Failed failed)
{
    auto ticket = std::make_shared<GDataServiceTicket>();
    const auto name =
        peoplereader::resourceNameForIdentifier(api(), url.toString(QUrl::RemoveQuery));
    const bool contact = kind == GDataEntryBase::Kind::Contact;
    if (!name || name->startsWith(QLatin1String(kPeoplePersonPrefix)) != contact) {
        return failLater(ticket, delegate, failed, badURL(url));
    }
    QUrlQuery items = personQuery();
    if (!contact) {
        items.clear();
        items.addQueryItem(QStringLiteral("groupFields"), QLatin1String(kPeopleGroupFields));
    }
    const GDataReceiver receiver(delegate);
    const QString api = this->api();
    send(ticket, {"GET", QStringLiteral("v1/") + *name, items, {}}, false,
         [ticket, receiver, contact, api, finished, failed](const std::optional<GDataError> &error,
                                                            int, const QByteArray &body, bool) {
             if (!receiver.alive())
                 return;
             if (error) {
                 if (failed)
                     failed(ticket, *error);
                 return;
             }
             QString why;
             const auto entry = readEntry(body, api, contact, PeopleProjection::full(), &why);
             if (!entry) {
                 if (failed)
                     failed(ticket, gdataBadResponse(why, body));
                 return;
             }
             if (finished)
                 finished(ticket, *entry);
         });
    return ticket;
}

GDataServiceTicketPtr PeopleServiceCalls::batch(const GDataFeed &feed, const QUrl &batchURL,
                                                QObject *delegate, FeedFinished finished,
                                                Failed failed)
{
    auto ticket = std::make_shared<GDataServiceTicket>();
    const auto target = peoplefeedurl::recognise(api(), batchURL);
    if (!target || target->kind != feed.entryKind()) {
        return failLater(ticket, delegate, failed, badURL(batchURL));
    }
    const GDataReceiver receiver(delegate);
    // The planners of both kinds share the shape request() / takeReply(); a contact create that
    // may have been applied is settled without being sent again.
    struct Planner
    {
        std::unique_ptr<PeopleContactBatch> contacts;
        std::unique_ptr<PeopleGroupBatch> groups;
        bool deletesResent = false;

        std::optional<PeopleRequest> request() const
        {
            return contacts ? contacts->request() : groups->request();
        }
        const std::optional<GDataError> &failure() const
        {
            return contacts ? contacts->failure() : groups->failure();
        }
        GDataFeedPtr resultFeed() const
        {
            return contacts ? contacts->resultFeed() : groups->resultFeed();
        }
    };
    auto planner = std::make_shared<Planner>();
    if (feed.entryKind() == GDataEntryBase::Kind::Contact)
        planner->contacts = std::make_unique<PeopleContactBatch>(feed, api(), target->projection);
    else
        planner->groups = std::make_unique<PeopleGroupBatch>(feed, api(), target->projection);

    auto step = std::make_shared<std::function<void()>>();
    *step = [this, ticket, planner, receiver, finished, failed, weakStep = std::weak_ptr(step)]() {
        const std::optional<PeopleRequest> request = planner->request();
        if (!request) {
            if (!receiver.alive())
                return;
            if (planner->failure()) {
                if (failed)
                    failed(ticket, *planner->failure());
                return;
            }
            const GDataFeedPtr result = planner->resultFeed();
            keepResults(*result);
            if (finished)
                finished(ticket, result);
            return;
        }
        const bool creates =
            planner->contacts
                ? planner->contacts->isCreating()
                : request->verb == "POST" && request->path == QLatin1String("v1/contactGroups");
        const bool deletes = request->verb == "DELETE" ||
                             request->path == QLatin1String("v1/people:batchDeleteContacts");
        auto again = weakStep.lock();
        send(ticket, *request, creates,
             [ticket, planner, creates, deletes, again, receiver, failed](
                 const std::optional<GDataError> &error, int status, QByteArray body, bool resent) {
                 const bool answered = status > 0 && (!error || status >= 300) && status != 401;
                 // Once a delete of this batch went twice, its first try may have done the work:
                 // an entry then found gone was deleted.
                 planner->deletesResent = planner->deletesResent || (deletes && resent);
                 if (deletes && planner->deletesResent && status == 404) {
                     status = 200;
                     body.clear();
                 }
                 if (error && !answered &&
                     error->domain != QLatin1String(kGDataErrorDomainNetwork)) {
                     // The sign-in was refused: no call can go, whatever went before.
                     if (receiver.alive() && failed)
                         failed(ticket, *error);
                     return;
                 }
                 const bool mayBeApplied = !answered || status >= 500;
                 if (creates && planner->contacts && mayBeApplied)
                     planner->contacts->takeUnknownOutcome();
                 else if (planner->contacts)
                     planner->contacts->takeReply(answered ? status : 503, body);
                 else
                     planner->groups->takeReply(answered ? status : 503, body);
                 (*again)();
             });
    };
    (*step)();
    return ticket;
}

void PeopleServiceCalls::keepResults(const GDataFeed &result)
{
    const QString account = this->account();
    for (const GDataEntryPtr &entry : result.entries()) {
        const auto status = entry->batchStatus();
        if (!status || status->code >= 300)
            continue;
        if (entry->batchOperation() == QLatin1String(kGDataBatchOperationDelete)) {
            if (!entry->identifier().isEmpty())
                peoplerecentwrites::keepDeleted(account, entry->kind(), entry->identifier());
        } else {
            peoplerecentwrites::keepWritten(account, *entry);
        }
    }
}

GDataServiceTicketPtr PeopleServiceCalls::singleEntryBatch(const GDataEntryBase &entry,
                                                           const QString &operation,
                                                           QObject *delegate,
                                                           EntryFinished finished, Failed failed)
{
    GDataFeed feed(entry.kind());
    GDataEntryPtr sent = entry.copy();
    sent->setBatchID(QStringLiteral("1"));
    sent->setBatchOperation(operation);
    feed.addEntry(sent);
    const auto kind = entry.kind();
    const QUrl batchURL = peoplefeedurl::batchURL(peoplefeedurl::feedURL(
        api(), kind == GDataEntryBase::Kind::Contact
                   ? QLatin1String(kGDataGoogleContactDefaultFullFeed)
                   : QLatin1String(kGDataGoogleContactGroupDefaultFullFeed)));
    const bool deletes = operation == QLatin1String(kGDataBatchOperationDelete);
    return batch(
        feed, batchURL, delegate,
        [finished, failed, deletes](const GDataServiceTicketPtr &ticket,
                                    const GDataFeedPtr &result) {
            const GDataEntryPtr answer = result->entries().empty() ? nullptr : result->entries()[0];
            const auto status = answer ? answer->batchStatus() : std::nullopt;
            if (!status || status->code >= 300) {
                if (failed)
                    failed(ticket, errorOfStatus(status.value_or(GDataBatchStatus{500, {}, {}})));
                return;
            }
            answer->setBatchID(std::nullopt);
            answer->setBatchOperation(std::nullopt);
            answer->setBatchStatus(std::nullopt);
            if (finished)
                finished(ticket, deletes ? nullptr : answer);
        },
        failed);
}

GDataServiceTicketPtr PeopleServiceCalls::insert(const GDataEntryBase &entry, const QUrl &feedURL,
                                                 QObject *delegate, EntryFinished finished,
                                                 Failed failed)
{
    const auto target = peoplefeedurl::recognise(api(), feedURL);
    if (!target || target->kind != entry.kind()) {
        return failLater(std::make_shared<GDataServiceTicket>(), delegate, failed, badURL(feedURL));
    }
    // Contact groups have no single calls but the ones the group batch makes for each entry.
    if (entry.kind() == GDataEntryBase::Kind::ContactGroup)
        return singleEntryBatch(entry, QLatin1String(kGDataBatchOperationInsert), delegate,
                                std::move(finished), std::move(failed));
    auto ticket = std::make_shared<GDataServiceTicket>();
    QJsonObject person =
        peoplewriter::personFromContact(static_cast<const GDataEntryContact &>(entry), api());
    person.remove(QStringLiteral("resourceName"));
    person.remove(QStringLiteral("etag"));
    send(ticket, {"POST", QStringLiteral("v1/people:createContact"), personQuery(), person}, true,
         personReply(ticket, delegate, target->projection, std::move(finished), std::move(failed)));
    return ticket;
}

GDataServiceTicketPtr PeopleServiceCalls::update(const GDataEntryBase &entry, const QUrl &entryURL,
                                                 QObject *delegate, EntryFinished finished,
                                                 Failed failed)
{
    if (!entry.uploadData().isEmpty()) {
        if (const auto person = photoPerson(entryURL))
            return updatePhoto(entry, *person, delegate, std::move(finished), std::move(failed));
    }
    const auto name =
        peoplereader::resourceNameForIdentifier(api(), entryURL.toString(QUrl::RemoveQuery));
    if (!name || peoplereader::resourceNameForIdentifier(api(), entry.identifier()) != name) {
        return failLater(std::make_shared<GDataServiceTicket>(), delegate, failed,
                         badURL(entryURL));
    }
    if (entry.kind() == GDataEntryBase::Kind::ContactGroup)
        return singleEntryBatch(entry, QLatin1String(kGDataBatchOperationUpdate), delegate,
                                std::move(finished), std::move(failed));
    auto ticket = std::make_shared<GDataServiceTicket>();
    const QJsonObject person =
        peoplewriter::personFromContact(static_cast<const GDataEntryContact &>(entry), api());
    QUrlQuery query = personQuery();
    query.addQueryItem(QStringLiteral("updatePersonFields"),
                       QLatin1String(kPeopleUpdatePersonFields));
    const QString path = QStringLiteral("v1/%1:updateContact").arg(*name);
    Reply reply =
        personReply(ticket, delegate, PeopleProjection::full(), std::move(finished), failed);
    if (entry.ETag()) {
        send(ticket, {"PATCH", path, query, person}, false, std::move(reply));
        return ticket;
    }
    // Google's update needs the etag: an entry without one (Atom's If-Match: *) takes the
    // current one first.
    const GDataReceiver receiver(delegate);
    send(ticket, {"GET", QStringLiteral("v1/") + *name, metadataQuery(), {}}, false,
         [this, ticket, receiver, failed, person, path, query,
          reply](const std::optional<GDataError> &error, int, const QByteArray &body, bool) {
             if (error) {
                 if (receiver.alive() && failed)
                     failed(ticket, *error);
                 return;
             }
             QJsonObject current = person;
             current.insert(QStringLiteral("etag"), peoplejson::parseObject(body)
                                                        .value_or(QJsonObject())
                                                        .value(QStringLiteral("etag")));
             send(ticket, {"PATCH", path, query, current}, false, reply);
         });
    return ticket;
}

GDataServiceTicketPtr PeopleServiceCalls::updatePhoto(const GDataEntryBase &entry,
                                                      const QString &resourceName,
                                                      QObject *delegate, EntryFinished finished,
                                                      Failed failed)
{
    auto ticket = std::make_shared<GDataServiceTicket>();
    const auto photo = peoplephotobytes::uploadable(entry.uploadData());
    if (!photo || !resourceName.startsWith(QLatin1String(kPeoplePersonPrefix))) {
        return failLater(ticket, delegate, failed,
                         {400,
                          QLatin1String(kGDataErrorDomainHTTP),
                          QStringLiteral("the photo is no picture that can be sent"),
                          {}});
    }
    const QJsonObject body{{QStringLiteral("photoBytes"), QString::fromLatin1(photo->toBase64())},
                           {QStringLiteral("personFields"), QLatin1String(kPeoplePersonFields)},
                           {QStringLiteral("sources"), QJsonArray{readSources()}}};
    const GDataReceiver receiver(delegate);
    const QString api = this->api();
    const QString account = this->account();
    send(ticket, {"PATCH", QStringLiteral("v1/%1:updateContactPhoto").arg(resourceName), {}, body},
         false,
         [ticket, receiver, api, account, finished, failed](const std::optional<GDataError> &error,
                                                            int, const QByteArray &answer, bool) {
             if (!receiver.alive())
                 return;
             if (error) {
                 if (failed)
                     failed(ticket, *error);
                 return;
             }
             const QJsonObject person = peoplejson::parseObject(answer)
                                            .value_or(QJsonObject())
                                            .value(QStringLiteral("person"))
                                            .toObject();
             GDataEntryPtr entry;
             if (auto read = peoplereader::contactFromPerson(person, api, PeopleProjection::full()))
                 entry = *read;
             else
                 entry = std::make_shared<GDataEntryContact>();
             if (!entry->identifier().isEmpty())
                 peoplerecentwrites::keepWritten(account, *entry);
             if (finished)
                 finished(ticket, entry);
         });
    return ticket;
}

GDataServiceTicketPtr PeopleServiceCalls::remove(const QUrl &url,
                                                 const std::optional<QString> &etag,
                                                 QObject *delegate, EntryFinished finished,
                                                 Failed failed)
{
    if (const auto person = photoPerson(url)) {
        auto ticket = std::make_shared<GDataServiceTicket>();
        if (etag)
            qDebug("People: the photo ETag is not checked; Google's photo calls take none");
        const GDataReceiver receiver(delegate);
        send(ticket, {"DELETE", QStringLiteral("v1/%1:deleteContactPhoto").arg(*person), {}, {}},
             false,
             [ticket, receiver, finished, failed](const std::optional<GDataError> &error, int,
                                                  const QByteArray &, bool) {
                 if (!receiver.alive())
                     return;
                 if (error) {
                     if (failed)
                         failed(ticket, *error);
                 } else if (finished) {
                     finished(ticket, nullptr);
                 }
             });
        return ticket;
    }
    const auto name =
        peoplereader::resourceNameForIdentifier(api(), url.toString(QUrl::RemoveQuery));
    if (!name) {
        return failLater(std::make_shared<GDataServiceTicket>(), delegate, failed, badURL(url));
    }
    if (!name->startsWith(QLatin1String(kPeoplePersonPrefix))) {
        GDataEntryContactGroup group;
        group.setIdentifier(url.toString(QUrl::RemoveQuery));
        group.setETag(etag);
        return singleEntryBatch(group, QLatin1String(kGDataBatchOperationDelete), delegate,
                                std::move(finished), std::move(failed));
    }
    auto ticket = std::make_shared<GDataServiceTicket>();
    const GDataReceiver receiver(delegate);
    const QString account = this->account();
    const QString identifier = url.toString(QUrl::RemoveQuery);
    const QString path = QStringLiteral("v1/%1:deleteContact").arg(*name);
    auto sendDelete = [this, ticket, receiver, account, identifier, path, finished, failed] {
        send(ticket, {"DELETE", path, {}, {}}, false,
             [ticket, receiver, account, identifier, finished, failed](
                 const std::optional<GDataError> &error, int, const QByteArray &, bool resent) {
                 // A delete sent again that finds the contact gone was done the first time.
                 if (error && !(resent && error->code == 404)) {
                     if (receiver.alive() && failed)
                         failed(ticket, *error);
                     return;
                 }
                 peoplerecentwrites::keepDeleted(account, GDataEntryBase::Kind::Contact,
                                                 identifier);
                 if (receiver.alive() && finished)
                     finished(ticket, nullptr);
             });
    };
    if (!etag) {
        sendDelete();
        return ticket;
    }
    // Google's deletes take no precondition: the ETag is checked here, so a contact changed
    // since it was read is not deleted.
    send(ticket, {"GET", QStringLiteral("v1/") + *name, metadataQuery(), {}}, false,
         [ticket, receiver, failed, etag, sendDelete](const std::optional<GDataError> &error, int,
                                                      const QByteArray &body, bool) {
             if (error) {
                 if (receiver.alive() && failed)
                     failed(ticket, *error);
                 return;
             }
             const auto current = peoplejson::stringValue(
                 peoplejson::parseObject(body).value_or(QJsonObject()), QStringLiteral("etag"));
             if (current != etag) {
                 if (receiver.alive() && failed)
                     failed(ticket, {412,
                                     QLatin1String(kGDataErrorDomainHTTP),
                                     QStringLiteral("Entry has been modified since it was read."),
                                     {}});
                 return;
             }
             sendDelete();
         });
    return ticket;
}
