#pragma once

#include "platform/store/managedobject.h"
#include "platform/store/managedobjectcontext.h"
#include "platform/store/predicate.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

class PersistentStore;

// The root of every entity class of the shared store: fetching all objects of an entity by its
// "all<Class>" template, deleting by identifier, to-many helpers and copying between stores.
class TolvaneManagedObject : public ManagedObject
{
public:
    // Every object of the class's entity; nullopt (after the log lines) when the fetch failed, so
    // a caller never takes a failed fetch for an empty entity.
    static std::optional<QList<ManagedObject *>> allInContext(const QString &className,
                                                              ManagedObjectContext &context);
    template <class T> static std::optional<QList<T *>> allInContext(ManagedObjectContext &context)
    {
        return cast<T>(allInContext(T::entityName(), context));
    }

    static void removeTheseObjectIDs(const QList<ObjectID> &ids, ManagedObjectContext &context);

    // The distinct values of the key over allInContext; empty when the fetch failed.
    static QVariantList distinctSetForKey(const QString &className, const QString &key,
                                          ManagedObjectContext &context);

    void setNilValueForKey(const QString &key);

    QList<ManagedObject *> toManyArrayForKey(const QString &key);
    // The members' values joined by the delimiter; a null text for a missing or empty relationship.
    QString toManyAttributesAsStringForKey(const QString &key, const QString &attribute,
                                           const QString &delimiter);
    void addObjectToToManyRelationshipForKey(ManagedObject *object, const QString &key);

    // The first object of this entity in the context (and store) that matches
    // predicateForSimilarObject; nullptr when there is none or the entity gives no predicate.
    ManagedObject *similarObjectInContext(ManagedObjectContext &context,
                                          const PersistentStore *store);
    void copyAttributesFromObject(const ManagedObject &source);
    void copyToOneRelationshipForKey(const QString &key, ManagedObject &source, bool useExisting);
    void copyToManyRelationshipForKey(const QString &key, ManagedObject &source, bool useExisting);

    // Hooks of the copy framework: the base class has neither a predicate nor a copy.
    virtual std::optional<Predicate> predicateForSimilarObject() const { return std::nullopt; }
    virtual ManagedObject *copyToContext(ManagedObjectContext &, const PersistentStore *)
    {
        return nullptr;
    }

    template <class T>
    static std::optional<QList<T *>> cast(const std::optional<QList<ManagedObject *>> &objects)
    {
        if (!objects)
            return std::nullopt;
        QList<T *> typed;
        typed.reserve(objects->size());
        for (ManagedObject *object : *objects)
            typed.append(static_cast<T *>(object));
        return typed;
    }

private:
    ManagedObject *counterpart(ManagedObject &related, bool useExisting);
    void tieInverse(const QString &key, ManagedObject &counterpart);
};
