#include "app/startup/payloadinstaller.h"

#include "app/bundleinfo.h"
#include "app/startup/installertexts.h"
#include "foundation/log.h"
#include "foundation/programfolder.h"
#include "foundation/vozuveva/vozuvevaappcontrol.h"
#include "platform/scripting/busprograms.h"
#include "platform/scripting/desktopentryvalues.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

// The scripts' payloads are resources of this static library, which Qt registers only when asked.
static void registerPayloadResources()
{
    Q_INIT_RESOURCE(payloads);
}

namespace payloadinstaller {
namespace {

const QString kClass = QStringLiteral("AppDelegate(PrivateUtilities)");
const QString kOp = QStringLiteral("setupFileAndFolderEnvironment");

// How long a quit program may take to give up its bus name before it is started again.
constexpr int kQuitWaitMs = 5000;

constexpr QFile::Permissions kProgramPermissions = QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ReadUser |
                                                   QFile::WriteUser | QFile::ExeUser;

void trace(const QString &text)
{
    if (tlog::tracing())
        tlog::message(kClass, kOp, text);
}

bool makeFolder(const QString &path)
{
    return QDir().mkpath(path);
}

// Creates the folder when missing and says which it was.
void ensureFolder(const QString &path, const QString &created, const QString &found)
{
    if (QFileInfo(path).isDir()) {
        trace(found);
        return;
    }
    if (makeFolder(path))
        trace(created);
}

// A copy of the payload beside the destination, renamed over it once whole: a copy that fails
// leaves the installed file in place.
enum class Replacement { Replaced, CopyFailed, RenameFailed };

Replacement replaceFile(const QString &source, const QString &destination)
{
    // One name for the copy in progress, so that a copy left by a run that was killed is taken
    // away by the next.
    const QString temporary = destination + QStringLiteral(".new");
    QFile::remove(temporary);
    if (!QFile::copy(source, temporary)) {
        QFile::remove(temporary);
        return Replacement::CopyFailed;
    }
    QFile::setPermissions(temporary, kProgramPermissions);
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(destination).constData()) != 0) {
        QFile::remove(temporary);
        return Replacement::RenameFailed;
    }
    return Replacement::Replaced;
}

bool writeDesktopEntry(const QString &entryPath, const QString &name, const QString &program,
                       QString *error)
{
    if (!makeFolder(QFileInfo(entryPath).path())) {
        *error = QStringLiteral("cannot make %1").arg(QFileInfo(entryPath).path());
        return false;
    }
    QSaveFile file(entryPath);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                        "NoDisplay=true\n")
                             .arg(desktopentryvalues::escapeString(name),
                                  desktopentryvalues::execValue({program}));
    file.write(text.toUtf8());
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

QString userApplicationsFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    const QString data = QDir::isAbsolutePath(xdg)
                             ? xdg
                             : QDir(qEnvironmentVariable("HOME")).filePath(".local/share");
    return QDir(data).filePath(QStringLiteral("applications"));
}

QString localApplicationsFolder()
{
    QString first = qEnvironmentVariable("XDG_DATA_DIRS").section(u':', 0, 0);
    if (!QDir::isAbsolutePath(first))
        first = QStringLiteral("/usr/local/share");
    return QDir(first).filePath(QStringLiteral("applications"));
}

// Waits until the program has left the bus, so that the copy started again can own its name.
bool waitUntilGone(const QString &bundleIdentifier)
{
    QDeadlineTimer deadline(kQuitWaitMs);
    while (busprograms::isRunning(bundleIdentifier)) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void writeAgentEntry(const FolderLayout &layout)
{
    QString error;
    if (!writeDesktopEntry(agentDesktopEntryPath(), QStringLiteral("Agent Tolvane"),
                           installedAgentPath(layout), &error))
        tlog::write(installertexts::agentEntryNotWritten.arg(error));
}

void restartAgent()
{
    if (VozuVeva::launchApplication(bundleinfo::kAgentBundleIdentifier) == u"True")
        trace(installertexts::agentRestarted);
    else
        tlog::write(installertexts::agentNotRestarted);
}

void updateAgent(const FolderLayout &layout, const QString &source, const QString &destination)
{
    trace(installertexts::agentExisting);
    const bool running = VozuVeva::isApplicationRunning(bundleinfo::kAgentBundleIdentifier);
    if (running) {
        if (!VozuVeva::quitApplication(bundleinfo::kAgentBundleIdentifier) ||
            !waitUntilGone(bundleinfo::kAgentBundleIdentifier)) {
            trace(installertexts::agentNotQuit);
            return;
        }
        trace(installertexts::agentHalted);
    } else {
        trace(installertexts::agentNotRunning);
    }
    switch (replaceFile(source, destination)) {
    case Replacement::Replaced:
        trace(installertexts::agentUpdated);
        break;
    case Replacement::CopyFailed:
        trace(installertexts::agentNotCopied);
        break;
    case Replacement::RenameFailed:
        trace(installertexts::agentNotDeleted);
        break;
    }
    writeAgentEntry(layout);
    // The user's automatic push must not stop because the main program replaced the agent's copy:
    // an agent that was running runs again, with the old copy when the new one could not be put
    // in place.
    if (running)
        restartAgent();
}

void installDocumentScript(const QString &destination)
{
    const QString source = kDocumentScriptPayload;
    if (!QFileInfo::exists(source)) {
        trace(installertexts::documentPayloadMissing);
        return;
    }
    if (!QFileInfo::exists(destination)) {
        if (replaceFile(source, destination) == Replacement::Replaced)
            trace(installertexts::documentInstalled);
        return;
    }
    trace(installertexts::documentFound);
    switch (replaceFile(source, destination)) {
    case Replacement::Replaced:
        trace(installertexts::documentUpdated);
        break;
    case Replacement::CopyFailed:
        trace(installertexts::documentNotCopied);
        break;
    case Replacement::RenameFailed:
        trace(installertexts::documentNotDeleted);
        break;
    }
}

void installSampleScript(const QString &destination)
{
    if (!QFileInfo::exists(kSampleScriptPayload)) {
        trace(installertexts::samplePayloadMissing);
        return;
    }
    if (QFileInfo::exists(destination)) {
        // The user's copy is never replaced.
        trace(installertexts::sampleFound);
        return;
    }
    if (replaceFile(kSampleScriptPayload, destination) == Replacement::Replaced)
        trace(installertexts::sampleInstalled);
}

void updateService(const QString &source, const QString &destination)
{
    trace(installertexts::serviceExisting);
    if (VozuVeva::isApplicationRunning(bundleinfo::kServiceBundleIdentifier)) {
        if (!VozuVeva::quitApplication(bundleinfo::kServiceBundleIdentifier) ||
            !waitUntilGone(bundleinfo::kServiceBundleIdentifier)) {
            trace(installertexts::serviceNotQuit);
            return;
        }
        trace(installertexts::serviceHalted);
    } else {
        trace(installertexts::serviceNotRunning);
    }
    switch (replaceFile(source, destination)) {
    case Replacement::Replaced:
        trace(installertexts::serviceUpdated);
        break;
    case Replacement::CopyFailed:
        trace(installertexts::serviceNotCopied);
        break;
    case Replacement::RenameFailed:
        trace(installertexts::serviceNotDeleted);
        break;
    }
}

} // namespace

QString agentPayloadPath()
{
    return programfolder::programPath(bundleinfo::kAgentFileName);
}

QString servicePayloadPath()
{
    return programfolder::programPath(bundleinfo::kServiceFileName);
}

QString installedAgentPath(const FolderLayout &layout)
{
    return QDir(layout.libraryFolderPath).filePath(bundleinfo::kAgentFileName);
}

QString agentDesktopEntryPath()
{
    return QDir(userApplicationsFolder())
        .filePath(bundleinfo::kAgentBundleIdentifier + QStringLiteral(".desktop"));
}

QString servicesFolder()
{
    const QString local = localApplicationsFolder();
    if (QFileInfo(local).isDir()) {
        trace(installertexts::servicesFolderFound);
        return local;
    }
    if (makeFolder(local)) {
        trace(installertexts::servicesFolderCreated);
        return local;
    }
    const QString user = userApplicationsFolder();
    if (QFileInfo(user).isDir())
        return user;
    if (makeFolder(user)) {
        trace(installertexts::servicesFolderCreated);
        return user;
    }
    tlog::write(installertexts::servicesFolderFailure);
    return QString();
}

void createLibraryFolder(const FolderLayout &layout)
{
    ensureFolder(layout.libraryFolderPath, installertexts::libraryCreated,
                 installertexts::libraryFound);
}

void installAgent(const FolderLayout &layout)
{
    const QString source = agentPayloadPath();
    const QString destination = installedAgentPath(layout);
    if (!QFileInfo(source).isFile()) {
        // An installed copy stays as it is.
        trace(installertexts::agentPayloadMissing);
        return;
    }
    if (QFileInfo::exists(destination)) {
        updateAgent(layout, source, destination);
        return;
    }
    if (replaceFile(source, destination) != Replacement::Replaced) {
        trace(installertexts::agentInstallFailure);
        return;
    }
    trace(installertexts::agentInstalled);
    writeAgentEntry(layout);
}

void createDataFolder(const FolderLayout &layout, const QString &datafilePath)
{
    ensureFolder(layout.dataFolderPath, installertexts::dataCreated, installertexts::dataFound);
    if (!QFileInfo::exists(datafilePath)) {
        trace(installertexts::dataFileMissing);
        return;
    }
    trace(installertexts::dataFileFound);
    trace(installertexts::dataFilePath.arg(datafilePath));
}

void installScripts(const FolderLayout &layout)
{
    registerPayloadResources();
    ensureFolder(layout.scriptsFolderPath, installertexts::scriptsCreated,
                 installertexts::scriptsFound);
    const QDir scripts(layout.scriptsFolderPath);
    installSampleScript(scripts.filePath(kSampleScriptName));
    installDocumentScript(scripts.filePath(kDocumentScriptName));
}

void installService()
{
    const QString folder = servicesFolder();
    if (folder.isEmpty())
        return;
    const QString source = servicePayloadPath();
    const QString destination = QDir(folder).filePath(bundleinfo::kServiceFileName);
    if (!QFileInfo(source).isFile()) {
        trace(installertexts::servicePayloadMissing);
        return;
    }
    if (QFileInfo::exists(destination)) {
        updateService(source, destination);
    } else if (replaceFile(source, destination) == Replacement::Replaced) {
        tlog::message(kClass, kOp, installertexts::serviceInstalled);
    } else {
        trace(installertexts::serviceInstallFailure);
        return;
    }
    QString error;
    const QString entry =
        QDir(folder).filePath(bundleinfo::kServiceBundleIdentifier + QStringLiteral(".desktop"));
    if (!writeDesktopEntry(entry, QStringLiteral("TolvaneService"), destination, &error))
        tlog::write(installertexts::serviceEntryNotWritten.arg(error));
}

void createWorkFolders(const FolderLayout &layout)
{
    for (const QString &folder :
         {layout.tmpFolderPath, layout.googleBackupFolderPath, layout.restartFolderPath,
          layout.pendingFolderPath, layout.pendingArchiveFolderPath})
        makeFolder(folder);
}

} // namespace payloadinstaller
