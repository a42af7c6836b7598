#include "foundation/vozuveva/vozuvevafileicon.h"

#include "foundation/log.h"
#include "foundation/scripting/scripterrorlog.h"
#include "foundation/views/imagetext.h"

#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace VozuVeva {
namespace {

constexpr int kGioTimeoutMs = 10000;
const QString kIconAttribute = QStringLiteral("metadata::custom-icon");

QStringList gioArguments(const QString &imagePath, const QString &file)
{
    if (imagePath.isEmpty())
        return {QStringLiteral("set"), QStringLiteral("-t"), QStringLiteral("unset"), file,
                kIconAttribute};
    const QString imageFile = QFileInfo(imagePath).canonicalFilePath();
    return {QStringLiteral("set"), file, kIconAttribute,
            QUrl::fromLocalFile(imageFile).toString(QUrl::FullyEncoded)};
}

// The error message and number of the failed command, in the keys script errors use.
QVariantMap errorInfo(const QString &message, int number)
{
    return {{QStringLiteral("NSAppleScriptErrorMessage"), message},
            {QStringLiteral("NSAppleScriptErrorNumber"), number}};
}

} // namespace

bool bindIconNamed(const QString &name, const QString &type, const QString &file)
{
    tlog::write(
        QStringLiteral("Binding icon = %1 of type = %2 to file = %3").arg(name, type, file));
    const QString resource = name + u'.' + type;
    const QString imagePath =
        imagetext::imageNamed(resource).isNull() ? QString() : imagetext::imagePath(resource);

    QProcess gio;
    gio.start(QStringLiteral("gio"), gioArguments(imagePath, file));
    const QString op = QStringLiteral("bindIconNamed:ofType:toFile:");
    if (!gio.waitForStarted(kGioTimeoutMs) || !gio.waitForFinished(kGioTimeoutMs)) {
        logScriptError(QStringLiteral("VozuVeva"), op, errorInfo(gio.errorString(), -1));
        gio.kill();
        gio.waitForFinished(kGioTimeoutMs);
        return false;
    }
    if (gio.exitStatus() != QProcess::NormalExit || gio.exitCode() != 0) {
        const QString message = QString::fromLocal8Bit(gio.readAllStandardError()).trimmed();
        logScriptError(QStringLiteral("VozuVeva"), op, errorInfo(message, gio.exitCode()));
        return false;
    }
    return true;
}

} // namespace VozuVeva
