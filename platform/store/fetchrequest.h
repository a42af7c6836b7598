#pragma once

#include "platform/store/predicate.h"

#include <QString>

class PersistentStore;

// What to fetch: the objects of one entity that match the predicate. With an affected store set,
// only objects of that store are answered.
struct FetchRequest
{
    FetchRequest(QString entityName, Predicate predicate = {},
                 const PersistentStore *affectedStore = nullptr)
        : entityName(std::move(entityName))
        , predicate(std::move(predicate))
        , affectedStore(affectedStore)
    {}

    QString entityName;
    Predicate predicate;
    const PersistentStore *affectedStore;
};
