#include "foundation/scripting/applescripttool.h"

#include "foundation/log.h"
#include "foundation/scripting/scripterrorlog.h"
#include "foundation/vozuveva/vozuvevaappcontrol.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/scriptreply.h"

#include <QDesktopServices>
#include <QUrl>

namespace AppleScriptTool {
namespace {

const QString kClass = QStringLiteral("AppleScriptTool");
const QString kTellSafari = QStringLiteral("tell application \"Safari\"");

// Script lines are joined with a blank, a carriage return and a blank.
QString script(const QStringList &lines)
{
    return lines.join(QStringLiteral(" \r "));
}

// The tab search shared by the test and the bring-forward script.
QStringList findContactsTab()
{
    UserDefaults &defaults = UserDefaults::standard();
    return {
        QStringLiteral("set winList to every window whose current tab is not missing value"),
        QStringLiteral("repeat with win in winList"),
        QStringLiteral("try"),
        QStringLiteral("set f to (first tab of win whose ((URL contains \"%1\") and (URL "
                       "contains \"%2\")))")
            .arg(defaults.stringForKey(QStringLiteral("googleContactDomain")),
                 defaults.stringForKey(QStringLiteral("googleContactURLTag"))),
        QStringLiteral("on error"),
        QStringLiteral("set f to 0"),
        QStringLiteral("end try"),
    };
}

// Brings the window with the page forward and shows its tab. It clicks no menu item by its
// position: what sits there differs between versions and languages of the browser.
QString bringForwardScript()
{
    return script(QStringList{kTellSafari} + findContactsTab() +
                  QStringList{QStringLiteral("if not (f = 0) then"), QStringLiteral("activate"),
                              QStringLiteral("set index of win to 0"),
                              QStringLiteral("set current tab of win to f"),
                              QStringLiteral("return true"), QStringLiteral("end if"),
                              QStringLiteral("end repeat"), QStringLiteral("return false"),
                              QStringLiteral("end tell")});
}

void openGoogleContactsPage()
{
    UserDefaults &defaults = UserDefaults::standard();
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("http://%1/mail/%2")
                 .arg(defaults.stringForKey(QStringLiteral("googleContactDomain")),
                      defaults.stringForKey(QStringLiteral("googleContactURLTag")))));
}

} // namespace

void manageSafari()
{
    UserDefaults &defaults = UserDefaults::standard();
    if (!defaults.boolForKey(QStringLiteral("useSafari")))
        return;
    const bool running = defaults.boolForKey(QStringLiteral("isSafariRunning"));
    if (!running) {
        // Opening the page starts the browser.
        if (defaults.boolForKey(QStringLiteral("launchSafari")))
            openGoogleContactsPage();
        return;
    }
    if (isGoogleContactsOpen())
        executeScript(bringForwardScript());
    else
        openGoogleContactsPage();
}

bool isGoogleContactsOpen()
{
    return VozuVeva::getBooleanFromAppleScript(script(
        QStringList{kTellSafari} + findContactsTab() +
        QStringList{QStringLiteral("if not (f = 0) then return true"), QStringLiteral("end repeat"),
                    QStringLiteral("return false"), QStringLiteral("end tell")}));
}

void appToFront(const QString &applicationName)
{
    runAppleScript(QStringLiteral("tell application \"%1\" to activate").arg(applicationName));
}

void executeScript(const QString &source)
{
    const ScriptReply reply = runAppleScript(source);
    if (reply.succeeded())
        return;
    const QString op = QStringLiteral("executeScript:");
    tlog::labelled(kClass, op, QStringLiteral("ERROR:"), source);
    logScriptError(kClass, op, reply.errorInfo);
}

AppleEventDescriptor callSub(const QString &handlerName,
                             const QList<AppleEventDescriptor> &arguments)
{
    return VozuVeva::callSub(handlerName, arguments);
}

} // namespace AppleScriptTool
