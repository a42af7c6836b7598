#include "agent/documentdata.h"

#include "agent/handoverfile.h"
#include "foundation/log.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace documentdata {
namespace {

void logFailure(const QString &script, const QString &message, const QString &detail)
{
    tlog::write(QStringLiteral("ERROR: %1\r%2\r%3").arg(script, message, detail));
}

} // namespace

QString getCurrentDocDataFromApp(const QString &scriptsFolder, const QString &bundleIdentifier)
{
    // The identifier becomes part of a shell script: only a plain one is ever put there.
    if (!handoverfile::isPlainIdentifier(bundleIdentifier)) {
        tlog::write(QStringLiteral("No document data: the program identifier \"%1\" is not plain.")
                        .arg(bundleIdentifier));
        return QString();
    }
    QFile file(QDir(scriptsFolder).filePath(kScriptName));
    if (!file.open(QIODevice::ReadOnly)) {
        logFailure(file.fileName(), file.errorString(), QString());
        return QString();
    }
    const QString script =
        QString::fromUtf8(file.readAll()).split(handoverfile::kSeparator).join(bundleIdentifier);
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    if (!shell.waitForStarted(kTimeoutMs)) {
        logFailure(script, shell.errorString(), QString());
        return QString();
    }
    shell.closeWriteChannel();
    if (!shell.waitForFinished(kTimeoutMs)) {
        shell.kill();
        shell.waitForFinished(1000);
        logFailure(script, QStringLiteral("The script did not end within 5 s."), QString());
        return QString();
    }
    if (shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0) {
        logFailure(script, QStringLiteral("exit status %1").arg(shell.exitCode()),
                   QString::fromUtf8(shell.readAllStandardError()));
        return QString();
    }
    return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
}

} // namespace documentdata
