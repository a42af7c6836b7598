// The keys the contact lookups search by, each indexed on first use over the engine's contact
// list. Every answer lists the contacts in list order.
#pragma once

#include "google/lookups/casefolding.h"
#include "google/lookups/entrykeyindex.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QList>
#include <QVarLengthArray>

// What each index holds of a contact (see EntryKeyIndex).
namespace contactkeys {

struct Identifier
{
    static void forEach(const GDataEntryContact &contact, const auto &f)
    {
        f(contact.identifier());
    }
    static bool has(const GDataEntryContact &contact, const QString &key);
};
// Addresses, compared without regard to case.
struct Email
{
    static void forEach(const GDataEntryContact &contact, const auto &f)
    {
        for (const GDataEmail &email : contact.emailAddresses())
            f(email.address);
    }
    static bool has(const GDataEntryContact &contact, const QString &key);
    static size_t hash(QStringView key) { return casefolding::foldedHash(key); }
    static bool equal(QStringView a, QStringView b) { return casefolding::equalFolded(a, b); }
};
struct PhotoETag
{
    static void forEach(const GDataEntryContact &contact, const auto &f)
    {
        if (const GDataLink *link = contact.findPhotoLink(); link && link->etag)
            f(*link->etag);
    }
    static bool has(const GDataEntryContact &contact, const QString &key);
};
struct GroupHref
{
    static void forEach(const GDataEntryContact &contact, const auto &f)
    {
        for (const GDataGroupMembershipInfo &membership : contact.groupMembershipInfos())
            f(membership.href);
    }
    static bool has(const GDataEntryContact &contact, const QString &key);
};
// The title as stored; a contact without title has none.
struct Title
{
    static void forEach(const GDataEntryContact &contact, const auto &f)
    {
        if (const std::optional<QString> &title = contact.title())
            f(*title);
    }
    static bool has(const GDataEntryContact &contact, const QString &key);
};
struct OrganizationName
{
    static void forEach(const GDataEntryContact &contact, const auto &f)
    {
        for (const GDataOrganization &organization : contact.organizations()) {
            if (organization.orgName)
                f(*organization.orgName);
        }
    }
    static bool has(const GDataEntryContact &contact, const QString &key);
};
// The folded words of the title (see namewords).
struct TitleWord
{
    static void forEach(const GDataEntryContact &contact, const auto &f)
    {
        for (const QString &word : titleWords(contact))
            f(word);
    }
    static bool has(const GDataEntryContact &contact, const QString &key);
    static QStringList titleWords(const GDataEntryContact &contact);
};

// A value of the contact's own program property (the one named by the preference
// googleContactExtendedPropertyName, when the contact has exactly one); the name is read when the
// index is built.
struct OwnPropertyValue
{
    explicit OwnPropertyValue(QString element)
        : element(std::move(element))
    {}
    void prepare();
    void forEach(const GDataEntryContact &contact, const auto &f) const
    {
        if (const QString *value = valueOf(contact))
            f(*value);
    }
    bool has(const GDataEntryContact &contact, const QString &key) const
    {
        const QString *value = valueOf(contact);
        return value && *value == key;
    }
    // Read in place: this runs once per contact for every index build and lookup.
    const QString *valueOf(const GDataEntryContact &contact) const;

    QString element;
    QString propertyName;
};
struct OwnABID : OwnPropertyValue
{
    OwnABID();
};
struct OwnGID : OwnPropertyValue
{
    OwnGID();
};

} // namespace contactkeys

class ContactIndex
{
public:
    using Contacts = std::vector<GDataEntryContactPtr>;
    // Most keys are held by one contact: such an answer is kept inline, without an allocation.
    using Found = QVarLengthArray<GDataEntryContactPtr, 2>;
    using Members = QList<GDataEntryContactPtr>;

    explicit ContactIndex(const Contacts &contacts)
        : m_contacts(contacts)
    {}
    ContactIndex(const ContactIndex &) = delete;
    ContactIndex &operator=(const ContactIndex &) = delete;

    // Forgets every key; the next lookup indexes the list as it then stands.
    void invalidate();

    Found withIdentifier(const QString &identifier);
    // Addresses compare without regard to case.
    Found withEmailAddress(const QString &address);
    Found withPhotoETag(const QString &etag);
    Members inGroup(const QString &groupHref);
    int countInGroup(const QString &groupHref);
    // The title as stored, exactly.
    Found withTitle(const QString &title);
    Found withOrganizationName(const QString &name);
    // The contacts whose own program property has the aID (gID).
    Found withOwnABID(const QString &abid);
    Found withOwnGID(const QString &gid);
    // The contacts whose title held the folded word when the list was indexed: the caller tests
    // each against its title as it now stands.
    Found candidatesWithTitleWord(const QString &foldedWord);
    int countWithTitleWord(const QString &foldedWord);

private:
    template <typename Keys> using Index = EntryKeyIndex<GDataEntryContact, Keys>;

    const Contacts &m_contacts;
    Index<contactkeys::Identifier> m_identifiers;
    Index<contactkeys::Email> m_emails;
    Index<contactkeys::PhotoETag> m_etags;
    Index<contactkeys::GroupHref> m_groups;
    Index<contactkeys::Title> m_titles;
    Index<contactkeys::OrganizationName> m_organizations;
    Index<contactkeys::TitleWord> m_titleWords;
    Index<contactkeys::OwnABID> m_abids;
    Index<contactkeys::OwnGID> m_gids;
};
