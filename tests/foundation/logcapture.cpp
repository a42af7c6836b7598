#include "logcapture.h"

#include "foundation/log.h"
#include "platform/defaults/userdefaults.h"

#include <QFile>

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
    QStringList result;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype end = line.indexOf("] ");
        result.append(QString::fromUtf8(line.mid(end + 2)));
    }
    return result;
}

void LogCapture::setLevel(int level)
{
    UserDefaults::standard().setInteger(level, QStringLiteral("appLogLevel"));
}
