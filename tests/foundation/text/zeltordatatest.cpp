#include "foundation/text/zeltordata.h"

#include <gtest/gtest.h>

namespace {

TEST(ZeltorData, EncodeBase64_PadsAndNeverBreaksLines)
{
    struct Case
    {
        QByteArray data;
        QString expected;
    };
    const Case cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foobar", "Zm9vYmFy"},
        {QByteArray("\xfb\xff\x00", 3), "+/8A"},
        {QByteArray(100, 'x'), QString(QByteArray(100, 'x').toBase64())},
    };
    for (const Case &c : cases)
        EXPECT_EQ(zeltor::encodeBase64(c.data), c.expected) << c.expected.toStdString();
    EXPECT_FALSE(zeltor::encodeBase64(QByteArray(200, 'y')).contains(u'\n'));
}

TEST(ZeltorData, DecodeBase64)
{
    struct Case
    {
        const char *label;
        QString text;
        std::optional<QByteArray> expected;
    };
    const Case cases[] = {
        {"empty gives empty data", "", QByteArray()},
        {"padded", "Zm9vYg==", QByteArray("foob")},
        {"two symbols left give one byte", "Zg", QByteArray("f")},
        {"three symbols left give two bytes", "Zm8", QByteArray("fo")},
        {"line breaks and padding skipped anywhere", "Zm\r\n9v\tY=m\vF\fy ", QByteArray("foobar")},
        {"binary", "+/8A", QByteArray("\xfb\xff\x00", 3)},
        {"single dangling symbol", "Zm9vY", std::nullopt},
        {"character outside the alphabet", "Zm9-", std::nullopt},
        {"URL-safe alphabet is not accepted", "Zm9_", std::nullopt},
        {"non-ASCII", QString::fromUtf8("Zm9ë"), std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(zeltor::decodeBase64(c.text), c.expected);
    }
}

TEST(ZeltorData, Base64RoundTripOfEveryByte)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(char(byte));
    for (qsizetype length = 0; length <= all.size(); length += 37)
        EXPECT_EQ(zeltor::decodeBase64(zeltor::encodeBase64(all.left(length))), all.left(length));
}

} // namespace
