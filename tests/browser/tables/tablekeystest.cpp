// The Delete and Return keys of the browser's two tables, pressed with Qt Test: the sheets they
// open, chosen by the counts of the selected contacts and groups, the beeps of the refusals, and
// what a confirmed sheet names.

#include "browser/models/contactcolumns.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/tables/contacttableview.h"
#include "browser/tables/grouptableview.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/beep.h"

#include "tests/browser/browseraccount.h"
#include "tests/support/scriptedprompter.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

class TableKeysTest : public BrowserAccountTest
{
protected:
    void SetUp() override
    {
        BrowserAccountTest::SetUp();
        UserDefaults &ud = UserDefaults::standard();
        ud.setInteger(1, QStringLiteral("systemGroupUseAll"));
        ud.setBool(false, googlekeys::gmUpdateNeverRemoveGroups);
        ud.setBool(false, googlekeys::gmUpdateNeverRemoveContacts);
        previousBeep = beep::setHandler([this] { ++beeps; });
        groups.setGroupArray(tool.groupArray());
        groupTable.setModel(&groups);
        groupTable.setSelectionModel(controller.groupSelection());
        contactTable.setModel(&contacts);
        contactTable.setSelectionModel(controller.contactSelection());
        contactTable.setGroupsTableView(&groupTable);
        for (QTableView *table :
             {static_cast<QTableView *>(&groupTable), static_cast<QTableView *>(&contactTable)})
            table->setSelectionBehavior(QAbstractItemView::SelectRows);
        // The All row and every contact.
        controller.refreshView();
    }

    void TearDown() override
    {
        beep::setHandler(previousBeep);
        // The program's tests share one preferences file when they run in one process.
        UserDefaults::standard().removeObjectForKey(googlekeys::gmUpdateNeverRemoveGroups);
        UserDefaults::standard().removeObjectForKey(googlekeys::gmUpdateNeverRemoveContacts);
    }

    // Selects the contacts of these rows of the list as shown.
    void selectContactRows(const QList<int> &rows)
    {
        QItemSelection chosen;
        for (const int row : rows)
            chosen.select(contacts.index(row, 0), contacts.index(row, 0));
        controller.contactSelection()->select(chosen, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    }

    GroupArrayController groups;
    ContactArrayController contacts{tool.lists()};
    QAbstractItemModelTester contactTester{&contacts,
                                           QAbstractItemModelTester::FailureReportingMode::Fatal};
    GroupSetController controller{tool, groups, contacts};
    GroupTableView groupTable;
    ContactTableView contactTable;
    ScriptedPrompter prompter;
    int beeps = 0;
    std::function<void()> previousBeep;
};

TEST_F(TableKeysTest, DeleteOnGroups_RefusesRowsWithoutAGoogleGroupAndNamesTheOthers)
{
    const struct
    {
        QStringList selected;
        bool beeps;
        QString message;
        QString text;
    } cases[] = {
        {{myContacts}, true, {}, {}},
        {{golf, company}, true, {}, {}},
        {{recent}, true, {}, {}},
        {{golf},
         false,
         u"Permanently DELETE a Google Group"_qs,
         u"Permanently DELETE  \"Golf\" ?"_qs},
        {{golf, work},
         false,
         u"Permanently DELETE multiple Google Groups"_qs,
         u"Permanently DELETE the 2 selected groups?"_qs},
    };
    for (const auto &c : cases) {
        // The Backspace and the Delete key of a PC keyboard alike.
        for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete}) {
            SCOPED_TRACE(c.selected.join(u',').toStdString() + " key " + std::to_string(key));
            controller.selectGroupIdentifiers(c.selected);
            beeps = 0;
            const qsizetype before = prompter.shown().size();
            QSignalSpy confirmed(&groupTable, &GroupTableView::deleteGroupsConfirmed);
            prompter.answer(kAlertFirstButtonReturn);
            QTest::keyClick(&groupTable, key);
            if (c.beeps) {
                EXPECT_EQ(beeps, 1);
                EXPECT_EQ(prompter.shown().size(), before);
                prompter.answer(kAlertFirstButtonReturn);
                continue;
            }
            EXPECT_EQ(beeps, 0);
            ASSERT_EQ(prompter.shown().size(), before + 1);
            const ScriptedPrompter::Shown &shown = prompter.shown().back();
            EXPECT_TRUE(shown.asSheet);
            EXPECT_EQ(shown.prompt.message, c.message);
            EXPECT_EQ(shown.prompt.informativeText, c.text);
            EXPECT_EQ(shown.prompt.buttons, (QStringList{u"Delete"_qs, u"Cancel"_qs}));
            ASSERT_TRUE(confirmed.wait(1000));
            EXPECT_EQ(confirmed.front().front().toStringList(), c.selected);
        }
    }
}

TEST_F(TableKeysTest, DeleteOnGroups_CancelledOrForbidden_SendsNothing)
{
    controller.selectGroupIdentifiers({golf});
    QSignalSpy confirmed(&groupTable, &GroupTableView::deleteGroupsConfirmed);
    prompter.answer(kAlertSecondButtonReturn);
    QTest::keyClick(&groupTable, Qt::Key_Backspace);

    UserDefaults::standard().setBool(true, googlekeys::gmUpdateNeverRemoveGroups);
    QTest::keyClick(&groupTable, Qt::Key_Backspace);
    ASSERT_EQ(prompter.shown().size(), 2);
    EXPECT_EQ(prompter.shown().back().prompt,
              (Prompt{u"Your current preferences do not permit deletion of Google Groups"_qs,
                      u"This setting is found on the 'Google' pane under 'Rules'."_qs,
                      {u"OK"_qs}}));
    QTest::qWait(20);
    EXPECT_TRUE(confirmed.isEmpty());
    EXPECT_EQ(beeps, 0);
}

TEST_F(TableKeysTest, DeleteOnContacts_RemovesFromAGroupOrDeletes_ByTheCounts)
{
    // The list sorted by name, descending: Eve, Dee Moss, Cy Acme, bo Karl, Ann Lee.
    contacts.sort(contactcolumns::columnOf(u"name"_qs), Qt::DescendingOrder);
    const struct
    {
        QStringList groups;
        QList<int> rows;
        QString message;
        QString text;
        QStringList gIDs;
    } cases[] = {
        {{myContacts},
         {0},
         u"Permanently DELETE a Google Contact"_qs,
         u"Permanently DELETE  \"Eve\" ?"_qs,
         {u"eve"_qs}},
        {{myContacts},
         {1, 2},
         u"Permanently DELETE multiple Google Contacts"_qs,
         u"Permanently DELETE the 2 selected contacts?"_qs,
         {u"dee"_qs, u"cy"_qs}},
        // Golf lists Cy Acme, then Ann Lee.
        {{golf},
         {1},
         u"Remove one Google Contact from one Google Group"_qs,
         u"Remove  \"Ann Lee\" from the Google Group: Golf?"_qs,
         {u"ann"_qs}},
        {{golf},
         {0, 1},
         u"Remove multiple Google Contacts from one Google Group"_qs,
         u"Remove the 2 selected contacts from the Google Group: Golf?"_qs,
         {u"cy"_qs, u"ann"_qs}},
        // Golf or Work: Cy Acme, bo Karl, Ann Lee.
        {{golf, work},
         {1},
         u"Remove one Google Contact from MULTIPLE Google Groups"_qs,
         u"Remove \"bo Karl\" from the 2 selected Google Groups?"_qs,
         {u"bo"_qs}},
        {{golf, work},
         {0, 2},
         u"Remove MULTIPLE Google Contacts from MULTIPLE Google Groups"_qs,
         u"Remove the selected 2 contacts from the 2 selected Google Groups?"_qs,
         {u"cy"_qs, u"ann"_qs}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        controller.selectGroupIdentifiers(c.groups);
        selectContactRows(c.rows);
        const bool removing = c.groups != QStringList{myContacts};
        QSignalSpy deleted(&contactTable, &ContactTableView::deleteContactsConfirmed);
        QSignalSpy removed(&contactTable, &ContactTableView::removeContactsConfirmed);
        prompter.answer(kAlertFirstButtonReturn);
        QTest::keyClick(&contactTable, Qt::Key_Delete);
        ASSERT_FALSE(prompter.shown().isEmpty());
        const Prompt &prompt = prompter.shown().back().prompt;
        EXPECT_EQ(prompt.message, c.message);
        EXPECT_EQ(prompt.informativeText, c.text);
        EXPECT_EQ(prompt.buttons.front(), removing ? u"Remove"_qs : u"Delete"_qs);
        QSignalSpy &answered = removing ? removed : deleted;
        ASSERT_TRUE(answered.wait(1000));
        EXPECT_EQ(answered.front().front().toStringList(), c.gIDs);
        if (removing) {
            EXPECT_EQ(answered.front().back().toStringList(), c.groups);
        }
        EXPECT_TRUE((removing ? deleted : removed).isEmpty());
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(TableKeysTest, DeleteOnContacts_NoneSelected_BeepsWithoutASheet)
{
    controller.contactSelection()->clearSelection();
    QTest::keyClick(&contactTable, Qt::Key_Backspace);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(prompter.shown().isEmpty());
}

TEST_F(TableKeysTest, DeleteOnContacts_ForbiddenOrCancelled_SendsNothing)
{
    selectContactRows({0});
    QSignalSpy deleted(&contactTable, &ContactTableView::deleteContactsConfirmed);
    prompter.answer(kAlertSecondButtonReturn);
    QTest::keyClick(&contactTable, Qt::Key_Backspace);
    UserDefaults::standard().setBool(true, googlekeys::gmUpdateNeverRemoveContacts);
    QTest::keyClick(&contactTable, Qt::Key_Backspace);
    ASSERT_EQ(prompter.shown().size(), 2);
    EXPECT_EQ(prompter.shown().back().prompt.message,
              u"Your current preferences do not permit deletion of Google Contacts"_qs);
    EXPECT_EQ(prompter.shown().back().prompt.buttons, QStringList{u"OK"_qs});
    QTest::qWait(20);
    EXPECT_TRUE(deleted.isEmpty());
}

TEST_F(TableKeysTest, ReturnOpensTheEditorAndOtherKeysMoveTheSelection)
{
    contactTable.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&contactTable));
    selectContactRows({0});
    controller.contactSelection()->setCurrentIndex(contacts.index(0, 0),
                                                   QItemSelectionModel::NoUpdate);
    QSignalSpy edit(&contactTable, &ContactTableView::editRequested);
    QTest::keyClick(&contactTable, Qt::Key_Return);
    EXPECT_EQ(edit.size(), 1);
    QTest::keyClick(&contactTable, Qt::Key_Down);
    EXPECT_EQ(contactTable.selectedContactIDs(), QStringList{contacts.gIDAt(1)});
    EXPECT_EQ(edit.size(), 1);
    EXPECT_TRUE(prompter.shown().isEmpty());
}

} // namespace
