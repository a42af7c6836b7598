#include "model/tolvanestoremodel.h"

#include "model/push/abnotification.h"
#include "model/push/abpushrecord.h"
#include "model/push/abpushstatus.h"
#include "model/refdata/areacode.h"
#include "model/refdata/country.h"
#include "model/refdata/phoneformat.h"
#include "model/refdata/region.h"
#include "model/refdata/state.h"
#include "model/refdata/support.h"
#include "model/tolvaneowner.h"

namespace {

using Op = Predicate::Operator;
using Type = AttributeType;

template <class T> EntityDescription entityOf()
{
    return EntityDescription(T::entityName(), [] { return std::make_unique<T>(); });
}

void addAll(EntityDescription &entity, Type type, std::initializer_list<const char *> names)
{
    for (const char *name : names)
        entity.addAttribute({QString::fromLatin1(name), type});
}

void addBaseAttributes(EntityDescription &entity)
{
    addAll(entity, Type::Date,
           {"dateCreated", "dateLastModified", "dateLastSynced", "dateMadeInactive"});
    addAll(entity, Type::String, {"source", "comment"});
    addAll(entity, Type::Boolean, {"isActive", "isInAB", "isDirty", "isInError"});
    entity.addAttribute({QStringLiteral("rating"), Type::Double});
}

void relate(EntityDescription &entity, const char *name, const char *destination,
            const char *inverse, bool toMany)
{
    entity.addRelationship({QString::fromLatin1(name), QString::fromLatin1(destination),
                            QString::fromLatin1(inverse), toMany});
}

EntityDescription countryEntity()
{
    EntityDescription entity = entityOf<Country>();
    addBaseAttributes(entity);
    addAll(entity, Type::String,
           {"isoCode", "name", "countryCode", "internationalAccessCode", "longDistanceAccessCode",
            "uNName"});
    addAll(entity, Type::Integer,
           {"minAreaCode", "maxAreaCode", "minPhoneNumber", "maxPhoneNumber", "minStateCode",
            "maxStateCode", "minPostalCode", "maxPostalCode", "uNCode"});
    addAll(entity, Type::Boolean,
           {"spaceStateCode", "dashStateCode", "onlyUpperStateCode", "spacePostalCode",
            "dashPostalCode", "onlyUpperPostalCode", "allowNewStates", "allowNewAreaCodes"});
    relate(entity, "region", "Region", "countries", false);
    relate(entity, "states", "State", "country", true);
    relate(entity, "areaCodes", "AreaCode", "country", true);
    return entity;
}

EntityDescription regionEntity()
{
    EntityDescription entity = entityOf<Region>();
    addBaseAttributes(entity);
    addAll(entity, Type::String, {"name", "geoRegion"});
    entity.addAttribute({QStringLiteral("type"), Type::Integer});
    entity.addAttribute({QStringLiteral("isTolvaneRegion"), Type::Boolean});
    relate(entity, "countries", "Country", "region", true);
    relate(entity, "states", "State", "regions", true);
    relate(entity, "areaCodes", "AreaCode", "regions", true);
    relate(entity, "preferInMenu", "TolvaneOwner", "menuPrefs", true);
    return entity;
}

template <class T> EntityDescription placeEntity(const char *inverse)
{
    EntityDescription entity = entityOf<T>();
    addBaseAttributes(entity);
    addAll(entity, Type::String, {"code", "name"});
    relate(entity, "country", "Country", inverse, false);
    relate(entity, "regions", "Region", inverse, true);
    return entity;
}

EntityDescription supportEntity()
{
    EntityDescription entity = entityOf<Support>();
    addBaseAttributes(entity);
    addAll(entity, Type::String, {"type", "code", "stringVal"});
    entity.addAttribute({QStringLiteral("intVal"), Type::Integer});
    return entity;
}

EntityDescription phoneFormatEntity()
{
    EntityDescription entity = entityOf<PhoneFormat>();
    addBaseAttributes(entity);
    entity.addAttribute({QStringLiteral("digitCount"), Type::Integer});
    addAll(entity, Type::String, {"formattingString", "initialCharacter"});
    return entity;
}

EntityDescription ownerEntity()
{
    EntityDescription entity = entityOf<TolvaneOwner>();
    addBaseAttributes(entity);
    addAll(entity, Type::String,
           {"abID",
            "address",
            "address2",
            "address3",
            "cID",
            "city",
            "computerMachineReadableType",
            "computerMachineType",
            "computerName",
            "computerOriginalOS",
            "computerProcessorType",
            "country",
            "dataModelCurrentVersion",
            "dataModelInitialVersion",
            "eID",
            "email",
            "jobTitle",
            "language",
            "nameFirst",
            "nameLast",
            "nameLong",
            "nameNickname",
            "namePrefix",
            "nameShort",
            "nameSuffix",
            "organizationName",
            "phoneHome",
            "phoneMobile",
            "phoneWork",
            "postalCode",
            "sourceID",
            "state",
            "taxID",
            "url",
            "xtraString1",
            "xtraString2",
            "xtraString3"});
    addAll(entity, Type::Integer,
           {"computerNumberOfProcessors", "computerSpeed", "count", "xtraInteger1", "xtraInteger2",
            "xtraInteger3"});
    entity.addAttribute({QStringLiteral("logo"), Type::Binary});
    addAll(entity, Type::Boolean, {"xtraBool1", "xtraBool2", "xtraBool3"});
    addAll(entity, Type::Date, {"xtraDate1", "xtraDate2", "xtraDate3"});
    addAll(entity, Type::Decimal, {"xtraDecimal1", "xtraDecimal2", "xtraDecimal3"});
    for (const char *name : {"footerString", "csz", "nameComplete", "nameFull"})
        entity.addAttribute({QString::fromLatin1(name), Type::String, true, true});
    // One owner per store: a second row fails to save, whichever program made it.
    entity.addAttribute({TolvaneOwner::singletonKey(), Type::Integer, false, false, true});
    relate(entity, "menuPrefs", "Region", "preferInMenu", true);
    return entity;
}

EntityDescription pushRecordEntity()
{
    EntityDescription entity = entityOf<ABPushRecord>();
    addAll(entity, Type::String, {"abid", "googleID"});
    addAll(entity, Type::Boolean, {"isABRecord", "isGoogleRecord", "isGroup"});
    addAll(entity, Type::Date, {"dateRecordCreated", "dateRecordModified", "dateCreated"});
    return entity;
}

EntityDescription pushStatusEntity()
{
    EntityDescription entity = entityOf<ABPushStatus>();
    addAll(entity, Type::Date,
           {"asOfDate", "abContactLastInsertDate", "abContactLastModDate", "abGroupLastInsertDate",
            "abGroupLastModDate", "googleContactLastInsertDate", "googleContactLastModDate",
            "googleGroupLastInsertDate", "googleGroupLastModDate", "dateCreated"});
    addAll(entity, Type::Integer,
           {"abContactCount", "abGroupCount", "googleContactCount", "googleGroupCount"});
    return entity;
}

EntityDescription notificationEntity()
{
    EntityDescription entity = entityOf<ABNotification>();
    entity.addAttribute({QStringLiteral("ABUID"), Type::String});
    addAll(entity, Type::Boolean, {"isInsert", "isUpdate", "isDelete", "isCompleted"});
    addAll(entity, Type::Date, {"dateCompleted", "dateCreated"});
    return entity;
}

Predicate variable(const char *key, Op op, const char *name)
{
    return Predicate::compareVariable(QString::fromLatin1(key), op, QString::fromLatin1(name));
}

Predicate flags(bool isAB, bool isGroup)
{
    return Predicate::compare(QStringLiteral("isABRecord"), Op::Equal, isAB) &&
           Predicate::compare(QStringLiteral("isGoogleRecord"), Op::Equal, !isAB) &&
           Predicate::compare(QStringLiteral("isGroup"), Op::Equal, isGroup);
}

void addTemplates(ManagedObjectModel &model)
{
    const auto add = [&model](const char *name, const QString &entity, const Predicate &predicate) {
        model.setFetchRequestTemplate(QString::fromLatin1(name), FetchRequest(entity, predicate));
    };
    const QStringList baseEntities{Country::entityName(),     Region::entityName(),
                                   State::entityName(),       AreaCode::entityName(),
                                   Support::entityName(),     PhoneFormat::entityName(),
                                   TolvaneOwner::entityName()};
    for (const EntityDescription *entity : model.entities())
        model.setFetchRequestTemplate(QStringLiteral("all") + entity->name(),
                                      FetchRequest(entity->name()));
    for (const QString &entity : baseEntities)
        model.setFetchRequestTemplate(
            QStringLiteral("allActive") + entity,
            FetchRequest(entity, Predicate::compare(QStringLiteral("isActive"), Op::Equal, true)));

    // Names are matched without regard to case; codes exactly.
    add("countryByCode", Country::entityName(), variable("isoCode", Op::Equal, "countryCode"));
    add("countryByName", Country::entityName(),
        variable("name", Op::EqualIgnoringCase, "countryName"));
    add("RegionByName", Region::entityName(),
        variable("name", Op::EqualIgnoringCase, "regionName"));
    add("RegionsForGeoRegion", Region::entityName(), variable("geoRegion", Op::Equal, "geoRegion"));
    add("stateByCodeForCountry", State::entityName(),
        variable("code", Op::Equal, "stateCode") && variable("country", Op::Equal, "country"));
    add("stateByNameForCountry", State::entityName(),
        variable("name", Op::EqualIgnoringCase, "stateName") &&
            variable("country", Op::Equal, "country"));
    add("allStatesByCountry", State::entityName(), variable("country", Op::Equal, "country"));
    add("areaCodeByCode", AreaCode::entityName(),
        variable("code", Op::Equal, "areaCode") && variable("country", Op::Equal, "country"));

    add("allStringValuesForType", Support::entityName(), variable("type", Op::Equal, "type"));
    add("allCodeValuesForType", Support::entityName(), variable("type", Op::Equal, "type"));
    add("inCodeArrayForType", Support::entityName(),
        variable("type", Op::Equal, "type") && variable("code", Op::In, "codes"));
    add("stringForCodeUsingType", Support::entityName(),
        variable("type", Op::Equal, "type") && variable("code", Op::Equal, "code"));

    add("numDigits", PhoneFormat::entityName(), variable("digitCount", Op::Equal, "numDigits"));

    add("allABGroup", ABPushRecord::entityName(), flags(true, true));
    add("allABContact", ABPushRecord::entityName(), flags(true, false));
    add("allGoogleGroup", ABPushRecord::entityName(), flags(false, true));
    add("allGoogleContact", ABPushRecord::entityName(), flags(false, false));
}

std::shared_ptr<const ManagedObjectModel> makeModel()
{
    auto model = std::make_shared<ManagedObjectModel>();
    model->addEntity(countryEntity());
    model->addEntity(regionEntity());
    model->addEntity(placeEntity<State>("states"));
    model->addEntity(placeEntity<AreaCode>("areaCodes"));
    model->addEntity(supportEntity());
    model->addEntity(phoneFormatEntity());
    model->addEntity(ownerEntity());
    model->addEntity(pushRecordEntity());
    model->addEntity(pushStatusEntity());
    model->addEntity(notificationEntity());
    addTemplates(*model);
    return model;
}

} // namespace

std::shared_ptr<const ManagedObjectModel> tolvaneStoreModel()
{
    static const std::shared_ptr<const ManagedObjectModel> model = makeModel();
    return model;
}
