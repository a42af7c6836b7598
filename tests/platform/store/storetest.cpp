#include "platform/store/managedobjectcontext.h"
#include "platform/store/managedobjectmodel.h"
#include "platform/store/persistentstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>

namespace {

// A small model with every shape the store offers: typed attributes, a unique one, a mandatory
// one, a transient one, one-to-many and many-to-many relationships with inverses, and templates.
std::shared_ptr<ManagedObjectModel> makeModel()
{
    auto model = std::make_shared<ManagedObjectModel>();
    EntityDescription shelf(QStringLiteral("Shelf"));
    shelf.addAttribute({QStringLiteral("name"), AttributeType::String, false});
    shelf.addAttribute({QStringLiteral("code"), AttributeType::String, true, false, true});
    shelf.addAttribute({QStringLiteral("scratch"), AttributeType::String, true, true});
    shelf.addRelationship(
        {QStringLiteral("books"), QStringLiteral("Book"), QStringLiteral("shelf"), true});
    model->addEntity(std::move(shelf));

    EntityDescription book(QStringLiteral("Book"));
    book.addAttribute({QStringLiteral("title"), AttributeType::String});
    book.addAttribute({QStringLiteral("pages"), AttributeType::Integer});
    book.addAttribute({QStringLiteral("price"), AttributeType::Double});
    book.addAttribute({QStringLiteral("isRead"), AttributeType::Boolean});
    book.addAttribute({QStringLiteral("added"), AttributeType::Date});
    book.addAttribute({QStringLiteral("cover"), AttributeType::Binary});
    book.addRelationship(
        {QStringLiteral("shelf"), QStringLiteral("Shelf"), QStringLiteral("books"), false});
    book.addRelationship(
        {QStringLiteral("tags"), QStringLiteral("Tag"), QStringLiteral("books"), true});
    model->addEntity(std::move(book));

    EntityDescription tag(QStringLiteral("Tag"));
    tag.addAttribute({QStringLiteral("label"), AttributeType::String});
    tag.addRelationship(
        {QStringLiteral("books"), QStringLiteral("Book"), QStringLiteral("tags"), true});
    model->addEntity(std::move(tag));

    using Op = Predicate::Operator;
    model->setFetchRequestTemplate(
        QStringLiteral("bookByTitle"),
        {QStringLiteral("Book"),
         Predicate::compareVariable(QStringLiteral("title"), Op::EqualIgnoringCase,
                                    QStringLiteral("title"))});
    model->setFetchRequestTemplate(
        QStringLiteral("booksOnShelfWithPages"),
        {QStringLiteral("Book"),
         Predicate::compareVariable(QStringLiteral("shelf"), Op::Equal, QStringLiteral("shelf")) &&
             Predicate::compareVariable(QStringLiteral("pages"), Op::In, QStringLiteral("pages"))});
    model->setFetchRequestTemplate(
        QStringLiteral("unread"),
        {QStringLiteral("Book"), Predicate::compare(QStringLiteral("isRead"), Op::Equal, false)});
    return model;
}

class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_context = openContext();
        ASSERT_TRUE(m_context);
    }

    std::unique_ptr<ManagedObjectContext> openContext()
    {
        StoreError error;
        auto store = PersistentStore::open(path(), m_model, &error);
        EXPECT_TRUE(store) << error.description.toStdString();
        if (!store)
            return nullptr;
        return std::make_unique<ManagedObjectContext>(store);
    }

    QString path() const { return m_dir.filePath(QStringLiteral("data/Test_v1.sql")); }

    QList<ManagedObject *> fetchAll(ManagedObjectContext &context, const QString &entity)
    {
        StoreError error;
        const auto result = context.executeFetchRequest({entity, {}}, &error);
        EXPECT_TRUE(result) << error.description.toStdString();
        return result.value_or(QList<ManagedObject *>{});
    }

    ManagedObject *insertShelf(const QString &name)
    {
        ManagedObject *shelf = m_context->insertNewObject(QStringLiteral("Shelf"));
        shelf->setValue(QStringLiteral("name"), name);
        return shelf;
    }

    QTemporaryDir m_dir;
    std::shared_ptr<ManagedObjectModel> m_model = makeModel();
    std::unique_ptr<ManagedObjectContext> m_context;
};

TEST_F(StoreTest, FileName_FollowsBundleNameAndVersion)
{
    EXPECT_EQ(PersistentStore::fileName(QStringLiteral("Tolvane")),
              QStringLiteral("Tolvane_v1.sql"));
}

TEST_F(StoreTest, SavedValues_ReadBackInANewContextWithTheirTypes)
{
    const QDateTime added = QDateTime::fromMSecsSinceEpoch(1236967766123);
    ManagedObject *book = m_context->insertNewObject(QStringLiteral("Book"));
    book->setValue(QStringLiteral("title"), QStringLiteral("Dune"));
    book->setValue(QStringLiteral("pages"), 412);
    book->setValue(QStringLiteral("price"), 9.5);
    book->setValue(QStringLiteral("isRead"), true);
    book->setValue(QStringLiteral("added"), added);
    book->setValue(QStringLiteral("cover"), QByteArray("\x00\x01", 2));
    ASSERT_TRUE(m_context->save(nullptr));

    auto other = openContext();
    const QList<ManagedObject *> books = fetchAll(*other, QStringLiteral("Book"));
    ASSERT_EQ(books.size(), 1);
    EXPECT_EQ(books[0]->stringValue(QStringLiteral("title")), QStringLiteral("Dune"));
    EXPECT_EQ(books[0]->integerValue(QStringLiteral("pages")), 412);
    EXPECT_EQ(books[0]->doubleValue(QStringLiteral("price")), 9.5);
    EXPECT_TRUE(books[0]->boolValue(QStringLiteral("isRead")));
    EXPECT_EQ(books[0]->dateValue(QStringLiteral("added")), added);
    EXPECT_EQ(books[0]->value(QStringLiteral("cover")).toByteArray(), QByteArray("\x00\x01", 2));
    EXPECT_EQ(books[0]->objectID().uriRepresentation(), book->objectID().uriRepresentation());
}

TEST_F(StoreTest, Fetch_SeesUnsavedInsertsDeletesAndChanges)
{
    ManagedObject *kept = insertShelf(QStringLiteral("kept"));
    ManagedObject *gone = insertShelf(QStringLiteral("gone"));
    ASSERT_TRUE(m_context->save(nullptr));

    m_context->deleteObject(gone);
    ManagedObject *fresh = insertShelf(QStringLiteral("fresh"));
    EXPECT_EQ(fetchAll(*m_context, QStringLiteral("Shelf")), (QList<ManagedObject *>{kept, fresh}));

    ManagedObject *book = m_context->insertNewObject(QStringLiteral("Book"));
    book->setValue(QStringLiteral("title"), QStringLiteral("Old title"));
    ASSERT_TRUE(m_context->save(nullptr));
    book->setValue(QStringLiteral("title"), QStringLiteral("New title"));
    StoreError error;
    const auto found = m_context->executeFetchTemplate(
        QStringLiteral("bookByTitle"), {{QStringLiteral("title"), QStringLiteral("new TITLE")}},
        &error);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, QList<ManagedObject *>{book});
}

TEST_F(StoreTest, MissingTemplateOrVariable_IsAFetchErrorNotAnEmptyResult)
{
    StoreError error;
    EXPECT_FALSE(m_context->executeFetchTemplate(QStringLiteral("noSuchTemplate"), {}, &error));
    EXPECT_EQ(error.code, StoreError::MissingFetchTemplate);

    EXPECT_FALSE(m_context->executeFetchTemplate(QStringLiteral("bookByTitle"), {}, &error));
    EXPECT_EQ(error.code, StoreError::MissingSubstitutionVariable);

    EXPECT_FALSE(m_context->executeFetchRequest({QStringLiteral("NoEntity"), {}}, &error));
    EXPECT_EQ(error.code, StoreError::UnknownEntity);
}

TEST_F(StoreTest, TemplateWithObjectAndListVariables_SelectsMatchingRows)
{
    ManagedObject *shelf = insertShelf(QStringLiteral("A"));
    ManagedObject *otherShelf = insertShelf(QStringLiteral("B"));
    QList<ManagedObject *> books;
    for (int pages : {100, 200, 300}) {
        ManagedObject *book = m_context->insertNewObject(QStringLiteral("Book"));
        book->setValue(QStringLiteral("pages"), pages);
        book->setValue(QStringLiteral("isRead"), pages == 200);
        book->setToOne(QStringLiteral("shelf"), pages == 300 ? otherShelf : shelf);
        books.append(book);
    }
    for (bool saved : {false, true}) {
        if (saved) {
            ASSERT_TRUE(m_context->save(nullptr));
        }
        const auto found =
            m_context->executeFetchTemplate(QStringLiteral("booksOnShelfWithPages"),
                                            {{QStringLiteral("shelf"), QVariant::fromValue(shelf)},
                                             {QStringLiteral("pages"), QVariantList{100, 300}}},
                                            nullptr);
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, QList<ManagedObject *>{books[0]}) << "saved " << saved;
        const auto unread = m_context->executeFetchTemplate(QStringLiteral("unread"), {}, nullptr);
        ASSERT_TRUE(unread);
        EXPECT_EQ(*unread, (QList<ManagedObject *>{books[0], books[2]})) << "saved " << saved;
    }
}

TEST_F(StoreTest, Relationships_KeepInversesInStepAndPersist)
{
    ManagedObject *shelf = insertShelf(QStringLiteral("A"));
    ManagedObject *second = insertShelf(QStringLiteral("B"));
    ManagedObject *book = m_context->insertNewObject(QStringLiteral("Book"));
    ManagedObject *tag = m_context->insertNewObject(QStringLiteral("Tag"));
    tag->setValue(QStringLiteral("label"), QStringLiteral("sf"));

    book->setToOne(QStringLiteral("shelf"), shelf);
    EXPECT_EQ(shelf->toMany(QStringLiteral("books")), QList<ManagedObject *>{book});
    second->addToMany(QStringLiteral("books"), book);
    EXPECT_EQ(book->toOne(QStringLiteral("shelf")), second);
    EXPECT_TRUE(shelf->toMany(QStringLiteral("books")).isEmpty());
    tag->addToMany(QStringLiteral("books"), book);
    EXPECT_EQ(book->toMany(QStringLiteral("tags")), QList<ManagedObject *>{tag});
    ASSERT_TRUE(m_context->save(nullptr));

    auto other = openContext();
    const QList<ManagedObject *> shelves = fetchAll(*other, QStringLiteral("Shelf"));
    ASSERT_EQ(shelves.size(), 2);
    EXPECT_TRUE(shelves[0]->toMany(QStringLiteral("books")).isEmpty());
    const QList<ManagedObject *> onSecond = shelves[1]->toMany(QStringLiteral("books"));
    ASSERT_EQ(onSecond.size(), 1);
    const QList<ManagedObject *> tags = onSecond[0]->toMany(QStringLiteral("tags"));
    ASSERT_EQ(tags.size(), 1);
    EXPECT_EQ(tags[0]->stringValue(QStringLiteral("label")), QStringLiteral("sf"));
    EXPECT_EQ(tags[0]->toMany(QStringLiteral("books")), onSecond);

    // Moving the saved book back in the new context shows at once on both shelves.
    onSecond[0]->setToOne(QStringLiteral("shelf"), shelves[0]);
    EXPECT_EQ(shelves[0]->toMany(QStringLiteral("books")), onSecond);
    EXPECT_TRUE(shelves[1]->toMany(QStringLiteral("books")).isEmpty());
}

TEST_F(StoreTest, DeletingAnObject_CutsItsRelationshipsAndRemovesItsRow)
{
    ManagedObject *shelf = insertShelf(QStringLiteral("A"));
    ManagedObject *book = m_context->insertNewObject(QStringLiteral("Book"));
    ManagedObject *tag = m_context->insertNewObject(QStringLiteral("Tag"));
    book->setToOne(QStringLiteral("shelf"), shelf);
    book->addToMany(QStringLiteral("tags"), tag);
    ASSERT_TRUE(m_context->save(nullptr));

    m_context->deleteObject(book);
    EXPECT_TRUE(shelf->toMany(QStringLiteral("books")).isEmpty());
    EXPECT_TRUE(tag->toMany(QStringLiteral("books")).isEmpty());
    ASSERT_TRUE(m_context->save(nullptr));

    auto other = openContext();
    EXPECT_TRUE(fetchAll(*other, QStringLiteral("Book")).isEmpty());
    const QList<ManagedObject *> tags = fetchAll(*other, QStringLiteral("Tag"));
    ASSERT_EQ(tags.size(), 1);
    EXPECT_TRUE(tags[0]->toMany(QStringLiteral("books")).isEmpty());
}

TEST_F(StoreTest, FailedValidation_WritesNothingAndKeepsTheChanges)
{
    insertShelf(QStringLiteral("valid"));
    m_context->insertNewObject(QStringLiteral("Shelf")); // no name: mandatory
    StoreError error;
    EXPECT_FALSE(m_context->save(&error));
    EXPECT_EQ(error.code, StoreError::MissingMandatoryValue);
    EXPECT_TRUE(m_context->hasChanges());
    EXPECT_TRUE(fetchAll(*openContext(), QStringLiteral("Shelf")).isEmpty());

    ManagedObject *book = m_context->insertNewObject(QStringLiteral("Book"));
    book->setValue(QStringLiteral("pages"), QStringLiteral("many"));
    m_context->deleteObject(m_context->insertedObjects()[1]);
    EXPECT_FALSE(m_context->save(&error));
    EXPECT_EQ(error.code, StoreError::InvalidValueType);
}

TEST_F(StoreTest, UniqueConstraint_FailsTheWholeSave)
{
    insertShelf(QStringLiteral("first"))->setValue(QStringLiteral("code"), QStringLiteral("X"));
    ASSERT_TRUE(m_context->save(nullptr));

    auto other = openContext();
    ManagedObject *clash = other->insertNewObject(QStringLiteral("Shelf"));
    clash->setValue(QStringLiteral("name"), QStringLiteral("second"));
    clash->setValue(QStringLiteral("code"), QStringLiteral("X"));
    ManagedObject *book = other->insertNewObject(QStringLiteral("Book"));
    StoreError error;
    EXPECT_FALSE(other->save(&error));
    EXPECT_EQ(error.code, StoreError::UniqueConstraint);
    EXPECT_TRUE(clash->objectID().isTemporary());
    EXPECT_TRUE(book->objectID().isTemporary());
    EXPECT_TRUE(fetchAll(*m_context, QStringLiteral("Book")).isEmpty());
}

TEST_F(StoreTest, TwoContextsOnOneFile_SeeEachOthersSavedRows)
{
    auto agent = openContext();
    insertShelf(QStringLiteral("from main"));
    ASSERT_TRUE(m_context->save(nullptr));
    ManagedObject *fromAgent = agent->insertNewObject(QStringLiteral("Shelf"));
    fromAgent->setValue(QStringLiteral("name"), QStringLiteral("from agent"));
    ASSERT_TRUE(agent->save(nullptr));

    EXPECT_EQ(fetchAll(*m_context, QStringLiteral("Shelf")).size(), 2);
    EXPECT_EQ(fetchAll(*agent, QStringLiteral("Shelf")).size(), 2);
}

TEST_F(StoreTest, SaveWhileAnotherProgramHoldsTheWriteLock_WaitsForIt)
{
    // The other program's connection, on a thread of its own so that it can let go while this
    // one waits in its save.
    std::atomic<bool> locked{false};
    QString journalMode;
    std::thread other([&] {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                        QStringLiteral("other-program"));
            db.setDatabaseName(path());
            if (db.open()) {
                QSqlQuery query(db);
                query.exec(QStringLiteral("PRAGMA journal_mode"));
                if (query.next())
                    journalMode = query.value(0).toString();
                query.exec(QStringLiteral("BEGIN IMMEDIATE"));
                locked = true;
                QThread::msleep(300);
                query.exec(QStringLiteral("COMMIT"));
            }
            locked = true;
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other-program"));
    });
    while (!locked)
        QThread::msleep(1);
    insertShelf(QStringLiteral("while locked"));
    QElapsedTimer waited;
    waited.start();
    StoreError error;
    EXPECT_TRUE(m_context->save(&error)) << error.description.toStdString();
    EXPECT_GE(waited.elapsed(), 200);
    other.join();
    EXPECT_EQ(journalMode, QStringLiteral("wal"));
    EXPECT_EQ(fetchAll(*openContext(), QStringLiteral("Shelf")).size(), 1);
}

TEST_F(StoreTest, ObjectID_IsStableAndResolvesInItsContext)
{
    ManagedObject *shelf = insertShelf(QStringLiteral("A"));
    const QString temporary = shelf->objectID().uriRepresentation();
    EXPECT_EQ(shelf->objectID().uriRepresentation(), temporary);
    EXPECT_EQ(m_context->objectRegisteredForID(shelf->objectID()), shelf);
    ASSERT_TRUE(m_context->save(nullptr));
    const QString permanent = shelf->objectID().uriRepresentation();
    EXPECT_NE(permanent, temporary);
    EXPECT_TRUE(permanent.startsWith(QStringLiteral("x-tolvane-store://") +
                                     m_context->store().identifier() + QStringLiteral("/Shelf/p")));
    shelf->setValue(QStringLiteral("name"), QStringLiteral("B"));
    ASSERT_TRUE(m_context->save(nullptr));
    EXPECT_EQ(shelf->objectID().uriRepresentation(), permanent);
    EXPECT_EQ(m_context->objectRegisteredForID(shelf->objectID()), shelf);
}

TEST_F(StoreTest, TransientAttribute_IsNotStored)
{
    insertShelf(QStringLiteral("A"))->setValue(QStringLiteral("scratch"), QStringLiteral("temp"));
    ASSERT_TRUE(m_context->save(nullptr));
    auto other = openContext();
    const QList<ManagedObject *> shelves = fetchAll(*other, QStringLiteral("Shelf"));
    ASSERT_EQ(shelves.size(), 1);
    EXPECT_TRUE(shelves[0]->value(QStringLiteral("scratch")).isNull());
}

// Notices as short lines: "will Shelf.books +Book" is the announcement before a book is added.
class ChangeNoticeTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        m_token = m_context->addChangeObserver([this](const ChangeNotice &notice) {
            static const char *const marks[] = {"", " +", " -"};
            QString line = (notice.prior ? QStringLiteral("will ") : QStringLiteral("did ")) +
                           notice.object->entity().name() + u'.' + notice.key +
                           QLatin1String(marks[int(notice.kind)]);
            for (const ManagedObject *member : notice.members)
                line += member->entity().name();
            m_heard.append(line);
        });
    }

    QStringList takeHeard() { return std::exchange(m_heard, {}); }

    int m_token = 0;
    QStringList m_heard;
};

TEST_F(ChangeNoticeTest, Setter_IsAnnouncedBeforeAndAfterThePrimitiveWriteIsNot)
{
    ManagedObject *shelf = insertShelf(QStringLiteral("A"));
    ASSERT_TRUE(m_context->save(nullptr));
    takeHeard();
    QStringList seen;
    const int reader = m_context->addChangeObserver(
        [&](const ChangeNotice &) { seen.append(shelf->stringValue(QStringLiteral("name"))); });

    shelf->setValue(QStringLiteral("name"), QStringLiteral("B"));
    EXPECT_EQ(takeHeard(), QStringList({"will Shelf.name", "did Shelf.name"}));
    EXPECT_EQ(seen, QStringList({"A", "B"}));
    m_context->removeChangeObserver(reader);

    shelf->willChangeValueForKey(QStringLiteral("code"));
    shelf->setPrimitiveValue(QStringLiteral("code"), QStringLiteral("X"));
    shelf->didChangeValueForKey(QStringLiteral("code"));
    EXPECT_EQ(takeHeard(), QStringList({"will Shelf.code", "did Shelf.code"}));

    ASSERT_TRUE(m_context->save(nullptr));
    shelf->setPrimitiveValue(QStringLiteral("name"), QStringLiteral("C"));
    EXPECT_TRUE(takeHeard().isEmpty());
    EXPECT_TRUE(shelf->isUpdated());

    m_context->removeChangeObserver(m_token);
    shelf->setValue(QStringLiteral("name"), QStringLiteral("D"));
    EXPECT_TRUE(takeHeard().isEmpty());
}

TEST_F(ChangeNoticeTest, RelationshipChanges_AreSetMutationsOnBothSides)
{
    ManagedObject *shelf = insertShelf(QStringLiteral("A"));
    ManagedObject *book = m_context->insertNewObject(QStringLiteral("Book"));
    ManagedObject *tag = m_context->insertNewObject(QStringLiteral("Tag"));
    takeHeard();
    QList<bool> holdsBook;
    m_context->addChangeObserver([&](const ChangeNotice &notice) {
        if (notice.object == shelf)
            holdsBook.append(shelf->toMany(QStringLiteral("books")).contains(book));
    });

    book->setToOne(QStringLiteral("shelf"), shelf);
    EXPECT_EQ(takeHeard(), QStringList({"will Book.shelf", "did Book.shelf",
                                        "will Shelf.books +Book", "did Shelf.books +Book"}));
    EXPECT_EQ(holdsBook, QList<bool>({false, true}));

    tag->addToMany(QStringLiteral("books"), book);
    tag->addToMany(QStringLiteral("books"), book); // already a member: nothing changes
    EXPECT_EQ(takeHeard(), QStringList({"will Tag.books +Book", "did Tag.books +Book",
                                        "will Book.tags +Tag", "did Book.tags +Tag"}));

    shelf->removeFromMany(QStringLiteral("books"), book);
    EXPECT_EQ(takeHeard(), QStringList({"will Shelf.books -Book", "did Shelf.books -Book",
                                        "will Book.shelf", "did Book.shelf"}));

    m_context->deleteObject(tag);
    EXPECT_EQ(takeHeard(), QStringList({"will Tag.books -Book", "did Tag.books -Book",
                                        "will Book.tags -Tag", "did Book.tags -Tag"}));
}

} // namespace
