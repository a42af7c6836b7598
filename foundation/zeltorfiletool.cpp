#include "foundation/zeltorfiletool.h"

#include "foundation/log.h"
#include "foundation/ziparchive.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

namespace ZeltorFileTool {
namespace {

const QString kClass = QStringLiteral("ZeltorFileTool");

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(path.toStdString());
}

// Names the files of the list that are missing or that share a name with an earlier one.
QStringList filesNotTaken(const QStringList &files)
{
    QStringList refused;
    QSet<QString> names;
    for (const QString &file : files) {
        const QFileInfo info(file);
        if (!info.isFile() || names.contains(info.fileName()))
            refused.append(file);
        names.insert(info.fileName());
    }
    return refused;
}

// Depth first: a folder is emptied before it is removed.
void emptyFolder(const QDir &top, const QString &folder, bool includingFolders,
                 QStringList &failures)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString relative = top.relativeFilePath(entry.filePath());
        if (relative.startsWith(u'.'))
            continue;
        const bool folderEntry = entry.isDir() && !entry.isSymLink();
        if (folderEntry) {
            emptyFolder(top, entry.filePath(), includingFolders, failures);
            if (includingFolders && !QDir().rmdir(entry.filePath()))
                failures.append(relative);
        } else if (!QFile::remove(entry.filePath())) {
            failures.append(relative);
        }
    }
}

// One sheet for all the files that stayed, on the window in front; nothing waits for it.
void showRemovalFailures(const QStringList &relativePaths)
{
    QStringList lines;
    for (const QString &path : relativePaths)
        lines.append(QStringLiteral("File Name: %1").arg(path));
    Prompt prompt;
    prompt.message = QStringLiteral("An error occurred when attempting to remove a file!");
    prompt.informativeText = lines.join(u'\n');
    prompt.buttons = {QStringLiteral("OK")};
    Prompter::current().beginSheet(prompt, QApplication::activeWindow(), [](int) {});
}

bool zipFailed(const QStringList &notTaken)
{
    tlog::write(QStringLiteral("Zip failed"));
    if (!notTaken.isEmpty())
        tlog::write(QStringLiteral("[%1 %2] %3: %4")
                        .arg(kClass, QStringLiteral("zipFiles:toDestination:"),
                             QStringLiteral("Files not archived"),
                             notTaken.join(QStringLiteral(", "))));
    return false;
}

} // namespace

bool copySource(const QString &source, const QString &destination)
{
    std::error_code error;
    const std::filesystem::path from = fsPath(source);
    if (std::filesystem::is_directory(from, error))
        std::filesystem::create_directories(fsPath(destination), error);
    if (!error)
        std::filesystem::copy(from, fsPath(destination),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing |
                                  std::filesystem::copy_options::copy_symlinks,
                              error);
    if (!error)
        return true;
    tlog::write(QStringLiteral("Ditto copy failed"));
    tlog::labelled(kClass, QStringLiteral("copySource:toDestination:"), QStringLiteral("ERROR:"),
                   source + QStringLiteral(": ") + QString::fromStdString(error.message()));
    return false;
}

bool zipSource(const QString &source, const QString &archive)
{
    QString reason;
    if (ziparchive::writeArchive(source, archive, &reason))
        return true;
    tlog::write(QStringLiteral("Zip failed"));
    tlog::labelled(kClass, QStringLiteral("zipSource:toDestination:"), QStringLiteral("ERROR:"),
                   reason);
    return false;
}

bool zipFiles(const QStringList &files, const QString &archive)
{
    const QStringList refused = filesNotTaken(files);
    if (!refused.isEmpty())
        return zipFailed(refused);
    // Staged in a folder of its own beside the archive, so nothing of the user's is touched and
    // it is gone afterwards whatever happened.
    QTemporaryDir staging(QFileInfo(archive).absolutePath() + QStringLiteral("/.ArchiveXXXXXX"));
    const QString folder = staging.filePath(QStringLiteral("Archive"));
    if (!staging.isValid() || !QDir().mkpath(folder))
        return zipFailed({});
    for (const QString &file : files) {
        if (!copySource(file, folder))
            return zipFailed({file});
    }
    return zipSource(folder, archive);
}

bool unzipSource(const QString &archive, const QString &destination, QString *reasonOut)
{
    QString reason;
    if (ziparchive::extractArchive(archive, destination, &reason))
        return true;
    if (reasonOut)
        *reasonOut = reason;
    tlog::write(QStringLiteral("Unzip failed"));
    tlog::labelled(kClass, QStringLiteral("unzipSource:toDestination:"), QStringLiteral("ERROR:"),
                   reason);
    return false;
}

QStringList emptyDirectory(const QString &folder, bool includingFolders)
{
    QStringList failures;
    emptyFolder(QDir(folder), folder, includingFolders, failures);
    if (!failures.isEmpty())
        showRemovalFailures(failures);
    return failures;
}

QVariantMap metadataForFilePath(const QString &path)
{
    const QString op = QStringLiteral("metadataForFilePath:");
    tlog::value(kClass, op, QStringLiteral("thisPath"), path);
    tlog::message(kClass, op,
                  QFileInfo::exists(path) ? QStringLiteral("MDItemRef is notValid")
                                          : QStringLiteral("file does not exist"));
    return {};
}

} // namespace ZeltorFileTool
