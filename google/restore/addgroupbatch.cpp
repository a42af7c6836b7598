// Google groups made for address book groups in one batch send. Each entry carries its address
// book group's identifier as its batch identifier, so the answer alone says which group each new
// Google group belongs to.
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "foundation/log.h"
#include "google/batch/batchfeeds.h"
#include "google/batch/ticketset.h"
#include "google/engine/googlecontacttool.h"
#include "google/restore/restorerecords.h"
#include "google/restore/restoretexts.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeedcontactgroup.h"
#include "platform/ui/prompter.h"

#include <QApplication>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kInsert = QStringLiteral("insert");
constexpr unsigned kCreated = 201;

} // namespace

void GoogleContactTool::batchAddABGroups(const QList<GroupPtr> &abGroups)
{
    batchfeeds::FeedCutter cutter([] {
        const GDataFeedPtr feed = GDataFeedContactGroup::contactGroupFeed();
        feed->setBatchOperation(kInsert);
        return feed;
    });
    for (const GroupPtr &abGroup : abGroups) {
        const GDataEntryContactGroupPtr group = GDataEntryContactGroup::contactGroupEntryWithTitle(
            abGroup->valueForProperty(kABGroupNameProperty).toString());
        group->setBatchOperation(kInsert);
        group->setBatchID(abGroup->uniqueId());
        cutter.add(group);
    }
    m_isGoogleContactFetchPending = true;
    // Without the groups' batch link every ticket fails, and the failure is shown.
    TicketSet::sendBatchFeeds(*contactService(), this, batchfeeds::batchURLOf(m_groupFeed),
                              cutter.feeds(),
                              [this](TicketSet &set) { batchAddGroupAnswered(set); });
}

void GoogleContactTool::batchAddGroupAnswered(TicketSet &set)
{
    // What Google made is linked whether or not another feed failed, so a second send finds
    // those groups linked instead of making them again.
    for (const GDataEntryPtr &entry : set.results()) {
        const std::optional<GDataBatchStatus> status = entry->batchStatus();
        if (!status || status->code != kCreated)
            continue;
        if (const GroupPtr group =
                AddressBookTool::groupByABID(entry->batchID().value_or(QString())))
            AddressBookTool::setGoogleID(entry->identifier(), group);
    }
    if (AddressBook::shared()->hasUnsavedChanges())
        AddressBookTool::abSave();
    m_isGoogleContactFetchPending = false;
    Prompt prompt;
    if (set.failures().empty()) {
        const QString report =
            restorerecords::batchReport(set.results(), set.lastStatusCode(), false);
        tlog::value(kClass, QStringLiteral("batchAddGroupTicket:finishedWithFeed:"),
                    QStringLiteral("report"), report);
        prompt = Prompt{restoretexts::addGroupCompletedTitle,
                        restoretexts::addGroupCompletedText.arg(report),
                        {restoretexts::okButton}};
    } else {
        QStringList errors;
        for (const TicketSet::Failure &failure : set.failures())
            errors << failure.error.description;
        tlog::value(kClass, QStringLiteral("batchAddGroupTicket:failedWithError:"),
                    QStringLiteral("error"), errors.join(u'\n'));
        prompt = Prompt{restoretexts::addGroupFailedTitle,
                        restoretexts::addGroupFailedText.arg(errors.join(u'\n')),
                        {restoretexts::okButton}};
    }
    fetchAllGroupsWithUIRefresh(true, false);
    Prompter::current().beginSheet(prompt, QApplication::activeWindow(), [](int) {});
}
