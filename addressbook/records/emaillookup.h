#pragma once

#include <QString>
#include <QStringList>

// Persons by e-mail address, and addresses held more than once.
namespace AddressBookTool {

int countForEmail(const QString &address);
// The unique identifier of the one person with the address (case ignored); "" for none or several.
QString abidForEmail(const QString &address);
// Every address that was seen before, within a record or across records, in the order found: an
// address held n times stands n-1 times.
QStringList duplicatesByEmail();

} // namespace AddressBookTool
