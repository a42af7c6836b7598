// The upload commands of the data loader's menus: a confirmation sheet, the upload decisions for
// the records in scope, then "Generic" batches, groups first. The contacts are decided and sent
// only once the group batch has answered and the groups are fetched again, so new groups have
// their Google identifiers before any membership is mapped.
#include "addressbook/google/googlecontactmatching.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/lookups/abentryviews.h"
#include "google/upload/deletecandidates.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/uploadcommandtexts.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QPointer>
#include <QSet>

namespace {

// Runs once the groups of a confirmed upload sheet have answered and been fetched again.
const QString kUploadAfterGroups = QStringLiteral("uploadAfterGroups");

// The sheets' buttons in order: "Cancel" is the default, then the alternate and other buttons.
constexpr int kAlternateButton = kAlertSecondButtonReturn;
constexpr int kOtherButton = kAlertThirdButtonReturn;

void showNotice(const QString &title, const QString &text)
{
    Prompter::current().beginSheet(Prompt{title, text, {googletexts::okButton}},
                                   QApplication::activeWindow(), [](int) {});
}

Prompt confirmation(const QString &title, const QString &alternate, const QString &other)
{
    QStringList buttons{uploadtexts::cancelButton, alternate};
    if (!other.isEmpty())
        buttons << other;
    return Prompt{title, uploadtexts::cannotBeUndone, buttons};
}

// Each person once, in the order first met: a person queued twice would be created twice.
void appendOnce(QList<PersonPtr> &people, QSet<QString> &seen, const QList<PersonPtr> &more)
{
    for (const PersonPtr &person : more) {
        if (person && !seen.contains(person->uniqueId())) {
            seen.insert(person->uniqueId());
            people.append(person);
        }
    }
}

QList<PersonPtr> abPeopleOfContacts(const QList<GDataEntryContactPtr> &contacts)
{
    QList<PersonPtr> people;
    QSet<QString> seen;
    for (const GDataEntryContactPtr &contact : contacts)
        appendOnce(
            people, seen,
            {AddressBookTool::existingABPersonForGoogleContact(ABContactEntryView(*contact))});
    return people;
}

// The members an upload of the group's members takes: recursive when the options ask for it.
QList<PersonPtr> uploadMembersOfGroup(const GroupPtr &group)
{
    if (!group)
        return {};
    if (UserDefaults::standard().integerForKey(googlekeys::gmRecurseGroups) == 1)
        return AddressBookTool::recursiveMembersOfABGroup(group, true, true);
    return group->members();
}

} // namespace

void GoogleContactTool::registerCommandSteps()
{
    registerSelector(kUploadAfterGroups, [this] { uploadAfterGroups(); });
}

void GoogleContactTool::beginGroupUploadSheet(const QString &title, const QString &alternate,
                                              const QString &other, const QList<GroupPtr> &groups)
{
    m_pendingUpload = PendingUpload{QString(), groups, {}, false};
    QPointer<GoogleContactTool> tool(this);
    Prompter::current().beginSheet(confirmation(title, alternate, other),
                                   QApplication::activeWindow(), [tool](int returnCode) {
                                       if (tool)
                                           tool->updateGroupSheetDidEnd(returnCode);
                                   });
}

void GoogleContactTool::beginContactUploadSheet(const QString &title, const QString &alternate,
                                                const QString &other, const QString &context)
{
    m_pendingUpload.context = context;
    m_pendingUpload.groups.clear();
    QPointer<GoogleContactTool> tool(this);
    Prompter::current().beginSheet(confirmation(title, alternate, other),
                                   QApplication::activeWindow(), [tool, context](int returnCode) {
                                       if (tool)
                                           tool->updateContactSheetDidEnd(returnCode, context);
                                   });
}

void GoogleContactTool::uploadFromABABGroup(const QString &name)
{
    if (m_uiDelegate)
        m_uiDelegate->showWindow();
    const GroupPtr group = AddressBookTool::groupByName(name);
    if (!group)
        return;
    beginGroupUploadSheet(uploadtexts::groupTitle.arg(name), uploadtexts::groupAlternate,
                          uploadtexts::groupOther, {group});
}

void GoogleContactTool::uploadFromABAllManualGroups()
{
    if (m_uiDelegate)
        m_uiDelegate->showWindow();
    const QList<GroupPtr> groups = AddressBookTool::nonSmartABGroups();
    if (groups.isEmpty()) {
        showNotice(uploadtexts::noUpdateRequired, uploadtexts::noManualGroups);
        return;
    }
    beginGroupUploadSheet(uploadtexts::manualGroupsTitle.arg(groups.size()),
                          uploadtexts::manualGroupsAlternate, uploadtexts::manualGroupsOther,
                          groups);
}

void GoogleContactTool::uploadFromABAllSmartGroups()
{
    if (m_uiDelegate)
        m_uiDelegate->showWindow();
    const QList<GroupPtr> groups = AddressBookTool::smartABGroups();
    if (groups.isEmpty()) {
        showNotice(uploadtexts::noUpdateRequired, uploadtexts::noSmartGroups);
        return;
    }
    beginGroupUploadSheet(uploadtexts::smartGroupsTitle.arg(groups.size()),
                          uploadtexts::smartGroupsAlternate, uploadtexts::smartGroupsOther, groups);
}

void GoogleContactTool::uploadFromABGoogleGroupMembers(const QString &title)
{
    if (m_uiDelegate)
        m_uiDelegate->showWindow();
    // The same members a delete of the group's members would take.
    const std::optional<QList<GDataEntryContactPtr>> members =
        deletecandidates::membersOfGroupWithTitle(m_lists, title);
    if (!members)
        return;
    if (members->isEmpty()) {
        showNotice(uploadtexts::noUpdateRequired, uploadtexts::noGoogleMembers.arg(title));
        return;
    }
    const QList<PersonPtr> people = abPeopleOfContacts(*members);
    if (people.isEmpty()) {
        showNotice(uploadtexts::noUpdateRequired, uploadtexts::noABDataForGoogleMembers.arg(title));
        return;
    }
    m_pendingUpload.tempContacts = people;
    beginContactUploadSheet(uploadtexts::googleMembersTitle.arg(people.size()).arg(title),
                            uploadtexts::googleMembersAlternate, QString(),
                            uploadcontexts::googleContacts);
}

void GoogleContactTool::uploadFromABAllGoogleContacts()
{
    if (m_uiDelegate)
        m_uiDelegate->showWindow();
    const QList<PersonPtr> people = abPeopleOfContacts(
        QList<GDataEntryContactPtr>(m_lists.contacts().cbegin(), m_lists.contacts().cend()));
    if (people.isEmpty()) {
        showNotice(uploadtexts::noUpdatePossible, uploadtexts::noGoogleContactsInAB);
        return;
    }
    m_pendingUpload.tempContacts = people;
    beginContactUploadSheet(uploadtexts::allGoogleTitle.arg(people.size()),
                            uploadtexts::allGoogleAlternate, QString(),
                            uploadcontexts::googleContacts);
}

void GoogleContactTool::uploadFromABABGroupMembers(const QString &name)
{
    if (m_uiDelegate)
        m_uiDelegate->showWindow();
    const QList<PersonPtr> members = uploadMembersOfGroup(AddressBookTool::groupByName(name));
    if (members.isEmpty()) {
        showNotice(uploadtexts::noUpdateRequired, uploadtexts::alreadyUpToDate);
        return;
    }
    UserDefaults::standard().setString(name, googlekeys::currentUploadGroupName);
    beginContactUploadSheet(uploadtexts::groupMembersTitle.arg(members.size()).arg(name),
                            uploadtexts::groupMembersAlternate, uploadtexts::groupMembersOther,
                            uploadcontexts::abGroup);
}

void GoogleContactTool::uploadFromABAllCompanies()
{
    if (m_uiDelegate)
        m_uiDelegate->showWindow();
    const QList<PersonPtr> companies = AddressBookTool::allCompanies();
    if (companies.isEmpty()) {
        showNotice(uploadtexts::noUpdateRequired, uploadtexts::noCompanies);
        return;
    }
    beginContactUploadSheet(uploadtexts::companiesTitle.arg(companies.size()),
                            uploadtexts::companiesAlternate, QString(), uploadcontexts::companies);
}

void GoogleContactTool::uploadFromABAllPeople()
{
    if (m_uiDelegate)
        m_uiDelegate->showWindow();
    const QList<PersonPtr> people = AddressBookTool::allPeople();
    if (people.isEmpty()) {
        showNotice(uploadtexts::noUpdateRequired, uploadtexts::noPeople);
        return;
    }
    beginContactUploadSheet(uploadtexts::peopleTitle.arg(people.size()),
                            uploadtexts::peopleAlternate, QString(), uploadcontexts::people);
}

void GoogleContactTool::updateGroupSheetDidEnd(int returnCode)
{
    if (returnCode != kAlternateButton && returnCode != kOtherButton)
        return;
    m_pendingUpload.withMembers = returnCode == kOtherButton;
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(uploadtexts::initializing,
                                              3 * int(m_pendingUpload.groups.size()));
    const BatchActionQueue groups = buildBatchArrayForABGroupArray(m_pendingUpload.groups);
    // The decisions stamp the links of groups found on Google by name.
    AddressBookTool::abSave();
    if (!processGroupBatchArray(groups, tickettypes::generic, kUploadAfterGroups))
        refetchAllGroups(kUploadAfterGroups);
}

void GoogleContactTool::updateContactSheetDidEnd(int returnCode, const QString &context)
{
    if (returnCode != kAlternateButton && returnCode != kOtherButton) {
        if (m_uiDelegate)
            m_uiDelegate->closeUserInfo();
        return;
    }
    m_pendingUpload.context = context;
    if (returnCode == kOtherButton) {
        const GroupPtr group = AddressBookTool::groupByName(
            UserDefaults::standard().stringForKey(googlekeys::currentUploadGroupName));
        const BatchActionQueue groups =
            group ? buildBatchArrayForABGroupArray({group}) : BatchActionQueue();
        AddressBookTool::abSave();
        if (processGroupBatchArray(groups, tickettypes::generic, kUploadAfterGroups))
            return;
    }
    refetchAllGroups(kUploadAfterGroups);
}

void GoogleContactTool::uploadAfterGroups()
{
    const PendingUpload pending = m_pendingUpload;
    QList<PersonPtr> records;
    QSet<QString> seen;
    if (pending.context.isEmpty()) {
        if (pending.withMembers) {
            for (const GroupPtr &group : pending.groups)
                appendOnce(records, seen, group->members());
        }
    } else if (pending.context == uploadcontexts::companies) {
        records = AddressBookTool::allCompanies();
    } else if (pending.context == uploadcontexts::people) {
        records = AddressBookTool::allPeople();
    } else if (pending.context == uploadcontexts::googleContacts) {
        records = pending.tempContacts;
    } else if (pending.context == uploadcontexts::abGroup) {
        records = uploadMembersOfGroup(AddressBookTool::groupByName(
            UserDefaults::standard().stringForKey(googlekeys::currentUploadGroupName)));
    }
    const BatchActionQueue queue =
        records.isEmpty() ? BatchActionQueue() : buildBatchArrayForABContactArray(records);
    if (!queue.empty()) {
        setCurrentContactBatchArray(queue);
        processContactBatchArray(queue, tickettypes::generic);
        return;
    }
    if (m_uiDelegate)
        m_uiDelegate->closeUserInfo();
    if (pending.context.isEmpty()) {
        doSaveAB();
        return;
    }
    showNotice(pending.context == uploadcontexts::companies ? uploadtexts::companiesUpToDate
                                                            : uploadtexts::peopleUpToDate,
               uploadtexts::noUpdatesNow);
}
