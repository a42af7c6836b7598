#include "foundation/vozuveva/vozuvevafileicon.h"
#include "tests/support/logcapture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>

namespace {

const QString kScriptError = QStringLiteral("[VozuVeva bindIconNamed:ofType:toFile:] [errorDict "
                                            "objectForKey:@\"NSAppleScriptErrorMessage\"] = ");

// gio is looked up on PATH; each test puts a stand-in there (or none) that records its arguments
// and answers as told, since the desktop's metadata service is not part of the test machine.
class BindIconTest : public LogCaptureTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bin.isValid());
        ASSERT_TRUE(m_images.isValid());
        m_savedPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_bin.path()));
        QDir::setSearchPaths(QStringLiteral("images"), {m_images.path()});
        m_file = m_images.filePath(QStringLiteral("Backup.zip"));
        setLevel(1);
    }
    void TearDown() override
    {
        setLevel(0);
        qputenv("PATH", m_savedPath);
        QDir::setSearchPaths(QStringLiteral("images"), {});
    }

    void installGio(int exitCode, const QString &error = QString())
    {
        QFile script(m_bin.filePath(QStringLiteral("gio")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\nprintf '%2' >&2\n"
                                    "exit %3\n")
                         .arg(m_bin.filePath(QStringLiteral("arguments")), error)
                         .arg(exitCode)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }

    QStringList gioArguments() const
    {
        QFile recorded(m_bin.filePath(QStringLiteral("arguments")));
        if (!recorded.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(recorded.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir m_bin;
    QTemporaryDir m_images;
    QByteArray m_savedPath;
    QString m_file;
};

TEST_F(BindIconTest, ImageOfTheProgram_BecomesTheFilesCustomIcon)
{
    installGio(0);
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::green);
    ASSERT_TRUE(icon.save(m_images.filePath(QStringLiteral("Archive.png"))));
    setLevel(0);

    EXPECT_TRUE(VozuVeva::bindIconNamed(QStringLiteral("Archive"), QStringLiteral("png"), m_file));
    const QString image = QUrl::fromLocalFile(m_images.filePath(QStringLiteral("Archive.png")))
                              .toString(QUrl::FullyEncoded);
    EXPECT_EQ(gioArguments(), QStringList({"set", m_file, "metadata::custom-icon", image}));
    EXPECT_EQ(
        lines(),
        QStringList(QStringLiteral("Binding icon = Archive of type = png to file = ") + m_file));
}

TEST_F(BindIconTest, WithoutTheImage_TheCustomIconIsRemoved)
{
    installGio(0);
    EXPECT_TRUE(VozuVeva::bindIconNamed(QStringLiteral("Missing"), QStringLiteral("png"), m_file));
    EXPECT_EQ(gioArguments(), QStringList({"set", "-t", "unset", m_file, "metadata::custom-icon"}));
}

TEST_F(BindIconTest, NoMetadataService_AnswersNoAndLogsGiosMessage)
{
    // What gio answers when no metadata service (gvfs) runs.
    installGio(1, QStringLiteral("gio: Setting attribute metadata::custom-icon not supported"));
    EXPECT_FALSE(VozuVeva::bindIconNamed(QStringLiteral("Archive"), QStringLiteral("png"), m_file));
    EXPECT_TRUE(lines().contains(
        kScriptError +
        QStringLiteral("gio: Setting attribute metadata::custom-icon not supported")));
    EXPECT_EQ(lines().filter(QStringLiteral("NSAppleScriptErrorNumber = 1;")).size(), 1);
}

TEST_F(BindIconTest, NoGioAtAll_AnswersNoAndLogs)
{
    EXPECT_FALSE(VozuVeva::bindIconNamed(QStringLiteral("Archive"), QStringLiteral("png"), m_file));
    const QStringList errors = lines().filter(kScriptError);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_GT(errors[0].size(), kScriptError.size());
}

} // namespace
