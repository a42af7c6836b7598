#pragma once

#include "platform/addressbook/orderedidset.h"

#include "platform/addressbook/properties/propertytype.h"
#include "platform/addressbook/record.h"
#include "platform/addressbook/searchelement.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

// A group of persons and of other groups. A smart group holds a search element instead of
// members: its members are the persons that match it now, and it takes no members or subgroups.
class Group : public Record
{
public:
    // A new group outside any book, with a new unique identifier.
    static GroupPtr create();
    static GroupPtr createSmartGroup(const SearchElement &criteria);

    RecordClass recordClass() const override { return RecordClass::Group; }
    QString recordType() const override;
    QStringList classProperties() const override;

    bool isSmartGroup() const { return m_criteria.has_value(); }
    std::optional<SearchElement> searchElement() const { return m_criteria; }

    // In the order they were added; for a smart group, the matching persons in book order.
    QList<PersonPtr> members() const;
    // Both need the group and the person in the same book; refused by smart groups.
    bool addMember(const PersonPtr &person);
    bool removeMember(const PersonPtr &person);

    QList<GroupPtr> subgroups() const;
    // Refused for the group itself, a group already held, a group that would close a cycle and
    // for smart groups on either side of the link.
    bool addSubgroup(const GroupPtr &group);
    bool removeSubgroup(const GroupPtr &group);

    // The group class of the shared address book.
    static QStringList properties();
    static int addPropertiesAndTypes(const QHash<QString, PropertyType> &propertiesAndTypes);
    static PropertyType typeOfProperty(const QString &property);

protected:
    // Protected for the book, which makes the groups it reads in one allocation each.
    Group(QString uniqueId, std::optional<SearchElement> criteria);

private:
    friend class AddressBook;
    friend class Record;
    friend class RecordCodec;

    bool holdsSubgroupDeep(const Group &group) const;

    std::optional<SearchElement> m_criteria;
    OrderedIdSet m_memberIds;
    OrderedIdSet m_subgroupIds;
};
