#include "google/entries/entryedits.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "foundation/text/zeltorstring.h"
#include "google/browser/browserextendedproperty.h"
#include "google/browser/namedictionary.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/improtocols.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <QDateTime>

#include <algorithm>
#include <functional>

namespace tolvane {

namespace {

const QString kClass = QStringLiteral("GDataEntryContact");
const QString kGender = QStringLiteral("gender");
const QString kIsCo = QStringLiteral("isCo");
const QString kBrowserRecordID = QStringLiteral("tolvaneBrowser");

QString text(const QVariantMap &dictionary, const QString &key)
{
    return dictionary.value(key).toString();
}

// The primary rule of a new element: primary when none of its kind is.
template <typename Value> bool noneIsPrimary(const std::vector<Value> &values)
{
    return std::none_of(values.begin(), values.end(),
                        [](const Value &value) { return value.primary; });
}

template <typename Value> void addFollowingPrimaryRule(std::vector<Value> &values, Value value)
{
    value.primary = noneIsPrimary(values);
    values.push_back(std::move(value));
}

QString genderText(int gender)
{
    if (gender == kGenderMale)
        return QStringLiteral("M");
    if (gender == kGenderFemale)
        return QStringLiteral("F");
    return QStringLiteral("");
}

// The two marks exclude each other: a gender belongs to a person, and a company has none. Only
// marking a company clears the gender; marking a person leaves it.
void keepFlagsExclusive(const QString &property, const QString &value,
                        const std::function<void(const QString &, const QString &)> &set)
{
    if (property == kGender)
        set(QStringLiteral("0"), kIsCo);
    else if (property == kIsCo && value == u"1")
        set(QStringLiteral(""), kGender);
}

// Changes the values that hold the current one (by valueOf), or removes them for an empty new
// value; with no current value, adds a new element made by make.
template <typename Value, typename Field, typename Change, typename Make>
void updateMatching(std::vector<Value> values, const QString &current, const QString &newValue,
                    Field field, Change change, Make make,
                    const std::function<void(std::vector<Value>)> &store)
{
    if (current == newValue)
        return;
    if (!current.isEmpty()) {
        if (newValue.isEmpty()) {
            values.erase(
                std::remove_if(values.begin(), values.end(),
                               [&](const Value &value) { return value.*field == current; }),
                values.end());
        } else {
            for (Value &value : values) {
                if (value.*field == current)
                    change(value);
            }
        }
    } else if (!newValue.isEmpty()) {
        addFollowingPrimaryRule(values, make());
    } else {
        return;
    }
    store(std::move(values));
}

zeltor::GoogleAddress addressOfDictionary(const QVariantMap &dictionary)
{
    return {
        text(dictionary, QStringLiteral("street1")), text(dictionary, QStringLiteral("street2")),
        text(dictionary, QStringLiteral("city")),    text(dictionary, QStringLiteral("state")),
        text(dictionary, QStringLiteral("postal")),  text(dictionary, QStringLiteral("country"))};
}

bool isEmpty(const zeltor::GoogleAddress &address)
{
    return address == zeltor::GoogleAddress{};
}

// The street lines, then "city  state  postal" and the country, each on a line of its own.
QString addressText(const zeltor::GoogleAddress &address)
{
    QString street = address.street1;
    if (!address.street2.isEmpty())
        street += u'\r' + address.street2;
    return QStringLiteral("%1\r%2  %3  %4\r%5")
        .arg(street, address.city, address.state, address.postal, address.country);
}

} // namespace

void assignExPropValue(GDataEntryContact &contact, const QString &value, const QString &property)
{
    const QString name =
        UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
    std::vector<GDataExtendedProperty> properties = contact.extendedProperties();
    const auto held =
        std::find_if(properties.begin(), properties.end(),
                     [&](const GDataExtendedProperty &p) { return p.name() == name; });
    if (held != properties.end()) {
        if (tlog::diagnostics()) {
            QVariantMap values;
            const QHash<QString, QString> heldValues = held->XMLValuesDictionary();
            for (auto it = heldValues.cbegin(); it != heldValues.cend(); ++it)
                values.insert(it.key(), it.value());
            tlog::value(kClass, QStringLiteral("assignExPropValue:forProperty:"),
                        QStringLiteral("[curGoogleExndProperty XMLValuesDictionary]"),
                        tlog::describe(values));
        }
        const auto set = [&](const QString &v, const QString &key) {
            held->setXMLValue(v, key);
        };
        set(value, property);
        keepFlagsExclusive(property, value, set);
        contact.setExtendedProperties(std::move(properties));
        return;
    }
    std::vector<GDataExtendedProperty::XMLValue> elements = {
        {QStringLiteral("aID"), kBrowserRecordID},
        {QStringLiteral("gID"), contact.identifier()},
        {QStringLiteral("asOf"), textdate::format(QDateTime::currentDateTime())},
        {property, value}};
    keepFlagsExclusive(property, value, [&](const QString &v, const QString &key) {
        elements.emplace_back(key, v);
    });
    GDataExtendedProperty made = GDataExtendedProperty::propertyWithName(name);
    made.setXMLValues(std::move(elements));
    contact.addExtendedProperty(std::move(made));
}

void updateName(GDataEntryContact &contact, const QVariantMap &nameDictionary)
{
    if (nameDictionary.value(QStringLiteral("isCompany")).toBool()) {
        // A company is shown by its organisation name: renaming it renames the contact.
        const QString title = zeltor::clean(text(nameDictionary, QStringLiteral("coName")));
        if (!title.isEmpty() && title != contact.title().value_or(QString()))
            contact.setTitle(title);
        return;
    }
    const QString first = text(nameDictionary, QStringLiteral("first"));
    const QString nick = text(nameDictionary, QStringLiteral("nick"));
    const QString last = text(nameDictionary, QStringLiteral("last"));
    const QVariantMap current = tolvaneNameDictionary(contact);
    if (first == text(current, QStringLiteral("first")) &&
        nick == text(current, QStringLiteral("nick")) &&
        last == text(current, QStringLiteral("last")))
        return;
    QString title;
    if (!nick.isEmpty())
        title = first + QStringLiteral(" \"") + nick + u'"' +
                (last.isEmpty() ? QString() : u' ' + last);
    else
        title = first + (last.isEmpty() ? QString() : QStringLiteral(" ")) + last;
    contact.setTitle(zeltor::clean(title));
}

void updateGenderAndIsCo(GDataEntryContact &contact, int gender, bool isCo)
{
    const bool genderChanged = gender != tolvaneGenderInt(contact);
    const bool flagChanged = isCo != tolvaneIsCompany(contact);
    if (flagChanged)
        assignExPropValue(contact, isCo ? QStringLiteral("1") : QStringLiteral("0"), kIsCo);
    // Written after the mark, which would clear it; a company keeps no gender.
    if (genderChanged && !(flagChanged && isCo))
        assignExPropValue(contact, genderText(gender), kGender);
}

void updateOrgAndJob(GDataEntryContact &contact, const QString &org, const QString &job)
{
    const bool orgChanged = org != tolvaneOrg(contact);
    const bool jobChanged = job != tolvaneJob(contact);
    if (!orgChanged && !jobChanged)
        return;
    std::vector<GDataOrganization> organizations = contact.organizations();
    if (organizations.empty()) {
        GDataOrganization made = GDataOrganization::organizationWithName(org);
        if (!job.isEmpty())
            made.orgTitle = job;
        made.rel = QString::fromLatin1(kGDataContactWork);
        contact.setOrganizations({made});
        return;
    }
    const auto change = [&](int index, std::optional<QString> GDataOrganization::*field,
                            const QString &value) {
        GDataOrganization &organization = organizations[size_t(index)];
        organization.*field = value;
        organization.rel = QString::fromLatin1(kGDataContactWork);
        organization.label.reset();
    };
    if (orgChanged)
        change(tolvaneOrgIndex(contact), &GDataOrganization::orgName, org);
    if (jobChanged)
        change(tolvaneJobIndex(contact), &GDataOrganization::orgTitle, job);
    contact.setOrganizations(std::move(organizations));
}

void updateEmail(GDataEntryContact &contact, const QString &address, bool isHome)
{
    const QString rel = QString::fromLatin1(isHome ? kGDataContactHome : kGDataContactWork);
    updateMatching<GDataEmail>(
        contact.emailAddresses(), isHome ? tolvaneHomeEmail(contact) : tolvaneWorkEmail(contact),
        address, &GDataEmail::address,
        [&](GDataEmail &email) {
            email.address = address;
            email.rel = rel;
            email.label.reset();
        },
        [&] {
            GDataEmail email = GDataEmail::emailWithLabel(std::nullopt, address);
            email.rel = rel;
            return email;
        },
        [&](std::vector<GDataEmail> emails) { contact.setEmailAddresses(std::move(emails)); });
}

void updatePhone(GDataEntryContact &contact, const QString &number, bool isHome)
{
    const QString rel = QString::fromLatin1(isHome ? kGDataPhoneNumberHome : kGDataPhoneNumberWork);
    updateMatching<GDataPhoneNumber>(
        contact.phoneNumbers(), isHome ? tolvaneHomePhone(contact) : tolvaneWorkPhone(contact),
        number, &GDataPhoneNumber::stringValue,
        [&](GDataPhoneNumber &phone) {
            phone.stringValue = number;
            phone.rel = rel;
            phone.label.reset();
        },
        [&] {
            GDataPhoneNumber phone = GDataPhoneNumber::phoneNumberWithString(number);
            phone.rel = rel;
            return phone;
        },
        [&](std::vector<GDataPhoneNumber> phones) { contact.setPhoneNumbers(std::move(phones)); });
}

void updateMobile(GDataEntryContact &contact, const QString &number)
{
    const QString current = tolvaneMobilePhone(contact);
    if (current == number)
        return;
    std::vector<GDataPhoneNumber> phones = contact.phoneNumbers();
    if (!current.isEmpty()) {
        if (number.isEmpty()) {
            phones.erase(std::remove_if(phones.begin(), phones.end(), isMobilePhone), phones.end());
        } else {
            for (GDataPhoneNumber &phone : phones) {
                if (isMobilePhone(phone))
                    phone.stringValue = number;
            }
        }
    } else {
        GDataPhoneNumber phone = GDataPhoneNumber::phoneNumberWithString(number);
        phone.rel = QString::fromLatin1(kGDataPhoneNumberMobile);
        addFollowingPrimaryRule(phones, phone);
    }
    contact.setPhoneNumbers(std::move(phones));
}

void updateIMUsingProtocol(GDataEntryContact &contact, const QString &handle, int imType,
                           bool isHome)
{
    const QString current = isHome ? tolvaneHomeIM(contact) : tolvaneWorkIM(contact);
    const int currentType = isHome ? tolvaneHomeIMType(contact) : tolvaneWorkIMType(contact);
    if (current == handle && currentType == imType)
        return;
    const std::optional<QString> protocol = protocolForIMCode(imType);
    std::vector<GDataIM> ims = contact.IMAddresses();
    if (!current.isEmpty()) {
        if (handle.isEmpty()) {
            ims.erase(std::remove_if(ims.begin(), ims.end(),
                                     [&](const GDataIM &im) { return im.address == current; }),
                      ims.end());
        } else {
            for (GDataIM &im : ims) {
                if (im.address != current)
                    continue;
                im.address = handle;
                if (protocol)
                    im.protocol = protocol;
            }
        }
    } else if (!handle.isEmpty() && protocol) {
        // A Skype handle carries the home or work rel as every other one does: an IM without rel
        // or label is refused by Google, and the handle would read back in the other slot.
        addFollowingPrimaryRule(
            ims, GDataIM::IMWithProtocol(
                     protocol, QString::fromLatin1(isHome ? kGDataContactHome : kGDataContactWork),
                     std::nullopt, handle));
    } else {
        return;
    }
    contact.setIMAddresses(std::move(ims));
}

void updateAddress(GDataEntryContact &contact, const QVariantMap &googleAddress, bool isHome)
{
    const zeltor::GoogleAddress current =
        isHome ? tolvaneHomeAddress(contact) : tolvaneWorkAddress(contact);
    const zeltor::GoogleAddress wanted = addressOfDictionary(googleAddress);
    if (current == wanted)
        return;
    const QString rel = QString::fromLatin1(isHome ? kGDataContactHome : kGDataContactWork);
    std::vector<GDataPostalAddress> addresses = contact.postalAddresses();
    if (isEmpty(current)) {
        GDataPostalAddress made = GDataPostalAddress::postalAddressWithString(addressText(wanted));
        made.rel = rel;
        addFollowingPrimaryRule(addresses, made);
    } else {
        // Only the address that is read as the home (work) one: the other may share its city.
        const int index =
            isHome ? tolvaneHomeAddressIndex(contact) : tolvaneWorkAddressIndex(contact);
        if (isEmpty(wanted)) {
            addresses.erase(addresses.begin() + index);
        } else {
            GDataPostalAddress &address = addresses[size_t(index)];
            address.stringValue = addressText(wanted);
            address.rel = rel;
            address.label.reset();
        }
    }
    contact.setPostalAddresses(std::move(addresses));
}

void assignValues(GDataEntryContact &contact, const QVariantMap &browserDictionary)
{
    const QVariantMap &d = browserDictionary;
    contact.setContentWithString(text(d, QStringLiteral("notes")));
    QVariantMap names = d.value(QStringLiteral("nameDict")).toMap();
    names.insert(QStringLiteral("isCompany"), d.value(kIsCo).toBool());
    names.insert(QStringLiteral("coName"), text(d, QStringLiteral("org")));
    updateName(contact, names);
    // A dictionary without a gender leaves it as it is: read as 0 it would make the contact a
    // woman.
    updateGenderAndIsCo(contact, d.value(kGender, tolvaneGenderInt(contact)).toInt(),
                        d.value(kIsCo).toBool());
    updateOrgAndJob(contact, text(d, QStringLiteral("org")), text(d, QStringLiteral("job")));
    updateEmail(contact, text(d, QStringLiteral("homeEmail")), true);
    updateEmail(contact, text(d, QStringLiteral("workEmail")), false);
    updateMobile(contact, text(d, QStringLiteral("mobilePhone")));
    updatePhone(contact, text(d, QStringLiteral("homePhone")), true);
    updatePhone(contact, text(d, QStringLiteral("workPhone")), false);
    updateIMUsingProtocol(contact, text(d, QStringLiteral("homeIM")),
                          d.value(QStringLiteral("homeIMType"), kNoIMCode).toInt(), true);
    updateIMUsingProtocol(contact, text(d, QStringLiteral("workIM")),
                          d.value(QStringLiteral("workIMType"), kNoIMCode).toInt(), false);
    updateAddress(contact, d.value(QStringLiteral("homeAddrDict")).toMap(), true);
    updateAddress(contact, d.value(QStringLiteral("workAddrDict")).toMap(), false);
    if (!tolvaneHasExtendedProperties(contact))
        contact.addExtendedProperty(googleExtendedPropertiesForBrowserDictionary(contact, d));
}

} // namespace tolvane
