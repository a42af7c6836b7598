#include "addressbook/fields/multivalueediting.h"

#include "platform/addressbook/person.h"

namespace AddressBookTool {

MutableMultiValue editableMultiValue(const PersonPtr &person, const QString &property,
                                     PropertyType type)
{
    const MultiValue stored = person->multiValueForProperty(property);
    return stored.isEmpty() ? MutableMultiValue(type) : stored.mutableCopy();
}

bool setMultiValue(const PersonPtr &person, const MultiValue &values, const QString &property)
{
    return person->setValueForProperty(QVariant::fromValue(values), property);
}

} // namespace AddressBookTool
