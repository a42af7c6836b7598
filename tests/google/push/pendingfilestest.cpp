#include "google/push/pendingfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(PendingFiles, Append_OneCarriageReturnBetweenIdentifiersNoneAfterTheLast)
{
    QTemporaryDir dir;
    ASSERT_TRUE(pendingfiles::append(dir.path(), "New", {"A", "B"}));
    EXPECT_EQ(bytesOf(QDir(dir.path()).filePath("New")), QByteArray("A\rB"));
    ASSERT_TRUE(pendingfiles::append(dir.path(), "New", {"C"}));
    EXPECT_EQ(bytesOf(QDir(dir.path()).filePath("New")), QByteArray("A\rB\rC"));
    EXPECT_EQ(pendingfiles::read(dir.path(), "New"), QStringList({"A", "B", "C"}));
}

TEST(PendingFiles, AFailedWriteIsReported)
{
    QTemporaryDir dir;
    // A file that cannot be replaced (a folder holds its name), a missing folder, no folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Change"));
    EXPECT_FALSE(pendingfiles::append(dir.path(), "Change", {"B"}));
    EXPECT_TRUE(QFileInfo(QDir(dir.path()).filePath("Change")).isDir());
    EXPECT_FALSE(pendingfiles::append(QDir(dir.path()).filePath("missing"), "Change", {"B"}));
    EXPECT_FALSE(pendingfiles::append(QString(), "Change", {"B"}));
}

TEST(PendingFiles, ArchivesNeverReplaceOneAnother)
{
    QTemporaryDir dir;
    const QString archives = QDir(dir.path()).filePath("archive");
    ASSERT_TRUE(QDir().mkpath(archives));
    ASSERT_TRUE(pendingfiles::append(dir.path(), "Delete", {"A"}));
    QStringList made;
    // More archives within one second than there are numbers after the time.
    for (int i = 0; i < 105; ++i) {
        const QString archive = pendingfiles::archive(dir.path(), "Delete", archives,
                                                      "googleABDeleteUpdates");
        ASSERT_FALSE(archive.isEmpty());
        EXPECT_FALSE(made.contains(archive));
        made << archive;
    }
    EXPECT_EQ(QDir(archives).entryList(QDir::Files).size(), 105);
    EXPECT_TRUE(QFileInfo(made.first()).fileName().startsWith("googleABDeleteUpdates_"));
}

TEST(PendingFiles, RemoveCarried_KeepsWhatWasAppendedMeanwhile)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("New");
    ASSERT_TRUE(pendingfiles::append(dir.path(), "New", {"A", "B"}));
    const QStringList carried = pendingfiles::read(dir.path(), "New");
    ASSERT_TRUE(pendingfiles::append(dir.path(), "New", {"C"}));
    ASSERT_TRUE(pendingfiles::removeCarried(dir.path(), "New", carried));
    EXPECT_EQ(bytesOf(path), QByteArray("C"));
    ASSERT_TRUE(pendingfiles::removeCarried(dir.path(), "New", {"C"}));
    EXPECT_FALSE(QFileInfo::exists(path));
}
