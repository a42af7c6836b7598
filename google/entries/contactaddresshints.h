#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QMap>
#include <QString>
#include <QStringList>

// The addresses that the program's extended property keeps for a contact.
namespace tolvane {

// The flattened reviewed addresses (elements whose names contain "address-"), in element order;
// none unless the contact has exactly one program property.
QStringList tolvaneExPAddresses(const GDataEntryContact &contact);
inline QStringList tolvaneRawAddresses(const GDataEntryContact &contact)
{
    return tolvaneExPAddresses(contact);
}

// The contact's address in short-key form, always with the keys "r", "r2", "c", "s", "p", "t":
// from the first reviewed address (its street decoded and split at the first carriage return
// into r and r2), else from the primary (else first) postal address, else empty texts.
QMap<QString, QString> tolvaneAddressDictionary(const GDataEntryContact &contact);

} // namespace tolvane
