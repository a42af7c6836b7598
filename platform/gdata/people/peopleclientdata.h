// Extended properties as People clientData items, one property per item. This layer's own items
// carry the key "gdx:" plus the property name and, as value, compact JSON of the value attribute
// and the children in document order: {"v": value, "c": [[child, text], ...]} ("v" absent when the
// property has no value). An item of any other key belongs to another client: it reads as a
// property of that name with its value, and goes back unchanged.
#pragma once

#include "platform/gdata/entries/gdataextendedproperty.h"

#include <QByteArrayView>
#include <QJsonObject>

namespace peopleclientdata {

// The property of an item's key and value; its read copy is for the caller to keep.
GDataExtendedProperty propertyFromItem(const QString &key, const std::optional<QString> &value);
QJsonObject itemFromProperty(const GDataExtendedProperty &property);

} // namespace peopleclientdata
