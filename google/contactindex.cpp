#include "google/contactindex.h"

#include "google/namewords.h"

namespace {

QStringList identifierOf(const GDataEntryContact &contact)
{
    return {contact.identifier()};
}

QStringList emailKeysOf(const GDataEntryContact &contact)
{
    QStringList keys;
    for (const GDataEmail &email : contact.emailAddresses())
        keys.append(email.address.toCaseFolded());
    return keys;
}

QStringList etagOf(const GDataEntryContact &contact)
{
    const std::optional<GDataLink> link = contact.photoLink();
    if (!link || !link->ETag())
        return {};
    return {*link->ETag()};
}

QStringList groupHrefsOf(const GDataEntryContact &contact)
{
    QStringList hrefs;
    for (const GDataGroupMembershipInfo &membership : contact.groupMembershipInfos())
        hrefs.append(membership.href);
    return hrefs;
}

QStringList titleOf(const GDataEntryContact &contact)
{
    if (!contact.title())
        return {};
    return {*contact.title()};
}

QStringList organizationNamesOf(const GDataEntryContact &contact)
{
    QStringList names;
    for (const GDataOrganization &organization : contact.organizations()) {
        if (organization.orgName)
            names.append(*organization.orgName);
    }
    return names;
}

QStringList titleWordsOf(const GDataEntryContact &contact)
{
    return namewords::foldedWords(contact.title().value_or(QString()));
}

} // namespace

ContactIndex::ContactIndex(const Contacts &contacts)
    : m_contacts(contacts)
    , m_identifiers(identifierOf)
    , m_emails(emailKeysOf)
    , m_etags(etagOf)
    , m_groups(groupHrefsOf)
    , m_titles(titleOf)
    , m_organizations(organizationNamesOf)
    , m_titleWords(titleWordsOf)
{}

void ContactIndex::invalidate()
{
    for (auto *index : {&m_identifiers, &m_emails, &m_etags, &m_groups, &m_titles, &m_organizations,
                        &m_titleWords})
        index->invalidate();
}

ContactIndex::Found ContactIndex::withIdentifier(const QString &identifier)
{
    return m_identifiers.entriesForKey(m_contacts, identifier);
}

ContactIndex::Found ContactIndex::withEmailAddress(const QString &address)
{
    return m_emails.entriesForKey(m_contacts, address.toCaseFolded());
}

ContactIndex::Found ContactIndex::withPhotoETag(const QString &etag)
{
    return m_etags.entriesForKey(m_contacts, etag);
}

ContactIndex::Found ContactIndex::inGroup(const QString &groupHref)
{
    return m_groups.entriesForKey(m_contacts, groupHref);
}

ContactIndex::Found ContactIndex::withTitle(const QString &title)
{
    return m_titles.entriesForKey(m_contacts, title);
}

ContactIndex::Found ContactIndex::withOrganizationName(const QString &name)
{
    return m_organizations.entriesForKey(m_contacts, name);
}

ContactIndex::Found ContactIndex::withTitleWord(const QString &foldedWord)
{
    return m_titleWords.entriesForKey(m_contacts, foldedWord);
}
