#include "app/bundleinfo.h"

namespace bundleinfo {
namespace {

QString &currentVersion()
{
    static QString value = QStringLiteral(TOLVANE_VERSION);
    return value;
}

} // namespace

QString version()
{
    return currentVersion();
}

void setVersionForTesting(const QString &version)
{
    currentVersion() = version;
}

} // namespace bundleinfo
