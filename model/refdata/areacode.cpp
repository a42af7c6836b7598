#include "model/refdata/areacode.h"

#include "model/refdata/country.h"
#include "model/refdata/placelookup.h"

AreaCode *AreaCode::lookup(const QString &code, Country *country, ManagedObjectContext &context)
{
    if (code.size() < 2)
        return nullptr;
    return static_cast<AreaCode *>(
        lookupPlace(context, QStringLiteral("areaCodeByCode"),
                    {{QStringLiteral("areaCode"), code},
                     {QStringLiteral("country"), QVariant::fromValue<ManagedObject *>(country)}},
                    code, QStringLiteral("AreaCode Lookup for %1 returns (>1) = %2")));
}

Country *AreaCode::country()
{
    return static_cast<Country *>(toOne(QStringLiteral("country")));
}

void AreaCode::setCountry(Country *country)
{
    setToOne(QStringLiteral("country"), country);
}
