#include "app/menus/commandkeys.h"
#include "app/menus/commandtexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/push/pushkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "tests/support/addressbook/testpersons.h"
#include "tests/support/app/mainprogramtest.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

GroupPtr addGroup(const QString &name)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    return group;
}

GroupPtr addSmartGroup(const QString &name)
{
    const GroupPtr group = Group::createSmartGroup(
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                   QStringLiteral("Lee"), SearchElement::Comparison::Equal));
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    return group;
}

GDataEntryPtr googleGroup(const QString &title)
{
    auto group = std::make_shared<GDataEntryContactGroup>();
    group->setTitle(title);
    return group;
}

QStringList titlesOf(const QMenu &menu)
{
    QStringList titles;
    for (const QAction *item : menu.actions())
        titles << item->text();
    return titles;
}

// The main program signed in, with the start-up's data loader window in front.
class MenuCommandsTest : public MainProgramTest
{
protected:
    void start()
    {
        storePassword(kPassword);
        ASSERT_TRUE(startAndLogIn());
        ASSERT_TRUE(runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); }));
        loader = qobject_cast<RecordingWindow *>(delegate->dataMoverWindowController());
        ASSERT_NE(loader, nullptr);
        ASSERT_TRUE(makeKey(loader));
        journal.clear();
    }
    static bool makeKey(WindowController *controller)
    {
        controller->showWindow();
        if (!QTest::qWaitForWindowActive(controller->window()))
            return false;
        QCoreApplication::processEvents();
        return true;
    }
    // Opens the menu that holds the item, as the user would.
    void openMenuOf(int tag)
    {
        QAction *const item = menus().actionWithTag(tag);
        ASSERT_NE(item, nullptr) << tag;
        for (QObject *holder : item->associatedObjects()) {
            if (auto *const menu = qobject_cast<QMenu *>(holder))
                emit menu->aboutToShow();
        }
    }
    RecordingWindow *openBrowser()
    {
        delegate->openBrowserView();
        auto *const browser =
            qobject_cast<RecordingWindow *>(delegate->googleBrowserWindowController());
        return browser && makeKey(browser) ? browser : nullptr;
    }
    MenuSet &menus() const { return *delegate->menuSet(); }
    // Opens the group menu as the user would and chooses the item of that title.
    static bool choose(QMenu &menu, const QString &title)
    {
        emit menu.aboutToShow();
        for (QAction *item : menu.actions()) {
            if (item->text() == title) {
                item->trigger();
                return true;
            }
        }
        return false;
    }

    RecordingWindow *loader = nullptr;
};

struct ForwardCase
{
    const char *command;
    const char *sentAs;
    bool itemIsSender;
};

const ForwardCase kForwardCases[] = {
    {"uploadFromABGoogleGroupMembers:", "uploadFromABGoogleGroupMembers:", true},
    {"uploadFromABAllGoogleContacts:", "uploadFromABAllGoogleContacts:", true},
    {"uploadFromABABGMs:", "uploadFromABABGroupMembers:", true},
    {"uploadFromABAllCompanies:", "uploadFromABAllCompanies:", true},
    {"uploadFromABAllPeople:", "uploadFromABAllPeople:", true},
    {"uploadFromABABGroup:", "uploadFromABABGroup:", true},
    {"uploadFromABAllManualGroups:", "uploadFromABAllManualGroups:", true},
    {"uploadFromABAllSmartGroups:", "uploadFromABAllSmartGroups:", true},
    {"removeABAllGoogleGroups:", "removeABAllGoogleGroups:", true},
    {"removeABAllGoogleContacts:", "removeABAllGoogleContacts:", true},
    {"removeABGoogleGroup:", "removeABGoogleGroup:", true},
    {"removeABGoogleGroupMembers:", "removeABGoogleGroupMembers:", true},
    {"removeABGoogleOnlyEmailContacts:", "removeABGoogleOnlyEmailContacts:", true},
    {"removeABGoogleNoGroupContacts:", "removeABGoogleNoGroupContacts:", true},
    {"removeABAllSmartGroups:", "removeABAllSmartGroups:", true},
    {"removeABAllManualGroups:", "removeABAllManualGroups:", true},
    {"removeABGroup:", "removeABGroup:", true},
    {"removeABGroupMembers:", "removeABGroupMembers:", true},
    {"removeABAllPeople:", "removeABAllPeople:", false},
    {"removeABAllCompanies:", "removeABAllCompanies:", false},
    {"removeGoogleGoogleGroupMembers:", "removeGoogleGoogleGroupMembers:", true},
    {"removeGoogleGroupMembers:", "removeGoogleGoogleGroupMembers:", true},
    {"removeGoogleGoogleOnlyEmailContacts:", "removeGoogleGoogleOnlyEmailContacts:", false},
    {"removeAllGoogleOnlyEmailContacts:", "removeGoogleGoogleOnlyEmailContacts:", false},
    {"removeGoogleGoogleNoGroupContacts:", "removeGoogleGoogleNoGroupContacts:", false},
    {"removeGoogleAllGoogleContacts:", "removeGoogleAllGoogleContacts:", false},
    {"removeGoogleAllContacts:", "removeGoogleAllGoogleContacts:", false},
    {"removeGoogleABGroupMembers:", "removeGoogleABGroupMembers:", true},
    {"removeGoogleAllPeople:", "removeGoogleAllPeople:", false},
    {"removeGoogleAllCompanies:", "removeGoogleAllCompanies:", false},
    {"removeGoogleAllGoogleGroups:", "removeGoogleAllGoogleGroups:", false},
    {"removeGoogleAllGroups:", "removeGoogleAllGoogleGroups:", false},
    {"removeGoogleGoogleGroup:", "removeGoogleGoogleGroup:", true},
    {"removeGoogleGroup:", "removeGoogleGoogleGroup:", true},
    {"downloadFromGoogleGoogleGroupMembers:", "downloadFromGoogleGoogleGroupMembers:", true},
    {"downloadFromGoogleNoGroupContacts:", "downloadFromGoogleNoGroupContacts:", true},
    {"downloadFromGoogleOnlyEmailContacts:", "downloadFromGoogleOnlyEmailContacts:", true},
    {"downloadFromGoogleAllGoogleContacts:", "downloadFromGoogleAllGoogleContacts:", true},
    {"downloadFromGoogleABGroupMembers:", "downloadFromGoogleABGroupMembers:", true},
    {"downloadFromGoogleCompanies:", "downloadFromGoogleCompanies:", true},
    {"downloadFromGooglePeople:", "downloadFromGooglePeople:", true},
    {"downloadFromGoogleGoogleGroup:", "downloadFromGoogleGoogleGroup:", true},
    {"downloadFromGoogleAllGroups:", "downloadFromGoogleAllGroups:", true},
};

TEST_F(MenuCommandsTest, EveryForwardedCommandReachesTheDataLoaderWithItsSender)
{
    start();
    for (const ForwardCase &forward : kForwardCases)
        loader->offerCommand(QString::fromLatin1(forward.sentAs));
    QAction item(QStringLiteral("Work people"));
    for (const ForwardCase &forward : kForwardCases) {
        journal.clear();
        EXPECT_TRUE(delegate->performMenuCommand(QString::fromLatin1(forward.command), &item));
        const QString sender = forward.itemIsSender ? QStringLiteral("item:Work people")
                                                    : QStringLiteral("AppDelegate");
        EXPECT_EQ(
            journal,
            QStringList{
                QStringLiteral("command:%1=%2").arg(QString::fromLatin1(forward.sentAs), sender)})
            << forward.command;
    }
}

TEST_F(MenuCommandsTest, WithoutTheDataLoaderNoForwardedCommandRuns)
{
    start();
    for (const ForwardCase &forward : kForwardCases)
        loader->offerCommand(QString::fromLatin1(forward.sentAs));
    loader->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    journal.clear();
    QAction item(QStringLiteral("Team"));
    for (const ForwardCase &forward : kForwardCases)
        EXPECT_TRUE(delegate->performMenuCommand(QString::fromLatin1(forward.command), &item));
    EXPECT_FALSE(journal.join('\n').contains("command:")) << journal.join('\n').toStdString();
    EXPECT_FALSE(delegate->performMenuCommand(QStringLiteral("noSuchCommand:"), &item));
}

TEST_F(MenuCommandsTest, UploadingAnAddressBookGroupLogsItsSender)
{
    UserDefaults::standard().setInteger(1, QStringLiteral("appLogLevel"));
    start();
    loader->offerCommand(QStringLiteral("uploadFromABABGroup:"));
    QAction item(QStringLiteral("Golf"));
    delegate->performMenuCommand(QStringLiteral("uploadFromABABGroup:"), &item);
    EXPECT_TRUE(lines().contains("[AppDelegate uploadFromABABGroup:] sender = Golf"))
        << lines().join('\n').toStdString();
}

TEST_F(MenuCommandsTest, EveryMainWindowGetsTheMainMenuAsItsMenuBar)
{
    start();
    RecordingWindow *const browser = openBrowser();
    ASSERT_NE(browser, nullptr);
    for (WindowController *window :
         {static_cast<WindowController *>(loader), static_cast<WindowController *>(browser)}) {
        const auto *const bar = window->window()->findChild<QMenuBar *>();
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(bar->actions().size(), menus().mainMenu().size());
        for (int index = 0; index < bar->actions().size(); ++index)
            EXPECT_EQ(bar->actions().at(index)->menu(), menus().mainMenu().at(index));
    }
    EXPECT_EQ(menus().mainMenu().at(0)->title(), "Tolvane");
    // The tray item's menu holds the same menus.
    const std::unique_ptr<QMenu> status(delegate->buildStatusMenu(nullptr));
    ASSERT_EQ(status->actions().size(), menus().mainMenu().size());
    for (int index = 0; index < status->actions().size(); ++index)
        EXPECT_EQ(status->actions().at(index)->menu(), menus().mainMenu().at(index));
}

TEST_F(MenuCommandsTest, AShortcutOfTheMenuBarRunsInTheWindowInFront)
{
    start();
    QTest::keyClick(loader->window(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(runUntil([this] { return delegate->googleBrowserWindowController() != nullptr; }));
    EXPECT_EQ(journal.count("made:browser"), 1);
}

TEST_F(MenuCommandsTest, AddressBookGroupMenusListTheCurrentGroupsSortedAndRunTheirCommand)
{
    start();
    addGroup(QStringLiteral("Zoo"));
    addGroup(QStringLiteral("Work people"));
    addSmartGroup(QStringLiteral("Lees"));
    ASSERT_TRUE(AddressBook::shared()->save());
    const char *const commands[] = {"removeABGroup:",
                                    "removeABGroupMembers:",
                                    "uploadFromABABGroup:",
                                    "uploadFromABABGroupMembers:",
                                    "removeGoogleABGroupMembers:",
                                    "downloadFromGoogleABGroupMembers:"};
    for (const char *command : commands)
        loader->offerCommand(QString::fromLatin1(command));
    for (int number = 1; number <= 6; ++number) {
        QMenu *const manual = menus().abManualGroupNamesMenu(number);
        QMenu *const smart = menus().abSmartGroupNamesMenu(number);
        ASSERT_TRUE(manual && smart);
        journal.clear();
        ASSERT_TRUE(choose(*manual, QStringLiteral("Work people")));
        EXPECT_EQ(manual->title(), "__");
        EXPECT_EQ(titlesOf(*manual), (QStringList{"Work people", "Zoo"}));
        ASSERT_TRUE(choose(*smart, QStringLiteral("Lees")));
        EXPECT_EQ(titlesOf(*smart), QStringList{"Lees"});
        const QString command = QString::fromLatin1(commands[number - 1]);
        EXPECT_EQ(journal, (QStringList{"command:" + command + "=item:Work people",
                                        "command:" + command + "=item:Lees"}));
    }

    // A group made since the menu last opened is there the next time.
    addGroup(QStringLiteral("Alpine"));
    ASSERT_TRUE(AddressBook::shared()->save());
    QMenu *const first = menus().abManualGroupNamesMenu(1);
    emit first->aboutToShow();
    EXPECT_EQ(titlesOf(*first), (QStringList{"Alpine", "Work people", "Zoo"}));
}

TEST_F(MenuCommandsTest, GoogleGroupMenusHangAtTheirTagsListTheAccountsGroupsAndRunTheirCommand)
{
    server.seedGroups(kAccount, {googleGroup("Team"), googleGroup("Crew")});
    start();
    ASSERT_TRUE(
        runUntil([this] { return delegate->appGoogleContactTool()->lists().groupCount() >= 2; }));
    // Main menu index, item tag, submenu item tag, group menu number, command.
    struct Hanging
    {
        int index;
        int parentTag;
        int tag;
        int number;
        const char *command;
    };
    const Hanging hangings[] = {
        {3, 310, 315, 1, "removeGoogleGoogleGroup:"},
        {3, 310, 316, 2, "removeGoogleGoogleGroupMembers:"},
        {3, 300, 305, 3, "uploadFromABGoogleGroupMembers:"},
        {4, 410, 413, 4, "downloadFromGoogleGoogleGroup:"},
        {4, 410, 414, 5, "downloadFromGoogleGoogleGroupMembers:"},
        {4, 400, 403, 6, "removeABGoogleGroup:"},
        {4, 400, 404, 7, "removeABGoogleGroupMembers:"},
    };
    for (const Hanging &hanging : hangings)
        loader->offerCommand(QString::fromLatin1(hanging.command));
    for (const Hanging &hanging : hangings) {
        QMenu *const groupMenu = menus().googleGroupNamesMenu(hanging.number);
        ASSERT_NE(groupMenu, nullptr);
        const QMenu *const main = menus().mainMenu().at(hanging.index);
        const QAction *parent = nullptr;
        for (const QAction *item : main->actions())
            if (MenuSet::tag(*item) == hanging.parentTag)
                parent = item;
        ASSERT_TRUE(parent && parent->menu()) << hanging.parentTag;
        const QAction *hung = nullptr;
        for (const QAction *item : parent->menu()->actions())
            if (MenuSet::tag(*item) == hanging.tag)
                hung = item;
        ASSERT_NE(hung, nullptr) << hanging.tag;
        EXPECT_EQ(hung->menu(), groupMenu) << hanging.tag;

        journal.clear();
        ASSERT_TRUE(choose(*groupMenu, QStringLiteral("Crew")));
        // System groups are not offered.
        EXPECT_EQ(titlesOf(*groupMenu), (QStringList{"Crew", "Team"}));
        EXPECT_EQ(
            journal,
            QStringList{
                QStringLiteral("command:%1=item:Crew").arg(QString::fromLatin1(hanging.command))});
    }
}

TEST_F(MenuCommandsTest, TheDuplicateCheckShowsEitherSheetOnTheKeyWindow)
{
    start();
    prompter.answer(kAlertFirstButtonReturn);
    delegate->performMenuCommand(QStringLiteral("verifyAB:"));
    ASSERT_TRUE(runUntil([this] { return prompter.shown().size() == 1; }));
    EXPECT_EQ(prompter.shown().at(0).prompt,
              (Prompt{commandtexts::compatibleAB, commandtexts::mayProceed, {"OK"}}));
    EXPECT_TRUE(prompter.shown().at(0).asSheet);
    EXPECT_EQ(prompter.shown().at(0).window, loader->window());

    for (const char *first : {"Ann", "Ben", "Cid"}) {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QString::fromLatin1(first), kABFirstNameProperty);
        person->setValueForProperty(
            QVariant::fromValue(
                labelledValues(PropertyType::MultiString,
                               {{kABEmailWorkLabel, "shared@example.org"},
                                {kABEmailHomeLabel, QString::fromLatin1(first) + "@example.org"}})),
            kABEmailProperty);
        AddressBook::shared()->addRecord(person);
    }
    const PersonPtr other = Person::create();
    other->setValueForProperty(
        QVariant::fromValue(
            labelledValues(PropertyType::MultiString, {{kABEmailWorkLabel, "twice@example.org"},
                                                       {kABEmailHomeLabel, "twice@example.org"}})),
        kABEmailProperty);
    AddressBook::shared()->addRecord(other);
    ASSERT_TRUE(AddressBook::shared()->save());
    delegate->performMenuCommand(QStringLiteral("verifyAB:"));
    ASSERT_TRUE(runUntil([this] { return prompter.shown().size() == 2; }));
    const Prompt &shown = prompter.shown().at(1).prompt;
    EXPECT_EQ(shown.message, "These email addresses are duplicated in Address Book.\rGoogle "
                             "Contacts does not allow duplicated emails!");
    EXPECT_EQ(shown.buttons, QStringList{"OK"});
    QStringList addresses = shown.informativeText.split(u'\r');
    addresses.sort();
    EXPECT_EQ(addresses,
              (QStringList{"shared@example.org", "shared@example.org", "twice@example.org"}));
}

TEST_F(MenuCommandsTest, RefreshingFetchesAgainThroughTheKeyWindowsEngine)
{
    start();
    RecordingWindow *const browser = openBrowser();
    ASSERT_NE(browser, nullptr);
    server.clearRequestLog();
    delegate->performMenuCommand(QStringLiteral("refreshGoogleState:"));
    EXPECT_TRUE(runUntil([this] { return !requestsTo("/m8/feeds/contacts/").isEmpty(); }));
    EXPECT_FALSE(requestsTo("/m8/feeds/groups/").isEmpty());

    // A window of no controller refreshes nothing.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::qWait(500);
    server.clearRequestLog();
    delegate->refreshGoogleState();
    QTest::qWait(300);
    EXPECT_TRUE(server.requestLog().isEmpty());

    // The asking window's engine, whatever window is in front.
    delegate->refreshGoogleState(browser);
    EXPECT_TRUE(runUntil([this] { return !requestsTo("/m8/feeds/contacts/").isEmpty(); }));
}

TEST_F(MenuCommandsTest, ReviewingNamesOpensOneReviewWindowOnTheKeyBrowsersAccount)
{
    start();
    ASSERT_NE(openBrowser(), nullptr);
    delegate->performMenuCommand(QStringLiteral("reviewGoogleNames:"));
    delegate->performMenuCommand(QStringLiteral("reviewGoogleNames:"));
    EXPECT_EQ(journal.count("made:preview"), 1);
    ASSERT_NE(delegate->googlePreviewWinController(), nullptr);
    EXPECT_EQ(delegate->googlePreviewWinController()->googleTool(),
              delegate->appGoogleContactTool());
    EXPECT_EQ(delegate->googlePreviewWinController()->window()->windowTitle(),
              "Preview for " + kAccount);
    EXPECT_EQ(journal.count("command:loadNamesForReview:=AppDelegate"), 1);
}

TEST_F(MenuCommandsTest, ColumnItemsAreEnabledByTheWindowInFrontAndItsColumns)
{
    start();
    // Loader in front: every column item is off, everything else on.
    for (int tag : {99, 100, 108, 120, 128}) {
        ASSERT_NE(menus().actionWithTag(tag), nullptr) << tag;
        EXPECT_FALSE(menus().actionWithTag(tag)->isEnabled()) << tag;
    }
    EXPECT_TRUE(menus().action(QStringLiteral("verifyAB:"))->isEnabled());
    EXPECT_TRUE(menus().actionWithTag(300)->isEnabled());

    RecordingWindow *const browser = openBrowser();
    ASSERT_NE(browser, nullptr);
    // Nothing shown yet: every show item is on, every hide item off.
    EXPECT_TRUE(menus().actionWithTag(101)->isEnabled());
    EXPECT_FALSE(menus().actionWithTag(121)->isEnabled());
    browser->shownColumns = {QStringLiteral("org")};
    for (int tag : {99, 100, 120})
        openMenuOf(tag);
    struct Expected
    {
        int tag;
        bool enabled;
    };
    for (const Expected &expected : {Expected{99, true}, Expected{100, true}, Expected{101, false},
                                     Expected{120, false}, Expected{121, true}}) {
        ASSERT_NE(menus().actionWithTag(expected.tag), nullptr) << expected.tag;
        EXPECT_EQ(menus().actionWithTag(expected.tag)->isEnabled(), expected.enabled)
            << expected.tag;
    }

    // Back to the loader: its shortcuts of column items are off at once.
    ASSERT_TRUE(makeKey(loader));
    EXPECT_FALSE(menus().actionWithTag(121)->isEnabled());
    EXPECT_FALSE(menus().actionWithTag(99)->isEnabled());
}

TEST_F(MenuCommandsTest, ColumnItemsShowAndHideTheirColumnInTheBrowserInFront)
{
    start();
    RecordingWindow *const browser = openBrowser();
    ASSERT_NE(browser, nullptr);
    browser->offerCommand(QStringLiteral("showTableColumn:"));
    browser->offerCommand(QStringLiteral("hideTableColumn:"));
    journal.clear();
    menus().actionWithTag(104)->trigger();
    // The hide item runs only once the column shows.
    menus().actionWithTag(124)->setEnabled(true);
    menus().actionWithTag(124)->trigger();
    browser->shownColumns = {QStringLiteral("workEmail")};
    openMenuOf(124);
    menus().actionWithTag(124)->trigger();
    EXPECT_EQ(journal,
              (QStringList{"command:showTableColumn:=104", "command:hideTableColumn:=104"}));
}

TEST_F(MenuCommandsTest, ThePushSelectionMarksEveryGroupUntilOneIsSaved)
{
    start();
    const GroupPtr golf = addGroup(QStringLiteral("Golf"));
    const GroupPtr lees = addSmartGroup(QStringLiteral("Lees"));
    ASSERT_TRUE(AddressBook::shared()->save());
    UserDefaults &defaults = UserDefaults::standard();
    defaults.removeObjectForKey(commandkeys::autoABGroupKeys);
    delegate->loadAutoABGroups();
    ASSERT_EQ(delegate->autoABGroups().size(), 2);
    for (const AutoABGroup &row : delegate->autoABGroups())
        EXPECT_TRUE(row.doSynch) << row.groupName.toStdString();

    QList<AutoABGroup> rows = delegate->autoABGroups();
    for (AutoABGroup &row : rows)
        row.doSynch = row.abid == lees->uniqueId();
    delegate->setAutoABGroups(rows);
    delegate->recordAutoABGroupKeys();
    EXPECT_EQ(defaults.stringArrayForKey(commandkeys::autoABGroupKeys),
              QStringList{lees->uniqueId()});

    delegate->loadAutoABGroups();
    for (const AutoABGroup &row : delegate->autoABGroups()) {
        EXPECT_EQ(row.doSynch, row.abid == lees->uniqueId()) << row.groupName.toStdString();
        EXPECT_EQ(row.isSmart, row.abid == lees->uniqueId());
    }
    EXPECT_TRUE(std::any_of(delegate->autoABGroups().cbegin(), delegate->autoABGroups().cend(),
                            [&](const AutoABGroup &row) {
                                return row.abid == golf->uniqueId() && row.groupName == "Golf";
                            }));
}

TEST_F(MenuCommandsTest, ARestoreNoticeSwitchesTheAutomaticPushOffWithItsAlert)
{
    start();
    loader->offerCommand(QStringLiteral("setABBackingData"));
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(1, pushkeys::autoPushABChanges);
    journal.clear();
    delegate->abChangedExternally({{kABSenderProcessName, QStringLiteral("abtool")},
                                   {kABInsertedRecords, QStringList()},
                                   {kABUpdatedRecords, QStringList()},
                                   {kABDeletedRecords, QStringList()}});
    EXPECT_TRUE(journal.contains("command:setABBackingData"));
    EXPECT_EQ(defaults.integerForKey(pushkeys::autoPushABChanges), 0);
    EXPECT_TRUE(promptMessages().contains(commandtexts::abRestored));
    EXPECT_TRUE(lines().contains("AB CHANGED Externally ABSenderProcessName abtool"));

    // With the push off, a later notice changes nothing more.
    delegate->abChanged({{kABUpdatedRecords, QStringList{"x:ABPerson"}}});
    EXPECT_EQ(promptMessages().count(commandtexts::abRestored), 1);
}

TEST_F(MenuCommandsTest, ANewGroupJoinsTheSelectionWhenNewGroupsAreIncluded)
{
    start();
    const GroupPtr golf = addGroup(QStringLiteral("Golf"));
    ASSERT_TRUE(AddressBook::shared()->save());
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setObject(QStringList{golf->uniqueId()}, commandkeys::autoABGroupKeys);
    defaults.setInteger(1, pushkeys::autoPushABChanges);
    defaults.setInteger(1, commandkeys::autoABUsesSelectedGroups);
    for (int include : {0, 1}) {
        defaults.setInteger(include, commandkeys::autoABSelectedGroupsIncludeNewGroups);
        const GroupPtr added = addGroup(QStringLiteral("New %1").arg(include));
        ASSERT_TRUE(AddressBook::shared()->save());
        delegate->abChanged({{kABInsertedRecords, QStringList{added->uniqueId()}}});
        EXPECT_EQ(
            defaults.stringArrayForKey(commandkeys::autoABGroupKeys).contains(added->uniqueId()),
            include == 1);
        EXPECT_TRUE(
            defaults.stringArrayForKey(commandkeys::autoABGroupKeys).contains(golf->uniqueId()));
    }
}

} // namespace
