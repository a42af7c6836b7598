#include "tests/support/gdatatestserver.h"

#include "tests/support/httptestclient.h"

#include "platform/gdata/atom/atomreader.h"
#include "platform/gdata/atom/atomwriter.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>

namespace {

QByteArray jsonText(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString localIdOf(const QString &identifier)
{
    return identifier.mid(identifier.lastIndexOf(u'/') + 1);
}

} // namespace

GDataTestServer::~GDataTestServer()
{
    stop();
}

bool GDataTestServer::start(const QStringList &arguments)
{
    m_arguments = arguments;
    return launch(0, arguments);
}

bool GDataTestServer::restart()
{
    stop();
    return m_port != 0 && launch(m_port, m_arguments);
}

bool GDataTestServer::launch(quint16 port, const QStringList &arguments)
{
    m_process.setProgram(QStringLiteral(TOLVANE_GDATA_SERVER));
    m_process.setArguments(QStringList{QStringLiteral("--port"), QString::number(port)} +
                           arguments);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    // The server ends with the test's process even when that one is killed or aborts: a server
    // left running holds the test's inherited output open, so the runner waits for it until its
    // time-out and reports a crash as a hang.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return false;
    static const QRegularExpression listening(
        QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QByteArray output;
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(100);
        output += m_process.readAllStandardOutput();
        const auto match = listening.match(QString::fromUtf8(output));
        if (match.hasMatch()) {
            m_port = quint16(match.captured(1).toUInt());
            static const QRegularExpression photos(
                QStringLiteral("photos on 127\\.0\\.0\\.1:(\\d+)"));
            m_photoPort = quint16(photos.match(QString::fromUtf8(output)).captured(1).toUInt());
            return true;
        }
    }
    ADD_FAILURE() << "gdata-server did not start: " << m_process.readAllStandardError().constData();
    return false;
}

void GDataTestServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QUrl GDataTestServer::baseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port));
}

QByteArray GDataTestServer::admin(const QByteArray &method, const QString &action,
                                  const QByteArray &body, const QString &query,
                                  const QByteArray &contentType)
{
    QUrl url = baseUrl();
    url.setPath(QStringLiteral("/_admin/") + action);
    url.setQuery(query);
    const HttpTestReply reply = httptest::send(method, url, body, {{"Content-Type", contentType}});
    EXPECT_EQ(reply.status, 200) << "admin " << action.toStdString() << ": "
                                 << reply.body.constData();
    return reply.body;
}

void GDataTestServer::addAccount(const QString &email, const QString &password)
{
    admin("POST", QStringLiteral("accounts"), jsonText({{"email", email}, {"password", password}}));
}

namespace {

QStringList idsOf(const QByteArray &answer)
{
    QStringList ids;
    for (const QJsonValue &id : QJsonDocument::fromJson(answer).object().value("ids").toArray())
        ids.append(id.toString());
    return ids;
}

QString userQuery(const QString &email, const char *kind)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("user"), email);
    query.addQueryItem(QStringLiteral("kind"), QString::fromLatin1(kind));
    return query.toString(QUrl::FullyEncoded);
}

} // namespace

QStringList GDataTestServer::seedContacts(const QString &email,
                                          const std::vector<GDataEntryPtr> &contacts)
{
    GDataFeed feed(GDataEntryBase::Kind::Contact);
    feed.setEntriesWithEntries(contacts);
    return idsOf(admin("POST", QStringLiteral("seed"), atomwriter::feedXML(feed),
                       userQuery(email, "contacts"), "application/atom+xml"));
}

QStringList GDataTestServer::seedGroups(const QString &email,
                                        const std::vector<GDataEntryPtr> &groups)
{
    GDataFeed feed(GDataEntryBase::Kind::ContactGroup);
    feed.setEntriesWithEntries(groups);
    return idsOf(admin("POST", QStringLiteral("seed"), atomwriter::feedXML(feed),
                       userQuery(email, "groups"), "application/atom+xml"));
}

void GDataTestServer::generateContacts(const QString &email, int count)
{
    admin("POST", QStringLiteral("generate"), {},
          userQuery(email, "contacts") + QStringLiteral("&count=%1").arg(count));
}

QString GDataTestServer::setPhoto(const QString &email, const QString &identifier,
                                  const QByteArray &data, const QByteArray &type)
{
    const QByteArray answer =
        admin("PUT", QStringLiteral("photo"), data,
              userQuery(email, "contacts") + QStringLiteral("&id=") + localIdOf(identifier), type);
    return QJsonDocument::fromJson(answer).object().value("etag").toString();
}

GDataFeedPtr GDataTestServer::entries(const QString &email, GDataEntryBase::Kind kind)
{
    const bool contacts = kind == GDataEntryBase::Kind::Contact;
    const QByteArray xml = admin("GET", QStringLiteral("entries"), {},
                                 userQuery(email, contacts ? "contacts" : "groups"));
    const auto feed = atomreader::parseFeed(xml, kind);
    EXPECT_TRUE(feed.has_value());
    return feed ? *feed : std::make_shared<GDataFeed>(kind);
}

QJsonArray GDataTestServer::requestLog()
{
    return QJsonDocument::fromJson(admin("GET", QStringLiteral("log")))
        .object()
        .value("requests")
        .toArray();
}

QStringList GDataTestServer::requestsTo(const QString &pathPart)
{
    QStringList paths;
    for (const QJsonValue &request : requestLog()) {
        const QString url = request.toObject().value("url").toString();
        if (url.contains(pathPart))
            paths << url;
    }
    return paths;
}

void GDataTestServer::clearRequestLog()
{
    admin("DELETE", QStringLiteral("log"));
}

void GDataTestServer::injectFault(const QString &pathContains, int status, int count, int delayMs,
                                  bool drop, const QByteArray &method)
{
    admin("POST", QStringLiteral("faults"),
          jsonText({{"path", pathContains},
                    {"status", status},
                    {"count", count},
                    {"delayMs", delayMs},
                    {"drop", drop},
                    {"method", QString::fromLatin1(method)}}));
}

void GDataTestServer::injectRetryAfter(const QString &pathContains, int status,
                                       const QString &retryAfter, int count,
                                       const QByteArray &method)
{
    admin("POST", QStringLiteral("faults"),
          jsonText({{"path", pathContains},
                    {"status", status},
                    {"count", count},
                    {"retryAfter", retryAfter},
                    {"method", QString::fromLatin1(method)}}));
}

void GDataTestServer::injectApplyThenDrop(const QString &pathContains, int count,
                                          const QByteArray &method)
{
    admin("POST", QStringLiteral("faults"),
          jsonText({{"path", pathContains},
                    {"count", count},
                    {"applyThenDrop", true},
                    {"method", QString::fromLatin1(method)}}));
}

void GDataTestServer::injectCutBody(const QString &pathContains, int count,
                                    const QByteArray &method)
{
    admin("POST", QStringLiteral("faults"),
          jsonText({{"path", pathContains},
                    {"count", count},
                    {"cutBody", true},
                    {"method", QString::fromLatin1(method)}}));
}

void GDataTestServer::injectQueryFault(const QString &pathContains, const QString &queryContains,
                                       QueryFault kind, int status, int count)
{
    admin("POST", QStringLiteral("faults"),
          jsonText({{"path", pathContains},
                    {"query", queryContains},
                    {"status", kind == QueryFault::Status ? status : 0},
                    {"count", count},
                    {"drop", kind == QueryFault::Drop},
                    {"cutBody", kind == QueryFault::CutBody},
                    {"malformed", kind == QueryFault::MalformedBody}}));
}

void GDataTestServer::clearFaults()
{
    admin("DELETE", QStringLiteral("faults"));
}

void GDataTestServer::injectBatchEntryStatus(const QString &batchId, int code,
                                             const QString &reason)
{
    admin("POST", QStringLiteral("batch-status"),
          jsonText({{"batchId", batchId}, {"code", code}, {"reason", reason}}));
}

void GDataTestServer::interruptNextBatch(int after, const QString &reason)
{
    admin("POST", QStringLiteral("batch-interrupt"),
          jsonText({{"after", after}, {"reason", reason}}));
}

void GDataTestServer::failNextSignIn(const QString &error, int count)
{
    admin("POST", QStringLiteral("login-failure"), jsonText({{"error", error}, {"count", count}}));
}

void GDataTestServer::setOptions(const QJsonObject &options)
{
    admin("POST", QStringLiteral("options"), jsonText(options));
}

void GDataTestServer::reset()
{
    admin("POST", QStringLiteral("reset"));
}

void GDataTestServer::registerOAuthClient(const QString &clientId, const QString &secret)
{
    admin("POST", QStringLiteral("oauth-clients"),
          jsonText({{"id", clientId}, {"secret", secret}}));
}

GDataTestServer::MintedToken
GDataTestServer::mintToken(const QString &email, const QString &clientId, const QString &scope)
{
    const QJsonObject answer =
        QJsonDocument::fromJson(
            admin("POST", QStringLiteral("mint-token"),
                  jsonText({{"user", email}, {"client", clientId}, {"scope", scope}})))
            .object();
    return {answer.value("refresh_token").toString(), answer.value("access_token").toString(),
            answer.value("expires_in").toInt()};
}

void GDataTestServer::expireTokens(const QString &email, bool revoke)
{
    admin("POST", QStringLiteral("expire-tokens"), jsonText({{"user", email}, {"revoke", revoke}}));
}

QJsonObject GDataTestServer::peopleJson(const QString &email, const QString &identifierOrName,
                                        bool groups)
{
    QUrlQuery query(userQuery(email, groups ? "groups" : "contacts"));
    query.addQueryItem(QStringLiteral("id"), groups ? identifierOrName
                                             : identifierOrName.startsWith(u'p')
                                                 ? identifierOrName
                                                 : localIdOf(identifierOrName));
    return QJsonDocument::fromJson(
               admin("GET", QStringLiteral("person"), {}, query.toString(QUrl::FullyEncoded)))
        .object();
}

QString GDataTestServer::seedPerson(const QString &email, const QJsonObject &person)
{
    return QJsonDocument::fromJson(admin("POST", QStringLiteral("person"), jsonText(person),
                                         userQuery(email, "contacts")))
        .object()
        .value("resourceName")
        .toString();
}

void GDataTestServer::refusePeopleBatchEntry(int index, int status, const QString &message)
{
    admin("POST", QStringLiteral("people-batch-refusal"),
          jsonText({{"index", index}, {"code", status}, {"reason", message}}));
}

void GDataTestServer::refusePeopleBatchEntry(const QString &resourceName, int status,
                                             const QString &message)
{
    admin("POST", QStringLiteral("people-batch-refusal"),
          jsonText({{"name", resourceName}, {"code", status}, {"reason", message}}));
}

void GDataTestServer::injectOAuthError(const QString &pathContains, int status,
                                       const QString &error, int count)
{
    admin(
        "POST", QStringLiteral("faults"),
        jsonText({{"path", pathContains}, {"status", status}, {"count", count}, {"error", error}}));
}

void GDataTestServer::expireSyncTokens()
{
    admin("POST", QStringLiteral("expire-sync-tokens"));
}

int GDataTestServer::mostMutationsInFlight(const QString &email)
{
    return QJsonDocument::fromJson(admin("GET", QStringLiteral("log")))
        .object()
        .value("mostMutationsInFlight")
        .toObject()
        .value(email.toLower())
        .toInt();
}

void GDataTestServer::injectReplacedAnswer(const QString &pathContains,
                                           const QString &queryContains, const QByteArray &body,
                                           const QByteArray &contentType, int count)
{
    admin("POST", QStringLiteral("faults"),
          jsonText({{"path", pathContains},
                    {"query", queryContains},
                    {"count", count},
                    {"replacementBody", QString::fromUtf8(body)},
                    {"replacementType", QString::fromLatin1(contentType)}}));
}
