#include "agent/handoverfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(HandOverFile, Fields_ReadFromTheEndSoTheTextMayHoldTheSeparator)
{
    struct Case
    {
        QString content;
        handoverfile::Fields expected;
    };
    const Case cases[] = {
        {"just text", {"just text", "", ""}},
        {"text##$$##data", {"text", "data", ""}},
        {"text##$$##data##$$##com.example.app", {"text", "data", "com.example.app"}},
        {"a##$$##b##$$##data##$$##com.example.app", {"a##$$##b", "data", "com.example.app"}},
        {"text##$$####$$##", {"text", "", ""}},
    };
    for (const Case &c : cases) {
        const handoverfile::Fields fields = handoverfile::parse(c.content);
        EXPECT_EQ(fields.text, c.expected.text) << c.content.toStdString();
        EXPECT_EQ(fields.documentData, c.expected.documentData) << c.content.toStdString();
        EXPECT_EQ(fields.sourceBID, c.expected.sourceBID) << c.content.toStdString();
        EXPECT_EQ(handoverfile::parse(handoverfile::format(fields)).text, fields.text);
    }
}

TEST(HandOverFile, OnlyASmallRegularFileDirectlyInTmpIsAccepted)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("tmp/sub"));
    const QString tmp = dir.filePath("tmp");
    const auto write = [](const QString &path, qint64 size) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'x'));
    };
    write(dir.filePath("tmp/good"), 10);
    write(dir.filePath("outside"), 10);
    write(dir.filePath("tmp/sub/nested"), 10);
    write(dir.filePath("tmp/large"), handoverfile::kMaxSize + 1);
    ASSERT_TRUE(QFile::link(dir.filePath("outside"), dir.filePath("tmp/link")));

    QString why;
    EXPECT_TRUE(handoverfile::isAcceptable(dir.filePath("tmp/good"), tmp, &why)) << why.toStdString();
    for (const char *refused : {"outside", "tmp/sub/nested", "tmp/large", "tmp/link", "tmp/sub",
                                "tmp/missing"}) {
        EXPECT_FALSE(handoverfile::isAcceptable(dir.filePath(refused), tmp, &why)) << refused;
        EXPECT_FALSE(why.isEmpty());
    }
    EXPECT_FALSE(handoverfile::isAcceptable(QStringLiteral("tmp/good"), tmp, &why));
}

TEST(HandOverFile, PlainIdentifiers)
{
    for (const char *plain : {"com.example.app", "org.kde.kate", "a-b_c.1"})
        EXPECT_TRUE(handoverfile::isPlainIdentifier(QString::fromLatin1(plain))) << plain;
    for (const char *hostile : {"", ".hidden", "../etc", "a/b", "x;rm -rf ~", "$(id)", "a b",
                                "`id`", "a\nb"})
        EXPECT_FALSE(handoverfile::isPlainIdentifier(QString::fromLatin1(hostile))) << hostile;
}
