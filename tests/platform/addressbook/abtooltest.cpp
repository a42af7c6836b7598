#include "addressbookfixture.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>

// The address book tool, run as a program of its own on the test's database.
class AbToolTest : public AddressBookFixture
{
protected:
    struct Result
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    Result abtool(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(ABTOOL_PATH),
                      QStringList{QStringLiteral("--db"), databasePath()} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString writeFile(const QString &name, const QByteArray &data)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return path;
    }
};

TEST_F(AbToolTest, ChangesFromTheToolReachAnOpenBookWithTheirSender)
{
    auto book = openBook();
    QSignalSpy external(book.get(), &AddressBook::databaseChangedExternally);
    const QString cards = writeFile(QStringLiteral("two.vcf"),
                                    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nEND:VCARD\r\n"
                                    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bob;;;\r\nEND:VCARD\r\n");

    const Result imported = abtool({QStringLiteral("import"), cards});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    const QStringList ids = imported.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(ids.size(), 2);
    ASSERT_TRUE(waitFor([&] { return external.size() == 1; }));
    QVariantMap info = external.takeFirst().first().toMap();
    EXPECT_EQ(info.value(kABSenderProcessName).toString(), QStringLiteral("abtool"));
    EXPECT_GT(info.value(kABSenderProcessID).toLongLong(), 0);
    EXPECT_EQ(info.value(kABInsertedRecords).toStringList().size(), 2);
    ASSERT_TRUE(book->personForUniqueId(ids.at(0)));

    ASSERT_EQ(
        abtool({QStringLiteral("set"), ids.at(0), kABFirstNameProperty, QStringLiteral("Anna")})
            .exitCode,
        0);
    ASSERT_TRUE(waitFor([&] { return external.size() == 1; }));
    info = external.takeFirst().first().toMap();
    EXPECT_EQ(info.value(kABUpdatedRecords).toStringList(), QStringList{ids.at(0)});
    EXPECT_EQ(book->personForUniqueId(ids.at(0))->valueForProperty(kABFirstNameProperty),
              QVariant(QStringLiteral("Anna")));

    ASSERT_EQ(abtool({QStringLiteral("delete"), ids.at(1)}).exitCode, 0);
    ASSERT_TRUE(waitFor([&] { return external.size() == 1; }));
    info = external.takeFirst().first().toMap();
    EXPECT_EQ(info.value(kABDeletedRecords).toStringList(), QStringList{ids.at(1)});
    EXPECT_FALSE(book->recordForUniqueId(ids.at(1)));
}

TEST_F(AbToolTest, GroupsMeShowExportBackupAndRestore)
{
    auto book = openBook();
    const PersonPtr ann = Person::create();
    ann->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
    book->addRecord(ann);
    const GroupPtr friends = Group::create();
    friends->setValueForProperty(QStringLiteral("Friends"), kABGroupNameProperty);
    book->addRecord(friends);
    ASSERT_TRUE(book->save());

    const QString archive = m_dir.filePath(QStringLiteral("book.backup"));
    ASSERT_EQ(abtool({QStringLiteral("backup"), archive}).exitCode, 0);
    ASSERT_EQ(abtool({QStringLiteral("add-to-group"), QStringLiteral("Friends"), ann->uniqueId()})
                  .exitCode,
              0);
    ASSERT_EQ(abtool({QStringLiteral("set-me"), ann->uniqueId()}).exitCode, 0);
    ASSERT_TRUE(waitFor([&] { return !friends->members().isEmpty() && book->me() == ann; }));

    const Result shown = abtool({QStringLiteral("show"), ann->uniqueId()});
    EXPECT_TRUE(shown.out.contains(QStringLiteral("\r\nCATEGORIES:Friends\r\n")));
    EXPECT_TRUE(
        abtool({QStringLiteral("list")}).out.contains(ann->uniqueId() + QStringLiteral("\tAnn")));
    const QString exported = m_dir.filePath(QStringLiteral("out.vcf"));
    ASSERT_EQ(abtool({QStringLiteral("export"), exported, ann->uniqueId()}).exitCode, 0);
    QFile file(exported);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Ann;;;\r\n"));

    ASSERT_EQ(abtool({QStringLiteral("remove-from-group"), friends->uniqueId(), ann->uniqueId()})
                  .exitCode,
              0);
    ASSERT_TRUE(waitFor([&] { return friends->members().isEmpty(); }));
    ASSERT_EQ(abtool({QStringLiteral("restore"), archive}).exitCode, 0);
    ASSERT_TRUE(waitFor([&] { return book->me() != ann; }));
    EXPECT_TRUE(friends->members().isEmpty());
}

// Another program's group and bulk edit each arrive as one change notice.
TEST_F(AbToolTest, AddGroupAndSetOverManyRecords_EachOneSave)
{
    auto book = openBook();
    QSignalSpy external(book.get(), &AddressBook::databaseChangedExternally);
    QStringList people;
    for (const char *name : {"Ann", "Bob", "Cy"}) {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QString::fromLatin1(name), kABFirstNameProperty);
        book->addRecord(person);
        people << person->uniqueId();
    }
    ASSERT_TRUE(book->save());

    const Result made =
        abtool({QStringLiteral("add-group"), QStringLiteral("Team"), people.at(0), people.at(1)});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const QString groupID = made.out.trimmed();
    ASSERT_TRUE(waitFor([&] { return book->groupForUniqueId(groupID) != nullptr; }));
    const GroupPtr team = book->groupForUniqueId(groupID);
    EXPECT_EQ(team->valueForProperty(kABGroupNameProperty).toString(), QStringLiteral("Team"));
    QStringList members;
    for (const PersonPtr &member : team->members())
        members << member->uniqueId();
    members.sort();
    QStringList firstTwo{people.at(0), people.at(1)};
    firstTwo.sort();
    EXPECT_EQ(members, firstTwo);
    ASSERT_TRUE(waitFor([&] { return external.size() == 1; }));
    EXPECT_TRUE(external.takeFirst()
                    .first()
                    .toMap()
                    .value(kABInsertedRecords)
                    .toStringList()
                    .contains(groupID));

    const Result set = abtool(QStringList{QStringLiteral("set")} + people +
                              QStringList{kABJobTitleProperty, QStringLiteral("Pilot")});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    ASSERT_TRUE(waitFor([&] { return external.size() == 1; }));
    QStringList updated =
        external.takeFirst().first().toMap().value(kABUpdatedRecords).toStringList();
    updated.sort();
    QStringList expected = people;
    expected.sort();
    EXPECT_EQ(updated, expected);
    for (const QString &uid : people)
        EXPECT_EQ(book->personForUniqueId(uid)->valueForProperty(kABJobTitleProperty).toString(),
                  QStringLiteral("Pilot"));

    // One unknown record and nothing of the command is saved.
    const Result bad = abtool({QStringLiteral("set"), people.at(0), QStringLiteral("NOPE:ABPerson"),
                               kABJobTitleProperty, QStringLiteral("Clerk")});
    EXPECT_EQ(bad.exitCode, 1);
    const Result badGroup = abtool(
        {QStringLiteral("add-group"), QStringLiteral("Ghosts"), QStringLiteral("NOPE:ABPerson")});
    EXPECT_EQ(badGroup.exitCode, 1);
    EXPECT_FALSE(abtool({QStringLiteral("list")}).out.contains(QStringLiteral("Ghosts")));
    EXPECT_FALSE(
        abtool({QStringLiteral("show"), people.at(0)}).out.contains(QStringLiteral("Clerk")));
}

TEST_F(AbToolTest, BadCommandsFailWithAMessage)
{
    openBook();
    const QStringList commands[] = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("show"), QStringLiteral("NOPE:ABPerson")},
        {QStringLiteral("set"), QStringLiteral("NOPE:ABPerson"), kABFirstNameProperty,
         QStringLiteral("x")},
        {QStringLiteral("import"), m_dir.filePath(QStringLiteral("missing.vcf"))},
        {QStringLiteral("restore"), m_dir.filePath(QStringLiteral("missing.backup"))},
    };
    for (const QStringList &arguments : commands) {
        const Result result = abtool(arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("abtool: ")));
    }
}

// A save is one transaction: killing the program in the middle leaves none of it behind.
TEST_F(AbToolTest, KilledDuringALargeSave_TheBookHoldsAllOrNoneOfIt)
{
    constexpr int kCards = 2000;
    QByteArray cards;
    const QByteArray note = "NOTE:" + QByteArray(2000, 'n') + "\r\n";
    for (int i = 0; i < kCards; ++i)
        cards += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Person;" + QByteArray::number(i) + ";;;\r\n" +
                 note + "END:VCARD\r\n";
    const QString path = writeFile(QStringLiteral("many.vcf"), cards);
    {
        openBook();
    }
    const QString wal = databasePath() + QStringLiteral("-wal");
    const qint64 walBefore = QFileInfo(wal).size();

    QProcess process;
    process.start(QStringLiteral(ABTOOL_PATH),
                  {QStringLiteral("--db"), databasePath(), QStringLiteral("import"), path});
    ASSERT_TRUE(process.waitForStarted());
    // Wait for the save to write its first pages, then kill the program without warning.
    waitFor(
        [&] {
            return QFileInfo(wal).size() > walBefore + 1024 * 1024 ||
                   process.state() == QProcess::NotRunning;
        },
        120000);
    process.kill();
    process.waitForFinished();

    auto book = openBook(300);
    const qsizetype people = book->people().size();
    EXPECT_TRUE(people == 1 || people == 1 + kCards) << people;
}

namespace {

// The address book's vCards hold notes while it lives, for this program and the tool alike.
struct NotesInVCards
{
    NotesInVCards() { UserDefaults(kABPreferencesDomain).setBool(true, kABIncludeNotesInVCard); }
    ~NotesInVCards()
    {
        UserDefaults(kABPreferencesDomain).removeObjectForKey(kABIncludeNotesInVCard);
    }
};

} // namespace

TEST_F(AbToolTest, ProgramsThatOpenANewBookAtOnceAllSucceedAndOneMakesMe)
{
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nEND:VCARD\r\n";
    const QString cards = writeFile(QStringLiteral("one.vcf"), card);
    for (int round = 0; round < 8; ++round) {
        const QString db = m_dir.filePath(QStringLiteral("round%1/AddressBook.sqlite").arg(round));
        std::vector<std::unique_ptr<QProcess>> programs;
        for (int i = 0; i < 3; ++i) {
            programs.push_back(std::make_unique<QProcess>());
            programs.back()->start(QStringLiteral(ABTOOL_PATH),
                                   {QStringLiteral("--db"), db, QStringLiteral("import"), cards});
        }
        for (const auto &program : programs) {
            ASSERT_TRUE(program->waitForFinished(60000));
            EXPECT_EQ(program->exitCode(), 0)
                << "round " << round << ": " << program->readAllStandardError().toStdString();
        }
        AddressBook book(db, 300, QStringLiteral("Tolvane"));
        ASSERT_TRUE(book.isOpen()) << book.errorString().toStdString();
        // Three imported people and the one Me of the program that made the book.
        EXPECT_EQ(book.people().size(), 4) << "round " << round;
        EXPECT_TRUE(book.me()) << "round " << round;
    }
}

TEST_F(AbToolTest, ExportOnAFullDiskFailsAndLeavesThePreviousExportWhole)
{
    const NotesInVCards notes;
    {
        auto book = openBook();
        for (int i = 0; i < 600; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("P%1").arg(i), kABFirstNameProperty);
            person->setValueForProperty(QString(300, u'n'), kABNoteProperty);
            book->addRecord(person);
        }
        ASSERT_TRUE(book->save());
    }
    const QString exported = m_dir.filePath(QStringLiteral("out.vcf"));
    ASSERT_EQ(abtool({QStringLiteral("export"), exported}).exitCode, 0);
    QFile file(exported);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    ASSERT_GT(whole.size(), 128 * 1024);

    // Files may grow to 64 KB only, as on a disk that is full.
    QProcess process;
    process.start(QStringLiteral("bash"), {QStringLiteral("-c"),
                                           QStringLiteral("trap '' XFSZ; ulimit -f 64; exec \"$0\" "
                                                          "--db \"$1\" export \"$2\""),
                                           QStringLiteral(ABTOOL_PATH), databasePath(), exported});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains(exported));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), whole);
}

TEST_F(AbToolTest, ImportCutsCardsOnlyAtTheStartOfALine)
{
    // The tool's export then holds the note, which holds the words that begin a card.
    const NotesInVCards notes;
    {
        auto book = openBook();
        const PersonPtr ann = Person::create();
        ann->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
        ann->setValueForProperty(QStringLiteral("pasted:\nBEGIN:VCARD\nN:Nobody\nEND:VCARD"),
                                 kABNoteProperty);
        book->addRecord(ann);
        ASSERT_TRUE(book->save());
    }
    const QString exported = m_dir.filePath(QStringLiteral("out.vcf"));
    ASSERT_EQ(abtool({QStringLiteral("export"), exported}).exitCode, 0);
    const QString agent = writeFile(
        QStringLiteral("agent.vcf"),
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Boss;Bea\r\nAGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N:Helper;Hal\r\nEND:VCARD\r\nTEL;WORK:+1 555 0100\r\nEND:VCARD\r\n");

    const Result fromExport = abtool({QStringLiteral("import"), exported});
    ASSERT_EQ(fromExport.exitCode, 0) << fromExport.err.toStdString();
    // Me and Ann, each once.
    EXPECT_EQ(fromExport.out.split(u'\n', Qt::SkipEmptyParts).size(), 2);
    const Result fromAgent = abtool({QStringLiteral("import"), agent});
    ASSERT_EQ(fromAgent.exitCode, 0) << fromAgent.err.toStdString();
    ASSERT_EQ(fromAgent.out.split(u'\n', Qt::SkipEmptyParts).size(), 1);

    auto book = openBook(300);
    const PersonPtr bea = book->personForUniqueId(fromAgent.out.trimmed());
    ASSERT_TRUE(bea);
    EXPECT_EQ(bea->valueForProperty(kABLastNameProperty), QVariant(QStringLiteral("Boss")));
    EXPECT_EQ(bea->multiValueForProperty(kABPhoneProperty).valueAt(0),
              QVariant(QStringLiteral("+1 555 0100")));
    int anns = 0;
    for (const PersonPtr &person : book->people()) {
        if (person->valueForProperty(kABFirstNameProperty) == QVariant(QStringLiteral("Ann"))) {
            ++anns;
            EXPECT_EQ(person->valueForProperty(kABNoteProperty),
                      QVariant(QStringLiteral("pasted:\nBEGIN:VCARD\nN:Nobody\nEND:VCARD")));
        }
        EXPECT_FALSE(person->valueForProperty(kABLastNameProperty) ==
                     QVariant(QStringLiteral("Nobody")));
    }
    EXPECT_EQ(anns, 2);
}

TEST_F(AbToolTest, ImportReadsUtf16AndUtf8WithAByteOrderMark)
{
    openBook();
    const QString card = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Łukasz;Zoë;;;\r\n"
                                        "END:VCARD\r\n");
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : card)
        utf16.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    const QByteArray files[] = {utf16, "\xEF\xBB\xBF" + card.toUtf8()};
    for (const QByteArray &data : files) {
        const Result result =
            abtool({QStringLiteral("import"), writeFile(QStringLiteral("card.vcf"), data)});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        auto book = openBook(300);
        const PersonPtr person = book->personForUniqueId(result.out.trimmed());
        ASSERT_TRUE(person);
        EXPECT_EQ(person->valueForProperty(kABFirstNameProperty), QVariant(QStringLiteral("Zoë")));
    }
}

TEST_F(AbToolTest, ADamagedBookIsNeitherListedNorExported)
{
    {
        auto book = openBook();
        for (int i = 0; i < 1000; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Person %1 of the book").arg(i),
                                        kABFirstNameProperty);
            book->addRecord(person);
        }
        ASSERT_TRUE(book->save());
    }
    ASSERT_TRUE(damagePageHolding(databasePath(), "Person 500 of the book"));
    const QString exported = m_dir.filePath(QStringLiteral("out.vcf"));
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("list")}, QStringList{QStringLiteral("export"), exported}}) {
        const Result result = abtool(arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(databasePath())) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(exported));
}
