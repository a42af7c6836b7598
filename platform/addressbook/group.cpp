#include "platform/addressbook/group.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

Group::Group(QString uniqueId, std::optional<SearchElement> criteria)
    : Record(std::move(uniqueId))
    , m_criteria(std::move(criteria))
{}

GroupPtr Group::create()
{
    return GroupPtr(new Group(newUniqueId(QStringLiteral("ABGroup")), std::nullopt));
}

GroupPtr Group::createSmartGroup(const SearchElement &criteria)
{
    return GroupPtr(new Group(newUniqueId(QStringLiteral("ABSmartGroup")), criteria));
}

QString Group::recordType() const
{
    return isSmartGroup() ? QStringLiteral("ABSmartGroup") : QStringLiteral("ABGroup");
}

QStringList Group::classProperties() const
{
    QStringList names = Record::classProperties();
    if (isSmartGroup())
        names.append(kABSearchElementProperty);
    return names;
}

QList<PersonPtr> Group::members() const
{
    QList<PersonPtr> persons;
    const AddressBook *book = addressBook();
    if (!book)
        return persons;
    if (m_criteria) {
        if (m_criteria->recordClass() != RecordClass::Person)
            return persons;
        for (const RecordPtr &record : book->recordsMatchingSearchElement(*m_criteria))
            persons.append(std::static_pointer_cast<Person>(record));
        return persons;
    }
    for (const QString &uniqueId : m_memberIds) {
        if (PersonPtr person = book->personForUniqueId(uniqueId))
            persons.append(person);
    }
    return persons;
}

bool Group::addMember(const PersonPtr &person)
{
    if (isSmartGroup() || !person || !addressBook() || person->addressBook() != addressBook())
        return false;
    if (m_memberIds.append(person->uniqueId()))
        addressBook()->membershipChanged(
            *this, {AddressBook::MembershipEdit::AddMember, person->uniqueId()});
    return true;
}

bool Group::removeMember(const PersonPtr &person)
{
    if (!person || m_memberIds.removeAll(person->uniqueId()) == 0)
        return false;
    if (addressBook())
        addressBook()->membershipChanged(
            *this, {AddressBook::MembershipEdit::RemoveMember, person->uniqueId()});
    return true;
}

QList<GroupPtr> Group::subgroups() const
{
    QList<GroupPtr> groups;
    if (const AddressBook *book = addressBook()) {
        for (const QString &uniqueId : m_subgroupIds) {
            if (GroupPtr group = book->groupForUniqueId(uniqueId))
                groups.append(group);
        }
    }
    return groups;
}

bool Group::addSubgroup(const GroupPtr &group)
{
    if (!group || group.get() == this || isSmartGroup() || group->isSmartGroup() ||
        !addressBook() || group->addressBook() != addressBook() ||
        m_subgroupIds.contains(group->uniqueId()) || group->holdsSubgroupDeep(*this))
        return false;
    m_subgroupIds.append(group->uniqueId());
    addressBook()->membershipChanged(*this,
                                     {AddressBook::MembershipEdit::AddSubgroup, group->uniqueId()});
    return true;
}

bool Group::removeSubgroup(const GroupPtr &group)
{
    if (!group || m_subgroupIds.removeAll(group->uniqueId()) == 0)
        return false;
    if (addressBook())
        addressBook()->membershipChanged(
            *this, {AddressBook::MembershipEdit::RemoveSubgroup, group->uniqueId()});
    return true;
}

bool Group::holdsSubgroupDeep(const Group &group) const
{
    // Walks the subgroup links once each, so a cycle already on disk (written by an older
    // program) cannot make this loop.
    QSet<QString> seen;
    QList<const Group *> pending{this};
    while (!pending.isEmpty()) {
        const Group *current = pending.takeLast();
        for (const GroupPtr &child : current->subgroups()) {
            if (child.get() == &group)
                return true;
            if (!seen.contains(child->uniqueId())) {
                seen.insert(child->uniqueId());
                pending.append(child.get());
            }
        }
    }
    return false;
}

QStringList Group::properties()
{
    return AddressBook::shared()->properties(RecordClass::Group);
}

int Group::addPropertiesAndTypes(const QHash<QString, PropertyType> &propertiesAndTypes)
{
    return AddressBook::shared()->addPropertiesAndTypes(RecordClass::Group, propertiesAndTypes);
}

PropertyType Group::typeOfProperty(const QString &property)
{
    return AddressBook::shared()->typeOfProperty(RecordClass::Group, property);
}
