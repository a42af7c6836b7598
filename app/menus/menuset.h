#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The main program's one set of menu actions and the menus that hold them. Linux has no menu bar
// shared by the whole program, so every main window gets a menu bar of its own built from the
// same menus: an action enabled or disabled here is so in every window. Index 0 of the main menu
// is the program's menu, 3 the Google menu and 4 the Address Book menu; an item's tag is its
// action's data.
class MenuSet : public QObject
{
    Q_OBJECT

public:
    // What a group menu lists when it opens.
    enum class GroupSource { ManualGroups, SmartGroups, GoogleGroups };
    using GroupNames = std::function<QStringList(GroupSource)>;
    using Validator = std::function<bool(const QAction &item)>;

    explicit MenuSet(QObject *parent = nullptr);
    ~MenuSet() override;

    // The menu bar of one window, holding the main menu; owned by the parent.
    QMenuBar *buildMenuBar(QWidget *parent) const;
    // The whole main menu as one menu (each main menu a submenu), for the tray item; owned by the
    // parent.
    QMenu *buildStatusMenu(QWidget *parent) const;

    const QList<QMenu *> &mainMenu() const { return m_mainMenu; }
    // The first item of the command, or of the tag; null for none.
    QAction *action(const QString &command) const;
    QAction *actionWithTag(int tag) const;
    static int tag(const QAction &item);
    // The item's command name; empty for a menu that only opens a submenu.
    static QString command(const QAction &item);

    // The group menus: numbers 1 to 7 for Google groups, 1 to 6 for address book groups; null
    // outside them.
    QMenu *googleGroupNamesMenu(int number) const;
    QMenu *abManualGroupNamesMenu(int number) const;
    QMenu *abSmartGroupNamesMenu(int number) const;

    // The names a group menu lists each time it opens (sorted here).
    void setGroupNames(GroupNames names) { m_groupNames = std::move(names); }
    // Decides each item's enabling, when its menu opens and at validateAll.
    void setValidator(Validator validator) { m_validator = std::move(validator); }
    void validateAll();

signals:
    // An item was chosen; the sender is the item itself.
    void commandTriggered(const QString &command, QAction *item);

private:
    struct GroupMenu
    {
        std::unique_ptr<QMenu> menu;
        GroupSource source;
        QString command;
    };

    QMenu *addMainMenu(const QString &title);
    QMenu *addSubmenu(QMenu &parent, const QString &title, int tag);
    QAction *addItem(QMenu &menu, const QString &title, const QString &command, int tag = 0,
                     const QString &shortcut = QString());
    QMenu *makeGroupMenu(GroupSource source, const QString &command);
    void hangGroupMenu(QMenu &parent, const QString &title, QMenu *groupMenu, int tag = 0);
    void rebuildGroupMenu(const GroupMenu &groupMenu);
    void setGoogleGroupSubMenus();
    void watch(QMenu *menu);
    void validate(QMenu &menu);
    void buildProgramMenu();
    void buildFileMenu();
    void buildViewMenu();
    void buildGoogleMenu();
    void buildAddressBookMenu();

    QList<QMenu *> m_mainMenu;
    std::vector<std::unique_ptr<QMenu>> m_ownedMenus;
    std::vector<GroupMenu> m_groupMenus;
    QList<QMenu *> m_googleGroupNamesMenus;
    QList<QMenu *> m_abManualGroupNamesMenus;
    QList<QMenu *> m_abSmartGroupNamesMenus;
    QList<QAction *> m_actions;
    GroupNames m_groupNames;
    Validator m_validator;
};
