#pragma once

#include <QList>
#include <QString>

class ManagedObject;

// One change of an object's key, as its context's observers hear it: once before the change
// (prior) and once after. A change of a to-many relationship names the set of members added
// (Union) or removed (Minus); any other change is a Setting.
struct ChangeNotice
{
    enum class Kind { Setting, Union, Minus };

    ManagedObject *object = nullptr;
    QString key;
    Kind kind = Kind::Setting;
    bool prior = false;
    QList<ManagedObject *> members;
};
