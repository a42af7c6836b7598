#include "google/entries/flatteneddictionary.h"
#include "tests/support/logcapture.h"

#include <QMap>

#include <gtest/gtest.h>

namespace {

using flatteneddictionary::flattenDictionary;
using flatteneddictionary::inflateString;
using Dictionary = QMap<QString, QString>;

TEST(FlattenedDictionaryTest, Flatten_KeysThenValuesInWrittenOrder)
{
    const struct
    {
        flatteneddictionary::Pairs pairs;
        const char *text;
    } cases[] = {
        {{{"c", "Paris"}}, "c$$Paris"},
        {{{"c", ""}}, "c$$"},
        {{{"h", "YES"}, {"l", "home"}, {"c", "Lyon"}}, "h##l##c$$YES##home##Lyon"},
        {{}, "$$"},
        // A lone "#" or "$" inside a text is no separator and stays as typed.
        {{{"r", "Apt #5, $3 rent"}}, "r$$Apt #5, $3 rent"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(flattenDictionary(c.pairs), QString::fromUtf8(c.text)) << c.text;
}

TEST(FlattenedDictionaryTest, Flatten_SeparatorsInsideAValue_AreWrittenFullWidth)
{
    const struct
    {
        const char *value;
        const char *written;
    } cases[] = {
        {"a##b", "a＃＃b"}, {"a$$b", "a＄＄b"},  {"Apt #", "Apt ＃"},
        {"#1", "＃1"},      {"cost$", "cost＄"}, {"a###b", "a＃＃＃b"},
    };
    for (const auto &c : cases) {
        const QString value = QString::fromUtf8(c.value);
        const QString text = flattenDictionary({{"r", value}, {"c", "Lyon"}});
        EXPECT_EQ(text, "r##c$$" + QString::fromUtf8(c.written) + "##Lyon") << c.value;
        EXPECT_EQ(inflateString(text),
                  (Dictionary{{"r", QString::fromUtf8(c.written)}, {"c", "Lyon"}}))
            << c.value;
    }
}

TEST(FlattenedDictionaryTest, Inflate_PairsKeysAndValuesByPosition)
{
    const struct
    {
        const char *text;
        Dictionary expected;
    } cases[] = {
        {"c$$Paris", {{"c", "Paris"}}},
        {"c$$", {{"c", ""}}},
        {"h##l##c$$YES##home##Lyon", {{"h", "YES"}, {"l", "home"}, {"c", "Lyon"}}},
        {"$$", {}},
        {"", {}},
        {"##$$##", {}},
        // Written before separators were kept out of values: the first "$$" still splits.
        {"r$$a$$b", {{"r", "a$$b"}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(inflateString(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(FlattenedDictionaryTest, Inflate_MalformedText_PairsToTheShorterAndLogs)
{
    LogCapture::setLevel(1);
    const struct
    {
        const char *text;
        Dictionary expected;
    } cases[] = {
        {"no separator", {}},
        {"a##b##c$$1", {{"a", "1"}}},
        {"a$$1##2##3", {{"a", "1"}}},
    };
    for (const auto &c : cases) {
        LogCapture log;
        EXPECT_EQ(inflateString(QString::fromUtf8(c.text)), c.expected) << c.text;
        EXPECT_EQ(log.lines(), QStringList{"[GoogleContactTool inflateString:] ERROR: "
                                           "Malformed flattened dictionary: " +
                                           QString::fromUtf8(c.text)});
    }
}

} // namespace
