#include "foundation/log.h"
#include "tests/support/logcapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace {

class Log : public LogCaptureTest
{
};

TEST_F(Log, LevelRule_DiagnosticsAboveZeroTraceAtExactlyTwo)
{
    struct Case
    {
        int level;
        QStringList expected;
    };
    const Case cases[] = {
        {0, {"always"}},
        {-1, {"always"}},
        {1, {"[Cls op:] - diag", "bare", "always"}},
        {2, {"*[Cls op:]", "(v) [Cls op:] - verbose", "[Cls op:] - diag", "bare", "always"}},
        {3, {"[Cls op:] - diag", "bare", "always"}},
    };
    for (const Case &c : cases) {
        setLevel(c.level);
        const qsizetype before = lines().size();
        tlog::trace("Cls", "op:");
        tlog::verbose("Cls", "op:", "verbose");
        tlog::message("Cls", "op:", "diag");
        tlog::bare("bare");
        tlog::write("always");
        EXPECT_EQ(lines().mid(before), c.expected) << "level " << c.level;
    }
}

TEST_F(Log, LineFormats)
{
    setLevel(1);
    tlog::value("C", "o", "errorDict", QStringLiteral("{x}"));
    tlog::value("C", "o", "count", 7);
    tlog::number("C", "o", "increment", 1.5);
    tlog::labelled("C", "o", "ERROR:", QStringLiteral("bad"));
    tlog::size("C", "o", "frame", "width", 12.345, "height", 3);
    tlog::rect("C", "o", "screen", 0, 1, 2, 3);
    tlog::caughtInTemplate("C", "o", "ownerFetch", "NSException", "reason");
    EXPECT_EQ(lines(), (QStringList{
                           "[C o] errorDict = {x}",
                           "[C o] count = 7",
                           "[C o] increment = 1.500000",
                           "[C o] ERROR:: bad",
                           "[C o] frame - width = 12.35; height = 3.00",
                           "[C o] screen - ox = 0.00; oy = 1.00; width = 2.00; height = 3.00",
                           "[C o] (Template:ownerFetch) Caught NSException: reason",
                       }));
}

TEST(LogText, MissingObjectsAndCollectionsReadAsTheOldPlatformWroteThem)
{
    EXPECT_EQ(tlog::orNull(QString()), "(null)");
    EXPECT_EQ(tlog::orNull(""), "");
    EXPECT_EQ(tlog::describe(QVariant()), "(null)");
    EXPECT_EQ(tlog::describe(QVariantMap{{"code", 401}, {"flags", QVariantList{true, "x"}}}),
              "{\n    code = 401;\n    flags = (\n        1,\n        x\n    );\n}");
    EXPECT_EQ(tlog::describe(QVariantList{}), "(\n)");
    EXPECT_EQ(tlog::describe(QByteArray("\x01\xff", 2)), "<01ff>");
}

TEST(LogFile, OpensUnderTheStateFolderAndStartsEmptyAtEveryLaunch)
{
    const QString path = tlog::logFilePath("com.zel-tor.tolvane");
    EXPECT_EQ(path, qEnvironmentVariable("XDG_STATE_HOME") + "/Tolvane/com.zel-tor.tolvane.log");
    {
        QFile old(path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("last run\n");
    }
    const int saved = ::dup(STDERR_FILENO);
    ASSERT_TRUE(tlog::openLogFile(path, "Tolvane"));
    tlog::write("first line");
    qWarning("from Qt");
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    qInstallMessageHandler(nullptr);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QString prefix = QStringLiteral(" Tolvane[%1] ").arg(::getpid());
    EXPECT_TRUE(lines[0].endsWith(prefix + "first line")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(prefix + "from Qt")) << lines[1].toStdString();
}

TEST(LogFile, ANewLogAndItsFolderAreTheUsersAlone)
{
    const QString path =
        qEnvironmentVariable("XDG_STATE_HOME") + QStringLiteral("/private-logs/Tolvane/new.log");
    const int saved = ::dup(STDERR_FILENO);
    ASSERT_TRUE(tlog::openLogFile(path, "Tolvane"));
    tlog::write("a line about a person");
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    qInstallMessageHandler(nullptr);

    EXPECT_EQ(QFileInfo(path).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadUser | QFileDevice::WriteUser);
    for (const QString &folder :
         {QFileInfo(path).absolutePath(), QFileInfo(QFileInfo(path).absolutePath()).absolutePath()})
        EXPECT_EQ(QFileInfo(folder).permissions(),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                      QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser)
            << folder.toStdString();
}

} // namespace
