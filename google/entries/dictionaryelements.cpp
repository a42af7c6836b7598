#include "google/entries/dictionaryelements.h"

#include <QString>
#include <QVariantMap>

#include <optional>

namespace dictionaryelements {
namespace {

const QString kAddressKey = QStringLiteral("address");
const QString kProtocolKey = QStringLiteral("protocol");
const QString kRelKey = QStringLiteral("rel");
const QString kLabelKey = QStringLiteral("label");
const QString kIsPrimaryKey = QStringLiteral("isPrimary");
const QString kNameKey = QStringLiteral("name");
const QString kTitleKey = QStringLiteral("title");
const QString kHRefKey = QStringLiteral("hRef");
const QString kYes = QStringLiteral("YES");

std::optional<QString> nonEmpty(const QVariantMap &dictionary, const QString &key)
{
    const QString value = dictionary.value(key).toString();
    if (value.isEmpty())
        return std::nullopt;
    return value;
}

// The primary flag first, then the relation and the label.
template <typename Element> void applyCommonKeys(Element &element, const QVariantMap &dictionary)
{
    element.primary = dictionary.value(kIsPrimaryKey).toString() == kYes;
    if (const auto rel = nonEmpty(dictionary, kRelKey))
        element.rel = rel;
    if (const auto label = nonEmpty(dictionary, kLabelKey))
        element.label = label;
}

template <typename Element, typename Make>
std::vector<Element> elementsForArray(const QVariantList &array, Make make)
{
    std::vector<Element> elements;
    elements.reserve(array.size());
    for (const QVariant &item : array) {
        const QVariantMap dictionary = item.toMap();
        Element element = make(dictionary);
        applyCommonKeys(element, dictionary);
        elements.push_back(element);
    }
    return elements;
}

QString address(const QVariantMap &dictionary)
{
    return dictionary.value(kAddressKey).toString();
}

} // namespace

std::vector<GDataEmail> googleContactEmailsForArray(const QVariantList &array)
{
    return elementsForArray<GDataEmail>(array, [](const QVariantMap &dictionary) {
        return GDataEmail::emailWithLabel(std::nullopt, address(dictionary));
    });
}

std::vector<GDataPhoneNumber> googleContactPhonesForArray(const QVariantList &array)
{
    return elementsForArray<GDataPhoneNumber>(array, [](const QVariantMap &dictionary) {
        return GDataPhoneNumber::phoneNumberWithString(address(dictionary));
    });
}

std::vector<GDataPostalAddress> googleContactAddressesForArray(const QVariantList &array)
{
    return elementsForArray<GDataPostalAddress>(array, [](const QVariantMap &dictionary) {
        return GDataPostalAddress::postalAddressWithString(address(dictionary));
    });
}

std::vector<GDataIM> googleContactIMsForArray(const QVariantList &array)
{
    return elementsForArray<GDataIM>(array, [](const QVariantMap &dictionary) {
        return GDataIM::IMWithProtocol(nonEmpty(dictionary, kProtocolKey), std::nullopt,
                                       std::nullopt, address(dictionary));
    });
}

std::vector<GDataOrganization> googleContactOrganizationsForArray(const QVariantList &array)
{
    return elementsForArray<GDataOrganization>(array, [](const QVariantMap &dictionary) {
        GDataOrganization organization;
        organization.orgName = nonEmpty(dictionary, kNameKey);
        organization.orgTitle = nonEmpty(dictionary, kTitleKey);
        return organization;
    });
}

std::vector<GDataGroupMembershipInfo> googleContactMembershipsForArray(const QVariantList &array)
{
    std::vector<GDataGroupMembershipInfo> memberships;
    memberships.reserve(array.size());
    for (const QVariant &item : array) {
        memberships.push_back(GDataGroupMembershipInfo::groupMembershipInfoWithHref(
            item.toMap().value(kHRefKey).toString()));
    }
    return memberships;
}

} // namespace dictionaryelements
