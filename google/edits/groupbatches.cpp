// The browser's edits of Google groups: deleting them, making groups for address book groups,
// dating their notes, and renaming one.
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "google/batch/batchfeeds.h"
#include "google/edits/edittexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/lookups/grouplookups.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeedcontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/beep.h"
#include "platform/ui/prompter.h"

#include <QDateTime>

#include <algorithm>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");

unsigned deleteGroupsCounter = 0;
unsigned insertGroupsCounter = 0;
unsigned updateGroupsCounter = 0;

// The single-request wait of a rename.
constexpr double kRenameWait = 3.0;

} // namespace

void GoogleContactTool::sendGroupEdits(const std::vector<GDataEntryPtr> &groups,
                                       const QString &operation)
{
    const auto makeFeed = [&operation] {
        GDataFeedPtr feed = GDataFeedContactGroup::contactGroupFeed();
        feed->setBatchOperation(operation);
        return feed;
    };
    batchfeeds::FeedCutter cutter(makeFeed);
    for (const GDataEntryPtr &group : groups)
        cutter.add(group);
    std::vector<GDataFeedPtr> feeds = cutter.feeds();
    // Even with nothing in it the one feed goes, and its answer ends the send as any other.
    if (feeds.empty())
        feeds.push_back(makeFeed());
    sendBrowserBatch(batchfeeds::batchURLOf(m_groupFeed), feeds);
}

void GoogleContactTool::batchDeleteGroups(const QStringList &groupIDs)
{
    std::vector<GDataEntryPtr> groups;
    for (const QString &identifier : groupIDs) {
        const GDataEntryContactGroupPtr group = grouplookups::groupForID(m_lists, identifier);
        if (!group)
            continue;
        const GDataEntryPtr sent = group->copy();
        sent->setBatchID(batchfeeds::nextBatchID(deleteGroupsCounter));
        groups.push_back(sent);
    }
    sendGroupEdits(groups, QString::fromLatin1(kGDataBatchOperationDelete));
}

void GoogleContactTool::batchDeleteABGroups(const QList<GroupPtr> &abGroups)
{
    std::vector<GDataEntryPtr> groups;
    for (const GroupPtr &abGroup : abGroups) {
        const GDataEntryContactGroupPtr group = GDataEntryContactGroup::contactGroupEntryWithTitle(
            abGroup->valueForProperty(kABGroupNameProperty).toString());
        group->setBatchID(batchfeeds::nextBatchID(insertGroupsCounter));
        groups.push_back(group);
    }
    const QUrl batchURL = batchfeeds::batchURLOf(m_groupFeed);
    tlog::value(kClass, QStringLiteral("batchDeleteABGroups:"), edittexts::groupBatchLinkLabel,
                batchURL.toString());
    if (batchURL.isEmpty()) {
        beep::beep();
        return;
    }
    m_isGoogleContactFetchPending = true;
    sendGroupEdits(groups, QString::fromLatin1(kGDataBatchOperationInsert));
}

void GoogleContactTool::batchUpdateGroups(const std::vector<GDataEntryContactGroupPtr> &held)
{
    if (batchfeeds::batchURLOf(m_groupFeed).isEmpty()) {
        beep::beep();
        return;
    }
    const QString now = textdate::format(QDateTime::currentDateTime());
    std::vector<GDataEntryPtr> groups;
    for (const GDataEntryContactGroupPtr &group : held) {
        const QString note = group->content().value_or(QString());
        if (note.isEmpty())
            continue;
        group->setContentWithString(QStringLiteral("%1\n%2").arg(note, now));
        const GDataEntryPtr sent = group->copy();
        sent->setBatchID(batchfeeds::nextBatchID(updateGroupsCounter));
        groups.push_back(sent);
    }
    if (groups.empty()) {
        beep::beep();
        return;
    }
    m_isGoogleContactFetchPending = true;
    sendGroupEdits(groups, QString::fromLatin1(kGDataBatchOperationUpdate));
}

void GoogleContactTool::updateGroupIDWithName(const QString &groupID, const QString &name)
{
    const GDataEntryContactGroupPtr group = grouplookups::groupForID(m_lists, groupID);
    if (!group)
        return;
    group->setTitle(name);
    const std::optional<GDataLink> edit = group->editLink();
    armSingleInsertTreadInterval(kRenameWait);
    contactService()->fetchContactEntryByUpdatingEntry(
        *group, edit ? edit->URL() : QUrl(), this,
        [this](const GDataServiceTicketPtr &, const GDataEntryPtr &entry) {
            editOneGroupTicketEditedEntry(entry);
        },
        [this](const GDataServiceTicketPtr &, const GDataError &error) {
            editOneGroupTicketFailedWithError(error);
        });
    singleInsertTread();
}

void GoogleContactTool::editOneGroupTicketEditedEntry(const GDataEntryPtr &entry)
{
    m_singleInsertWait.clear();
    // Google's answer carries the group's new version: a later edit sent with the old one would
    // be refused as stale.
    if (const auto edited = std::dynamic_pointer_cast<GDataEntryContactGroup>(entry)) {
        std::vector<GDataEntryContactGroupPtr> groups = m_lists.groups();
        const auto held = std::find_if(groups.begin(), groups.end(), [&](const auto &group) {
            return group->identifier() == edited->identifier();
        });
        if (held != groups.end()) {
            *held = edited;
            m_lists.setGroups(std::move(groups));
        }
    }
    if (m_uiDelegate)
        m_uiDelegate->closeUserInfo();
}

void GoogleContactTool::editOneGroupTicketFailedWithError(const GDataError &error)
{
    m_singleInsertWait.clear();
    Prompter::current().beginSheet(Prompt{edittexts::groupUpdateFailedTitle,
                                          edittexts::groupUpdateFailedText.arg(
                                              error.description, tlog::describe(error.userInfo)),
                                          {googletexts::okButton}},
                                   m_uiDelegate ? m_uiDelegate->window() : nullptr, [](int) {});
}
