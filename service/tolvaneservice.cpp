#include "service/tolvaneservice.h"

#include "agent/documentdata.h"
#include "agent/handoverfile.h"
#include "foundation/log.h"
#include "platform/scripting/agentcommands.h"
#include "platform/scripting/busprograms.h"
#include "platform/scripting/desktopentry.h"
#include "platform/ui/beep.h"
#include "service/servicetexts.h"

#include <QClipboard>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QUuid>

#include <cstdio>
#include <unistd.h>

namespace tolvaneservice {
namespace {

constexpr int kAgentWaitMs = 10000;
// The standard error stream as the caller gave it: the log takes the process's own over.
int g_callersErrors = STDERR_FILENO;

int fail(const QString &text, int status)
{
    const QByteArray line = (text + u'\n').toUtf8();
    [[maybe_unused]] const ssize_t written = ::write(g_callersErrors, line.constData(), line.size());
    return status;
}

QString textOfMime(const QMimeData *mime)
{
    if (!mime)
        return QString();
    if (mime->hasText() && !mime->text().isEmpty())
        return mime->text();
    return mime->hasHtml() ? mime->html() : QString();
}

QString standardInput()
{
    if (::isatty(STDIN_FILENO))
        return QString();
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(input.readAll());
}

QString selectedText(const QCommandLineParser &parser)
{
    if (!parser.positionalArguments().isEmpty())
        return parser.positionalArguments().join(u' ');
    const QString piped = standardInput();
    if (!piped.isEmpty())
        return piped;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return QString();
    if (parser.isSet(QStringLiteral("selection")) && clipboard->supportsSelection()) {
        const QString selection = textOfMime(clipboard->mimeData(QClipboard::Selection));
        if (!selection.isEmpty())
            return selection;
    }
    return textOfMime(clipboard->mimeData(QClipboard::Clipboard));
}

} // namespace

QString libraryFolder()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(data))
        data = QDir(qEnvironmentVariable("HOME")).filePath(QStringLiteral(".local/share"));
    return QDir(data).filePath(QStringLiteral("Tolvane"));
}

QString writeHandOverFile(const QString &folder, const QString &content)
{
    if (!QFileInfo(folder).isDir())
        return QString();
    const QString path =
        QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QString();
    const QByteArray bytes = content.toUtf8();
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written) {
        QFile::remove(path);
        return QString();
    }
    return path;
}

bool launchTolvaneAgent()
{
    if (busprograms::isRunning(agentcommands::kBundleIdentifier))
        return true;
    const DesktopEntry entry = DesktopEntry::forBundleIdentifier(agentcommands::kBundleIdentifier);
    if (!entry.isValid() || entry.exec.isEmpty()) {
        tlog::write(servicetexts::noAgentPath);
        beep::beep();
        return false;
    }
    const QString program = entry.exec.constFirst();
    if (!QFileInfo(program).isExecutable()) {
        tlog::write(servicetexts::notExecutable);
        beep::beep();
        return false;
    }
    if (!QProcess::startDetached(program, entry.exec.mid(1))) {
        tlog::write(servicetexts::cannotLaunch);
        beep::beep();
        return false;
    }
    const QDeadlineTimer deadline(kAgentWaitMs);
    while (!busprograms::isRunning(agentcommands::kBundleIdentifier)) {
        if (deadline.hasExpired()) {
            tlog::write(servicetexts::cannotLaunch);
            beep::beep();
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

int run(const QStringList &arguments)
{
    g_callersErrors = ::dup(STDERR_FILENO);
    tlog::openLogFile(tlog::logFilePath(servicetexts::kBundleIdentifier),
                      QStringLiteral("tolvane-service"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("source-app"),
                      QStringLiteral("The identifier of the program the text came from."),
                      QStringLiteral("ID")});
    parser.addOption({QStringLiteral("selection"),
                      QStringLiteral("Take the primary selection before the clipboard.")});
    parser.addPositionalArgument(QStringLiteral("text"), QStringLiteral("The text to hand over."));
    parser.process(arguments);

    const QString text = selectedText(parser);
    if (text.isEmpty())
        return fail(servicetexts::noText, servicetexts::NoText);
    QString source = parser.value(QStringLiteral("source-app"));
    if (!source.isEmpty() && !handoverfile::isPlainIdentifier(source)) {
        tlog::write(servicetexts::sourceIgnored.arg(source));
        source.clear();
    }
    const QString library = libraryFolder();
    const QString documentData =
        source.isEmpty() ? QString()
                         : documentdata::getCurrentDocDataFromApp(
                               QDir(library).filePath(QStringLiteral("scripts")), source);
    tlog::write(servicetexts::handOverLine.arg(text, documentData));
    const QString path = writeHandOverFile(QDir(library).filePath(QStringLiteral("tmp")),
                                           handoverfile::format({text, documentData, source}));
    if (path.isEmpty())
        return fail(servicetexts::noTmp, servicetexts::NoTmp);
    if (!launchTolvaneAgent())
        return fail(servicetexts::noLaunch, servicetexts::NoLaunch);
    const ScriptReply reply = busprograms::sendCommand(
        agentcommands::kBundleIdentifier, agentcommands::kInterface, agentcommands::kPath,
        agentcommands::kCardzap, {QVariant::fromValue(QDBusVariant(path))});
    if (!reply.errorInfo.isEmpty()) {
        tlog::write(servicetexts::scriptError.arg(QStringLiteral("%1 %2(%3)").arg(
            agentcommands::kInterface, agentcommands::kCardzap, path)));
        tlog::write(servicetexts::serviceError.arg(
            reply.errorInfo.value(QStringLiteral("NSAppleScriptErrorMessage")).toString()));
        return fail(servicetexts::noCommunication, servicetexts::NoCommunication);
    }
    return servicetexts::Handed;
}

} // namespace tolvaneservice
