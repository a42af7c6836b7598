// Google's error answers as the codes the layers above act on: per-entry statuses by name and by
// number, and whole-request failures (stale etags, refused grants, a disabled API).

#include "platform/gdata/people/peopleerrors.h"
#include "tests/platform/gdata/people/peopletestjson.h"

namespace {

struct StatusCase
{
    const char *name;
    int rpcCode;
    unsigned code;
};

class PeopleStatusCodeTest : public ::testing::TestWithParam<StatusCase>
{
};

TEST_P(PeopleStatusCodeTest, StatusByNameOrNumber_MapsToTheEntrysCode)
{
    EXPECT_EQ(peopleerrors::codeForStatusName(QString::fromLatin1(GetParam().name)),
              GetParam().code);
    const auto byNumber = peopleerrors::batchStatusForStatus(
        QJsonObject{{"code", GetParam().rpcCode}, {"message", "m"}});
    EXPECT_EQ(byNumber.code, GetParam().code);
    EXPECT_EQ(byNumber.reason, QStringLiteral("m"));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PeopleStatusCodeTest,
    ::testing::Values(StatusCase{"INVALID_ARGUMENT", 3, 400},
                      StatusCase{"FAILED_PRECONDITION", 9, 412}, StatusCase{"NOT_FOUND", 5, 404},
                      StatusCase{"PERMISSION_DENIED", 7, 403}, StatusCase{"ALREADY_EXISTS", 6, 409},
                      StatusCase{"ABORTED", 10, 409}, StatusCase{"RESOURCE_EXHAUSTED", 8, 429},
                      StatusCase{"UNAVAILABLE", 14, 503}, StatusCase{"INTERNAL", 13, 500},
                      StatusCase{"DEADLINE_EXCEEDED", 4, 500}, StatusCase{"", 99, 500}));

TEST(PeopleErrorsTest, BatchStatus_NameWinsOverNumberAndErrorInfoReasonIsTheStringValue)
{
    const auto status = peopleerrors::batchStatusForStatus(jsonObject(R"({"code": 3,
        "status": "ALREADY_EXISTS", "message": "Duplicate group name", "details": [
        {"@type": "type.googleapis.com/google.rpc.Help"},
        {"@type": "type.googleapis.com/google.rpc.ErrorInfo", "reason": "duplicateName"}]})"));
    EXPECT_EQ(status.code, 409u);
    EXPECT_EQ(status.reason, QStringLiteral("Duplicate group name"));
    EXPECT_EQ(status.stringValue, QStringLiteral("duplicateName"));
}

struct ReplyCase
{
    const char *label;
    int httpStatus;
    const char *body;
    int code;
    const char *description;
};

class PeopleErrorReplyTest : public ::testing::TestWithParam<ReplyCase>
{
};

TEST_P(PeopleErrorReplyTest, ErrorReply_MapsToTheCodeTheLayersAboveActOn)
{
    const GDataError error = peopleerrors::errorForReply(GetParam().httpStatus, GetParam().body);
    EXPECT_EQ(error.code, GetParam().code) << GetParam().label;
    EXPECT_EQ(error.description, QString::fromUtf8(GetParam().description)) << GetParam().label;
    EXPECT_EQ(error.userInfo.value(kGDataErrorResponseBodyKey).toByteArray(),
              QByteArray(GetParam().body));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, PeopleErrorReplyTest,
    ::testing::Values(
        ReplyCase{
            "stale etag, documented form", 400,
            R"({"error": {"code": 400, "message": "stale", "status": "FAILED_PRECONDITION"}})", 412,
            "stale"},
        ReplyCase{"stale etag, by reason", 400,
                  R"({"error": {"code": 400, "message": "stale", "status": "INVALID_ARGUMENT",
                      "errors": [{"reason": "failedPrecondition"}]}})",
                  412, "stale"},
        ReplyCase{"stale etag, older form", 412, R"({"error": {"code": 412, "message": "stale"}})",
                  412, "stale"},
        ReplyCase{"plain bad request", 400,
                  R"({"error": {"code": 400, "message": "Invalid personFields mask path",
                      "status": "INVALID_ARGUMENT"}})",
                  400, "Invalid personFields mask path"},
        ReplyCase{
            "refused refresh", 400,
            R"({"error": "invalid_grant", "error_description": "Token has been expired or revoked."})",
            403, "Token has been expired or revoked."},
        ReplyCase{"wrong client", 401, R"({"error": "invalid_client"})", 401, "invalid_client"},
        ReplyCase{
            "disabled API", 403,
            R"({"error": {"code": 403, "message": "People API has not been used in project 1 before or it is disabled.",
                      "status": "PERMISSION_DENIED", "details": [{"@type":
                      "type.googleapis.com/google.rpc.ErrorInfo", "reason": "SERVICE_DISABLED"}]}})",
            -1, "People API has not been used in project 1 before or it is disabled."},
        ReplyCase{"unconfigured project, older form", 403,
                  R"({"error": {"code": 403, "message": "Access Not Configured.",
                      "errors": [{"reason": "accessNotConfigured"}]}})",
                  -1, "Access Not Configured."},
        ReplyCase{"refused account", 403,
                  R"({"error": {"code": 403, "message": "The caller does not have permission",
                      "status": "PERMISSION_DENIED"}})",
                  403, "The caller does not have permission"},
        ReplyCase{"HTML error page", 502, "<html><body>Bad Gateway</body></html>", 502,
                  "HTTP status 502"}));

TEST(PeopleErrorsTest, GoogleErrorObject_GoesIntoUserInfo)
{
    const GDataError error = peopleerrors::errorForReply(
        429,
        R"({"error": {"code": 429, "message": "Quota exceeded", "status": "RESOURCE_EXHAUSTED"}})");
    const QVariantMap google = error.userInfo.value(kPeopleErrorGoogleErrorKey).toMap();
    EXPECT_EQ(google.value("status").toString(), QStringLiteral("RESOURCE_EXHAUSTED"));
    EXPECT_EQ(google.value("message").toString(), QStringLiteral("Quota exceeded"));
    EXPECT_EQ(error.code, 429);
}

} // namespace
