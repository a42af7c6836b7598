#include "tests/platform/addressbook/addressbookfixture.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <QFile>
#include <QSignalSpy>

#include <sqlite3.h>

namespace {

PersonPtr addPerson(AddressBook &book, const QString &first)
{
    PersonPtr person = Person::create();
    person->setValueForProperty(first, kABFirstNameProperty);
    book.addRecord(person);
    return person;
}

QString firstName(const PersonPtr &person)
{
    return person ? person->valueForProperty(kABFirstNameProperty).toString() : QString();
}

// Moves every journal entry written so far that many days into the past, as if the programs had
// saved them then.
bool ageJournal(const QString &databasePath, int days)
{
    sqlite3 *db = nullptr;
    const QByteArray path = databasePath.toUtf8();
    const QByteArray sql = QByteArrayLiteral("UPDATE changelog SET time = time - ") +
                           QByteArray::number(days * 86400000LL);
    const bool done = sqlite3_open(path.constData(), &db) == SQLITE_OK &&
                      sqlite3_busy_timeout(db, 5000) == SQLITE_OK &&
                      sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return done;
}

} // namespace

// Two books on one file stand for the main program and the agent.
class ChangeJournalTest : public AddressBookFixture
{
protected:
    void SetUp() override
    {
        main = openBook(100, QStringLiteral("Tolvane"));
        agent = openBook(200, QStringLiteral("Agent Tolvane"));
    }

    std::unique_ptr<AddressBook> main;
    std::unique_ptr<AddressBook> agent;
};

TEST_F(ChangeJournalTest, Save_AnnouncesInsertedUpdatedAndDeletedRecordsToBothPrograms)
{
    const PersonPtr kept = addPerson(*agent, QStringLiteral("Kept"));
    const PersonPtr gone = addPerson(*agent, QStringLiteral("Gone"));
    ASSERT_TRUE(agent->save());
    ASSERT_TRUE(waitFor([&] { return main->personForUniqueId(gone->uniqueId()) != nullptr; }));

    QSignalSpy own(agent.get(), &AddressBook::databaseChanged);
    QSignalSpy external(main.get(), &AddressBook::databaseChangedExternally);
    const PersonPtr added = addPerson(*agent, QStringLiteral("New"));
    kept->setValueForProperty(QStringLiteral("Changed"), kABFirstNameProperty);
    agent->removeRecord(gone);
    ASSERT_TRUE(agent->save());

    ASSERT_EQ(own.size(), 1);
    ASSERT_TRUE(waitFor([&] { return external.size() == 1; }));
    for (const QVariantMap &info :
         {own.first().first().toMap(), external.first().first().toMap()}) {
        EXPECT_EQ(info.value(kABSenderProcessName).toString(), QStringLiteral("Agent Tolvane"));
        EXPECT_EQ(info.value(kABSenderProcessID).toLongLong(), 200);
        EXPECT_EQ(info.value(kABInsertedRecords).toStringList(), QStringList{added->uniqueId()});
        EXPECT_EQ(info.value(kABUpdatedRecords).toStringList(), QStringList{kept->uniqueId()});
        EXPECT_EQ(info.value(kABDeletedRecords).toStringList(), QStringList{gone->uniqueId()});
    }
    EXPECT_EQ(firstName(main->personForUniqueId(added->uniqueId())), QStringLiteral("New"));
    EXPECT_EQ(firstName(main->personForUniqueId(kept->uniqueId())), QStringLiteral("Changed"));
    EXPECT_FALSE(main->recordForUniqueId(gone->uniqueId()));
    // The agent is not told of its own save as an outside change.
    QCoreApplication::processEvents();
    EXPECT_FALSE(agent->hasUnsavedChanges());
}

TEST_F(ChangeJournalTest, ExternalUpdate_ChangesTheObjectAlreadyHandedOut)
{
    const PersonPtr ann = addPerson(*main, QStringLiteral("Ann"));
    main->save();
    ASSERT_TRUE(waitFor([&] { return agent->personForUniqueId(ann->uniqueId()) != nullptr; }));
    const PersonPtr agentsAnn = agent->personForUniqueId(ann->uniqueId());

    ann->setValueForProperty(QStringLiteral("Anna"), kABFirstNameProperty);
    main->save();
    ASSERT_TRUE(waitFor([&] { return firstName(agentsAnn) == QStringLiteral("Anna"); }));
    EXPECT_EQ(agent->personForUniqueId(ann->uniqueId()).get(), agentsAnn.get());
}

TEST_F(ChangeJournalTest, SavesOfDifferentRecords_BothSurvive)
{
    const PersonPtr fromMain = addPerson(*main, QStringLiteral("Main"));
    const PersonPtr fromAgent = addPerson(*agent, QStringLiteral("Agent"));
    ASSERT_TRUE(main->save());
    // The agent saves before it has read the main program's change.
    ASSERT_TRUE(agent->save());

    auto fresh = openBook(300);
    EXPECT_TRUE(fresh->personForUniqueId(fromMain->uniqueId()));
    EXPECT_TRUE(fresh->personForUniqueId(fromAgent->uniqueId()));
    ASSERT_TRUE(waitFor([&] { return main->personForUniqueId(fromAgent->uniqueId()) != nullptr; }));
    ASSERT_TRUE(waitFor([&] { return agent->personForUniqueId(fromMain->uniqueId()) != nullptr; }));
}

TEST_F(ChangeJournalTest, SameRecordSavedTwice_LastSaveWinsAndTheOtherReloads)
{
    const PersonPtr ann = addPerson(*main, QStringLiteral("Ann"));
    main->save();
    ASSERT_TRUE(waitFor([&] { return agent->personForUniqueId(ann->uniqueId()) != nullptr; }));
    const PersonPtr agentsAnn = agent->personForUniqueId(ann->uniqueId());

    ann->setValueForProperty(QStringLiteral("FromMain"), kABFirstNameProperty);
    agentsAnn->setValueForProperty(QStringLiteral("FromAgent"), kABFirstNameProperty);
    ASSERT_TRUE(main->save());
    ASSERT_TRUE(agent->save());

    QSignalSpy external(main.get(), &AddressBook::databaseChangedExternally);
    ASSERT_TRUE(waitFor([&] { return firstName(ann) == QStringLiteral("FromAgent"); }));
    EXPECT_FALSE(external.isEmpty());
    EXPECT_EQ(firstName(openBook(300)->personForUniqueId(ann->uniqueId())),
              QStringLiteral("FromAgent"));
}

TEST_F(ChangeJournalTest, NewMe_ReachesTheOtherProgram)
{
    const PersonPtr ann = addPerson(*main, QStringLiteral("Ann"));
    main->setMe(ann);
    main->save();
    ASSERT_TRUE(waitFor([&] { return agent->me() && agent->me()->uniqueId() == ann->uniqueId(); }));
}

TEST_F(ChangeJournalTest, Restore_ReplacesTheBookAndAnnouncesAChangeWithoutRecords)
{
    const PersonPtr ann = addPerson(*main, QStringLiteral("Ann"));
    main->save();
    const QString archive = m_dir.filePath(QStringLiteral("backup.abbu"));
    ASSERT_TRUE(main->exportArchive(archive));
    ASSERT_TRUE(waitFor([&] { return agent->personForUniqueId(ann->uniqueId()) != nullptr; }));
    const PersonPtr agentsAnn = agent->personForUniqueId(ann->uniqueId());

    ann->setValueForProperty(QStringLiteral("Changed"), kABFirstNameProperty);
    const PersonPtr bob = addPerson(*main, QStringLiteral("Bob"));
    main->save();
    ASSERT_TRUE(waitFor([&] { return firstName(agentsAnn) == QStringLiteral("Changed"); }));

    QSignalSpy own(main.get(), &AddressBook::databaseChanged);
    QSignalSpy external(agent.get(), &AddressBook::databaseChangedExternally);
    ASSERT_TRUE(main->restoreArchive(archive));
    EXPECT_EQ(firstName(ann), QStringLiteral("Ann"));
    EXPECT_FALSE(main->recordForUniqueId(bob->uniqueId()));
    ASSERT_EQ(own.size(), 1);
    ASSERT_TRUE(waitFor([&] { return external.size() == 1; }));
    const QVariantMap info = external.first().first().toMap();
    EXPECT_TRUE(info.value(kABInsertedRecords).toStringList().isEmpty());
    EXPECT_TRUE(info.value(kABUpdatedRecords).toStringList().isEmpty());
    EXPECT_TRUE(info.value(kABDeletedRecords).toStringList().isEmpty());
    EXPECT_EQ(firstName(agentsAnn), QStringLiteral("Ann"));
    EXPECT_FALSE(agent->recordForUniqueId(bob->uniqueId()));
}

TEST_F(ChangeJournalTest, Restore_OfAFileThatIsNoArchiveChangesNothing)
{
    const PersonPtr ann = addPerson(*main, QStringLiteral("Ann"));
    main->save();
    const QString bogus = m_dir.filePath(QStringLiteral("bogus.abbu"));
    QFile file(bogus);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database at all, just text");
    file.close();

    EXPECT_FALSE(main->restoreArchive(bogus));
    EXPECT_FALSE(main->restoreArchive(m_dir.filePath(QStringLiteral("missing.abbu"))));
    EXPECT_TRUE(openBook(300)->personForUniqueId(ann->uniqueId()));
}

TEST_F(ChangeJournalTest, WholeBookChangedSince_TellsARestoreAfterThePositionOnly)
{
    const PersonPtr ann = addPerson(*main, QStringLiteral("Ann"));
    main->save();
    const QString archive = m_dir.filePath(QStringLiteral("backup.abbu"));
    ASSERT_TRUE(main->exportArchive(archive));
    ASSERT_TRUE(waitFor([&] { return agent->personForUniqueId(ann->uniqueId()) != nullptr; }));
    const qint64 beforeRestore = agent->lastReadChange();
    EXPECT_FALSE(agent->wholeBookChangedSince(beforeRestore));

    const PersonPtr bob = addPerson(*main, QStringLiteral("Bob"));
    main->save();
    ASSERT_TRUE(waitFor([&] { return agent->personForUniqueId(bob->uniqueId()) != nullptr; }));
    EXPECT_GT(agent->lastReadChange(), beforeRestore);
    EXPECT_FALSE(agent->wholeBookChangedSince(beforeRestore)) << "an ordinary save";

    ASSERT_TRUE(main->restoreArchive(archive));
    ASSERT_TRUE(waitFor([&] { return !agent->personForUniqueId(bob->uniqueId()); }));
    EXPECT_TRUE(agent->wholeBookChangedSince(beforeRestore));
    EXPECT_TRUE(main->wholeBookChangedSince(beforeRestore)) << "whoever asks";
    EXPECT_FALSE(agent->wholeBookChangedSince(agent->lastReadChange())) << "the restore was read";
    EXPECT_TRUE(agent->wholeBookChangedSince(agent->lastReadChange() + 1))
        << "a position the journal never reached belongs to another book";
}

TEST_F(ChangeJournalTest, WholeBookChangedSince_CountsEntriesTrimmedAfterThePosition)
{
    const PersonPtr ann = addPerson(*main, QStringLiteral("Ann"));
    main->save();
    ASSERT_TRUE(waitFor([&] { return agent->personForUniqueId(ann->uniqueId()) != nullptr; }));
    const qint64 afterAnn = agent->lastReadChange();
    const PersonPtr bob = addPerson(*main, QStringLiteral("Bob"));
    main->save();
    ASSERT_TRUE(waitFor([&] { return agent->personForUniqueId(bob->uniqueId()) != nullptr; }));
    const qint64 afterBob = agent->lastReadChange();

    // A week later a save trims both entries: what followed Ann's is gone unread.
    ASSERT_TRUE(ageJournal(databasePath(), 8));
    addPerson(*main, QStringLiteral("Carl"));
    main->save();
    EXPECT_TRUE(agent->wholeBookChangedSince(afterAnn));
    EXPECT_FALSE(agent->wholeBookChangedSince(afterBob));
}
