// The keys the contact lookups search by, each indexed on first use over the engine's contact
// list. Every answer lists the contacts in list order.
#pragma once

#include "google/entrykeyindex.h"
#include "platform/gdata/gdataentrycontact.h"

#include <QList>

class ContactIndex
{
public:
    using Contacts = std::vector<GDataEntryContactPtr>;
    using Found = QList<GDataEntryContactPtr>;

    explicit ContactIndex(const Contacts &contacts);
    ContactIndex(const ContactIndex &) = delete;
    ContactIndex &operator=(const ContactIndex &) = delete;

    // Forgets every key; the next lookup indexes the list as it then stands.
    void invalidate();

    Found withIdentifier(const QString &identifier);
    // Addresses compare without regard to case.
    Found withEmailAddress(const QString &address);
    Found withPhotoETag(const QString &etag);
    Found inGroup(const QString &groupHref);
    // The title as stored, exactly.
    Found withTitle(const QString &title);
    Found withOrganizationName(const QString &name);
    // The contacts whose title holds the word (see namewords).
    Found withTitleWord(const QString &foldedWord);

private:
    const Contacts &m_contacts;
    EntryKeyIndex<GDataEntryContact> m_identifiers;
    EntryKeyIndex<GDataEntryContact> m_emails;
    EntryKeyIndex<GDataEntryContact> m_etags;
    EntryKeyIndex<GDataEntryContact> m_groups;
    EntryKeyIndex<GDataEntryContact> m_titles;
    EntryKeyIndex<GDataEntryContact> m_organizations;
    EntryKeyIndex<GDataEntryContact> m_titleWords;
};
