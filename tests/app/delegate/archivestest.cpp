#include "app/delegate/archivetexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/push/pushkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/app/mainprogramtest.h"
#include "tests/support/scriptedfilechooser.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <sqlite3.h>

namespace {

// The backups and restores of either side, from the menu commands of the running program.
class ArchivesTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        storePassword(kPassword);
        ASSERT_TRUE(startAndLogIn());
        delegate->dataMoverWindowController()->window()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        journal.clear();
        // A stand-in for the agent's bus client that tells what the book held when it was
        // silenced and switched on again.
        AppDelegate::setAgentListener({[this] { return agentListening; },
                                       [this] { agentCalls << "silence:" + bookState(); },
                                       [this] {
                                           agentCalls << "on:" + bookState();
                                       }});
    }
    void TearDown() override
    {
        AppDelegate::setAgentListener({});
        MainProgramTest::TearDown();
    }

    static QString bookState() { return QString::number(AddressBook::shared()->people().size()); }

    struct ToolResult
    {
        int exitCode = -1;
        QString out;
    };
    ToolResult abtool(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(ABTOOL_PATH),
                      QStringList{QStringLiteral("--db"), AddressBook::databasePath()} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed()};
    }
    // The program's book reads the other program's changes now.
    static void readExternalChanges() { AddressBook::shared()->checkForExternalChanges(); }

    QString path(const QString &name) const { return QDir(folder.path()).filePath(name); }
    QString writeFile(const QString &name, const QByteArray &data) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return file.fileName();
    }

    static QStringList names(const AddressBook &book)
    {
        QStringList all;
        for (const PersonPtr &person : book.people())
            all << person->valueForProperty(kABFirstNameProperty).toString();
        all.sort();
        return all;
    }

    // Backs the book up to the path through the menu command; the prompts it showed.
    void backUpTo(const QString &target)
    {
        chooser.answer(target);
        delegate->backupAddressBook();
        runUntil([] { return false; }, 100);
    }
    // Restores from the path through the menu command, confirming with the answer.
    void restoreFrom(const QString &source, int confirmation = kAlertFirstButtonReturn)
    {
        chooser.answer(source);
        prompter.answer(confirmation);
        const qsizetype before = prompter.shown().size();
        delegate->restoreAddressBook();
        runUntil([&] { return prompter.shown().size() > before + 1; }, 500);
    }

    ScriptedFileChooser chooser;
    QTemporaryDir folder;
    bool agentListening = true;
    QStringList agentCalls;
};

QByteArray pngPicture()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

bool runSql(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

// The backup asks for a file in the backups folder under a dated name, on the window in front.
TEST_F(ArchivesTest, TheBackupSuggestsADatedFileInTheBackupsFolder)
{
    chooser.cancel();
    delegate->backupAddressBook();
    ASSERT_EQ(chooser.shown().size(), 1);
    const FileChoice &choice = chooser.shown().front().choice;
    EXPECT_EQ(choice.mode, FileChoice::Mode::Save);
    EXPECT_EQ(QDir(choice.directory), QDir(library("Address Book Backups")));
    EXPECT_TRUE(QFileInfo(choice.directory).isDir());
    EXPECT_EQ(choice.fileName,
              "Address Book Backup " + QDate::currentDate().toString("yyyy-MM-dd") + ".sqlite");
    runUntil([] { return false; }, 100);
    EXPECT_TRUE(promptMessages().isEmpty());
}

// People, groups, a picture and the Me record written by another program, and a change of this
// program's not yet saved, all come back from the backup; every program hears of the restore as a
// change without record lists, the open data loader shows the book again, the agent is silent
// while it runs and the automatic push stays off until the user turns it on again.
TEST_F(ArchivesTest, ARoundTripBringsBackTheWholeBookAndStopsTheAutomaticPush)
{
    const QByteArray picture = pngPicture();
    const QString cards =
        writeFile("cards.vcf",
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\nPHOTO;ENCODING=b;"
                  "TYPE=PNG:" +
                      picture.toBase64() +
                      "\r\nEND:VCARD\r\n"
                      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bob;;;\r\nFN:Bob Ray\r\nEND:VCARD\r\n");
    const ToolResult imported = abtool({"import", cards});
    ASSERT_EQ(imported.exitCode, 0);
    const QStringList ids = imported.out.split('\n');
    ASSERT_EQ(ids.size(), 2);
    const QString ann = ids.at(0);
    ASSERT_EQ(abtool({"add-group", "Friends", ids.at(0), ids.at(1)}).exitCode, 0);
    AddressBook &book = *AddressBook::shared();
    ASSERT_TRUE(book.me());
    const QString firstMe = book.me()->uniqueId();
    ASSERT_EQ(abtool({"set-me", ann}).exitCode, 0);
    readExternalChanges();
    ASSERT_TRUE(book.personForUniqueId(ann));
    const PersonPtr unsaved = Person::create();
    unsaved->setValueForProperty(QStringLiteral("Unsaved"), kABFirstNameProperty);
    book.addRecord(unsaved);
    const QStringList backedUp = names(book);

    const QString archive = path("book.sqlite");
    backUpTo(archive);
    ASSERT_TRUE(QFileInfo(archive).isFile()) << promptMessages().join('|').toStdString();
    EXPECT_FALSE(book.hasUnsavedChanges());

    // Another program makes someone else Me and deletes the two people.
    ASSERT_EQ(abtool({"set-me", firstMe}).exitCode, 0);
    for (const QString &id : ids)
        ASSERT_EQ(abtool({"delete", id}).exitCode, 0);
    readExternalChanges();
    ASSERT_FALSE(book.personForUniqueId(ann));

    AddressBook other(AddressBook::databasePath(), 4242, QStringLiteral("agent"));
    QSignalSpy external(&other, &AddressBook::databaseChangedExternally);
    UserDefaults::standard().setInteger(1, pushkeys::autoPushABChanges);
    delegate->openDataMover();
    windows->made.constLast()->offerCommand("setABBackingData");
    restoreFrom(archive);

    EXPECT_EQ(names(book), backedUp);
    const PersonPtr restoredAnn = book.personForUniqueId(ann);
    ASSERT_TRUE(restoredAnn);
    EXPECT_EQ(book.me(), restoredAnn);
    EXPECT_EQ(QImage::fromData(restoredAnn->imageData()).pixelColor(0, 0), QColor(Qt::red));
    const GroupPtr friends = book.groups().size() == 1 ? book.groups().first() : GroupPtr();
    ASSERT_TRUE(friends);
    EXPECT_EQ(friends->members().size(), 2);

    ASSERT_TRUE(runUntil([&] { return !external.isEmpty(); }, 5000));
    const QVariantMap notice = external.first().first().toMap();
    for (const QString &list : {kABInsertedRecords, kABUpdatedRecords, kABDeletedRecords})
        EXPECT_TRUE(notice.value(list).toStringList().isEmpty()) << list.toStdString();
    EXPECT_EQ(names(other), backedUp);

    EXPECT_TRUE(journal.contains("command:setABBackingData"));
    // Silenced before the restore (the two people gone) and listening again after it.
    EXPECT_EQ(agentCalls, (QStringList{"silence:" + QString::number(backedUp.size() - 2),
                                       "on:" + QString::number(backedUp.size())}));
    EXPECT_EQ(UserDefaults::standard().integerForKey(pushkeys::autoPushABChanges), 0);
    ASSERT_FALSE(prompter.shown().isEmpty());
    EXPECT_EQ(prompter.shown().back().prompt.message, archivetexts::restoredAlert);
    EXPECT_EQ(prompter.shown().back().prompt.informativeText, archivetexts::restoredAlertSmall);
}

// A file that is no sound backup is refused with its reason; the book, the push setting and a
// second program are unchanged, and the agent listens again.
TEST_F(ArchivesTest, ARefusedRestoreIsShownAndChangesNothing)
{
    AddressBook &book = *AddressBook::shared();
    const PersonPtr kept = Person::create();
    kept->setValueForProperty(QStringLiteral("Kept"), kABFirstNameProperty);
    book.addRecord(kept);
    ASSERT_TRUE(book.save());
    const QString damaged = path("damaged.sqlite");
    ASSERT_TRUE(book.exportArchive(damaged));
    ASSERT_TRUE(runSql(damaged, "UPDATE records SET body = x'0102'"));
    const QStringList before = names(book);
    AddressBook other(AddressBook::databasePath(), 4242, QStringLiteral("agent"));
    UserDefaults::standard().setInteger(1, pushkeys::autoPushABChanges);

    const struct
    {
        const char *label;
        QString file;
        const char *reason;
    } cases[] = {
        {"text file", writeFile("notes.txt", QByteArray("just some notes\n").repeated(100)),
         "no intact SQLite database"},
        {"damaged records", damaged, "cannot be read"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        agentCalls.clear();
        QSignalSpy external(&other, &AddressBook::databaseChangedExternally);
        restoreFrom(c.file);
        ASSERT_GE(prompter.shown().size(), 2);
        const Prompt shown = prompter.shown().back().prompt;
        EXPECT_EQ(shown.message, archivetexts::restoreFailed);
        EXPECT_TRUE(shown.informativeText.contains(c.reason))
            << shown.informativeText.toStdString();
        EXPECT_EQ(names(book), before);
        other.checkForExternalChanges();
        EXPECT_TRUE(external.isEmpty());
        EXPECT_EQ(UserDefaults::standard().integerForKey(pushkeys::autoPushABChanges), 1);
        EXPECT_EQ(agentCalls.size(), 2);
        EXPECT_TRUE(agentCalls.last().startsWith("on:"));
    }
}

// Cancelling the choice or the confirmation restores nothing; an agent that does not listen is
// left alone.
TEST_F(ArchivesTest, ACancelledRestoreLeavesTheBook)
{
    AddressBook &book = *AddressBook::shared();
    const QString archive = path("book.sqlite");
    ASSERT_TRUE(book.exportArchive(archive));
    const PersonPtr added = Person::create();
    added->setValueForProperty(QStringLiteral("Added"), kABFirstNameProperty);
    book.addRecord(added);
    ASSERT_TRUE(book.save());
    const QStringList before = names(book);

    chooser.cancel();
    delegate->restoreAddressBook();
    runUntil([] { return false; }, 100);
    EXPECT_TRUE(prompter.shown().isEmpty());

    restoreFrom(archive, kAlertSecondButtonReturn);
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().front().prompt.message, archivetexts::restoreConfirm);
    EXPECT_EQ(prompter.shown().front().prompt.buttons,
              (QStringList{archivetexts::restoreButton, archivetexts::cancelButton}));
    EXPECT_EQ(names(book), before);

    agentListening = false;
    restoreFrom(archive);
    EXPECT_FALSE(names(book).contains("Added"));
    EXPECT_TRUE(agentCalls.isEmpty());
}

// A backup that cannot be written is shown, and the backup already at that path stays whole.
TEST_F(ArchivesTest, AFailedBackupKeepsTheOneThatWasThere)
{
    const QString archive = writeFile("book.sqlite", "the earlier backup");
    // The copy is written beside the chosen file first; here it cannot be.
    ASSERT_TRUE(QDir().mkpath(archive + ".partial/occupied"));
    backUpTo(archive);
    ASSERT_FALSE(prompter.shown().isEmpty());
    EXPECT_EQ(prompter.shown().back().prompt.message, archivetexts::backupFailed);
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "the earlier backup");
}

// The Google restore works on the account of a second-account browser in front, else on the
// application's; with another window in front of such a browser it does nothing.
TEST_F(ArchivesTest, TheGoogleRestoreChoosesTheEngineOfTheWindowInFront)
{
    auto makeKey = [](WindowController *controller) {
        controller->showWindow();
        return QTest::qWaitForWindowActive(controller->window());
    };
    auto restoreFolder = [&]() -> std::optional<QString> {
        chooser.cancel();
        const qsizetype before = chooser.shown().size();
        delegate->restoreGMail();
        if (chooser.shown().size() == before)
            return std::nullopt;
        return chooser.shown().back().choice.directory;
    };
    EXPECT_EQ(restoreFolder(), delegate->appGoogleContactTool()->accountBackupFolderPath());

    delegate->openBrowserView();
    delegate->openBrowser2View();
    RecordingWindow *const second = windows->made.constLast();
    second->googleTool()->setUser("carol@example.com");
    ASSERT_TRUE(makeKey(second));
    const std::optional<QString> carols = restoreFolder();
    ASSERT_TRUE(carols);
    EXPECT_EQ(*carols, second->googleTool()->accountBackupFolderPath());
    EXPECT_TRUE(carols->endsWith("carol")) << carols->toStdString();

    delegate->openDataMover();
    ASSERT_TRUE(makeKey(delegate->dataMoverWindowController()));
    EXPECT_EQ(restoreFolder(), std::nullopt);
}
