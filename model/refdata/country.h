#pragma once

#include "model/tolvanebase.h"

#include <QImage>

#include <memory>

class QTextDocument;
class Region;

// A country: ISO code, name, dialling and postal rules, its region, states and area codes.
class Country : public TolvaneBase
{
public:
    static QString entityName() { return QStringLiteral("Country"); }

    Country();
    ~Country() override;

    // By ISO code (two characters, any case, with the US synonyms) or by name (without regard to
    // case); nullptr when nothing matches or the fetch failed.
    static Country *lookup(const QString &codeOrName, ManagedObjectContext &context);
    // By exactly two characters of ISO code, no synonyms.
    static Country *lookupByISO(const QString &code, ManagedObjectContext &context);

    QString isoCode() const { return stringValue(QStringLiteral("isoCode")); }
    void setIsoCode(const QString &code) { setValue(QStringLiteral("isoCode"), code); }
    QString name() const { return stringValue(QStringLiteral("name")); }
    void setName(const QString &name) { setValue(QStringLiteral("name"), name); }
    QString countryCode() const { return stringValue(QStringLiteral("countryCode")); }
    void setCountryCode(const QString &code) { setValue(QStringLiteral("countryCode"), code); }
    QString internationalAccessCode() const
    {
        return stringValue(QStringLiteral("internationalAccessCode"));
    }
    void setInternationalAccessCode(const QString &code)
    {
        setValue(QStringLiteral("internationalAccessCode"), code);
    }
    QString longDistanceAccessCode() const
    {
        return stringValue(QStringLiteral("longDistanceAccessCode"));
    }
    void setLongDistanceAccessCode(const QString &code)
    {
        setValue(QStringLiteral("longDistanceAccessCode"), code);
    }
    QVariant minAreaCode() const { return value(QStringLiteral("minAreaCode")); }
    QVariant maxAreaCode() const { return value(QStringLiteral("maxAreaCode")); }
    QString uNName() const { return stringValue(QStringLiteral("uNName")); }
    qint64 uNCode() const { return integerValue(QStringLiteral("uNCode")); }
    QVariant allowNewStates() const { return value(QStringLiteral("allowNewStates")); }
    void setAllowNewStates(bool allow) { setValue(QStringLiteral("allowNewStates"), allow); }
    QVariant allowNewAreaCodes() const { return value(QStringLiteral("allowNewAreaCodes")); }
    void setAllowNewAreaCodes(bool allow) { setValue(QStringLiteral("allowNewAreaCodes"), allow); }

    Region *region();
    void setRegion(Region *region);
    QList<ManagedObject *> states() { return toMany(QStringLiteral("states")); }
    void addStatesObject(ManagedObject *state) { addToMany(QStringLiteral("states"), state); }
    void removeStatesObject(ManagedObject *state)
    {
        removeFromMany(QStringLiteral("states"), state);
    }
    QList<ManagedObject *> areaCodes() { return toMany(QStringLiteral("areaCodes")); }
    void addAreaCodesObject(ManagedObject *code) { addToMany(QStringLiteral("areaCodes"), code); }
    void removeAreaCodesObject(ManagedObject *code)
    {
        removeFromMany(QStringLiteral("areaCodes"), code);
    }

    // The flag image's name: the ISO code in lower case.
    QString imageName() const { return isoCode().toLower(); }
    // The flag ("<imageName>.gif"), or "Folder.tiff" for a country without a code; a null image
    // when the program has no such image.
    QImage image() const;
    // The menu text, made on first use and kept for the object's life: a country without a flag
    // image shows its name alone.
    const QTextDocument &nameWithImage() const;

    // Both bounds set and equal in value.
    bool isFixedAreaCode() const;

private:
    static Country *byCode(const QString &code, const QString &shownCode,
                           ManagedObjectContext &context);

    mutable std::unique_ptr<QTextDocument> m_cachedNameWithImage;
};
