#include "platform/store/managedobjectcontext.h"

#include "platform/store/managedobjectmodel.h"
#include "platform/store/persistentstore.h"

ManagedObjectContext::ManagedObjectContext(std::shared_ptr<PersistentStore> store)
    : m_store(std::move(store))
{}

ManagedObjectContext::~ManagedObjectContext() = default;

const ManagedObjectModel &ManagedObjectContext::model() const
{
    return m_store->model();
}

ManagedObject *ManagedObjectContext::insertNewObject(const QString &entityName)
{
    const EntityDescription *entity = model().entity(entityName);
    if (!entity)
        return nullptr;
    std::unique_ptr<ManagedObject> made = entity->makeObject();
    ManagedObject *object = made.get();
    object->m_entity = entity;
    object->m_context = this;
    object->m_id = {entityName, m_store->identifier(), 0, m_nextTemporaryNumber++};
    object->m_state = ManagedObject::State::Inserted;
    object->m_values.resize(size_t(entity->attributes().size()));
    object->m_slots.resize(size_t(entity->relationships().size()));
    m_unsaved.emplace(object, std::move(made));
    m_inserted.append(object);
    object->awakeFromInsert();
    return object;
}

void ManagedObjectContext::deleteObject(ManagedObject *object)
{
    if (!object || object->m_context != this || object->isDeleted())
        return;
    const QList<RelationshipDescription> &relationships = object->entity().relationships();
    for (const RelationshipDescription &relationship : relationships) {
        if (relationship.toMany) {
            for (ManagedObject *member : object->toMany(relationship.name))
                object->removeFromMany(relationship.name, member);
        } else {
            object->setToOne(relationship.name, nullptr);
        }
    }
    m_updated.removeAll(object);
    object->m_updated = false;
    if (object->isInserted()) {
        m_inserted.removeAll(object);
        object->m_state = ManagedObject::State::Forgotten;
        forget(object);
        return;
    }
    object->m_state = ManagedObject::State::Deleted;
    m_deleted.append(object);
}

void ManagedObjectContext::forget(ManagedObject *object)
{
    if (object->m_id.isTemporary()) {
        const auto found = m_unsaved.find(object);
        if (found != m_unsaved.end()) {
            m_gone.push_back(std::move(found->second));
            m_unsaved.erase(found);
        }
        return;
    }
    const auto found = m_registered.find(object->m_id.key);
    if (found != m_registered.end()) {
        m_gone.push_back(std::move(found->second));
        m_registered.erase(found);
    }
}

ManagedObject *ManagedObjectContext::objectRegisteredForID(const ObjectID &id) const
{
    if (id.storeIdentifier != m_store->identifier())
        return nullptr;
    if (!id.isTemporary()) {
        ManagedObject *object = registered(id.key);
        return object && object->entity().name() == id.entityName ? object : nullptr;
    }
    for (ManagedObject *object : m_inserted) {
        if (object->m_id == id)
            return object;
    }
    return nullptr;
}

ManagedObject *ManagedObjectContext::registered(qint64 key) const
{
    const auto found = m_registered.find(key);
    return found == m_registered.end() ? nullptr : found->second.get();
}

ManagedObject *ManagedObjectContext::materialize(const EntityDescription &entity,
                                                 const StoredRow &row)
{
    if (ManagedObject *known = registered(row.key))
        return known;
    std::unique_ptr<ManagedObject> made = entity.makeObject();
    ManagedObject *object = made.get();
    object->m_entity = &entity;
    object->m_context = this;
    object->m_id = {entity.name(), m_store->identifier(), row.key, 0};
    object->m_state = ManagedObject::State::Saved;
    object->m_values = row.values;
    object->m_slots.resize(size_t(entity.relationships().size()));
    for (qsizetype i = 0; i < entity.relationships().size(); ++i) {
        ManagedObject::Slot &slot = object->m_slots[size_t(i)];
        if (entity.relationships()[i].toMany) {
            slot.loaded = false;
        } else {
            slot.targetKey = row.targetKeys[size_t(i)];
            slot.resolved = slot.targetKey == 0;
        }
    }
    m_registered.emplace(row.key, std::move(made));
    return object;
}

ManagedObject *ManagedObjectContext::objectForKey(const QString &entityName, qint64 key)
{
    if (key == 0)
        return nullptr;
    if (ManagedObject *known = registered(key))
        return known->isDeleted() ? nullptr : known;
    const EntityDescription *entity = model().entity(entityName);
    if (!entity)
        return nullptr;
    const std::optional<QList<StoredRow>> rows = m_store->row(*entity, key, nullptr);
    if (!rows || rows->isEmpty())
        return nullptr;
    return materialize(*entity, rows->first());
}

QList<ManagedObject *> ManagedObjectContext::loadMembers(ManagedObject &owner,
                                                         int relationshipIndex)
{
    QList<ManagedObject *> members;
    if (owner.m_id.isTemporary())
        return members;
    const RelationshipDescription &relationship = owner.entity().relationships()[relationshipIndex];
    const EntityDescription *destination = model().entity(relationship.destinationEntity);
    if (!destination)
        return members;
    const RelationshipDescription *inverse = destination->relationship(relationship.inverseName);
    if (inverse && !inverse->toMany) {
        const int inverseIndex = destination->relationshipIndex(inverse->name);
        const std::optional<QList<StoredRow>> rows =
            m_store->rowsWhere(*destination, inverse->name, owner.m_id.key, nullptr);
        for (const StoredRow &row : rows.value_or(QList<StoredRow>{})) {
            ManagedObject *member = materialize(*destination, row);
            // A member moved elsewhere in this context no longer belongs here.
            if (!member->isDeleted() && member->toOneKey(inverseIndex) == owner.m_id.key)
                members.append(member);
        }
        return members;
    }
    const std::optional<QList<qint64>> keys =
        m_store->memberKeys(owner.entity(), relationship, owner.m_id.key, nullptr);
    for (qint64 key : keys.value_or(QList<qint64>{})) {
        if (ManagedObject *member = objectForKey(destination->name(), key))
            members.append(member);
    }
    return members;
}

void ManagedObjectContext::objectDidChange(ManagedObject &object)
{
    if (object.m_state != ManagedObject::State::Saved || object.m_updated)
        return;
    object.m_updated = true;
    m_updated.append(&object);
}

int ManagedObjectContext::addChangeObserver(ChangeObserver observer)
{
    m_observers.emplace_back(m_nextObserverToken, std::move(observer));
    return m_nextObserverToken++;
}

void ManagedObjectContext::removeChangeObserver(int token)
{
    std::erase_if(m_observers, [token](const auto &entry) { return entry.first == token; });
}

void ManagedObjectContext::notify(const ChangeNotice &notice)
{
    if (m_observers.empty())
        return;
    // A copy, so an observer may remove itself or others while it is told.
    const std::vector<std::pair<int, ChangeObserver>> observers = m_observers;
    for (const auto &[token, observer] : observers)
        observer(notice);
}

std::optional<QList<ManagedObject *>>
ManagedObjectContext::executeFetchRequest(const FetchRequest &request, StoreError *error)
{
    const EntityDescription *entity = model().entity(request.entityName);
    if (!entity) {
        setStoreError(error,
                      StoreError::make(StoreError::UnknownEntity,
                                       QStringLiteral("No entity named ") + request.entityName));
        return std::nullopt;
    }
    QList<ManagedObject *> result;
    if (request.affectedStore && request.affectedStore != m_store.get())
        return result;
    const std::optional<QList<StoredRow>> rows = m_store->rows(*entity, error);
    if (!rows)
        return std::nullopt;
    QList<ManagedObject *> candidates;
    for (const StoredRow &row : *rows)
        candidates.append(materialize(*entity, row));
    for (ManagedObject *object : std::as_const(m_inserted)) {
        if (&object->entity() == entity)
            candidates.append(object);
    }
    for (ManagedObject *object : std::as_const(candidates)) {
        if (!object->isDeleted() && request.predicate.matches(*object))
            result.append(object);
    }
    return result;
}

std::optional<QList<ManagedObject *>>
ManagedObjectContext::executeFetchTemplate(const QString &templateName,
                                           const QVariantMap &variables, StoreError *error)
{
    const std::optional<FetchRequest> request =
        model().fetchRequestFromTemplate(templateName, variables, error);
    if (!request)
        return std::nullopt;
    return executeFetchRequest(*request, error);
}

bool ManagedObjectContext::hasChanges() const
{
    return !m_inserted.isEmpty() || !m_updated.isEmpty() || !m_deleted.isEmpty();
}

bool ManagedObjectContext::save(StoreError *error)
{
    if (!hasChanges())
        return true;
    for (ManagedObject *object : std::as_const(m_inserted)) {
        if (!object->validateForInsert(error))
            return false;
    }
    // A validation may itself change an object (a date restamped), so take the list afterwards.
    const QList<ManagedObject *> updated = m_updated;
    for (ManagedObject *object : updated) {
        if (!object->validateForUpdate(error))
            return false;
    }
    const std::optional<QHash<ManagedObject *, qint64>> keys =
        m_store->write(m_inserted, m_updated, m_deleted, error);
    if (!keys)
        return false;
    didSave(*keys);
    return true;
}

void ManagedObjectContext::didSave(const QHash<ManagedObject *, qint64> &assignedKeys)
{
    for (ManagedObject *object : std::as_const(m_inserted)) {
        const auto found = m_unsaved.find(object);
        object->m_id.key = assignedKeys.value(object);
        object->m_id.temporaryNumber = 0;
        object->m_state = ManagedObject::State::Saved;
        m_registered.emplace(object->m_id.key, std::move(found->second));
        m_unsaved.erase(found);
    }
    for (ManagedObject *object : std::as_const(m_deleted)) {
        object->m_state = ManagedObject::State::Forgotten;
        forget(object);
    }
    for (auto &[key, object] : m_registered) {
        object->m_updated = false;
        for (ManagedObject::Slot &slot : object->m_slots)
            slot.changed = false;
    }
    m_inserted.clear();
    m_updated.clear();
    m_deleted.clear();
}
