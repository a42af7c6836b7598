#include "tools/gdata-server/atom/contactsapi.h"

#include "tools/gdata-server/entryrenderer.h"

#include "platform/gdata/atom/atomreader.h"
#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/gdataconstants.h"

#include <QUrlQuery>

#include <algorithm>

namespace {

using Collection = Account::Collection;

GDataEntryBase::Kind kindOf(Collection collection)
{
    return collection == Collection::Contacts ? GDataEntryBase::Kind::Contact
                                              : GDataEntryBase::Kind::ContactGroup;
}

HttpResponse fromResult(const OperationResult &result)
{
    return HttpResponse::text(result.status, result.message.toUtf8() + '\n');
}

std::optional<QString> ifMatch(const HttpRequest &request)
{
    const QByteArray value = request.header("if-match");
    if (value.isEmpty())
        return std::nullopt;
    return QString::fromUtf8(value);
}

QHash<QString, QString> formFields(const QByteArray &body)
{
    QHash<QString, QString> fields;
    const QUrlQuery query(QString::fromLatin1(body).replace(u'+', u' '));
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded))
        fields.insert(key, value);
    return fields;
}

QString readableParseError(const atomreader::ParseError &error)
{
    return QStringLiteral("Parse error: %1").arg(error.message);
}

int queryInt(const QUrlQuery &query, const char *name, int fallback)
{
    bool ok = false;
    const int value = query.queryItemValue(QLatin1String(name)).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

ContactsApi::ContactsApi(ServerState &state, const ServerOptions &options, FaultInjector &faults,
                         const ServerUrls &urls)
    : m_state(state)
    , m_options(options)
    , m_faults(faults)
    , m_urls(urls)
    , m_operations(state, options)
    , m_batches(m_operations, faults, options, urls)
    , m_photos(state, options, urls)
{}

HttpResponse ContactsApi::handle(const HttpRequest &request)
{
    const QString path = request.url.path(QUrl::FullyEncoded);
    if (path == QLatin1String("/accounts/ClientLogin"))
        return clientLogin(request);
    const auto route = ServerUrls::parse(path);
    if (!route)
        return HttpResponse::text(404, "Not found.\n");
    const QByteArray authorization = request.header("authorization");
    const QByteArray prefix = "GoogleLogin auth=";
    Account *account =
        authorization.startsWith(prefix)
            ? m_state.accountForToken(QString::fromLatin1(authorization.mid(prefix.size())))
            : nullptr;
    if (!account)
        return HttpResponse::text(401, "Token invalid\n");
    if (route->user != QLatin1String("default") &&
        route->user.compare(account->email(), Qt::CaseInsensitive) != 0)
        return HttpResponse::text(403, "Cannot access the contacts of another account.\n");
    QByteArray method = request.method;
    if (method == "POST" && !request.header("x-http-method-override").isEmpty())
        method = request.header("x-http-method-override").toUpper();

    HttpResponse response = HttpResponse::text(405, "Method not allowed.\n");
    switch (route->target) {
    case FeedRoute::Target::Feed:
        if (method == "GET")
            response = getFeed(request, *account, *route);
        else if (method == "POST")
            response = insert(request, *account, *route);
        break;
    case FeedRoute::Target::Batch:
        if (method == "POST")
            response = batch(request, *account, *route);
        break;
    case FeedRoute::Target::Entry:
        if (method == "GET")
            response = getEntry(*account, *route);
        else if (method == "PUT")
            response = update(request, *account, *route);
        else if (method == "DELETE")
            response = remove(request, *account, *route);
        break;
    case FeedRoute::Target::Photo:
        response = m_photos.handle(method, request, *account, route->localId);
        break;
    }
    if (method != "GET" && response.status < 300)
        m_state.save();
    return response;
}

HttpResponse ContactsApi::clientLogin(const HttpRequest &request)
{
    if (request.method != "POST")
        return HttpResponse::text(405, "Method not allowed.\n");
    const QHash<QString, QString> fields = formFields(request.body);
    if (const auto failure = m_faults.takeLoginFailure()) {
        QByteArray body = "Error=" + failure->toUtf8() + '\n';
        if (*failure == QLatin1String("CaptchaRequired"))
            body += "Url=https://www.google.com/accounts/ErrorMsg?Error=CaptchaRequired\n"
                    "CaptchaToken=captcha-token\nCaptchaUrl=Captcha?ctoken=captcha-token\n";
        return HttpResponse::text(403, body);
    }
    Account *account = m_state.account(fields.value(QStringLiteral("Email")));
    if (!account || account->password() != fields.value(QStringLiteral("Passwd")) ||
        fields.value(QStringLiteral("service")) != QLatin1String("cp"))
        return HttpResponse::text(403, "Error=BadAuthentication\n");
    const QByteArray token = m_state.signIn(account->email()).toLatin1();
    m_state.save();
    return HttpResponse::text(200, "SID=sid-" + token.left(8) + "\nLSID=lsid-" + token.left(8) +
                                       "\nAuth=" + token + '\n');
}

HttpResponse ContactsApi::getFeed(const HttpRequest &request, Account &account,
                                  const FeedRoute &route)
{
    const QUrlQuery query(request.url);
    const bool showDeleted =
        query.queryItemValue(QStringLiteral("showdeleted")) == QLatin1String("true");
    const int startIndex = qMax(1, queryInt(query, "start-index", 1));
    const int maxResults = qBound(1, queryInt(query, "max-results", 25), m_options.pageSize);

    std::vector<const StoredEntry *> selected;
    for (const StoredEntry &stored : account.entries(route.collection)) {
        if (showDeleted || !stored.entry->isDeleted())
            selected.push_back(&stored);
    }
    if (query.queryItemValue(QStringLiteral("orderby")) == QLatin1String("lastmodified")) {
        const bool descending =
            query.queryItemValue(QStringLiteral("sortorder")) == QLatin1String("descending");
        std::stable_sort(selected.begin(), selected.end(), [descending](auto *a, auto *b) {
            return descending ? a->entry->updatedDate() > b->entry->updatedDate()
                              : a->entry->updatedDate() < b->entry->updatedDate();
        });
    }

    GDataFeed feed(kindOf(route.collection));
    const QString feedUrl = m_urls.feed(account.email(), route.collection, route.projection);
    feed.setIdentifier(m_urls.idBase() +
                       QStringLiteral("/m8/feeds/%1/%2/base")
                           .arg(route.collection == Collection::Contacts
                                    ? QStringLiteral("contacts")
                                    : QStringLiteral("groups"),
                                QString::fromLatin1(QUrl::toPercentEncoding(account.email()))));
    feed.setTitle(account.email() + (route.collection == Collection::Contacts
                                         ? QStringLiteral("'s Contacts")
                                         : QStringLiteral("'s Contact Groups")));
    feed.setUpdatedDate(QDateTime::currentDateTimeUtc());
    feed.setETag(QStringLiteral("W/\"%1\"").arg(m_state.nextETag().mid(1, 16)));
    std::vector<GDataLink> links = {
        {QLatin1String(kGDataLinkRelFeed), QLatin1String(kGDataAtomType), feedUrl, {}},
        {QLatin1String(kGDataLinkRelPost), QLatin1String(kGDataAtomType), feedUrl, {}},
        {QLatin1String(kGDataLinkRelBatch), QLatin1String(kGDataAtomType), feedUrl + "/batch", {}},
        {QLatin1String(kGDataLinkRelSelf),
         QLatin1String(kGDataAtomType),
         m_urls.base() + request.url.toString(QUrl::FullyEncoded),
         {}},
    };
    const size_t first = size_t(startIndex - 1);
    const size_t end = std::min(selected.size(), first + size_t(maxResults));
    if (end < selected.size()) {
        QUrl next(m_options.brokenNextLink ? feedUrl + QStringLiteral("/no-such-page") : feedUrl);
        QUrlQuery nextQuery(query);
        const bool loops =
            m_options.nextLinkLoopsFrom > 0 && startIndex >= m_options.nextLinkLoopsFrom;
        nextQuery.removeAllQueryItems(QStringLiteral("start-index"));
        nextQuery.addQueryItem(QStringLiteral("start-index"),
                               QString::number(loops ? startIndex : int(end + 1)));
        next.setQuery(nextQuery);
        links.push_back({QLatin1String(kGDataLinkRelNext),
                         QLatin1String(kGDataAtomType),
                         next.toString(QUrl::FullyEncoded),
                         {}});
    }
    feed.setLinks(links);
    feed.setTotalResults(int(selected.size()));
    feed.setStartIndex(startIndex);
    feed.setItemsPerPage(maxResults);
    const std::vector<const StoredEntry *> page(selected.begin() + qsizetype(std::min(first, end)),
                                                selected.begin() + qsizetype(end));
    return HttpResponse::atom(200, m_served.feedXML(feed, m_urls, account, route.collection,
                                                    route.projection, page));
}

HttpResponse ContactsApi::entryResponse(int status, Account &account, const FeedRoute &route,
                                        const StoredEntry &stored) const
{
    return HttpResponse::atom(status,
                              atomwriter::entryXML(*renderEntry(m_urls, account, route.collection,
                                                                route.projection, stored)));
}

HttpResponse ContactsApi::getEntry(Account &account, const FeedRoute &route)
{
    const StoredEntry *stored = account.find(route.collection, route.localId);
    if (!stored || stored->entry->isDeleted())
        return HttpResponse::text(404, "Entry not found.\n");
    return entryResponse(200, account, route, *stored);
}

HttpResponse ContactsApi::insert(const HttpRequest &request, Account &account,
                                 const FeedRoute &route)
{
    atomreader::ParseError error;
    const auto entry = atomreader::parseEntry(request.body, kindOf(route.collection), &error);
    if (!entry)
        return HttpResponse::text(400, readableParseError(error).toUtf8() + '\n');
    const OperationResult result =
        m_operations.insert(account, route.collection, route.projection, **entry);
    if (!result.ok())
        return fromResult(result);
    return entryResponse(201, account, route, *result.stored);
}

HttpResponse ContactsApi::update(const HttpRequest &request, Account &account,
                                 const FeedRoute &route)
{
    atomreader::ParseError error;
    const auto entry = atomreader::parseEntry(request.body, kindOf(route.collection), &error);
    if (!entry)
        return HttpResponse::text(400, readableParseError(error).toUtf8() + '\n');
    std::optional<QString> precondition = ifMatch(request);
    if (!precondition)
        precondition = (*entry)->ETag();
    const OperationResult result = m_operations.update(account, route.collection, route.projection,
                                                       route.localId, **entry, precondition, true);
    if (!result.ok())
        return fromResult(result);
    return entryResponse(200, account, route, *result.stored);
}

HttpResponse ContactsApi::remove(const HttpRequest &request, Account &account,
                                 const FeedRoute &route)
{
    const OperationResult result =
        m_operations.remove(account, route.collection, route.localId, ifMatch(request), true);
    if (!result.ok())
        return fromResult(result);
    return HttpResponse::text(200, {});
}

HttpResponse ContactsApi::batch(const HttpRequest &request, Account &account,
                                const FeedRoute &route)
{
    atomreader::ParseError error;
    const auto feed = atomreader::parseFeed(request.body, kindOf(route.collection), &error);
    if (!feed)
        return HttpResponse::text(400, readableParseError(error).toUtf8() + '\n');
    return m_batches.process(account, route.collection, route.projection, **feed);
}
