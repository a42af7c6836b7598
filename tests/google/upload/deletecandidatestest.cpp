#include "tests/support/google/abpersontestbook.h"
#include "tests/support/google/googleentrybuilders.h"

#include "google/engine/googlecontactlists.h"
#include "google/upload/deletecandidates.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

namespace {

QStringList idsOf(const QList<GDataEntryContactPtr> &contacts)
{
    QStringList ids;
    for (const GDataEntryContactPtr &contact : contacts)
        ids.append(contact->identifier());
    return ids;
}

class DeleteCandidatesTest : public ABPersonTest
{
protected:
    // A contact linked to the person through the Google identifier the person stores.
    void linkContact(const PersonPtr &person, const QString &id)
    {
        person->setValueForProperty(id, kContactIDProperty);
        contacts.push_back(makeContact({id, person->uniqueId()}));
    }

    void setLists()
    {
        lists.setGroups(groups);
        lists.setContacts(contacts);
        lists.setContactListComplete(true);
        lists.setGroupListComplete(true);
    }

    std::vector<GDataEntryContactGroupPtr> groups;
    std::vector<GDataEntryContactPtr> contacts;
    GoogleContactLists lists;
};

TEST_F(DeleteCandidatesTest, ABRecords_EachContactOnce_MeKeptOnlyWhenAsked)
{
    const PersonPtr me = addPerson("Me", "Self");
    ASSERT_TRUE(AddressBook::shared()->setMe(me));
    const PersonPtr ann = addPerson("Ann", "Lee");
    linkContact(me, "c/me");
    linkContact(ann, "c/ann");
    contacts.push_back(makeContact({"c/other", QStringLiteral("Someone else")}));
    setLists();

    const QList<PersonPtr> records{me, ann, ann};
    EXPECT_EQ(idsOf(deletecandidates::contactsOfABRecords(lists, records, true)),
              QStringList{"c/ann"});
    EXPECT_EQ(idsOf(deletecandidates::contactsOfABRecords(lists, records, false)),
              (QStringList{"c/me", "c/ann"}));
}

TEST_F(DeleteCandidatesTest, NoNameAndNoGroupAndGroupMembers)
{
    groups.push_back(makeGroup("g/club", QStringLiteral("Club")));
    groups.push_back(makeGroup("g/twin1", QStringLiteral("Twin")));
    groups.push_back(makeGroup("g/twin2", QStringLiteral("Twin")));
    contacts.push_back(makeContact({"c/noname", std::nullopt}));
    contacts.push_back(makeContact({"c/company", std::nullopt, {}, {"g/club"}, {}, {"Acme"}}));
    contacts.push_back(makeContact({"c/member", QStringLiteral("Ann"), {}, {"g/club"}}));
    contacts.push_back(makeContact({"c/twin", QStringLiteral("Bob"), {}, {"g/twin1"}}));
    setLists();

    EXPECT_EQ(idsOf(deletecandidates::noNameContacts(lists)), QStringList{"c/noname"});
    EXPECT_EQ(idsOf(deletecandidates::noGroupContacts(lists)), QStringList{"c/noname"});
    const auto club = deletecandidates::membersOfGroupWithTitle(lists, "Club");
    ASSERT_TRUE(club);
    const QStringList members = idsOf(*club);
    EXPECT_EQ(QSet<QString>(members.cbegin(), members.cend()),
              (QSet<QString>{"c/company", "c/member"}));
    EXPECT_FALSE(deletecandidates::membersOfGroupWithTitle(lists, "Twin"));
    EXPECT_FALSE(deletecandidates::membersOfGroupWithTitle(lists, "Nobody"));
}

} // namespace
