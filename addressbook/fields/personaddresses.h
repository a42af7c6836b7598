#pragma once

#include "platform/addressbook/recordclass.h"

#include <QVariantMap>

#include <optional>

// A person's postal addresses (address dictionaries as stored) by label. Positions are -1 when
// nothing matches, also for no person.
namespace AddressBookTool {

// The address at the primary entry; without a primary, the first; empty when there is none.
QVariantMap primaryAddressForPerson(const PersonPtr &person);
// The first address labelled work or home; nullopt when there is none.
std::optional<QVariantMap> workAddressForPerson(const PersonPtr &person);
std::optional<QVariantMap> homeAddressForPerson(const PersonPtr &person);
int indexOfWorkAddressForPerson(const PersonPtr &person);
int indexOfHomeAddressForPerson(const PersonPtr &person);

} // namespace AddressBookTool
