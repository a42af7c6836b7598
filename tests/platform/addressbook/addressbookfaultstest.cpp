#include "addressbookfixture.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

#include <sqlite3.h>

namespace {

QString noteOf(int i)
{
    return QStringLiteral("note of person %1 ").arg(i, 5, 10, QChar(u'0')) + QString(300, u'n');
}

void addPeople(AddressBook &book, int count)
{
    for (int i = 0; i < count; ++i) {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QStringLiteral("P%1").arg(i), kABFirstNameProperty);
        person->setValueForProperty(noteOf(i), kABNoteProperty);
        book.addRecord(person);
    }
}

bool runSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
              sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class AddressBookFaultsTest : public AddressBookFixture
{
protected:
    // The main file alone, as a backup that copies only the .sqlite file holds it.
    QString copyOfMainFileOnly()
    {
        const QString copy = m_dir.filePath(QStringLiteral("copy/AddressBook.sqlite"));
        QDir().mkpath(QFileInfo(copy).absolutePath());
        QFile::remove(copy);
        EXPECT_TRUE(QFile::copy(databasePath(), copy));
        return copy;
    }
};

TEST_F(AddressBookFaultsTest, ADamagedPageFailsTheOpenAndNamesTheFile)
{
    {
        auto book = openBook();
        addPeople(*book, 3000);
        ASSERT_TRUE(book->save());
    }
    ASSERT_TRUE(damagePageHolding(databasePath(), noteOf(1500).toUtf8()));

    AddressBook book(databasePath(), 100, QStringLiteral("Tolvane"));
    EXPECT_FALSE(book.isOpen());
    EXPECT_TRUE(book.errorString().contains(databasePath())) << book.errorString().toStdString();
    // Nothing of a book read in part is handed out, and nothing is written to it.
    EXPECT_TRUE(book.people().isEmpty());
    book.addRecord(Person::create());
    EXPECT_FALSE(book.save());
}

TEST_F(AddressBookFaultsTest, ADamagedPersonFailsTheOpenThoughPeopleAreDecodedOnlyWhenRead)
{
    {
        auto book = openBook();
        addPeople(*book, 50);
        ASSERT_TRUE(book->save());
    }
    // Cut short inside its values, where only a look at the whole record finds the damage.
    ASSERT_TRUE(runSql(databasePath(), "UPDATE records SET body = substr(body, 1, length(body) - 9)"
                                       " WHERE rowid = (SELECT MAX(rowid) FROM records)"));

    AddressBook book(databasePath(), 100, QStringLiteral("Tolvane"));
    EXPECT_FALSE(book.isOpen());
    EXPECT_TRUE(book.errorString().contains(QStringLiteral("is damaged")))
        << book.errorString().toStdString();
    EXPECT_TRUE(book.people().isEmpty());
}

TEST_F(AddressBookFaultsTest, AFileThatHoldsNoBookIsRefusedAndLeftAsItIs)
{
    // The shape a book's file has when its tables were only in a -wal file that was lost.
    const QString lostLog = m_dir.filePath(QStringLiteral("lostlog.sqlite"));
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(lostLog).constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; CREATE TABLE records (uid TEXT)", nullptr,
                     nullptr, nullptr);
        const QByteArray mainFileAlone = contentsOf(lostLog);
        sqlite3_close(db);
        QFile file(lostLog);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(mainFileAlone);
    }
    ASSERT_GT(QFileInfo(lostLog).size(), 0);
    const QString otherDatabase = m_dir.filePath(QStringLiteral("other.sqlite"));
    ASSERT_TRUE(runSql(otherDatabase, "CREATE TABLE notes (text TEXT); INSERT INTO notes"
                                      " VALUES ('kept')"));
    const QString noise = m_dir.filePath(QStringLiteral("noise.sqlite"));
    {
        QFile file(noise);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, '\x5a'));
    }

    for (const QString &path : {lostLog, otherDatabase, noise}) {
        const QByteArray before = contentsOf(path);
        AddressBook book(path, 100, QStringLiteral("Tolvane"));
        EXPECT_FALSE(book.isOpen()) << path.toStdString();
        EXPECT_FALSE(book.me()) << path.toStdString();
        EXPECT_TRUE(book.errorString().contains(path)) << book.errorString().toStdString();
        EXPECT_EQ(contentsOf(path), before) << path.toStdString();
    }
}

TEST_F(AddressBookFaultsTest, ClosingTheProgramsBookWritesEverythingIntoItsFile)
{
    AddressBook::setDatabasePath(databasePath());
    // Another program keeps the book open, so closing here is not the last close.
    auto other = openBook(200, QStringLiteral("agent"));
    addPeople(*AddressBook::shared(), 300);
    ASSERT_TRUE(AddressBook::shared()->save());
    AddressBook::closeShared();
    AddressBook::setDatabasePath(QString());

    AddressBook copy(copyOfMainFileOnly(), 300, QStringLiteral("Tolvane"));
    ASSERT_TRUE(copy.isOpen()) << copy.errorString().toStdString();
    EXPECT_EQ(copy.people().size(), 301);
}

TEST_F(AddressBookFaultsTest, AGrowingLogIsWrittenIntoTheFileWhileProgramsHaveItOpen)
{
    auto reader = openBook(100);
    auto writer = openBook(200, QStringLiteral("agent"));
    // About 1.5 MB: less than SQLite writes into the file by itself.
    addPeople(*writer, 3000);
    ASSERT_TRUE(writer->save());

    AddressBook copy(copyOfMainFileOnly(), 300, QStringLiteral("Tolvane"));
    ASSERT_TRUE(copy.isOpen()) << copy.errorString().toStdString();
    EXPECT_EQ(copy.people().size(), 3001);
}

TEST_F(AddressBookFaultsTest, ARestoreChecksEveryRecordBeforeItChangesTheBook)
{
    auto book = openBook();
    addPeople(*book, 20);
    ASSERT_TRUE(book->save());
    const QString archive = m_dir.filePath(QStringLiteral("book.backup"));
    ASSERT_TRUE(book->exportArchive(archive));
    ASSERT_TRUE(runSql(archive, "UPDATE records SET body = x'0102' WHERE rowid ="
                                " (SELECT MAX(rowid) FROM records)"));
    addPeople(*book, 5);
    ASSERT_TRUE(book->save());
    QSignalSpy changed(book.get(), &AddressBook::databaseChanged);

    EXPECT_FALSE(book->restoreArchive(archive));
    EXPECT_EQ(changed.size(), 0);
    EXPECT_EQ(book->people().size(), 26);
    auto reopened = openBook(300);
    EXPECT_EQ(reopened->people().size(), 26);
}

TEST_F(AddressBookFaultsTest, TheJournalIsTrimmedAndAReaderStillLearnsWhatItMissed)
{
    auto reader = openBook(100);
    auto writer = openBook(200, QStringLiteral("agent"));
    QSignalSpy external(reader.get(), &AddressBook::databaseChangedExternally);
    addPeople(*writer, 1);
    ASSERT_TRUE(writer->save());
    const QString unread = writer->people().last()->uniqueId();
    // The rows so far are older than any reader waits for.
    ASSERT_TRUE(runSql(databasePath(), "UPDATE changelog SET time = time - 8 * 86400000"));
    addPeople(*writer, 1);
    ASSERT_TRUE(writer->save());

    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(databasePath()).constData(), &db), SQLITE_OK);
    sqlite3_stmt *count = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM changelog", -1, &count, nullptr);
    ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(count, 0), 1);
    sqlite3_finalize(count);
    sqlite3_close(db);

    reader->checkForExternalChanges();
    EXPECT_TRUE(reader->personForUniqueId(unread));
    EXPECT_TRUE(reader->personForUniqueId(writer->people().last()->uniqueId()));
    EXPECT_EQ(reader->people().size(), 3);
    EXPECT_GE(external.size(), 1);
}

TEST_F(AddressBookFaultsTest, ANewBookAndItsFoldersAreTheUsersAlone)
{
    const QString folder = m_dir.filePath(QStringLiteral("data/tolvane-ab"));
    const QString path = folder + QStringLiteral("/AddressBook.sqlite");
    AddressBook book(path, 100, QStringLiteral("Tolvane"));
    ASSERT_TRUE(book.isOpen()) << book.errorString().toStdString();
    addPeople(book, 1);
    ASSERT_TRUE(book.save());

    constexpr auto kFolder = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ExeOwner | QFileDevice::ReadUser |
                             QFileDevice::WriteUser | QFileDevice::ExeUser;
    constexpr auto kFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                           QFileDevice::ReadUser | QFileDevice::WriteUser;
    EXPECT_EQ(QFileInfo(m_dir.filePath(QStringLiteral("data"))).permissions(), kFolder);
    EXPECT_EQ(QFileInfo(folder).permissions(), kFolder);
    for (const QString &file : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")})
        EXPECT_EQ(QFileInfo(file).permissions(), kFile) << file.toStdString();
    const QString archive = m_dir.filePath(QStringLiteral("book.backup"));
    ASSERT_TRUE(book.exportArchive(archive));
    EXPECT_EQ(QFileInfo(archive).permissions(), kFile);
}
