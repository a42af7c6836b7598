#include "google/entries/contactaccessors.h"

#include "addressbook/addressbookkeys.h"
#include "google/entries/entrybaseaccessors.h"
#include "google/entries/improtocols.h"
#include "google/entries/mapurl.h"
#include "google/entries/postaladdressparsing.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <algorithm>

namespace tolvane {

namespace {

QString contactPropertyName()
{
    return UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
}

// The first property of the program's name, however many there are.
std::optional<QString> firstPropertyValue(const GDataEntryContact &contact, const QString &key)
{
    const auto property = contact.extendedPropertyForName(contactPropertyName());
    return property ? property->XMLValueForKey(key) : std::nullopt;
}

// A value is of a kind when its rel is one of the kind's relation values or its label,
// lower-cased, is the kind's word.
template <typename Value>
bool isKind(const Value &value, std::initializer_list<const char *> rels, const char *word)
{
    const QString rel = value.rel.value_or(QString());
    for (const char *kindRel : rels) {
        if (rel == QLatin1String(kindRel))
            return true;
    }
    return value.label.value_or(QString()).toLower() == QLatin1String(word);
}

bool isHomePhone(const GDataPhoneNumber &phone)
{
    return isKind(phone, {kGDataPhoneNumberHome}, "home");
}
bool isWorkPhone(const GDataPhoneNumber &phone)
{
    return isKind(phone, {kGDataPhoneNumberWork}, "work");
}
template <typename Value> bool isHome(const Value &value)
{
    return isKind(value, {kGDataContactHome}, "home");
}
template <typename Value> bool isWork(const Value &value)
{
    return isKind(value, {kGDataContactWork}, "work");
}

template <typename Value, typename Test>
const Value *firstOf(const std::vector<Value> &values, Test test)
{
    const auto found = std::find_if(values.begin(), values.end(), test);
    return found == values.end() ? nullptr : &*found;
}

template <typename Value> const Value *primaryOf(const std::vector<Value> &values)
{
    return firstOf(values, [](const Value &value) { return value.primary; });
}

QString phoneOfKind(const GDataEntryContact &contact, bool (*test)(const GDataPhoneNumber &))
{
    const GDataPhoneNumber *phone = firstOf(contact.phoneNumbers(), test);
    return phone ? phone->stringValue : QStringLiteral("");
}

QString emailOfKind(const GDataEntryContact &contact, bool (*test)(const GDataEmail &))
{
    const GDataEmail *email = firstOf(contact.emailAddresses(), test);
    return email ? email->address : QStringLiteral("");
}

QString firstNonEmpty(std::initializer_list<QString> texts)
{
    for (const QString &text : texts) {
        if (!text.isEmpty())
            return text;
    }
    return QStringLiteral("");
}

// The IMs labelled neither home nor work fill the slots that no labelled IM takes, in list order:
// the work handle first, then the home handle. A home handle never reads back as the work one.
const GDataIM *imForSlot(const GDataEntryContact &contact, bool home)
{
    const std::vector<GDataIM> &ims = contact.IMAddresses();
    const GDataIM *labelledWork = firstOf(ims, isWork<GDataIM>);
    const GDataIM *labelled = home ? firstOf(ims, isHome<GDataIM>) : labelledWork;
    if (labelled)
        return labelled;
    const qsizetype position = home && !labelledWork ? 1 : 0;
    qsizetype unlabelled = 0;
    for (const GDataIM &im : ims) {
        if (isHome(im) || isWork(im))
            continue;
        if (unlabelled++ == position)
            return &im;
    }
    return nullptr;
}

QString imAddress(const GDataIM *im)
{
    return im ? im->address : QStringLiteral("");
}

int imType(const GDataIM *im)
{
    return im ? imCodeForProtocol(im->protocol.value_or(QString())) : kNoIMCode;
}

// The last address of the kind is the one read.
int addressIndexOfKind(const GDataEntryContact &contact, bool (*test)(const GDataPostalAddress &))
{
    const std::vector<GDataPostalAddress> &addresses = contact.postalAddresses();
    for (int i = int(addresses.size()) - 1; i >= 0; --i) {
        if (test(addresses[size_t(i)]))
            return i;
    }
    return -1;
}

zeltor::GoogleAddress addressOfKind(const GDataEntryContact &contact,
                                    bool (*test)(const GDataPostalAddress &))
{
    const int index = addressIndexOfKind(contact, test);
    if (index < 0)
        return zeltor::GoogleAddress{};
    return tolvaneAddress(contact.postalAddresses()[size_t(index)])
        .value_or(zeltor::GoogleAddress{});
}

} // namespace

bool isMobilePhone(const GDataPhoneNumber &phone)
{
    return isKind(phone, {kGDataPhoneNumberMobile}, "cell");
}

QString tolvaneLocation(const zeltor::GoogleAddress &address)
{
    if (address.city.isEmpty() && address.state.isEmpty() && address.postal.isEmpty())
        return QStringLiteral("");
    const QString gap = QStringLiteral("  ");
    return address.city + (address.state.isEmpty() ? QString() : gap) + address.state +
           (address.postal.isEmpty() ? QString() : gap) + address.postal;
}

namespace {

// The primary organisation when it has a value there, else the first.
int organisationIndex(const GDataEntryContact &contact,
                      std::optional<QString> GDataOrganization::*field)
{
    const std::vector<GDataOrganization> &organizations = contact.organizations();
    if (organizations.empty())
        return -1;
    const GDataOrganization *primary = primaryOf(organizations);
    if (primary && !(primary->*field).value_or(QString()).isEmpty())
        return int(primary - organizations.data());
    return 0;
}

QString organisationField(const GDataEntryContact &contact,
                          std::optional<QString> GDataOrganization::*field)
{
    const int index = organisationIndex(contact, field);
    if (index < 0)
        return QStringLiteral("");
    return (contact.organizations()[size_t(index)].*field).value_or(QStringLiteral(""));
}

} // namespace

std::optional<GDataExtendedProperty> tolvaneExtendedProperty(const GDataEntryContact &contact)
{
    return entrybase::programProperty(contact, contactPropertyName());
}

std::optional<QHash<QString, QString>>
tolvaneExtendedPropertyXMLValuesDictionary(const GDataEntryContact &contact)
{
    return entrybase::programPropertyValues(contact, contactPropertyName());
}

bool tolvaneHasExtendedProperties(const GDataEntryContact &contact)
{
    return tolvaneExtendedProperty(contact).has_value();
}

QString tolvaneABID(const GDataEntryContact &contact)
{
    return entrybase::recordID(contact, contactPropertyName());
}

QDateTime tolvaneCreateDate(const GDataEntryContact &contact)
{
    return entrybase::createDate(contact, contactPropertyName());
}

bool tolvaneIsCompany(const GDataEntryContact &contact)
{
    return firstPropertyValue(contact, QStringLiteral("isCo")) == QStringLiteral("1");
}

QString tolvaneGender(const GDataEntryContact &contact)
{
    return firstPropertyValue(contact, QStringLiteral("gender")).value_or(QStringLiteral(""));
}

int tolvaneGenderInt(const GDataEntryContact &contact)
{
    const QString gender = tolvaneGender(contact);
    if (gender == u"M")
        return kGenderMale;
    if (gender == u"F")
        return kGenderFemale;
    return kGenderNone;
}

QString tolvanePhotoLink(const GDataEntryContact &contact)
{
    const auto link = contact.photoLink();
    return link ? link->href : QStringLiteral("");
}

QString tolvanePhotoETag(const GDataEntryContact &contact)
{
    const auto link = contact.photoLink();
    return link ? link->ETag().value_or(QStringLiteral("")) : QStringLiteral("");
}

bool tolvaneHasImage(const GDataEntryContact &contact)
{
    const auto link = contact.photoLink();
    return link && link->ETag().has_value();
}

QString tolvaneNote(const GDataEntryContact &contact)
{
    return contact.content().value_or(QStringLiteral(""));
}

QString tolvaneTitle(const GDataEntryContact &contact)
{
    if (contact.isDeleted())
        return entrybase::deletedEntryMark(contact);
    std::optional<QString> text = contact.title();
    if (text.value_or(QString()).isEmpty() && !contact.organizations().empty()) {
        const GDataOrganization *primary = primaryOf(contact.organizations());
        const GDataOrganization &organization =
            primary ? *primary : contact.organizations().front();
        if (organization.orgName)
            text = organization.orgName;
    }
    if (!text.value_or(QString()).isEmpty())
        return *text;
    if (!contact.emailAddresses().empty())
        return QStringLiteral("Email Address Only");
    return text ? QStringLiteral("") : QStringLiteral("No Title");
}

QString entryDisplayName(const GDataEntryContact &contact)
{
    if (contact.isDeleted())
        return entrybase::deletedEntryMark(contact);
    const QString title = tolvaneTitle(contact);
    return title.isEmpty() ? contact.description() : title;
}

QString tolvaneOrg(const GDataEntryContact &contact)
{
    return organisationField(contact, &GDataOrganization::orgName);
}

QString tolvaneJob(const GDataEntryContact &contact)
{
    return organisationField(contact, &GDataOrganization::orgTitle);
}

int tolvaneOrgIndex(const GDataEntryContact &contact)
{
    return organisationIndex(contact, &GDataOrganization::orgName);
}

int tolvaneJobIndex(const GDataEntryContact &contact)
{
    return organisationIndex(contact, &GDataOrganization::orgTitle);
}

QString tolvaneMobilePhone(const GDataEntryContact &contact)
{
    return phoneOfKind(contact, isMobilePhone);
}

QString tolvaneHomePhone(const GDataEntryContact &contact)
{
    return phoneOfKind(contact, isHomePhone);
}

QString tolvaneWorkPhone(const GDataEntryContact &contact)
{
    return phoneOfKind(contact, isWorkPhone);
}

QString tolvanePrimaryPhone(const GDataEntryContact &contact)
{
    const std::vector<GDataPhoneNumber> &phones = contact.phoneNumbers();
    if (phones.empty())
        return QStringLiteral("");
    const GDataPhoneNumber *primary = primaryOf(phones);
    if (primary && !primary->stringValue.isEmpty())
        return primary->stringValue;
    const QString kind = firstNonEmpty(
        {tolvaneMobilePhone(contact), tolvaneWorkPhone(contact), tolvaneHomePhone(contact)});
    return kind.isEmpty() ? phones.front().stringValue : kind;
}

bool tolvanePhoneIsHome(const GDataEntryContact &contact)
{
    const std::vector<GDataPhoneNumber> &phones = contact.phoneNumbers();
    if (phones.empty())
        return false;
    const GDataPhoneNumber *picked = primaryOf(phones);
    if (!picked)
        picked = &phones.front();
    else if (phones.size() >= 2 && isMobilePhone(*picked))
        picked = &phones.at(1);
    return isKind(*picked, {kGDataContactHome, kGDataPhoneNumberHome}, "home");
}

QString tolvaneHomeEmail(const GDataEntryContact &contact)
{
    return emailOfKind(contact, isHome<GDataEmail>);
}

QString tolvaneWorkEmail(const GDataEntryContact &contact)
{
    return emailOfKind(contact, isWork<GDataEmail>);
}

QString tolvanePrimaryEmail(const GDataEntryContact &contact)
{
    const std::vector<GDataEmail> &emails = contact.emailAddresses();
    if (emails.empty())
        return QStringLiteral("");
    const GDataEmail *primary = primaryOf(emails);
    if (primary && !primary->address.isEmpty())
        return primary->address;
    const QString kind = firstNonEmpty({tolvaneWorkEmail(contact), tolvaneHomeEmail(contact)});
    return kind.isEmpty() ? emails.front().address : kind;
}

QString tolvanePrimaryIM(const GDataEntryContact &contact)
{
    return imAddress(primaryOf(contact.IMAddresses()));
}

int tolvanePrimaryIMType(const GDataEntryContact &contact)
{
    return imType(primaryOf(contact.IMAddresses()));
}

QString tolvaneWorkIM(const GDataEntryContact &contact)
{
    return imAddress(imForSlot(contact, false));
}

int tolvaneWorkIMType(const GDataEntryContact &contact)
{
    return imType(imForSlot(contact, false));
}

QString tolvaneHomeIM(const GDataEntryContact &contact)
{
    return imAddress(imForSlot(contact, true));
}

int tolvaneHomeIMType(const GDataEntryContact &contact)
{
    return imType(imForSlot(contact, true));
}

int tolvaneHomeAddressIndex(const GDataEntryContact &contact)
{
    return addressIndexOfKind(contact, isHome<GDataPostalAddress>);
}

int tolvaneWorkAddressIndex(const GDataEntryContact &contact)
{
    return addressIndexOfKind(contact, isWork<GDataPostalAddress>);
}

zeltor::GoogleAddress tolvaneHomeAddress(const GDataEntryContact &contact)
{
    return addressOfKind(contact, isHome<GDataPostalAddress>);
}

zeltor::GoogleAddress tolvaneWorkAddress(const GDataEntryContact &contact)
{
    return addressOfKind(contact, isWork<GDataPostalAddress>);
}

std::optional<zeltor::GoogleAddress> tolvanePrimaryAddress(const GDataEntryContact &contact)
{
    const std::vector<GDataPostalAddress> &addresses = contact.postalAddresses();
    if (addresses.empty())
        return std::nullopt;
    if (const GDataPostalAddress *primary = primaryOf(addresses)) {
        if (const auto parsed = tolvaneAddress(*primary))
            return parsed;
    }
    return tolvaneWorkAddress(contact);
}

QString tolvaneHomeLocation(const GDataEntryContact &contact)
{
    return tolvaneLocation(tolvaneHomeAddress(contact));
}

QString tolvaneWorkLocation(const GDataEntryContact &contact)
{
    return tolvaneLocation(tolvaneWorkAddress(contact));
}

QString tolvaneMapURLForHome(const GDataEntryContact &contact)
{
    return mapURLForAddressDict(tolvaneHomeAddress(contact));
}

QString tolvaneMapURLForWork(const GDataEntryContact &contact)
{
    return mapURLForAddressDict(tolvaneWorkAddress(contact));
}

} // namespace tolvane
