#pragma once

#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/recordclass.h"

#include <QString>

#include <functional>

// Picking entries out of a person's multi-valued property by label or by its primary entry. A
// missing person or property reads as an empty list; positions are -1 when nothing matches.
namespace labelledvalues {

using LabelTest = std::function<bool(const QString &label)>;

MultiValue valuesOf(const PersonPtr &person, const QString &property);
// The position of the primary entry; without a primary, the first; -1 for an empty list.
int primaryIndex(const MultiValue &values);
int firstIndexWhere(const MultiValue &values, const LabelTest &test);
int lastIndexWhere(const MultiValue &values, const LabelTest &test);
int firstIndexOfLabel(const MultiValue &values, const QString &label);
int lastIndexOfLabel(const MultiValue &values, const QString &label);
// The entry's text, "" (never a null string) for a position of no entry or a value without text.
QString textAt(const MultiValue &values, int index);

} // namespace labelledvalues
