// The plain form of JSON that the scanner reads on its own: whatever it takes, Qt's parser takes
// and reads to the same strings; what it leaves to the parser is what the two might read apart.

#include "platform/gdata/people/peoplejson.h"
#include "tests/platform/gdata/people/peopletestjson.h"

namespace {

struct PlainCase
{
    const char *text;
    bool plain;
};

class PeopleJSONPlainTest : public ::testing::TestWithParam<PlainCase>
{
};

TEST_P(PeopleJSONPlainTest, PlainForm_OnlyWhatTheParserReadsAlike)
{
    const QByteArray text(GetParam().text);
    EXPECT_EQ(peoplejson::isPlainJSON(text), GetParam().plain);
    if (!GetParam().plain)
        return;
    // Every plain text here is an object whose "s", when there, is a string.
    const QJsonObject parsed = jsonObject(text.constData());
    const auto member = peoplejson::memberText(text, "s");
    if (member && member->startsWith('"')) {
        EXPECT_EQ(peoplejson::decodeString(*member), parsed.value("s").toString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PeopleJSONPlainTest,
    ::testing::Values(
        PlainCase{R"({})", true}, PlainCase{R"( { "s" : "a" , "n" : [ 1 , -0.5 , 0 ] } )", true},
        PlainCase{R"({"s": "", "t": true, "f": false, "z": null, "o": {"a": [[], {}]}})", true},
        PlainCase{R"({"s": "\"q\" \\ \/ \b\f\n\r\t"})", true},
        PlainCase{R"({"t": "ends\\", "s": "\\\"q\\\\\"", "u": "\\"})", true},
        PlainCase{R"({"s": "\u00e9\u65e5\ud83d\ude00\u0000"})", true},
        PlainCase{"{\"s\": \"Zo\xc3\xab \xe6\x97\xa5 \xf0\x9f\x98\x80 \xef\xbf\xbf\"}", true},
        PlainCase{R"({"s\u0073": "a", "s": "b", "s": "c"})", true},
        // Read by Qt's parser in ways of its own, or refused by it.
        PlainCase{"{\"s\": \"a\x01\"}", false}, PlainCase{"{\"s\": \"\xef\xbb\xbfx\"}", false},
        PlainCase{R"({"s": "\ufeffx"})", false}, PlainCase{R"({"s": "\ud800"})", false},
        PlainCase{R"({"s": "\ude00\ud800"})", false}, PlainCase{R"({"s": "\x"})", false},
        PlainCase{"{\"s\": \"\xc0\xaf\"}", false}, PlainCase{"{\"s\": \"\xed\xa0\x80\"}", false},
        PlainCase{"{\"s\": \"\xf4\x90\x80\x80\"}", false}, PlainCase{"{\"s\": \"\xc3\"}", false},
        PlainCase{R"({"n": 1e400})", false}, PlainCase{R"({"n": 1E2})", false},
        PlainCase{R"({"n": 1234567890123456})", false}, PlainCase{R"({"n": 1.})", false},
        PlainCase{R"({"n": 01})", false}, PlainCase{R"({"n": -})", false},
        PlainCase{R"({"b": tru})", false}, PlainCase{R"({"a": [1,]})", false},
        PlainCase{R"({"a": 1,})", false}, PlainCase{R"({"a" 1})", false},
        PlainCase{R"({"a": 1} x)", false}, PlainCase{R"({"s": "open)", false},
        PlainCase{R"({"a": [1)", false}, PlainCase{"", false}));

TEST(PeopleJSONTest, PlainForm_DeepNestingIsLeftToTheParser)
{
    const auto nested = [](int depth) {
        return QByteArray("{\"a\":") + QByteArray(depth, '[') + QByteArray(depth, ']') + "}";
    };
    EXPECT_TRUE(peoplejson::isPlainJSON(nested(60)));
    EXPECT_FALSE(peoplejson::isPlainJSON(nested(200)));
}

} // namespace
