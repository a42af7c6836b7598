#pragma once

#include "google/browser/reviewrows.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataextendedproperty.h"

#include <QList>
#include <QString>

// The hints the review window writes into the program's extended property of a contact: the
// reviewed name parts, and one flattened dictionary per reviewed postal address, which later
// transfers to the address book take in place of their own split.
namespace reviewproperties {

// Whether the program's property is on the contact after the change: false when the contact
// already held ten foreign properties, which leaves no room for it.
using Placed = bool;

// Sets the title from the reviewed parts (a company's name; else first, nickname in double
// quotes, middle and last, those that are not empty) and the nine name values over the program's
// property. A row without any part leaves the title.
Placed googleNameReviewPropertiesFor(GDataEntryContact &contact, const NameReviewRow &row);
// Adds the row's reviewed address to the program's property; the title is not touched.
Placed googleAddressReviewPropertiesFor(GDataEntryContact &contact, const AddressReviewRow &row);

// The title the reviewed parts give; null when they leave the title as it is.
std::optional<QString> reviewedTitle(const NameReviewRow &row);

GDataExtendedProperty googleExtendedPropertiesForNameReview(const NameReviewRow &row,
                                                            const GDataEntryContact &contact);
// The existing values with the nine name values set over them; every other value stays.
GDataExtendedProperty mergeExProp(const GDataExtendedProperty &existing, const NameReviewRow &row,
                                  const GDataEntryContact &contact);
// "abid" "TolvaneHints", "gID" and one reviewed address.
GDataExtendedProperty googleExtendedProperyForAddressReview(const AddressReviewRow &row,
                                                            const GDataEntryContact &contact);
// The existing values, "gID", and the reviewed address: in place of the hint of the same address
// (same letters and digits of Google's text) under that hint's element, else under an
// "address-" element whose number no other element of the property uses.
GDataExtendedProperty mergeExProp(const GDataExtendedProperty &existing,
                                  const AddressReviewRow &row, const GDataEntryContact &contact);

// The label a reviewed address is stored with, from the label the window showed: the localised
// home and work labels give "home" and "work", "address" (neither relation nor label) gives
// "other", any other text is the custom label itself.
QString reviewedAddressLabel(const QString &thisLabel);
// The flattened reviewed-address dictionary of the row.
QString flattenedReviewedAddress(const AddressReviewRow &row);

} // namespace reviewproperties
