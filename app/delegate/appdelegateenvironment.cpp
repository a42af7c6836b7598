#include "app/delegate/appdelegate.h"

#include "app/appkeys.h"
#include "app/delegate/modetexts.h"
#include "foundation/log.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/scriptreply.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

// A page the preferences name; a page without an address opens nothing.
void openPage(const QString &key)
{
    const QString address = UserDefaults::standard().stringForKey(key);
    if (!address.isEmpty())
        QDesktopServices::openUrl(QUrl(address));
}

} // namespace

void AppDelegate::setFrontAppBundle(const QString &name)
{
    // The preference is written once per change of the front application.
    if (name.isEmpty() || name == m_frontAppBundle)
        return;
    m_frontAppBundle = name;
    UserDefaults::standard().setString(name, appkeys::frontAppBundle);
}

void AppDelegate::menuNotification()
{
    // Nothing here drives another program's interface, so interface scripting is always on; the
    // menus' validation and the commands read a fresh value all the same.
    UserDefaults::standard().setBool(true, appkeys::guiScriptingEnabled);
}

void AppDelegate::defaultsDidChangeNotification(const QVariantMap &userInfo)
{
    tlog::value(kClass, QStringLiteral("defaultsDidChangeNotification:"), modetexts::userInfo,
                tlog::describe(userInfo));
}

void AppDelegate::openGoogleContactPage()
{
    openPage(appkeys::googleContactsPage);
}

void AppDelegate::openFAQPage()
{
    openPage(appkeys::faqPage);
}

void AppDelegate::openManuaPage()
{
    openPage(appkeys::userManualPage);
}

void AppDelegate::openSupportForum()
{
    openPage(appkeys::supportForumPage);
}

void AppDelegate::openHomePage()
{
    openPage(appkeys::homePage);
}

QString AppDelegate::doAppleScript(const QString &source)
{
    const QString op = QStringLiteral("doAppleScript:");
    const ScriptReply reply = runAppleScript(source);
    if (reply.succeeded())
        return QStringLiteral("Success");
    const QString message =
        reply.errorInfo.value(QStringLiteral("NSAppleScriptErrorMessage")).toString();
    tlog::labelled(kClass, op, QStringLiteral("ERROR:"), source);
    tlog::value(kClass, op,
                QStringLiteral("[errorDict objectForKey:@\"NSAppleScriptErrorMessage\"]"), message);
    tlog::value(kClass, op, QStringLiteral("errorDict"), tlog::describe(reply.errorInfo));
    return message;
}
