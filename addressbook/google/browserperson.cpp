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

#include <algorithm>
#include <map>
#include <optional>

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

// The entries of one multi-valued property as they are gathered from the dictionary. The first
// entry offered as primary becomes primary; an entry that may not be primary (a fax) never does.
class Entries
{
public:
    explicit Entries(PropertyType type)
        : m_values(type)
    {}

    void add(const QVariant &value, const QString &label, bool mayBePrimary = true)
    {
        const QString identifier = m_values.addValue(value, label);
        if (mayBePrimary && m_values.primaryIdentifier().isEmpty())
            m_values.setPrimaryIdentifier(identifier);
    }
    void addText(const QString &value, const QString &label, bool mayBePrimary = true)
    {
        if (!value.isEmpty())
            add(value, label, mayBePrimary);
    }
    void writeTo(const PersonPtr &person, const QString &property) const
    {
        if (!m_values.isEmpty())
            setMultiValue(person, m_values, property);
    }

private:
    MutableMultiValue m_values;
};

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

// The panels' own key first, then their work and home keys; the work entry leads.
void setEmails(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    Entries emails(PropertyType::MultiString);
    const bool home = browserDictionary.value(browserkeys::emailHome).toBool();
    emails.addText(text(browserDictionary, browserkeys::email),
                   home ? kABEmailHomeLabel : kABEmailWorkLabel);
    emails.addText(text(browserDictionary, browserkeys::workEmail), kABEmailWorkLabel);
    emails.addText(text(browserDictionary, browserkeys::homeEmail), kABEmailHomeLabel);
    emails.writeTo(person, kABEmailProperty);
}

// The mobile phone is primary, then the one phone of the short form, then the work phone; a fax
// never is.
void setPhones(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    Entries phones(PropertyType::MultiString);
    const QString mobile = text(browserDictionary, browserkeys::mobilePhone);
    const QString phone = text(browserDictionary, browserkeys::phone);
    const bool home = browserDictionary.value(browserkeys::phoneHome).toBool();
    phones.addText(mobile, kABPhoneMobileLabel);
    phones.addText(text(browserDictionary, browserkeys::fax), kABPhoneWorkFAXLabel, false);
    phones.addText(phone, home ? kABPhoneHomeLabel : kABPhoneWorkLabel);
    phones.addText(text(browserDictionary, browserkeys::workPhone), kABPhoneWorkLabel);
    phones.addText(text(browserDictionary, browserkeys::homePhone), kABPhoneHomeLabel);
    phones.addText(text(browserDictionary, browserkeys::faxPhone), kABPhoneWorkFAXLabel, false);
    phones.writeTo(person, kABPhoneProperty);
}

QString countryForNewAddress(const QString &country)
{
    if (!country.isEmpty())
        return country;
    const QString preferred = UserDefaults::standard().stringForKey(zeltor::kDefaultCountryKey);
    return preferred.isEmpty() ? zeltor::localeCountryName() : preferred;
}

// Where the parts of an address sit in the short form ("addrDict") and in a panel's long form
// ("workAddrDict", "homeAddrDict").
struct AddressKeys
{
    const QString &street;
    const QString &street2;
    const QString &city;
    const QString &state;
    const QString &postal;
    const QString &country;
};

const AddressKeys kShortAddressKeys = {browserkeys::street, browserkeys::street2,
                                       browserkeys::city,   browserkeys::state,
                                       browserkeys::postal, browserkeys::country};
const AddressKeys kPanelAddressKeys = {googleaddresskeys::street1, googleaddresskeys::street2,
                                       googleaddresskeys::city,    googleaddresskeys::state,
                                       googleaddresskeys::postal,  googleaddresskeys::country};

// The address of one dictionary, or nothing when it holds no more than a country. City, state
// and ZIP go over as they are, an empty text included.
std::optional<QVariantMap> addressOf(const QVariantMap &parts, const AddressKeys &keys)
{
    const QString street = zeltor::googlob(text(parts, keys.street), text(parts, keys.street2));
    const std::pair<const QString &, const QString &> kept[] = {{keys.city, kABAddressCityKey},
                                                                {keys.state, kABAddressStateKey},
                                                                {keys.postal, kABAddressZIPKey}};
    bool present = !street.isEmpty();
    for (const auto &[key, addressKey] : kept)
        present = present || !text(parts, key).isEmpty();
    if (!present)
        return std::nullopt;
    QVariantMap address;
    if (!street.isEmpty())
        address.insert(kABAddressStreetKey, street);
    for (const auto &[key, addressKey] : kept)
        if (parts.contains(key))
            address.insert(addressKey, text(parts, key));
    address.insert(kABAddressCountryKey, countryForNewAddress(text(parts, keys.country)));
    return address;
}

void setAddresses(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    Entries addresses(PropertyType::MultiDictionary);
    const bool home = browserDictionary.value(browserkeys::addressHome).toBool();
    if (const auto address =
            addressOf(browserDictionary.value(browserkeys::addrDict).toMap(), kShortAddressKeys))
        addresses.add(*address, home ? kABAddressHomeLabel : kABAddressWorkLabel);
    if (const auto address = addressOf(browserDictionary.value(browserkeys::workAddrDict).toMap(),
                                       kPanelAddressKeys))
        addresses.add(*address, kABAddressWorkLabel);
    if (const auto address = addressOf(browserDictionary.value(browserkeys::homeAddrDict).toMap(),
                                       kPanelAddressKeys))
        addresses.add(*address, kABAddressHomeLabel);
    addresses.writeTo(person, kABAddressProperty);
}

struct Handle
{
    QString handle;
    int code;
    bool home;
};

void setInstantMessaging(const PersonPtr &person, const QVariantMap &browserDictionary)
{
    const Handle handles[] = {
        {text(browserDictionary, browserkeys::im),
         browserDictionary.value(browserkeys::imType).toInt(),
         browserDictionary.value(browserkeys::imHome).toBool()},
        {text(browserDictionary, browserkeys::workIM),
         browserDictionary.value(browserkeys::workIMType).toInt(), false},
        {text(browserDictionary, browserkeys::homeIM),
         browserDictionary.value(browserkeys::homeIMType).toInt(), true},
    };
    // Two handles of one service share its property.
    std::map<QString, Entries> byProperty;
    const auto entriesOf = [&byProperty](const QString &property) -> Entries & {
        return byProperty.try_emplace(property, PropertyType::MultiString).first->second;
    };
    for (const Handle &im : handles) {
        if (im.handle.isEmpty())
            continue;
        const auto known =
            std::find_if(std::begin(kInstantServices), std::end(kInstantServices),
                         [&im](const InstantService &s) { return s.code == im.code; });
        if (known != std::end(kInstantServices)) {
            entriesOf(known->property)
                .add(im.handle, im.home ? known->homeLabel : known->workLabel);
            continue;
        }
        QString serviceName;
        for (const OtherService &service : kOtherServices) {
            if (service.code == im.code)
                serviceName = QLatin1String(service.name);
        }
        tlog::message(kClass, kOperation,
                      QStringLiteral("imType %1 has no IM property: handle %2 kept under %3")
                          .arg(im.code)
                          .arg(im.handle, kABOtherInstantProperty));
        entriesOf(kABOtherInstantProperty).add(im.handle, serviceName);
    }
    for (const auto &[property, entries] : byProperty)
        entries.writeTo(person, property);
}

} // namespace

PersonPtr personForBrowserDictionary(const QVariantMap &browserDictionary)
{
    const PersonPtr person = Person::create();
    setNamesAndKind(person, browserDictionary);
    setTextIfPresent(person, text(browserDictionary, browserkeys::job), kABJobTitleProperty);
    setTextIfPresent(person, text(browserDictionary, browserkeys::notes), kABNoteProperty);
    setEmails(person, browserDictionary);
    setPhones(person, browserDictionary);
    setAddresses(person, browserDictionary);
    setInstantMessaging(person, browserDictionary);
    return person;
}

} // namespace AddressBookTool
