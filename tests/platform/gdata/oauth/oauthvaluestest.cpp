// The values of OAuth sign-in that need no network: the keychain credential, the endpoints, the
// proof key and how failures map to the codes the layers above act on.

#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/gdata/oauth/oauthendpoints.h"
#include "platform/gdata/oauth/oautherrors.h"
#include "platform/gdata/oauth/oauthpkce.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString kClient = QStringLiteral("mine.apps.googleusercontent.com");

TEST(OAuthCredentialTest, Parse_AcceptsOnlyACredentialOfThisClient)
{
    struct Case
    {
        const char *label;
        QString text;
        bool accepted;
    };
    const Case cases[] = {
        {"the stored form",
         R"({"v":1,"clientId":"mine.apps.googleusercontent.com","refreshToken":"1//r","scope":"s"})",
         true},
        {"keys in another order, no scope",
         R"({"refreshToken":"1//r","clientId":"mine.apps.googleusercontent.com","v":1})", true},
        {"an old password", "hunter2", false},
        {"an empty item", "", false},
        {"a password that is a JSON number", "12345", false},
        {"another client's grant",
         R"({"v":1,"clientId":"other.apps.googleusercontent.com","refreshToken":"1//r"})", false},
        {"a later version",
         R"({"v":2,"clientId":"mine.apps.googleusercontent.com","refreshToken":"1//r"})", false},
        {"the version as text",
         R"({"v":"1","clientId":"mine.apps.googleusercontent.com","refreshToken":"1//r"})", false},
        {"no refresh token", R"({"v":1,"clientId":"mine.apps.googleusercontent.com"})", false},
        {"an empty refresh token",
         R"({"v":1,"clientId":"mine.apps.googleusercontent.com","refreshToken":""})", false},
        {"a refresh token that is not text",
         R"({"v":1,"clientId":"mine.apps.googleusercontent.com","refreshToken":7})", false},
        {"truncated", R"({"v":1,"clientId":"mine.apps.googleusercontent.com","refresh)", false},
        {"an array", R"([1,"mine.apps.googleusercontent.com","1//r"])", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const std::optional<OAuthCredential> credential = parseOAuthCredential(c.text, kClient);
        ASSERT_EQ(credential.has_value(), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(credential->clientId, kClient);
            EXPECT_EQ(credential->refreshToken, "1//r");
        }
    }
    // Without a client configured, nothing signs in.
    EXPECT_FALSE(parseOAuthCredential(R"({"v":1,"clientId":"","refreshToken":"1//r"})", QString()));
}

TEST(OAuthCredentialTest, Serialize_ReadsBackWhateverTheTokensHold)
{
    const OAuthCredential written{
        kClient, QStringLiteral("1//0g\"quoted\\&+/=é"),
        QStringLiteral("https://www.googleapis.com/auth/contacts openid")};
    const QString text = serializeOAuthCredential(written);
    EXPECT_TRUE(text.startsWith(QLatin1String("{\"v\":1,"))) << text.toStdString();
    const std::optional<OAuthCredential> read = parseOAuthCredential(text, kClient);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->refreshToken, written.refreshToken);
    EXPECT_EQ(read->scope, written.scope);
}

TEST(OAuthEndpointsTest, Endpoints_GooglesWithoutABaseURLTheSamePathsUnderOne)
{
    struct Case
    {
        QString base;
        QString authorization;
        QString token;
        QString revoke;
    };
    const Case cases[] = {
        {"", "https://accounts.google.com/o/oauth2/v2/auth", "https://oauth2.googleapis.com/token",
         "https://oauth2.googleapis.com/revoke"},
        {"http://127.0.0.1:5000", "http://127.0.0.1:5000/o/oauth2/v2/auth",
         "http://127.0.0.1:5000/token", "http://127.0.0.1:5000/revoke"},
        {"http://127.0.0.1:5000/", "http://127.0.0.1:5000/o/oauth2/v2/auth",
         "http://127.0.0.1:5000/token", "http://127.0.0.1:5000/revoke"},
        {"http://127.0.0.1:5000/google/", "http://127.0.0.1:5000/google/o/oauth2/v2/auth",
         "http://127.0.0.1:5000/google/token", "http://127.0.0.1:5000/google/revoke"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.base.toStdString());
        const OAuthEndpoints endpoints = oauthEndpointsForBaseURL(QUrl(c.base));
        EXPECT_EQ(endpoints.authorization.toString(), c.authorization);
        EXPECT_EQ(endpoints.token.toString(), c.token);
        EXPECT_EQ(endpoints.revoke.toString(), c.revoke);
    }
}

TEST(OAuthPkceTest, Challenge_IsTheS256OfTheVerifierAndVerifiersAreFreshAndWellFormed)
{
    // The example of RFC 7636, appendix B.
    EXPECT_EQ(oauthCodeChallenge(QStringLiteral("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk")),
              "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
    const QRegularExpression unreserved(QStringLiteral("^[A-Za-z0-9._~-]{43,128}$"));
    const QString first = makeOAuthCodeVerifier();
    const QString second = makeOAuthCodeVerifier();
    EXPECT_TRUE(unreserved.match(first).hasMatch()) << first.toStdString();
    EXPECT_NE(first, second);
    EXPECT_NE(makeOAuthState(), makeOAuthState());
    EXPECT_GE(makeOAuthState().size(), 16);
}

TEST(OAuthErrorsTest, Failures_MapToRefusedDisabledOrPlainHTTP)
{
    struct Case
    {
        const char *label;
        bool tokenEndpoint;
        int status;
        QByteArray body;
        int code;
        QString description; // empty: not checked
    };
    const QByteArray disabled =
        R"({"error":{"code":403,"message":"People API has not been used in project 42 before or it is disabled.","status":"PERMISSION_DENIED","details":[{"@type":"type.googleapis.com/google.rpc.ErrorInfo","reason":"SERVICE_DISABLED","domain":"googleapis.com"}]}})";
    const QByteArray legacyDisabled =
        R"({"error":{"code":403,"message":"Access Not Configured.","errors":[{"reason":"accessNotConfigured"}]}})";
    const QByteArray scopeMissing =
        R"({"error":{"code":403,"message":"Request had insufficient authentication scopes.","status":"PERMISSION_DENIED","details":[{"@type":"type.googleapis.com/google.rpc.ErrorInfo","reason":"ACCESS_TOKEN_SCOPE_INSUFFICIENT"}]}})";
    const Case cases[] = {
        {"refresh of a revoked grant", true, 400, R"({"error":"invalid_grant"})", 403, {}},
        {"a client whose secret changed", true, 401, R"({"error":"invalid_client"})", 403, {}},
        {"the token endpoint down", true, 503, "<html>busy</html>", 503, {}},
        {"a token endpoint error of another kind",
         true,
         400,
         R"({"error":"invalid_request"})",
         400,
         {}},
        {"the API disabled", false, 403, disabled, -1,
         "People API has not been used in project 42 before or it is disabled."},
        {"the API disabled, older error form", false, 403, legacyDisabled, -1,
         "Access Not Configured."},
        {"a scope missing from the grant", false, 403, scopeMissing, 403, {}},
        {"a 403 without a body", false, 403, "", 403, {}},
        {"a stale etag",
         false,
         400,
         R"({"error":{"code":400,"status":"FAILED_PRECONDITION"}})",
         400,
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const GDataError error = c.tokenEndpoint ? oauthTokenEndpointError(c.status, c.body)
                                                 : oauthAPIError(c.status, c.body);
        EXPECT_EQ(error.code, c.code);
        if (!c.description.isEmpty()) {
            EXPECT_EQ(error.description, c.description);
        }
        EXPECT_EQ(error.userInfo.value(QLatin1String(kGDataErrorResponseBodyKey)).toByteArray(),
                  c.body);
    }
}

} // namespace
