// The client of the Google Contacts data API for one account. Every request returns a ticket at
// once and completes later on the event loop (also inside nested event loops), never inside the
// call that sends it; the request body is a snapshot of the feed or entry taken in that call.
#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeed.h"
#include "platform/gdata/gdataerror.h"
#include "platform/gdata/gdataquerycontact.h"
#include "platform/gdata/gdataserviceticket.h"

#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class GDataClientLogin;
class GDataRequest;
class OAuthTokenSource;
class PeopleServiceCalls;

class GDataServiceGoogleContact : public QObject
{
    Q_OBJECT
public:
    using FeedFinished = std::function<void(const GDataServiceTicketPtr &, const GDataFeedPtr &)>;
    using EntryFinished = std::function<void(const GDataServiceTicketPtr &, const GDataEntryPtr &)>;
    using Failed = std::function<void(const GDataServiceTicketPtr &, const GDataError &)>;
    using UploadProgress =
        std::function<void(const GDataServiceTicketPtr &, quint64 bytesSent, quint64 total)>;

    // Retries of 408, 429, 500, 502, 503, 504, time-outs and lost connections. The delays are
    // taken in turn and doubled past the last; a Retry-After (seconds) of the server lengthens a
    // delay, and one longer than maxRetryAfterMs ends the request with its status at once.
    struct RetryPolicy
    {
        bool enabled = true;
        int maxRetries = 2;
        std::vector<int> delaysMs = {500, 1000};
        int maxRetryAfterMs = 120000;
        // Up to this share of a delay is added at random.
        int jitterPercent = 0;
    };

    explicit GDataServiceGoogleContact(QObject *parent = nullptr);
    ~GDataServiceGoogleContact() override;

    // The layer's own version, for the start-up report.
    static int frameworkMajorVersion();
    static int frameworkMinorVersion();
    static int frameworkReleaseVersion();
    static QString systemVersionString();

    void setUserAgent(const QString &userAgent) { m_userAgent = userAgent; }
    QString userAgent() const { return m_userAgent; }
    void setShouldCacheDatedData(bool cache) { m_cacheDatedData = cache; }
    bool shouldCacheDatedData() const { return m_cacheDatedData; }
    void setServiceShouldFollowNextLinks(bool follow) { m_followNextLinks = follow; }
    bool serviceShouldFollowNextLinks() const { return m_followNextLinks; }
    void setIsServiceRetryEnabled(bool enabled) { m_retry.enabled = enabled; }
    bool isServiceRetryEnabled() const { return m_retry.enabled; }
    void setRetryPolicy(const RetryPolicy &policy) { m_retry = policy; }
    RetryPolicy retryPolicy() const { return m_retry; }
    void setServiceVersion(const QString &version) { m_serviceVersion = version; }
    QString serviceVersion() const { return m_serviceVersion; }
    void setRequestTimeoutMs(int ms) { m_timeoutMs = ms; }
    int requestTimeoutMs() const { return m_timeoutMs; }
    void setServiceUploadProgressHandler(const UploadProgress &handler) { m_progress = handler; }

    // Feeds are read from the base URL (Google's by default); sign-in goes to the auth URL
    // (<base>/accounts/ClientLogin unless set).
    void setBaseUrl(const QUrl &base);
    QUrl baseUrl() const { return m_baseUrl; }
    void setAuthUrl(const QUrl &url) { m_authUrl = url; }
    QUrl authUrl() const;

    // Replaces the credentials and drops the token signed in with the old ones. On the People
    // protocol the password is the text of the account's keychain item: its OAuth credential.
    void setUserCredentials(const QString &username, const QString &password);
    QString username() const;

    // The wire protocol of this account. Atom is the Contacts Data API under the base URL; People
    // is the People API with OAuth sign-in, its endpoints Google's unless a base URL is set, then
    // the same paths under it.
    enum class Protocol { Atom, People };
    void setProtocol(Protocol protocol);
    Protocol protocol() const { return m_protocol; }
    // The installed application's OAuth client, for the People protocol.
    void setOAuthClient(const QString &clientId, const QString &clientSecret);
    // Called with the new text of the keychain item when the token endpoint renewed the
    // credential, so the next process signs in with it.
    using CredentialRenewed = std::function<void(const QString &credentialText)>;
    void setCredentialRenewed(CredentialRenewed renewed) { m_credentialRenewed = std::move(renewed); }
    const CredentialRenewed &credentialRenewed() const { return m_credentialRenewed; }
    // How many batch feeds may be in flight at once: Google asks for the writes of one account
    // to go one after another on People.
    int maximumConcurrentWrites() const { return m_protocol == Protocol::People ? 1 : 6; }

    // Feed URLs: a default feed constant resolved against the base URL, and the projection that
    // holds only the extended property of that name.
    QUrl feedURL(const QString &defaultFeed) const;
    QUrl contactFeedURLForPropertyName(const QString &name) const;
    QUrl groupFeedURLForPropertyName(const QString &name) const;

    // The delegate is the callbacks' receiver: once it is gone, no callback runs.
    GDataServiceTicketPtr fetchContactQuery(const GDataQueryContact &query, QObject *delegate,
                                            FeedFinished finished, Failed failed);
    GDataServiceTicketPtr fetchAuthenticatedEntryWithURL(const QUrl &url,
                                                         GDataEntryBase::Kind entryClass,
                                                         QObject *delegate, EntryFinished finished,
                                                         Failed failed);
    GDataServiceTicketPtr fetchContactBatchFeedWithBatchFeed(const GDataFeed &feed,
                                                             const QUrl &batchFeedURL,
                                                             QObject *delegate,
                                                             FeedFinished finished, Failed failed);
    GDataServiceTicketPtr fetchContactEntryByInsertingEntry(const GDataEntryBase &entry,
                                                            const QUrl &feedURL, QObject *delegate,
                                                            EntryFinished finished, Failed failed);
    // With upload data on the entry, uploads a photo to the URL instead of the entry.
    GDataServiceTicketPtr fetchContactEntryByUpdatingEntry(const GDataEntryBase &entry,
                                                           const QUrl &entryURL, QObject *delegate,
                                                           EntryFinished finished, Failed failed);
    // Deletes through the entry's edit link; finished gets a null entry.
    GDataServiceTicketPtr deleteEntry(const GDataEntryBase &entry, QObject *delegate,
                                      EntryFinished finished, Failed failed);
    GDataServiceTicketPtr deleteResourceURL(const QUrl &url, const std::optional<QString> &etag,
                                            QObject *delegate, EntryFinished finished,
                                            Failed failed);

    // Whether the URL is on the service's base or sign-in host: the only hosts a request goes to,
    // so a stored identifier naming another host never carries the token there.
    bool isServiceURL(const QUrl &url) const;

    // A signed-in request for a URL of the service: auth, version and agent headers, and the ETag
    // as If-Match when the method writes.
    QNetworkRequest requestForURL(const QUrl &url, const std::optional<QString> &etag = {},
                                  const QByteArray &method = "GET") const;

    QNetworkAccessManager *networkAccessManager() const { return m_network; }

    // People protocol: the retries of its requests (six, 1 s doubling to 32 s with jitter,
    // honouring Retry-After; setIsServiceRetryEnabled(false) ends them too), the API root the
    // identifiers are made under (Google's unless a base URL is set), and whether a URL is one of
    // the API's own, the only URLs a bearer token goes to (never a photo, whatever its host).
    void setPeopleRetryPolicy(const RetryPolicy &policy) { m_peopleRetry = policy; }
    QString peopleAPIRoot() const;
    bool isPeopleAPIURL(const QUrl &url) const;
    // The small state file that keeps the lists' sync tokens: in the user's data folder unless
    // set (tests).
    void setPeopleStateFile(const QString &path);

private:
    friend class GDataRequest;
    RetryPolicy activeRetryPolicy() const;
    void configureTokenSource();

    QString m_userAgent;
    QString m_serviceVersion = QStringLiteral("2.0");
    bool m_cacheDatedData = true;
    bool m_followNextLinks = true;
    RetryPolicy m_retry;
    int m_timeoutMs = 30000;
    UploadProgress m_progress;
    QUrl m_baseUrl;
    QUrl m_authUrl;
    Protocol m_protocol = Protocol::Atom;
    QString m_oauthClientId;
    QString m_oauthClientSecret;
    CredentialRenewed m_credentialRenewed;
    QNetworkAccessManager *m_network = nullptr;
    GDataClientLogin *m_login = nullptr;
    // People protocol.
    RetryPolicy m_peopleRetry{true, 6, {1000, 2000, 4000, 8000, 16000, 32000}, 120000, 20};
    bool m_baseUrlGiven = false;
    OAuthTokenSource *m_tokens = nullptr;
    std::unique_ptr<PeopleServiceCalls> m_people;
};
