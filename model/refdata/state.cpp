#include "model/refdata/state.h"

#include "foundation/log.h"
#include "model/refdata/country.h"
#include "model/refdata/placelookup.h"

State *State::lookup(const QString &codeOrName, Country *country, ManagedObjectContext &context)
{
    if (codeOrName.size() < 2)
        return nullptr;
    const QVariant place = QVariant::fromValue<ManagedObject *>(country);
    if (codeOrName.size() == 2)
        return static_cast<State *>(
            lookupPlace(context, QStringLiteral("stateByCodeForCountry"),
                        {{QStringLiteral("stateCode"), codeOrName.toUpper()},
                         {QStringLiteral("country"), place}},
                        codeOrName, QStringLiteral("StateCode Lookup for %1 returning = %2")));
    return static_cast<State *>(
        lookupPlace(context, QStringLiteral("stateByNameForCountry"),
                    {{QStringLiteral("stateName"), codeOrName}, {QStringLiteral("country"), place}},
                    codeOrName, QStringLiteral("State Lookup for %1 returns (>1) = %2")));
}

QList<State *> State::allStatesByCountry(Country *country, ManagedObjectContext &context)
{
    if (!country)
        return {};
    StoreError error;
    const auto rows = context.executeFetchTemplate(
        QStringLiteral("allStatesByCountry"),
        {{QStringLiteral("country"), QVariant::fromValue<ManagedObject *>(country)}}, &error);
    if (!rows) {
        if (tlog::tracing())
            tlog::write(QStringLiteral("%1  -- error: %2").arg(country->name(), error.description));
        return {};
    }
    return cast<State>(rows).value_or(QList<State *>{});
}

Country *State::country()
{
    return static_cast<Country *>(toOne(QStringLiteral("country")));
}

void State::setCountry(Country *country)
{
    setToOne(QStringLiteral("country"), country);
}
