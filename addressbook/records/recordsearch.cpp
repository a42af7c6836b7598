#include "addressbook/records/recordsearch.h"

#include "foundation/log.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

namespace AddressBookTool {

namespace {

template <class Kind> QList<std::shared_ptr<Kind>> search(const SearchElement &element)
{
    QList<std::shared_ptr<Kind>> matches;
    for (const RecordPtr &record : AddressBook::shared()->recordsMatchingSearchElement(element))
        matches.append(std::static_pointer_cast<Kind>(record));
    return matches;
}

template <class Ptr> Ptr unique(const QList<Ptr> &matches, const QString &severalLine)
{
    if (matches.size() == 1)
        return matches.first();
    if (matches.size() > 1)
        tlog::write(severalLine);
    return nullptr;
}

} // namespace

SearchElement personElement(const QString &property, const QVariant &value,
                            SearchElement::Comparison comparison, const QString &label,
                            const QString &key)
{
    return SearchElement::forProperty(RecordClass::Person, property, label, key, value, comparison);
}

SearchElement groupElement(const QString &property, const QVariant &value,
                           SearchElement::Comparison comparison)
{
    return SearchElement::forProperty(RecordClass::Group, property, {}, {}, value, comparison);
}

QList<PersonPtr> searchPeople(const SearchElement &element)
{
    return search<Person>(element);
}

QList<GroupPtr> searchGroups(const SearchElement &element)
{
    return search<Group>(element);
}

PersonPtr uniquePerson(const QList<PersonPtr> &matches, const QString &severalLine)
{
    return unique(matches, severalLine);
}

GroupPtr uniqueGroup(const QList<GroupPtr> &matches, const QString &severalLine)
{
    return unique(matches, severalLine);
}

} // namespace AddressBookTool
