// The smart-group membership batch: every smart group's members mirrored as memberships of its
// Google group, one update per contact, sent on their own (the completion chain never starts
// it).
#include "addressbook/groups/grouplists.h"
#include "foundation/log.h"
#include "google/batch/batchkeys.h"
#include "google/batch/smartgroupmemberships.h"
#include "google/batch/ticketset.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdatafeedcontact.h"

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kProcess = QStringLiteral("Update Smart Group Memberships");
constexpr size_t kEntriesPerFeed = 100;

// One copy of each changed contact, as an update, in feeds of at most 100 entries.
std::vector<GDataFeedPtr>
membershipFeeds(const std::vector<smartgroupmemberships::ContactMembershipChange> &changes)
{
    std::vector<GDataFeedPtr> feeds;
    for (size_t i = 0; i < changes.size(); ++i) {
        if (i % kEntriesPerFeed == 0)
            feeds.push_back(GDataFeedContact::contactFeed());
        smartgroupmemberships::applyChange(changes[i]);
        const GDataEntryPtr copy = changes[i].contact->copy();
        copy->setBatchOperation(QStringLiteral("update"));
        feeds.back()->addEntry(copy);
    }
    return feeds;
}

} // namespace

void GoogleContactTool::buildSmartGroupActions()
{
    const std::vector<smartgroupmemberships::ContactMembershipChange> changes =
        smartgroupmemberships::smartGroupChanges(
            m_lists, AddressBookTool::smartABGroups(),
            [this](const QString &message) { setProgressMessage(message); });
    if (changes.empty()) {
        doSaveAB();
        return;
    }
    tlog::value(kClass, QStringLiteral("buildSmartGroupActions"),
                QStringLiteral("[batchArray count]"), int(changes.size()));
    batchSmartGroupMembers(changes);
}

void GoogleContactTool::batchSmartGroupMembers(
    const std::vector<smartgroupmemberships::ContactMembershipChange> &changes)
{
    const std::optional<GDataLink> link = m_contactFeed ? m_contactFeed->batchLink() : std::nullopt;
    if (!link || link->href.isEmpty()) {
        tlog::message(kClass, QStringLiteral("batchSmartGroupMembers:"),
                      QStringLiteral("ERROR: Contact Feed batchURL is nil"));
        return;
    }
    UserDefaults::standard().setBool(false, batchkeys::gmSmartGroupTicketComplete);
    TicketSet::sendBatchFeeds(*contactService(), this, link->URL(), membershipFeeds(changes),
                              [this](TicketSet &set) { smartGroupMembersAnswered(set); });
}

void GoogleContactTool::smartGroupMembersAnswered(const TicketSet &set)
{
    UserDefaults::standard().setBool(true, batchkeys::gmSmartGroupTicketComplete);
    if (!set.failures().empty() && m_uiDelegate)
        m_uiDelegate->cleanupGUIforProcess(kProcess, QString(), set.failures().front().error);
    refetchGroupsAndContacts();
    // The memberships were changed in place on the listed contacts; Google's own versions
    // replace them, also after a failure, so the list never shows changes Google did not take
    // and the next run sends those again.
    refetchAllContacts(QString());
}
