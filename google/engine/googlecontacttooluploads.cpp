#include "google/engine/googlecontacttool.h"

#include "addressbook/records/recordlookup.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/datamask.h"
#include "google/upload/uploaddecisions.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/preferencereadscope.h"

namespace {

const QString kScanning = QStringLiteral("Scanning for updates to Google  ...");
const QString kExaminingGroup = QStringLiteral("Examining Address Book Groups  ...  %1");
const QString kExaminingCompany = QStringLiteral("Examining AB Contacts  ...  %1");
const QString kExaminingPerson = QStringLiteral("Examining AB Contacts  ...  %1 %2");

QString textOf(const RecordPtr &record, const QString &property)
{
    return record->valueForProperty(property).toString();
}

void appendDecision(BatchActionQueue &queue, const RecordPtr &record,
                    const uploaddecisions::UploadDecision &decision)
{
    using uploaddecisions::UploadAction;
    if (decision.action == UploadAction::Add)
        queue.push_back({record, nullptr, batchactions::add});
    else if (decision.action == UploadAction::Update)
        queue.push_back({record, decision.googleObj, batchactions::update});
}

} // namespace

BatchActionQueue GoogleContactTool::buildBatchArrayForABGroupArray(const QList<GroupPtr> &groups)
{
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(kScanning, int(groups.size()));
    BatchActionQueue queue;
    for (const GroupPtr &group : groups) {
        setProgressMessage(kExaminingGroup.arg(textOf(group, kABGroupNameProperty)));
        appendDecision(queue, group, uploaddecisions::decisionForABGroup(m_lists, group));
    }
    return queue;
}

BatchActionQueue GoogleContactTool::buildBatchArrayForABContactArray(const QList<PersonPtr> &people)
{
    // The mask the contacts are built with is the one the decisions compare against.
    datamask::setGoogleDataMask();
    if (m_uiDelegate) {
        m_uiDelegate->setGoogleDataMask();
        m_uiDelegate->openUserInfoWithMessage(kScanning, 4 * int(people.size()));
    }
    const uploaddecisions::ContactDecisionOptions options =
        uploaddecisions::ContactDecisionOptions::fromPreferences();
    BatchActionQueue queue;
    // Nothing in the run changes a group or a person's groups, and the decisions read the same
    // preferences for every record.
    std::optional<MembershipComparison> memberships;
    const PreferenceReadScope samePreferences;
    for (const PersonPtr &person : people) {
        if (!uploaddecisions::isInScope(person, options))
            continue;
        setProgressMessage(AddressBookTool::personIsCompany(person)
                               ? kExaminingCompany.arg(textOf(person, kABOrganizationProperty))
                               : kExaminingPerson.arg(textOf(person, kABFirstNameProperty),
                                                      textOf(person, kABLastNameProperty)));
        appendDecision(queue, person,
                       uploaddecisions::decisionForABPerson(m_lists, person, options, memberships));
    }
    return queue;
}
