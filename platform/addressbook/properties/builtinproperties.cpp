#include "platform/addressbook/properties/builtinproperties.h"

#include "platform/addressbook/abconstants.h"

namespace {

struct BuiltinProperty
{
    const QString &name;
    PropertyType type;
};

const BuiltinProperty kCommonProperties[] = {
    {kABUIDProperty, PropertyType::String},
    {kABCreationDateProperty, PropertyType::Date},
    {kABModificationDateProperty, PropertyType::Date},
};

const BuiltinProperty kPersonProperties[] = {
    {kABFirstNameProperty, PropertyType::String},
    {kABLastNameProperty, PropertyType::String},
    {kABMiddleNameProperty, PropertyType::String},
    {kABTitleProperty, PropertyType::String},
    {kABSuffixProperty, PropertyType::String},
    {kABNicknameProperty, PropertyType::String},
    {kABOrganizationProperty, PropertyType::String},
    {kABDepartmentProperty, PropertyType::String},
    {kABJobTitleProperty, PropertyType::String},
    {kABNoteProperty, PropertyType::String},
    {kABBirthdayProperty, PropertyType::DateComponents},
    {kABPersonFlags, PropertyType::Integer},
    {kABEmailProperty, PropertyType::MultiString},
    {kABPhoneProperty, PropertyType::MultiString},
    {kABURLsProperty, PropertyType::MultiString},
    {kABRelatedNamesProperty, PropertyType::MultiString},
    {kABAIMInstantProperty, PropertyType::MultiString},
    {kABJabberInstantProperty, PropertyType::MultiString},
    {kABMSNInstantProperty, PropertyType::MultiString},
    {kABICQInstantProperty, PropertyType::MultiString},
    {kABYahooInstantProperty, PropertyType::MultiString},
    {kABOtherInstantProperty, PropertyType::MultiString},
    {kABOtherDatesProperty, PropertyType::MultiDateComponents},
    {kABAddressProperty, PropertyType::MultiDictionary},
};

const BuiltinProperty kGroupProperties[] = {
    {kABGroupNameProperty, PropertyType::String},
};

template <typename Table> PropertyType find(const Table &table, const QString &property)
{
    for (const BuiltinProperty &entry : table) {
        if (entry.name == property)
            return entry.type;
    }
    return PropertyType::Error;
}

template <typename Table> void appendNames(QStringList &names, const Table &table)
{
    for (const BuiltinProperty &entry : table)
        names.append(entry.name);
}

} // namespace

namespace builtinproperties {

QStringList names(RecordClass recordClass)
{
    QStringList result;
    appendNames(result, kCommonProperties);
    if (recordClass == RecordClass::Person)
        appendNames(result, kPersonProperties);
    else
        appendNames(result, kGroupProperties);
    return result;
}

PropertyType typeOf(RecordClass recordClass, const QString &property)
{
    const PropertyType common = find(kCommonProperties, property);
    if (common != PropertyType::Error)
        return common;
    return recordClass == RecordClass::Person ? find(kPersonProperties, property)
                                              : find(kGroupProperties, property);
}

bool isReadOnly(const QString &property)
{
    return find(kCommonProperties, property) != PropertyType::Error;
}

} // namespace builtinproperties
