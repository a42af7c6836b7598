#include "app/menus/menuset.h"

#include <QAction>
#include <QCollator>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace {

const char *const kCommandProperty = "tolvaneCommand";

// The title every group menu carries; the item that hangs it gives the visible name.
const QString kGroupMenuTitle = QStringLiteral("__");

struct Item
{
    const char *title;
    const char *command;
    int tag = 0;
    const char *shortcut = nullptr;
};

// The contact table's columns by the last digit of their show (100-108) and hide (120-128) tags.
constexpr const char *kColumnTitles[] = {"Mobile",     "Organization", "Job Title",
                                         "Work Phone", "Work E-mail",  "Work Location",
                                         "Home Phone", "Home E-mail",  "Home Location"};

} // namespace

MenuSet::MenuSet(QObject *parent)
    : QObject(parent)
{
    buildProgramMenu();
    buildFileMenu();
    buildViewMenu();
    buildGoogleMenu();
    buildAddressBookMenu();
    setGoogleGroupSubMenus();
}

MenuSet::~MenuSet()
{
    // The main menu's items hang the group menus: they go first.
    m_ownedMenus.clear();
    m_groupMenus.clear();
}

QMenu *MenuSet::addMainMenu(const QString &title)
{
    m_ownedMenus.push_back(std::make_unique<QMenu>(title));
    QMenu *const menu = m_ownedMenus.back().get();
    m_mainMenu << menu;
    watch(menu);
    return menu;
}

QMenu *MenuSet::addSubmenu(QMenu &parent, const QString &title, int tag)
{
    QMenu *const menu = parent.addMenu(title);
    menu->menuAction()->setData(tag);
    m_actions << menu->menuAction();
    watch(menu);
    return menu;
}

QAction *MenuSet::addItem(QMenu &menu, const QString &title, const QString &command, int tag,
                          const QString &shortcut)
{
    QAction *const item = menu.addAction(title);
    item->setData(tag);
    item->setProperty(kCommandProperty, command);
    if (!shortcut.isEmpty())
        item->setShortcut(QKeySequence(shortcut));
    connect(item, &QAction::triggered, this,
            [this, item, command] { emit commandTriggered(command, item); });
    m_actions << item;
    return item;
}

void MenuSet::watch(QMenu *menu)
{
    // Validated as it opens, so what it shows is what may run.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { validate(*menu); });
}

QMenu *MenuSet::makeGroupMenu(GroupSource source, const QString &command)
{
    auto menu = std::make_unique<QMenu>(kGroupMenuTitle);
    QMenu *const raw = menu.get();
    m_groupMenus.push_back({std::move(menu), source, command});
    const std::size_t index = m_groupMenus.size() - 1;
    connect(raw, &QMenu::aboutToShow, this,
            [this, index] { rebuildGroupMenu(m_groupMenus[index]); });
    return raw;
}

void MenuSet::hangGroupMenu(QMenu &parent, const QString &title, QMenu *groupMenu, int tag)
{
    QAction *const item = parent.addAction(title);
    item->setData(tag);
    item->setMenu(groupMenu);
    m_actions << item;
}

void MenuSet::rebuildGroupMenu(const GroupMenu &groupMenu)
{
    QMenu &menu = *groupMenu.menu;
    menu.clear();
    menu.setTitle(kGroupMenuTitle);
    QStringList names = m_groupNames ? m_groupNames(groupMenu.source) : QStringList();
    QCollator collator;
    std::sort(names.begin(), names.end(),
              [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    for (const QString &name : std::as_const(names)) {
        QAction *const item = menu.addAction(name);
        const QString command = groupMenu.command;
        connect(item, &QAction::triggered, this,
                [this, item, command] { emit commandTriggered(command, item); });
    }
}

void MenuSet::buildProgramMenu()
{
    QMenu *const menu = addMainMenu(QStringLiteral("Tolvane"));
    addItem(*menu, QStringLiteral("Start or Stop Agent Tolvane"),
            QStringLiteral("startGoogleABSync:"));
    // Preferences.
    addItem(*menu, QStringLiteral("Preferences…"), QStringLiteral("showPreferencePanel:"), 0,
            QStringLiteral("Ctrl+,"));
    menu->addSeparator();
    addItem(*menu, QStringLiteral("Quit Tolvane"), QStringLiteral("quitTolvane:"), 0,
            QStringLiteral("Ctrl+Q"));
}

void MenuSet::buildFileMenu()
{
    QMenu *const menu = addMainMenu(QStringLiteral("File"));
    static constexpr Item items[] = {
        {"Data Loader", "openDataMover:", 0, "Ctrl+D"},
        {"Contact Browser", "openBrowserView:", 0, "Ctrl+B"},
        {"Browser for Another Account", "openBrowser2View:"},
        {"Google Contacts Page", "openWebView:"},
        {"Review Google Names", "reviewGoogleNames:"},
        {"Reload Google Data", "refreshGoogleState:", 0, "Ctrl+R"},
    };
    for (const Item &item : items)
        addItem(*menu, QString::fromUtf8(item.title), QString::fromLatin1(item.command), item.tag,
                QString::fromLatin1(item.shortcut));
}

void MenuSet::buildViewMenu()
{
    QMenu *const menu = addMainMenu(QStringLiteral("View"));
    static constexpr Item items[] = {
        {"Group List", "toggleGroupNav:"},
        {"Picture", "toggleBrowserImage:"},
        {"Notes", "toggleNotes:"},
        {"Union or Intersection of Groups", "toggleSetOperator:"},
    };
    for (const Item &item : items)
        addItem(*menu, QString::fromUtf8(item.title), QString::fromLatin1(item.command));
    menu->addSeparator();
    addItem(*menu, QStringLiteral("Choose Columns…"), QStringLiteral("showTableColumnSheet:"), 99);
    QMenu *const show = addSubmenu(*menu, QStringLiteral("Show Column"), 0);
    QMenu *const hide = addSubmenu(*menu, QStringLiteral("Hide Column"), 0);
    for (int digit = 0; digit < 9; ++digit) {
        const QString title = QString::fromUtf8(kColumnTitles[digit]);
        addItem(*show, title, QStringLiteral("showTableColumn:"), 100 + digit);
        addItem(*hide, title, QStringLiteral("hideTableColumn:"), 120 + digit);
    }
    // Preferences: the browser toolbar's items and whether it shows.
    menu->addSeparator();
    addItem(*menu, QStringLiteral("Customize Toolbar…"), QStringLiteral("customize:"));
    addItem(*menu, QStringLiteral("Hide Toolbar"), QStringLiteral("showhide:"));
}

void MenuSet::buildGoogleMenu()
{
    QMenu *const menu = addMainMenu(QStringLiteral("Google"));

    QMenu *const upload = addSubmenu(*menu, QStringLiteral("Upload to Google"), 300);
    static constexpr Item uploads[] = {
        {"All People", "uploadFromABAllPeople:"},
        {"All Companies", "uploadFromABAllCompanies:"},
        {"All Contacts of Google Contacts", "uploadFromABAllGoogleContacts:"},
        {"All Groups", "uploadFromABAllManualGroups:"},
        {"All Smart Groups", "uploadFromABAllSmartGroups:"},
    };
    for (const Item &item : uploads)
        addItem(*upload, QString::fromUtf8(item.title), QString::fromLatin1(item.command));
    upload->addSeparator();
    const QString uploadGroup = QStringLiteral("uploadFromABABGroup:");
    const QString uploadMembers = QStringLiteral("uploadFromABABGMs:");
    m_abManualGroupNamesMenus.resize(6);
    m_abSmartGroupNamesMenus.resize(6);
    m_abManualGroupNamesMenus[2] = makeGroupMenu(GroupSource::ManualGroups, uploadGroup);
    m_abSmartGroupNamesMenus[2] = makeGroupMenu(GroupSource::SmartGroups, uploadGroup);
    m_abManualGroupNamesMenus[3] = makeGroupMenu(GroupSource::ManualGroups, uploadMembers);
    m_abSmartGroupNamesMenus[3] = makeGroupMenu(GroupSource::SmartGroups, uploadMembers);
    hangGroupMenu(*upload, QStringLiteral("Group"), m_abManualGroupNamesMenus[2]);
    hangGroupMenu(*upload, QStringLiteral("Smart Group"), m_abSmartGroupNamesMenus[2]);
    hangGroupMenu(*upload, QStringLiteral("Members of Group"), m_abManualGroupNamesMenus[3]);
    hangGroupMenu(*upload, QStringLiteral("Members of Smart Group"), m_abSmartGroupNamesMenus[3]);
    // The items tagged 305, 315, 316, 403, 404, 413 and 414 get the Google group menus.
    hangGroupMenu(*upload, QStringLiteral("Members of Google Group"), nullptr, 305);

    QMenu *const remove = addSubmenu(*menu, QStringLiteral("Delete from Google"), 310);
    static constexpr Item removals[] = {
        {"All Groups", "removeGoogleAllGoogleGroups:"},
        {"All Contacts", "removeGoogleAllGoogleContacts:"},
        {"All E-mail Only Contacts", "removeGoogleGoogleOnlyEmailContacts:"},
        {"All Contacts in No Group", "removeGoogleGoogleNoGroupContacts:"},
        {"All People of the Address Book", "removeGoogleAllPeople:"},
        {"All Companies of the Address Book", "removeGoogleAllCompanies:"},
    };
    for (const Item &item : removals)
        addItem(*remove, QString::fromUtf8(item.title), QString::fromLatin1(item.command));
    remove->addSeparator();
    const QString removeMembers = QStringLiteral("removeGoogleABGroupMembers:");
    m_abManualGroupNamesMenus[4] = makeGroupMenu(GroupSource::ManualGroups, removeMembers);
    m_abSmartGroupNamesMenus[4] = makeGroupMenu(GroupSource::SmartGroups, removeMembers);
    hangGroupMenu(*remove, QStringLiteral("Members of Address Book Group"),
                  m_abManualGroupNamesMenus[4]);
    hangGroupMenu(*remove, QStringLiteral("Members of Address Book Smart Group"),
                  m_abSmartGroupNamesMenus[4]);
    hangGroupMenu(*remove, QStringLiteral("Google Group"), nullptr, 315);
    hangGroupMenu(*remove, QStringLiteral("Members of Google Group"), nullptr, 316);
}

void MenuSet::buildAddressBookMenu()
{
    QMenu *const menu = addMainMenu(QStringLiteral("Address Book"));

    QMenu *const remove = addSubmenu(*menu, QStringLiteral("Delete from Address Book"), 400);
    static constexpr Item removals[] = {
        {"All Groups", "removeABAllManualGroups:"},
        {"All Smart Groups", "removeABAllSmartGroups:"},
        {"All People", "removeABAllPeople:"},
        {"All Companies", "removeABAllCompanies:"},
        {"All Groups of Google Contacts", "removeABAllGoogleGroups:"},
        {"All Contacts of Google Contacts", "removeABAllGoogleContacts:"},
        {"All E-mail Only Contacts of Google Contacts", "removeABGoogleOnlyEmailContacts:"},
        {"All Contacts in No Google Group", "removeABGoogleNoGroupContacts:"},
    };
    for (const Item &item : removals)
        addItem(*remove, QString::fromUtf8(item.title), QString::fromLatin1(item.command));
    remove->addSeparator();
    const QString removeGroup = QStringLiteral("removeABGroup:");
    const QString removeMembers = QStringLiteral("removeABGroupMembers:");
    m_abManualGroupNamesMenus[0] = makeGroupMenu(GroupSource::ManualGroups, removeGroup);
    m_abSmartGroupNamesMenus[0] = makeGroupMenu(GroupSource::SmartGroups, removeGroup);
    m_abManualGroupNamesMenus[1] = makeGroupMenu(GroupSource::ManualGroups, removeMembers);
    m_abSmartGroupNamesMenus[1] = makeGroupMenu(GroupSource::SmartGroups, removeMembers);
    hangGroupMenu(*remove, QStringLiteral("Group"), m_abManualGroupNamesMenus[0]);
    hangGroupMenu(*remove, QStringLiteral("Smart Group"), m_abSmartGroupNamesMenus[0]);
    hangGroupMenu(*remove, QStringLiteral("Members of Group"), m_abManualGroupNamesMenus[1]);
    hangGroupMenu(*remove, QStringLiteral("Members of Smart Group"), m_abSmartGroupNamesMenus[1]);
    hangGroupMenu(*remove, QStringLiteral("Google Group"), nullptr, 403);
    hangGroupMenu(*remove, QStringLiteral("Members of Google Group"), nullptr, 404);

    QMenu *const download = addSubmenu(*menu, QStringLiteral("Download from Google"), 410);
    static constexpr Item downloads[] = {
        {"All Groups", "downloadFromGoogleAllGroups:"},
        {"All Contacts", "downloadFromGoogleAllGoogleContacts:"},
        {"All People", "downloadFromGooglePeople:"},
        {"All Companies", "downloadFromGoogleCompanies:"},
        {"All Contacts in No Group", "downloadFromGoogleNoGroupContacts:"},
        {"All E-mail Only Contacts", "downloadFromGoogleOnlyEmailContacts:"},
    };
    for (const Item &item : downloads)
        addItem(*download, QString::fromUtf8(item.title), QString::fromLatin1(item.command));
    download->addSeparator();
    const QString downloadMembers = QStringLiteral("downloadFromGoogleABGroupMembers:");
    m_abManualGroupNamesMenus[5] = makeGroupMenu(GroupSource::ManualGroups, downloadMembers);
    m_abSmartGroupNamesMenus[5] = makeGroupMenu(GroupSource::SmartGroups, downloadMembers);
    hangGroupMenu(*download, QStringLiteral("Members of Address Book Group"),
                  m_abManualGroupNamesMenus[5]);
    hangGroupMenu(*download, QStringLiteral("Members of Address Book Smart Group"),
                  m_abSmartGroupNamesMenus[5]);
    hangGroupMenu(*download, QStringLiteral("Google Group"), nullptr, 413);
    hangGroupMenu(*download, QStringLiteral("Members of Google Group"), nullptr, 414);

    menu->addSeparator();
    addItem(*menu, QStringLiteral("Check for Duplicated E-mail Addresses"),
            QStringLiteral("verifyAB:"));
}

void MenuSet::setGoogleGroupSubMenus()
{
    // The seven commands that take a Google group's name, each with its menu, hung by main menu
    // index and the tags of the item and its submenu item.
    struct Hanging
    {
        int index;
        int parentTag;
        int tag;
        const char *command;
    };
    static constexpr Hanging hangings[] = {
        {3, 310, 315, "removeGoogleGoogleGroup:"},              // menu 1
        {3, 310, 316, "removeGoogleGoogleGroupMembers:"},       // menu 2
        {3, 300, 305, "uploadFromABGoogleGroupMembers:"},       // menu 3
        {4, 410, 413, "downloadFromGoogleGoogleGroup:"},        // menu 4
        {4, 410, 414, "downloadFromGoogleGoogleGroupMembers:"}, // menu 5
        {4, 400, 403, "removeABGoogleGroup:"},                  // menu 6
        {4, 400, 404, "removeABGoogleGroupMembers:"},           // menu 7
    };
    for (const Hanging &hanging : hangings) {
        QMenu *const groupMenu =
            makeGroupMenu(GroupSource::GoogleGroups, QString::fromLatin1(hanging.command));
        m_googleGroupNamesMenus << groupMenu;
        const auto withTag = [](const QMenu &menu, int tag) -> QAction * {
            for (QAction *item : menu.actions()) {
                if (MenuSet::tag(*item) == tag)
                    return item;
            }
            return nullptr;
        };
        QAction *const parent = withTag(*m_mainMenu.at(hanging.index), hanging.parentTag);
        QAction *const item = parent ? withTag(*parent->menu(), hanging.tag) : nullptr;
        if (!item)
            continue;
        item->setMenu(groupMenu);
    }
}

QMenuBar *MenuSet::buildMenuBar(QWidget *parent) const
{
    auto *const bar = new QMenuBar(parent);
    for (QMenu *menu : m_mainMenu)
        bar->addMenu(menu);
    return bar;
}

QMenu *MenuSet::buildStatusMenu(QWidget *parent) const
{
    auto *const menu = new QMenu(parent);
    for (QMenu *mainMenu : m_mainMenu)
        menu->addMenu(mainMenu);
    return menu;
}

QAction *MenuSet::action(const QString &name) const
{
    for (QAction *item : m_actions) {
        if (command(*item) == name)
            return item;
    }
    return nullptr;
}

QAction *MenuSet::actionWithTag(int wanted) const
{
    for (QAction *item : m_actions) {
        if (tag(*item) == wanted)
            return item;
    }
    return nullptr;
}

int MenuSet::tag(const QAction &item)
{
    return item.data().toInt();
}

QString MenuSet::command(const QAction &item)
{
    return item.property(kCommandProperty).toString();
}

QMenu *MenuSet::googleGroupNamesMenu(int number) const
{
    return number >= 1 && number <= m_googleGroupNamesMenus.size()
               ? m_googleGroupNamesMenus.at(number - 1)
               : nullptr;
}

QMenu *MenuSet::abManualGroupNamesMenu(int number) const
{
    return number >= 1 && number <= 6 ? m_abManualGroupNamesMenus.at(number - 1) : nullptr;
}

QMenu *MenuSet::abSmartGroupNamesMenu(int number) const
{
    return number >= 1 && number <= 6 ? m_abSmartGroupNamesMenus.at(number - 1) : nullptr;
}

void MenuSet::validate(QMenu &menu)
{
    if (!m_validator)
        return;
    for (QAction *item : menu.actions()) {
        if (!item->isSeparator())
            item->setEnabled(m_validator(*item));
    }
}

void MenuSet::validateAll()
{
    if (!m_validator)
        return;
    for (QAction *item : std::as_const(m_actions))
        item->setEnabled(m_validator(*item));
}
