#pragma once

#include "model/tolvanebase.h"

class Country;

// A state or province of a country.
class State : public TolvaneBase
{
public:
    static QString entityName() { return QStringLiteral("State"); }

    // By two-character code (any case) or by name (without regard to case) within the country.
    static State *lookup(const QString &codeOrName, Country *country,
                         ManagedObjectContext &context);
    // Every state of the country; empty for no country or a failed fetch.
    static QList<State *> allStatesByCountry(Country *country, ManagedObjectContext &context);

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
