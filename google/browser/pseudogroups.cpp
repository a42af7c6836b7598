#include "google/browser/pseudogroups.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/log.h"
#include "google/engine/listkeys.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/entrybaseaccessors.h"
#include "google/entries/groupaccessors.h"
#include "google/lookups/grouplookups.h"
#include "google/lookups/lookuptexts.h"
#include "platform/defaults/userdefaults.h"

#include <QSet>

#include <algorithm>
#include <functional>

namespace pseudogroups {

namespace {

const QString kIsCompany = QStringLiteral("isCo");
const QString kGender = QStringLiteral("gender");

using OwnValues = std::optional<QHash<QString, QString>>;

QString contactPropertyName()
{
    return UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
}

Contacts filtered(const GoogleContactLists &lists,
                  const std::function<bool(const GDataEntryContact &)> &test)
{
    Contacts found;
    for (const GDataEntryContactPtr &contact : lists.contacts()) {
        if (test(*contact))
            found.append(contact);
    }
    return found;
}

// The contacts whose own program property holds the value at the element; the property name is
// read once for the whole pass.
Contacts withOwnValue(const GoogleContactLists &lists, const QString &element, const QString &value)
{
    const QString name = contactPropertyName();
    return filtered(lists, [&](const GDataEntryContact &contact) {
        const OwnValues values = entrybase::programPropertyValues(contact, name);
        return values && values->contains(element) && values->value(element) == value;
    });
}

bool inGroup(const GDataEntryContact &contact, const QString &groupID)
{
    const std::vector<GDataGroupMembershipInfo> &memberships = contact.groupMembershipInfos();
    return std::any_of(memberships.begin(), memberships.end(),
                       [&](const GDataGroupMembershipInfo &m) { return m.href == groupID; });
}

// The preference value of each pseudo group with its list, in the order identifiers are tested.
struct PseudoGroup
{
    const QString &key;
    Contacts (*list)(const GoogleContactLists &);
};
const PseudoGroup kPseudoGroups[] = {
    {listkeys::systemGroupRecent, recentArray},       {listkeys::systemGroupNoGroup, noGroupArray},
    {listkeys::systemGroupEmailOnly, emailOnlyArray}, {listkeys::systemGroupCompany, companyArray},
    {listkeys::systemGroupMale, maleArray},           {listkeys::systemGroupFemale, femaleArray},
    {listkeys::systemGroupNoGender, noGenderArray},
};

const PseudoGroup *pseudoGroupNamed(const QString &identifier)
{
    UserDefaults &defaults = UserDefaults::standard();
    for (const PseudoGroup &group : kPseudoGroups) {
        if (defaults.stringForKey(group.key) == identifier)
            return &group;
    }
    return nullptr;
}

} // namespace

Contacts recentArray(const GoogleContactLists &lists)
{
    const QString name = contactPropertyName();
    std::vector<std::pair<QDateTime, GDataEntryContactPtr>> dated;
    for (const GDataEntryContactPtr &contact : lists.contacts())
        dated.emplace_back(entrybase::createDate(*contact, name), contact);
    std::stable_sort(dated.begin(), dated.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    if (tlog::diagnostics()) {
        QVariantList dates;
        for (const auto &[date, contact] : dated)
            dates.append(date);
        tlog::value(lookuptexts::engineClass, QStringLiteral("recentArray"),
                    QStringLiteral("dates"), tlog::describe(dates));
    }
    const int count =
        std::clamp(UserDefaults::standard().integerForKey(listkeys::systemGroupRecentCount), 0,
                   int(dated.size()));
    std::vector<std::pair<QString, GDataEntryContactPtr>> recent;
    for (int i = 0; i < count; ++i)
        recent.emplace_back(tolvane::tolvaneTitle(*dated[size_t(i)].second),
                            dated[size_t(i)].second);
    std::stable_sort(recent.begin(), recent.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    Contacts found;
    for (const auto &[title, contact] : recent)
        found.append(contact);
    return found;
}

Contacts companyArray(const GoogleContactLists &lists)
{
    return withOwnValue(lists, kIsCompany, QStringLiteral("1"));
}

Contacts maleArray(const GoogleContactLists &lists)
{
    return withOwnValue(lists, kGender, QStringLiteral("M"));
}

Contacts femaleArray(const GoogleContactLists &lists)
{
    return withOwnValue(lists, kGender, QStringLiteral("F"));
}

Contacts noGenderArray(const GoogleContactLists &lists)
{
    const QString name = contactPropertyName();
    return filtered(lists, [&](const GDataEntryContact &contact) {
        const OwnValues values = entrybase::programPropertyValues(contact, name);
        if (!values)
            return true;
        const QString gender = values->value(kGender);
        return values->value(kIsCompany) != u"1" && gender != u"F" && gender != u"M";
    });
}

Contacts emailOnlyArray(const GoogleContactLists &lists)
{
    return filtered(lists, [](const GDataEntryContact &contact) {
        return contact.groupMembershipInfos().empty();
    });
}

Contacts noGroupArray(const GoogleContactLists &lists)
{
    const QString myContacts = grouplookups::myContactsID(lists);
    if (myContacts.isNull())
        return {};
    return filtered(lists, [&](const GDataEntryContact &contact) {
        return contact.groupMembershipInfos().size() == 1 && inGroup(contact, myContacts);
    });
}

Contacts myContactsArray(const GoogleContactLists &lists)
{
    const QString myContacts = grouplookups::myContactsID(lists);
    if (myContacts.isNull())
        return {};
    return lists.contactIndex().inGroup(myContacts);
}

QList<GDataEntryContactGroupPtr> nonSystemGroupsArray(const GoogleContactLists &lists)
{
    QList<GDataEntryContactGroupPtr> found;
    for (const GDataEntryContactGroupPtr &group : lists.groups()) {
        if (!tolvane::entryDisplayName(*group).contains(u"System Group:", Qt::CaseInsensitive))
            found.append(group);
    }
    return found;
}

GroupSelection groupSetForIDs(const GoogleContactLists &lists, const QStringList &identifiers)
{
    GroupSelection selection;
    for (const QString &identifier : identifiers) {
        if (pseudoGroupNamed(identifier)) {
            if (!selection.pseudoGroups.contains(identifier))
                selection.pseudoGroups.append(identifier);
        } else if (const GDataEntryContactGroupPtr group =
                       grouplookups::groupForID(lists, identifier)) {
            if (!selection.groups.contains(group))
                selection.groups.append(group);
        }
    }
    return selection;
}

Contacts contactsForGroupSet(const GoogleContactLists &lists, const GroupSelection &selection,
                             bool useIntersection)
{
    std::vector<Contacts> parts;
    for (const GDataEntryContactGroupPtr &group : selection.groups)
        parts.push_back(lists.contactIndex().inGroup(group->identifier()));
    for (const QString &identifier : selection.pseudoGroups) {
        if (const PseudoGroup *pseudoGroup = pseudoGroupNamed(identifier))
            parts.push_back(pseudoGroup->list(lists));
    }
    QSet<const GDataEntryContact *> chosen;
    if (useIntersection) {
        for (const GDataEntryContactPtr &contact : lists.contacts())
            chosen.insert(contact.get());
    }
    for (const Contacts &part : parts) {
        QSet<const GDataEntryContact *> inPart;
        for (const GDataEntryContactPtr &contact : part)
            inPart.insert(contact.get());
        if (useIntersection)
            chosen.intersect(inPart);
        else
            chosen.unite(inPart);
    }
    return filtered(lists,
                    [&](const GDataEntryContact &contact) { return chosen.contains(&contact); });
}

bool isPseudoGroup(const QString &identifier)
{
    return !identifier.isEmpty() && pseudoGroupNamed(identifier);
}

} // namespace pseudogroups
