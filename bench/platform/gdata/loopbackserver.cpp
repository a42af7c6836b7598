#include "bench/platform/gdata/loopbackserver.h"

#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/entries/gdatafeed.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QUrlQuery>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/prctl.h>

namespace {

constexpr int kStartTimeoutMs = 20000;
constexpr int kAdminTimeoutMs = 300000;

QString userQuery(const QString &email)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("user"), email);
    query.addQueryItem(QStringLiteral("kind"), QStringLiteral("contacts"));
    return query.toString(QUrl::FullyEncoded);
}

} // namespace

LoopbackServer::~LoopbackServer()
{
    stop();
}

bool LoopbackServer::start(const QString &stateFile)
{
    m_stateFile = stateFile;
    return launch(0);
}

bool LoopbackServer::restart()
{
    stop();
    return m_port != 0 && launch(m_port);
}

void LoopbackServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool LoopbackServer::launch(quint16 port)
{
    m_process.setProgram(QStringLiteral(TOLVANE_GDATA_SERVER));
    QStringList arguments{QStringLiteral("--port"), QString::number(port)};
    if (!m_stateFile.isEmpty())
        arguments << QStringLiteral("--state") << m_stateFile;
    m_process.setArguments(arguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The server ends with the benchmark even when that one is killed: a server left running
    // keeps the benchmark's output open.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process.start();
    if (!m_process.waitForStarted(kStartTimeoutMs))
        return false;
    static const QRegularExpression listening(
        QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QByteArray output;
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(20);
        output += m_process.readAllStandardOutput();
        const auto match = listening.match(QString::fromUtf8(output));
        if (match.hasMatch()) {
            m_port = quint16(match.captured(1).toUInt());
            return true;
        }
    }
    return false;
}

QUrl LoopbackServer::baseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port));
}

std::optional<QByteArray> LoopbackServer::admin(const QByteArray &method, const QString &action,
                                                const QByteArray &body, const QString &query,
                                                const QByteArray &contentType)
{
    QUrl url = baseUrl();
    url.setPath(QStringLiteral("/_admin/") + action);
    url.setQuery(query, QUrl::StrictMode);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    request.setTransferTimeout(kAdminTimeoutMs);
    std::unique_ptr<QNetworkReply> reply(m_network.sendCustomRequest(request, method, body));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    const QByteArray answer = reply->readAll();
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200) {
        std::fprintf(stderr, "gdata-server refused %s: %s %s\n", qPrintable(action),
                     qPrintable(reply->errorString()), answer.constData());
        return std::nullopt;
    }
    return answer;
}

bool LoopbackServer::addAccount(const QString &email, const QString &password)
{
    const QJsonObject account{{"email", email}, {"password", password}};
    return admin("POST", QStringLiteral("accounts"),
                 QJsonDocument(account).toJson(QJsonDocument::Compact))
        .has_value();
}

bool LoopbackServer::seedContacts(const QString &email, const std::vector<GDataEntryPtr> &contacts)
{
    GDataFeed feed(GDataEntryBase::Kind::Contact);
    feed.setEntriesWithEntries(contacts);
    return admin("POST", QStringLiteral("seed"), atomwriter::feedXML(feed), userQuery(email),
                 "application/atom+xml")
        .has_value();
}

bool LoopbackServer::reset()
{
    return admin("POST", QStringLiteral("reset"), {}).has_value();
}

bool LoopbackServer::registerOAuthClient(const QString &clientId, const QString &secret)
{
    const QJsonObject client{{"id", clientId}, {"secret", secret}};
    return admin("POST", QStringLiteral("oauth-clients"),
                 QJsonDocument(client).toJson(QJsonDocument::Compact))
        .has_value();
}

QString LoopbackServer::mintRefreshToken(const QString &email, const QString &clientId)
{
    const QJsonObject grant{{"user", email}, {"client", clientId}, {"scope", QString()}};
    const std::optional<QByteArray> answer =
        admin("POST", QStringLiteral("mint-token"),
              QJsonDocument(grant).toJson(QJsonDocument::Compact));
    return answer ? QJsonDocument::fromJson(*answer).object().value("refresh_token").toString()
                  : QString();
}

QString LoopbackServer::myContactsGroupId(const QString &email) const
{
    return baseUrl().toString() + QStringLiteral("/m8/feeds/groups/") +
           QString::fromLatin1(QUrl::toPercentEncoding(email)) + QStringLiteral("/base/6");
}

QJsonArray LoopbackServer::requestLog()
{
    const std::optional<QByteArray> answer = admin("GET", QStringLiteral("log"), {});
    return answer ? QJsonDocument::fromJson(*answer).object().value("requests").toArray()
                  : QJsonArray();
}

bool LoopbackServer::clearRequestLog()
{
    return admin("DELETE", QStringLiteral("log"), {}).has_value();
}
