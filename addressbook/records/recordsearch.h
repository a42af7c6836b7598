#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/addressbook/searchelement.h"

#include <QList>
#include <QString>
#include <QVariant>

// One search of the shared address book, and the rule every single-record lookup shares: no match
// and several matches both give no record, the second with a line written whatever the log level,
// so callers treat ambiguity like absence.
namespace AddressBookTool {

SearchElement personElement(const QString &property, const QVariant &value,
                            SearchElement::Comparison comparison, const QString &label = {},
                            const QString &key = {});
SearchElement groupElement(const QString &property, const QVariant &value,
                           SearchElement::Comparison comparison);

QList<PersonPtr> searchPeople(const SearchElement &element);
QList<GroupPtr> searchGroups(const SearchElement &element);

PersonPtr uniquePerson(const QList<PersonPtr> &matches, const QString &severalLine);
GroupPtr uniqueGroup(const QList<GroupPtr> &matches, const QString &severalLine);

} // namespace AddressBookTool
