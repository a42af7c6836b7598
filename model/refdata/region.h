#pragma once

#include "model/tolvanebase.h"

#include <QImage>

#include <memory>

class Country;
class QTextDocument;

// A named group of countries (type 0), states (1) or area codes (2) within a geographic region.
class Region : public TolvaneBase
{
public:
    static QString entityName() { return QStringLiteral("Region"); }

    Region();
    ~Region() override;

    // One region by name (without regard to case); nullptr when none or the fetch failed.
    static Region *lookup(const QString &name, ManagedObjectContext &context);
    // The regions of a geographic region; nullopt when there is none or the fetch failed.
    static std::optional<QList<Region *>> regionsForGeoRegion(const QString &geoRegion,
                                                              ManagedObjectContext &context);

    QString name() const { return stringValue(QStringLiteral("name")); }
    void setName(const QString &name) { setValue(QStringLiteral("name"), name); }
    QString geoRegion() const { return stringValue(QStringLiteral("geoRegion")); }
    void setGeoRegion(const QString &geoRegion)
    {
        setValue(QStringLiteral("geoRegion"), geoRegion);
    }
    qint64 type() const { return integerValue(QStringLiteral("type")); }
    void setType(qint64 type) { setValue(QStringLiteral("type"), type); }
    QVariant isTolvaneRegion() const { return value(QStringLiteral("isTolvaneRegion")); }
    void setIsTolvaneRegion(bool flag) { setValue(QStringLiteral("isTolvaneRegion"), flag); }

    void addCountriesObject(ManagedObject *country)
    {
        addToMany(QStringLiteral("countries"), country);
    }
    void removeCountriesObject(ManagedObject *country)
    {
        removeFromMany(QStringLiteral("countries"), country);
    }
    void addStatesObject(ManagedObject *state) { addToMany(QStringLiteral("states"), state); }
    void removeStatesObject(ManagedObject *state)
    {
        removeFromMany(QStringLiteral("states"), state);
    }
    void addAreaCodesObject(ManagedObject *code) { addToMany(QStringLiteral("areaCodes"), code); }
    void removeAreaCodesObject(ManagedObject *code)
    {
        removeFromMany(QStringLiteral("areaCodes"), code);
    }
    void addPreferInMenuObject(ManagedObject *owner)
    {
        addToMany(QStringLiteral("preferInMenu"), owner);
    }
    void removePreferInMenuObject(ManagedObject *owner)
    {
        removeFromMany(QStringLiteral("preferInMenu"), owner);
    }

    // The members of the kind the region groups; nullopt when the region is of another type.
    std::optional<QList<ManagedObject *>> allCountries();
    std::optional<QList<ManagedObject *>> allStates();
    std::optional<QList<ManagedObject *>> allAreaCodes();

    QString imageName() const { return QStringLiteral("Action"); }
    // "Action.png"; a null image when the program has no such image.
    QImage image() const;
    // The menu text, made on first use and kept for the object's life.
    const QTextDocument &nameWithImage() const;

private:
    std::optional<QList<ManagedObject *>> membersOfType(qint64 wanted, const QString &key);

    mutable std::unique_ptr<QTextDocument> m_cachedNameWithImage;
};
