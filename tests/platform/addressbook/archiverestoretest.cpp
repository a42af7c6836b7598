#include "addressbookfixture.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

#include <QFile>
#include <QSignalSpy>

#include <sqlite3.h>

namespace {

bool runSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

PersonPtr addPerson(AddressBook &book, const QString &name)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(name, kABFirstNameProperty);
    book.addRecord(person);
    return person;
}

QStringList firstNames(const AddressBook &book)
{
    QStringList names;
    for (const PersonPtr &person : book.people())
        names << person->valueForProperty(kABFirstNameProperty).toString();
    names.sort();
    return names;
}

} // namespace

// An archive is checked whole before the book is touched: a refused one leaves the book, its
// journal and every other program's view of it as they were, and says why.
class ArchiveRestoreTest : public AddressBookFixture
{
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // A real backup of a book of three people, one with a picture, made by another program.
    QString backupOfThree()
    {
        const QString archive = path("good.backup");
        auto other =
            std::make_unique<AddressBook>(path("other.sqlite"), 400, QStringLiteral("Tolvane"));
        for (const char *name : {"Ann", "Bob", "Cy"})
            addPerson(*other, QString::fromLatin1(name));
        other->people().first()->setImageData(QByteArray("picture bytes"));
        EXPECT_TRUE(other->save());
        EXPECT_TRUE(other->exportArchive(archive));
        m_archivedNames = firstNames(*other);
        return archive;
    }

    // The first names the backup holds, its Me record's included.
    QStringList m_archivedNames;
};

TEST_F(ArchiveRestoreTest, ABrokenOrForeignArchiveIsRefusedAndNothingChanges)
{
    struct Case
    {
        const char *label;
        std::function<QString()> make;
        const char *reason;
    };
    const Case cases[] = {
        {"text file",
         [&] {
             QFile file(path("notes.txt"));
             EXPECT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(
                 QByteArray("BEGIN:VCARD\r\nN:Not;A;Backup;;\r\nEND:VCARD\r\n").repeated(200));
             return file.fileName();
         },
         "no intact SQLite database"},
        {"foreign database",
         [&] {
             const QString foreign = path("foreign.sqlite");
             EXPECT_TRUE(runSql(foreign, "CREATE TABLE records (id INTEGER, name TEXT);"
                                         "INSERT INTO records VALUES (1, 'x')"));
             return foreign;
         },
         "holds no address book"},
        {"newer schema",
         [&] {
             const QString archive = backupOfThree();
             EXPECT_TRUE(runSql(archive, "UPDATE schema_version SET version = 99"));
             return archive;
         },
         "newer version"},
        {"damaged record",
         [&] {
             const QString archive = backupOfThree();
             EXPECT_TRUE(runSql(archive, "UPDATE records SET body = x'0102' WHERE rowid ="
                                         " (SELECT MAX(rowid) FROM records)"));
             return archive;
         },
         "cannot be read"},
        {"picture of no record",
         [&] {
             const QString archive = backupOfThree();
             EXPECT_TRUE(runSql(archive, "INSERT INTO images (uid, data)"
                                         " VALUES ('GONE:ABPerson', x'00')"));
             return archive;
         },
         "belongs to no record"},
        {"damaged page",
         [&] {
             const QString archive = backupOfThree();
             EXPECT_TRUE(damagePageHolding(archive, QByteArray("picture bytes")));
             return archive;
         },
         "no intact SQLite database"},
    };

    auto book = openBook(100);
    auto other = openBook(200, QStringLiteral("agent"));
    for (const char *name : {"Kept", "Also kept"})
        addPerson(*book, QString::fromLatin1(name));
    ASSERT_TRUE(book->save());
    ASSERT_TRUE(waitFor([&] { return other->people().size() == 3; }));
    const QStringList before = firstNames(*book);

    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QString archive = c.make();
        const qint64 journalBefore = book->lastReadChange();
        QSignalSpy changed(book.get(), &AddressBook::databaseChanged);
        QSignalSpy external(other.get(), &AddressBook::databaseChangedExternally);

        EXPECT_FALSE(book->restoreArchive(archive));
        EXPECT_TRUE(book->errorString().contains(QString::fromLatin1(c.reason)))
            << book->errorString().toStdString();
        EXPECT_EQ(changed.size(), 0);
        EXPECT_EQ(firstNames(*book), before);

        other->checkForExternalChanges();
        EXPECT_EQ(external.size(), 0);
        EXPECT_EQ(firstNames(*other), before);
        auto reopened = openBook(300);
        EXPECT_EQ(firstNames(*reopened), before);
        EXPECT_EQ(reopened->lastReadChange(), journalBefore);
        EXPECT_FALSE(reopened->wholeBookChangedSince(journalBefore));
    }
}

// The same check passes a sound backup, which then replaces the book for every program.
TEST_F(ArchiveRestoreTest, ASoundArchiveReplacesTheBookForEveryProgram)
{
    const QString archive = backupOfThree();
    auto book = openBook(100);
    auto other = openBook(200, QStringLiteral("agent"));
    addPerson(*book, QStringLiteral("Gone"));
    ASSERT_TRUE(book->save());

    ASSERT_TRUE(book->restoreArchive(archive)) << book->errorString().toStdString();
    EXPECT_EQ(firstNames(*book), m_archivedNames);
    EXPECT_FALSE(firstNames(*book).contains(QStringLiteral("Gone")));
    ASSERT_TRUE(waitFor([&] { return firstNames(*other) == firstNames(*book); }));
    int pictured = 0;
    for (const PersonPtr &person : other->people())
        pictured += person->imageData() == QByteArray("picture bytes");
    EXPECT_EQ(pictured, 1);
}
