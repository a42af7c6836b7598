#include "tools/google-check/checkapi.h"

#include "platform/gdata/oauth/oauthauthorizedrequest.h"
#include "platform/gdata/oauth/oauthtokensource.h"
#include "platform/gdata/people/peopleconstants.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

constexpr int kRequestTimeoutMs = 120000;

QJsonObject objectOf(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object();
}

} // namespace

CheckApi::CheckApi(QNetworkAccessManager *network, OAuthTokenSource *tokens, const QUrl &apiRoot)
    : m_network(network)
    , m_tokens(tokens)
    , m_root(apiRoot)
{}

QString CheckApi::apiText() const
{
    QString text = m_root.toString();
    while (text.endsWith(u'/'))
        text.chop(1);
    return text;
}

CheckReply CheckApi::call(const QByteArray &method, const QString &path, const QUrlQuery &query,
                          const std::optional<QJsonObject> &body)
{
    QUrl url(apiText() + u'/' + path);
    url.setQuery(query);
    OAuthAuthorizedRequest::Spec spec{method, url, {}, {}, kRequestTimeoutMs};
    if (body) {
        spec.body = QJsonDocument(*body).toJson(QJsonDocument::Compact);
        spec.contentType = "application/json";
    }
    CheckReply reply;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    OAuthAuthorizedRequest::send(
        m_tokens, m_network, spec,
        [&](const std::optional<GDataError> &error, const OAuthAuthorizedRequest::Answer &answer) {
            reply.ms = clock.elapsed();
            reply.status = answer.status;
            reply.body = answer.body;
            reply.json = objectOf(answer.body);
            reply.error = error;
            loop.quit();
        });
    loop.exec();
    return reply;
}

CheckList CheckApi::list(const QString &path, const QUrlQuery &query, const QString &itemsKey)
{
    CheckList result;
    QString pageToken;
    do {
        QUrlQuery pageQuery = query;
        if (!pageToken.isEmpty())
            pageQuery.addQueryItem(QStringLiteral("pageToken"),
                                   QString::fromLatin1(QUrl::toPercentEncoding(pageToken)));
        const CheckReply reply = call("GET", path, pageQuery);
        if (!reply.ok()) {
            result.failure = reply;
            return result;
        }
        const QJsonArray items = reply.json.value(itemsKey).toArray();
        CheckList::Page page{reply.ms, int(items.size()), std::nullopt};
        if (reply.json.contains(QLatin1String("totalItems")))
            page.totalItems = reply.json.value(QLatin1String("totalItems")).toInt();
        result.pages.push_back(page);
        result.bodies.push_back(reply.body);
        for (const QJsonValue &item : items)
            result.items.append(item);
        const QString syncToken = reply.json.value(QLatin1String("nextSyncToken")).toString();
        if (!syncToken.isEmpty())
            result.nextSyncToken = syncToken;
        pageToken = reply.json.value(QLatin1String("nextPageToken")).toString();
    } while (!pageToken.isEmpty());
    return result;
}

CheckReply CheckApi::fetchWithoutToken(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(kRequestTimeoutMs);
    CheckReply reply;
    QElapsedTimer clock;
    clock.start();
    QNetworkReply *answer = m_network->get(request);
    QEventLoop loop;
    QObject::connect(answer, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply.ms = clock.elapsed();
    reply.status = answer->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    reply.body = answer->readAll();
    answer->deleteLater();
    return reply;
}

std::optional<QString> CheckApi::token(const QString &refused)
{
    if (!refused.isEmpty())
        m_tokens->dropAccessToken(refused);
    std::optional<QString> token;
    QEventLoop loop;
    m_tokens->authorize([&](const std::optional<GDataError> &error, const QString &given) {
        if (!error)
            token = given;
        loop.quit();
    });
    loop.exec();
    return token;
}

QJsonObject errorShape(const CheckReply &reply)
{
    QJsonObject shape{{"httpStatus", reply.status}};
    if (reply.status == 0 && reply.error)
        shape.insert("networkError", reply.error->code);
    const QJsonObject error = reply.json.value(QLatin1String("error")).toObject();
    if (error.isEmpty()) {
        shape.insert("jsonErrorBody", false);
        return shape;
    }
    shape.insert("jsonErrorBody", true);
    shape.insert("code", error.value(QLatin1String("code")));
    shape.insert("status", error.value(QLatin1String("status")));
    shape.insert("message", error.value(QLatin1String("message")));
    QJsonArray reasons;
    QJsonArray types;
    for (const QJsonValue &detail : error.value(QLatin1String("details")).toArray()) {
        const QJsonObject item = detail.toObject();
        types.append(item.value(QLatin1String("@type")));
        if (item.contains(QLatin1String("reason")))
            reasons.append(item.value(QLatin1String("reason")));
    }
    for (const QJsonValue &item : error.value(QLatin1String("errors")).toArray())
        reasons.append(item.toObject().value(QLatin1String("reason")));
    shape.insert("reasons", reasons);
    shape.insert("detailTypes", types);
    return shape;
}

QUrlQuery connectionsQuery(const QString &syncToken)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("personFields"), QLatin1String(kPeoplePersonFields));
    query.addQueryItem(QStringLiteral("sources"), QLatin1String(kPeopleReadSourceContact));
    query.addQueryItem(QStringLiteral("pageSize"), QStringLiteral("1000"));
    query.addQueryItem(QStringLiteral("requestSyncToken"), QStringLiteral("true"));
    if (!syncToken.isEmpty())
        query.addQueryItem(QStringLiteral("syncToken"),
                           QString::fromLatin1(QUrl::toPercentEncoding(syncToken)));
    return query;
}
