#include "platform/defaults/privatepaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace privatepaths {

namespace {

constexpr QFileDevice::Permissions kFolderMode =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions kFileMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

bool makePath(const QString &folder)
{
    const QString absolute = QDir::cleanPath(QDir(folder).absolutePath());
    if (QFileInfo(absolute).isDir())
        return true;
    const QString parent = QFileInfo(absolute).path();
    if (parent != absolute && !makePath(parent))
        return false;
    // Another program may make the same folder at the same moment.
    return QDir().mkdir(absolute, kFolderMode) || QFileInfo(absolute).isDir();
}

bool createFile(const QString &path)
{
    if (QFileInfo::exists(path))
        return true;
    if (!makePath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kFileMode) ||
           QFileInfo::exists(path);
}

} // namespace privatepaths
