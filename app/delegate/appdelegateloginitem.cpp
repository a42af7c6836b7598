#include "app/delegate/appdelegate.h"

#include "app/bundleinfo.h"
#include "app/delegate/modetexts.h"
#include "app/startup/payloadinstaller.h"
#include "foundation/log.h"
#include "platform/ui/loginitems.h"

void AppDelegate::setIsLoginItem(bool isLoginItem)
{
    if (m_isLoginItem == isLoginItem)
        return;
    m_isLoginItem = isLoginItem;
    emit isLoginItemChanged(isLoginItem);
}

QString AppDelegate::agentLoginItemPath() const
{
    return payloadinstaller::installedAgentPath(m_folders);
}

bool AppDelegate::loginItemExistsForPath(const QString &path) const
{
    return loginitems::loginItemExistsForPath(path);
}

void AppDelegate::manageLoginItemStatus()
{
    const QString path = agentLoginItemPath();
    const bool existed = loginItemExistsForPath(path);
    QString error;
    const bool done = existed ? loginitems::removeLoginItemsForPath(path, &error)
                              : loginitems::addLoginItem(bundleinfo::kAgentBundleIdentifier +
                                                             QStringLiteral(".desktop"),
                                                         modetexts::agentName, path, &error);
    // The checkbox has moved already; it shows what is on disk now, whatever the toggle did.
    const bool exists = loginItemExistsForPath(path);
    if (!done || exists == existed)
        tlog::write(modetexts::loginItemNotChanged.arg(path, error));
    m_isLoginItem = exists;
    emit isLoginItemChanged(exists);
}
