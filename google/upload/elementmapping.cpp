#include "google/upload/elementmapping.h"

#include "foundation/text/zeltorstring.h"
#include "google/upload/labelmapping.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressformatter.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/gdata/gdataconstants.h"

#include <optional>
#include <vector>

namespace elementmapping {
namespace {

struct IMService
{
    const QString &property;
    const char *protocol;
    const QString &workLabel;
    const QString &homeLabel;
};

const IMService kIMServices[] = {
    {kABAIMInstantProperty, kGDataIMProtocolAIM, kABAIMWorkLabel, kABAIMHomeLabel},
    {kABJabberInstantProperty, kGDataIMProtocolJabber, kABJabberWorkLabel, kABJabberHomeLabel},
    {kABMSNInstantProperty, kGDataIMProtocolMSN, kABMSNWorkLabel, kABMSNHomeLabel},
    {kABICQInstantProperty, kGDataIMProtocolICQ, kABICQWorkLabel, kABICQHomeLabel},
    {kABYahooInstantProperty, kGDataIMProtocolYahoo, kABYahooWorkLabel, kABYahooHomeLabel},
};

// The address keys whose values are cleaned; country and country code stay as they are.
const QString *const kCleanedAddressKeys[] = {&kABAddressStreetKey, &kABAddressCityKey,
                                              &kABAddressStateKey, &kABAddressZIPKey};

// Postal texts this short say nothing a letter could be sent with.
constexpr int kShortestPostalText = 4;

template <typename Element>
void applyRelOrLabel(Element &element, const labelmapping::RelOrLabel &mapped)
{
    element.rel = mapped.rel;
    element.label = mapped.label;
}

// Every element of one field, made from the values that are usable; the contact's field is
// replaced only when there is at least one, and cleared when the person has no value at all.
template <typename Element, typename MakeElement>
std::optional<std::vector<Element>> mappedValues(const MultiValue &values, MakeElement make)
{
    if (values.isEmpty())
        return std::vector<Element>();
    const int primary = primaryIndex(values);
    std::vector<Element> elements;
    for (int index = 0; index < values.count(); ++index) {
        std::optional<Element> element = make(values.valueAt(index), values.labelAt(index));
        if (!element)
            continue;
        element->primary = index == primary;
        elements.push_back(*element);
    }
    if (elements.empty())
        return std::nullopt;
    return elements;
}

QString postalText(const QVariantMap &address)
{
    QVariantMap copy = address;
    for (const QString *key : kCleanedAddressKeys) {
        if (!copy.contains(*key))
            continue;
        const QString cleaned = zeltor::clean(copy.value(*key).toString());
        if (cleaned.isEmpty())
            copy.remove(*key);
        else
            copy.insert(*key, cleaned);
    }
    if (copy.size() == 1 &&
        (copy.contains(kABAddressCountryKey) || copy.contains(kABAddressCountryCodeKey)))
        return QString();
    return zeltor::clean(addressformatter::formattedAddress(copy));
}

} // namespace

int primaryIndex(const MultiValue &values)
{
    const int index = values.indexForIdentifier(values.primaryIdentifier());
    return index < 0 ? 0 : index;
}

void abEmailsFor(GDataEntryContact &contact, const PersonPtr &person)
{
    const auto emails = mappedValues<GDataEmail>(
        person->multiValueForProperty(kABEmailProperty),
        [](const QVariant &value, const QString &label) -> std::optional<GDataEmail> {
            const QString address = zeltor::clean(value.toString());
            if (address.isEmpty())
                return std::nullopt;
            GDataEmail email = GDataEmail::emailWithLabel(std::nullopt, address);
            applyRelOrLabel(email, labelmapping::googleRelForLabel(label));
            return email;
        });
    if (emails)
        contact.setEmailAddresses(*emails);
}

void abPhonesFor(GDataEntryContact &contact, const PersonPtr &person,
                 const PhoneFormatter &formatAsPhoneNumber)
{
    const auto phones = mappedValues<GDataPhoneNumber>(
        person->multiValueForProperty(kABPhoneProperty),
        [&](const QVariant &value, const QString &label) -> std::optional<GDataPhoneNumber> {
            QString number = value.toString();
            if (formatAsPhoneNumber)
                number = formatAsPhoneNumber(number);
            if (number.size() <= 1)
                return std::nullopt;
            GDataPhoneNumber phone = GDataPhoneNumber::phoneNumberWithString(number);
            applyRelOrLabel(phone, labelmapping::googlePhoneRelForLabel(label));
            return phone;
        });
    if (phones)
        contact.setPhoneNumbers(*phones);
}

void abPostalsFor(GDataEntryContact &contact, const PersonPtr &person)
{
    const auto postals = mappedValues<GDataPostalAddress>(
        person->multiValueForProperty(kABAddressProperty),
        [](const QVariant &value, const QString &label) -> std::optional<GDataPostalAddress> {
            const QString text = postalText(value.toMap());
            if (text.size() < kShortestPostalText)
                return std::nullopt;
            GDataPostalAddress postal = GDataPostalAddress::postalAddressWithString(text);
            applyRelOrLabel(postal, labelmapping::googleRelForLabel(label));
            return postal;
        });
    if (postals)
        contact.setPostalAddresses(*postals);
}

void abIMsFor(GDataEntryContact &contact, const PersonPtr &person)
{
    std::vector<GDataIM> ims;
    for (const IMService &service : kIMServices) {
        const MultiValue handles = person->multiValueForProperty(service.property);
        for (int index = 0; index < handles.count(); ++index) {
            const QString handle = zeltor::clean(handles.valueAt(index).toString());
            if (handle.isEmpty())
                continue;
            const labelmapping::RelOrLabel mapped = labelmapping::googleIMRelForLabel(
                handles.labelAt(index), service.workLabel, service.homeLabel);
            ims.push_back(GDataIM::IMWithProtocol(QString::fromLatin1(service.protocol), mapped.rel,
                                                  mapped.label, handle));
        }
    }
    if (ims.empty())
        return;
    if (ims.size() == 1)
        ims.front().primary = true;
    contact.setIMAddresses(ims);
}

} // namespace elementmapping
