#include "platform/gdata/entries/gdataentrycontact.h"

#include "platform/gdata/gdataconstants.h"

#include <algorithm>

GDataEntryContactPtr GDataEntryContact::contactEntryWithTitle(const std::optional<QString> &title)
{
    auto entry = std::make_shared<GDataEntryContact>();
    entry->setTitle(title);
    return entry;
}

GDataEntryPtr GDataEntryContact::copy() const
{
    return std::make_shared<GDataEntryContact>(*this);
}

QString GDataEntryContact::description() const
{
    QString text = GDataEntryBase::description();
    if (const auto email = primaryEmailAddress())
        text += QStringLiteral(" email:") + email->address;
    return text;
}

namespace {

template <typename T> std::optional<T> primaryOrFirst(const std::vector<T> &values)
{
    if (values.empty())
        return std::nullopt;
    const auto primary =
        std::find_if(values.begin(), values.end(), [](const T &value) { return value.primary; });
    return primary != values.end() ? *primary : values.front();
}

} // namespace

std::optional<GDataEmail> GDataEntryContact::primaryEmailAddress() const
{
    return primaryOrFirst(m_emails);
}

std::optional<GDataIM> GDataEntryContact::primaryIMAddress() const
{
    return primaryOrFirst(m_ims);
}

void GDataEntryContact::removeOrganization(const GDataOrganization &org)
{
    const auto found =
        std::find_if(m_organizations.begin(), m_organizations.end(), [&](const auto &candidate) {
            return candidate.orgName == org.orgName && candidate.orgTitle == org.orgTitle;
        });
    if (found != m_organizations.end())
        m_organizations.erase(found);
}

void GDataEntryContact::addGroupMembershipInfo(const GDataGroupMembershipInfo &info)
{
    m_memberships.push_back(info);
}

void GDataEntryContact::removeGroupMembershipInfo(const GDataGroupMembershipInfo &info)
{
    std::erase_if(m_memberships, [&](const auto &member) { return member.href == info.href; });
}

std::optional<GDataLink> GDataEntryContact::photoLink() const
{
    const GDataLink *link = findPhotoLink();
    return link ? std::optional(*link) : std::nullopt;
}

const GDataLink *GDataEntryContact::findPhotoLink() const
{
    return findLinkWithRel(QLatin1String(kGDataLinkRelPhoto));
}
