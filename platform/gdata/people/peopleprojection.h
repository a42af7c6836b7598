// The projections of the Atom feeds, emulated over clientData: through property-KEY the layers
// above see only the extended property KEY, through thin none, through full all. What a projection
// hides stays with the entry's read copy, and a write puts it back, so another client's data is
// never wiped.
#pragma once

#include <QString>

struct PeopleProjection
{
    enum class Kind { Full, Thin, Property };

    Kind kind = Kind::Full;
    QString propertyName;

    static PeopleProjection full() { return {}; }
    static PeopleProjection thin() { return {Kind::Thin, {}}; }
    static PeopleProjection property(const QString &name) { return {Kind::Property, name}; }

    bool shows(const QString &name) const
    {
        return kind == Kind::Full || (kind == Kind::Property && name == propertyName);
    }
};
