#include "google/download/multivaluemapping.h"

#include "addressbook/google/googleaddress.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlookup.h"
#include "google/browser/browserdictionary.h"
#include "google/download/countryaddressreading.h"
#include "google/download/downloadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <optional>

namespace tolvane {
namespace {

struct RelLabel
{
    const char *rel;
    const QString &label;
};

// Phone numbers without a label; any other rel, or none, is the main number.
const RelLabel kPhoneRels[] = {
    {kGDataPhoneNumberMobile, kABPhoneMobileLabel},   {kGDataPhoneNumberHome, kABPhoneHomeLabel},
    {kGDataPhoneNumberHomeFax, kABPhoneHomeFAXLabel}, {kGDataPhoneNumberWork, kABPhoneWorkLabel},
    {kGDataPhoneNumberWorkFax, kABPhoneWorkFAXLabel}, {kGDataPhoneNumberPager, kABPhonePagerLabel},
    {kGDataPhoneNumberOther, kABOtherLabel},
};

// Postal addresses without a label; an address with a rel not listed here is not added.
const RelLabel kAddressRels[] = {
    {kGDataContactHome, kABAddressHomeLabel},
    {kGDataContactWork, kABAddressWorkLabel},
    {kGDataContactOther, kABOtherLabel},
};

struct IMService
{
    const char *protocol;
    const QString &property;
};

// Google Talk runs on Jabber.
const IMService kIMServices[] = {
    {kGDataIMProtocolAIM, kABAIMInstantProperty},
    {kGDataIMProtocolJabber, kABJabberInstantProperty},
    {kGDataIMProtocolGoogleTalk, kABJabberInstantProperty},
    {kGDataIMProtocolMSN, kABMSNInstantProperty},
    {kGDataIMProtocolICQ, kABICQInstantProperty},
    {kGDataIMProtocolYahoo, kABYahooInstantProperty},
};

const QString *kServiceProperties[] = {&kABAIMInstantProperty, &kABJabberInstantProperty,
                                       &kABMSNInstantProperty, &kABICQInstantProperty,
                                       &kABYahooInstantProperty};

QString homeWord()
{
    return localizedPropertyOrLabel(kABHomeLabel).toLower();
}

QString workWord()
{
    return localizedPropertyOrLabel(kABWorkLabel).toLower();
}

std::optional<QString> labelForRel(const std::optional<QString> &rel, const auto &table)
{
    if (rel) {
        for (const RelLabel &entry : table) {
            if (*rel == QLatin1String(entry.rel))
                return entry.label;
        }
    }
    return std::nullopt;
}

QString emailLabel(const GDataEmail &email)
{
    if (email.label) {
        const QString label = email.label->toLower();
        if (label.contains(homeWord()))
            return kABEmailHomeLabel;
        if (label.contains(workWord()))
            return kABEmailWorkLabel;
        return kABOtherLabel;
    }
    if (email.rel == QLatin1String(kGDataContactHome))
        return kABEmailHomeLabel;
    if (email.rel == QLatin1String(kGDataContactWork))
        return kABEmailWorkLabel;
    return kABOtherLabel;
}

QString phoneLabel(const GDataPhoneNumber &phone)
{
    if (!phone.label)
        return labelForRel(phone.rel, kPhoneRels).value_or(kABPhoneMainLabel);
    const QString label = phone.label->toLower();
    if (label.contains(QLatin1String("home fax")))
        return kABPhoneHomeFAXLabel;
    if (label.contains(homeWord()))
        return kABPhoneHomeLabel;
    if (label.contains(QLatin1String("work fax")))
        return kABPhoneWorkFAXLabel;
    if (label.contains(workWord()))
        return kABPhoneWorkLabel;
    if (label.contains(QLatin1String("mobilephone")))
        return kABPhoneMobileLabel;
    return *phone.label;
}

std::optional<QString> addressLabel(const GDataPostalAddress &address)
{
    if (address.label) {
        const QString label = address.label->toLower();
        if (label.contains(homeWord()))
            return kABAddressHomeLabel;
        if (label.contains(workWord()))
            return kABAddressWorkLabel;
        return *address.label;
    }
    if (!address.rel)
        return kABAddressWorkLabel;
    return labelForRel(address.rel, kAddressRels);
}

// Replaces every value of the property with the contact's, keeping the primary mark. With no
// value on either side the person is left untouched.
template <typename Value, typename LabelOf, typename ValueOf>
void replaceValues(const PersonPtr &person, const QString &property, PropertyType type,
                   const std::vector<Value> &values, LabelOf labelOf, ValueOf valueOf)
{
    const MultiValue old = person->multiValueForProperty(property);
    if (old.isEmpty() && values.empty())
        return;
    MutableMultiValue multi(type);
    for (const Value &value : values) {
        const std::optional<QString> label = labelOf(value);
        if (!label)
            continue;
        const QString identifier = multi.addValue(valueOf(value), *label);
        if (!identifier.isNull() && value.primary)
            multi.setPrimaryIdentifier(identifier);
    }
    person->setValueForProperty(QVariant::fromValue(MultiValue(multi)), property);
}

const QString *servicePropertyFor(const std::optional<QString> &protocol)
{
    if (!protocol)
        return nullptr;
    for (const IMService &service : kIMServices) {
        if (*protocol == QLatin1String(service.protocol))
            return &service.property;
    }
    return nullptr;
}

QString imLabel(int useHome)
{
    switch (useHome) {
    case 0:
        return kABWorkLabel;
    case 1:
        return kABHomeLabel;
    default:
        return kABOtherLabel;
    }
}

// "QQ" of ".../2005#QQ"; a handle without a protocol has no service name.
QString serviceName(const std::optional<QString> &protocol)
{
    if (!protocol)
        return QString();
    const qsizetype hash = protocol->lastIndexOf(QLatin1Char('#'));
    const QString name = protocol->mid(hash + 1);
    if (name == QLatin1String("SKYPE"))
        return QStringLiteral("Skype");
    return name;
}

bool holdsEntry(const MultiValue &values, const QString &label, const QString &handle)
{
    for (const MultiValueEntry &entry : values.entries()) {
        if (entry.label == label && entry.value.toString() == handle)
            return true;
    }
    return false;
}

void addHandle(const PersonPtr &person, const QString &property, const GDataIM &im,
               const QString &label)
{
    MutableMultiValue values = person->multiValueForProperty(property).mutableCopy();
    const QString identifier = values.addValue(im.address, label);
    if (!identifier.isNull() && im.primary)
        values.setPrimaryIdentifier(identifier);
    person->setValueForProperty(QVariant::fromValue(MultiValue(values)), property);
}

} // namespace

void googlizeEmailsFor(const PersonPtr &person, const GDataEntryContact &contact)
{
    replaceValues(
        person, kABEmailProperty, PropertyType::MultiString, contact.emailAddresses(),
        [](const GDataEmail &email) { return std::optional<QString>(emailLabel(email)); },
        [](const GDataEmail &email) { return QVariant(email.address); });
}

void googlizePhonesFor(const PersonPtr &person, const GDataEntryContact &contact)
{
    replaceValues(
        person, kABPhoneProperty, PropertyType::MultiString, contact.phoneNumbers(),
        [](const GDataPhoneNumber &phone) { return std::optional<QString>(phoneLabel(phone)); },
        [](const GDataPhoneNumber &phone) { return QVariant(phone.stringValue); });
}

void googlizeAddressesFor(const PersonPtr &person, const GDataEntryContact &contact)
{
    replaceValues(
        person, kABAddressProperty, PropertyType::MultiDictionary, contact.postalAddresses(),
        addressLabel, [](const GDataPostalAddress &address) {
            return QVariant(AddressBookTool::abAdddressForGoogleDict(
                googleAddressDictionary(readAddressInCountryLayout(address.stringValue))));
        });
}

void googlizeIMsFor(const PersonPtr &person, const GDataEntryContact &contact)
{
    for (const QString *property : kServiceProperties) {
        if (!person->multiValueForProperty(*property).isEmpty())
            person->setValueForProperty(
                QVariant::fromValue(MultiValue(MutableMultiValue(PropertyType::MultiString))),
                *property);
    }
    if (contact.IMAddresses().empty())
        return;
    const QString label =
        imLabel(UserDefaults::standard().integerForKey(googlekeys::abUpdateIMUseHome));
    for (const GDataIM &im : contact.IMAddresses()) {
        if (const QString *property = servicePropertyFor(im.protocol)) {
            addHandle(person, *property, im, label);
            continue;
        }
        const QString service = serviceName(im.protocol);
        if (!holdsEntry(person->multiValueForProperty(kABOtherInstantProperty), service,
                        im.address))
            addHandle(person, kABOtherInstantProperty, im, service);
    }
}

void googlizeMembershipsFor(const PersonPtr &person, const GDataEntryContact &contact)
{
    if (UserDefaults::standard().boolForKey(googlekeys::abUpdateRemoveABGroups)) {
        const QList<GroupPtr> groups = person->parentGroups();
        for (qsizetype index = groups.size() - 1; index >= 0; --index) {
            if (!AddressBookTool::isSmartGroup(groups[index]->uniqueId()))
                groups[index]->removeMember(person);
        }
    }
    const QString property = AddressBookTool::groupIDPropertyName();
    for (const GDataGroupMembershipInfo &membership : contact.groupMembershipInfos()) {
        const GroupPtr group = AddressBookTool::groupByPropery(property, membership.href);
        if (group && !AddressBookTool::isSmartGroup(group->uniqueId()))
            group->addMember(person);
    }
}

} // namespace tolvane
