#include "platform/gdata/people/peoplefieldtypes.h"

#include "platform/gdata/gdataconstants.h"

#include <span>

namespace peoplefieldtypes {

namespace {

struct TypeRel
{
    const char *type;
    const char *rel;
};

constexpr TypeRel kHomeWorkOther[] = {
    {"home", kGDataContactHome},
    {"work", kGDataContactWork},
    {"other", kGDataContactOther},
};

constexpr TypeRel kPhoneTypes[] = {
    {"mobile", kGDataPhoneNumberMobile},   {"home", kGDataPhoneNumberHome},
    {"work", kGDataPhoneNumberWork},       {"workFax", kGDataPhoneNumberWorkFax},
    {"homeFax", kGDataPhoneNumberHomeFax}, {"pager", kGDataPhoneNumberPager},
    {"other", kGDataPhoneNumberOther},
};

constexpr TypeRel kOrganizationTypes[] = {
    {"work", kGDataContactWork},
};

constexpr TypeRel kProtocols[] = {
    {"aim", kGDataIMProtocolAIM},     {"msn", kGDataIMProtocolMSN},
    {"yahoo", kGDataIMProtocolYahoo}, {"skype", kGDataIMProtocolSkype},
    {"qq", kGDataIMProtocolQQ},       {"googleTalk", kGDataIMProtocolGoogleTalk},
    {"icq", kGDataIMProtocolICQ},     {"jabber", kGDataIMProtocolJabber},
};

// Labels that stand for a People type of their own, in the case the user sees.
struct TypeLabel
{
    const char *type;
    const char *label;
};

constexpr TypeLabel kPhoneLabels[] = {
    {"main", "Main"},
};

std::span<const TypeRel> relsOf(Field field)
{
    switch (field) {
    case Field::Phone:
        return kPhoneTypes;
    case Field::Organization:
        return kOrganizationTypes;
    case Field::Email:
    case Field::Address:
    case Field::IM:
        break;
    }
    return kHomeWorkOther;
}

std::span<const TypeLabel> labelsOf(Field field)
{
    if (field == Field::Phone)
        return kPhoneLabels;
    return {};
}

// The text after '#' of a rel no table knows, so a rel from elsewhere still goes up as something.
QString relFragment(const QString &rel)
{
    const qsizetype hash = rel.lastIndexOf(QLatin1Char('#'));
    return hash < 0 ? rel : rel.mid(hash + 1);
}

} // namespace

RelOrLabel readType(Field field, const std::optional<QString> &type)
{
    if (!type || type->isEmpty())
        return {};
    for (const TypeRel &entry : relsOf(field)) {
        if (*type == QLatin1String(entry.type))
            return {QString::fromLatin1(entry.rel), std::nullopt};
    }
    for (const TypeLabel &entry : labelsOf(field)) {
        if (*type == QLatin1String(entry.type))
            return {std::nullopt, QString::fromLatin1(entry.label)};
    }
    return {std::nullopt, *type};
}

std::optional<QString> writeType(Field field, const RelOrLabel &value)
{
    if (value.rel && !value.rel->isEmpty()) {
        for (const TypeRel &entry : relsOf(field)) {
            if (*value.rel == QLatin1String(entry.rel))
                return QString::fromLatin1(entry.type);
        }
        if (!value.label)
            return relFragment(*value.rel);
    }
    if (value.label && !value.label->isEmpty()) {
        for (const TypeLabel &entry : labelsOf(field)) {
            if (*value.label == QLatin1String(entry.label))
                return QString::fromLatin1(entry.type);
        }
        return *value.label;
    }
    return std::nullopt;
}

std::optional<QString> readProtocol(const std::optional<QString> &protocol)
{
    if (!protocol || protocol->isEmpty())
        return std::nullopt;
    for (const TypeRel &entry : kProtocols) {
        if (*protocol == QLatin1String(entry.type))
            return QString::fromLatin1(entry.rel);
    }
    return protocol;
}

std::optional<QString> writeProtocol(const std::optional<QString> &protocol)
{
    if (!protocol || protocol->isEmpty())
        return std::nullopt;
    for (const TypeRel &entry : kProtocols) {
        if (*protocol == QLatin1String(entry.rel))
            return QString::fromLatin1(entry.type);
    }
    return protocol;
}

} // namespace peoplefieldtypes
