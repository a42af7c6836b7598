#include "platform/addressbook/person.h"

Person::Person(QString uniqueId)
    : Record(std::move(uniqueId))
{}

QString Person::recordType() const
{
    return QStringLiteral("ABPerson");
}
