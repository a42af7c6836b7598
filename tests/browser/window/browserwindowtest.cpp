// The main program's browser window against the loopback server: the first window of a launch,
// the second account's browser, the clean-up of a Google job, the pane toggles and the preferences
// the window writes.

#include "app/appkeys.h"
#include "app/windows/windowfactory.h"
#include "browser/inspector/contactinspector.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/splitview/browserimagesplitview.h"
#include "browser/splitview/groupnavsplitview.h"
#include "browser/splitview/notesplitview.h"
#include "browser/window/browserwindowcontroller.h"
#include "browser/window/windowkeys.h"
#include "foundation/views/tolvanesearchfield.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlecontacttool.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/app/mainprogramtest.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

constexpr int kContacts = 5;
const QString kSecondAccount = QStringLiteral("ann@example.com");
const QString kSecondPassword = QStringLiteral("other");

} // namespace

class BrowserWindowTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        storePassword(kPassword);
        server.generateContacts(kAccount, kContacts);
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Reader%1").arg(i), kABFirstNameProperty);
            person->setValueForProperty(QStringLiteral("Person"), kABLastNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
        }
        ASSERT_TRUE(AddressBook::shared()->save());
        // Every contact in the All row, whether or not Google put it in My Contacts.
        UserDefaults::standard().setInteger(1, QStringLiteral("systemGroupUseAll"));
    }

    void TearDown() override
    {
        testers.clear();
        MainProgramTest::TearDown();
    }

    BrowserWindowController *mainBrowser() const
    {
        return qobject_cast<BrowserWindowController *>(delegate->googleBrowserWindowController());
    }

    // Starts the program and waits until its first window, the browser, shows the account.
    // The step runs once the start-up's own steps have, before its first fetch comes back.
    bool openBrowser(const std::function<void()> &beforeFirstWindow = {})
    {
        if (!startProgram())
            return false;
        if (beforeFirstWindow)
            beforeFirstWindow();
        if (!runUntil([this] {
                return mainBrowser() && mainBrowser()->contactArrayController() &&
                       mainBrowser()->contactArrayController()->rowCount() == kContacts;
            }))
            return false;
        watch(mainBrowser());
        return true;
    }

    void watch(BrowserWindowController *browser)
    {
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            browser->contactArrayController(),
            QAbstractItemModelTester::FailureReportingMode::Fatal));
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            browser->groupArrayController(),
            QAbstractItemModelTester::FailureReportingMode::Fatal));
    }

    // GET requests of the feed, batches left out.
    int feedRequests(const QString &kind)
    {
        int count = 0;
        for (const QJsonValue &request : server.requestLog()) {
            const QJsonObject entry = request.toObject();
            const QString url = entry.value("url").toString();
            if (entry.value("method").toString() == QStringLiteral("GET") &&
                url.contains(QStringLiteral("/m8/feeds/%1/").arg(kind)) &&
                !url.contains(QStringLiteral("/batch")))
                ++count;
        }
        return count;
    }

    // Requests that change a single contact.
    int contactEdits()
    {
        int count = 0;
        for (const QJsonValue &request : server.requestLog()) {
            const QJsonObject entry = request.toObject();
            const QString url = entry.value("url").toString();
            if (entry.value("method").toString() != QStringLiteral("GET") &&
                url.contains(QStringLiteral("/m8/feeds/contacts/")) &&
                !url.contains(QStringLiteral("/batch")))
                ++count;
        }
        return count;
    }

    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

TEST_F(BrowserWindowTest, FirstWindow_ThreeContactsAndPeople_OpensTheBrowserWithTheEngineLists)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    GoogleContactTool *const tool = delegate->appGoogleContactTool();
    EXPECT_EQ(delegate->dataMoverWindowController(), nullptr);
    EXPECT_EQ(browser->googleTool(), tool);
    EXPECT_EQ(tool->uiDelegate(), static_cast<GoogleContactToolUIDelegate *>(browser));
    EXPECT_EQ(tool->dataDelegate(), static_cast<GoogleContactToolDataDelegate *>(browser));
    // The engine's own sheets end by this step's name.
    EXPECT_TRUE(static_cast<GoogleContactToolUIDelegate *>(browser)->respondsToSelector(
        QStringLiteral("manageSafari")));
    EXPECT_TRUE(browser->window()->isVisible());
    // The account as the user typed it.
    EXPECT_EQ(browser->window()->windowTitle(), kAccount.section(QLatin1Char('@'), 0, 0));
    // The groups the engine holds, the All row first and selected alone.
    ASSERT_GT(browser->groupArrayController()->rowCount(), 0);
    EXPECT_EQ(browser->groupSetController()->selectedGroupIdentifiers().size(), 1);
    EXPECT_EQ(browser->groupsTableView()->property("tag").toInt(), 100);
    EXPECT_EQ(browser->contactsTableView()->property("tag").toInt(), 200);
    // The first contact is in the inspector.
    const QStringList selected = browser->groupSetController()->selectedContactIDs();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(browser->inspector()->currentContact().value("gID").toString(), selected.front());
}

TEST_F(BrowserWindowTest, FirstWindow_TooFewPeople_OpensTheDataLoaderInstead)
{
    for (const PersonPtr &person : AddressBook::shared()->people()) {
        if (person->valueForProperty(kABLastNameProperty).toString() == QStringLiteral("Person"))
            AddressBook::shared()->removeRecord(person);
    }
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(startAndLogIn());
    EXPECT_TRUE(journal.contains(QStringLiteral("made:dataMover")));
    EXPECT_EQ(mainBrowser(), nullptr);
}

TEST_F(BrowserWindowTest,
       Cleanup_FailedJobWithoutSubtitle_ShowsErrorAndFetchesGroupsThenContactsOnce)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    ASSERT_TRUE(runUntil([this] { return feedRequests("contacts") > 0; }));
    server.clearRequestLog();
    server.generateContacts(kAccount, 2);
    UserDefaults::standard().setBool(true, QStringLiteral("waitingOnGoogle"));

    GDataError error;
    error.description = QStringLiteral("Conflict");
    error.userInfo = {{QStringLiteral("status"), 409}};
    browser->cleanupGUIforProcess(QString(), QString(), error);

    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().front().prompt.message, QStringLiteral("A Google process failed"));
    EXPECT_EQ(prompter.shown().front().prompt.informativeText,
              QStringLiteral("Google reported error: Conflict\rstatus = 409"));
    EXPECT_TRUE(prompter.shown().front().asSheet);
    EXPECT_FALSE(UserDefaults::standard().boolForKey(QStringLiteral("waitingOnGoogle")));
    // The time in a fixed English form, two spaces after the day, on a 12-hour clock.
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^As of (Mon|Tue|Wed|Thu|Fri|Sat|Sun), [A-Z][a-z]{2} "
                                          "\\d{1,2}  (1[0-2]|[1-9]):\\d{1,2}:\\d{2}$"))
            .match(browser->statusMessage())
            .hasMatch())
        << browser->statusMessage().toStdString();
    ASSERT_TRUE(runUntil(
        [browser] { return browser->contactArrayController()->rowCount() == kContacts + 2; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(feedRequests("groups"), 1);
    EXPECT_EQ(feedRequests("contacts"), 1);
}

TEST_F(BrowserWindowTest, Cleanup_SuccessfulJob_ShowsASheetOnlyWithShowGoogleAlerts)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    struct Case
    {
        bool showAlerts;
        QString process;
        QStringList expected;
    };
    const Case cases[] = {
        {false, QStringLiteral("Merge"), {}},
        {true,
         QStringLiteral("Merge"),
         {QStringLiteral("The Merge  process completed succeessfully")}},
        {true, QString(), {QStringLiteral("A Google process completed succeessfully")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.process.toStdString());
        ASSERT_TRUE(runUntil([this] { return feedRequests("contacts") > 0; }));
        const qsizetype before = prompter.shown().size();
        UserDefaults::standard().setBool(c.showAlerts, batchkeys::showGoogleAlerts);
        server.clearRequestLog();
        browser->cleanupGUIforProcess(c.process, QString(), std::nullopt);
        QStringList shown;
        for (qsizetype i = before; i < prompter.shown().size(); ++i)
            shown << prompter.shown()[i].prompt.message;
        EXPECT_EQ(shown, c.expected);
        // Even a silent end brings the lists anew.
        EXPECT_TRUE(runUntil([this] { return feedRequests("contacts") == 1; }));
        EXPECT_EQ(feedRequests("groups"), 1);
    }
}

TEST_F(BrowserWindowTest, Cleanup_JobThatRefetchesItself_FetchesTheContactsOnceAndDropsTheDeleted)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    GoogleContactTool *const tool = delegate->appGoogleContactTool();
    ASSERT_TRUE(runUntil([this] { return feedRequests("contacts") > 0; }));
    server.clearRequestLog();
    prompter.answer(kAlertSecondButtonReturn);
    tool->deleteAllGoogleContacts();
    ASSERT_TRUE(runUntil([browser] { return browser->contactArrayController()->rowCount() == 0; }));
    // Let any second fetch show itself.
    runUntil([] { return false; }, 500);
    EXPECT_EQ(feedRequests("contacts"), 1);
    EXPECT_EQ(browser->contactArrayController()->rowCount(), 0);
}

TEST_F(BrowserWindowTest, SecondAccount_LogsInWithItsOwnEngineAndClosingItKeepsTheMainBrowser)
{
    server.addAccount(kSecondAccount, kSecondPassword);
    server.generateContacts(kSecondAccount, 3);
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const main = mainBrowser();
    GoogleContactTool *const appTool = delegate->appGoogleContactTool();

    delegate->openBrowser2View();
    ASSERT_EQ(delegate->browserControllerCache().size(), 1u);
    QPointer<BrowserWindowController> second = qobject_cast<BrowserWindowController *>(
        delegate->browserControllerCache().begin()->second.data());
    ASSERT_TRUE(second);
    ASSERT_NE(second->googleTool(), appTool);
    ASSERT_TRUE(second->loginPanel() && second->loginPanel()->isVisible());
    EXPECT_EQ(second->loginPanel()->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(second->canLogin());
    second->userTextField()->setText(kSecondAccount);
    EXPECT_FALSE(second->canLogin());
    second->pwTextField()->setText(kSecondPassword);
    EXPECT_TRUE(second->canLogin());
    second->login();
    ASSERT_TRUE(runUntil([&second] { return second->contactArrayController()->rowCount() == 3; }));
    // The account's All row, not one of the program's own rows.
    EXPECT_EQ(second->groupSetController()->selectedGroupIdentifiers(),
              QStringList{second->groupArrayController()->groupArray().front().identifier});
    EXPECT_EQ(second->groupArrayController()->groupArray().front().groupType, QStringLiteral("a"));
    EXPECT_EQ(second->window()->windowTitle(), kSecondAccount);
    EXPECT_TRUE(second->pwTextField()->text().isEmpty());
    EXPECT_EQ(main->contactArrayController()->rowCount(), kContacts);

    second->window()->close();
    ASSERT_TRUE(runUntil([&second] { return second.isNull(); }));
    EXPECT_TRUE(delegate->browserControllerCache().empty());
    EXPECT_EQ(delegate->googleBrowserWindowController(), main);
    EXPECT_TRUE(main->window()->isVisible());
    // The main browser goes on working on the application's engine.
    main->takeEngineDelegates();
    server.clearRequestLog();
    main->cleanupGUIforProcess(QStringLiteral("Merge"), QString(), std::nullopt);
    EXPECT_TRUE(runUntil([this] { return feedRequests("contacts") == 1; }));
    delegate->openBrowserView();
    EXPECT_EQ(delegate->googleBrowserWindowController(), main);
}

TEST_F(BrowserWindowTest, SecondAccount_ClosedWhileItsFetchIsOnItsWay_EndsCleanly)
{
    server.addAccount(kSecondAccount, kSecondPassword);
    server.generateContacts(kSecondAccount, 3);
    ASSERT_TRUE(openBrowser());
    delegate->openBrowser2View();
    ASSERT_EQ(delegate->browserControllerCache().size(), 1u);
    QPointer<BrowserWindowController> second = qobject_cast<BrowserWindowController *>(
        delegate->browserControllerCache().begin()->second.data());
    ASSERT_TRUE(second);
    // The answers come late: the window and its engine are gone by then.
    server.injectFault(QStringLiteral("/m8/feeds/"), 0, 2, 300);
    second->userTextField()->setText(kSecondAccount);
    second->pwTextField()->setText(kSecondPassword);
    server.clearRequestLog();
    second->login();
    // Closed once its group fetch is at the server, before the answer.
    ASSERT_TRUE(runUntil([this] { return feedRequests("groups") == 1; }, 5000));
    second->window()->close();
    ASSERT_TRUE(runUntil([&second] { return second.isNull(); }));
    runUntil([] { return false; }, 1000);
    EXPECT_EQ(delegate->googleBrowserWindowController(), mainBrowser());
    EXPECT_EQ(mainBrowser()->contactArrayController()->rowCount(), kContacts);
}

TEST_F(BrowserWindowTest, SecondAccount_CancellingTheLoginClosesOnlyThatWindow)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const main = mainBrowser();
    delegate->openBrowser2View();
    ASSERT_EQ(delegate->browserControllerCache().size(), 1u);
    QPointer<BrowserWindowController> second = qobject_cast<BrowserWindowController *>(
        delegate->browserControllerCache().begin()->second.data());
    ASSERT_TRUE(second);
    second->cancelLogin();
    ASSERT_TRUE(runUntil([&second] { return second.isNull(); }));
    EXPECT_EQ(delegate->googleBrowserWindowController(), main);
    EXPECT_TRUE(main->window()->isVisible());
    EXPECT_EQ(delegate->appGoogleContactTool()->uiDelegate(),
              static_cast<GoogleContactToolUIDelegate *>(main));
}

TEST_F(BrowserWindowTest, Notes_EachEditTypedInTheWindowReachesGoogleOnceAndUpdatesItsRow)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    const QString gID = browser->groupSetController()->selectedContactIDs().value(0);
    ASSERT_FALSE(gID.isEmpty());
    const auto shownNotes = [browser, gID] {
        ContactArrayController *const contacts = browser->contactArrayController();
        for (int row = 0; row < contacts->rowCount(); ++row) {
            if (contacts->gIDAt(row) == gID)
                return contacts->arrangedObject(row).value("notes").toString();
        }
        return QString();
    };
    server.clearRequestLog();
    for (const QString &note : {QStringLiteral("First note"), QStringLiteral("Second note")}) {
        SCOPED_TRACE(note.toStdString());
        const int before = contactEdits();
        browser->notesView()->setPlainText(note);
        QFocusEvent leave(QEvent::FocusOut);
        QCoreApplication::sendEvent(browser->notesView(), &leave);
        ASSERT_TRUE(runUntil([&] { return shownNotes() == note; }));
        EXPECT_EQ(contactEdits(), before + 1);
        // The same contact stays selected and shown.
        EXPECT_EQ(browser->groupSetController()->selectedContactIDs(), QStringList{gID});
        EXPECT_EQ(browser->notesView()->toPlainText(), note);
    }
    // Leaving the notes without an edit sends nothing.
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(browser->notesView(), &leave);
    runUntil([] { return false; }, 300);
    EXPECT_EQ(contactEdits(), 2);
}

TEST_F(BrowserWindowTest, StatusLineOperationsAndLoadGoogleTool_DoWhatTheySay)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    browser->openUserInfoWithMessage(QStringLiteral("Working"), 4);
    EXPECT_TRUE(browser->progressBar()->isVisible());
    EXPECT_EQ(browser->progressTextField()->text(), QStringLiteral("Working"));
    browser->closeProgress();
    EXPECT_FALSE(browser->progressBar()->isVisible());
    EXPECT_FALSE(browser->progressTextField()->isVisible());
    EXPECT_FALSE(browser->statusTextField()->isVisible());
    browser->openStatusBarMessage(QStringLiteral("Hello"));
    EXPECT_TRUE(browser->statusTextField()->isVisible());
    EXPECT_EQ(browser->statusTextField()->text(), QStringLiteral("Hello"));
    browser->closeStatusBarMessage();
    EXPECT_FALSE(browser->statusTextField()->isVisible());

    ASSERT_TRUE(runUntil([this] { return feedRequests("contacts") > 0; }));
    server.clearRequestLog();
    browser->loadGoogleTool();
    EXPECT_TRUE(runUntil([this] { return feedRequests("contacts") == 1; }));
    EXPECT_EQ(feedRequests("groups"), 1);
}

TEST_F(BrowserWindowTest, SearchField_NarrowsTheListAndTheInspectorFollows)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    ContactArrayController *const contacts = browser->contactArrayController();
    const QString last = contacts->arrangedObject(kContacts - 1).value("name").toString();
    ASSERT_FALSE(last.isEmpty());
    browser->searchField()->setText(last.toUpper());
    ASSERT_GE(contacts->rowCount(), 1);
    ASSERT_LT(contacts->rowCount(), kContacts);
    for (int row = 0; row < contacts->rowCount(); ++row)
        EXPECT_TRUE(contacts->arrangedObject(row).value("name").toString().contains(last));
    // A click on the first row found shows that contact.
    browser->groupSetController()->contactSelection()->setCurrentIndex(
        contacts->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(browser->inspector()->currentContact().value("gID"), contacts->gIDAt(0));
    browser->searchField()->clear();
    EXPECT_EQ(contacts->rowCount(), kContacts);
}

TEST_F(BrowserWindowTest, PaneToggles_WriteTheirPreferences)
{
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const browser = mainBrowser();
    UserDefaults &ud = UserDefaults::standard();

    const bool notesShown = browser->noteSplitView()->noteIsVisible();
    browser->toggleNotes();
    EXPECT_NE(browser->noteSplitView()->noteIsVisible(), notesShown);
    // Named "hidden", it holds whether the pane shows.
    EXPECT_EQ(ud.boolForKey(windowkeys::noteHidden), !notesShown);

    const bool imageShown = browser->browserImageSplitView()->imageIsVisible();
    browser->toggleBrowserImage();
    EXPECT_EQ(browser->browserImageSplitView()->imageIsVisible(), !imageShown);
    EXPECT_EQ(ud.boolForKey(windowkeys::browserImageHidden), !imageShown);
    EXPECT_EQ(browser->toggleImageButtonImage(),
              imageShown ? QStringLiteral("ImageUp") : QStringLiteral("ImageDown"));

    browser->toggleGroupNav();
    EXPECT_TRUE(browser->groupNavSplitView()->isLeftSubViewCollapsed());
    EXPECT_TRUE(ud.boolForKey(windowkeys::groupNavHidden));
    // The image toggle opens the closed group pane first.
    browser->toggleBrowserImage();
    EXPECT_FALSE(browser->groupNavSplitView()->isLeftSubViewCollapsed());
    EXPECT_FALSE(ud.boolForKey(windowkeys::groupNavHidden));
}

TEST_F(BrowserWindowTest, Launch_OpensEveryPaneButTheFirstLaunchsPortrait)
{
    ASSERT_TRUE(openBrowser());
    EXPECT_EQ(mainBrowser()->groupNavSplitView()->leftWidth(), GroupNavSplitView::kLeftWidthMax);
    EXPECT_TRUE(mainBrowser()->noteSplitView()->noteIsVisible());
    EXPECT_TRUE(mainBrowser()->browserImageSplitView()->imageIsVisible());
    EXPECT_EQ(mainBrowser()->toggleImageButtonImage(), QStringLiteral("ImageDown"));
}

TEST_F(BrowserWindowTest, FirstLaunch_CollapsesTheImagePane)
{
    // The start-up writes whether this launch made the preferences file.
    ASSERT_TRUE(
        openBrowser([] { UserDefaults::standard().setBool(true, appkeys::newPrefFileCreated); }));
    EXPECT_FALSE(mainBrowser()->browserImageSplitView()->imageIsVisible());
    EXPECT_EQ(mainBrowser()->toggleImageButtonImage(), QStringLiteral("ImageUp"));
}

TEST_F(BrowserWindowTest, Closing_StoresTheRowMetricsAndTheSetOperator)
{
    UserDefaults &ud = UserDefaults::standard();
    ud.setDouble(22, windowkeys::browserRowHeight);
    ud.setDouble(13, windowkeys::browserRowFontSize);
    ud.setBool(false, windowkeys::multipleGroupsUseIntersection);
    ASSERT_TRUE(openBrowser());
    QPointer<BrowserWindowController> browser = mainBrowser();
    EXPECT_EQ(browser->contactsTableView()->verticalHeader()->defaultSectionSize(), 22);
    browser->setUseIntersection(true);
    ud.setDouble(0, windowkeys::browserRowHeight);
    browser->window()->close();
    ASSERT_TRUE(runUntil([&browser] { return browser.isNull(); }));
    EXPECT_EQ(ud.doubleForKey(windowkeys::browserRowHeight), 22);
    EXPECT_EQ(ud.doubleForKey(windowkeys::browserRowFontSize), 13);
    EXPECT_TRUE(ud.boolForKey(windowkeys::multipleGroupsUseIntersection));
    EXPECT_GT(ud.doubleForKey(windowkeys::browserNameColumnWidth), 0);
    EXPECT_EQ(delegate->googleBrowserWindowController(), nullptr);
    // The engine answers the application delegate again, never the window that is gone.
    EXPECT_NE(delegate->appGoogleContactTool()->uiDelegate(), nullptr);
}
