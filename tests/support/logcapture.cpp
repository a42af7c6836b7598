#include "tests/support/logcapture.h"

#include "platform/defaults/userdefaults.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <unistd.h>

void LogCapture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_saved = ::dup(STDERR_FILENO);
    ASSERT_NE(std::freopen(QFile::encodeName(m_dir.filePath("test.log")).constData(), "w", stderr),
              nullptr);
}

void LogCapture::TearDown()
{
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
}

QStringList LogCapture::lines()
{
    std::fflush(stderr);
    QFile file(m_dir.filePath("test.log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The platform prefix of each entry: date, time, program[pid]. The further lines of an entry
    // that spans several lines have none.
    static const QRegularExpression prefix(
        QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:.]+ [^\\[]*\\[[0-9]+\\] "));
    QStringList result;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.isEmpty())
            result.append(QString(line).remove(prefix));
    }
    return result;
}

void LogCapture::setLevel(int level)
{
    UserDefaults::standard().setInteger(level, "appLogLevel");
}
