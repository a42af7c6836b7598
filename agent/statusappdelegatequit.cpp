#include "agent/configurationpanel.h"
#include "agent/statusappdelegate.h"

#include "addressbook/records/recordsaving.h"
#include "agent/agentkeys.h"
#include "foundation/vozuveva/vozuvevaappcontrol.h"
#include "google/push/googleabautoupdate.h"
#include "platform/addressbook/addressbook.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/statusitem.h"

void StatusAppDelegate::applicationWillTerminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    m_poller.stop();
    m_blinker.stop();
    m_loginWatch.stop();
    AddressBookTool::abSave();
    disconnectHandlers();
    VozuVeva::quitApplication(agentkeys::kServiceBundleIdentifier);
    // What is queued or in flight is kept for the next login, not taken as done.
    if (m_googleABAutoUpdate)
        m_googleABAutoUpdate->savePendingWork();
    takePushSnapshot();
    // Closing writes everything of the book into its file, not only into its log.
    AddressBook::closeShared();
    UserDefaults &defaults = UserDefaults::standard();
    for (const QString &key : agentkeys::quitRemovesKeys)
        defaults.removeObjectForKey(key);
    defaults.synchronize();
    if (m_statusItem)
        m_statusItem->remove();
}
