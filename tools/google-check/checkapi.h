// The check's calls to the People API, one at a time and waited for: each answer comes with the
// time it took. The calls go through the account's token source like the service's own requests;
// photos are fetched without any token, as the service fetches them.
#pragma once

#include "platform/gdata/gdataerror.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <optional>
#include <vector>

class OAuthTokenSource;
class QNetworkAccessManager;

struct CheckReply
{
    int status = 0; // 0: no answer
    QByteArray body;
    QJsonObject json;
    qint64 ms = 0;
    std::optional<GDataError> error;

    bool ok() const { return !error && status >= 200 && status < 300; }
};

// The pages of one list, followed to the end or to the first failure.
struct CheckList
{
    struct Page
    {
        qint64 ms = 0;
        int count = 0;
        std::optional<int> totalItems;
    };
    std::vector<Page> pages;
    std::vector<QByteArray> bodies;
    QJsonArray items;
    QString nextSyncToken;
    std::optional<CheckReply> failure;
};

class CheckApi
{
public:
    // apiRoot: https://people.googleapis.com, or the loopback server's base URL.
    CheckApi(QNetworkAccessManager *network, OAuthTokenSource *tokens, const QUrl &apiRoot);

    // path below the root, e.g. "v1/contactGroups".
    CheckReply call(const QByteArray &method, const QString &path, const QUrlQuery &query = {},
                    const std::optional<QJsonObject> &body = std::nullopt);
    CheckList list(const QString &path, const QUrlQuery &query, const QString &itemsKey);
    CheckReply fetchWithoutToken(const QUrl &url);
    // A token from the source, renewed first when refused is the one it holds.
    std::optional<QString> token(const QString &refused = {});

    // The root without a trailing slash, as the reader makes identifiers from it.
    QString apiText() const;
    QUrl apiRoot() const { return m_root; }

private:
    QNetworkAccessManager *m_network;
    OAuthTokenSource *m_tokens;
    QUrl m_root;
};

// Google's error object in shapes only: code, status, message, the ErrorInfo reasons and the
// types of the details.
QJsonObject errorShape(const CheckReply &reply);

// The query of a full or (with a sync token) incremental list of the account's contacts, with
// the fields and source the service reads.
QUrlQuery connectionsQuery(const QString &syncToken = {});
