#include "addressbook/fields/personaddresses.h"

#include "addressbook/fields/labelledvalues.h"
#include "platform/addressbook/abconstants.h"

using namespace labelledvalues;

namespace AddressBookTool {

namespace {

MultiValue addressesOf(const PersonPtr &person)
{
    return valuesOf(person, kABAddressProperty);
}

std::optional<QVariantMap> firstAddressLabelled(const PersonPtr &person, const QString &label)
{
    const MultiValue addresses = addressesOf(person);
    const int index = firstIndexOfLabel(addresses, label);
    if (index < 0)
        return std::nullopt;
    return addresses.valueAt(index).toMap();
}

} // namespace

QVariantMap primaryAddressForPerson(const PersonPtr &person)
{
    const MultiValue addresses = addressesOf(person);
    const int index = primaryIndex(addresses);
    return index < 0 ? QVariantMap() : addresses.valueAt(index).toMap();
}

std::optional<QVariantMap> workAddressForPerson(const PersonPtr &person)
{
    return firstAddressLabelled(person, kABAddressWorkLabel);
}

std::optional<QVariantMap> homeAddressForPerson(const PersonPtr &person)
{
    return firstAddressLabelled(person, kABAddressHomeLabel);
}

int indexOfWorkAddressForPerson(const PersonPtr &person)
{
    return firstIndexOfLabel(addressesOf(person), kABAddressWorkLabel);
}

int indexOfHomeAddressForPerson(const PersonPtr &person)
{
    return firstIndexOfLabel(addressesOf(person), kABAddressHomeLabel);
}

} // namespace AddressBookTool
