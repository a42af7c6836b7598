// A contact entry of the contact feed.
#pragma once

#include "platform/gdata/entries/gdatacontactelements.h"
#include "platform/gdata/entries/gdataentrybase.h"

class GDataEntryContact;
using GDataEntryContactPtr = std::shared_ptr<GDataEntryContact>;

class GDataEntryContact : public GDataEntryBase
{
public:
    GDataEntryContact() = default;
    static GDataEntryContactPtr contactEntryWithTitle(const std::optional<QString> &title);

    Kind kind() const override { return Kind::Contact; }
    GDataEntryPtr copy() const override;
    QString description() const override;

    const std::vector<GDataEmail> &emailAddresses() const { return m_emails; }
    void setEmailAddresses(std::vector<GDataEmail> emails) { m_emails = std::move(emails); }
    std::optional<GDataEmail> primaryEmailAddress() const;

    const std::vector<GDataPhoneNumber> &phoneNumbers() const { return m_phones; }
    void setPhoneNumbers(std::vector<GDataPhoneNumber> phones) { m_phones = std::move(phones); }

    const std::vector<GDataPostalAddress> &postalAddresses() const { return m_addresses; }
    void setPostalAddresses(std::vector<GDataPostalAddress> addresses)
    {
        m_addresses = std::move(addresses);
    }

    const std::vector<GDataIM> &IMAddresses() const { return m_ims; }
    void setIMAddresses(std::vector<GDataIM> ims) { m_ims = std::move(ims); }
    std::optional<GDataIM> primaryIMAddress() const;

    const std::vector<GDataOrganization> &organizations() const { return m_organizations; }
    void setOrganizations(std::vector<GDataOrganization> orgs)
    {
        m_organizations = std::move(orgs);
    }
    void addOrganization(GDataOrganization org) { m_organizations.push_back(std::move(org)); }
    // Removes the first organisation with that name and title.
    void removeOrganization(const GDataOrganization &org);

    const std::vector<GDataGroupMembershipInfo> &groupMembershipInfos() const
    {
        return m_memberships;
    }
    void setGroupMembershipInfos(std::vector<GDataGroupMembershipInfo> infos)
    {
        m_memberships = std::move(infos);
    }
    void addGroupMembershipInfo(const GDataGroupMembershipInfo &info);
    // Removes every membership of that group.
    void removeGroupMembershipInfo(const GDataGroupMembershipInfo &info);

    std::optional<GDataLink> photoLink() const;
    // The same link read in place; null when there is none.
    const GDataLink *findPhotoLink() const;

private:
    std::vector<GDataEmail> m_emails;
    std::vector<GDataPhoneNumber> m_phones;
    std::vector<GDataPostalAddress> m_addresses;
    std::vector<GDataIM> m_ims;
    std::vector<GDataOrganization> m_organizations;
    std::vector<GDataGroupMembershipInfo> m_memberships;
};
