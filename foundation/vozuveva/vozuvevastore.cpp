#include "foundation/vozuveva/vozuvevastore.h"

#include "foundation/log.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/store/entitydescription.h"
#include "platform/store/managedobjectcontext.h"
#include "platform/store/managedobjectmodel.h"

#include <QRegularExpression>

#include <algorithm>

namespace VozuVeva {
namespace {

const QString kClass = QStringLiteral("VozuVeva");

QList<AttributeDescription> attributesOf(const QString &entity, ManagedObjectContext &context)
{
    const EntityDescription *description = context.model().entity(entity);
    return description ? description->attributes() : QList<AttributeDescription>{};
}

QString valueClassName(AttributeType type)
{
    switch (type) {
    case AttributeType::String:
    case AttributeType::Decimal:
        return QStringLiteral("QString");
    case AttributeType::Integer:
        return QStringLiteral("qlonglong");
    case AttributeType::Double:
        return QStringLiteral("double");
    case AttributeType::Boolean:
        return QStringLiteral("bool");
    case AttributeType::Date:
        return QStringLiteral("QDateTime");
    case AttributeType::Binary:
        return QStringLiteral("QByteArray");
    }
    return {};
}

// Every value assignPerson writes is announced to the context's observers around the write, so a
// view bound to the new object shows each field as it is filled.
void kvoStringAssign(const QVariant &value, const QString &key, ManagedObject &object)
{
    object.willChangeValueForKey(key);
    object.setPrimitiveValue(key, value);
    object.didChangeValueForKey(key);
}

QString digitsOnly(const QString &text)
{
    QString digits;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits;
}

// The last value that carries each label.
QHash<QString, QString> lastValueByLabel(const MultiValue &values)
{
    QHash<QString, QString> byLabel;
    for (const MultiValueEntry &entry : values.entries())
        byLabel.insert(entry.label, entry.value.toString());
    return byLabel;
}

QVariant primaryValue(const MultiValue &values)
{
    const int primary = values.indexForIdentifier(values.primaryIdentifier());
    return values.valueAt(primary >= 0 ? primary : 0);
}

QString organizationFor(const Person &person)
{
    const QString organization = person.valueForProperty(kABOrganizationProperty).toString();
    if (!organization.isEmpty())
        return organization;
    const QString first = person.valueForProperty(kABFirstNameProperty).toString();
    const QString last = person.valueForProperty(kABLastNameProperty).toString();
    if (!first.isEmpty() && !last.isEmpty())
        return first + u' ' + last;
    if (!first.isEmpty())
        return first;
    return last.isEmpty() ? QStringLiteral("My Company") : last;
}

void assignPhones(ManagedObject &object, const Person &person)
{
    const QHash<QString, QString> phones =
        lastValueByLabel(person.multiValueForProperty(kABPhoneProperty));
    QString work = phones.value(kABPhoneMainLabel);
    if (work.isEmpty())
        work = phones.value(kABPhoneWorkLabel);
    if (work.isEmpty())
        work = phones.value(kABPhoneHomeLabel);
    const std::pair<const char *, QString> fields[] = {
        {"phoneWork", work},
        {"phoneFax", phones.value(kABPhoneWorkFAXLabel)},
        {"phoneMobile", phones.value(kABPhoneMobileLabel)},
    };
    for (const auto &[key, number] : fields) {
        const QString digits = digitsOnly(number);
        if (!digits.isEmpty())
            kvoStringAssign(digits, QString::fromLatin1(key), object);
    }
}

void assignAddress(ManagedObject &object, const Person &person)
{
    const MultiValue addresses = person.multiValueForProperty(kABAddressProperty);
    if (addresses.isEmpty())
        return;
    QVariantMap address;
    if (addresses.count() == 1) {
        address = addresses.valueAt(0).toMap();
    } else {
        for (const MultiValueEntry &entry : addresses.entries()) {
            if (entry.label == kABAddressWorkLabel)
                address = entry.value.toMap();
        }
    }
    const QString street = address.value(kABAddressStreetKey).toString();
    // Lines joined by CR LF are split there too, so no line starts with a stray line feed.
    const QStringList lines = street.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!street.isEmpty()) {
        kvoStringAssign(lines.value(0), QStringLiteral("address1"), object);
        if (lines.size() > 1)
            kvoStringAssign(lines.value(1), QStringLiteral("address2"), object);
    }
    const std::pair<const char *, QString> fields[] = {{"city", kABAddressCityKey},
                                                       {"state", kABAddressStateKey},
                                                       {"postalCode", kABAddressZIPKey},
                                                       {"country", kABAddressCountryKey}};
    for (const auto &[key, addressKey] : fields)
        kvoStringAssign(address.value(addressKey), QString::fromLatin1(key), object);
}

} // namespace

QStringList userInfoValuesForUserInfoKey(const QString &key, const QString &entity,
                                         ManagedObjectContext &context)
{
    QStringList values;
    for (const AttributeDescription &attribute : attributesOf(entity, context)) {
        if (attribute.userInfo.contains(key))
            values.append(attribute.userInfo.value(key).toString());
    }
    std::sort(values.begin(), values.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return values;
}

QVariantMap attrDictsForUserInfoKey(const QString &key, const QString &entity,
                                    ManagedObjectContext &context)
{
    tlog::trace(kClass, QStringLiteral("attrDictsForUserInfoKey:forEntity:inMOC:"));
    QVariantMap dictionaries;
    for (const AttributeDescription &attribute : attributesOf(entity, context)) {
        if (!attribute.userInfo.contains(key))
            continue;
        const QVariant value = attribute.userInfo.value(key);
        const QString type = valueClassName(attribute.type);
        dictionaries.insert(attribute.name, QVariantMap{{QStringLiteral("UserInfoValue"), value},
                                                        {QStringLiteral("AttrType"), type}});
        dictionaries.insert(value.toString(),
                            QVariantMap{{QStringLiteral("AttrName"), attribute.name},
                                        {QStringLiteral("AttrType"), type}});
    }
    return dictionaries;
}

QVariant userInfoValueForUserInfoKey(const QString &key, const QString &attribute,
                                     const QString &entity, ManagedObjectContext &context)
{
    const EntityDescription *description = context.model().entity(entity);
    const AttributeDescription *found = description ? description->attribute(attribute) : nullptr;
    return found ? found->userInfo.value(key) : QVariant();
}

QString attributeNameWithUserInfoValue(const QString &value, const QString &key,
                                       const QString &entity, ManagedObjectContext &context)
{
    for (const AttributeDescription &attribute : attributesOf(entity, context)) {
        if (attribute.userInfo.contains(key) && attribute.userInfo.value(key).toString() == value)
            return attribute.name;
    }
    return {};
}

QVariantMap attributeNameUserInfoValueDictionaryForUserInfoKey(const QString &key,
                                                               const QString &entity,
                                                               ManagedObjectContext &context)
{
    QVariantMap names;
    for (const AttributeDescription &attribute : attributesOf(entity, context)) {
        if (attribute.userInfo.contains(key))
            names.insert(attribute.userInfo.value(key).toString(), attribute.name);
    }
    return names;
}

ManagedObject *assignPerson(const Person &person, const QString &entity,
                            ManagedObjectContext &context)
{
    tlog::trace(kClass, QStringLiteral("assignPerson:ofType:mgdObjCtx:"));
    ManagedObject *object = context.insertNewObject(entity);
    if (!object)
        return nullptr;
    kvoStringAssign(QStringLiteral("AddressBook"), QStringLiteral("source"), *object);
    kvoStringAssign(person.uniqueId(), QStringLiteral("sourceID"), *object);
    kvoStringAssign(person.valueForProperty(kABTitleProperty), QStringLiteral("namePrefix"),
                    *object);
    for (const auto &[key, property] : {std::pair{"nameFirst", kABFirstNameProperty},
                                        std::pair{"nameLast", kABLastNameProperty}}) {
        const QVariant value = person.valueForProperty(property);
        if (value.isValid())
            kvoStringAssign(value, QString::fromLatin1(key), *object);
    }
    kvoStringAssign(organizationFor(person), QStringLiteral("organizationName"), *object);
    const std::pair<const char *, QString> names[] = {
        {"nameSuffix", kABSuffixProperty},
        {"nameNickname", kABNicknameProperty},
        {"organizationDepartment", kABDepartmentProperty},
        {"organizationJobTitle", kABJobTitleProperty}};
    for (const auto &[key, property] : names)
        kvoStringAssign(person.valueForProperty(property), QString::fromLatin1(key), *object);
    assignPhones(*object, person);
    assignAddress(*object, person);
    for (const auto &[key, property] :
         {std::pair{"email", kABEmailProperty}, std::pair{"url", kABURLsProperty}}) {
        const MultiValue values = person.multiValueForProperty(property);
        if (!values.isEmpty())
            kvoStringAssign(primaryValue(values), QString::fromLatin1(key), *object);
    }
    return object;
}

} // namespace VozuVeva
