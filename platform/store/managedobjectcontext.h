#pragma once

#include "platform/store/fetchrequest.h"
#include "platform/store/managedobject.h"
#include "platform/store/storeerror.h"

#include <QHash>
#include <QList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class ManagedObjectModel;
class PersistentStore;
struct StoredRow;

// The one context of a program over its store: it owns every object it has read or inserted,
// keeps the changes made since the last save, and writes them all in one transaction on save.
// Fetches see the unsaved state: inserted objects are found, deleted ones are not, and changed
// values are matched as they now stand.
class ManagedObjectContext
{
public:
    explicit ManagedObjectContext(std::shared_ptr<PersistentStore> store);
    ~ManagedObjectContext();
    ManagedObjectContext(const ManagedObjectContext &) = delete;
    ManagedObjectContext &operator=(const ManagedObjectContext &) = delete;

    PersistentStore &store() const { return *m_store; }
    const ManagedObjectModel &model() const;

    // A new object of the entity, after its awakeFromInsert; nullptr for an unknown entity.
    ManagedObject *insertNewObject(const QString &entityName);
    template <class T> T *insertNew() { return static_cast<T *>(insertNewObject(T::entityName())); }

    // Marks the object deleted (its relationships are cut on both sides); an object inserted
    // since the last save is simply dropped.
    void deleteObject(ManagedObject *object);

    // The object this context holds under the identifier, without reading the store.
    ManagedObject *objectRegisteredForID(const ObjectID &id) const;

    // nullopt (and the error) when the fetch failed; an empty list when nothing matched.
    std::optional<QList<ManagedObject *>> executeFetchRequest(const FetchRequest &request,
                                                              StoreError *error);
    std::optional<QList<ManagedObject *>> executeFetchTemplate(const QString &templateName,
                                                               const QVariantMap &variables,
                                                               StoreError *error);

    bool hasChanges() const;
    const QList<ManagedObject *> &insertedObjects() const { return m_inserted; }
    const QList<ManagedObject *> &updatedObjects() const { return m_updated; }
    const QList<ManagedObject *> &deletedObjects() const { return m_deleted; }

    // Validates every inserted and changed object first; any failure writes nothing and leaves
    // the changes in the context.
    bool save(StoreError *error);

    // Observers hear of every announced change of this context's objects, before and after it.
    // The answer is the token that removes the observer again.
    using ChangeObserver = std::function<void(const ChangeNotice &)>;
    int addChangeObserver(ChangeObserver observer);
    void removeChangeObserver(int token);

private:
    friend class ManagedObject;

    ManagedObject *registered(qint64 key) const;
    ManagedObject *materialize(const EntityDescription &entity, const StoredRow &row);
    ManagedObject *objectForKey(const QString &entityName, qint64 key);
    QList<ManagedObject *> loadMembers(ManagedObject &owner, int relationshipIndex);
    void objectDidChange(ManagedObject &object);
    void notify(const ChangeNotice &notice);
    void forget(ManagedObject *object);
    void didSave(const QHash<ManagedObject *, qint64> &assignedKeys);

    std::shared_ptr<PersistentStore> m_store;
    std::unordered_map<qint64, std::unique_ptr<ManagedObject>> m_registered;
    std::unordered_map<ManagedObject *, std::unique_ptr<ManagedObject>> m_unsaved;
    // Objects that left the context stay alive with it, so a pointer a caller still holds never
    // dangles.
    std::vector<std::unique_ptr<ManagedObject>> m_gone;
    QList<ManagedObject *> m_inserted;
    QList<ManagedObject *> m_updated;
    QList<ManagedObject *> m_deleted;
    quint64 m_nextTemporaryNumber = 1;
    std::vector<std::pair<int, ChangeObserver>> m_observers;
    int m_nextObserverToken = 1;
};
