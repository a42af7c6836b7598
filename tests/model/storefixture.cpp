#include "storefixture.h"

#include "model/tolvanestoremodel.h"
#include "platform/store/entitydescription.h"
#include "platform/store/persistentstore.h"

#include <QSqlDatabase>
#include <QSqlQuery>

void StoreFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    setLevel(0);
    m_context = openContext();
    ASSERT_TRUE(m_context);
    ApplicationDelegate::setShared(&m_delegate);
}

void StoreFixture::TearDown()
{
    ApplicationDelegate::setShared(nullptr);
    m_context.reset();
}

std::unique_ptr<ManagedObjectContext> StoreFixture::openContext()
{
    StoreError error;
    auto store = PersistentStore::open(storePath(), tolvaneStoreModel(), &error);
    EXPECT_TRUE(store) << error.description.toStdString();
    return store ? std::make_unique<ManagedObjectContext>(store) : nullptr;
}

void StoreFixture::recordChanges()
{
    m_context->addChangeObserver([this](const ChangeNotice &notice) {
        if (notice.prior)
            return;
        QString line = notice.object->entity().name() + u'.' + notice.key;
        if (notice.kind != ChangeNotice::Kind::Setting) {
            line += notice.kind == ChangeNotice::Kind::Union ? QStringLiteral(" +")
                                                             : QStringLiteral(" -");
            for (const ManagedObject *member : notice.members)
                line += member->entity().name();
        }
        m_changes.append(line);
    });
}

QString StoreFixture::storePath() const
{
    return m_dir.filePath(QStringLiteral("data/") + PersistentStore::fileName("Tolvane"));
}

void StoreFixture::execOnStoreFile(const QString &statement)
{
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(storePath());
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(statement));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
}
