#include "browser/menus/contactcontextmenu.h"

#include "browser/menus/contactmenuitems.h"
#include "browser/selection/selectiontexts.h"

#include <algorithm>

namespace {

constexpr int kFirstValidatedTag = 1690;
constexpr int kLastValidatedTag = 1775;

} // namespace

ContactContextMenu::ContactContextMenu(QObject *parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>())
    , m_groupsMenu(std::make_unique<QMenu>())
    , m_flagsMenu(std::make_unique<QMenu>())
{
    using namespace contactmenuitems;
    m_menu->setObjectName(QStringLiteral("contactContextMenu"));
    addItem(*m_menu, kSetOperator, selectiontexts::changeToIntersection,
            QStringLiteral("toggleSetOperator:"));
    m_menu->addSeparator();
    for (const Item &entry : items)
        addItem(*m_menu, entry.tag, entry.title, entry.action);
    for (const Item &flag : flags)
        addItem(*m_flagsMenu, 0, flag.title, flag.action);
    m_items.value(kGroups)->setMenu(m_groupsMenu.get());
    m_items.value(kFlags)->setMenu(m_flagsMenu.get());
}

ContactContextMenu::~ContactContextMenu() = default;

QAction *ContactContextMenu::addItem(QMenu &menu, int tag, const QString &title,
                                     const QString &action)
{
    QAction *const made = menu.addAction(title);
    made->setData(tag);
    if (tag != 0)
        m_items.insert(tag, made);
    if (!action.isEmpty())
        connect(made, &QAction::triggered, this, [this, action] { emit itemActivated(action); });
    return made;
}

bool ContactContextMenu::validateMenuItem(int tag, const ContactMenuSelection &selection)
{
    using namespace contactmenuitems;
    const int c = selection.countOfSelectedContacts;
    if (tag < kFirstValidatedTag || tag > kLastValidatedTag)
        return true;
    switch (tag) {
    case kSetOperator:
        return selection.selectedGroupRows > 1;
    case kMerge:
    case kFindReplace:
        return c >= 2;
    case 1720:
    case kGroups:
        return c == 1;
    case kViewMapToWork:
    case kSendMapToWork:
        return c == 1 && selection.hasWorkMap;
    case kViewMapToHome:
    case kSendMapToHome:
        return c == 1 && selection.hasHomeMap;
    case kRemoveMemberships:
    case kFlags:
        return c != 0;
    case kSendMessage:
        return c != 0 && selection.hasEmail;
    default:
        return true;
    }
}

void ContactContextMenu::validate(const ContactMenuSelection &selection)
{
    const bool hasGroups = !m_groupsMenu->isEmpty();
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        bool enabled = validateMenuItem(it.key(), selection);
        if (it.key() == contactmenuitems::kGroups ||
            it.key() == contactmenuitems::kRemoveMemberships)
            enabled = enabled && hasGroups;
        it.value()->setEnabled(enabled);
    }
}

void ContactContextMenu::buildGroupsMenu(const QList<GroupRow> &groupArray,
                                         const QString &myContactsID,
                                         const QStringList &memberships)
{
    QList<GroupRow> rows;
    for (const GroupRow &row : groupArray) {
        if (row.identifier != myContactsID && memberships.contains(row.identifier))
            rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const GroupRow &a, const GroupRow &b) {
        return a.groupName < b.groupName;
    });
    m_groupsMenu->clear();
    for (const GroupRow &row : rows)
        m_groupsMenu->addAction(row.groupName);
    const bool hasGroups = !rows.isEmpty();
    m_items.value(contactmenuitems::kGroups)->setEnabled(hasGroups);
    m_items.value(contactmenuitems::kRemoveMemberships)->setEnabled(hasGroups);
}

void ContactContextMenu::setScriptsMenu(QMenu *scripts)
{
    m_items.value(contactmenuitems::kScripts)->setMenu(scripts);
}

void ContactContextMenu::setSetOperatorTitle(const QString &title)
{
    m_items.value(contactmenuitems::kSetOperator)->setText(title);
}
