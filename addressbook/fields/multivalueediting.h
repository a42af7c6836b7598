#pragma once

#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/recordclass.h"

#include <QString>

namespace AddressBookTool {

// An editable copy of the person's multi-value, or a new empty one of the given type when the
// person has no value there.
MutableMultiValue editableMultiValue(const PersonPtr &person, const QString &property,
                                     PropertyType type);
// Stores the edited multi-value as the person's property; false when the person refuses it.
bool setMultiValue(const PersonPtr &person, const MultiValue &values, const QString &property);

} // namespace AddressBookTool
