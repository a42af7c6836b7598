#include "app/apptexts.h"
#include "app/bundleinfo.h"
#include "foundation/programfolder.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/store/persistentstore.h"
#include "tests/support/app/mainprogramtest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

class FatalStartTest : public MainProgramTest
{
protected:
    // Exactly one alert, the one given, critical, and the program ended once.
    void expectOneFatalAlert(const QString &message)
    {
        ASSERT_EQ(prompter.shown().size(), 1) << promptMessages().join("; ").toStdString();
        EXPECT_EQ(prompter.shown().at(0).prompt.message, message);
        EXPECT_EQ(prompter.shown().at(0).prompt.style, Prompt::Style::Critical);
        EXPECT_EQ(terminations, 1);
    }
};

TEST_F(FatalStartTest, WithoutAMeRecordNothingUnderItsFolderIsMade)
{
    AddressBook &book = *AddressBook::shared();
    ASSERT_TRUE(book.removeRecord(book.me()));
    ASSERT_TRUE(book.save());
    EXPECT_FALSE(startProgram());
    expectOneFatalAlert(apptexts::noMeRecord);
    EXPECT_FALSE(QFileInfo::exists(library()));
}

TEST_F(FatalStartTest, WithoutTheAddressBookTool)
{
    ASSERT_TRUE(QFile::remove(programfolder::programPath(programfolder::kAddressBookToolName)));
    EXPECT_FALSE(startProgram());
    expectOneFatalAlert(apptexts::noAddressBook);
}

TEST_F(FatalStartTest, WithoutAnyDataFolder)
{
    qunsetenv("XDG_DATA_HOME");
    const QByteArray home = qgetenv("HOME");
    qunsetenv("HOME");
    EXPECT_FALSE(startProgram());
    qputenv("HOME", home);
    expectOneFatalAlert(apptexts::noApplicationSupport);
}

TEST_F(FatalStartTest, AStoreThatCannotBeOpenedGivesOneAlert1103)
{
    // A folder where the store file must be.
    ASSERT_TRUE(QDir().mkpath(
        library("data/" + PersistentStore::fileName(bundleinfo::kBundleName)) + "/blocked"));
    EXPECT_FALSE(startProgram());
    expectOneFatalAlert(apptexts::fatal1103);
    EXPECT_FALSE(delegate->appGoogleContactTool());
}

TEST_F(FatalStartTest, AnOwnerThatCanBeNeitherReadNorMadeGivesOneAlert)
{
    // A store whose owner table is not the program's: the owner lookup fails, shows its alert,
    // and the start-up adds none of its own.
    const QString store = library("data/" + PersistentStore::fileName(bundleinfo::kBundleName));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(store).path()));
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(store).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE \"TolvaneOwner\" (unrelated TEXT)", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    EXPECT_FALSE(startProgram());
    expectOneFatalAlert(QStringLiteral("This application has encountered fatal error: 1103."));
}

} // namespace
