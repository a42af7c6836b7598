#include "loader/passes/uploadplanner.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsorting.h"
#include "foundation/log.h"
#include "google/engine/googlekeys.h"
#include "google/entries/groupaccessors.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/uploaddecisions.h"
#include "google/upload/uploadkeys.h"
#include "loader/loaderkeys.h"
#include "loader/loadertexts.h"
#include "loader/matching/recordmatching.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QSet>

#include <algorithm>
#include <unordered_set>

namespace uploadplanner {

namespace {

using uploaddecisions::ContactDecisionOptions;

template <typename Entry> class Unmatched
{
public:
    template <typename List> explicit Unmatched(const List &entries)
    {
        for (const auto &entry : entries)
            m_left.insert(entry.get());
    }
    void match(const std::shared_ptr<Entry> &entry)
    {
        if (entry)
            m_left.erase(entry.get());
    }
    bool isLeft(const std::shared_ptr<Entry> &entry) const { return m_left.count(entry.get()); }

private:
    std::unordered_set<const Entry *> m_left;
};

QString textOf(const Record &record, const QString &property)
{
    return record.valueForProperty(property).toString();
}

// The group step: a found group whose identifier the record does not hold yet is stamped and
// waits for the next run; a linked group is renamed when its name changed, but a Google system
// group cannot be renamed and is left as it is.
void decideGroup(const GoogleContactLists &lists, const GroupPtr &group,
                 Unmatched<GDataEntryContactGroup> &unmatched, BatchActionQueue &queue)
{
    const GDataEntryContactGroupPtr found = recordmatching::googleGroupFor(lists, group);
    if (!found) {
        queue.push_back({group, nullptr, batchactions::add});
        return;
    }
    unmatched.match(found);
    if (textOf(*group, AddressBookTool::groupIDPropertyName()) != found->identifier()) {
        AddressBookTool::setGoogleID(found->identifier(), group);
        return;
    }
    if (textOf(*group, kABGroupNameProperty) == tolvane::entryDisplayName(*found) ||
        tolvane::isGoogleSystemGroup(*found))
        return;
    queue.push_back({group, found, batchactions::update});
}

void deleteUnmatchedGroups(const GoogleContactLists &lists,
                           const Unmatched<GDataEntryContactGroup> &unmatched,
                           BatchActionQueue &queue)
{
    for (const GDataEntryContactGroupPtr &group : lists.groups()) {
        if (unmatched.isLeft(group) && !tolvane::isGoogleSystemGroup(*group))
            queue.push_back({nullptr, group, batchactions::remove});
    }
}

void deleteUnmatchedContacts(const GoogleContactLists &lists,
                             const Unmatched<GDataEntryContact> &unmatched, BatchActionQueue &queue)
{
    for (const GDataEntryContactPtr &contact : lists.contacts()) {
        if (unmatched.isLeft(contact))
            queue.push_back({nullptr, contact, batchactions::remove});
    }
}

QString examiningText(const PersonPtr &person)
{
    if (AddressBookTool::personIsCompany(person))
        return loadertexts::examiningCompany.arg(textOf(*person, kABOrganizationProperty));
    return loadertexts::examiningPerson.arg(textOf(*person, kABFirstNameProperty),
                                            textOf(*person, kABLastNameProperty));
}

// Every record is matched, so that its contact counts as taken; only records in scope queue.
void decideContact(const GoogleContactLists &lists, const PersonPtr &person,
                   const ContactDecisionOptions &decisionOptions, MembershipComparison &memberships,
                   const QString &op, Unmatched<GDataEntryContact> &unmatched,
                   BatchActionQueue &queue, const Progress &progress)
{
    const bool inScope = uploaddecisions::isInScope(person, decisionOptions);
    if (inScope)
        progress(examiningText(person));
    const GDataEntryContactPtr found = recordmatching::googleContactFor(lists, person);
    unmatched.match(found);
    if (!inScope)
        return;
    if (!found) {
        queue.push_back({person, nullptr, batchactions::add});
        return;
    }
    if (recordmatching::contactNeedsUpdate(*found, person, decisionOptions, memberships)) {
        tlog::labelled(loadertexts::windowClass, op, loadertexts::willUpdate,
                       textOf(*person, kABLastNameProperty));
        queue.push_back({person, found, batchactions::update});
    }
}

ContactDecisionOptions decisionOptionsFor(const Options &options)
{
    ContactDecisionOptions decision = ContactDecisionOptions::fromPreferences();
    decision.people = options.people;
    decision.companies = options.companies;
    decision.neverMoveMeCard = options.neverMoveMeCard;
    decision.smartGroups = options.smartGroups;
    return decision;
}

} // namespace

Options Options::fromPreferences()
{
    UserDefaults &ud = UserDefaults::standard();
    Options options;
    options.groups = ud.boolForKey(loaderkeys::gmUpdateGroups);
    options.smartGroups = ud.boolForKey(googlekeys::gmUpdateSmartGroups);
    options.people = ud.boolForKey(abkeys::gmUpdatePeople);
    options.companies = ud.boolForKey(abkeys::gmUpdateCompanies);
    options.neverMoveMeCard = ud.boolForKey(googlekeys::gmUpdateNeverMoveMeCard);
    options.neverRemoveGroups = ud.boolForKey(googlekeys::gmUpdateNeverRemoveGroups);
    options.neverRemoveContacts = ud.boolForKey(googlekeys::gmUpdateNeverRemoveContacts);
    options.removeAllOtherGroups = ud.boolForKey(loaderkeys::gmRemoveAllOtherGroups);
    options.removeAllOtherContacts = ud.boolForKey(loaderkeys::gmRemoveAllOtherContacts);
    options.recurseGroups = ud.integerForKey(googlekeys::gmRecurseGroups) == 1;
    options.noGroup = ud.boolForKey(loaderkeys::gsNoGroup);
    return options;
}

Plan planSimple(const GoogleContactLists &lists, const Options &options, const Progress &progress)
{
    const QString op = QStringLiteral("proceedSimpleGMail:returnCode:");
    Plan plan;
    Unmatched<GDataEntryContactGroup> unmatchedGroups(lists.groups());
    Unmatched<GDataEntryContact> unmatchedContacts(lists.contacts());
    if (options.groups) {
        for (const GroupPtr &group : AddressBookTool::allGroups()) {
            const bool smart = group->isSmartGroup();
            if (smart && !options.smartGroups) {
                // Left out of the pass, but its Google group is its own, not an unmatched one.
                unmatchedGroups.match(recordmatching::googleGroupFor(lists, group));
                continue;
            }
            progress(loadertexts::examiningABGroups.arg(textOf(*group, kABGroupNameProperty)));
            decideGroup(lists, group, unmatchedGroups, plan.groupActions);
        }
        if (!options.neverRemoveGroups)
            deleteUnmatchedGroups(lists, unmatchedGroups, plan.groupActions);
    }
    if (options.people || options.companies) {
        const ContactDecisionOptions decision = decisionOptionsFor(options);
        MembershipComparison memberships(lists, decision.smartGroups);
        for (const QList<PersonPtr> &records :
             {AddressBookTool::allPeople(), AddressBookTool::allCompanies()}) {
            for (const PersonPtr &person : records)
                decideContact(lists, person, decision, memberships, op, unmatchedContacts,
                              plan.contactActions, progress);
        }
        if (!options.neverRemoveContacts)
            deleteUnmatchedContacts(lists, unmatchedContacts, plan.contactActions);
    }
    return plan;
}

QList<PersonPtr> advancedSelection(const QList<TickedGroup> &ticked, const Options &options)
{
    QList<PersonPtr> selection;
    QSet<QString> seen;
    const auto take = [&](const QList<PersonPtr> &records) {
        for (const PersonPtr &person : records) {
            if (!seen.contains(person->uniqueId())) {
                seen.insert(person->uniqueId());
                selection << person;
            }
        }
    };
    for (const TickedGroup &row : ticked) {
        take(options.recurseGroups
                 ? AddressBookTool::recursiveMembersOfGroupID(row.abid, options.people,
                                                              options.companies)
                 : AddressBookTool::membersOfGroupID(row.abid, options.people, options.companies));
    }
    if (options.noGroup)
        take(AddressBookTool::recordsWithNoGroupIncludePeople(options.people, options.companies));
    return AddressBookTool::sortedByProperties(selection,
                                               {kABLastNameProperty, kABOrganizationProperty});
}

Plan planAdvanced(const GoogleContactLists &lists, const Options &options,
                  const QList<TickedGroup> &ticked, const QList<PersonPtr> &selection,
                  const Progress &progress)
{
    const QString op = QStringLiteral("proceedAdvancedGMail:returnCode:");
    Plan plan;
    // With nothing selected there is nothing whose absence could mean "delete it on Google".
    const bool selectionHoldsAnything = !ticked.isEmpty() || !selection.isEmpty();
    Unmatched<GDataEntryContactGroup> unmatchedGroups(lists.groups());
    Unmatched<GDataEntryContact> unmatchedContacts(lists.contacts());
    if (options.groups) {
        QList<TickedGroup> rows = ticked;
        std::stable_sort(rows.begin(), rows.end(), [](const TickedGroup &a, const TickedGroup &b) {
            return a.name < b.name;
        });
        for (const TickedGroup &row : rows) {
            const GroupPtr group = AddressBookTool::groupByABID(row.abid);
            tlog::value(loadertexts::windowClass, op, QStringLiteral("thisABGroup"),
                        group ? group->uniqueId() : tlog::orNull(QString()));
            if (!group)
                continue;
            progress(
                loadertexts::examiningAddressBookGroups.arg(textOf(*group, kABGroupNameProperty)));
            decideGroup(lists, group, unmatchedGroups, plan.groupActions);
        }
        if (options.removeAllOtherGroups && selectionHoldsAnything)
            deleteUnmatchedGroups(lists, unmatchedGroups, plan.groupActions);
    }
    if (options.people || options.companies) {
        const ContactDecisionOptions decision = decisionOptionsFor(options);
        MembershipComparison memberships(lists, decision.smartGroups);
        for (const PersonPtr &person : selection)
            decideContact(lists, person, decision, memberships, op, unmatchedContacts,
                          plan.contactActions, progress);
        if (options.removeAllOtherContacts && !selection.isEmpty())
            deleteUnmatchedContacts(lists, unmatchedContacts, plan.contactActions);
    }
    return plan;
}

} // namespace uploadplanner
