// The bulk delete commands: a confirmation sheet, then batch feeds of delete entries, then a fetch
// of what Google holds now. Nothing here reads or writes the address book beyond finding the
// candidates.
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/log.h"
#include "google/batch/batchfeeds.h"
#include "google/batch/batchkeys.h"
#include "google/batch/ticketset.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/upload/deletecandidates.h"
#include "google/upload/deletecommandtexts.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/group.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/entries/gdatafeedcontactgroup.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/beep.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QPointer>

namespace {

using batchfeeds::batchURLOf;
using batchfeeds::deleteFeeds;
constexpr int kDeleteButton = kAlertSecondButtonReturn;

// Batch identifiers count on for the life of the program: one counter for the list commands, one
// for the delete-all commands.
unsigned listBatchCounter = 0;
unsigned allBatchCounter = 0;

void showNotice(const QString &title, const QString &text)
{
    Prompter::current().beginSheet(Prompt{title, text, {googletexts::okButton}},
                                   QApplication::activeWindow(), [](int) {});
}

QString titleOf(const GDataEntryPtr &entry)
{
    return entry->title().value_or(QString());
}

template <class Entry>
std::vector<GDataEntryPtr> asEntries(const std::vector<std::shared_ptr<Entry>> &typed)
{
    return std::vector<GDataEntryPtr>(typed.cbegin(), typed.cend());
}

} // namespace

void GoogleContactTool::beginDeleteSheet(const QList<GDataEntryContactPtr> &candidates,
                                         const QString &title, const QString &deleteButton,
                                         const QString &statusMsg)
{
    m_deleteCandidates = candidates;
    m_deleteStatusMsg = statusMsg;
    QPointer<GoogleContactTool> tool(this);
    Prompter::current().beginSheet(
        Prompt{title, deletetexts::cannotBeUndone, {deletetexts::cancelButton, deleteButton}},
        QApplication::activeWindow(), [tool](int returnCode) {
            if (tool)
                tool->deleteSheetDidEnd(returnCode);
        });
}

void GoogleContactTool::deleteAllGoogleEmailOnlyContacts()
{
    const QList<GDataEntryContactPtr> candidates = deletecandidates::noNameContacts(m_lists);
    if (candidates.isEmpty()) {
        showNotice(deletetexts::noNameNoneTitle, deletetexts::noNameNone);
        return;
    }
    beginDeleteSheet(candidates, deletetexts::noNameTitle.arg(candidates.size()),
                     deletetexts::deleteContactsButton, deletetexts::deletingContacts);
}

void GoogleContactTool::deleteAllGoogleNoGroupContacts()
{
    const QList<GDataEntryContactPtr> candidates = deletecandidates::noGroupContacts(m_lists);
    if (candidates.isEmpty()) {
        showNotice(deletetexts::nothingSelected, deletetexts::noGroupNone);
        return;
    }
    beginDeleteSheet(candidates, deletetexts::noGroupTitle.arg(candidates.size()),
                     deletetexts::deleteContactsButton, deletetexts::deletingContacts);
}

void GoogleContactTool::deleteGoogleMembersOfGroupWithName(const QString &title)
{
    const std::optional<QList<GDataEntryContactPtr>> candidates =
        deletecandidates::membersOfGroupWithTitle(m_lists, title);
    if (!candidates)
        return;
    if (candidates->isEmpty()) {
        showNotice(deletetexts::nothingSelected, deletetexts::groupMembersNone);
        return;
    }
    beginDeleteSheet(*candidates, deletetexts::groupMembersTitle.arg(title),
                     deletetexts::deleteAllPeopleButton, deletetexts::deletingContacts);
}

void GoogleContactTool::deleteGoogleMembersOfABGroupWithName(const QString &name)
{
    const GroupPtr group = AddressBookTool::groupByName(name);
    const QList<GDataEntryContactPtr> candidates = deletecandidates::contactsOfABRecords(
        m_lists, group ? group->members() : QList<PersonPtr>(),
        UserDefaults::standard().boolForKey(googlekeys::gmUpdateNeverMoveMeCard));
    if (candidates.isEmpty()) {
        showNotice(deletetexts::nothingSelected, deletetexts::abGroupMembersNone.arg(name));
        return;
    }
    beginDeleteSheet(candidates, deletetexts::abGroupMembersTitle.arg(candidates.size()).arg(name),
                     deletetexts::deleteContactsButton, deletetexts::deletingContacts);
}

void GoogleContactTool::deleteAllABPeople()
{
    const QList<GDataEntryContactPtr> candidates = deletecandidates::contactsOfABRecords(
        m_lists, AddressBookTool::allPeople(),
        UserDefaults::standard().boolForKey(googlekeys::gmUpdateNeverMoveMeCard));
    if (candidates.isEmpty()) {
        showNotice(deletetexts::nothingSelected, deletetexts::abPeopleNone);
        return;
    }
    beginDeleteSheet(candidates, deletetexts::abPeopleTitle, deletetexts::deleteAllPeopleButton,
                     deletetexts::deletingPeople);
}

void GoogleContactTool::deleteAllABCompanies()
{
    const QList<GDataEntryContactPtr> candidates = deletecandidates::contactsOfABRecords(
        m_lists, AddressBookTool::allCompanies(),
        UserDefaults::standard().boolForKey(googlekeys::gmUpdateNeverMoveMeCard));
    if (candidates.isEmpty()) {
        showNotice(deletetexts::nothingSelected, deletetexts::abCompaniesNone);
        return;
    }
    beginDeleteSheet(candidates, deletetexts::abCompaniesTitle,
                     deletetexts::deleteAllCompaniesButton, deletetexts::deletingCompanies);
}

void GoogleContactTool::deleteSheetDidEnd(int returnCode)
{
    if (returnCode != kDeleteButton)
        return;
    const QUrl batchURL = batchURLOf(m_contactFeed);
    if (batchURL.isEmpty()) {
        beep::beep();
        return;
    }
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(false, googlekeys::deleteGoogleContactsComplete);
    ud.setBool(true, googlekeys::waitingOnGoogle);
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(deletetexts::incoming,
                                              int(m_deleteCandidates.size()));
    const std::vector<GDataEntryPtr> entries(m_deleteCandidates.cbegin(),
                                             m_deleteCandidates.cend());
    const std::vector<GDataFeedPtr> feeds = deleteFeeds(
        entries, listBatchCounter, &GDataFeedContact::contactFeed,
        [this](const GDataEntryPtr &entry) {
            setProgressMessage(QStringLiteral("%1 %2").arg(m_deleteStatusMsg, titleOf(entry)));
        });
    TicketSet::sendBatchFeeds(*contactService(), this, batchURL, feeds, [this](TicketSet &set) {
        deleteBatchesAnswered(deletecontexts::candidates, set);
    });
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(deletetexts::waitingOnGoogle);
}

void GoogleContactTool::deleteAllGoogleContacts()
{
    QPointer<GoogleContactTool> tool(this);
    Prompter::current().beginSheet(
        Prompt{deletetexts::allContactsTitle.arg(m_lists.contacts().size()),
               deletetexts::cannotBeUndone,
               {deletetexts::cancelButton, deletetexts::deleteButton}},
        QApplication::activeWindow(), [tool](int returnCode) {
            if (tool)
                tool->deleteAllSheetDidEnd(returnCode, deletecontexts::contacts);
        });
}

void GoogleContactTool::deleteAllGoogleGroups()
{
    QPointer<GoogleContactTool> tool(this);
    Prompter::current().beginSheet(Prompt{deletetexts::allGroupsTitle.arg(m_lists.groups().size()),
                                          deletetexts::cannotBeUndone,
                                          {deletetexts::cancelButton, deletetexts::deleteButton}},
                                   QApplication::activeWindow(), [tool](int returnCode) {
                                       if (tool)
                                           tool->deleteAllSheetDidEnd(returnCode,
                                                                      deletecontexts::groups);
                                   });
}

void GoogleContactTool::deleteAllSheetDidEnd(int returnCode, const QString &context)
{
    if (returnCode != kDeleteButton)
        return;
    UserDefaults::standard().setBool(false, googlekeys::gmDeleteAllActionsComplete);
    const bool contacts = context == deletecontexts::contacts;
    const std::vector<GDataEntryPtr> entries =
        contacts ? asEntries(m_lists.contacts()) : asEntries(m_lists.groups());
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(contacts ? deletetexts::deletingAllContacts
                                                       : deletetexts::deletingAllGroups,
                                              int(entries.size()));
    const QUrl batchURL = batchURLOf(contacts ? m_contactFeed : m_groupFeed);
    if (batchURL.isEmpty()) {
        beep::beep();
        return;
    }
    if (entries.empty()) {
        UserDefaults::standard().setBool(true, googlekeys::gmDeleteAllActionsComplete);
        return;
    }
    const std::function<GDataFeedPtr()> makeFeed =
        contacts ? std::function<GDataFeedPtr()>(&GDataFeedContact::contactFeed)
                 : std::function<GDataFeedPtr()>(&GDataFeedContactGroup::contactGroupFeed);
    const std::vector<GDataFeedPtr> feeds =
        deleteFeeds(entries, allBatchCounter, makeFeed, [this](const GDataEntryPtr &entry) {
            setProgressMessage(deletetexts::sendingDelete.arg(titleOf(entry)));
        });
    TicketSet::sendBatchFeeds(
        *contactService(), this, batchURL, feeds,
        [this, context](TicketSet &set) { deleteBatchesAnswered(context, set); });
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(deletetexts::waitingOnGoogle);
}

void GoogleContactTool::deleteBatchesAnswered(const QString &context, const TicketSet &set)
{
    UserDefaults &ud = UserDefaults::standard();
    const bool list = context == deletecontexts::candidates;
    ud.setBool(true, list ? googlekeys::deleteGoogleContactsComplete
                          : googlekeys::gmDeleteAllActionsComplete);
    ud.setBool(false, googlekeys::waitingOnGoogle);
    const QString report =
        buildProcessReportUsingResults(set.results(), set.lastStatusCode(), true);
    // Whatever part of the deletes went through has changed Google: the local copy is fetched
    // again even when a batch failed, so no deleted entry is offered for deleting again.
    if (context == deletecontexts::groups)
        fetchAllGroupsWithUIRefresh(true, false);
    else
        fetchAllContactsWithUIRefresh(true);
    if (!m_uiDelegate)
        return;
    std::optional<GDataError> error;
    if (!set.failures().empty())
        error = set.failures().front().error;
    QString process = deletetexts::deleteContactsProcess;
    if (!list && error)
        process = deletetexts::deleteAllFailedProcess;
    else if (context == deletecontexts::contacts)
        process = deletetexts::deleteAllContactsProcess;
    else if (context == deletecontexts::groups)
        process = deletetexts::deleteAllGroupsProcess;
    m_uiDelegate->cleanupGUIforProcess(
        process, ud.boolForKey(batchkeys::showGoogleProcessReports) ? report : QString(), error);
}

void GoogleContactTool::deleteGroupWithName(const QString &title)
{
    GDataEntryContactGroupPtr found;
    int matches = 0;
    for (const GDataEntryContactGroupPtr &group : m_lists.groups()) {
        if (group->title() == title) {
            found = group;
            ++matches;
        }
    }
    if (matches == 1)
        deleteGroup(found);
}

void GoogleContactTool::deleteGroup(const GDataEntryContactGroupPtr &group)
{
    if (!group)
        return;
    contactService()->deleteEntry(
        *group, this,
        [this](const GDataServiceTicketPtr &, const GDataEntryPtr &) {
            QPointer<GoogleContactTool> tool(this);
            Prompter::current().beginSheet(Prompt{deletetexts::groupDeleted,
                                                  deletetexts::groupDeletedText,
                                                  {googletexts::okButton}},
                                           QApplication::activeWindow(), [tool](int) {
                                               if (tool && tool->uiDelegate())
                                                   tool->uiDelegate()->performSelector(
                                                       QStringLiteral("manageSafari"));
                                           });
            fetchAllGroupsWithUIRefresh(true, false);
        },
        [](const GDataServiceTicketPtr &, const GDataError &error) {
            Prompter::current().beginSheet(
                Prompt{deletetexts::groupDeleteFailed,
                       deletetexts::groupDeleteFailedText.arg(error.description,
                                                              tlog::describe(error.userInfo)),
                       {googletexts::okButton}},
                QApplication::activeWindow(), [](int) {});
        });
}
