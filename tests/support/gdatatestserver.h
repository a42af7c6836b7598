// A loopback Google Contacts server for one test: started on a free port, with accounts, entries
// and photos seeded through its control endpoint, its request log and its faults at hand. The
// process ends with the object.
#pragma once

#include "platform/gdata/entries/gdatafeed.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QUrl>

class GDataTestServer
{
public:
    GDataTestServer() = default;
    ~GDataTestServer();
    GDataTestServer(const GDataTestServer &) = delete;
    GDataTestServer &operator=(const GDataTestServer &) = delete;

    // Starts the server with extra arguments (say "--state", file); false when it did not come up.
    bool start(const QStringList &arguments = {});
    void stop();
    // After a stop: the server again on the port it had, with the arguments of its start (a
    // "--state" file keeps the accounts), so clients keep their base URL.
    bool restart();
    quint16 port() const { return m_port; }
    QUrl baseUrl() const;

    void addAccount(const QString &email, const QString &password);
    // Inserts the entries through the full projection; their identifiers, in order.
    QStringList seedContacts(const QString &email, const std::vector<GDataEntryPtr> &contacts);
    QStringList seedGroups(const QString &email, const std::vector<GDataEntryPtr> &groups);
    void generateContacts(const QString &email, int count);
    // The photo's ETag.
    QString setPhoto(const QString &email, const QString &identifier, const QByteArray &data,
                     const QByteArray &type = "image/jpeg");
    // Every entry as stored, tombstones included, through the full projection.
    GDataFeedPtr entries(const QString &email, GDataEntryBase::Kind kind);

    QJsonArray requestLog();
    // The URLs of the logged requests that hold the text, in order.
    QStringList requestsTo(const QString &pathPart);
    void clearRequestLog();
    // The next `count` requests whose path holds pathContains get the status (0: normal answer),
    // after delayMs, or no answer at all when drop is set.
    void injectFault(const QString &pathContains, int status, int count = 1, int delayMs = 0,
                     bool drop = false, const QByteArray &method = {});
    // The next `count` requests whose path holds pathContains (and of that method, unless empty)
    // get the status with a Retry-After header (seconds, or an HTTP date), as a rate limit
    // answers; they are not applied.
    void injectRetryAfter(const QString &pathContains, int status, const QString &retryAfter,
                          int count = 1, const QByteArray &method = {});
    // The next `count` requests whose path holds pathContains (and of that method, unless empty)
    // are applied as usual, then their connection is closed without an answer: the server holds
    // the change, the client never hears of it.
    void injectApplyThenDrop(const QString &pathContains, int count = 1,
                             const QByteArray &method = {});
    // The next `count` answers to requests whose path holds pathContains (and of that method,
    // unless empty) announce their whole length but stop half-way, and the connection closes.
    void injectCutBody(const QString &pathContains, int count = 1, const QByteArray &method = {});
    // How a request that a query fault meets is answered.
    enum class QueryFault { Status, Drop, CutBody, MalformedBody };
    // The next `count` requests whose path holds pathContains and whose query holds
    // queryContains (a later page of a feed: "start-index=101"): the status, no answer at all, an
    // answer that announces its whole length but stops half-way, or an answer in full whose body
    // breaks off half-way.
    void injectQueryFault(const QString &pathContains, const QString &queryContains,
                          QueryFault kind, int status = 0, int count = 1);
    // Every fault not yet used is dropped.
    void clearFaults();
    void injectBatchEntryStatus(const QString &batchId, int code, const QString &reason);
    void interruptNextBatch(int after, const QString &reason);
    void failNextSignIn(const QString &error, int count = 1);
    void setOptions(const QJsonObject &options);
    void reset();

    // People face and OAuth.
    // The port of the People face's photos when the server was started with "--photo-port".
    quint16 photoPort() const { return m_photoPort; }
    void registerOAuthClient(const QString &clientId, const QString &secret);
    struct MintedToken
    {
        QString refreshToken;
        QString accessToken;
        int expiresIn = 0;
    };
    // A grant of the account to the client as a sign-in would make it, without the browser;
    // empty scope: contacts, openid and email.
    MintedToken mintToken(const QString &email, const QString &clientId, const QString &scope = {});
    // The account's access tokens expire at once; with revoke, its refresh tokens end too.
    void expireTokens(const QString &email, bool revoke = false);
    // The entry as the People face shows it, every field: a contact by its identifier or
    // resource name, or a group (groups: true) by its resource name.
    QJsonObject peopleJson(const QString &email, const QString &identifierOrName,
                           bool groups = false);
    // A Person stored as sent, fields the Atom face cannot show included; its resource name.
    QString seedPerson(const QString &email, const QJsonObject &person);
    // The next People batch refuses one contact: a create by its index, an update by its
    // resource name, with that HTTP status and message.
    void refusePeopleBatchEntry(int index, int status, const QString &message);
    void refusePeopleBatchEntry(const QString &resourceName, int status, const QString &message);
    // The next `count` requests whose path holds pathContains get the status with an OAuth error
    // body ("invalid_grant" for a refresh the service refuses).
    void injectOAuthError(const QString &pathContains, int status, const QString &error,
                          int count = 1);
    // Every sync token handed out so far is expired.
    void expireSyncTokens();
    // The most data-changing requests of the account that were in flight at once.
    int mostMutationsInFlight(const QString &email);
    // Replaced answers: the next `count` requests whose path holds pathContains and whose query
    // holds queryContains are not applied and get this body whole, with status 200.
    void injectReplacedAnswer(const QString &pathContains, const QString &queryContains,
                              const QByteArray &body, const QByteArray &contentType,
                              int count = 1);

private:
    bool launch(quint16 port, const QStringList &arguments);
    QByteArray admin(const QByteArray &method, const QString &action, const QByteArray &body = {},
                     const QString &query = {}, const QByteArray &contentType = "application/json");

    QProcess m_process;
    quint16 m_port = 0;
    quint16 m_photoPort = 0;
    QStringList m_arguments;
};
