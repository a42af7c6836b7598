#pragma once

#include "platform/addressbook/properties/propertytype.h"

#include <QVariant>

#include <optional>

// The form in which a record keeps a value of a property type: integers as int (or qlonglong
// when larger), date-times in UTC, dates without a time as QDate, multi-values as MultiValue of
// the property's type with each entry in its entry type's form. nullopt when the value does not
// fit the type.
std::optional<QVariant> normalizedPropertyValue(const QVariant &value, PropertyType type);
