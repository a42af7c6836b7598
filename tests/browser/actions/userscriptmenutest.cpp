// The user's scripts as the main program's browser runs them: the menu of the scripts folder that
// the program installs into, the records of the selection, and the alerts of each outcome.
#include "app/windows/windowfactory.h"
#include "browser/actions/browseractions.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/app/mainprogramtest.h"

#include <QAction>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr int kContacts = 3;

class UserScriptMenuTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        storePassword(kPassword);
        server.generateContacts(kAccount, kContacts);
        // The browser is the first window once both sides hold more than two people.
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Reader%1").arg(i), kABFirstNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
        }
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults::standard().setInteger(1, QStringLiteral("systemGroupUseAll"));
    }
    void TearDown() override
    {
        BrowserActions::setScriptTimeLimitForTesting(60 * 1000);
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
                          browser()->contactArrayController()->rowCount() == kContacts;
               });
    }
    void writeScript(const QString &name, const QByteArray &body)
    {
        QFile file(QDir(delegate->scriptsFolderPath()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QStringList menuTitles()
    {
        QStringList titles;
        for (QAction *action : browser()->actions()->buildScriptsMenu()->actions())
            titles << action->text();
        return titles;
    }
    void run(const QString &title)
    {
        for (QAction *action : browser()->actions()->buildScriptsMenu()->actions()) {
            if (action->text() == title)
                return action->trigger();
        }
        FAIL() << "no menu item " << title.toStdString();
    }
    void selectAllContacts()
    {
        QItemSelectionModel *const selection = browser()->groupSetController()->contactSelection();
        ContactArrayController *const contacts = browser()->contactArrayController();
        selection->select(
            QItemSelection(contacts->index(0, 0), contacts->index(contacts->rowCount() - 1, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QStringList smallTexts() const
    {
        QStringList texts;
        for (const ScriptedPrompter::Shown &shown : prompter.shown())
            texts << shown.prompt.informativeText;
        return texts;
    }
};

TEST_F(UserScriptMenuTest, InstalledSampleScriptAnswersSuccessAndShowsNothing)
{
    ASSERT_TRUE(openBrowser());
    // The document-data script is installed beside it and never listed.
    EXPECT_EQ(menuTitles(), QStringList{"TolvaneSimpleSampleScript"});
    const int promptsBefore = int(prompter.shown().size());
    selectAllContacts();
    run("TolvaneSimpleSampleScript");
    EXPECT_EQ(prompter.shown().size(), promptsBefore);
}

TEST_F(UserScriptMenuTest, EachOutcomeShowsItsAlertNamingTheScript)
{
    ASSERT_TRUE(openBrowser());
    // Counts the records it read: one per selected contact, each with the contact's name.
    writeScript("count.scpt",
                "read records\necho \"$records\" | grep -o '\"gname\"' | wc -l | tr -d ' '");
    writeScript("my.script.scpt", "echo \"  spaced  \"");
    writeScript("silent", "cat > /dev/null");
    writeScript("broken.txt", "echo 'cannot go on' >&2\nexit 2");
    writeScript("slow.app", "sleep 5");
    BrowserActions::setScriptTimeLimitForTesting(300);
    selectAllContacts();
    const qsizetype before = prompter.shown().size();
    for (const char *title : {"count", "my.script", "silent", "broken", "slow"})
        run(QString::fromLatin1(title));
    const QStringList messages = promptMessages().mid(before);
    EXPECT_EQ(messages, (QStringList{"Script returned: 3", "Script returned: spaced",
                                     "Script return value is NULL!", "cannot go on",
                                     "The script did not finish within 0.3 seconds."}));
    EXPECT_EQ(smallTexts().mid(before),
              (QStringList{"This error occurred while executing 'count.scpt'",
                           "This error occurred while executing 'my.script.scpt'",
                           "This error occurred while executing 'silent'",
                           "This error occurred while executing 'broken.txt'",
                           "This error occurred while executing 'slow.app'"}));
}

TEST_F(UserScriptMenuTest, TitleWithoutFileIsCompletedBySearchOrderAndReportsTheMissingFile)
{
    ASSERT_TRUE(openBrowser());
    writeScript("both.txt", "echo txt");
    writeScript("both.scpt", "echo scpt");
    const qsizetype before = prompter.shown().size();
    browser()->actions()->executeScript("both");
    browser()->actions()->executeScript("none");
    const QStringList messages = promptMessages().mid(before);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], "Script returned: scpt");
    EXPECT_EQ(smallTexts().last(), "This error occurred while executing 'none.txt'");
}

} // namespace
