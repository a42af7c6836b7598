// clientData items and the Atom face's extended properties: one property per item under the key
// "gdx:" plus its name, its value {"v": value attribute, "c": [[child, text], ...]} in compact
// JSON. Items of any other key belong to other clients: the People JSON keeps them as they came
// and the Atom face never shows them.
#pragma once

#include "platform/gdata/entries/gdataextendedproperty.h"

#include <QJsonArray>
#include <QJsonObject>

#include <vector>

namespace clientdata {

QJsonArray render(const std::vector<GDataExtendedProperty> &properties, const QJsonObject &people);
// The extended properties of the items; the others go into people["clientData"].
std::vector<GDataExtendedProperty> write(const QJsonArray &items, QJsonObject &people);

} // namespace clientdata
