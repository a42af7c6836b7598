// The type of a People field value against the rel or label of its GData element, per kind of
// element. A type with a rel of its own maps to that rel; any other type is kept as the label's
// text, so nothing the user typed is lost either way.
#pragma once

#include <QString>

#include <optional>

namespace peoplefieldtypes {

enum class Field { Email, Phone, Address, IM, Organization };

struct RelOrLabel
{
    std::optional<QString> rel;
    std::optional<QString> label;
};

// A missing type reads as neither rel nor label.
RelOrLabel readType(Field field, const std::optional<QString> &type);
// No rel and no label write no type.
std::optional<QString> writeType(Field field, const RelOrLabel &value);

// IM protocols: the eight known ones map to their GData values, any other text is kept verbatim.
std::optional<QString> readProtocol(const std::optional<QString> &protocol);
std::optional<QString> writeProtocol(const std::optional<QString> &protocol);

} // namespace peoplefieldtypes
