#include "tests/support/google/booksnapshot.h"

#include "tests/support/google/linkpreferences.h"
#include "tests/support/google/personcard.h"

#include "google/download/downloadstamp.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"

namespace booksnapshot {

Snapshot snapshot()
{
    const QStringList moving = {linkpreferences::contactVersion, linkpreferences::contactAsOf,
                                kABModificationDateProperty, downloadstamp::ownWritePropertyName()};
    Snapshot shot;
    for (const PersonPtr &person : AddressBook::shared()->people()) {
        QMap<QString, QVariant> values;
        for (const QString &property : Person::properties()) {
            if (moving.contains(property))
                continue;
            QVariant value = person->valueForProperty(property);
            if (variantHoldsMultiValue(value)) {
                QStringList entries;
                const MultiValue multi = multiValueFromVariant(value);
                for (int index = 0; index < multi.count(); ++index)
                    entries << personcard::entry(
                        multi.labelAt(index), multi.valueAt(index).toString(),
                        multi.identifierAt(index) == multi.primaryIdentifier());
                value = entries;
            }
            if (value.isValid())
                values.insert(property, value);
        }
        values.insert(personcard::groupsKey, personcard::groupNames(person));
        shot.insert(person->uniqueId(), values);
    }
    return shot;
}

} // namespace booksnapshot
