// The keys the group lookups search by, each indexed on first use over the engine's group list.
// Every answer lists the groups in list order.
#pragma once

#include "google/lookups/entrykeyindex.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QVarLengthArray>

// What each index holds of a group (see EntryKeyIndex).
namespace groupkeys {

struct Identifier
{
    static void forEach(const GDataEntryContactGroup &group, const auto &f)
    {
        f(group.identifier());
    }
    static bool has(const GDataEntryContactGroup &group, const QString &key);
};
// The title as stored; a group without title has none.
struct Title
{
    static void forEach(const GDataEntryContactGroup &group, const auto &f)
    {
        if (const std::optional<QString> &title = group.title())
            f(*title);
    }
    static bool has(const GDataEntryContactGroup &group, const QString &key);
};
// The aID of every extended property, whatever its name.
struct AnyABID
{
    static void forEach(const GDataEntryContactGroup &group, const auto &f)
    {
        for (const GDataExtendedProperty &property : group.extendedProperties()) {
            if (const std::optional<QString> abid = property.XMLValueForKey(recordIDKey()))
                f(*abid);
        }
    }
    static bool has(const GDataEntryContactGroup &group, const QString &key);
    static QString recordIDKey();
};
struct SystemGroup
{
    static void forEach(const GDataEntryContactGroup &group, const auto &f)
    {
        if (const std::optional<QString> systemGroup = group.systemGroup())
            f(*systemGroup);
    }
    static bool has(const GDataEntryContactGroup &group, const QString &key);
};

// The name a group shows: the deleted-entry mark of a deleted group, else its title.
struct DisplayName
{
    static void forEach(const GDataEntryContactGroup &group, const auto &f) { f(nameOf(group)); }
    static bool has(const GDataEntryContactGroup &group, const QString &key);
    static QString nameOf(const GDataEntryContactGroup &group);
};

} // namespace groupkeys

class GroupIndex
{
public:
    using Groups = std::vector<GDataEntryContactGroupPtr>;
    // Most keys are held by one group: such an answer is kept inline, without an allocation.
    using Found = QVarLengthArray<GDataEntryContactGroupPtr, 2>;

    explicit GroupIndex(const Groups &groups)
        : m_groups(groups)
    {}
    GroupIndex(const GroupIndex &) = delete;
    GroupIndex &operator=(const GroupIndex &) = delete;

    // Forgets every key; the next lookup indexes the list as it then stands.
    void invalidate();

    Found withIdentifier(const QString &identifier);
    // The title as stored, exactly.
    Found withTitle(const QString &title);
    // The groups with any extended property, whatever its name, whose aID element is the
    // identifier.
    Found withDisplayName(const QString &name);
    Found withAnyABID(const QString &abid);
    Found withSystemGroup(const QString &systemGroup);

private:
    template <typename Keys> using Index = EntryKeyIndex<GDataEntryContactGroup, Keys>;

    const Groups &m_groups;
    Index<groupkeys::Identifier> m_identifiers;
    Index<groupkeys::Title> m_titles;
    Index<groupkeys::DisplayName> m_displayNames;
    Index<groupkeys::AnyABID> m_abids;
    Index<groupkeys::SystemGroup> m_systemGroups;
};
