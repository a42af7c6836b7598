#include "foundation/zeltorfiletool.h"
#include "tests/support/logcapture.h"
#include "tests/support/scriptedprompter.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class FileToolTest : public ::testing::Test
{
protected:
    QString path(const QString &relative) const { return dir.filePath(relative); }

    void write(const QString &relative, const QByteArray &content) const
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray read(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList entries(const QString &archive) const
    {
        QuaZip zip(path(archive));
        if (!zip.open(QuaZip::mdUnzip))
            return {};
        QStringList names = zip.getFileNameList();
        names.sort();
        return names;
    }

    QStringList tree(const QString &relative) const
    {
        QStringList found;
        const QDir root(path(relative));
        QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(root.relativeFilePath(it.next()));
        found.sort();
        return found;
    }

    QTemporaryDir dir;
    LogCapture log;
};

TEST_F(FileToolTest, Copy_FileToPathIntoFolderAndFolderContents)
{
    write("a.txt", "alpha");
    write("tree/sub/b.txt", "beta");
    QDir().mkpath(path("into"));

    EXPECT_TRUE(ZeltorFileTool::copySource(path("a.txt"), path("copy.txt")));
    EXPECT_TRUE(ZeltorFileTool::copySource(path("a.txt"), path("into")));
    EXPECT_TRUE(ZeltorFileTool::copySource(path("tree"), path("tree copy")));
    EXPECT_EQ(read("copy.txt"), "alpha");
    EXPECT_EQ(read("into/a.txt"), "alpha");
    EXPECT_EQ(read("tree copy/sub/b.txt"), "beta");

    write("copy.txt", "older");
    EXPECT_TRUE(ZeltorFileTool::copySource(path("a.txt"), path("copy.txt")));
    EXPECT_EQ(read("copy.txt"), "alpha");
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST_F(FileToolTest, CopyOfMissingSource_FailsAndLogs)
{
    EXPECT_FALSE(ZeltorFileTool::copySource(path("missing"), path("copy")));
    EXPECT_EQ(log.lines(), QStringList{"Ditto copy failed"});
}

TEST_F(FileToolTest, ZipFolder_HoldsTheFolderAsTopEntryAndUnzipsToTheSameFiles)
{
    write("Backup 1/.contacts", "contacts");
    write("Backup 1/photos/1.tiff", QByteArray(100000, 'x'));
    ASSERT_TRUE(ZeltorFileTool::zipSource(path("Backup 1"), path("backup.zip")));
    EXPECT_EQ(entries("backup.zip"), (QStringList{"Backup 1/", "Backup 1/.contacts",
                                                  "Backup 1/photos/", "Backup 1/photos/1.tiff"}));

    ASSERT_TRUE(ZeltorFileTool::unzipSource(path("backup.zip"), path("restored")));
    EXPECT_EQ(read("restored/Backup 1/.contacts"), "contacts");
    EXPECT_EQ(read("restored/Backup 1/photos/1.tiff"), QByteArray(100000, 'x'));
}

TEST_F(FileToolTest, ZipOfMissingSource_FailsAndLeavesNoArchive)
{
    EXPECT_FALSE(ZeltorFileTool::zipSource(path("missing"), path("out.zip")));
    EXPECT_FALSE(QFile::exists(path("out.zip")));
    EXPECT_EQ(log.lines().value(0), "Zip failed");
}

TEST_F(FileToolTest, ZipFiles_ArchiveHoldsArchiveFolderAndNoStagingIsLeft)
{
    write("data/New", "1\r");
    write("data/Change", "2\r");
    write("out/Archive/mine.txt", "the user's own folder named Archive");
    ASSERT_TRUE(
        ZeltorFileTool::zipFiles({path("data/New"), path("data/Change")}, path("out/pending.zip")));
    EXPECT_EQ(entries("out/pending.zip"),
              (QStringList{"Archive/", "Archive/Change", "Archive/New"}));
    EXPECT_EQ(tree("out"), (QStringList{"Archive", "Archive/mine.txt", "pending.zip"}));
    EXPECT_EQ(read("out/Archive/mine.txt"), "the user's own folder named Archive");
}

TEST_F(FileToolTest, ZipFilesWithMissingOrDuplicateFile_FailsNamesThemAndWritesNoArchive)
{
    write("a/.contacts", "contacts");
    write("b/.contacts", "other contacts");
    const struct
    {
        QStringList files;
        QString named;
    } cases[] = {
        {{path("a/.contacts"), path("a/.groups")}, path("a/.groups")},
        {{path("a/.contacts"), path("b/.contacts")}, path("b/.contacts")},
    };
    for (const auto &c : cases) {
        LogCapture caseLog;
        EXPECT_FALSE(ZeltorFileTool::zipFiles(c.files, path("backup.zip")));
        EXPECT_FALSE(QFile::exists(path("backup.zip")));
        const QStringList lines = caseLog.lines();
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], "Zip failed");
        EXPECT_TRUE(lines[1].endsWith(c.named)) << lines[1].toStdString();
    }
    EXPECT_EQ(tree(""), (QStringList{"a", "a/.contacts", "b", "b/.contacts"}));
}

TEST_F(FileToolTest, UnzipOfNonArchive_FailsAndLogs)
{
    write("not.zip", "plain text");
    EXPECT_FALSE(ZeltorFileTool::unzipSource(path("not.zip"), path("out")));
    EXPECT_EQ(log.lines(), QStringList{"Unzip failed"});
}

// An archive entry as a crafted backup archive could hold it.
struct HostileEntry
{
    const char *name;
    bool link;
};

TEST_F(FileToolTest, UnzipOfHostileArchive_IsRefusedWholeAndWritesNothing)
{
    const HostileEntry cases[] = {
        {"Archive/../../escaped", false},
        {"../escaped", false},
        {"/tmp/escaped-absolute", false},
        {"Archive/link", true},
    };
    for (const HostileEntry &c : cases) {
        SCOPED_TRACE(c.name);
        {
            QuaZip zip(path("hostile.zip"));
            ASSERT_TRUE(zip.open(QuaZip::mdCreate));
            QuaZipFile first(&zip);
            ASSERT_TRUE(first.open(QIODevice::WriteOnly, QuaZipNewInfo("Archive/harmless")));
            first.write("fine");
            first.close();
            QuaZipNewInfo info(c.name);
            if (c.link)
                info.externalAttr = quint32(S_IFLNK | 0777) << 16;
            QuaZipFile entry(&zip);
            ASSERT_TRUE(entry.open(QIODevice::WriteOnly, info));
            entry.write(c.link ? "/etc" : "bad");
            entry.close();
        }
        EXPECT_FALSE(ZeltorFileTool::unzipSource(path("hostile.zip"), path("dest/inner")));
        EXPECT_FALSE(QFile::exists(path("dest/inner/Archive/harmless")));
        EXPECT_FALSE(QFile::exists(path("dest/escaped")));
        EXPECT_FALSE(QFile::exists(path("escaped")));
        EXPECT_FALSE(QFile::exists("/tmp/escaped-absolute"));
        QFile::remove(path("hostile.zip"));
    }
}

TEST_F(FileToolTest, UnzipThroughALinkedFolderOfTheDestination_IsRefused)
{
    QTemporaryDir outside;
    QDir().mkpath(path("dest"));
    ASSERT_TRUE(QFile::link(outside.path(), path("dest/Archive")));
    write("Archive/file", "content");
    ASSERT_TRUE(ZeltorFileTool::zipSource(path("Archive"), path("a.zip")));
    EXPECT_FALSE(ZeltorFileTool::unzipSource(path("a.zip"), path("dest")));
    EXPECT_TRUE(QDir(outside.path()).isEmpty());
}

TEST_F(FileToolTest, EmptyDirectory_KeepsHiddenTopEntriesAndFoldersWhenAsked)
{
    const auto fill = [this] {
        write("f/file", "1");
        write("f/sub/file", "2");
        write("f/sub/deeper/.hidden", "3");
        write("f/.keep", "4");
        write("f/.cache/inside", "5");
    };
    fill();
    EXPECT_TRUE(ZeltorFileTool::emptyDirectory(path("f"), false).isEmpty());
    EXPECT_EQ(tree("f"), (QStringList{".cache", ".cache/inside", ".keep", "sub", "sub/deeper"}));

    fill();
    EXPECT_TRUE(ZeltorFileTool::emptyDirectory(path("f"), true).isEmpty());
    EXPECT_EQ(tree("f"), (QStringList{".cache", ".cache/inside", ".keep"}));
}

TEST_F(FileToolTest, Metadata_IsEmptyWithTheReasonLogged)
{
    LogCapture::setLevel(1);
    write("file", "x");
    EXPECT_TRUE(ZeltorFileTool::metadataForFilePath(path("file")).isEmpty());
    EXPECT_TRUE(ZeltorFileTool::metadataForFilePath(path("missing")).isEmpty());
    LogCapture::setLevel(0);
    const QStringList lines = log.lines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1], "[ZeltorFileTool metadataForFilePath:] - MDItemRef is notValid");
    EXPECT_EQ(lines[3], "[ZeltorFileTool metadataForFilePath:] - file does not exist");
}

} // namespace

namespace {

// Makes the file impossible to remove, as far as this machine allows: immutable where the test
// runs with the rights to set that, else in a folder without write permission.
class Unremovable
{
public:
    explicit Unremovable(const QString &file)
        : m_file(file)
    {
        if (QProcess::execute("chattr", {"+i", m_file}) == 0)
            m_immutable = true;
        else
            QFile::setPermissions(QFileInfo(m_file).path(), QFile::ReadOwner | QFile::ExeOwner);
    }
    ~Unremovable()
    {
        if (m_immutable)
            QProcess::execute("chattr", {"-i", m_file});
        QFile::setPermissions(QFileInfo(m_file).path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Whether a removal really fails here.
    bool holds() const { return !QFile::remove(m_file) && QFile::exists(m_file); }

private:
    QString m_file;
    bool m_immutable = false;
};

TEST_F(FileToolTest, EmptyDirectoryWithUnremovableFile_RemovesTheRestAndShowsOneSheet)
{
    write("f/a", "1");
    write("f/locked/stays", "2");
    write("f/locked/../z", "3");
    const Unremovable stays(path("f/locked/stays"));
    if (!stays.holds())
        GTEST_SKIP() << "no file can be made unremovable here";
    ScriptedPrompter prompter;
    const QStringList failed = ZeltorFileTool::emptyDirectory(path("f"), true);
    EXPECT_EQ(failed, (QStringList{"locked/stays", "locked"}));
    EXPECT_FALSE(QFile::exists(path("f/a")));
    EXPECT_FALSE(QFile::exists(path("f/z")));
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_TRUE(prompter.shown()[0].asSheet);
    EXPECT_EQ(prompter.shown()[0].prompt.message,
              "An error occurred when attempting to remove a file!");
    EXPECT_EQ(prompter.shown()[0].prompt.informativeText,
              "File Name: locked/stays\nFile Name: locked");
    EXPECT_EQ(prompter.shown()[0].prompt.buttons, QStringList{"OK"});
}

} // namespace
