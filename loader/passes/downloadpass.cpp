#include "loader/passes/downloadpass.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/personimages.h"
#include "addressbook/google/googlecontactmatching.h"
#include "addressbook/google/googlegroupmatching.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "foundation/log.h"
#include "google/browser/pseudogroups.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"
#include "google/lookups/abentryviews.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "loader/loaderkeys.h"
#include "loader/loadertexts.h"
#include "loader/matching/recordmatching.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QSet>

namespace downloadpass {

namespace {

QString textOf(const Record &record, const QString &property)
{
    return record.valueForProperty(property).toString();
}

// The records of one kind no Google entry stands for, in the book's order.
template <typename Ptr> class Unmatched
{
public:
    explicit Unmatched(const QList<Ptr> &records)
        : m_records(records)
    {
        for (const Ptr &record : records)
            m_left.insert(record->uniqueId());
    }
    void match(const Ptr &record)
    {
        if (record)
            m_left.remove(record->uniqueId());
    }
    QList<Ptr> left() const
    {
        QList<Ptr> records;
        for (const Ptr &record : m_records) {
            if (m_left.contains(record->uniqueId()))
                records << record;
        }
        return records;
    }

private:
    QList<Ptr> m_records;
    QSet<QString> m_left;
};

bool groupRemovalAllowed(const Options &options)
{
    return !(options.neverRemoveManualGroups && options.neverRemoveSmartGroups);
}

int removeGroups(const Unmatched<GroupPtr> &unmatched, const Progress &progress)
{
    int removed = 0;
    for (const GroupPtr &group : unmatched.left()) {
        if (!AddressBookTool::canDeleteRecord(group))
            continue;
        progress.advance(loadertexts::removingGroup.arg(textOf(*group, kABGroupNameProperty)));
        if (AddressBookTool::deleteRecord(group))
            ++removed;
    }
    return removed;
}

int removeRecords(const Unmatched<PersonPtr> &unmatched, bool logEach, const Progress &progress)
{
    const QString op = QStringLiteral("proceedSimpleAddressBook:returnCode:");
    int removed = 0;
    for (const PersonPtr &person : unmatched.left()) {
        if (logEach)
            tlog::labelled(loadertexts::windowClass, op, loadertexts::removing, person->uniqueId());
        if (!AddressBookTool::canDeleteRecord(person))
            continue;
        progress.advance(loadertexts::removingContact.arg(textOf(*person, kABLastNameProperty)));
        if (AddressBookTool::deleteRecord(person))
            ++removed;
    }
    return removed;
}

// A contact the options leave out still stands for the person it is paired with.
void keepPairedPerson(const GDataEntryContact &contact, Unmatched<PersonPtr> &unmatched)
{
    unmatched.match(AddressBookTool::existingABPersonForGoogleContact(ABContactEntryView(contact)));
}

// The address book group a Google system group left out of the pass stands for: the one linked to
// it, else the one of its name without Google's mark.
GroupPtr pairedGroup(const GDataEntryContactGroup &group)
{
    if (GroupPtr linked = AddressBookTool::existingABGroupForGoogleGroup(ABGroupEntryView(group)))
        return linked;
    QString name = group.title().value_or(QString());
    name.remove(QStringLiteral("System Group: "));
    return AddressBookTool::groupByName(name);
}

// A photo that could not be fetched leaves the person stamped as in step with its contact: the
// picture must still come, whatever the stamps say.
bool pictureMissing(const GDataEntryContact &contact, const PersonPtr &person,
                    const Options &options)
{
    return options.pictures && tolvane::tolvaneHasImage(contact) &&
           AddressBookTool::imageDataABForPerson(person).isEmpty();
}

bool needsRewrite(const GDataEntryContact &contact, const PersonPtr &person, const Options &options)
{
    return recordmatching::personNeedsRewrite(contact, person, options.dataMask) ||
           pictureMissing(contact, person, options);
}

bool isMe(const PersonPtr &person, const PersonPtr &me)
{
    return me && person->uniqueId() == me->uniqueId();
}

} // namespace

Options Options::fromPreferences()
{
    UserDefaults &ud = UserDefaults::standard();
    Options options;
    options.groups = ud.boolForKey(loaderkeys::abUpdateGroups);
    options.contacts = ud.boolForKey(loaderkeys::abUpdateContacts);
    options.includeSystemGroups = ud.boolForKey(loaderkeys::abUpdateGroupsIncludeSystemGroups);
    options.noGroup = ud.boolForKey(loaderkeys::abNoGroup);
    options.removeOtherGroups = ud.boolForKey(loaderkeys::abRemoveOtherGroups);
    options.removeOtherContacts = ud.boolForKey(loaderkeys::abRemoveOtherContacts);
    options.neverRemoveManualGroups = ud.boolForKey(abkeys::abUpdateNeverRemoveManualGroups);
    options.neverRemoveSmartGroups = ud.boolForKey(abkeys::abUpdateNeverRemoveSmartGroups);
    options.noEmailAddrOnly = ud.boolForKey(loaderkeys::abUpdateNoEmailAddrOnly);
    options.neverMeCard = ud.boolForKey(loaderkeys::abUpdateNeverMeCard);
    options.pictures = ud.boolForKey(googlekeys::abUpdatePicture);
    options.dataMask = ud.stringForKey(abkeys::addressBookDataMask);
    return options;
}

void runSimple(GoogleContactTool &tool, const Options &options, const Progress &progress)
{
    // Each new person is saved as it is made.
    const BulkSaves bulkSaves;
    const GoogleContactLists &lists = tool.lists();
    int groupsRemoved = 0;
    Unmatched<GroupPtr> unmatchedGroups(AddressBookTool::allGroups());
    QList<GDataEntryContactGroupPtr> googleGroups;
    for (const GDataEntryContactGroupPtr &group : lists.groups()) {
        if (options.includeSystemGroups || !tolvane::isGoogleSystemGroup(*group))
            googleGroups << group;
        else
            unmatchedGroups.match(pairedGroup(*group));
    }
    const std::vector<GDataEntryContactPtr> &contacts = lists.contacts();
    progress.open(loadertexts::initializingDownload,
                  (options.groups ? int(googleGroups.size()) : 0) +
                      (options.contacts ? int(contacts.size()) : 0));
    if (options.groups) {
        for (const GDataEntryContactGroupPtr &group : googleGroups) {
            progress.advance(loadertexts::updatingSimpleGroups.arg(tolvane::entryDisplayName(*group)));
            unmatchedGroups.match(AddressBookTool::groupForGoogleGroup(ABGroupEntryView(*group)));
        }
        if (groupRemovalAllowed(options))
            groupsRemoved = removeGroups(unmatchedGroups, progress);
    }
    if (!options.contacts)
        return;
    Unmatched<PersonPtr> unmatched(AddressBookTool::allRecords());
    const PersonPtr me = AddressBookTool::meAB();
    // The log's running count starts at the groups the group pass removed.
    int count = groupsRemoved;
    for (const GDataEntryContactPtr &contact : contacts) {
        if (options.noEmailAddrOnly) {
            const QString title = tolvane::tolvaneTitle(*contact);
            if (title.isEmpty() || title == loadertexts::emailAddressOnly) {
                keepPairedPerson(*contact, unmatched);
                continue;
            }
        }
        progress.advance(loadertexts::updatingContacts.arg(tolvane::entryDisplayName(*contact)));
        const PersonPtr person =
            AddressBookTool::personForGoogleContact(ABContactEntryView(*contact));
        if (!person)
            continue;
        unmatched.match(person);
        if (options.neverMeCard && isMe(person, me))
            continue;
        if (needsRewrite(*contact, person, options)) {
            tool.makePerson(person, *contact);
            ++count;
            tlog::write(loadertexts::rewrittenLine.arg(count).arg(tolvane::tolvaneTitle(*contact)));
        }
    }
    removeRecords(unmatched, true, progress);
    AddressBook::shared()->save();
}

void runAdvanced(GoogleContactTool &tool, const Options &options,
                   const QList<TickedGoogleGroup> &ticked, const Progress &progress)
{
    // Each new person is saved as it is made.
    const BulkSaves bulkSaves;
    const QString op = QStringLiteral("proceedAdvancedAddressBook:returnCode:");
    const GoogleContactLists &lists = tool.lists();
    Unmatched<GroupPtr> unmatchedGroups(AddressBookTool::nonSmartABGroups());
    QList<GDataEntryContactPtr> selection;
    QSet<const GDataEntryContact *> selected;
    const auto select = [&](const GDataEntryContactPtr &contact) {
        if (!selected.contains(contact.get())) {
            selected.insert(contact.get());
            selection << contact;
        }
    };
    QList<TickedGoogleGroup> rows;
    for (const TickedGoogleGroup &row : ticked) {
        const QList<GDataEntryContactPtr> members = contactlookups::membersOfGroupID(lists, row.googleID);
        if (members.isEmpty())
            continue;
        rows << row;
        for (const GDataEntryContactPtr &contact : members)
            select(contact);
    }
    if (options.noGroup) {
        for (const GDataEntryContactPtr &contact : lists.contacts()) {
            if (contact->groupMembershipInfos().empty())
                select(contact);
        }
    }
    // Ticked groups without members select nothing, and nothing selected is no reason to remove.
    const bool selectionHoldsAnything = !selection.isEmpty();
    progress.open(loadertexts::initializingDownload, int(rows.size() + selection.size()));
    if (options.groups) {
        for (const TickedGoogleGroup &row : rows) {
            progress.advance(loadertexts::updatingAdvancedGroups.arg(row.name));
            const GDataEntryContactGroupPtr group = grouplookups::groupForID(lists, row.googleID);
            if (group)
                unmatchedGroups.match(AddressBookTool::groupForGoogleGroup(ABGroupEntryView(*group)));
        }
        if (options.removeOtherGroups && groupRemovalAllowed(options) && selectionHoldsAnything)
            removeGroups(unmatchedGroups, progress);
    }
    if (!options.contacts)
        return;
    Unmatched<PersonPtr> unmatched(AddressBookTool::allRecords());
    const PersonPtr me = AddressBookTool::meAB();
    for (const GDataEntryContactPtr &contact : selection) {
        if (options.noEmailAddrOnly && contact->title().value_or(QString()).isEmpty()) {
            keepPairedPerson(*contact, unmatched);
            continue;
        }
        progress.advance(loadertexts::updatingContacts.arg(tolvane::entryDisplayName(*contact)));
        const PersonPtr person =
            AddressBookTool::personForGoogleContact(ABContactEntryView(*contact));
        if (!person)
            continue;
        unmatched.match(person);
        if (options.neverMeCard && isMe(person, me))
            continue;
        tlog::value(loadertexts::windowClass, op,
                    QStringLiteral("[thisABPerson valueForProperty:kABFirstNameProperty]"),
                    textOf(*person, kABFirstNameProperty));
        if (needsRewrite(*contact, person, options)) {
            tlog::labelled(loadertexts::windowClass, op, loadertexts::willUpdate,
                           textOf(*person, kABLastNameProperty));
            tool.makePerson(person, *contact);
        }
    }
    if (options.removeOtherContacts && selectionHoldsAnything)
        removeRecords(unmatched, false, progress);
    AddressBook::shared()->save();
}

} // namespace downloadpass
