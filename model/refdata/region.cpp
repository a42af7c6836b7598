#include "model/refdata/region.h"

#include "foundation/log.h"
#include "foundation/views/imagetext.h"
#include "model/menunamewithimage.h"
#include "model/rowsdescription.h"

#include <QTextDocument>

Region::Region() = default;
Region::~Region() = default;

Region *Region::lookup(const QString &name, ManagedObjectContext &context)
{
    if (name.isNull())
        return nullptr;
    StoreError error;
    const auto rows = context.executeFetchTemplate(QStringLiteral("RegionByName"),
                                                   {{QStringLiteral("regionName"), name}}, &error);
    if (!rows) {
        if (tlog::tracing())
            tlog::write(QStringLiteral("Name Lookup for %1 returning error: %2 = NIL")
                            .arg(name, error.description));
        return nullptr;
    }
    if (rows->isEmpty())
        return nullptr;
    if (rows->size() > 1 && tlog::tracing())
        tlog::write(QStringLiteral("RegionByName Lookup for %1 returns (>1) = %2")
                        .arg(name, describeRows(*rows)));
    return static_cast<Region *>(rows->first());
}

std::optional<QList<Region *>> Region::regionsForGeoRegion(const QString &geoRegion,
                                                           ManagedObjectContext &context)
{
    if (geoRegion.isNull())
        return std::nullopt;
    StoreError error;
    const auto rows = context.executeFetchTemplate(
        QStringLiteral("RegionsForGeoRegion"), {{QStringLiteral("geoRegion"), geoRegion}}, &error);
    if (!rows) {
        if (tlog::tracing())
            tlog::write(
                QStringLiteral("RegionsForGeoRegion Lookup for %1 returning error: %2 = NIL")
                    .arg(geoRegion, error.description));
        return std::nullopt;
    }
    if (rows->isEmpty())
        return std::nullopt;
    return cast<Region>(rows);
}

std::optional<QList<ManagedObject *>> Region::membersOfType(qint64 wanted, const QString &key)
{
    if (type() != wanted)
        return std::nullopt;
    return toManyArrayForKey(key);
}

std::optional<QList<ManagedObject *>> Region::allCountries()
{
    return membersOfType(0, QStringLiteral("countries"));
}

std::optional<QList<ManagedObject *>> Region::allStates()
{
    return membersOfType(1, QStringLiteral("states"));
}

std::optional<QList<ManagedObject *>> Region::allAreaCodes()
{
    return membersOfType(2, QStringLiteral("areaCodes"));
}

QImage Region::image() const
{
    return imagetext::imageNamed(imageName() + QStringLiteral(".png"));
}

const QTextDocument &Region::nameWithImage() const
{
    if (!m_cachedNameWithImage)
        m_cachedNameWithImage = menuNameWithImage(name(), image());
    return *m_cachedNameWithImage;
}
