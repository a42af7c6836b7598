#include "addressbook/google/browserperson.h"

#include "addressbook/fields/multivalueediting.h"
#include "addressbook/google/browserdictionarykeys.h"
#include "foundation/log.h"
#include "foundation/parsers/countrynames.h"
#include "foundation/parsers/parserkeys.h"
#include "foundation/text/zeltorstring.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

namespace AddressBookTool {

namespace {

const QString kClass = QStringLiteral("AddressBookTool");
const QString kOperation = QStringLiteral("personForBrowserDictionary:");

struct InstantService
{
    int code;
    const QString &property;
    const QString &homeLabel;
    const QString &workLabel;
};

// Google Talk is a Jabber service, so its handles go where Jabber's do.
const InstantService kInstantServices[] = {
    {browserkeys::imAIM, kABAIMInstantProperty, kABAIMHomeLabel, kABAIMWorkLabel},
    {browserkeys::imGoogleTalk, kABJabberInstantProperty, kABJabberHomeLabel, kABJabberWorkLabel},
    {browserkeys::imICQ, kABICQInstantProperty, kABICQHomeLabel, kABICQWorkLabel},
    {browserkeys::imJabber, kABJabberInstantProperty, kABJabberHomeLabel, kABJabberWorkLabel},
    {browserkeys::imMSN, kABMSNInstantProperty, kABMSNHomeLabel, kABMSNWorkLabel},
    {browserkeys::imYahoo, kABYahooInstantProperty, kABYahooHomeLabel, kABYahooWorkLabel},
};

// Services the address book has no property for: their handles are kept under the other
// services' property, labelled with the service's name ("" for a code of no known service).
struct OtherService
{
    int code;
    const char *name;
};

const OtherService kOtherServices[] = {{browserkeys::imQQ, "QQ"}, {browserkeys::imSkype, "Skype"}};

QString text(const QVariantMap &dictionary, const QString &key)
{
    return dictionary.value(key).toString();
}

// One value, primary, as the whole property.
void setSingleEntry(const PersonPtr &person, const QVariant &value, const QString &label,
                    const QString &property, PropertyType type)
{
    MutableMultiValue values(type);
    values.setPrimaryIdentifier(values.addValue(value, label));
    setMultiValue(person, values, property);
}

void setTextIfPresent(const PersonPtr &person, const QString &value, const QString &property)
{
    if (!value.isEmpty())
        person->setValueForProperty(value, property);
}

void setNamesAndKind(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    const QVariantMap names = browserDictionary.value(browserkeys::nameDict).toMap();
    person->setValueForProperty(text(names, browserkeys::first), kABFirstNameProperty);
    person->setValueForProperty(text(names, browserkeys::last), kABLastNameProperty);
    setTextIfPresent(person, text(browserDictionary, browserkeys::org), kABOrganizationProperty);
    if (names.value(browserkeys::isCompany).toInt() == 1)
        person->setValueForProperty(kABShowAsCompany, kABPersonFlags);
}

void setEmail(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    const QString email = text(browserDictionary, browserkeys::email);
    if (email.isEmpty())
        return;
    const bool home = browserDictionary.value(browserkeys::emailHome).toBool();
    setSingleEntry(person, email, home ? kABEmailHomeLabel : kABEmailWorkLabel, kABEmailProperty,
                   PropertyType::MultiString);
}

void setPhones(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    const QString mobile = text(browserDictionary, browserkeys::mobilePhone);
    const QString fax = text(browserDictionary, browserkeys::fax);
    const QString phone = text(browserDictionary, browserkeys::phone);
    if (mobile.isEmpty() && fax.isEmpty() && phone.isEmpty())
        return;
    MutableMultiValue phones(PropertyType::MultiString);
    if (!mobile.isEmpty())
        phones.setPrimaryIdentifier(phones.addValue(mobile, kABPhoneMobileLabel));
    if (!fax.isEmpty())
        phones.addValue(fax, kABPhoneWorkFAXLabel);
    if (!phone.isEmpty()) {
        const bool home = browserDictionary.value(browserkeys::phoneHome).toBool();
        const QString identifier =
            phones.addValue(phone, home ? kABPhoneHomeLabel : kABPhoneWorkLabel);
        if (mobile.isEmpty())
            phones.setPrimaryIdentifier(identifier);
    }
    setMultiValue(person, phones, kABPhoneProperty);
}

QString countryForNewAddress(const QVariantMap &shortAddress)
{
    const QString country = text(shortAddress, browserkeys::country);
    if (!country.isEmpty())
        return country;
    const QString preferred = UserDefaults::standard().stringForKey(zeltor::kDefaultCountryKey);
    return preferred.isEmpty() ? zeltor::localeCountryName() : preferred;
}

struct AddressPart
{
    const QString &shortKey;
    const QString &addressKey;
};

// City, state and ZIP go over as they are, an empty text included.
const AddressPart kAddressParts[] = {{browserkeys::city, kABAddressCityKey},
                                     {browserkeys::state, kABAddressStateKey},
                                     {browserkeys::postal, kABAddressZIPKey}};

void setAddress(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    const QVariantMap shortAddress = browserDictionary.value(browserkeys::addrDict).toMap();
    const QString street = zeltor::googlob(text(shortAddress, browserkeys::street),
                                           text(shortAddress, browserkeys::street2));
    // A country alone makes no address.
    bool present = !street.isEmpty();
    for (const AddressPart &part : kAddressParts)
        present = present || !text(shortAddress, part.shortKey).isEmpty();
    if (!present)
        return;

    QVariantMap address;
    if (!street.isEmpty())
        address.insert(kABAddressStreetKey, street);
    for (const AddressPart &part : kAddressParts) {
        if (shortAddress.contains(part.shortKey))
            address.insert(part.addressKey, text(shortAddress, part.shortKey));
    }
    address.insert(kABAddressCountryKey, countryForNewAddress(shortAddress));
    const bool home = browserDictionary.value(browserkeys::addressHome).toBool();
    setSingleEntry(person, address, home ? kABAddressHomeLabel : kABAddressWorkLabel,
                   kABAddressProperty, PropertyType::MultiDictionary);
}

void setInstantMessaging(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    const QString handle = text(browserDictionary, browserkeys::im);
    if (handle.isEmpty())
        return;
    const int code = browserDictionary.value(browserkeys::imType).toInt();
    const bool home = browserDictionary.value(browserkeys::imHome).toBool();
    for (const InstantService &service : kInstantServices) {
        if (service.code == code) {
            setSingleEntry(person, handle, home ? service.homeLabel : service.workLabel,
                           service.property, PropertyType::MultiString);
            return;
        }
    }
    QString serviceName;
    for (const OtherService &service : kOtherServices) {
        if (service.code == code)
            serviceName = QLatin1String(service.name);
    }
    tlog::message(kClass, kOperation,
                  QStringLiteral("imType %1 has no IM property: handle %2 kept under %3")
                      .arg(code)
                      .arg(handle, kABOtherInstantProperty));
    setSingleEntry(person, handle, serviceName, kABOtherInstantProperty, PropertyType::MultiString);
}

} // namespace

PersonPtr personForBrowserDictionary(const QVariantMap &browserDictionary)
{
    const PersonPtr person = Person::create();
    setNamesAndKind(person, browserDictionary);
    setTextIfPresent(person, text(browserDictionary, browserkeys::job), kABJobTitleProperty);
    setTextIfPresent(person, text(browserDictionary, browserkeys::notes), kABNoteProperty);
    setEmail(person, browserDictionary);
    setPhones(person, browserDictionary);
    setAddress(person, browserDictionary);
    setInstantMessaging(person, browserDictionary);
    return person;
}

} // namespace AddressBookTool
