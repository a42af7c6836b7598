#include "tests/loader/window/dataloadertest.h"

#include "addressbook/records/recordsaving.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlecontacttool.h"
#include "loader/loaderkeys.h"
#include "loader/loadertexts.h"
#include "loader/window/grouprowsmodel.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/addressbook/testpersons.h"
#include "tests/support/app/urlrecorder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <QLineEdit>
#include <QProgressBar>

namespace {

class LoaderWindowTest : public DataLoaderTest
{
protected:
    GroupPtr addGroup(const QString &name)
    {
        const GroupPtr group = Group::create();
        group->setValueForProperty(name, kABGroupNameProperty);
        EXPECT_TRUE(AddressBook::shared()->addRecord(group));
        return group;
    }
    PersonPtr addPerson(const QString &first, const QString &last, bool company = false)
    {
        const PersonPtr person = Person::create();
        person->setValueForProperty(first, kABFirstNameProperty);
        person->setValueForProperty(last, kABLastNameProperty);
        if (company) {
            person->setValueForProperty(last, kABOrganizationProperty);
            person->setValueForProperty(1, kABPersonFlags);
        }
        EXPECT_TRUE(AddressBook::shared()->addRecord(person));
        return person;
    }
};

// One step on the address book group table and what the window shows after it.
struct SelectStep
{
    const char *step;
    QString label;
    int selected;
};

TEST_F(LoaderWindowTest, SelectAllTitlesAndTheTableTagsFollowTheTicks)
{
    for (const char *name : {"Alpha", "Beta", "Gamma"})
        addGroup(QString::fromUtf8(name));
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    GroupRowsModel *model = loader->abGroupModel();
    ASSERT_EQ(model->rowCount(), 3);
    QAbstractButton *selectAll = loader->controlWithTag(25);
    ASSERT_TRUE(selectAll);
    UserDefaults &ud = UserDefaults::standard();

    const auto tick = [model](int row, bool on) {
        model->setData(model->index(row, 0), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    };
    const std::vector<std::pair<SelectStep, std::function<void()>>> steps = {
        {{"select all", loadertexts::deselectAllGroups, 1}, [&] { selectAll->click(); }},
        {{"deselect all", loadertexts::selectAllGroups, 0}, [&] { selectAll->click(); }},
        {{"tick one", loadertexts::selectAllGroups, 1}, [&] { tick(0, true); }},
        {{"tick the rest", loadertexts::deselectAllGroups, 1}, [&] { tick(1, true); tick(2, true); }},
        {{"clear one", loadertexts::selectAllGroups, 1}, [&] { tick(1, false); }},
        {{"clear all", loadertexts::selectAllGroups, 0}, [&] { tick(0, false); tick(2, false); }},
    };
    for (const auto &[expected, act] : steps) {
        act();
        EXPECT_EQ(loader->buttonLabel(), expected.label) << expected.step;
        EXPECT_EQ(selectAll->text(), expected.label) << expected.step;
        EXPECT_EQ(loader->isAGroupSelected(), expected.selected) << expected.step;
    }
    // Nothing ticked and no records in no group: no removal option may stay on.
    ud.setBool(true, loaderkeys::gsRemoveOtherGroups);
    ud.setBool(true, loaderkeys::gsRemoveOtherContacts);
    tick(0, true);
    tick(0, false);
    EXPECT_FALSE(ud.boolForKey(loaderkeys::gsRemoveOtherGroups));
    EXPECT_FALSE(ud.boolForKey(loaderkeys::gsRemoveOtherContacts));
    EXPECT_EQ(loader->willContactBeUploaded(), 0);
}

struct CountCase
{
    const char *name;
    int people;    // besides the Me record
    int companies;
    int canDeletePeople;
    int canDeleteContacts;
};

TEST_F(LoaderWindowTest, CountersAndDeletionFlagsLeaveTheMeRecordOut)
{
    ASSERT_TRUE(openLoader());
    const CountCase cases[] = {{"OnlyMe", 0, 0, 0, 0},
                               {"MeAndCompanies", 0, 2, 0, 2},
                               {"MeAndOthers", 2, 1, 1, 4}};
    QList<PersonPtr> added;
    for (const CountCase &c : cases) {
        for (const PersonPtr &person : added)
            AddressBookTool::deleteRecord(person);
        added.clear();
        for (int i = 0; i < c.people; ++i)
            added << addPerson(QStringLiteral("P%1").arg(i), QStringLiteral("Person"));
        for (int i = 0; i < c.companies; ++i)
            added << addPerson(QString(), QStringLiteral("Co%1").arg(i), true);
        ASSERT_TRUE(AddressBook::shared()->save());
        loader->setABBackingData();
        EXPECT_EQ(loader->totalABPeople(), c.people + 1) << c.name;
        EXPECT_EQ(loader->totalABCompanies(), c.companies) << c.name;
        EXPECT_EQ(loader->canDeleteABPeople(), c.canDeletePeople) << c.name;
        EXPECT_EQ(loader->canDeleteABContacts(), c.canDeleteContacts) << c.name;
        EXPECT_EQ(loader->canDeleteABCompanies(), c.companies > 0 ? 1 : 0) << c.name;
    }
}

TEST_F(LoaderWindowTest, ResultSheetsFollowShowGoogleAlerts)
{
    ASSERT_TRUE(openLoader());
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(false, batchkeys::showGoogleAlerts);
    loader->cleanupGUIforProcess(QStringLiteral("Test"), QString(), std::nullopt);
    EXPECT_TRUE(sheetTitles().isEmpty());
    EXPECT_FALSE(loader->statusProgressBar()->isVisible());
    ASSERT_TRUE(settle());

    ud.setBool(true, batchkeys::showGoogleAlerts);
    loader->cleanupGUIforProcess(QString(), QString(), std::nullopt);
    ASSERT_TRUE(settle());
    loader->cleanupGUIforProcess(QStringLiteral("Test"), QString(),
                                 GDataError{500, QStringLiteral("x"), QStringLiteral("Broken"), {}});
    ASSERT_TRUE(settle());
    EXPECT_EQ(sheetTitles(), (QStringList{loadertexts::aProcessSucceeded,
                                          loadertexts::processFailed.arg(QStringLiteral("Test"))}));
    EXPECT_TRUE(prompter.shown().last().prompt.informativeText.startsWith(
        QStringLiteral("Google reported error: Broken\r")));
}

TEST_F(LoaderWindowTest, ProgressShowsTheMessagesAndCloses)
{
    ASSERT_TRUE(openLoader());
    loader->openUserInfoWithMessage(QStringLiteral("Starting"), 10);
    EXPECT_EQ(loader->statusMessage(), QStringLiteral("Starting"));
    EXPECT_EQ(loader->updateCount(), 1);
    EXPECT_EQ(loader->updateTotalCount(), 10);
    EXPECT_TRUE(loader->statusProgressBar()->isVisible());
    loader->updateUserInfoWithMessage(QStringLiteral("Next"));
    EXPECT_EQ(loader->statusMessage(), QStringLiteral("Next"));
    EXPECT_EQ(loader->updateCount(), 2);
    loader->closeUserInfo();
    EXPECT_FALSE(loader->statusProgressBar()->isVisible());
}

TEST_F(LoaderWindowTest, CheckABNamesTheDuplicatedAddresses)
{
    ASSERT_TRUE(openLoader());
    loader->checkABButton()->click();
    ASSERT_TRUE(runUntil([this] { return prompter.shown().size() == 1; }));
    EXPECT_EQ(prompter.shown().last().prompt.message, loadertexts::compatibleTitle);

    for (const char *last : {"One", "Two"}) {
        const PersonPtr person = addPerson(QStringLiteral("Dup"), QString::fromUtf8(last));
        person->setValueForProperty(QVariant::fromValue(labelledValues(
                                        PropertyType::MultiString,
                                        {{kABEmailWorkLabel, QStringLiteral("dup@example.org")}})),
                                    kABEmailProperty);
    }
    ASSERT_TRUE(AddressBook::shared()->save());
    loader->checkABButton()->click();
    ASSERT_TRUE(runUntil([this] { return prompter.shown().size() == 2; }));
    EXPECT_EQ(prompter.shown().last().prompt.message, loadertexts::duplicatesTitle);
    EXPECT_EQ(prompter.shown().last().prompt.informativeText, QStringLiteral("dup@example.org"));
}

TEST_F(LoaderWindowTest, TheResultSheetOpensTheGooglePageWhenLaunchingIsOn)
{
    UrlRecorder browser(QStringLiteral("http"));
    UserDefaults &ud = UserDefaults::standard();
    ud.setString(QStringLiteral("mail.google.com"), loaderkeys::googleContactDomain);
    ud.setString(QStringLiteral("contacts"), loaderkeys::googleContactURLTag);
    ud.setBool(true, batchkeys::showGoogleAlerts);
    ASSERT_TRUE(openLoader());
    for (const bool launch : {false, true}) {
        ud.setBool(true, loaderkeys::useSafari);
        ud.setBool(launch, loaderkeys::launchSafari);
        ud.setBool(false, loaderkeys::isSafariRunning);
        browser.opened.clear();
        loader->cleanupGUIforProcess(QStringLiteral("Test"), QString(), std::nullopt);
        ASSERT_TRUE(settle());
        EXPECT_EQ(browser.opened.size(), launch ? 1 : 0) << launch;
        if (launch && !browser.opened.isEmpty()) {
            EXPECT_EQ(browser.opened.front().toString(),
                      QStringLiteral("http://mail.google.com/mail/contacts"));
        }
    }
}

TEST_F(LoaderWindowTest, TheLoginSheetHandsTheTypedPasswordToTheEngineInBothKeychainModes)
{
    ASSERT_TRUE(openLoader());
    UserDefaults &ud = UserDefaults::standard();
    for (const bool keychain : {false, true}) {
        ud.setBool(keychain, loaderkeys::useKeychain);
        tool()->logout();
        loader->openLoginPanel();
        ASSERT_TRUE(loader->loginPanel()->isVisible());
        EXPECT_EQ(loader->loginPanel()->windowModality(), Qt::WindowModal);
        loader->userTextField()->setText(QStringLiteral("bob"));
        loader->pwTextField()->setText(kPassword);
        EXPECT_TRUE(loader->canLogin());
        loader->login();
        EXPECT_FALSE(loader->loginPanel()->isVisible());
        EXPECT_TRUE(runUntil([this] { return tool()->isLoggedIn(); })) << keychain;
    }
    EXPECT_EQ(storedPassword(kAccount), kPassword);

    int result = 0;
    QObject::connect(loader->loginPanel(), &QDialog::finished, [&result](int r) { result = r; });
    loader->openLoginPanel();
    loader->cancelLogin();
    EXPECT_EQ(result, -1001);
}

TEST_F(LoaderWindowTest, DoAppleScriptLogsAndAnswersTheScriptsError)
{
    ASSERT_TRUE(openLoader());
    const QString answer = loader->doAppleScript(QStringLiteral("tell application \"Finder\" to quit"));
    EXPECT_NE(answer, QStringLiteral("Success"));
    EXPECT_FALSE(answer.isEmpty());
}

// The window in each of its states; with TOLVANE_SCREENS_DIR set, each is also saved as a picture
// (scripts/screens runs this under a real display).
TEST_F(LoaderWindowTest, TheSimpleLayoutHidesTheTablesAndKeepsTheTopLeftCorner)
{
    for (const char *name : {"Family", "Sailing club", "Work"})
        addGroup(QString::fromUtf8(name));
    for (int i = 0; i < 4; ++i)
        addPerson(QStringLiteral("Person%1").arg(i), QStringLiteral("Example"));
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    QWidget *window = loader->window();
    window->move(100, 80);
    const QString screens = qEnvironmentVariable("TOLVANE_SCREENS_DIR");
    const auto grab = [&](const QString &name, QWidget *widget) {
        if (screens.isEmpty())
            return;
        QCoreApplication::processEvents();
        widget->grab().save(QDir(screens).filePath(name + QStringLiteral(".png")));
    };
    QTableView *abTable = window->findChild<QTableView *>(QStringLiteral("abGroupTable"));
    ASSERT_TRUE(abTable);
    loader->syncTabView()->setCurrentIndex(0);
    EXPECT_TRUE(abTable->isVisible());
    grab(QStringLiteral("dataloader-atog"), window);
    loader->syncTabView()->setCurrentIndex(1);
    grab(QStringLiteral("dataloader-gtoa"), window);

    const QRect full = window->geometry();
    QAbstractButton *layout = loader->controlWithTag(30);
    ASSERT_TRUE(layout);
    layout->click();
    EXPECT_EQ(UserDefaults::standard().stringForKey(loaderkeys::gsTabViewIdentifier), QStringLiteral("Simple"));
    EXPECT_FALSE(abTable->isVisible());
    EXPECT_TRUE(loader->simpleUploadButton()->isVisible() || loader->simpleDownloadButton()->isVisible());
    EXPECT_LE(window->height(), full.height());
    EXPECT_EQ(window->geometry().topLeft(), full.topLeft());
    grab(QStringLiteral("dataloader-simple"), window);
    layout->click();
    EXPECT_NE(UserDefaults::standard().stringForKey(loaderkeys::gsTabViewIdentifier), QStringLiteral("Simple"));
    EXPECT_EQ(window->size(), full.size());

    loader->openLoginPanel();
    EXPECT_TRUE(loader->loginPanel()->isVisible());
    QCoreApplication::processEvents();
    grab(QStringLiteral("dataloader-login"), loader->loginPanel());
    loader->cancelLogin();
}

} // namespace
