#include "google/engine/googlecontactlists.h"

#include "google/browser/browsersearchtext.h"
#include "google/engine/listkeys.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"
#include "platform/defaults/userdefaults.h"

#include <QSet>

#include <algorithm>

GoogleContactLists::GoogleContactLists()
    : m_contactIndex(m_contacts)
    , m_groupIndex(m_groups)
{}

namespace {

// Ascending by title, as the browser lists them; entries with equal titles keep their order.
template <typename EntryPtr> std::vector<EntryPtr> sortedByTitle(std::vector<EntryPtr> entries)
{
    std::vector<std::pair<QString, EntryPtr>> titled;
    titled.reserve(entries.size());
    for (EntryPtr &entry : entries)
        titled.emplace_back(tolvane::tolvaneTitle(*entry), std::move(entry));
    std::stable_sort(titled.begin(), titled.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<EntryPtr> sorted;
    sorted.reserve(titled.size());
    for (auto &[title, entry] : titled)
        sorted.push_back(std::move(entry));
    return sorted;
}

} // namespace

void GoogleContactLists::setGroups(std::vector<GDataEntryContactGroupPtr> groups)
{
    m_groups = sortedByTitle(std::move(groups));
    m_groupIndex.invalidate();
}

void GoogleContactLists::setContacts(std::vector<GDataEntryContactPtr> contacts)
{
    m_contacts = sortedByTitle(std::move(contacts));
    m_contactIndex.invalidate();
    QSet<const GDataEntryContact *> held;
    held.reserve(qsizetype(m_contacts.size()));
    for (const GDataEntryContactPtr &contact : m_contacts)
        held.insert(contact.get());
    for (auto kept = m_keptRows.begin(); kept != m_keptRows.end();)
        kept = held.contains(kept.key()) ? std::next(kept) : m_keptRows.erase(kept);
}

void GoogleContactLists::entriesChanged() const
{
    m_contactIndex.invalidate();
    m_groupIndex.invalidate();
    m_keptRows.clear();
}

void GoogleContactLists::setGAllIDs()
{
    IdentifierIndex index = buildIdentifierIndex(m_groups, m_contacts);
    m_gAllIDs = std::move(index.rows);
    // Written only when it changes: every write makes other readers read the preferences again.
    UserDefaults &defaults = UserDefaults::standard();
    if (!defaults.objectForKey(listkeys::googleEmailOnlyCount).isValid() ||
        defaults.integerForKey(listkeys::googleEmailOnlyCount) != index.emailOnlyCount)
        defaults.setInteger(index.emailOnlyCount, listkeys::googleEmailOnlyCount);
}

void GoogleContactLists::setBrowserRows(QList<QVariantMap> rows, QStringList searchTexts)
{
    Q_ASSERT(rows.size() == searchTexts.size());
    m_browserRows = std::move(rows);
    m_browserSearchTexts = std::move(searchTexts);
    m_browserRowsByID.reset();
}

void GoogleContactLists::replaceBrowserRow(int position, QVariantMap row)
{
    m_browserSearchTexts[position] = browsersearch::searchText(row);
    m_browserRows[position] = std::move(row);
}

const GoogleContactLists::KeptBrowserRow *
GoogleContactLists::keptBrowserRow(const GDataEntryContact &contact) const
{
    const auto found = m_keptRows.constFind(&contact);
    return found == m_keptRows.cend() ? nullptr : &found->kept;
}

void GoogleContactLists::keepBrowserRow(const GDataEntryContactPtr &contact, KeptBrowserRow kept)
{
    m_keptRows.insert(contact.get(), KeptEntryRow{contact, std::move(kept)});
}

QList<int> GoogleContactLists::browserRowPositions(const QString &gID) const
{
    if (!m_browserRowsByID) {
        m_browserRowsByID.emplace();
        for (int i = 0; i < int(m_browserRows.size()); ++i)
            (*m_browserRowsByID)[m_browserRows[i].value(QStringLiteral("gID")).toString()].append(
                i);
    }
    return m_browserRowsByID->value(gID);
}
