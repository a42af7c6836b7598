// The browser's deletes, memberships and flags against the loopback server: what the actions send
// is what the server holds afterwards, and what the preferences forbid is never sent.
#include "app/windows/windowfactory.h"
#include "browser/actions/browseractions.h"
#include "browser/actions/functiontabview.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/contactcolumns.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/ui/beep.h"
#include "platform/ui/keyboardmodifiers.h"

#include "tests/support/app/mainprogramtest.h"

#include <QLineEdit>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

class BrowserBatchActionsTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        storePassword(kPassword);
        const QStringList groups = server.seedGroups(
            kAccount, {GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Golf")),
                       GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Work"))});
        golfID = groups.value(0);
        workID = groups.value(1);
        std::vector<GDataEntryPtr> contacts;
        const std::pair<const char *, QStringList> seeded[] = {
            {"Ann Lee", {golfID}}, {"Bo Karl", {golfID, workID}}, {"Cy Acme", {}}};
        for (const auto &[title, memberships] : seeded) {
            auto contact = GDataEntryContact::contactEntryWithTitle(QString::fromLatin1(title));
            std::vector<GDataGroupMembershipInfo> infos;
            for (const QString &group : memberships)
                infos.push_back(GDataGroupMembershipInfo::groupMembershipInfoWithHref(group));
            contact->setGroupMembershipInfos(infos);
            contacts.push_back(contact);
        }
        server.seedContacts(kAccount, contacts);
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Reader%1").arg(i), kABFirstNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
        }
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults::standard().setInteger(1, QStringLiteral("systemGroupUseAll"));
        previousBeep = beep::setHandler([this] { ++beeps; });
    }
    void TearDown() override
    {
        keyboardmodifiers::setCurrentForTesting(std::nullopt);
        beep::setHandler(previousBeep);
        MainProgramTest::TearDown();
    }

    BrowserWindowController *browser() const
    {
        return qobject_cast<BrowserWindowController *>(delegate->googleBrowserWindowController());
    }
    bool openBrowser()
    {
        return startProgram() && runUntil([this] {
                   return browser() && browser()->contactArrayController() &&
                          browser()->contactArrayController()->rowCount() == 3 &&
                          groupRow(golfID) > 0 && groupRow(workID) > 0;
               });
    }
    int groupRow(const QString &identifier) const
    {
        const QList<GroupRow> &rows = browser()->groupArrayController()->groupArray();
        for (int row = 0; row < rows.size(); ++row) {
            if (rows[row].identifier == identifier)
                return row;
        }
        return -1;
    }
    int contactRow(const QString &title) const
    {
        ContactArrayController &contacts = *browser()->contactArrayController();
        for (int row = 0; row < contacts.rowCount(); ++row) {
            if (contacts.arrangedObject(row).value("name").toString() == title)
                return row;
        }
        return -1;
    }
    QString gIDOf(const QString &title) const
    {
        return browser()->contactArrayController()->gIDAt(contactRow(title));
    }
    void selectContacts(const QStringList &titles)
    {
        QItemSelectionModel *const selection = browser()->groupSetController()->contactSelection();
        selection->clearSelection();
        for (const QString &title : titles)
            selection->select(browser()->contactArrayController()->index(contactRow(title), 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // The live entries on the server.
    std::vector<GDataEntryPtr> live(GDataEntryBase::Kind kind)
    {
        std::vector<GDataEntryPtr> entries;
        if (const GDataFeedPtr feed = server.entries(kAccount, kind)) {
            for (const GDataEntryPtr &entry : feed->entries()) {
                if (!entry->isDeleted())
                    entries.push_back(entry);
            }
        }
        return entries;
    }
    GDataEntryContactPtr serverContact(const QString &title)
    {
        for (const GDataEntryPtr &entry : live(GDataEntryBase::Kind::Contact)) {
            if (entry->title() == title)
                return std::static_pointer_cast<GDataEntryContact>(entry);
        }
        return nullptr;
    }
    QStringList groupsOf(const QString &title)
    {
        QStringList hrefs;
        if (const GDataEntryContactPtr contact = serverContact(title)) {
            for (const GDataGroupMembershipInfo &info : contact->groupMembershipInfos())
                hrefs.append(info.href);
        }
        hrefs.sort();
        return hrefs;
    }
    bool groupLive(const QString &identifier)
    {
        for (const GDataEntryPtr &entry : live(GDataEntryBase::Kind::ContactGroup)) {
            if (entry->identifier() == identifier)
                return true;
        }
        return false;
    }
    int batchesSent() { return int(requestsTo(QStringLiteral("/batch")).size()); }

    QString golfID;
    QString workID;
    std::function<void()> previousBeep;
    int beeps = 0;
};

TEST_F(BrowserBatchActionsTest, DeletionForbiddenByThePreferencesIsRefusedInASheet)
{
    ASSERT_TRUE(openBrowser());
    UserDefaults::standard().setBool(true, googlekeys::gmUpdateNeverRemoveGroups);
    UserDefaults::standard().setBool(true, googlekeys::gmUpdateNeverRemoveContacts);
    server.clearRequestLog();
    const qsizetype before = prompter.shown().size();
    browser()->actions()->deleteGroups({golfID});
    browser()->actions()->deleteContacts({gIDOf("Ann Lee")});
    ASSERT_EQ(prompter.shown().size(), before + 2);
    const ScriptedPrompter::Shown &groups = prompter.shown()[before];
    EXPECT_EQ(groups.prompt.message,
              "Your current preferences do not permit deletion of GoogleGroups");
    EXPECT_EQ(groups.prompt.informativeText,
              "This setting is found on the 'Google' pane under 'Rules'.");
    EXPECT_EQ(groups.prompt.buttons, QStringList{"OK"});
    EXPECT_TRUE(groups.asSheet);
    EXPECT_EQ(prompter.shown()[before + 1].prompt.message,
              "Your current preferences do not permit deletion of Google Contacts");
    runUntil([] { return false; }, 300);
    EXPECT_EQ(batchesSent(), 0);
    EXPECT_TRUE(serverContact("Ann Lee"));
    EXPECT_TRUE(groupLive(golfID));
}

TEST_F(BrowserBatchActionsTest, DeletesTheRowsButNeverTheAllRow)
{
    ASSERT_TRUE(openBrowser());
    UserDefaults::standard().setBool(false, googlekeys::gmUpdateNeverRemoveGroups);
    UserDefaults::standard().setBool(false, googlekeys::gmUpdateNeverRemoveContacts);
    const QString allID = browser()->groupArrayController()->groupArray().front().identifier;
    browser()->actions()->deleteGroups({allID, golfID});
    ASSERT_TRUE(runUntil([&] { return !groupLive(golfID); }));
    EXPECT_TRUE(groupLive(workID));
    EXPECT_TRUE(groupLive(allID));

    // Named when the sheet opened; the rows move before the answer comes.
    const QStringList named = {gIDOf("Ann Lee"), gIDOf("Cy Acme")};
    browser()->contactsTableView()->sortByColumn(contactcolumns::columnOf(QStringLiteral("name")),
                                                 Qt::DescendingOrder);
    browser()->actions()->deleteContacts(named);
    ASSERT_TRUE(runUntil([&] { return !serverContact("Ann Lee") && !serverContact("Cy Acme"); }));
    EXPECT_TRUE(serverContact("Bo Karl"));
}

TEST_F(BrowserBatchActionsTest, SelectedContactsLeaveTheGroupsOfTheRows)
{
    ASSERT_TRUE(openBrowser());
    browser()->actions()->removeContactsFromGroups({gIDOf("Ann Lee"), gIDOf("Bo Karl")}, {golfID});
    ASSERT_TRUE(runUntil([&] { return !groupsOf("Bo Karl").contains(golfID); }));
    EXPECT_EQ(groupsOf("Bo Karl"), QStringList{workID});
    EXPECT_FALSE(groupsOf("Ann Lee").contains(golfID));
}

TEST_F(BrowserBatchActionsTest, FlagsReachTheServerAndAPersonKeepsItsGender)
{
    ASSERT_TRUE(openBrowser());
    struct Case
    {
        const char *command;
        QString gender;
        bool company;
    };
    const Case cases[] = {
        {"flagAsMale:", "M", false},
        // A person stays a person and keeps the gender.
        {"flagAsPerson:", "M", false},
        {"flagAsFemale:", "F", false},
        // A company has no gender.
        {"flagAsCompany:", "", true},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(runUntil([&] { return contactRow("Cy Acme") >= 0; }));
        selectContacts({"Cy Acme"});
        ASSERT_TRUE(browser()->performCommand(QString::fromLatin1(c.command)));
        EXPECT_TRUE(runUntil([&] {
            const GDataEntryContactPtr cy = serverContact("Cy Acme");
            return cy && tolvane::tolvaneGender(*cy) == c.gender &&
                   tolvane::tolvaneIsCompany(*cy) == c.company;
        })) << c.command;
        // The lists are fetched again after each send.
        runUntil([] { return false; }, 300);
    }
    // With nothing selected nothing is sent.
    browser()->groupSetController()->contactSelection()->clearSelection();
    server.clearRequestLog();
    browser()->actions()->flagAsCompany();
    EXPECT_EQ(batchesSent(), 0);
}

TEST_F(BrowserBatchActionsTest, OwnContactsDroppedOnAGroupJoinItOnce)
{
    ASSERT_TRUE(openBrowser());
    ContactArrayController &contacts = *browser()->contactArrayController();
    GroupArrayController &groups = *browser()->groupArrayController();
    // Neither has an e-mail address: Option makes the drag the rows' lines.
    keyboardmodifiers::setCurrentForTesting(Qt::AltModifier);
    std::unique_ptr<QMimeData> dragged(contacts.mimeData(
        {contacts.index(contactRow("Ann Lee"), 0), contacts.index(contactRow("Bo Karl"), 0)}));
    ASSERT_TRUE(dragged);
    const QModelIndex onWork = groups.index(groupRow(workID), 0);
    ASSERT_TRUE(groups.canDropMimeData(dragged.get(), Qt::CopyAction, -1, 0, onWork));
    ASSERT_TRUE(groups.dropMimeData(dragged.get(), Qt::CopyAction, -1, 0, onWork));
    ASSERT_TRUE(runUntil([&] { return groupsOf("Ann Lee").contains(workID); }));
    // Bo was in Work already and gets no second membership.
    EXPECT_EQ(groupsOf("Bo Karl").count(workID), 1);
}

TEST_F(BrowserBatchActionsTest, StrippedContactsKeepOnlyMyContacts)
{
    ASSERT_TRUE(openBrowser());
    selectContacts({"Bo Karl"});
    ASSERT_TRUE(browser()->performCommand("bulkRemoveMemberships:"));
    ASSERT_TRUE(runUntil([&] {
        const QStringList groups = groupsOf("Bo Karl");
        return !groups.contains(golfID) && !groups.contains(workID);
    }));
    EXPECT_EQ(groupsOf("Bo Karl").size(), 1);
}

TEST_F(BrowserBatchActionsTest, MergeKeepsTheMasterChosenAloneWhateverTheOrder)
{
    ASSERT_TRUE(openBrowser());
    UserDefaults::standard().setBool(true, QStringLiteral("includeMergeGroups"));
    // Ann is the first row, and after the re-sort Cy is: the master is still Ann.
    selectContacts({"Ann Lee"});
    const QString ann = browser()->actions()->mergeMasterID();
    ASSERT_EQ(contactRow("Ann Lee"), 0);
    const int nameColumn = contactcolumns::columnOf(QStringLiteral("name"));
    browser()->contactsTableView()->sortByColumn(nameColumn, Qt::DescendingOrder);
    ASSERT_EQ(contactRow("Cy Acme"), 0);
    browser()->groupSetController()->contactSelection()->select(
        browser()->contactArrayController()->index(contactRow("Bo Karl"), 0),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(browser()->actions()->mergeMasterID(), ann);
    ASSERT_TRUE(browser()->performCommand("mergeContacts:"));
    ASSERT_TRUE(runUntil([&] { return !serverContact("Bo Karl"); }));
    ASSERT_TRUE(serverContact("Ann Lee"));
    EXPECT_EQ(serverContact("Ann Lee")->identifier(), ann);
    // Bo's groups came with him, and Cy, outside the selection, is untouched.
    EXPECT_TRUE(groupsOf("Ann Lee").contains(workID));
    EXPECT_TRUE(serverContact("Cy Acme"));
}

TEST_F(BrowserBatchActionsTest, MergeWhoseMasterLeftTheSelectionSendsNothing)
{
    ASSERT_TRUE(openBrowser());
    selectContacts({"Ann Lee"});
    // Both at once, as a click and a shift-click outside the master would leave them.
    ContactArrayController &contacts = *browser()->contactArrayController();
    QItemSelection others;
    for (const char *title : {"Bo Karl", "Cy Acme"})
        others.select(contacts.index(contactRow(title), 0), contacts.index(contactRow(title), 0));
    browser()->groupSetController()->contactSelection()->select(
        others, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ASSERT_EQ(browser()->groupSetController()->selectedContactIDs().size(), 2);
    server.clearRequestLog();
    const qsizetype before = prompter.shown().size();
    browser()->actions()->mergeContacts();
    ASSERT_EQ(prompter.shown().size(), before + 1);
    EXPECT_EQ(prompter.shown().back().prompt.message,
              "The contact to merge into is not among the selected contacts");
    runUntil([] { return false; }, 300);
    EXPECT_EQ(batchesSent(), 0);
    EXPECT_EQ(live(GDataEntryBase::Kind::Contact).size(), 3u);
}

TEST_F(BrowserBatchActionsTest, FindAndReplaceChangesTheSelectedContactsOnly)
{
    ASSERT_TRUE(openBrowser());
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(0, "bulkFieldTag");
    defaults.setBool(true, "bulkIgnoreCase");
    defaults.setBool(false, "bulkAddIfEmpty");
    FunctionTabView &panes = *browser()->functionTabView();
    // The fields' text reaches the preferences when the action ends their editing.
    panes.findText()->setText("KARL");
    panes.replaceText()->setText("Carl");
    selectContacts({"Bo Karl", "Cy Acme"});
    ASSERT_TRUE(browser()->performCommand("applyBulkChanges:"));
    ASSERT_TRUE(runUntil([&] { return serverContact("Bo Carl") != nullptr; }));
    EXPECT_EQ(defaults.stringForKey("bulkFindString"), "KARL");
    EXPECT_TRUE(serverContact("Ann Lee"));
    EXPECT_TRUE(serverContact("Cy Acme"));
}

} // namespace
