// The data loader's confirmed batch actions: deleting address book groups or records, and
// downloading Google groups and contacts into the address book, each behind its sheet; and the
// Google-side actions, which the engine confirms itself.
#include "addressbook/fields/personemail.h"
#include "addressbook/fields/personnames.h"
#include "addressbook/fields/persontitle.h"
#include "addressbook/google/googlecontactmatching.h"
#include "addressbook/google/googlegroupmatching.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "addressbook/records/emaillookup.h"
#include "google/download/downloadkeys.h"
#include "google/download/personlinks.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"
#include "google/lookups/abentryviews.h"
#include "google/lookups/grouplookups.h"
#include "loader/actions/confirmationkey.h"
#include "loader/actions/confirmedactiontexts.h"
#include "loader/window/agentclient.h"
#include "loader/window/datamoverwindowcontroller.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>

namespace {

using confirmationkey::Key;
const QString kContextString = QStringLiteral("contextString");
const QString kFetchedStep = QStringLiteral("confirmedActionFetched");
// How long a download waits for the fetch it starts before it gives up, changing nothing.
constexpr int kFetchWaitMs = 120000;

// The sheet's answer as the handlers read it: Cancel 1, the action 0, the third button -1.
int handlerCode(int answer)
{
    if (answer == kAlertSecondButtonReturn)
        return 0;
    if (answer == kAlertThirdButtonReturn)
        return -1;
    return 1;
}

void showEmptySet(const QString &title)
{
    Prompter::current().beginSheet(Prompt{title, QStringLiteral(""), {confirmedtexts::ok}},
                                   QApplication::activeWindow(), [](int) {});
}

// A listening agent hears nothing of the handler's changes, and listens again however it ends.
class AgentSilence
{
public:
    AgentSilence()
        : m_wasListening(agentclient::isAgentListening())
    {
        if (m_wasListening)
            agentclient::silenceAgentNotifications();
    }
    ~AgentSilence()
    {
        if (m_wasListening)
            agentclient::turnOnAgentNotifications();
    }
    AgentSilence(const AgentSilence &) = delete;
    AgentSilence &operator=(const AgentSilence &) = delete;

private:
    bool m_wasListening;
};

void deleteAllowed(const QList<RecordPtr> &records)
{
    for (const RecordPtr &record : records) {
        if (record && AddressBookTool::canDeleteRecord(record))
            AddressBookTool::deleteRecord(record);
    }
}

template <class T>
QList<RecordPtr> asRecords(const QList<std::shared_ptr<T>> &typed)
{
    return QList<RecordPtr>(typed.cbegin(), typed.cend());
}

bool isMemberOf(const GDataEntryContact &contact, const QString &groupID)
{
    const auto &memberships = contact.groupMembershipInfos();
    return std::any_of(memberships.begin(), memberships.end(),
                       [&groupID](const GDataGroupMembershipInfo &m) { return m.href == groupID; });
}

// The one Google group titled so; null when none or several are.
GDataEntryContactGroupPtr onlyGroupTitled(const GoogleContactTool &tool, const QString &title)
{
    GDataEntryContactGroupPtr found;
    for (const GDataEntryContactGroupPtr &group : tool.groupArray()) {
        if (group->title() != title)
            continue;
        if (found)
            return nullptr;
        found = group;
    }
    return found;
}

QList<GDataEntryContactPtr> membersOf(const GoogleContactTool &tool, const QString &groupID)
{
    QList<GDataEntryContactPtr> members;
    for (const GDataEntryContactPtr &contact : tool.contactArray()) {
        if (isMemberOf(*contact, groupID))
            members << contact;
    }
    return members;
}

bool hasNoTitle(const GDataEntryContact &contact)
{
    return contact.title().value_or(QString()).isEmpty();
}

} // namespace

// The engine's own bulk changes of the book (a restore's links) keep a listening agent quiet too.

void DataMoverWindowController::beginBulkAddressBookChange()
{
    if (m_agentSilencedForBulkChange || !agentclient::isAgentListening())
        return;
    agentclient::silenceAgentNotifications();
    m_agentSilencedForBulkChange = true;
}

void DataMoverWindowController::endBulkAddressBookChange()
{
    if (!m_agentSilencedForBulkChange)
        return;
    m_agentSilencedForBulkChange = false;
    agentclient::turnOnAgentNotifications();
}

// The sheets.

void DataMoverWindowController::beginConfirmedSheet(const QString &key, const Prompt &prompt,
                                                    void (DataMoverWindowController::*handler)(int))
{
    UserDefaults::standard().setString(key, kContextString);
    QPointer<DataMoverWindowController> self(this);
    Prompter::current().beginSheet(prompt, QApplication::activeWindow(), [self, handler](int answer) {
        if (self)
            (self->*handler)(handlerCode(answer));
    });
}

void DataMoverWindowController::beginGroupDeletion(const QString &key, const QString &title,
                                                   const QString &button)
{
    beginConfirmedSheet(key,
                        Prompt{title, confirmedtexts::cannotBeUndone, {confirmedtexts::cancel, button}},
                        &DataMoverWindowController::removeGroupSheetDidEnd);
}

void DataMoverWindowController::beginRecordDeletion(const QString &key, const QString &title,
                                                    const QString &button, const QString &message)
{
    beginConfirmedSheet(key, Prompt{title, message, {confirmedtexts::cancel, button}},
                        &DataMoverWindowController::removeContactSheetDidEnd);
}

void DataMoverWindowController::beginDownload(const QString &key, const QString &title,
                                              const QString &button, const QString &third)
{
    QStringList buttons{confirmedtexts::cancel, button};
    if (!third.isEmpty())
        buttons << third;
    beginConfirmedSheet(key, Prompt{title, confirmedtexts::cannotBeUndone, buttons},
                        &DataMoverWindowController::updateContactSheetDidEnd);
}

// Address book deletions of groups.

void DataMoverWindowController::removeABAllSmartGroups()
{
    beginGroupDeletion(confirmationkey::text(Key::SmartGroups), confirmedtexts::smartGroupsTitle,
                       confirmedtexts::smartGroupsButton);
}

void DataMoverWindowController::removeABAllManualGroups()
{
    beginGroupDeletion(confirmationkey::text(Key::ManualGroups), confirmedtexts::manualGroupsTitle,
                       confirmedtexts::manualGroupsButton);
}

void DataMoverWindowController::removeABGroup(const QString &name)
{
    beginGroupDeletion(confirmationkey::text(Key::RemoveABGroup, name),
                       confirmedtexts::groupTitle.arg(name), confirmedtexts::groupButton);
}

void DataMoverWindowController::removeABGoogleGroup(const QString &name)
{
    beginGroupDeletion(confirmationkey::text(Key::RemoveABGoogleGroup, name),
                       confirmedtexts::groupTitle.arg(name), confirmedtexts::groupButton);
}

void DataMoverWindowController::removeABAllGoogleGroups()
{
    beginGroupDeletion(confirmationkey::text(Key::RemoveABAllGoogleGroups),
                       confirmedtexts::allGoogleGroupsTitle, confirmedtexts::allGoogleGroupsButton);
}

void DataMoverWindowController::removeGroupSheetDidEnd(int returnCode)
{
    if (returnCode == 1)
        return;
    const std::optional<confirmationkey::Parsed> parsed =
        confirmationkey::parse(UserDefaults::standard().stringForKey(kContextString));
    const AgentSilence silence;
    QList<RecordPtr> groups;
    switch (parsed ? parsed->key : Key::People) {
    case Key::SmartGroups:
        groups = asRecords(AddressBookTool::smartABGroups());
        break;
    case Key::ManualGroups:
        groups = asRecords(AddressBookTool::nonSmartABGroups());
        break;
    case Key::RemoveABGroup:
    case Key::RemoveABGoogleGroup:
        groups << AddressBookTool::groupByName(parsed->name);
        break;
    case Key::RemoveABAllGoogleGroups:
        if (m_tool) {
            for (const GDataEntryContactGroupPtr &group : m_tool->groupArray())
                groups << AddressBookTool::existingABGroupForGoogleGroup(ABGroupEntryView(*group));
        }
        break;
    default:
        break;
    }
    deleteAllowed(groups);
    abChangeManager();
}

// Address book deletions of records.

void DataMoverWindowController::removeABGroupMembers(const QString &name)
{
    beginRecordDeletion(confirmationkey::text(Key::RemoveABGroupMembers, name),
                        confirmedtexts::groupMembersTitle.arg(name),
                        confirmedtexts::groupMembersButton, confirmedtexts::cannotBeUndone);
}

void DataMoverWindowController::removeABAllCompanies()
{
    beginRecordDeletion(confirmationkey::text(Key::Companies), confirmedtexts::companiesTitle,
                        confirmedtexts::companiesButton, confirmedtexts::meNote);
}

void DataMoverWindowController::removeABAllPeople()
{
    beginRecordDeletion(confirmationkey::text(Key::People), confirmedtexts::peopleTitle,
                        confirmedtexts::peopleButton, confirmedtexts::meNote);
}

void DataMoverWindowController::removeABGoogleGroupMembers(const QString &name)
{
    beginRecordDeletion(confirmationkey::text(Key::RemoveABGoogleGroupMembers, name),
                        confirmedtexts::googleGroupMembersTitle.arg(name),
                        confirmedtexts::googleGroupMembersButton, confirmedtexts::cannotBeUndone);
}

void DataMoverWindowController::removeABAllGoogleContacts()
{
    beginRecordDeletion(confirmationkey::text(Key::AllGoogleContacts),
                        confirmedtexts::allGoogleContactsTitle,
                        confirmedtexts::allGoogleContactsButton, confirmedtexts::meNote);
}

void DataMoverWindowController::removeABGoogleOnlyEmailContacts()
{
    beginRecordDeletion(confirmationkey::text(Key::AllGoogleEmailOnlyContacts),
                        confirmedtexts::emailOnlyTitle, confirmedtexts::emailOnlyButton,
                        QStringLiteral(""));
}

void DataMoverWindowController::removeABGoogleNoGroupContacts()
{
    beginRecordDeletion(confirmationkey::text(Key::AllGoogleNoGroupContacts),
                        confirmedtexts::noGroupTitle, confirmedtexts::noGroupButton,
                        confirmedtexts::meNote);
}

void DataMoverWindowController::removeContactSheetDidEnd(int returnCode)
{
    if (returnCode == 1)
        return;
    const std::optional<confirmationkey::Parsed> parsed =
        confirmationkey::parse(UserDefaults::standard().stringForKey(kContextString));
    const AgentSilence silence;
    QList<RecordPtr> records;
    const auto personsOf = [&records](const QList<GDataEntryContactPtr> &contacts) {
        for (const GDataEntryContactPtr &contact : contacts)
            records << AddressBookTool::existingABPersonForGoogleContact(ABContactEntryView(*contact));
    };
    QList<GDataEntryContactPtr> contacts;
    const Key key = parsed ? parsed->key : Key::SmartGroups;
    if (m_tool) {
        for (const GDataEntryContactPtr &contact : m_tool->contactArray()) {
            if (key == Key::AllGoogleContacts ||
                (key == Key::AllGoogleEmailOnlyContacts && hasNoTitle(*contact)) ||
                (key == Key::AllGoogleNoGroupContacts && contact->groupMembershipInfos().empty()))
                contacts << contact;
        }
    }
    switch (key) {
    case Key::People:
        records = asRecords(AddressBookTool::allPeople());
        break;
    case Key::Companies:
        records = asRecords(AddressBookTool::allCompanies());
        break;
    case Key::RemoveABGroupMembers:
        if (const GroupPtr group = AddressBookTool::groupByName(parsed->name))
            records = asRecords(AddressBookTool::membersOfABGroup(group, true, true));
        break;
    case Key::RemoveABGoogleGroupMembers:
        if (m_tool) {
            if (const GDataEntryContactGroupPtr group = onlyGroupTitled(*m_tool, parsed->name))
                personsOf(membersOf(*m_tool, group->identifier()));
        }
        break;
    case Key::AllGoogleContacts:
    case Key::AllGoogleEmailOnlyContacts:
    case Key::AllGoogleNoGroupContacts:
        personsOf(contacts);
        break;
    default:
        break;
    }
    deleteAllowed(records);
    abChangeManager();
}

// Downloads from Google into the address book.

void DataMoverWindowController::downloadFromGoogleGoogleGroupMembers(const QString &name)
{
    beginDownload(confirmationkey::text(Key::GoogleGroupMemberDownload, name),
                  confirmedtexts::groupMemberDownloadTitle.arg(name),
                  confirmedtexts::onlyContactsButton, confirmedtexts::groupAndContactsButton);
}

void DataMoverWindowController::downloadFromGoogleNoGroupContacts()
{
    beginDownload(confirmationkey::text(Key::NoGroupDownload), confirmedtexts::noGroupDownloadTitle,
                  confirmedtexts::downloadButton);
}

void DataMoverWindowController::downloadFromGoogleOnlyEmailContacts()
{
    beginDownload(confirmationkey::text(Key::OnlyEmailDownload),
                  confirmedtexts::onlyEmailDownloadTitle, confirmedtexts::downloadButton);
}

void DataMoverWindowController::downloadFromGoogleAllGoogleContacts()
{
    const int count = m_tool ? int(m_tool->contactArray().size()) : 0;
    beginDownload(confirmationkey::text(Key::AllContactsDownload),
                  confirmedtexts::allContactsDownloadTitle.arg(count),
                  confirmedtexts::allContactsDownloadButton);
}

void DataMoverWindowController::downloadFromGoogleABGroupMembers(const QString &name)
{
    beginDownload(confirmationkey::text(Key::ABGroupMemberDownload, name),
                  confirmedtexts::abGroupMemberDownloadTitle.arg(name),
                  confirmedtexts::downloadButton);
}

void DataMoverWindowController::downloadFromGoogleCompanies()
{
    beginDownload(confirmationkey::text(Key::CompaniesDownload),
                  confirmedtexts::companiesDownloadTitle, confirmedtexts::downloadButton);
}

void DataMoverWindowController::downloadFromGooglePeople()
{
    beginDownload(confirmationkey::text(Key::PeopleDownload), confirmedtexts::peopleDownloadTitle,
                  confirmedtexts::downloadButton);
}

void DataMoverWindowController::downloadFromGoogleGoogleGroup(const QString &name)
{
    beginDownload(confirmationkey::text(Key::GoogleGroupCreate, name),
                  confirmedtexts::groupCreateTitle.arg(name), confirmedtexts::justCreateButton,
                  confirmedtexts::createAndDownloadButton);
}

void DataMoverWindowController::downloadFromGoogleAllGroups()
{
    beginDownload(confirmationkey::text(Key::AllGroupsDownload), confirmedtexts::allGroupsTitle,
                  confirmedtexts::allGroupsButton);
}

// The download works on Google's lists as they are now: a contact made since the last fetch
// would otherwise be missing, and its person's link be cleared as stale. False, after a sheet
// that says why, when the fetch failed or came back incomplete.
bool DataMoverWindowController::fetchBeforeDownload()
{
    if (!m_tool)
        return false;
    takeEngineDelegates();
    m_tool->setGroupFetchError(std::nullopt);
    m_tool->setContactFetchError(std::nullopt);
    m_confirmedFetchDone = false;
    m_tool->fetchAllGroupsAndContactsWithDidFinishSelector(kFetchedStep);
    const QDeadlineTimer deadline(kFetchWaitMs);
    const auto failed = [this] { return m_tool->groupFetchError() || m_tool->contactFetchError(); };
    while (!m_confirmedFetchDone && !failed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    const GoogleContactLists &lists = m_tool->lists();
    if (m_confirmedFetchDone && lists.isGroupListComplete() && lists.isContactListComplete())
        return true;
    const std::optional<GDataError> error =
        m_tool->groupFetchError() ? m_tool->groupFetchError() : m_tool->contactFetchError();
    showEmptySet(error ? confirmedtexts::refetchFailed.arg(error->description)
                       : confirmedtexts::refetchIncomplete);
    return false;
}

void DataMoverWindowController::updateContactSheetDidEnd(int returnCode)
{
    if (returnCode == 1)
        return;
    const std::optional<confirmationkey::Parsed> parsed =
        confirmationkey::parse(UserDefaults::standard().stringForKey(kContextString));
    const AgentSilence silence;
    // A download saves each new person as it is made.
    const BulkSaves bulkSaves;
    UserDefaults &ud = UserDefaults::standard();
    // Written back, and the changes saved, however the handler ends: left NO, later downloads
    // would keep memberships the person has left on Google.
    bool progressOpen = false;
    const auto finish = [this, &ud, &progressOpen] {
        if (progressOpen)
            closeUserInfo();
        abChangeManager();
        ud.setBool(true, googlekeys::abUpdateRemoveABGroups);
    };
    if (!parsed || !fetchBeforeDownload()) {
        finish();
        return;
    }
    const Key key = parsed->key;
    const QString &name = parsed->name;
    const auto createGroup = [this](const GDataEntryContactGroupPtr &group) {
        if (group)
            AddressBookTool::groupForGoogleGroup(ABGroupEntryView(*group));
    };
    if (returnCode == -1 && (key == Key::GoogleGroupCreate || key == Key::GoogleGroupMemberDownload)) {
        openUserInfoWithMessage(confirmedtexts::updatingGroups, 1);
        const GDataEntryContactGroupPtr group = grouplookups::groupForName(m_tool->lists(), name);
        if (group)
            updateUserInfoWithMessage(
                confirmedtexts::downloadingGroup.arg(tolvane::entryDisplayName(*group)));
        createGroup(group);
        closeUserInfo();
    }
    ud.setBool(false, googlekeys::abUpdateRemoveABGroups);

    const auto downloadContacts = [this, &progressOpen](const QList<GDataEntryContactPtr> &contacts) {
        openUserInfoWithMessage(confirmedtexts::preparing, int(contacts.size()));
        progressOpen = true;
        for (const GDataEntryContactPtr &contact : contacts) {
            updateUserInfoWithMessage(
                confirmedtexts::downloadingContact.arg(tolvane::entryDisplayName(*contact)));
            if (const PersonPtr person =
                    AddressBookTool::personForGoogleContact(ABContactEntryView(*contact)))
                m_tool->makePerson(person, *contact);
        }
    };
    const auto downloadRecords = [this, &progressOpen](const QList<PersonPtr> &people) {
        openUserInfoWithMessage(confirmedtexts::preparing, int(people.size()));
        progressOpen = true;
        for (const PersonPtr &person : people) {
            updateUserInfoWithMessage(confirmedtexts::downloadingContact.arg(
                AddressBookTool::firstLastNameForPerson(person)));
            const GDataEntryContactPtr contact = personlinks::contactForABPerson(
                m_tool->lists(), person,
                {AddressBookTool::tryOrderedEmailAddressesForPerson(person),
                 AddressBookTool::googleTitleForPerson(person, true)});
            if (contact)
                m_tool->makePerson(person, *contact);
        }
    };
    const auto googleGroupMembers = [this, &name](bool *found) {
        const GDataEntryContactGroupPtr group = grouplookups::groupForName(m_tool->lists(), name);
        *found = bool(group);
        return group ? membersOf(*m_tool, group->identifier()) : QList<GDataEntryContactPtr>();
    };

    switch (key) {
    case Key::ABGroupMemberDownload: {
        const GroupPtr group = AddressBookTool::groupByName(name);
        const QList<PersonPtr> members =
            group ? AddressBookTool::membersOfABGroup(group, true, true) : QList<PersonPtr>();
        if (members.isEmpty())
            showEmptySet(confirmedtexts::noABGroupMembers.arg(name));
        else
            downloadRecords(members);
        break;
    }
    case Key::GoogleGroupCreate: {
        if (returnCode == 0) {
            const GDataEntryContactGroupPtr group = grouplookups::groupForName(m_tool->lists(), name);
            if (group)
                createGroup(group);
            else
                showEmptySet(confirmedtexts::noSuchGoogleGroup.arg(name));
            break;
        }
        bool found = false;
        const QList<GDataEntryContactPtr> members = googleGroupMembers(&found);
        if (!members.isEmpty())
            downloadContacts(members);
        else if (!found)
            showEmptySet(confirmedtexts::noSuchGoogleGroup.arg(name));
        break;
    }
    case Key::GoogleGroupMemberDownload: {
        bool found = false;
        const QList<GDataEntryContactPtr> members = googleGroupMembers(&found);
        if (members.isEmpty())
            showEmptySet(confirmedtexts::noGoogleGroupMembers.arg(name));
        else
            downloadContacts(members);
        break;
    }
    case Key::AllContactsDownload:
    case Key::NoGroupDownload: {
        QList<GDataEntryContactPtr> contacts;
        for (const GDataEntryContactPtr &contact : m_tool->contactArray()) {
            if (key == Key::AllContactsDownload || contact->groupMembershipInfos().empty())
                contacts << contact;
        }
        if (contacts.isEmpty())
            showEmptySet(key == Key::AllContactsDownload ? confirmedtexts::noGoogleContacts
                                                         : confirmedtexts::noNoGroup);
        else
            downloadContacts(contacts);
        break;
    }
    case Key::CompaniesDownload:
    case Key::PeopleDownload: {
        const bool companies = key == Key::CompaniesDownload;
        const QList<PersonPtr> records =
            companies ? AddressBookTool::allCompanies() : AddressBookTool::allPeople();
        if (records.isEmpty())
            showEmptySet(companies ? confirmedtexts::noCompanies : confirmedtexts::noPeople);
        else
            downloadRecords(records);
        break;
    }
    case Key::OnlyEmailDownload: {
        QList<GDataEntryContactPtr> contacts;
        for (const GDataEntryContactPtr &contact : m_tool->contactArray()) {
            const auto &orgs = contact->organizations();
            const bool unnamed = std::none_of(orgs.begin(), orgs.end(), [](const GDataOrganization &o) {
                return !o.orgName.value_or(QString()).isEmpty();
            });
            if (hasNoTitle(*contact) && unnamed)
                contacts << contact;
        }
        if (contacts.isEmpty()) {
            showEmptySet(confirmedtexts::noEmailOnly);
            break;
        }
        openUserInfoWithMessage(confirmedtexts::preparing, int(contacts.size()));
        progressOpen = true;
        for (const GDataEntryContactPtr &contact : contacts) {
            updateUserInfoWithMessage(tolvane::entryDisplayName(*contact));
            const std::optional<GDataEmail> primary = contact->primaryEmailAddress();
            // Without an address there is nothing to tell whether the book has the contact
            // already; a person made for it at every download would pile up.
            if (!primary || primary->address.isEmpty() ||
                AddressBookTool::findByEmail(primary->address))
                continue;
            if (const PersonPtr person = AddressBookTool::createPersonWithGoogleID(contact->identifier()))
                m_tool->makePerson(person, *contact);
        }
        break;
    }
    case Key::AllGroupsDownload: {
        const std::vector<GDataEntryContactGroupPtr> &groups = m_tool->groupArray();
        if (groups.empty()) {
            showEmptySet(confirmedtexts::noGoogleGroups);
            break;
        }
        openUserInfoWithMessage(confirmedtexts::preparing, int(groups.size()));
        progressOpen = true;
        for (const GDataEntryContactGroupPtr &group : groups) {
            updateUserInfoWithMessage(
                confirmedtexts::downloadingGroup.arg(tolvane::entryDisplayName(*group)));
            createGroup(group);
        }
        break;
    }
    default:
        break;
    }
    finish();
}

// The Google side: the engine asks and does the work.

void DataMoverWindowController::uploadFromABABGroup(const QString &name)
{
    if (m_tool)
        m_tool->uploadFromABABGroup(name);
}
void DataMoverWindowController::uploadFromABAllManualGroups()
{
    if (m_tool)
        m_tool->uploadFromABAllManualGroups();
}
void DataMoverWindowController::uploadFromABAllSmartGroups()
{
    if (m_tool)
        m_tool->uploadFromABAllSmartGroups();
}
void DataMoverWindowController::uploadFromABGoogleGroupMembers(const QString &title)
{
    if (m_tool)
        m_tool->uploadFromABGoogleGroupMembers(title);
}
void DataMoverWindowController::uploadFromABAllGoogleContacts()
{
    if (m_tool)
        m_tool->uploadFromABAllGoogleContacts();
}
void DataMoverWindowController::uploadFromABABGroupMembers(const QString &name)
{
    if (m_tool)
        m_tool->uploadFromABABGroupMembers(name);
}
void DataMoverWindowController::uploadFromABAllCompanies()
{
    if (m_tool)
        m_tool->uploadFromABAllCompanies();
}
void DataMoverWindowController::uploadFromABAllPeople()
{
    if (m_tool)
        m_tool->uploadFromABAllPeople();
}
void DataMoverWindowController::removeGoogleAllGoogleGroups()
{
    if (m_tool)
        m_tool->deleteAllGoogleGroups();
}
void DataMoverWindowController::removeGoogleAllGoogleContacts()
{
    if (m_tool)
        m_tool->deleteAllGoogleContacts();
}
void DataMoverWindowController::removeGoogleGoogleOnlyEmailContacts()
{
    if (m_tool)
        m_tool->deleteAllGoogleEmailOnlyContacts();
}
void DataMoverWindowController::removeGoogleGoogleGroup(const QString &title)
{
    if (m_tool)
        m_tool->deleteGroupWithName(title);
}
void DataMoverWindowController::removeGoogleGoogleGroupMembers(const QString &title)
{
    if (m_tool)
        m_tool->deleteGoogleMembersOfGroupWithName(title);
}
void DataMoverWindowController::removeGoogleGoogleNoGroupContacts()
{
    if (m_tool)
        m_tool->deleteAllGoogleNoGroupContacts();
}
void DataMoverWindowController::removeGoogleABGroupMembers(const QString &name)
{
    if (m_tool)
        m_tool->deleteGoogleMembersOfABGroupWithName(name);
}
void DataMoverWindowController::removeGoogleAllPeople()
{
    if (m_tool)
        m_tool->deleteAllABPeople();
}
void DataMoverWindowController::removeGoogleAllCompanies()
{
    if (m_tool)
        m_tool->deleteAllABCompanies();
}
