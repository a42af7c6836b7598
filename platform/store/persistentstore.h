#pragma once

#include "platform/store/storeerror.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

class EntityDescription;
class ManagedObject;
class ManagedObjectModel;
struct RelationshipDescription;

// One stored row: the attribute values by attribute index (null for transient ones) and the key of
// each to-one target by relationship index (0 for none and for to-many relationships).
struct StoredRow
{
    qint64 key = 0;
    std::vector<QVariant> values;
    std::vector<qint64> targetKeys;
};

// The SQLite file behind a context: one table per entity, to-one relationships as key columns,
// many-to-many relationships in a table of pairs. Several programs may open the same file at once
// (write-ahead log, a busy timeout), and every save is one transaction.
class PersistentStore
{
public:
    ~PersistentStore();
    PersistentStore(const PersistentStore &) = delete;
    PersistentStore &operator=(const PersistentStore &) = delete;

    // Opens (and, when new, creates) the store file for the model; nullptr and the error when the
    // file cannot be opened or its tables cannot be made.
    static std::shared_ptr<PersistentStore>
    open(const QString &path, std::shared_ptr<const ManagedObjectModel> model, StoreError *error);

    // The store file's name for a program: "<bundle name>_v1.sql".
    static QString fileName(const QString &bundleName);

    const QString &path() const { return m_path; }
    const QString &identifier() const { return m_identifier; }
    const ManagedObjectModel &model() const { return *m_model; }

    std::optional<QList<StoredRow>> rows(const EntityDescription &entity, StoreError *error);
    // Rows of the entity whose to-one relationship holds the key.
    std::optional<QList<StoredRow>> rowsWhere(const EntityDescription &entity,
                                              const QString &relationship, qint64 key,
                                              StoreError *error);
    // nullopt on failure; an empty list when the row is gone.
    std::optional<QList<StoredRow>> row(const EntityDescription &entity, qint64 key,
                                        StoreError *error);
    // Keys of the members of a many-to-many relationship of the object with the key.
    std::optional<QList<qint64>> memberKeys(const EntityDescription &entity,
                                            const RelationshipDescription &relationship, qint64 key,
                                            StoreError *error);

    // Writes the changes in one transaction and answers the keys given to the inserted objects;
    // nullopt and the error when anything failed (then nothing is written).
    std::optional<QHash<ManagedObject *, qint64>> write(const QList<ManagedObject *> &inserted,
                                                        const QList<ManagedObject *> &updated,
                                                        const QList<ManagedObject *> &deleted,
                                                        StoreError *error);

private:
    PersistentStore(QString path, QString connection,
                    std::shared_ptr<const ManagedObjectModel> model);

    struct Writer;

    bool createSchema(StoreError *error);
    bool readIdentifier(StoreError *error);
    std::optional<QList<StoredRow>> select(const EntityDescription &entity, const QString &where,
                                           const QVariantList &bindings, StoreError *error);

    QString m_path;
    QString m_connection;
    QString m_identifier;
    std::shared_ptr<const ManagedObjectModel> m_model;
};
