#include "foundation/programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace programfolder {
namespace {

QString &overridden()
{
    static QString folder;
    return folder;
}

} // namespace

QString path()
{
    if (!overridden().isNull())
        return overridden();
    return QCoreApplication::applicationDirPath();
}

QString programPath(const QString &fileName)
{
    return QDir(path()).filePath(fileName);
}

void setPathForTesting(const QString &folder)
{
    overridden() = folder;
}

} // namespace programfolder
