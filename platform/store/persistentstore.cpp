#include "platform/store/persistentstore.h"

#include "platform/store/entitydescription.h"
#include "platform/store/managedobject.h"
#include "platform/store/managedobjectmodel.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <atomic>

namespace {

const QString kKeyColumn = QStringLiteral("Z_PK");
const QString kMetadataTable = QStringLiteral("Z_METADATA");
constexpr int kBusyTimeoutMs = 10000;

QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

QString columnType(AttributeType type)
{
    switch (type) {
    case AttributeType::String:
    case AttributeType::Decimal:
        return QStringLiteral("TEXT");
    case AttributeType::Integer:
    case AttributeType::Boolean:
    case AttributeType::Date:
        return QStringLiteral("INTEGER");
    case AttributeType::Double:
        return QStringLiteral("REAL");
    case AttributeType::Binary:
        return QStringLiteral("BLOB");
    }
    return QStringLiteral("TEXT");
}

// Dates are kept as milliseconds since the epoch, so every program reads the same instant.
QVariant toColumn(AttributeType type, const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (type) {
    case AttributeType::Date:
        return value.toDateTime().toMSecsSinceEpoch();
    case AttributeType::Boolean:
        return value.toBool() ? 1 : 0;
    case AttributeType::Integer:
        return value.toLongLong();
    case AttributeType::Double:
        return value.toDouble();
    case AttributeType::String:
    case AttributeType::Decimal:
        return value.toString();
    case AttributeType::Binary:
        return value.toByteArray();
    }
    return value;
}

QVariant fromColumn(AttributeType type, const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (type) {
    case AttributeType::Date:
        return QDateTime::fromMSecsSinceEpoch(value.toLongLong());
    case AttributeType::Boolean:
        return value.toLongLong() != 0;
    case AttributeType::Integer:
        return value.toLongLong();
    case AttributeType::Double:
        return value.toDouble();
    case AttributeType::String:
    case AttributeType::Decimal:
        return value.toString();
    case AttributeType::Binary:
        return value.toByteArray();
    }
    return value;
}

StoreError sqlError(const QSqlError &error, const QString &statement)
{
    const QString text = error.text();
    const StoreError::Code code = text.contains(QStringLiteral("UNIQUE constraint"))
                                      ? StoreError::UniqueConstraint
                                      : StoreError::SqlFailure;
    return StoreError::make(code, text,
                            {{QStringLiteral("statement"), statement},
                             {QStringLiteral("nativeCode"), error.nativeErrorCode()}});
}

// Many-to-many pairs are kept once, in a table named for the side whose "Entity.relationship"
// sorts first.
bool ownsPairs(const QString &entity, const RelationshipDescription &relationship)
{
    return entity + u'.' + relationship.name <=
           relationship.destinationEntity + u'.' + relationship.inverseName;
}

bool isManyToMany(const ManagedObjectModel &model, const RelationshipDescription &relationship)
{
    if (!relationship.toMany)
        return false;
    const EntityDescription *destination = model.entity(relationship.destinationEntity);
    const RelationshipDescription *inverse =
        destination ? destination->relationship(relationship.inverseName) : nullptr;
    return inverse && inverse->toMany;
}

QString pairTable(const QString &entity, const RelationshipDescription &relationship)
{
    if (ownsPairs(entity, relationship))
        return quoted(QStringLiteral("Z_") + entity + u'_' + relationship.name);
    return quoted(QStringLiteral("Z_") + relationship.destinationEntity + u'_' +
                  relationship.inverseName);
}

QStringList storedColumns(const EntityDescription &entity)
{
    QStringList columns{kKeyColumn};
    for (const AttributeDescription &attribute : entity.attributes()) {
        if (!attribute.transient)
            columns.append(quoted(attribute.name));
    }
    for (const RelationshipDescription &relationship : entity.relationships()) {
        if (!relationship.toMany)
            columns.append(quoted(relationship.name));
    }
    return columns;
}

bool exec(QSqlQuery &query, const QString &statement, StoreError *error)
{
    if (query.exec(statement))
        return true;
    setStoreError(error, sqlError(query.lastError(), statement));
    return false;
}

} // namespace

PersistentStore::PersistentStore(QString path, QString connection,
                                 std::shared_ptr<const ManagedObjectModel> model)
    : m_path(std::move(path))
    , m_connection(std::move(connection))
    , m_model(std::move(model))
{}

PersistentStore::~PersistentStore()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString PersistentStore::fileName(const QString &bundleName)
{
    return QStringLiteral("%1_v1.%2").arg(bundleName, QStringLiteral("sql"));
}

std::shared_ptr<PersistentStore>
PersistentStore::open(const QString &path, std::shared_ptr<const ManagedObjectModel> model,
                      StoreError *error)
{
    static std::atomic<int> s_connections{0};
    const QString connection =
        QStringLiteral("tolvane-store-%1").arg(s_connections.fetch_add(1) + 1);
    std::shared_ptr<PersistentStore> store(new PersistentStore(path, connection, std::move(model)));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        setStoreError(error, sqlError(db.lastError(), QStringLiteral("open ") + path));
        return nullptr;
    }
    QSqlQuery query(db);
    if (!exec(query, QStringLiteral("PRAGMA journal_mode=WAL"), error) ||
        !exec(query, QStringLiteral("PRAGMA synchronous=NORMAL"), error) ||
        !store->createSchema(error) || !store->readIdentifier(error))
        return nullptr;
    return store;
}

bool PersistentStore::createSchema(StoreError *error)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery query(db);
    QStringList statements{QStringLiteral("CREATE TABLE IF NOT EXISTS ") + kMetadataTable +
                           QStringLiteral(" (name TEXT PRIMARY KEY, value)")};
    for (const EntityDescription *entity : m_model->entities()) {
        QStringList columns{kKeyColumn + QStringLiteral(" INTEGER PRIMARY KEY")};
        for (const AttributeDescription &attribute : entity->attributes()) {
            if (attribute.transient)
                continue;
            columns.append(quoted(attribute.name) + u' ' + columnType(attribute.type) +
                           (attribute.unique ? QStringLiteral(" UNIQUE") : QString()));
        }
        for (const RelationshipDescription &relationship : entity->relationships()) {
            if (!relationship.toMany) {
                columns.append(quoted(relationship.name) + QStringLiteral(" INTEGER"));
                statements.append(
                    QStringLiteral("CREATE INDEX IF NOT EXISTS ") +
                    quoted(QStringLiteral("Z_") + entity->name() + u'_' + relationship.name) +
                    QStringLiteral(" ON ") + quoted(entity->name()) + u'(' +
                    quoted(relationship.name) + u')');
            } else if (isManyToMany(*m_model, relationship) &&
                       ownsPairs(entity->name(), relationship)) {
                statements.append(QStringLiteral("CREATE TABLE IF NOT EXISTS ") +
                                  pairTable(entity->name(), relationship) +
                                  QStringLiteral(" (Z_OWNER INTEGER, Z_MEMBER INTEGER)"));
            }
        }
        statements.insert(1, QStringLiteral("CREATE TABLE IF NOT EXISTS ") +
                                 quoted(entity->name()) + QStringLiteral(" (") +
                                 columns.join(QStringLiteral(", ")) + u')');
    }
    if (!exec(query, QStringLiteral("BEGIN IMMEDIATE"), error))
        return false;
    for (const QString &statement : std::as_const(statements)) {
        if (!exec(query, statement, error)) {
            query.exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    return exec(query, QStringLiteral("COMMIT"), error);
}

bool PersistentStore::readIdentifier(StoreError *error)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("INSERT OR IGNORE INTO ") + kMetadataTable +
                  QStringLiteral(" (name, value) VALUES ('identifier', ?), ('nextKey', 1)"));
    query.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    if (!query.exec()) {
        setStoreError(error, sqlError(query.lastError(), query.lastQuery()));
        return false;
    }
    if (!exec(query,
              QStringLiteral("SELECT value FROM ") + kMetadataTable +
                  QStringLiteral(" WHERE name = 'identifier'"),
              error) ||
        !query.next())
        return false;
    m_identifier = query.value(0).toString();
    return true;
}

std::optional<QList<StoredRow>> PersistentStore::select(const EntityDescription &entity,
                                                        const QString &where,
                                                        const QVariantList &bindings,
                                                        StoreError *error)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.setForwardOnly(true);
    const QString statement = QStringLiteral("SELECT ") +
                              storedColumns(entity).join(QStringLiteral(", ")) +
                              QStringLiteral(" FROM ") + quoted(entity.name()) + where +
                              QStringLiteral(" ORDER BY ") + kKeyColumn;
    query.prepare(statement);
    for (const QVariant &binding : bindings)
        query.addBindValue(binding);
    if (!query.exec()) {
        setStoreError(error, sqlError(query.lastError(), statement));
        return std::nullopt;
    }
    const QList<AttributeDescription> &attributes = entity.attributes();
    const QList<RelationshipDescription> &relationships = entity.relationships();
    QList<StoredRow> rows;
    while (query.next()) {
        StoredRow row;
        row.key = query.value(0).toLongLong();
        row.values.resize(size_t(attributes.size()));
        row.targetKeys.resize(size_t(relationships.size()));
        int column = 1;
        for (qsizetype i = 0; i < attributes.size(); ++i) {
            if (!attributes[i].transient)
                row.values[size_t(i)] = fromColumn(attributes[i].type, query.value(column++));
        }
        for (qsizetype i = 0; i < relationships.size(); ++i) {
            if (!relationships[i].toMany)
                row.targetKeys[size_t(i)] = query.value(column++).toLongLong();
        }
        rows.append(std::move(row));
    }
    return rows;
}

std::optional<QList<StoredRow>> PersistentStore::rows(const EntityDescription &entity,
                                                      StoreError *error)
{
    return select(entity, {}, {}, error);
}

std::optional<QList<StoredRow>> PersistentStore::rowsWhere(const EntityDescription &entity,
                                                           const QString &relationship, qint64 key,
                                                           StoreError *error)
{
    return select(entity, QStringLiteral(" WHERE ") + quoted(relationship) + QStringLiteral(" = ?"),
                  {key}, error);
}

std::optional<QList<StoredRow>> PersistentStore::row(const EntityDescription &entity, qint64 key,
                                                     StoreError *error)
{
    return select(entity, QStringLiteral(" WHERE ") + kKeyColumn + QStringLiteral(" = ?"), {key},
                  error);
}

std::optional<QList<qint64>>
PersistentStore::memberKeys(const EntityDescription &entity,
                            const RelationshipDescription &relationship, qint64 key,
                            StoreError *error)
{
    const bool owner = ownsPairs(entity.name(), relationship);
    const QString statement =
        (owner ? QStringLiteral("SELECT Z_MEMBER FROM ") : QStringLiteral("SELECT Z_OWNER FROM ")) +
        pairTable(entity.name(), relationship) +
        (owner ? QStringLiteral(" WHERE Z_OWNER = ?") : QStringLiteral(" WHERE Z_MEMBER = ?"));
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(statement);
    query.addBindValue(key);
    if (!query.exec()) {
        setStoreError(error, sqlError(query.lastError(), statement));
        return std::nullopt;
    }
    QList<qint64> keys;
    while (query.next())
        keys.append(query.value(0).toLongLong());
    return keys;
}

// The statements of one save, run inside one transaction.
struct PersistentStore::Writer
{
    PersistentStore &store;
    QSqlDatabase db;
    QHash<ManagedObject *, qint64> assigned;
    QHash<QString, QSqlQuery> inserts;
    StoreError *error;

    qint64 keyOf(const ManagedObject *object) const
    {
        if (!object)
            return 0;
        return object->m_id.key != 0 ? object->m_id.key
                                     : assigned.value(const_cast<ManagedObject *>(object));
    }

    bool run(QSqlQuery &query)
    {
        if (query.exec())
            return true;
        setStoreError(error, sqlError(query.lastError(), query.lastQuery()));
        return false;
    }

    bool assignKeys(const QList<ManagedObject *> &inserted)
    {
        QSqlQuery query(db);
        if (!exec(query,
                  QStringLiteral("SELECT value FROM ") + kMetadataTable +
                      QStringLiteral(" WHERE name = 'nextKey'"),
                  error) ||
            !query.next())
            return false;
        qint64 next = query.value(0).toLongLong();
        for (ManagedObject *object : inserted)
            assigned.insert(object, next++);
        query.prepare(QStringLiteral("UPDATE ") + kMetadataTable +
                      QStringLiteral(" SET value = ? WHERE name = 'nextKey'"));
        query.addBindValue(next);
        return run(query);
    }

    void bindValues(QSqlQuery &query, ManagedObject &object)
    {
        const EntityDescription &entity = object.entity();
        for (qsizetype i = 0; i < entity.attributes().size(); ++i) {
            const AttributeDescription &attribute = entity.attributes()[i];
            if (!attribute.transient)
                query.addBindValue(toColumn(attribute.type, object.m_values[size_t(i)]));
        }
        for (qsizetype i = 0; i < entity.relationships().size(); ++i) {
            if (entity.relationships()[i].toMany)
                continue;
            const ManagedObject::Slot &slot = object.m_slots[size_t(i)];
            const qint64 target = slot.resolved ? keyOf(slot.target) : slot.targetKey;
            query.addBindValue(target == 0 ? QVariant() : QVariant(target));
        }
    }

    bool insert(ManagedObject &object)
    {
        const EntityDescription &entity = object.entity();
        auto found = inserts.find(entity.name());
        if (found == inserts.end()) {
            const QStringList columns = storedColumns(entity);
            QSqlQuery query(db);
            const QString statement =
                QStringLiteral("INSERT INTO ") + quoted(entity.name()) + QStringLiteral(" (") +
                columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")) + u')';
            if (!query.prepare(statement)) {
                setStoreError(error, sqlError(query.lastError(), statement));
                return false;
            }
            found = inserts.insert(entity.name(), query);
        }
        QSqlQuery &query = *found;
        query.addBindValue(keyOf(&object));
        bindValues(query, object);
        return run(query);
    }

    bool update(ManagedObject &object)
    {
        const EntityDescription &entity = object.entity();
        QStringList assignments = storedColumns(entity).mid(1);
        for (QString &column : assignments)
            column += QStringLiteral(" = ?");
        QSqlQuery query(db);
        if (assignments.isEmpty())
            return true;
        query.prepare(QStringLiteral("UPDATE ") + quoted(entity.name()) + QStringLiteral(" SET ") +
                      assignments.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                      kKeyColumn + QStringLiteral(" = ?"));
        bindValues(query, object);
        query.addBindValue(object.m_id.key);
        if (!run(query))
            return false;
        if (query.numRowsAffected() == 1)
            return true;
        setStoreError(error, StoreError::make(StoreError::MergeConflict,
                                              QStringLiteral("The row of ") +
                                                  object.m_id.uriRepresentation() +
                                                  QStringLiteral(" is gone from the store")));
        return false;
    }

    bool remove(ManagedObject &object)
    {
        const EntityDescription &entity = object.entity();
        QSqlQuery query(db);
        query.prepare(QStringLiteral("DELETE FROM ") + quoted(entity.name()) +
                      QStringLiteral(" WHERE ") + kKeyColumn + QStringLiteral(" = ?"));
        query.addBindValue(object.m_id.key);
        if (!run(query))
            return false;
        for (const RelationshipDescription &relationship : entity.relationships()) {
            if (!isManyToMany(*store.m_model, relationship))
                continue;
            const bool owner = ownsPairs(entity.name(), relationship);
            query.prepare(QStringLiteral("DELETE FROM ") + pairTable(entity.name(), relationship) +
                          (owner ? QStringLiteral(" WHERE Z_OWNER = ?")
                                 : QStringLiteral(" WHERE Z_MEMBER = ?")));
            query.addBindValue(object.m_id.key);
            if (!run(query))
                return false;
        }
        return true;
    }

    // Rewrites the pairs of every changed many-to-many set held on its owning side.
    bool writePairs(ManagedObject &object)
    {
        const EntityDescription &entity = object.entity();
        for (qsizetype i = 0; i < entity.relationships().size(); ++i) {
            const RelationshipDescription &relationship = entity.relationships()[i];
            const ManagedObject::Slot &slot = object.m_slots[size_t(i)];
            if (!slot.changed || !isManyToMany(*store.m_model, relationship) ||
                !ownsPairs(entity.name(), relationship))
                continue;
            const QString table = pairTable(entity.name(), relationship);
            QSqlQuery query(db);
            query.prepare(QStringLiteral("DELETE FROM ") + table +
                          QStringLiteral(" WHERE Z_OWNER = ?"));
            query.addBindValue(keyOf(&object));
            if (!run(query))
                return false;
            for (const ManagedObject *member : slot.members) {
                query.prepare(QStringLiteral("INSERT INTO ") + table +
                              QStringLiteral(" (Z_OWNER, Z_MEMBER) VALUES (?, ?)"));
                query.addBindValue(keyOf(&object));
                query.addBindValue(keyOf(member));
                if (!run(query))
                    return false;
            }
        }
        return true;
    }
};

std::optional<QHash<ManagedObject *, qint64>>
PersistentStore::write(const QList<ManagedObject *> &inserted,
                       const QList<ManagedObject *> &updated, const QList<ManagedObject *> &deleted,
                       StoreError *error)
{
    Writer writer{*this, QSqlDatabase::database(m_connection), {}, {}, error};
    QSqlQuery control(writer.db);
    if (!exec(control, QStringLiteral("BEGIN IMMEDIATE"), error))
        return std::nullopt;
    bool ok = writer.assignKeys(inserted);
    for (ManagedObject *object : deleted)
        ok = ok && writer.remove(*object);
    for (ManagedObject *object : inserted)
        ok = ok && writer.insert(*object);
    for (ManagedObject *object : updated)
        ok = ok && writer.update(*object);
    for (ManagedObject *object : inserted)
        ok = ok && writer.writePairs(*object);
    for (ManagedObject *object : updated)
        ok = ok && writer.writePairs(*object);
    writer.inserts.clear();
    if (ok && exec(control, QStringLiteral("COMMIT"), error))
        return writer.assigned;
    control.exec(QStringLiteral("ROLLBACK"));
    return std::nullopt;
}
