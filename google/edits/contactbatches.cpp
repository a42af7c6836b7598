// The browser's edits of many contacts at once: removing them from groups or from every group,
// flagging, deleting, and dropping them on a group or a pseudo group. The held entries change
// first; copies of them go to Google.
#include "google/batch/batchfeeds.h"
#include "google/batch/ticketset.h"
#include "google/edits/contactflags.h"
#include "google/edits/edittexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/listkeys.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/entryedits.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdatahttpfetcher.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/beep.h"

#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

// Each operation numbers its entries on for the life of the program.
unsigned removeFromGroupsCounter = 0;
unsigned removeAllMembershipsCounter = 0;
unsigned flagCounter = 0;
unsigned deleteCounter = 0;

const QString kUpdate = QString::fromLatin1(kGDataBatchOperationUpdate);
const QString kDelete = QString::fromLatin1(kGDataBatchOperationDelete);

using Change = std::function<bool(const GDataEntryContactPtr &)>;

// Each identifier's held contact changed by change (false leaves it out of the send), and a copy
// of it in the feeds, numbered by counter when there is one. A feed closes after every 100th
// identifier, found or not.
std::vector<GDataFeedPtr> editFeeds(const GoogleContactLists &lists, const QStringList &contactIDs,
                                    const QString &operation, unsigned *counter,
                                    const Change &change)
{
    batchfeeds::FeedCutter cutter([&operation] {
        GDataFeedPtr feed = GDataFeedContact::contactFeed();
        feed->setBatchOperation(operation);
        return feed;
    });
    int counted = 0;
    for (const QString &identifier : contactIDs) {
        const GDataEntryContactPtr contact = contactlookups::contactForID(lists, identifier);
        if (contact && change(contact)) {
            const GDataEntryPtr sent = contact->copy();
            if (counter)
                sent->setBatchID(batchfeeds::nextBatchID(*counter));
            cutter.add(sent);
        }
        if (++counted % kGDataMaxBatchEntries == 0)
            cutter.endFeed();
    }
    return cutter.feeds();
}

QStringList identifiersOf(const QList<QVariantMap> &contacts)
{
    QStringList identifiers;
    identifiers.reserve(contacts.size());
    for (const QVariantMap &contact : contacts)
        identifiers << contact.value(QStringLiteral("gID")).toString();
    return identifiers;
}

bool isMember(const GDataEntryContact &contact, const QString &groupID)
{
    const std::vector<GDataGroupMembershipInfo> &memberships = contact.groupMembershipInfos();
    return std::any_of(memberships.begin(), memberships.end(),
                       [&](const GDataGroupMembershipInfo &info) {
                           return !info.deleted && info.href == groupID;
                       });
}

// Sends the feeds as one ticket set. With none (every contact unknown, or nothing to change) the
// set still completes, later on the event loop as an answer would, so the window's progress that
// the caller opens after this call is closed as after any other send.
void sendFeeds(GoogleContactTool &tool, const QUrl &batchURL,
               const std::vector<GDataFeedPtr> &feeds, TicketSet::Step completion,
               TicketSet::Step ticketEnded = {})
{
    if (!feeds.empty()) {
        TicketSet::sendBatchFeeds(*tool.contactService(), &tool, batchURL, feeds,
                                  std::move(completion), std::move(ticketEnded));
        return;
    }
    const std::shared_ptr<TicketSet> set = TicketSet::make(std::move(completion));
    QTimer::singleShot(0, &tool, [set] { set->close(); });
}

} // namespace

void GoogleContactTool::sendBrowserBatch(const QUrl &batchURL,
                                         const std::vector<GDataFeedPtr> &feeds)
{
    sendFeeds(*this, batchURL, feeds, [this](TicketSet &set) { browserBatchAnswered(set); });
}

void GoogleContactTool::batchRemoveContactsFromGroups(const QList<QVariantMap> &contacts,
                                                      const QStringList &groupIDs)
{
    if (contacts.isEmpty())
        return;
    const std::vector<GDataFeedPtr> feeds =
        editFeeds(m_lists, identifiersOf(contacts), kUpdate, &removeFromGroupsCounter,
                  [&](const GDataEntryContactPtr &contact) {
                      for (const QString &groupID : groupIDs)
                          contact->removeGroupMembershipInfo(
                              GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupID));
                      return true;
                  });
    sendBrowserBatch(batchfeeds::batchURLOf(m_contactFeed), feeds);
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(edittexts::waitingOnGoogle);
}

void GoogleContactTool::removeAllGroupMembershipsForContacts(const QStringList &contactIDs)
{
    if (contactIDs.isEmpty())
        return;
    const QString myContacts = grouplookups::myContactsID(m_lists);
    const std::vector<GDataFeedPtr> feeds =
        editFeeds(m_lists, contactIDs, kUpdate, &removeAllMembershipsCounter,
                  [&](const GDataEntryContactPtr &contact) {
                      contact->setGroupMembershipInfos(
                          {GDataGroupMembershipInfo::groupMembershipInfoWithHref(myContacts)});
                      return true;
                  });
    sendBrowserBatch(batchfeeds::batchURLOf(m_contactFeed), feeds);
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(edittexts::waitingOnGoogle);
}

void GoogleContactTool::batchFlagContactsWithFlags(const QStringList &contactIDs,
                                                   const QMap<QString, QString> &flags)
{
    if (contactIDs.isEmpty())
        return;
    const std::vector<GDataFeedPtr> feeds = editFeeds(
        m_lists, contactIDs, kUpdate, &flagCounter, [&](const GDataEntryContactPtr &contact) {
            for (auto flag = flags.cbegin(); flag != flags.cend(); ++flag)
                tolvane::assignExPropValue(*contact, flag.value(), flag.key());
            return true;
        });
    sendBrowserBatch(batchfeeds::batchURLOf(m_contactFeed), feeds);
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(edittexts::waitingOnGoogle);
}

void GoogleContactTool::batchDeleteContacts(const QList<QVariantMap> &contacts)
{
    if (contacts.isEmpty())
        return;
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(edittexts::deletingContacts, int(contacts.size()));
    const std::vector<GDataFeedPtr> feeds = editFeeds(
        m_lists, identifiersOf(contacts), kDelete, &deleteCounter,
        [this](const GDataEntryContactPtr &contact) {
            setProgressMessage(edittexts::deletingContact.arg(tolvane::tolvaneTitle(*contact)));
            return true;
        });
    sendBrowserBatch(batchfeeds::batchURLOf(m_contactFeed), feeds);
    if (m_uiDelegate)
        m_uiDelegate->setProgressMessage(edittexts::waitingOnGoogle);
}

void GoogleContactTool::addContactsToGroupWithID(const QStringList &contactIDs,
                                                 const QString &groupID)
{
    if (contactIDs.isEmpty())
        return;
    UserDefaults &ud = UserDefaults::standard();
    // A pseudo group without a title names nothing.
    const auto names = [&](const QString &key) {
        const QString title = ud.stringForKey(key);
        return !title.isEmpty() && groupID == title;
    };
    const struct
    {
        const QString &key;
        const contactflags::Flags *flags;
    } flagGroups[] = {
        {listkeys::systemGroupMale, &contactflags::male},
        {listkeys::systemGroupFemale, &contactflags::female},
        {listkeys::systemGroupCompany, &contactflags::company},
        {listkeys::systemGroupNoGender, &contactflags::neither},
    };
    for (const auto &group : flagGroups) {
        if (names(group.key)) {
            batchFlagContactsWithFlags(contactIDs, *group.flags);
            return;
        }
    }
    if (names(listkeys::systemGroupNoGroup)) {
        removeAllGroupMembershipsForContacts(contactIDs);
        return;
    }
    if (names(listkeys::systemGroupEmailOnly)) {
        beep::beep();
        return;
    }
    GDataHTTPFetcher::setIsLoggingEnabled(true);
    const GDataEntryContactGroupPtr group = grouplookups::groupForID(m_lists, groupID);
    if (!group)
        return;
    const QUrl batchURL = batchfeeds::batchURLOf(m_contactFeed);
    const GDataGroupMembershipInfo membership =
        GDataGroupMembershipInfo::groupMembershipInfoWithHref(group->identifier());
    BatchActionQueue sent;
    // A contact already in the group is left out: a second membership of it would be a
    // duplicate on Google.
    const std::vector<GDataFeedPtr> feeds =
        editFeeds(m_lists, contactIDs, kUpdate, nullptr, [&](const GDataEntryContactPtr &contact) {
            setProgressMessage(edittexts::updatingMemberships.arg(tolvane::tolvaneTitle(*contact)));
            if (isMember(*contact, membership.href))
                return false;
            contact->addGroupMembershipInfo(membership);
            sent.push_back({nullptr, contact, batchactions::update});
            return true;
        });
    // The answers' percentage counts the contacts actually sent.
    m_currentContactBatchArray = sent;
    sendFeeds(
        *this, batchURL, feeds,
        [this](TicketSet &set) { batchContactsAnswered(tickettypes::generic, set); },
        [this](TicketSet &set) { genericContactTicketEnded(set); });
    m_progressMessage = edittexts::waitingOnGoogle;
}
