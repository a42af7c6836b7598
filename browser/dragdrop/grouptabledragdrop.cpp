#include "browser/dragdrop/grouptabledragdrop.h"

#include "addressbook/records/mynames.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/vcards/vcardexport.h"
#include "addressbook/vcards/vcardsplitter.h"
#include "browser/dragdrop/browserdragdrop.h"
#include "browser/dragdrop/contacttabledragdrop.h"
#include "browser/dragdrop/dragstrings.h"
#include "browser/dragdrop/dragtexts.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/models/pasteboardtypes.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "foundation/modifierkeys.h"
#include "google/batch/batchaction.h"
#include "google/engine/googlecontacttool.h"
#include "google/lookups/grouplookups.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"

#include <QTimer>

namespace {

const QString kPictureStep = QStringLiteral("batchVCardPictures");
const QString kRefetchStep = QStringLiteral("refetchAllContacts");
const QString kOwnGroupType = QStringLiteral("c");

} // namespace

GroupTableDragDrop::GroupTableDragDrop(BrowserDragDrop &browser)
    : m_browser(browser)
{}

GroupTableDragDrop::~GroupTableDragDrop() = default;

QString GroupTableDragDrop::windowToken() const
{
    return m_browser.windowToken();
}

bool GroupTableDragDrop::writeDrag(const QList<int> &, QMimeData &data)
{
    // The text and files are those of the contacts the window shows, whichever groups are
    // dragged.
    const QList<QVariantMap> shown = m_browser.shownRows();
    const bool option = modifierkeys::isOptionKeyDown();
    const QString text = option
                             ? dragstrings::tabSeparatedRows(shown, modifierkeys::isShiftKeyDown())
                             : dragstrings::emailList(shown);
    if (!text.isEmpty())
        data.setText(text);
    data.setUrls(m_browser.writeVCardFiles(shown, option));
    return true;
}

QString GroupTableDragDrop::targetGroupType(int row) const
{
    const QList<GroupRow> &rows = m_browser.window().groupArrayController()->groupArray();
    return row >= 0 && row < rows.size() ? rows[row].groupType : QStringLiteral("f");
}

namespace {

int targetRow(int row, const QModelIndex &parent)
{
    return parent.isValid() ? parent.row() : row;
}

} // namespace

bool GroupTableDragDrop::canDrop(const QMimeData *data, int row, const QModelIndex &parent) const
{
    if (!data)
        return false;
    const int target = targetRow(row, parent);
    const QString type = targetGroupType(target);
    if (data->hasFormat(pasteboardtypes::contactRows)) {
        const auto rows = pasteboardtypes::decodeRows(data->data(pasteboardtypes::contactRows));
        if (!rows || !BrowserDragDrop::forToken(rows->window))
            return false;
        if (rows->window != windowToken())
            return type != kOwnGroupType;
        // The window's own contacts belong to the All row already, and to a selected row.
        GroupSetController *const groupSet = m_browser.window().groupSetController();
        return target != 0 && !(groupSet && groupSet->groupSelection()->isRowSelected(target));
    }
    if (data->hasFormat(pasteboardtypes::groupRows)) {
        const auto rows = pasteboardtypes::decodeRows(data->data(pasteboardtypes::groupRows));
        return rows && rows->window != windowToken() && BrowserDragDrop::forToken(rows->window);
    }
    if (data->hasFormat(pasteboardtypes::fileNames)) {
        if (droprules::vCardFiles(pasteboardtypes::localFiles(data)).isEmpty())
            return false;
        return target != 1 && type != kOwnGroupType;
    }
    if (data->hasFormat(pasteboardtypes::abGroups))
        return !pasteboardtypes::recordIdentifiers(data, pasteboardtypes::abGroups).isEmpty();
    if (data->hasFormat(pasteboardtypes::abPeople))
        return !pasteboardtypes::recordIdentifiers(data, pasteboardtypes::abPeople).isEmpty() &&
               type != kOwnGroupType;
    if (pasteboardtypes::holdsAnyOf(data, pasteboardtypes::vCardTypes))
        return type != kOwnGroupType;
    return false;
}

void GroupTableDragDrop::later(std::function<void()> job)
{
    QTimer::singleShot(BrowserDragDrop::kDropDelayMs, &m_browser, std::move(job));
}

bool GroupTableDragDrop::drop(const QMimeData *data, int row, const QModelIndex &parent)
{
    if (!canDrop(data, row, parent))
        return false;
    const int target = targetRow(row, parent);
    const QList<GroupRow> &rows = m_browser.window().groupArrayController()->groupArray();
    const QString groupID =
        target >= 0 && target < rows.size() ? rows[target].identifier : QString();
    if (data->hasFormat(pasteboardtypes::contactRows))
        return dropContactRows(data, groupID);
    if (data->hasFormat(pasteboardtypes::groupRows)) {
        const auto dragged = pasteboardtypes::decodeRows(data->data(pasteboardtypes::groupRows));
        BrowserDragDrop *const source = BrowserDragDrop::forToken(dragged->window);
        GoogleGroupsJob job{dragged->window, dragged->rows, {}, groupID};
        const QList<GroupRow> &sourceRows = source->window().groupArrayController()->groupArray();
        for (int dragRow : dragged->rows) {
            if (dragRow >= 0 && dragRow < sourceRows.size())
                job.groupNames.append(sourceRows[dragRow].groupName);
        }
        later([this, job] { uploadGoogleGroups(job); });
        return true;
    }
    if (data->hasFormat(pasteboardtypes::fileNames)) {
        const QStringList files = droprules::vCardFiles(pasteboardtypes::localFiles(data));
        later([this, files, groupID] { uploadVCards(files, groupID); });
        return true;
    }
    if (data->hasFormat(pasteboardtypes::abGroups)) {
        ABGroupsJob job{pasteboardtypes::recordIdentifiers(data, pasteboardtypes::abGroups), {}};
        later([this, job] { uploadABGroups(job); });
        return true;
    }
    if (data->hasFormat(pasteboardtypes::abPeople)) {
        const QStringList abids =
            pasteboardtypes::recordIdentifiers(data, pasteboardtypes::abPeople);
        later([this, abids, groupID] { uploadABPeople(abids, groupID); });
        return true;
    }
    // vCard data, at once.
    const QList<QByteArray> cards = BrowserDragDrop::cardsOf(pasteboardtypes::vCardData(data));
    if (cards.isEmpty())
        return false;
    m_browser.abDropManager(cards, groupID, QStringLiteral(""));
    return true;
}

bool GroupTableDragDrop::dropContactRows(const QMimeData *data, const QString &target)
{
    const auto rows = pasteboardtypes::decodeRows(data->data(pasteboardtypes::contactRows));
    BrowserDragDrop *const source = BrowserDragDrop::forToken(rows->window);
    // The window's own contacts join the group at once; on a program group the engine applies
    // that group's meaning (a flag, My Contacts only, or a beep).
    if (source == &m_browser) {
        if (m_browser.tool())
            m_browser.tool()->addContactsToGroupWithID(rows->identifiers, target);
        return true;
    }
    const QList<QByteArray> cards =
        BrowserDragDrop::cardsOf(source->vCardDataForIDs(rows->identifiers));
    if (!cards.isEmpty())
        m_browser.abDropManager(cards, target, dragtexts::rowsFromOtherAccount.arg(source->user()));
    return true;
}

bool GroupTableDragDrop::rowTitleExists(const QString &title) const
{
    const QList<GroupRow> &rows = m_browser.window().groupArrayController()->groupArray();
    return std::any_of(rows.begin(), rows.end(),
                       [&](const GroupRow &row) { return row.groupName == title; });
}

bool GroupTableDragDrop::groupsExist(const QStringList &names) const
{
    GoogleContactTool *const tool = m_browser.tool();
    return tool && std::all_of(names.begin(), names.end(), [&](const QString &name) {
               return grouplookups::groupForName(tool->lists(), name) != nullptr;
           });
}

void GroupTableDragDrop::uploadGoogleGroups(const GoogleGroupsJob &job)
{
    BrowserDragDrop *const source = BrowserDragDrop::forToken(job.sourceToken);
    GoogleContactTool *const tool = m_browser.tool();
    if (!source || !tool || job.rows.isEmpty())
        return;
    // A drag that begins on the All row or the first system row copies the contacts the source
    // shows, into the row dropped on.
    if (job.rows.first() <= 1) {
        m_browser.abDropManager(BrowserDragDrop::cardsOf(source->vCardDataForCurrentContacts()),
                                job.groupID, dragtexts::groupFromOtherAccount.arg(source->user()));
        return;
    }
    QStringList missing;
    for (const QString &name : job.groupNames) {
        if (!rowTitleExists(name) && !missing.contains(name))
            missing.append(name);
    }
    m_googleJobs.append(job);
    if (missing.isEmpty())
        processGoogleGroups();
    else
        tool->batchAddGroupNamesArray(missing, QStringLiteral("processGoogleGroups"));
}

std::optional<GroupTableDragDrop::GoogleGroupsJob> GroupTableDragDrop::takeReadyGoogleJob()
{
    if (m_googleJobs.isEmpty() || !m_browser.tool())
        return std::nullopt;
    // The job whose groups exist now; batches may answer in another order than they were sent.
    qsizetype index = 0;
    while (index < m_googleJobs.size() && !groupsExist(m_googleJobs[index].groupNames))
        ++index;
    return m_googleJobs.takeAt(index < m_googleJobs.size() ? index : 0);
}

std::vector<GDataEntryContactGroupPtr> GroupTableDragDrop::groupsNamedIn(const GoogleGroupsJob &job,
                                                                         bool skipFirstRow) const
{
    std::vector<GDataEntryContactGroupPtr> groups;
    for (qsizetype i = 0; i < job.groupNames.size(); ++i) {
        if (skipFirstRow && job.rows.value(i) == 0)
            continue;
        if (GDataEntryContactGroupPtr group =
                grouplookups::groupForName(m_browser.tool()->lists(), job.groupNames[i]))
            groups.push_back(group);
    }
    return groups;
}

std::optional<std::pair<GroupTableDragDrop::GoogleGroupsJob, BrowserDragDrop *>>
GroupTableDragDrop::takeJobForEachGroup(bool skipFirstRowInIntersection)
{
    const std::optional<GoogleGroupsJob> job = takeReadyGoogleJob();
    BrowserDragDrop *const source = job ? BrowserDragDrop::forToken(job->sourceToken) : nullptr;
    if (!source)
        return std::nullopt;
    if (!source->window().useIntersection())
        return std::pair{*job, source};
    // An intersection copies what the source shows, into every group of the job at once.
    GoogleContactTool *const tool = m_browser.tool();
    tool->setForeignVCardImportData({});
    tool->addVCardArrayToGroups(BrowserDragDrop::cardsOf(source->vCardDataForCurrentContacts()),
                                groupsNamedIn(*job, skipFirstRowInIntersection), tool->user(),
                                kPictureStep);
    return std::nullopt;
}

QList<GoogleContactTool::VCardJob> GroupTableDragDrop::membersByGroup(const GoogleGroupsJob &job,
                                                                      BrowserDragDrop &source)
{
    QList<GoogleContactTool::VCardJob> jobs;
    for (qsizetype i = 0; i < job.rows.size(); ++i) {
        if (job.rows[i] == 0)
            continue;
        const QString name = job.groupNames.value(i);
        const QList<QByteArray> cards =
            BrowserDragDrop::cardsOf(source.vCardDataForMembersOfGroupName(name));
        if (!cards.isEmpty())
            jobs.append({name, cards});
    }
    return jobs;
}

void GroupTableDragDrop::processGoogleGroups()
{
    const auto taken = takeJobForEachGroup(false);
    if (!taken)
        return;
    const QList<GoogleContactTool::VCardJob> jobs = membersByGroup(taken->first, *taken->second);
    if (jobs.isEmpty())
        return;
    GoogleContactTool *const tool = m_browser.tool();
    tool->setForeignVCardImportData({});
    tool->doVCardJobs(jobs, tool->user(), kPictureStep);
}

void GroupTableDragDrop::processVCards()
{
    const auto taken = takeJobForEachGroup(true);
    if (!taken)
        return;
    // One import per group, each refetching the contacts; the photos follow the last refetch.
    GoogleContactTool *const tool = m_browser.tool();
    for (const GoogleContactTool::VCardJob &job : membersByGroup(taken->first, *taken->second)) {
        if (const GDataEntryContactGroupPtr group =
                grouplookups::groupForName(tool->lists(), job.groupName))
            tool->addVCardArrayToGroupWithID(job.vCards, group->identifier(), tool->user(),
                                             kRefetchStep);
    }
    tool->refetchAllContacts(kPictureStep);
}

void GroupTableDragDrop::uploadABGroups(const ABGroupsJob &dropped)
{
    GoogleContactTool *const tool = m_browser.tool();
    if (!tool)
        return;
    ABGroupsJob job = dropped;
    BatchActionQueue queue;
    QStringList queued;
    for (const QString &abid : job.groupIDs) {
        const GroupPtr group = AddressBookTool::groupByABID(abid);
        const QString name =
            group ? group->valueForProperty(kABGroupNameProperty).toString() : QString();
        job.groupNames.append(name);
        if (!group)
            continue;
        if (rowTitleExists(name) || queued.contains(name))
            continue;
        queued.append(name);
        queue.push_back({group, nullptr, batchactions::add});
    }
    m_abJobs.append(job);
    // Groups that all exist already: the members are copied at once.
    if (queue.empty())
        processGroupABGroups();
    else
        tool->processGroupBatchArray(queue, tickettypes::simple,
                                     QStringLiteral("processGroupABGroups"));
}

void GroupTableDragDrop::processGroupABGroups()
{
    GoogleContactTool *const tool = m_browser.tool();
    if (m_abJobs.isEmpty() || !tool)
        return;
    qsizetype index = 0;
    while (index < m_abJobs.size() && !groupsExist(m_abJobs[index].groupNames))
        ++index;
    const ABGroupsJob job = m_abJobs.takeAt(index < m_abJobs.size() ? index : 0);
    for (qsizetype i = 0; i < job.groupIDs.size(); ++i) {
        const QString &abid = job.groupIDs[i];
        const QList<QByteArray> cards = AddressBookTool::vCardsForMembersOfGroupID(abid);
        if (cards.isEmpty())
            continue;
        tool->setForeignVCardImportData({});
        // A group that this account held already under the same name was not made from the
        // address book group and carries no link to it: the members go to it by its name.
        const GDataEntryContactGroupPtr named =
            grouplookups::groupForName(tool->lists(), job.groupNames.value(i));
        if (!grouplookups::groupForABID(tool->lists(), abid) && named)
            tool->addVCardArrayToGroupWithID(cards, named->identifier(), tool->user(),
                                             kPictureStep);
        else
            tool->addVCardArrayToGroupWithABID(cards, abid, tool->user(), kPictureStep);
    }
}

void GroupTableDragDrop::uploadABPeople(const QStringList &abids, const QString &groupID)
{
    QList<QByteArray> cards;
    for (const QString &abid : abids) {
        const QByteArray card = AddressBookTool::vCardForABID(abid);
        if (!card.isEmpty())
            cards.append(card);
    }
    m_browser.abDropManager(cards, groupID,
                            dragtexts::fromAddressBook.arg(AddressBookTool::myFirstLastName()));
}

void GroupTableDragDrop::uploadVCards(const QStringList &paths, const QString &groupID)
{
    QList<QByteArray> cards;
    for (const QString &path : paths) {
        for (const QByteArray &card : AddressBookTool::extractPeople(path)) {
            if (card.toUpper().contains("BEGIN:VCARD"))
                cards.append(card);
        }
    }
    if (cards.isEmpty() || !m_browser.tool())
        return;
    m_browser.tool()->setForeignVCardImportData({});
    m_browser.tool()->addVCardArrayToGroupWithID(cards, groupID, QStringLiteral(""), kPictureStep);
}
