#include "foundation/vozuveva/vozuvevaappcontrol.h"

#include "foundation/log.h"
#include "foundation/programfolder.h"
#include "foundation/scripting/applescriptconversion.h"
#include "foundation/scripting/scripterrorlog.h"
#include "foundation/text/zeltorstring.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/busprograms.h"
#include "platform/scripting/desktopentry.h"
#include "platform/scripting/handlercall.h"
#include "platform/scripting/scriptreply.h"

#include <QFileInfo>

#include <functional>

namespace VozuVeva {
namespace {

const QString kClass = QStringLiteral("VozuVeva");

// Runs the source; on failure writes the error lines and gives none.
std::optional<AppleEventDescriptor> resultOf(const QString &op, const QString &source,
                                             const std::function<void()> &firstLine = {})
{
    const ScriptReply reply = runAppleScript(source);
    if (reply.succeeded())
        return reply.result;
    if (firstLine && tlog::diagnostics())
        firstLine();
    logScriptError(kClass, op, reply.errorInfo);
    return std::nullopt;
}

} // namespace

QString pathToApplication(const QString &bundleIdentifier)
{
    // The address book tool stands in for the address book application: it lies beside the
    // program and has no desktop entry, since it never runs as a program of the desktop.
    if (bundleIdentifier == programfolder::kAddressBookBundleIdentifier) {
        const QString tool = programfolder::programPath(programfolder::kAddressBookToolName);
        return QFileInfo(tool).isExecutable() ? tool : QString();
    }
    return busprograms::executablePath(bundleIdentifier);
}

bool isApplicationInstalled(const QString &bundleIdentifier)
{
    const QString path = pathToApplication(bundleIdentifier);
    if (path.isEmpty() || path == u"Not Found")
        return false;
    return QFileInfo(path).isExecutable();
}

bool isApplicationRunning(const QString &bundleIdentifier)
{
    return isApplicationInstalled(bundleIdentifier) && busprograms::isRunning(bundleIdentifier);
}

QString launchApplication(const QString &bundleIdentifier)
{
    if (!isApplicationInstalled(bundleIdentifier))
        return QStringLiteral("False");
    if (isApplicationRunning(bundleIdentifier))
        return QStringLiteral("True");
    return busprograms::launch(bundleIdentifier) ? QStringLiteral("True") : QStringLiteral("False");
}

bool quitApplication(const QString &bundleIdentifier)
{
    return busprograms::quit(bundleIdentifier);
}

QIcon iconForApplication(const QString &bundleIdentifier)
{
    if (!isApplicationInstalled(bundleIdentifier))
        return {};
    const QString icon = DesktopEntry::forBundleIdentifier(bundleIdentifier).icon;
    if (icon.isEmpty())
        return {};
    return QFileInfo(icon).isAbsolute() ? QIcon(icon) : QIcon::fromTheme(icon);
}

QString versionOfApplication(const QString &applicationName)
{
    const DesktopEntry entry = DesktopEntry::forName(applicationName);
    if (!entry.infoString.isEmpty())
        return entry.infoString;
    if (!entry.shortVersion.isEmpty())
        return entry.shortVersion;
    return QStringLiteral("");
}

void recordApplicationDefaults(const QString &bundleIdentifier, const QString &displayName)
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString key = zeltor::removeAllSpaces(displayName);
    const bool installed = isApplicationInstalled(bundleIdentifier);
    defaults.setBool(installed, QStringLiteral("is%1Installed").arg(key));
    if (!installed) {
        defaults.setBool(false, QStringLiteral("is%1Running").arg(key));
        defaults.setString(QStringLiteral("Not Installed"), QStringLiteral("version%1").arg(key));
        tlog::write(QStringLiteral("%1 is NOT installed").arg(displayName));
        return;
    }
    const bool running = isApplicationRunning(bundleIdentifier);
    defaults.setBool(running, QStringLiteral("is%1Running").arg(key));
    QString version = versionOfApplication(displayName);
    if (running && version.isEmpty()) {
        // A program that declares no version may still tell it when asked.
        const QString answer = getStringFromAppleScript(
            QStringLiteral("tell application \"%1\" to version").arg(displayName));
        if (!answer.isNull())
            version = answer;
    }
    defaults.setString(version, QStringLiteral("version%1").arg(key));
    tlog::write(QStringLiteral("%1 is Installed - %2 - Version: %3")
                    .arg(displayName,
                         running ? QStringLiteral("Running") : QStringLiteral("NOT Running"),
                         version));
}

QVariant getObjectFromAppleScript(const QString &source)
{
    const auto result = resultOf(QStringLiteral("getObjectFromAppleScript:"), source);
    return result ? AppleScriptTool::objectFromAppleEventDescriptor(*result) : QVariant();
}

QDateTime getDateFromAppleScript(const QString &source)
{
    const auto result = resultOf(QStringLiteral("getDateFromAppleScript:"), source);
    return result ? AppleScriptTool::dateFromAppleEventDescriptor(*result) : QDateTime();
}

bool getBooleanFromAppleScript(const QString &source)
{
    const QString op = QStringLiteral("getBooleanFromAppleScript:");
    const auto result =
        resultOf(op, source, [&] { tlog::value(kClass, op, QStringLiteral("theScript"), source); });
    return result && AppleScriptTool::booleanFromAppleEventDescriptor(*result);
}

std::int32_t getIntegerFromAppleScript(const QString &source)
{
    const auto result = resultOf(QStringLiteral("getIntegerFromAppleScript:"), source);
    return result ? AppleScriptTool::integerFromAppleEventDescriptor(*result) : -1;
}

QString getStringFromAppleScript(const QString &source)
{
    const QString op = QStringLiteral("getStringFromAppleScript:");
    const auto result =
        resultOf(op, source, [&] { tlog::labelled(kClass, op, QStringLiteral("ERROR:"), source); });
    return result ? AppleScriptTool::stringFromAppleEventDescriptor(*result) : QString();
}

std::optional<QVariantList> getArrayFromAppleScript(const QString &source)
{
    // The array member takes any result of some type, error information or not.
    const ScriptReply reply = runAppleScript(source);
    if (reply.result.descriptorType() != 0)
        return AppleScriptTool::arrayFromAppleEventDescriptor(reply.result);
    logScriptError(kClass, QStringLiteral("getArrayFromAppleScript:"), reply.errorInfo);
    return std::nullopt;
}

AppleEventDescriptor makeAppleEvent(const QString &handlerName,
                                    const AppleEventDescriptor &argumentList)
{
    return handlerCallEvent(handlerName, argumentList);
}

AppleEventDescriptor callSub(const QString &handlerName,
                             const QList<AppleEventDescriptor> &arguments)
{
    return handlerCallEvent(handlerName, argumentList(arguments));
}

} // namespace VozuVeva
