#include "storefixture.h"

#include "foundation/log.h"
#include "model/tolvanestoremodel.h"
#include "platform/defaults/userdefaults.h"
#include "platform/store/persistentstore.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <unistd.h>

void StoreFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_savedStderr = ::dup(STDERR_FILENO);
    ASSERT_TRUE(tlog::openLogFile(m_dir.filePath(QStringLiteral("test.log")), "Tolvane"));
    setLogLevel(0);
    m_context = openContext();
    ASSERT_TRUE(m_context);
}

void StoreFixture::TearDown()
{
    m_context.reset();
    ::fflush(stderr);
    ::dup2(m_savedStderr, STDERR_FILENO);
    ::close(m_savedStderr);
    qInstallMessageHandler(nullptr);
}

std::unique_ptr<ManagedObjectContext> StoreFixture::openContext()
{
    StoreError error;
    auto store = PersistentStore::open(storePath(), tolvaneStoreModel(), &error);
    EXPECT_TRUE(store) << error.description.toStdString();
    return store ? std::make_unique<ManagedObjectContext>(store) : nullptr;
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

QStringList StoreFixture::logLines()
{
    ::fflush(stderr);
    QFile file(m_dir.filePath(QStringLiteral("test.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype end = line.indexOf("] ");
        if (!line.isEmpty())
            lines.append(QString::fromUtf8(line.mid(end + 2)));
    }
    return lines;
}

bool StoreFixture::logged(const QString &line)
{
    return logLines().contains(line);
}

void StoreFixture::setLogLevel(int level)
{
    UserDefaults::standard().setInteger(level, QStringLiteral("appLogLevel"));
}
