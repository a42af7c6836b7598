// A loopback server with one account and one registered OAuth client, for the sign-in and token
// tests of the client side, and a wait on the event loop.
#pragma once

#include "platform/gdata/oauth/oauthendpoints.h"
#include "tests/support/gdatatestserver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

inline const QString kOAuthUser = QStringLiteral("signin@example.com");
inline const QString kOAuthClientId = QStringLiteral("tolvane-test.apps.loopback");
inline const QString kOAuthClientSecret = QStringLiteral("client-secret-9f8e7d");

class OAuthClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        server.addAccount(kOAuthUser, QStringLiteral("unused"));
        server.registerOAuthClient(kOAuthClientId, kOAuthClientSecret);
    }

    OAuthEndpoints endpoints() const { return oauthEndpointsForBaseURL(server.baseUrl()); }

    QUrl apiUrl(const QString &pathAndQuery) const
    {
        return QUrl(server.baseUrl().toString() + pathAndQuery);
    }

    // Runs the event loop until the flag is set; false when it was not within the time.
    static bool waitFor(const bool &flag, int timeoutMs = 30000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!flag && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        return flag;
    }

    GDataTestServer server;
    QNetworkAccessManager network;
};
