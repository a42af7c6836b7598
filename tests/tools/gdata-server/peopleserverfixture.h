// A loopback server with one account signed in to its People face through a minted token, and
// JSON calls to it as any client would make them.
#pragma once

#include "tests/support/gdatatestserver.h"
#include "tests/support/httptestclient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

inline const QString kPeopleUser = QStringLiteral("p@example.com");
inline const QString kClientId = QStringLiteral("test-client.apps.loopback");
inline const QString kClientSecret = QStringLiteral("client-secret");
inline const QString kAllFields = QStringLiteral(
    "names,emailAddresses,phoneNumbers,addresses,imClients,organizations,biographies,memberships,"
    "clientData,photos,metadata,birthdays,urls");

struct JsonReply
{
    int status = 0;
    QJsonObject body;
    QHash<QByteArray, QByteArray> headers;

    // The error's RPC status name ("INVALID_ARGUMENT"), empty for a success.
    QString errorStatus() const
    {
        return body.value("error").toObject().value("status").toString();
    }
};

class PeopleServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(startServer()); }

    bool startServer(const QStringList &arguments = {})
    {
        if (!server.start(arguments))
            return false;
        server.addAccount(kPeopleUser, QStringLiteral("unused"));
        server.registerOAuthClient(kClientId, kClientSecret);
        accessToken = server.mintToken(kPeopleUser, kClientId).accessToken.toLatin1();
        return !accessToken.isEmpty();
    }

    QUrl url(const QString &pathAndQuery) const
    {
        return QUrl(server.baseUrl().toString() + pathAndQuery);
    }

    JsonReply call(const QByteArray &method, const QString &pathAndQuery,
                   const QJsonObject &body = {}, bool withBody = false)
    {
        QHash<QByteArray, QByteArray> headers;
        if (!accessToken.isEmpty())
            headers.insert("Authorization", "Bearer " + accessToken);
        QByteArray payload;
        if (withBody || !body.isEmpty()) {
            payload = QJsonDocument(body).toJson(QJsonDocument::Compact);
            headers.insert("Content-Type", "application/json");
        }
        const HttpTestReply reply = httptest::send(method, url(pathAndQuery), payload, headers);
        return {reply.status, QJsonDocument::fromJson(reply.body).object(), reply.headers};
    }

    JsonReply getPerson(const QString &resourceName, const QString &fields = kAllFields)
    {
        return call("GET", QStringLiteral("/v1/%1?personFields=%2").arg(resourceName, fields));
    }

    // A contact made through the People face; its resource name.
    QString createPerson(const QJsonObject &person)
    {
        const JsonReply reply = call("POST", QStringLiteral("/v1/people:createContact"), person);
        EXPECT_EQ(reply.status, 200) << QJsonDocument(reply.body).toJson().constData();
        return reply.body.value("resourceName").toString();
    }

    static QJsonObject named(const QString &name)
    {
        return {{"names", QJsonArray{QJsonObject{{"unstructuredName", name}}}}};
    }

    GDataTestServer server;
    QByteArray accessToken;
};
