#include "tests/support/logcapture.h"

#include "foundation/log.h"
#include "platform/defaults/userdefaults.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <unistd.h>

LogCapture::LogCapture()
    : m_saved(::dup(STDERR_FILENO))
{
    tlog::openLogFile(m_dir.filePath(QStringLiteral("test.log")), QStringLiteral("Tolvane"));
}

LogCapture::~LogCapture()
{
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
    qInstallMessageHandler(nullptr);
}

QStringList LogCapture::lines() const
{
    std::fflush(stderr);
    QFile file(m_dir.filePath(QStringLiteral("test.log")));
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
    UserDefaults::standard().setInteger(level, QStringLiteral("appLogLevel"));
}
