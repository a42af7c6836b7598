#pragma once

#include <QString>

// One relationship of an entity. Every relationship names its inverse on the destination, and
// changing one side changes the other.
struct RelationshipDescription
{
    QString name;
    QString destinationEntity;
    QString inverseName;
    bool toMany = false;
};
