// The lookups answer from key indexes; these tests hold them to what a pass over the whole list
// answers, on random lists and after entries are changed in place.
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "google/lookups/namewords.h"

#include "tests/support/google/googleentrybuilders.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

using contactlookups::PersonNames;
using Contacts = std::vector<GDataEntryContactPtr>;

const QStringList kWords = {u"Anna"_qs, u"Ann"_qs,  u"Smith"_qs, u"Smyth"_qs, u"Zoë"_qs,
                            u"zoe"_qs,  u"Berg"_qs, u"Bo"_qs,    u"Li"_qs,    u"Alice"_qs};

GDataEntryContactPtr onlyOne(const QList<GDataEntryContactPtr> &found)
{
    return found.size() == 1 ? found.front() : nullptr;
}

template <typename Test> GDataEntryContactPtr linearOnlyOne(const Contacts &contacts, Test test)
{
    QList<GDataEntryContactPtr> found;
    for (const GDataEntryContactPtr &contact : contacts) {
        if (test(*contact))
            found.append(contact);
    }
    return onlyOne(found);
}

GDataEntryContactPtr linearContactForID(const Contacts &contacts, const QString &id)
{
    return linearOnlyOne(contacts,
                         [&](const GDataEntryContact &c) { return c.identifier() == id; });
}

GDataEntryContactPtr linearContactForEmail(const Contacts &contacts, const QString &address)
{
    return linearOnlyOne(contacts, [&](const GDataEntryContact &c) {
        return std::any_of(c.emailAddresses().begin(), c.emailAddresses().end(),
                           [&](const GDataEmail &e) {
                               return e.address.compare(address, Qt::CaseInsensitive) == 0;
                           });
    });
}

GDataEntryContactPtr linearContactForETag(const Contacts &contacts, const QString &etag)
{
    return linearOnlyOne(contacts, [&](const GDataEntryContact &c) {
        return c.photoLink() && c.photoLink()->ETag() == etag;
    });
}

QList<GDataEntryContactPtr> linearMembers(const Contacts &contacts, const QString &href)
{
    QList<GDataEntryContactPtr> found;
    for (const GDataEntryContactPtr &contact : contacts) {
        const auto &infos = contact->groupMembershipInfos();
        if (std::any_of(infos.begin(), infos.end(),
                        [&](const GDataGroupMembershipInfo &i) { return i.href == href; }))
            found.append(contact);
    }
    return found;
}

GDataEntryContactPtr linearContactForPersonNames(const Contacts &contacts, const QString &given,
                                                 const QString &last)
{
    if (GDataEntryContactPtr titled = linearOnlyOne(
            contacts, [&](const GDataEntryContact &c) { return c.title() == given + u' ' + last; }))
        return titled;
    const QStringList givenWords = namewords::foldedWords(given);
    const QStringList lastWords = namewords::foldedWords(last);
    return linearOnlyOne(contacts, [&](const GDataEntryContact &c) {
        const QStringList words = namewords::foldedWords(c.title().value_or(QString()));
        return namewords::holdsName(words, givenWords) && namewords::holdsName(words, lastWords);
    });
}

class LookupEquivalenceTest : public ::testing::Test
{
protected:
    QString pick(const QStringList &from) { return from[random.bounded(int(from.size()))]; }
    QString someID() { return u"c"_qs + QString::number(random.bounded(400)); }
    QString someEmail()
    {
        QString address = pick(kWords) + QString::number(random.bounded(30)) + u"@example.com"_qs;
        return random.bounded(2) ? address.toUpper() : address;
    }
    QString someTitle() { return pick(kWords) + u' ' + pick(kWords); }

    void randomise(GDataEntryContact &contact)
    {
        contact.setIdentifier(someID());
        contact.setTitle(random.bounded(10) ? std::optional(someTitle()) : std::nullopt);
        std::vector<GDataEmail> emails;
        for (int n = random.bounded(3); n > 0; --n)
            emails.push_back(GDataEmail::emailWithLabel(std::nullopt, someEmail()));
        contact.setEmailAddresses(emails);
        std::vector<GDataGroupMembershipInfo> memberships;
        for (int n = random.bounded(3); n > 0; --n)
            memberships.push_back(GDataGroupMembershipInfo::groupMembershipInfoWithHref(
                u"g"_qs + QString::number(random.bounded(6))));
        contact.setGroupMembershipInfos(memberships);
        const GDataEntryContactPtr photo =
            makeContact({{}, {}, {}, {}, u"e"_qs + QString::number(random.bounded(300))});
        contact.setLinks(random.bounded(2) ? photo->links() : std::vector<GDataLink>());
    }

    void fill(int count)
    {
        Contacts contacts;
        for (int i = 0; i < count; ++i) {
            contacts.push_back(std::make_shared<GDataEntryContact>());
            randomise(*contacts.back());
        }
        lists.setContacts(contacts);
    }

    void expectSameAnswersAsAPassOverTheList()
    {
        const Contacts &contacts = lists.contacts();
        for (int i = 0; i < 300; ++i) {
            const QString id = someID();
            EXPECT_EQ(contactlookups::contactForID(lists, id), linearContactForID(contacts, id))
                << id.toStdString();
            const QString email = someEmail();
            EXPECT_EQ(contactlookups::contactForEmailAddress(lists, email),
                      linearContactForEmail(contacts, email))
                << email.toStdString();
            const QString etag = u"e"_qs + QString::number(random.bounded(300));
            EXPECT_EQ(contactlookups::contactForETag(lists, etag),
                      linearContactForETag(contacts, etag));
            const QString href = u"g"_qs + QString::number(random.bounded(7));
            EXPECT_EQ(contactlookups::membersOfGroupID(lists, href), linearMembers(contacts, href));
            const QString given = pick(kWords);
            const QString last = pick(kWords);
            const PersonNames names{
                PersonNames::Kind::Person, given + u' ' + last, given, {}, {}, last};
            EXPECT_EQ(contactlookups::contactForName(lists, names),
                      linearContactForPersonNames(contacts, given, last))
                << names.expectedTitle.toStdString();
        }
    }

    QRandomGenerator random{20261210};
    GoogleContactLists lists;
};

TEST_F(LookupEquivalenceTest, IndexedLookups_AnswerAsAPassOverTheList)
{
    fill(600);
    expectSameAnswersAsAPassOverTheList();
}

TEST_F(LookupEquivalenceTest, EntriesChangedInPlace_AnswerAsAPassOverTheChangedList)
{
    fill(600);
    expectSameAnswersAsAPassOverTheList();
    for (const GDataEntryContactPtr &contact : lists.contacts()) {
        if (random.bounded(3) == 0)
            randomise(*contact);
    }
    lists.entriesChanged();
    expectSameAnswersAsAPassOverTheList();
}

TEST_F(LookupEquivalenceTest, KeyTakenAwayInPlace_IsNotFoundEvenBeforeTheChangeIsReported)
{
    lists.setContacts({makeContact({u"c1"_qs, u"Ann Berg"_qs, {u"ann@example.com"_qs}}),
                       makeContact({u"c2"_qs, u"Bo Berg"_qs, {u"bo@example.com"_qs}})});
    ASSERT_EQ(contactlookups::contactForEmailAddress(lists, u"ann@example.com"_qs),
              lists.contacts()[0]);
    // The address moves from one contact to the other; a stale index would still name the first.
    lists.contacts()[0]->setEmailAddresses({});
    lists.contacts()[1]->setEmailAddresses(
        {GDataEmail::emailWithLabel(std::nullopt, u"ann@example.com"_qs)});
    EXPECT_EQ(contactlookups::contactForEmailAddress(lists, u"ann@example.com"_qs),
              lists.contacts()[1]);
}

} // namespace
