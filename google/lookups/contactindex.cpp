#include "google/lookups/contactindex.h"

#include "addressbook/addressbookkeys.h"
#include "google/entries/entrybaseaccessors.h"
#include "google/lookups/namewords.h"
#include "platform/defaults/userdefaults.h"

#include <algorithm>

namespace contactkeys {

bool Identifier::has(const GDataEntryContact &contact, const QString &key)
{
    return contact.identifier() == key;
}

bool Email::has(const GDataEntryContact &contact, const QString &key)
{
    const std::vector<GDataEmail> &emails = contact.emailAddresses();
    return std::any_of(emails.begin(), emails.end(), [&](const GDataEmail &email) {
        return casefolding::equalFolded(email.address, key);
    });
}

bool PhotoETag::has(const GDataEntryContact &contact, const QString &key)
{
    const GDataLink *link = contact.findPhotoLink();
    return link && link->etag == key;
}

bool GroupHref::has(const GDataEntryContact &contact, const QString &key)
{
    const std::vector<GDataGroupMembershipInfo> &memberships = contact.groupMembershipInfos();
    return std::any_of(memberships.begin(), memberships.end(),
                       [&](const GDataGroupMembershipInfo &info) { return info.href == key; });
}

bool Title::has(const GDataEntryContact &contact, const QString &key)
{
    return contact.title() == key;
}

bool OrganizationName::has(const GDataEntryContact &contact, const QString &key)
{
    const std::vector<GDataOrganization> &organizations = contact.organizations();
    return std::any_of(
        organizations.begin(), organizations.end(),
        [&](const GDataOrganization &organization) { return organization.orgName == key; });
}

bool TitleWord::has(const GDataEntryContact &contact, const QString &key)
{
    return titleWords(contact).contains(key);
}

QStringList TitleWord::titleWords(const GDataEntryContact &contact)
{
    return namewords::foldedWords(contact.title().value_or(QString()));
}

void OwnPropertyValue::prepare()
{
    propertyName = UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
}

const QString *OwnPropertyValue::valueOf(const GDataEntryContact &contact) const
{
    const GDataExtendedProperty *own = entrybase::programPropertyIn(contact, propertyName);
    return own ? own->findXMLValue(element) : nullptr;
}

OwnABID::OwnABID()
    : OwnPropertyValue(abkeys::extendedRecordIDKey)
{}

OwnGID::OwnGID()
    : OwnPropertyValue(QStringLiteral("gID"))
{}

} // namespace contactkeys

void ContactIndex::invalidate()
{
    m_identifiers.invalidate();
    m_emails.invalidate();
    m_etags.invalidate();
    m_groups.invalidate();
    m_titles.invalidate();
    m_organizations.invalidate();
    m_titleWords.invalidate();
    m_abids.invalidate();
    m_gids.invalidate();
}

ContactIndex::Found ContactIndex::withIdentifier(const QString &identifier)
{
    return m_identifiers.entriesForKey<Found>(m_contacts, identifier);
}

ContactIndex::Found ContactIndex::withEmailAddress(const QString &address)
{
    return m_emails.entriesForKey<Found>(m_contacts, address);
}

ContactIndex::Found ContactIndex::withPhotoETag(const QString &etag)
{
    return m_etags.entriesForKey<Found>(m_contacts, etag);
}

ContactIndex::Members ContactIndex::inGroup(const QString &groupHref)
{
    return m_groups.entriesForKey<Members>(m_contacts, groupHref);
}

int ContactIndex::countInGroup(const QString &groupHref)
{
    return m_groups.verifiedCountForKey(m_contacts, groupHref);
}

ContactIndex::Found ContactIndex::withTitle(const QString &title)
{
    return m_titles.entriesForKey<Found>(m_contacts, title);
}

ContactIndex::Found ContactIndex::withOrganizationName(const QString &name)
{
    return m_organizations.entriesForKey<Found>(m_contacts, name);
}

ContactIndex::Found ContactIndex::candidatesWithTitleWord(const QString &foldedWord)
{
    return m_titleWords.candidatesForKey<Found>(m_contacts, foldedWord);
}

int ContactIndex::countWithTitleWord(const QString &foldedWord)
{
    return m_titleWords.countForKey(m_contacts, foldedWord);
}

ContactIndex::Found ContactIndex::withOwnABID(const QString &abid)
{
    return m_abids.entriesForKey<Found>(m_contacts, abid);
}

ContactIndex::Found ContactIndex::withOwnGID(const QString &gid)
{
    return m_gids.entriesForKey<Found>(m_contacts, gid);
}
