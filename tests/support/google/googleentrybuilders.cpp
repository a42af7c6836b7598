#include "tests/support/google/googleentrybuilders.h"

#include "platform/gdata/gdataconstants.h"

GDataEntryContactPtr makeContact(const ContactSpec &spec)
{
    auto contact = std::make_shared<GDataEntryContact>();
    contact->setIdentifier(spec.identifier);
    contact->setTitle(spec.title);
    std::vector<GDataEmail> emails;
    for (const QString &address : spec.emails)
        emails.push_back(GDataEmail::emailWithLabel(std::nullopt, address));
    contact->setEmailAddresses(emails);
    std::vector<GDataGroupMembershipInfo> memberships;
    for (const QString &href : spec.groupHrefs)
        memberships.push_back(GDataGroupMembershipInfo::groupMembershipInfoWithHref(href));
    contact->setGroupMembershipInfos(memberships);
    if (spec.photoETag) {
        contact->setLinks({GDataLink{QLatin1String(kGDataLinkRelPhoto), QStringLiteral("image/*"),
                                     QStringLiteral("http://localhost/photo/") + spec.identifier,
                                     spec.photoETag}});
    }
    for (const QString &name : spec.organizations)
        contact->addOrganization(GDataOrganization::organizationWithName(name));
    return contact;
}

GDataEntryContactGroupPtr makeGroup(const QString &identifier, const std::optional<QString> &title,
                                    const std::optional<QString> &systemGroup)
{
    auto group = std::make_shared<GDataEntryContactGroup>();
    group->setIdentifier(identifier);
    group->setTitle(title);
    group->setSystemGroup(systemGroup);
    return group;
}

GDataExtendedProperty makeProperty(const QString &name,
                                   const std::vector<GDataExtendedProperty::XMLValue> &elements)
{
    GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(name);
    property.setXMLValues(elements);
    return property;
}
