#include "foundation/log.h"
#include "platform/defaults/userdefaults.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Captures what the log writes by pointing the standard error stream at a file for one test.
class LogCapture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_saved = ::dup(STDERR_FILENO);
        ASSERT_TRUE(tlog::openLogFile(m_dir.filePath("test.log"), "Tolvane"));
    }
    void TearDown() override
    {
        ::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        qInstallMessageHandler(nullptr);
    }
    QStringList lines()
    {
        ::fflush(stderr);
        QFile file(m_dir.filePath("test.log"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList result;
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.isEmpty())
                continue;
            // Drop the platform prefix: date, time, program[pid].
            const qsizetype end = line.indexOf("] ");
            result.append(QString::fromUtf8(line.mid(end + 2)));
        }
        return result;
    }
    static void setLevel(int level) { UserDefaults::standard().setInteger(level, "appLogLevel"); }

private:
    QTemporaryDir m_dir;
    int m_saved = -1;
};

TEST_F(LogCapture, LevelRule_DiagnosticsAboveZeroTraceAtExactlyTwo)
{
    struct Case
    {
        int level;
        QStringList expected;
    };
    const Case cases[] = {
        {0, {"always"}},
        {-1, {"always"}},
        {1, {"[Cls op:] - diag", "always"}},
        {2, {"*[Cls op:]", "(v) [Cls op:] - verbose", "[Cls op:] - diag", "always"}},
        {3, {"[Cls op:] - diag", "always"}},
    };
    for (const Case &c : cases) {
        setLevel(c.level);
        const qsizetype before = lines().size();
        tlog::trace("Cls", "op:");
        tlog::verbose("Cls", "op:", "verbose");
        tlog::message("Cls", "op:", "diag");
        tlog::write("always");
        EXPECT_EQ(lines().mid(before), c.expected) << "level " << c.level;
    }
}

TEST_F(LogCapture, LineFormats)
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

} // namespace
