#pragma once

#include "platform/gdata/entries/gdatacontactelements.h"

#include <QVariantList>

#include <vector>

// Contact elements rebuilt from plain dictionaries of strings, as a backup keeps them: one element
// per dictionary, in order, none skipped. Keys: "address" (the value), "protocol" (IM only),
// "isPrimary" ("YES" marks the element primary), "rel" and "label" (each only when non-empty, so
// an element may carry both), "name" and "title" (organisations only), "hRef" (memberships).
namespace dictionaryelements {

std::vector<GDataEmail> googleContactEmailsForArray(const QVariantList &array);
std::vector<GDataPhoneNumber> googleContactPhonesForArray(const QVariantList &array);
std::vector<GDataPostalAddress> googleContactAddressesForArray(const QVariantList &array);
std::vector<GDataIM> googleContactIMsForArray(const QVariantList &array);
std::vector<GDataOrganization> googleContactOrganizationsForArray(const QVariantList &array);
std::vector<GDataGroupMembershipInfo> googleContactMembershipsForArray(const QVariantList &array);

} // namespace dictionaryelements
