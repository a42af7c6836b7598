#include "platform/gdata/gdataservicegooglecontact.h"

#include "platform/gdata/atom/atomreader.h"
#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/gdataclientlogin.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdatanetworkerror.h"
#include "platform/gdata/gdatareceiver.h"
#include "platform/gdata/gdatarequest.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/gdata/oauth/oauthendpoints.h"
#include "platform/gdata/oauth/oauthtokensource.h"
#include "platform/gdata/people/peoplefeedurl.h"
#include "platform/gdata/people/peopleservicecalls.h"

#include <QNetworkAccessManager>
#include <QSysInfo>

#include <set>

namespace {

constexpr int kMajorVersion = 1;
constexpr int kMinorVersion = 0;
constexpr int kReleaseVersion = 0;

constexpr char kAtomContentType[] = "application/atom+xml";
constexpr char kMultipartBoundary[] = "END_OF_PART";

GDataEntryBase::Kind kindForFeedURL(const QUrl &url)
{
    return url.path().contains(QLatin1String("/m8/feeds/groups/"))
               ? GDataEntryBase::Kind::ContactGroup
               : GDataEntryBase::Kind::Contact;
}

// An HTML error page or a text answer in place of Atom is a failure, never an empty result.
bool isXML(const QByteArray &contentType)
{
    return contentType.toLower().contains("xml");
}

std::optional<GDataFeedPtr> readFeed(const GDataRequest::Answer &answer, GDataEntryBase::Kind kind,
                                     GDataError *error)
{
    if (!isXML(answer.contentType)) {
        *error = gdataBadResponse(QStringLiteral("expected an Atom feed, got \"%1\"")
                                 .arg(QString::fromLatin1(answer.contentType)),
                             answer.body);
        return std::nullopt;
    }
    atomreader::ParseError parseError;
    auto feed = atomreader::parseFeed(answer.body, kind, &parseError);
    if (!feed)
        *error = gdataBadResponse(parseError.message, answer.body);
    return feed;
}

std::optional<GDataEntryPtr> readEntry(const GDataRequest::Answer &answer,
                                       GDataEntryBase::Kind kind, GDataError *error)
{
    if (!isXML(answer.contentType)) {
        *error = gdataBadResponse(QStringLiteral("expected an Atom entry, got \"%1\"")
                                 .arg(QString::fromLatin1(answer.contentType)),
                             answer.body);
        return std::nullopt;
    }
    atomreader::ParseError parseError;
    auto entry = atomreader::parseEntry(answer.body, kind, &parseError);
    if (!entry)
        *error = gdataBadResponse(parseError.message, answer.body);
    return entry;
}

QString preconditionOf(const std::optional<QString> &etag)
{
    return etag.value_or(QStringLiteral("*"));
}

QByteArray multipartBody(const GDataEntryBase &entry)
{
    const QByteArray boundary = kMultipartBoundary;
    return "Media multipart posting\r\n--" + boundary + "\r\nContent-Type: " + kAtomContentType +
           "\r\n\r\n" + atomwriter::entryXML(entry) + "\r\n--" + boundary +
           "\r\nContent-Type: " + entry.uploadMIMEType().toLatin1() + "\r\n\r\n" +
           entry.uploadData() + "\r\n--" + boundary + "--\r\n";
}

} // namespace

GDataServiceGoogleContact::GDataServiceGoogleContact(QObject *parent)
    : QObject(parent)
    , m_baseUrl(QStringLiteral("https://www.google.com"))
    , m_network(new QNetworkAccessManager(this))
    , m_login(new GDataClientLogin(m_network, this))
    , m_tokens(new OAuthTokenSource(m_network, this))
    , m_people(std::make_unique<PeopleServiceCalls>(this))
{
    configureTokenSource();
    m_tokens->setCredentialRenewed([this](const OAuthCredential &credential) {
        if (m_credentialRenewed)
            m_credentialRenewed(serializeOAuthCredential(credential));
    });
}

GDataServiceGoogleContact::~GDataServiceGoogleContact()
{
    // Requests first, then the sign-in, then the network: a reply aborted on the way out must
    // find nothing left to call back into.
    qDeleteAll(findChildren<GDataRequest *>(Qt::FindDirectChildrenOnly));
    delete m_login;
    delete m_tokens;
    delete m_network;
}

int GDataServiceGoogleContact::frameworkMajorVersion()
{
    return kMajorVersion;
}

int GDataServiceGoogleContact::frameworkMinorVersion()
{
    return kMinorVersion;
}

int GDataServiceGoogleContact::frameworkReleaseVersion()
{
    return kReleaseVersion;
}

QString GDataServiceGoogleContact::systemVersionString()
{
    return QSysInfo::prettyProductName();
}

void GDataServiceGoogleContact::setBaseUrl(const QUrl &base)
{
    m_baseUrl = base;
    m_baseUrlGiven = !base.isEmpty();
    configureTokenSource();
}

void GDataServiceGoogleContact::configureTokenSource()
{
    m_tokens->setEndpoints(oauthEndpointsForBaseURL(m_baseUrlGiven ? m_baseUrl : QUrl()));
}

QString GDataServiceGoogleContact::peopleAPIRoot() const
{
    QString root = m_baseUrlGiven ? m_baseUrl.toString(QUrl::RemoveQuery | QUrl::RemoveFragment)
                                  : QStringLiteral("https://people.googleapis.com");
    while (root.endsWith(u'/'))
        root.chop(1);
    return root;
}

bool GDataServiceGoogleContact::isPeopleAPIURL(const QUrl &url) const
{
    const QUrl root(peopleAPIRoot());
    return url.isValid() && url.scheme() == root.scheme() && url.host() == root.host() &&
           url.port() == root.port() && url.path().startsWith(root.path() + QLatin1String("/v1/"));
}

void GDataServiceGoogleContact::setPeopleStateFile(const QString &path)
{
    m_people->setStateFile(path);
}

GDataServiceGoogleContact::RetryPolicy GDataServiceGoogleContact::activeRetryPolicy() const
{
    if (m_protocol != Protocol::People)
        return m_retry;
    RetryPolicy policy = m_peopleRetry;
    policy.enabled = policy.enabled && m_retry.enabled;
    return policy;
}

QUrl GDataServiceGoogleContact::authUrl() const
{
    if (m_authUrl.isValid() && !m_authUrl.isEmpty())
        return m_authUrl;
    return m_baseUrl.resolved(QUrl(QStringLiteral("/accounts/ClientLogin")));
}

void GDataServiceGoogleContact::setUserCredentials(const QString &username, const QString &password)
{
    m_login->setCredentials(username, password);
    m_tokens->setCredentialText(password);
}

QString GDataServiceGoogleContact::username() const
{
    return m_login->username();
}

void GDataServiceGoogleContact::setProtocol(Protocol protocol)
{
    m_protocol = protocol;
}

void GDataServiceGoogleContact::setOAuthClient(const QString &clientId, const QString &clientSecret)
{
    m_oauthClientId = clientId;
    m_oauthClientSecret = clientSecret;
    m_tokens->setClient(clientId, clientSecret);
}

QUrl GDataServiceGoogleContact::feedURL(const QString &defaultFeed) const
{
    if (m_protocol == Protocol::People)
        return peoplefeedurl::feedURL(peopleAPIRoot(), defaultFeed);
    return m_baseUrl.resolved(QUrl(QLatin1Char('/') + defaultFeed));
}

QUrl GDataServiceGoogleContact::contactFeedURLForPropertyName(const QString &name) const
{
    if (m_protocol == Protocol::People)
        return peoplefeedurl::propertyFeedURL(peopleAPIRoot(), GDataEntryBase::Kind::Contact, name);
    return QUrl(m_baseUrl.toString() + QStringLiteral("/m8/feeds/contacts/default/property-") +
                    QString::fromLatin1(QUrl::toPercentEncoding(name)),
                QUrl::StrictMode);
}

QUrl GDataServiceGoogleContact::groupFeedURLForPropertyName(const QString &name) const
{
    if (m_protocol == Protocol::People)
        return peoplefeedurl::propertyFeedURL(peopleAPIRoot(), GDataEntryBase::Kind::ContactGroup,
                                              name);
    return QUrl(m_baseUrl.toString() + QStringLiteral("/m8/feeds/groups/default/property-") +
                    QString::fromLatin1(QUrl::toPercentEncoding(name)),
                QUrl::StrictMode);
}

bool GDataServiceGoogleContact::isServiceURL(const QUrl &url) const
{
    const auto sameOrigin = [&url](const QUrl &service) {
        return url.scheme() == service.scheme() && url.host() == service.host() &&
               url.port(url.scheme() == QLatin1String("https") ? 443 : 80) ==
                   service.port(service.scheme() == QLatin1String("https") ? 443 : 80);
    };
    if (m_protocol == Protocol::People)
        return url.isValid() && sameOrigin(QUrl(peopleAPIRoot()));
    return url.isValid() && (sameOrigin(m_baseUrl) || sameOrigin(authUrl()));
}

QNetworkRequest GDataServiceGoogleContact::requestForURL(const QUrl &url,
                                                         const std::optional<QString> &etag,
                                                         const QByteArray &method) const
{
    QNetworkRequest request(url);
    if (m_protocol == Protocol::People) {
        if (!m_tokens->accessToken().isEmpty() && isPeopleAPIURL(url))
            request.setRawHeader("Authorization", "Bearer " + m_tokens->accessToken().toLatin1());
        if (!m_userAgent.isEmpty())
            request.setRawHeader("User-Agent", m_userAgent.toUtf8());
        return request;
    }
    if (!m_login->token().isEmpty() && isServiceURL(url))
        request.setRawHeader("Authorization", "GoogleLogin auth=" + m_login->token().toUtf8());
    request.setRawHeader("GData-Version", m_serviceVersion.toUtf8());
    if (!m_userAgent.isEmpty())
        request.setRawHeader("User-Agent", m_userAgent.toUtf8());
    if (etag && method != "GET" && method != "HEAD")
        request.setRawHeader("If-Match", etag->toUtf8());
    return request;
}

GDataServiceTicketPtr GDataServiceGoogleContact::fetchContactQuery(const GDataQueryContact &query,
                                                                   QObject *delegate,
                                                                   FeedFinished finished,
                                                                   Failed failed)
{
    if (m_protocol == Protocol::People)
        return m_people->fetchQuery(query, delegate, std::move(finished), std::move(failed));
    auto ticket = std::make_shared<GDataServiceTicket>();
    struct Fetch
    {
        GDataFeedPtr feed;
        std::set<QString> visited;
        GDataEntryBase::Kind kind;
    };
    auto fetch = std::make_shared<Fetch>(Fetch{nullptr, {}, kindForFeedURL(query.feedURL())});
    const GDataReceiver receiver(delegate);
    auto fail = [ticket, receiver, failed](const GDataError &error) {
        if (receiver.alive() && failed)
            failed(ticket, error);
    };
    // Each page is one request; a page that fails fails the whole fetch, so a partial feed never
    // reaches the caller as if it were complete.
    auto fetchPage = std::make_shared<std::function<void(const QUrl &)>>();
    // The function holds itself only weakly; the request on its way holds it.
    *fetchPage = [this, ticket, fetch, receiver, finished, fail,
                  weakFetchPage = std::weak_ptr(fetchPage)](const QUrl &url) {
        fetch->visited.insert(url.toString());
        auto fetchPageAgain = weakFetchPage.lock();
        auto request = new GDataRequest(
            this, ticket, {"GET", url, {}, {}, std::nullopt, {}},
            [this, ticket, fetch, receiver, finished, fail, fetchPageAgain](
                const std::optional<GDataError> &error, const GDataRequest::Answer &answer) {
                if (error)
                    return fail(*error);
                GDataError parseError;
                const auto page = readFeed(answer, fetch->kind, &parseError);
                if (!page)
                    return fail(parseError);
                if (!fetch->feed)
                    fetch->feed = *page;
                else
                    for (const GDataEntryPtr &entry : (*page)->entries())
                        fetch->feed->addEntry(entry);
                const auto next = (*page)->nextLink();
                if (next && m_followNextLinks) {
                    const QUrl nextUrl =
                        fetch->feed->selfLink()
                            ? QUrl(fetch->feed->selfLink()->href).resolved(next->URL())
                            : next->URL();
                    if (nextUrl.host() != m_baseUrl.host() || nextUrl.port() != m_baseUrl.port() ||
                        nextUrl.scheme() != m_baseUrl.scheme())
                        return fail(gdataBadResponse(
                            QStringLiteral("next link outside the service: %1").arg(next->href),
                            {}));
                    if (fetch->visited.count(nextUrl.toString()))
                        return fail(gdataBadResponse(
                            QStringLiteral("next link repeats a page: %1").arg(next->href), {}));
                    (*fetchPageAgain)(nextUrl);
                    return;
                }
                GDataFeedPtr feed = fetch->feed;
                const size_t total = size_t(feed->totalResults().value_or(0));
                if (m_followNextLinks && feed->entries().size() < total)
                    return fail(gdataBadResponse(QStringLiteral("the feed ended after %1 of %2 entries")
                                                .arg(feed->entries().size())
                                                .arg(total),
                                            {}));
                // Keep the first page's links, but not a next link that was followed.
                std::vector<GDataLink> links;
                for (const GDataLink &link : feed->links()) {
                    if (link.rel != QLatin1String(kGDataLinkRelNext) || !m_followNextLinks)
                        links.push_back(link);
                }
                feed->setLinks(links);
                if (receiver.alive() && finished)
                    finished(ticket, feed);
            });
        request->start();
    };
    (*fetchPage)(query.URL());
    return ticket;
}

GDataServiceTicketPtr GDataServiceGoogleContact::fetchAuthenticatedEntryWithURL(
    const QUrl &url, GDataEntryBase::Kind entryClass, QObject *delegate, EntryFinished finished,
    Failed failed)
{
    if (m_protocol == Protocol::People)
        return m_people->fetchEntry(url, entryClass, delegate, std::move(finished),
                                    std::move(failed));
    auto ticket = std::make_shared<GDataServiceTicket>();
    const GDataReceiver receiver(delegate);
    auto request = new GDataRequest(
        this, ticket, {"GET", url, {}, {}, std::nullopt, {}},
        [ticket, receiver, entryClass, finished, failed](const std::optional<GDataError> &error,
                                                         const GDataRequest::Answer &answer) {
            if (!receiver.alive())
                return;
            GDataError parseError;
            const auto entry = error ? std::nullopt : readEntry(answer, entryClass, &parseError);
            if (entry) {
                if (finished)
                    finished(ticket, *entry);
            } else if (failed) {
                failed(ticket, error ? *error : parseError);
            }
        });
    request->start();
    return ticket;
}

GDataServiceTicketPtr GDataServiceGoogleContact::fetchContactBatchFeedWithBatchFeed(
    const GDataFeed &feed, const QUrl &batchFeedURL, QObject *delegate, FeedFinished finished,
    Failed failed)
{
    if (m_protocol == Protocol::People)
        return m_people->batch(feed, batchFeedURL, delegate, std::move(finished),
                               std::move(failed));
    auto ticket = std::make_shared<GDataServiceTicket>();
    const GDataReceiver receiver(delegate);
    const GDataEntryBase::Kind kind = feed.entryKind();
    auto request = new GDataRequest(
        this, ticket, {"POST", batchFeedURL, atomwriter::feedXML(feed), kAtomContentType, {}, {}},
        [ticket, receiver, kind, finished, failed](const std::optional<GDataError> &error,
                                                   const GDataRequest::Answer &answer) {
            if (!receiver.alive())
                return;
            GDataError parseError;
            const auto result = error ? std::nullopt : readFeed(answer, kind, &parseError);
            if (result) {
                if (finished)
                    finished(ticket, *result);
            } else if (failed) {
                failed(ticket, error ? *error : parseError);
            }
        });
    request->start();
    return ticket;
}

namespace {

// Completion of a request answered by one entry; an empty or non-XML body is allowed where the
// service answers a write with nothing to read (photos).
GDataRequest::Done entryCompletion(const GDataServiceTicketPtr &ticket, QObject *delegate,
                                   GDataEntryBase::Kind kind, bool bodyOptional,
                                   const GDataServiceGoogleContact::EntryFinished &finished,
                                   const GDataServiceGoogleContact::Failed &failed)
{
    const GDataReceiver receiver(delegate);
    return [ticket, receiver, kind, bodyOptional, finished,
            failed](const std::optional<GDataError> &error, const GDataRequest::Answer &answer) {
        if (!receiver.alive())
            return;
        if (error) {
            if (failed)
                failed(ticket, *error);
            return;
        }
        GDataEntryPtr entry;
        if (bodyOptional && !isXML(answer.contentType)) {
            if (kind == GDataEntryBase::Kind::Contact)
                entry = std::make_shared<GDataEntryContact>();
            else
                entry = std::make_shared<GDataEntryContactGroup>();
        } else {
            GDataError parseError;
            const auto parsed = readEntry(answer, kind, &parseError);
            if (!parsed) {
                if (failed)
                    failed(ticket, parseError);
                return;
            }
            entry = *parsed;
        }
        if (finished)
            finished(ticket, entry);
    };
}

} // namespace

GDataServiceTicketPtr
GDataServiceGoogleContact::fetchContactEntryByInsertingEntry(const GDataEntryBase &entry,
                                                             const QUrl &feedURL, QObject *delegate,
                                                             EntryFinished finished, Failed failed)
{
    if (m_protocol == Protocol::People)
        return m_people->insert(entry, feedURL, delegate, std::move(finished), std::move(failed));
    auto ticket = std::make_shared<GDataServiceTicket>();
    auto request = new GDataRequest(
        this, ticket, {"POST", feedURL, atomwriter::entryXML(entry), kAtomContentType, {}, {}},
        entryCompletion(ticket, delegate, entry.kind(), false, finished, failed));
    request->start();
    return ticket;
}

GDataServiceTicketPtr
GDataServiceGoogleContact::fetchContactEntryByUpdatingEntry(const GDataEntryBase &entry,
                                                            const QUrl &entryURL, QObject *delegate,
                                                            EntryFinished finished, Failed failed)
{
    if (m_protocol == Protocol::People)
        return m_people->update(entry, entryURL, delegate, std::move(finished), std::move(failed));
    auto ticket = std::make_shared<GDataServiceTicket>();
    GDataRequest::Spec spec{"PUT", entryURL, {}, {}, preconditionOf(entry.ETag()), {}};
    const bool upload = !entry.uploadData().isEmpty();
    if (!upload) {
        spec.body = atomwriter::entryXML(entry);
        spec.contentType = kAtomContentType;
    } else if (entry.shouldUploadDataOnly()) {
        spec.body = entry.uploadData();
        spec.contentType = entry.uploadMIMEType().toLatin1();
    } else {
        spec.body = multipartBody(entry);
        spec.contentType = QByteArray("multipart/related; boundary=") + kMultipartBoundary;
        spec.headers.append(qMakePair(QByteArray("MIME-version"), QByteArray("1.0")));
    }
    if (upload && !entry.uploadSlug().isEmpty())
        spec.headers.append(qMakePair(QByteArray("Slug"), entry.uploadSlug().toUtf8()));
    auto request =
        new GDataRequest(this, ticket, spec,
                         entryCompletion(ticket, delegate, entry.kind(), upload, finished, failed));
    request->start();
    return ticket;
}

GDataServiceTicketPtr GDataServiceGoogleContact::deleteEntry(const GDataEntryBase &entry,
                                                             QObject *delegate,
                                                             EntryFinished finished, Failed failed)
{
    const auto edit = entry.editLink();
    return deleteResourceURL(edit ? edit->URL() : QUrl(), entry.ETag(), delegate,
                             std::move(finished), std::move(failed));
}

GDataServiceTicketPtr
GDataServiceGoogleContact::deleteResourceURL(const QUrl &url, const std::optional<QString> &etag,
                                             QObject *delegate, EntryFinished finished,
                                             Failed failed)
{
    if (m_protocol == Protocol::People)
        return m_people->remove(url, etag, delegate, std::move(finished), std::move(failed));
    auto ticket = std::make_shared<GDataServiceTicket>();
    const GDataReceiver receiver(delegate);
    auto request =
        new GDataRequest(this, ticket, {"DELETE", url, {}, {}, preconditionOf(etag), {}},
                         [ticket, receiver, finished, failed](
                             const std::optional<GDataError> &error, const GDataRequest::Answer &) {
                             if (!receiver.alive())
                                 return;
                             if (error) {
                                 if (failed)
                                     failed(ticket, *error);
                             } else if (finished) {
                                 finished(ticket, nullptr);
                             }
                         });
    request->start();
    return ticket;
}
