#pragma once

#include "platform/addressbook/properties/propertytype.h"
#include "platform/addressbook/recordclass.h"

#include <QString>
#include <QStringList>

// The properties every book has for a record class, and their types.
namespace builtinproperties {

QStringList names(RecordClass recordClass);
// PropertyType::Error when the class has no such built-in property.
PropertyType typeOf(RecordClass recordClass, const QString &property);
// Properties that only the address book itself writes.
bool isReadOnly(const QString &property);

} // namespace builtinproperties
