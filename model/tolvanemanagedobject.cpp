#include "model/tolvanemanagedobject.h"

#include "foundation/log.h"
#include "model/fetchlog.h"
#include "platform/store/entitydescription.h"
#include "platform/store/persistentstore.h"

std::optional<QList<ManagedObject *>>
TolvaneManagedObject::allInContext(const QString &className, ManagedObjectContext &context)
{
    const QString templateName = QStringLiteral("all") + className;
    StoreError error;
    std::optional<QList<ManagedObject *>> objects =
        context.executeFetchTemplate(templateName, {}, &error);
    if (!objects)
        fetchlog::logFailure(className, QStringLiteral("allInContext:"), templateName, error);
    return objects;
}

void TolvaneManagedObject::removeTheseObjectIDs(const QList<ObjectID> &ids,
                                                ManagedObjectContext &context)
{
    for (const ObjectID &id : ids)
        context.deleteObject(context.objectRegisteredForID(id));
}

QVariantList TolvaneManagedObject::distinctSetForKey(const QString &className, const QString &key,
                                                     ManagedObjectContext &context)
{
    QVariantList values;
    for (ManagedObject *object :
         allInContext(className, context).value_or(QList<ManagedObject *>{})) {
        const QVariant value = object->value(key);
        if (!values.contains(value))
            values.append(value);
    }
    return values;
}

void TolvaneManagedObject::setNilValueForKey(const QString &key)
{
    tlog::labelled(entity().name(), QStringLiteral("setNilValueForKey:"),
                   QStringLiteral("NOTE: Attempting to set nilValue"), key);
    setValue(key, QVariant());
}

QList<ManagedObject *> TolvaneManagedObject::toManyArrayForKey(const QString &key)
{
    return toMany(key);
}

QString TolvaneManagedObject::toManyAttributesAsStringForKey(const QString &key,
                                                             const QString &attribute,
                                                             const QString &delimiter)
{
    const QList<ManagedObject *> members = toMany(key);
    if (members.isEmpty())
        return {};
    QStringList values;
    for (ManagedObject *member : members)
        values.append(member->stringValue(attribute));
    return values.join(delimiter);
}

void TolvaneManagedObject::addObjectToToManyRelationshipForKey(ManagedObject *object,
                                                               const QString &key)
{
    addToMany(key, object);
}

ManagedObject *TolvaneManagedObject::similarObjectInContext(ManagedObjectContext &context,
                                                            const PersistentStore *store)
{
    tlog::verbose(entity().name(), QStringLiteral("similarObjectInContext:andStore:"),
                  QStringLiteral("similarObjInContext"));
    const std::optional<Predicate> predicate = predicateForSimilarObject();
    if (!predicate)
        return nullptr;
    const std::optional<QList<ManagedObject *>> found =
        context.executeFetchRequest(FetchRequest(entity().name(), *predicate, store), nullptr);
    return found && !found->isEmpty() ? found->first() : nullptr;
}

void TolvaneManagedObject::copyAttributesFromObject(const ManagedObject &source)
{
    for (const AttributeDescription &attribute : entity().attributes())
        setPrimitiveValue(attribute.name, source.value(attribute.name));
}

ManagedObject *TolvaneManagedObject::counterpart(ManagedObject &related, bool useExisting)
{
    auto *tolvaneRelated = dynamic_cast<TolvaneManagedObject *>(&related);
    if (!tolvaneRelated)
        return nullptr;
    ManagedObjectContext &context = *managedObjectContext();
    const PersistentStore *store = &context.store();
    ManagedObject *found =
        useExisting ? tolvaneRelated->similarObjectInContext(context, store) : nullptr;
    return found ? found : tolvaneRelated->copyToContext(context, store);
}

void TolvaneManagedObject::tieInverse(const QString &key, ManagedObject &counterpart)
{
    const RelationshipDescription *relationship = entity().relationship(key);
    const RelationshipDescription *inverse =
        relationship ? counterpart.entity().relationship(relationship->inverseName) : nullptr;
    if (!inverse)
        return;
    if (inverse->toMany)
        counterpart.addToMany(inverse->name, this);
    else
        counterpart.setToOne(inverse->name, this);
}

void TolvaneManagedObject::copyToOneRelationshipForKey(const QString &key, ManagedObject &source,
                                                       bool useExisting)
{
    ManagedObject *related = source.toOne(key);
    if (!related)
        return;
    ManagedObject *copy = counterpart(*related, useExisting);
    if (!copy)
        return;
    setToOne(key, copy);
    tieInverse(key, *copy);
}

void TolvaneManagedObject::copyToManyRelationshipForKey(const QString &key, ManagedObject &source,
                                                        bool useExisting)
{
    for (ManagedObject *member : source.toMany(key)) {
        ManagedObject *copy = counterpart(*member, useExisting);
        if (!copy)
            continue;
        addToMany(key, copy);
        tieInverse(key, *copy);
    }
}
