// The contact table's context menu: the actions on the selected contacts, the submenu of the
// current contact's groups and the user's scripts, each item enabled by what is selected.
#pragma once

#include "browser/models/grouprows.h"

#include <QHash>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

// What the items' enabling reads.
struct ContactMenuSelection
{
    int selectedGroupRows = 0;
    int countOfSelectedContacts = 0;
    // Of the current Google contact.
    bool hasWorkMap = false;
    bool hasHomeMap = false;
    bool hasEmail = false;
};

class ContactContextMenu : public QObject
{
    Q_OBJECT

public:
    explicit ContactContextMenu(QObject *parent = nullptr);
    ~ContactContextMenu() override;

    QMenu *contactContextMenu() const { return m_menu.get(); }
    QAction *item(int tag) const { return m_items.value(tag); }

    // The enabling of an item by its tag. Tags outside 1690 to 1775, and tags in that range
    // without a rule, are enabled.
    static bool validateMenuItem(int tag, const ContactMenuSelection &selection);
    // Every item by its rule; the groups items also need groups to show.
    void validate(const ContactMenuSelection &selection);

    // The rows of the groups the current contact belongs to, but My Contacts, by name.
    void buildGroupsMenu(const QList<GroupRow> &groupArray, const QString &myContactsID,
                         const QStringList &memberships);
    QMenu *groupsMenu() const { return m_groupsMenu.get(); }
    // The scripts submenu (not owned); none leaves the item without one.
    void setScriptsMenu(QMenu *scripts);
    // The set operator item names the other operator.
    void setSetOperatorTitle(const QString &title);

signals:
    // An item was chosen: the operation it sends.
    void itemActivated(const QString &action);

private:
    QAction *addItem(QMenu &menu, int tag, const QString &title, const QString &action);

    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QMenu> m_groupsMenu;
    std::unique_ptr<QMenu> m_flagsMenu;
    QHash<int, QAction *> m_items;
};
