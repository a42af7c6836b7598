#include "app/prefs/prefsheet.h"
#include "addressbook/addressbookkeys.h"
#include "addressbook/vcards/vcardexportoptions.h"
#include "app/appkeys.h"
#include "app/delegate/modetexts.h"
#include "app/menus/commandkeys.h"
#include "app/prefs/prefkeys.h"
#include "app/prefs/prefpages.h"
#include "app/prefs/prefpanes.h"
#include "app/prefs/pushgroupsmodel.h"
#include "app/prefs/regionsmodel.h"
#include "foundation/parsers/parserkeys.h"
#include "google/engine/googlekeys.h"
#include "google/push/pushkeys.h"
#include "google/upload/googleelementkeys.h"
#include "model/refdata/country.h"
#include "model/refdata/region.h"
#include "model/tolvaneowner.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/loginitems.h"
#include "platform/ui/statusitem.h"
#include "tests/support/app/mainprogramtest.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QStringListModel>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <functional>

namespace {

class PrefSheetTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QDir::setSearchPaths(QStringLiteral("images"), {QStringLiteral(":/images")});
    }
    void TearDown() override
    {
        QDir::setSearchPaths(QStringLiteral("images"), {});
        StatusItem::setTrayAvailableForTesting(std::nullopt);
        defaults().removeObjectForKey(appkeys::runAsStatusItem);
        UserDefaults(kABPreferencesDomain).removeObjectForKey(kABIncludePhotosInVCard);
        UserDefaults(kABPreferencesDomain).removeObjectForKey(kABIncludeNotesInVCard);
        MainProgramTest::TearDown();
    }

    PrefSheet *sheet() const { return delegate->prefSheet(); }
    PrefPages *pages() const { return delegate->prefPages(); }
    QAction *item(const QString &identifier) const
    {
        for (QAction *action : sheet()->toolbar()->actions()) {
            if (action->objectName() == identifier)
                return action;
        }
        return nullptr;
    }
    template <typename T> T *control(const QString &name) const
    {
        return sheet()->findChild<T *>(name);
    }
    // A recording window of that kind, shown and key.
    RecordingWindow *keyWindow(WindowController::Kind kind)
    {
        if (kind == WindowController::Kind::Browser)
            delegate->openBrowserView();
        else
            delegate->openDataMover();
        RecordingWindow *const window = windows->made.constLast();
        window->showWindow();
        QApplication::setActiveWindow(window->window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window->window()));
        return window;
    }
    QStringList preferredRegions() const
    {
        QStringList names;
        for (ManagedObject *object : delegate->owner()->menuPrefs())
            names << static_cast<Region *>(object)->name();
        return names;
    }
    static UserDefaults &defaults() { return UserDefaults::standard(); }
};

TEST_F(PrefSheetTest, TheToolbarListsThePanesInOrderAndEachItemShowsItsPage)
{
    ASSERT_TRUE(startProgram());
    ASSERT_NE(sheet(), nullptr);
    EXPECT_EQ(sheet()->toolbar()->objectName(), "Tolvane PrefWindow Toolbar Identifier");
    QStringList shown;
    for (const QAction *action : sheet()->toolbar()->actions())
        shown << action->objectName();
    const QStringList expected = {prefpanes::account,       prefpanes::general, prefpanes::google,
                                  prefpanes::addressBook,   prefpanes::push,    prefpanes::vCard,
                                  prefpanes::international, prefpanes::console, prefpanes::updates};
    EXPECT_EQ(shown, expected);
    for (const QAction *action : sheet()->toolbar()->actions())
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    EXPECT_EQ(item(prefpanes::vCard)->text(), "  vCard  ");
    EXPECT_EQ(item(prefpanes::google)->toolTip(),
              "View or Setup the Preferences for updating GMail Contacts & Groups ");
    EXPECT_EQ(item(prefpanes::safari), nullptr);
    // Ten pages, the Safari one among them, though no item shows it.
    EXPECT_EQ(sheet()->tabs().size(), 10);
    EXPECT_NE(sheet()->page(prefpanes::safariTab), nullptr);

    delegate->showPreferencePanel();
    EXPECT_TRUE(sheet()->isVisible());
    EXPECT_EQ(sheet()->currentTab(), prefpanes::generalTab);
    EXPECT_EQ(sheet()->selectedItemIdentifier(), prefpanes::general);
    const std::pair<QString, QString> choices[] = {
        {prefpanes::account, prefpanes::accountTab},
        {prefpanes::google, prefpanes::googleTab},
        {prefpanes::addressBook, prefpanes::abTab},
        {prefpanes::push, prefpanes::pushTab},
        {prefpanes::vCard, prefpanes::vCardTab},
        {prefpanes::international, prefpanes::worldTab},
        {prefpanes::console, prefpanes::consoleTab},
        {prefpanes::updates, prefpanes::updateTab},
        {prefpanes::general, prefpanes::generalTab},
    };
    for (const auto &[identifier, tab] : choices) {
        item(identifier)->trigger();
        EXPECT_EQ(sheet()->currentTab(), tab) << identifier.toStdString();
        EXPECT_EQ(sheet()->selectedItemIdentifier(), identifier);
    }
}

TEST_F(PrefSheetTest, TheSheetOpensOnThePaneLastChosenAndTheLoaderAsksForItsPanes)
{
    ASSERT_TRUE(startProgram());
    delegate->showPreferencePanel();
    item(prefpanes::console)->trigger();
    delegate->closePrefSheet();
    EXPECT_FALSE(sheet()->isVisible());
    delegate->showPreferencePanel();
    EXPECT_EQ(sheet()->currentTab(), prefpanes::consoleTab);
    delegate->closePrefSheet();

    delegate->reviewABPrefs();
    EXPECT_EQ(sheet()->currentTab(), prefpanes::abTab);
    EXPECT_EQ(sheet()->selectedItemIdentifier(), prefpanes::addressBook);
    delegate->closePrefSheet();
    delegate->reviewGooglePrefs();
    EXPECT_EQ(sheet()->currentTab(), prefpanes::googleTab);
    EXPECT_EQ(sheet()->selectedItemIdentifier(), prefpanes::google);
}

TEST_F(PrefSheetTest, AnIdentifierOutsideThePanesGivesABareItem)
{
    ASSERT_TRUE(startProgram());
    QAction *const bare = delegate->toolbarItemForItemIdentifier("Something Else");
    EXPECT_TRUE(bare->text().isEmpty());
    EXPECT_TRUE(bare->icon().isNull());
    const QAction *const known = delegate->toolbarItemForItemIdentifier(prefpanes::push);
    EXPECT_EQ(known->text(), "ABPush");
    EXPECT_EQ(known->toolTip(), "Address Book Push Preferences");
    EXPECT_EQ(AppDelegate::toolbarAllowedItemIdentifiers(),
              AppDelegate::toolbarDefaultItemIdentifiers());
    EXPECT_FALSE(AppDelegate::toolbarSelectableItemIdentifiers().contains(prefpanes::safari));
}

TEST_F(PrefSheetTest, ClosingStoresTheRegionsAndReloadsTheDataLoader)
{
    ASSERT_TRUE(startProgram());
    RecordingWindow *const loader = keyWindow(WindowController::Kind::DataMover);
    loader->offerCommand("setABBackingData");
    delegate->showPreferencePanel();
    EXPECT_EQ(sheet()->parentWidget(), loader->window());
    EXPECT_EQ(sheet()->windowModality(), Qt::WindowModal);

    RegionsModel *const regions = pages()->regionsModel();
    ASSERT_GT(regions->rowCount(), 1);
    QStringList chosen;
    for (int row = 0; row < regions->rowCount(); ++row) {
        const QModelIndex index = regions->index(row);
        if (index.data(Qt::CheckStateRole).toInt() == Qt::Checked)
            chosen << index.data().toString();
    }
    const QModelIndex added =
        regions->index(chosen.contains(regions->index(0).data().toString()) ? 1 : 0);
    ASSERT_TRUE(regions->setData(added, Qt::Checked, Qt::CheckStateRole));
    chosen << added.data().toString();
    EXPECT_NE(preferredRegions().size(), chosen.size());

    journal.clear();
    delegate->closePrefSheet();
    QStringList stored = preferredRegions();
    stored.sort();
    chosen.sort();
    EXPECT_EQ(stored, chosen);
    EXPECT_EQ(journal.count("command:setABBackingData"), 1);
}

TEST_F(PrefSheetTest, ClosingStoresThePushSelectionTickedInThePane)
{
    QStringList identifiers;
    for (const char *name : {"Family", "Work"}) {
        const GroupPtr group = Group::create();
        group->setValueForProperty(QString::fromLatin1(name), kABGroupNameProperty);
        ASSERT_TRUE(AddressBook::shared()->addRecord(group));
        identifiers << group->uniqueId();
    }
    ASSERT_TRUE(AddressBook::shared()->save());
    defaults().setObject(QStringList{identifiers.at(0)}, commandkeys::autoABGroupKeys);
    ASSERT_TRUE(startProgram());
    delegate->showPreferencePanel();
    PushGroupsModel *const groups = pages()->pushGroupsModel();
    ASSERT_EQ(groups->rowCount(), 2);
    int family = -1;
    int work = -1;
    for (int row = 0; row < groups->rowCount(); ++row) {
        const QString name = groups->index(row, PushGroupsModel::Name).data().toString();
        (name == "Family" ? family : work) = row;
    }
    ASSERT_TRUE(family >= 0 && work >= 0);
    EXPECT_EQ(groups->index(family, PushGroupsModel::Tick).data(Qt::CheckStateRole), Qt::Checked);
    EXPECT_EQ(groups->index(work, PushGroupsModel::Tick).data(Qt::CheckStateRole), Qt::Unchecked);
    EXPECT_TRUE(delegate->hasSelectedGroups());

    // Untick the one, tick the other.
    groups->setData(groups->index(family, PushGroupsModel::Tick), Qt::Unchecked,
                    Qt::CheckStateRole);
    groups->setData(groups->index(work, PushGroupsModel::Tick), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(defaults().stringArrayForKey(commandkeys::autoABGroupKeys),
              QStringList{identifiers.at(0)});
    delegate->closePrefSheet();
    EXPECT_EQ(defaults().stringArrayForKey(commandkeys::autoABGroupKeys),
              QStringList{identifiers.at(1)});

    // With none ticked and only ticked groups pushed, nothing is selected and the selection's
    // options go off.
    defaults().setBool(true, commandkeys::autoABUsesSelectedGroups);
    defaults().setBool(true, pushkeys::autoABStrict);
    delegate->showPreferencePanel();
    groups->setData(groups->index(work, PushGroupsModel::Tick), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(delegate->hasSelectedGroups());
    EXPECT_FALSE(sheet()->findChild<QCheckBox *>(pushkeys::autoABStrict)->isChecked());
}

// The options of a selection (new groups, nested groups, strict memberships) can be switched on
// only while there is a selection: a ticked group, or every group pushed.
TEST_F(PrefSheetTest, TheSelectionsOptionsAreEnabledWhileThereIsASelection)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(QStringLiteral("Family"), kABGroupNameProperty);
    ASSERT_TRUE(AddressBook::shared()->addRecord(group));
    ASSERT_TRUE(AddressBook::shared()->save());
    defaults().setObject(QStringList{group->uniqueId()}, commandkeys::autoABGroupKeys);
    defaults().setBool(true, commandkeys::autoABUsesSelectedGroups);
    ASSERT_TRUE(startProgram());
    delegate->showPreferencePanel();
    PushGroupsModel *const groups = pages()->pushGroupsModel();
    ASSERT_EQ(groups->rowCount(), 1);
    auto *const usesSelected = control<QCheckBox>(commandkeys::autoABUsesSelectedGroups);
    ASSERT_NE(usesSelected, nullptr);
    const QList<QAbstractButton *> &options = pages()->selectionOptions();
    QStringList names;
    for (const QAbstractButton *option : options)
        names << option->objectName();
    names.sort();
    ASSERT_EQ(names, (QStringList{googlekeys::autoABSelectedGroupsIncludeNestedGroups,
                                  commandkeys::autoABSelectedGroupsIncludeNewGroups,
                                  pushkeys::autoABStrict}));
    const auto enabledAre = [&](bool enabled) {
        return std::all_of(options.cbegin(), options.cend(), [&](const QAbstractButton *option) {
            return option->isEnabled() == enabled;
        });
    };

    struct Step
    {
        const char *what;
        std::function<void()> act;
        bool enabled;
    };
    const Step steps[] = {
        {"a ticked group", [] {}, true},
        {"its tick taken away",
         [&] {
             groups->setData(groups->index(0, PushGroupsModel::Tick), Qt::Unchecked,
                             Qt::CheckStateRole);
         },
         false},
        {"every group pushed", [&] { usesSelected->click(); }, true},
        {"only ticked groups pushed again", [&] { usesSelected->click(); }, false},
        {"the group ticked again",
         [&] {
             groups->setData(groups->index(0, PushGroupsModel::Tick), Qt::Checked,
                             Qt::CheckStateRole);
         },
         true},
    };
    for (const Step &step : steps) {
        step.act();
        EXPECT_EQ(delegate->hasSelectedGroups(), step.enabled) << step.what;
        EXPECT_TRUE(enabledAre(step.enabled)) << step.what;
    }
    EXPECT_TRUE(control<QCheckBox>(pushkeys::autoABUsesContactsWithoutGroups)->isEnabled());

    // The sheet opens showing the rule as it stands.
    delegate->closePrefSheet();
    defaults().setObject(QStringList{QStringLiteral("gone:ABGroup")}, commandkeys::autoABGroupKeys);
    defaults().setBool(true, commandkeys::autoABUsesSelectedGroups);
    delegate->showPreferencePanel();
    EXPECT_FALSE(delegate->hasSelectedGroups());
    EXPECT_TRUE(enabledAre(false));
}

TEST_F(PrefSheetTest, AFirstStartShowsTheSheetOnTheFirstBrowser)
{
    ASSERT_TRUE(startProgram());
    defaults().setBool(true, appkeys::newPrefFileCreated);
    delegate->openBrowserView();
    ASSERT_NE(delegate->googleBrowserWindowController(), nullptr);
    EXPECT_TRUE(sheet()->isVisible());
    EXPECT_EQ(sheet()->parentWidget(), delegate->googleBrowserWindowController()->window());
    defaults().setBool(false, appkeys::newPrefFileCreated);
}

TEST_F(PrefSheetTest, TheKeyBrowsersToolbarIsHiddenWhileTheSheetIsUp)
{
    for (const bool visibleBefore : {true, false}) {
        ASSERT_TRUE(startProgram());
        RecordingWindow *const browser = keyWindow(WindowController::Kind::Browser);
        auto *const toolbar = new QToolBar(browser->window());
        toolbar->setVisible(visibleBefore);
        delegate->showPreferencePanel();
        EXPECT_TRUE(toolbar->isHidden());
        delegate->closePrefSheet();
        EXPECT_EQ(toolbar->isHidden(), !visibleBefore) << visibleBefore;
        delegate.reset();
    }
}

TEST_F(PrefSheetTest, AWindowThatTookTheSheetAlongLeavesANewOneForNextTime)
{
    ASSERT_TRUE(startProgram());
    RecordingWindow *const loader = keyWindow(WindowController::Kind::DataMover);
    delegate->showPreferencePanel();
    item(prefpanes::console)->trigger();
    delegate->closePrefSheet();
    loader->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(sheet(), nullptr);
    delegate->showPreferencePanel();
    ASSERT_NE(sheet(), nullptr);
    EXPECT_TRUE(sheet()->isVisible());
    EXPECT_EQ(sheet()->currentTab(), prefpanes::generalTab);
    EXPECT_EQ(sheet()->toolbar()->actions().size(), 9);
}

TEST_F(PrefSheetTest, TheVCardPaneTakesWhatTheAddressBookLeavesOut)
{
    struct Case
    {
        QVariant photos;
        QVariant notes;
        bool notPictureBefore;
        bool notPicture;
        bool notNotes;
    };
    // Absent, photos count as included and notes as left out.
    const Case cases[] = {
        {{}, {}, false, false, true},
        {true, true, false, false, false},
        {false, false, false, true, true},
        {true, true, true, true, false},
    };
    ASSERT_TRUE(startProgram());
    UserDefaults book(kABPreferencesDomain);
    for (const Case &c : cases) {
        for (const auto &[key, value] : {std::pair{kABIncludePhotosInVCard, c.photos},
                                         std::pair{kABIncludeNotesInVCard, c.notes}}) {
            if (value.isValid())
                book.setObject(value, key);
            else
                book.removeObjectForKey(key);
        }
        defaults().setBool(c.notPictureBefore, kVCardNotPicture);
        defaults().setBool(false, kVCardNotNotes);
        delegate->showPreferencePanel();
        delegate->vCardPrefs();
        EXPECT_EQ(sheet()->currentTab(), prefpanes::vCardTab);
        EXPECT_EQ(defaults().boolForKey(kVCardNotPicture), c.notPicture);
        EXPECT_EQ(defaults().boolForKey(kVCardNotNotes), c.notNotes);
        // The pane shows the result and what the address book does.
        EXPECT_EQ(control<QCheckBox>(kVCardNotPicture)->isChecked(), c.notPicture);
        EXPECT_EQ(control<QCheckBox>("isVCardPicABEnabled")->isChecked(),
                  !c.photos.isValid() || c.photos.toBool());
        delegate->closePrefSheet();
    }
}

TEST_F(PrefSheetTest, TheLoginItemBoxShowsWhetherTheAgentStartsAtLogin)
{
    ASSERT_TRUE(startProgram());
    const QString entry =
        QDir(loginitems::autostartFolder()).filePath("com.zel-tor.agentTolvane.desktop");
    // An entry made elsewhere shows when the sheet opens.
    delegate->manageLoginItemStatus();
    ASSERT_TRUE(QFile::exists(entry));
    delegate->showPreferencePanel();
    QAbstractButton *const box = pages()->loginItemBox();
    EXPECT_TRUE(box->isChecked());
    box->click();
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_TRUE(QFile::exists(entry));
    EXPECT_TRUE(box->isChecked());
    box->click();
    ASSERT_FALSE(QFile::exists(entry));

    // A file where the autostart folder should be: the box stays clear.
    ASSERT_TRUE(QDir(loginitems::autostartFolder()).removeRecursively());
    QFile blocker(loginitems::autostartFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    box->click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(delegate->isLoginItem());
    QFile::remove(loginitems::autostartFolder());
}

TEST_F(PrefSheetTest, TheModeBoxActsThroughTheApplicationMode)
{
    defaults().setBool(true, appkeys::runAsStatusItem);
    StatusItem::setTrayAvailableForTesting(true);
    ASSERT_TRUE(startProgram());
    ASSERT_NE(delegate->statusItem(), nullptr);
    delegate->showPreferencePanel();
    auto *const mode = control<QCheckBox>(appkeys::runAsStatusItem);
    ASSERT_NE(mode, nullptr);
    EXPECT_TRUE(mode->isChecked());
    // Off: an application at once, without a question.
    mode->click();
    EXPECT_EQ(delegate->statusItem(), nullptr);
    EXPECT_TRUE(prompter.shown().isEmpty());
    // On: the restart sheet; later keeps the program as it is.
    prompter.answer(kAlertFirstButtonReturn);
    mode->click();
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().constFirst().prompt.message, modetexts::restartTitle);
    EXPECT_TRUE(defaults().boolForKey(appkeys::runAsStatusItem));
    EXPECT_EQ(delegate->statusItem(), nullptr);
}

TEST_F(PrefSheetTest, TheContactsToUpdateCountPeopleAndCompaniesAsTheirBoxesAreTicked)
{
    ASSERT_TRUE(startProgram());
    delegate->showPreferencePanel();
    auto *const people = control<QCheckBox>(abkeys::gmUpdatePeople);
    auto *const companies = control<QCheckBox>(abkeys::gmUpdateCompanies);
    ASSERT_TRUE(people && companies);
    const std::tuple<bool, bool, int> cases[] = {
        {true, true, 2}, {true, false, 1}, {false, true, 1}, {false, false, 0}};
    for (const auto &[withPeople, withCompanies, count] : cases) {
        people->setChecked(withPeople);
        companies->setChecked(withCompanies);
        EXPECT_EQ(AppDelegate::gmUpdateContacts(), count) << withPeople << withCompanies;
    }
}

TEST_F(PrefSheetTest, TheAccountPaneTurnsOnInterfaceScripting)
{
    ASSERT_TRUE(startProgram());
    defaults().setBool(false, appkeys::guiScriptingEnabled);
    delegate->showPreferencePanel();
    item(prefpanes::account)->trigger();
    EXPECT_TRUE(defaults().boolForKey(appkeys::guiScriptingEnabled));
}

TEST_F(PrefSheetTest, TheControlsWriteTheirPreferencesAndFollowThem)
{
    ASSERT_TRUE(startProgram());
    delegate->showPreferencePanel();
    auto *const contacts = control<QCheckBox>(prefkeys::abUpdateContacts);
    auto *const groups = control<QCheckBox>(prefkeys::abUpdateGroups);
    ASSERT_TRUE(contacts && groups);
    contacts->setChecked(false);
    groups->setChecked(false);
    EXPECT_FALSE(defaults().boolForKey(prefkeys::canDoSimpleABUpdate));
    groups->setChecked(true);
    EXPECT_TRUE(defaults().boolForKey(prefkeys::abUpdateGroups));
    EXPECT_TRUE(defaults().boolForKey(prefkeys::canDoSimpleABUpdate));

    auto *const level = control<QComboBox>(prefkeys::appLogLevel);
    ASSERT_NE(level, nullptr);
    defaults().setInteger(2, prefkeys::appLogLevel);
    EXPECT_EQ(level->currentIndex(), 2);
    defaults().setInteger(0, prefkeys::appLogLevel);

    auto *const tag = control<QLineEdit>(googlekeys::gmTagForCreatedRecords);
    ASSERT_NE(tag, nullptr);
    tag->setText("Made by Tolvane");
    emit tag->editingFinished();
    EXPECT_EQ(defaults().stringForKey(googlekeys::gmTagForCreatedRecords), "Made by Tolvane");
}

TEST_F(PrefSheetTest, TheSimpleUpdateLogsItsInputsAndResult)
{
    ASSERT_TRUE(startProgram());
    setLevel(1);
    defaults().setBool(false, prefkeys::abUpdateContacts);
    defaults().setBool(true, prefkeys::abUpdateGroups);
    delegate->setCanDoSimpleAB();
    setLevel(0);
    QStringList logged = lines();
    logged.removeIf(
        [](const QString &line) { return !line.startsWith("[AppDelegate setCanDoSimpleAB:]"); });
    const QStringList expected = {
        "[AppDelegate setCanDoSimpleAB:] [[NSUserDefaults standardUserDefaults] "
        "boolForKey:@\"abUpdateContacts\"] = NO",
        "[AppDelegate setCanDoSimpleAB:] [[NSUserDefaults standardUserDefaults] "
        "boolForKey:@\"abUpdateGroups\"] = YES",
        "[AppDelegate setCanDoSimpleAB:] canDoSimpleABUpdate = YES",
    };
    EXPECT_EQ(logged, expected);
}

TEST_F(PrefSheetTest, TheWorldPaneOffersTheRegionsOfTheContinentsAndTheirCountries)
{
    ASSERT_TRUE(startProgram());
    defaults().setBool(true, googlekeys::doDefaultCountry);
    delegate->showPreferencePanel();
    item(prefpanes::international)->trigger();
    auto *const europe = control<QCheckBox>(appkeys::useEurope);
    auto *const asia = control<QCheckBox>(appkeys::useAsia);
    ASSERT_TRUE(europe && asia);
    EXPECT_TRUE(europe->isChecked());
    QStringListModel *const countries = pages()->countriesModel();
    EXPECT_TRUE(countries->stringList().contains("Germany"));
    EXPECT_FALSE(countries->stringList().contains("Japan"));
    const QModelIndex germany = pages()->countriesView()->currentIndex();
    ASSERT_TRUE(germany.isValid());
    EXPECT_EQ(germany.data().toString(), "Germany");

    // Asia's regions join the list; ticking the one of Japan offers its countries.
    const int europeanRegions = pages()->regionsModel()->rowCount();
    asia->setChecked(true);
    ASSERT_GT(pages()->regionsModel()->rowCount(), europeanRegions);
    for (int row = 0; row < pages()->regionsModel()->rowCount(); ++row) {
        const QModelIndex index = pages()->regionsModel()->index(row);
        if (index.data().toString() == "Eastern Asia")
            pages()->regionsModel()->setData(index, Qt::Checked, Qt::CheckStateRole);
    }
    EXPECT_TRUE(countries->stringList().contains("Japan"));
    // Regions and countries by name, the regions of both continents mixed.
    QStringList regions;
    for (int row = 0; row < pages()->regionsModel()->rowCount(); ++row)
        regions << pages()->regionsModel()->index(row).data().toString();
    QStringList byName = regions;
    byName.sort(Qt::CaseSensitive);
    EXPECT_EQ(regions, byName);
    EXPECT_LT(regions.indexOf("Eastern Asia"), regions.indexOf("Western Europe"));
    EXPECT_LT(regions.indexOf("Eastern Europe"), regions.indexOf("Southeast Asia"));
    QStringList offered;
    for (const Country *country : delegate->useCountriesArray())
        offered << country->name();
    byName = offered;
    byName.sort(Qt::CaseSensitive);
    EXPECT_EQ(offered, byName);
    const int japan = int(countries->stringList().indexOf("Japan"));
    emit pages()->countriesView()->clicked(countries->index(japan));
    EXPECT_EQ(defaults().stringForKey(zeltor::kDefaultCountryKey), "Japan");
    EXPECT_EQ(pages()->countriesView()->currentIndex().row(), japan);

    // With no continent on nothing is offered, and the home country is cleared.
    europe->setChecked(false);
    asia->setChecked(false);
    EXPECT_EQ(pages()->regionsModel()->rowCount(), 0);
    EXPECT_TRUE(countries->stringList().isEmpty());
    EXPECT_EQ(defaults().stringForKey(zeltor::kDefaultCountryKey), "");
    EXPECT_FALSE(control<QCheckBox>(googlekeys::doDefaultCountry)->isChecked());
}

TEST_F(PrefSheetTest, SwitchingTheHomeCountryOffClearsItAndTheSelection)
{
    ASSERT_TRUE(startProgram());
    defaults().setBool(true, googlekeys::doDefaultCountry);
    delegate->showPreferencePanel();
    ASSERT_TRUE(pages()->countriesView()->currentIndex().isValid());
    control<QCheckBox>(googlekeys::doDefaultCountry)->setChecked(false);
    EXPECT_EQ(defaults().stringForKey(zeltor::kDefaultCountryKey), "");
    EXPECT_FALSE(pages()->countriesView()->selectionModel()->hasSelection());
    EXPECT_FALSE(pages()->regionsView()->selectionModel()->hasSelection());
    EXPECT_FALSE(pages()->countriesView()->isEnabled());
}

TEST_F(PrefSheetTest, TheLabelChoicesOfferWhatTheEarlierOnesLeft)
{
    ASSERT_TRUE(startProgram());
    delegate->showPreferencePanel();
    const QStringList three = delegate->threeLabels();
    ASSERT_EQ(three.size(), 3);
    QComboBox *const first = pages()->label1PopUp();
    QComboBox *const second = pages()->label2PopUp();
    EXPECT_EQ(first->count(), 3);
    // The state first: the city and the postal code follow in their order.
    first->setCurrentIndex(1);
    emit first->textActivated(three.at(1));
    EXPECT_EQ(defaults().stringForKey(zeltor::kLabel1Key), three.at(1));
    EXPECT_EQ(defaults().stringForKey(zeltor::kLabel2Key), three.at(0));
    EXPECT_EQ(defaults().stringForKey(zeltor::kLabel3Key), three.at(2));
    ASSERT_EQ(second->count(), 2);
    EXPECT_EQ(second->currentText(), three.at(0));
    // The postal code second leaves the city last.
    second->setCurrentIndex(1);
    emit second->textActivated(three.at(2));
    EXPECT_EQ(defaults().stringForKey(zeltor::kLabel2Key), three.at(2));
    EXPECT_EQ(defaults().stringForKey(zeltor::kLabel3Key), three.at(0));
    EXPECT_EQ(control<QLineEdit>(zeltor::kLabel3Key)->text(), three.at(0));
}

TEST_F(PrefSheetTest, APasswordChangeRewritesTheKeyringAndLogsInAgain)
{
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    delegate->showPreferencePanel();
    item(prefpanes::account)->trigger();
    auto *const change = control<QAbstractButton>("changePW");
    auto *const save = control<QAbstractButton>("savePW");
    auto *const field = control<QLineEdit>("changePWField");
    ASSERT_TRUE(change && save && field);
    EXPECT_TRUE(save->isHidden());
    QTest::mouseClick(change, Qt::LeftButton);
    EXPECT_TRUE(change->isHidden());
    EXPECT_FALSE(field->isHidden());
    server.addAccount(kAccount, "new secret");
    const qsizetype logins = requestsTo("ClientLogin").size();
    QTest::keyClicks(field, "new secret");
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(storedPassword(kAccount), "new secret");
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_TRUE(save->isHidden());
    EXPECT_FALSE(change->isHidden());
    EXPECT_TRUE(runUntil([&] { return requestsTo("ClientLogin").size() > logins; }));
}

} // namespace
