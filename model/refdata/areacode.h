#pragma once

#include "model/tolvanebase.h"

class Country;

// A telephone area code of a country.
class AreaCode : public TolvaneBase
{
public:
    static QString entityName() { return QStringLiteral("AreaCode"); }

    static AreaCode *lookup(const QString &code, Country *country, ManagedObjectContext &context);

    QString code() const { return stringValue(QStringLiteral("code")); }
    void setCode(const QString &code) { setValue(QStringLiteral("code"), code); }
    QString name() const { return stringValue(QStringLiteral("name")); }
    void setName(const QString &name) { setValue(QStringLiteral("name"), name); }
    Country *country();
    void setCountry(Country *country);
    void addRegionsObject(ManagedObject *region) { addToMany(QStringLiteral("regions"), region); }
    void removeRegionsObject(ManagedObject *region)
    {
        removeFromMany(QStringLiteral("regions"), region);
    }
};
