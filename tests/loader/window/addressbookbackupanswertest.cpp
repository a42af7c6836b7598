#include "tests/loader/window/dataloadertest.h"

#include "addressbook/addressbookkeys.h"
#include "loader/loaderkeys.h"
#include "platform/addressbook/addressbook.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/scriptedfilechooser.h"

#include <QFileInfo>
#include <QPushButton>

namespace {

using AddressBookBackupAnswerTest = DataLoaderTest;

// With a book that holds data and backups asked for, the download sheet's "Backup Address Book"
// backs the book up in place of the update, which does not run.
TEST_F(AddressBookBackupAnswerTest, TheDownloadSheetsBackupAnswerBacksUpTheBookInstead)
{
    ASSERT_TRUE(openLoader());
    UserDefaults &ud = UserDefaults::standard();
    ud.setInteger(1, loaderkeys::abUpdateBackupMode);
    ud.setBool(true, abkeys::addressBookHasData);
    const QString archive = library("chosen backup.sqlite");
    ScriptedFileChooser chooser;
    chooser.answer(archive);
    prompter.answer(kAlertSecondButtonReturn);
    const qsizetype promptsBefore = prompter.shown().size();
    const int endedBefore = processesEnded;

    loader->simpleDownloadButton()->click();
    ASSERT_TRUE(runUntil([&] { return QFileInfo(archive).isFile(); }, 5000));
    ASSERT_EQ(prompter.shown().size(), promptsBefore + 1);
    EXPECT_TRUE(prompter.shown().back().prompt.buttons.contains("Backup Address Book"));
    ASSERT_EQ(chooser.shown().size(), 1);
    EXPECT_EQ(chooser.shown().front().choice.mode, FileChoice::Mode::Save);

    AddressBook copy(archive, 4242, QStringLiteral("Tolvane"));
    ASSERT_TRUE(copy.isOpen()) << copy.errorString().toStdString();
    EXPECT_EQ(copy.people().size(), AddressBook::shared()->people().size());
    runUntil([] { return false; }, 200);
    EXPECT_EQ(processesEnded, endedBefore);
    EXPECT_EQ(prompter.shown().size(), promptsBefore + 1);
}

} // namespace
