// The vCard files of a drag: safe, unique names in one folder of the tmp folder that each drag
// empties first.
#include "browser/dragdrop/dragfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DragFiles, NamesCannotLeaveTheFolderOrHide)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Ann Lee", "Ann Lee"},
        {"a/b", "a_b"},
        {"../../etc/passwd", "_.._etc_passwd"},
        {"..", "Contact"},
        {".hidden", "hidden"},
        {"", "Contact"},
        {"  ", "Contact"},
        {"tab\there", "tab_here"},
        {"back\\slash:colon", "back_slash_colon"},
    };
    for (const auto &[name, safe] : cases)
        EXPECT_EQ(dragfiles::safeBaseName(QString::fromUtf8(name)), safe) << name;
    EXPECT_EQ(dragfiles::safeBaseName(QString(300, 'x')).size(), 120);
}

TEST(DragFiles, NamesAreUniqueWithinTheDragRegardlessOfCase)
{
    EXPECT_EQ(dragfiles::uniqueFileNames({"Ann", "ann", "Bo", "Ann", "a/b", "a_b"}),
              (QStringList{"Ann.vcf", "ann 2.vcf", "Bo.vcf", "Ann 3.vcf", "a_b.vcf", "a_b 2.vcf"}));
}

TEST(DragFiles, EachDragEmptiesTheFolderFirst)
{
    QTemporaryDir tmp;
    const QList<QUrl> first =
        dragfiles::writeDragFiles(tmp.path(), {{"Ann", "A1"}, {"Ann", "A2"}, {"../Bo", "B"}});
    ASSERT_EQ(first.size(), 3);
    const QDir folder(dragfiles::dragFolder(tmp.path()));
    EXPECT_EQ(folder.entryList(QDir::Files, QDir::Name),
              (QStringList{"Ann 2.vcf", "Ann.vcf", "_Bo.vcf"}));
    QFile second(first[1].toLocalFile());
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll(), "A2");
    // Nothing was written beside the drag folder.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{folder.dirName()});

    dragfiles::writeDragFiles(tmp.path(), {{"Cy", "C"}});
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList{"Cy.vcf"});
    EXPECT_TRUE(dragfiles::emptyDragFolder(tmp.path()));
    EXPECT_TRUE(folder.entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(dragfiles::writeDragFiles(QString(), {{"Dee", "D"}}).isEmpty());
}

} // namespace
