#include "tests/support/google/abpersontestbook.h"
#include "tests/support/google/elementdescriptions.h"

#include "google/upload/googleelementkeys.h"
#include "google/upload/membershiplinks.h"
#include "google/upload/membershipmapping.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"
#include "platform/defaults/userdefaults.h"

#include <memory>

namespace {

const QString kMyContacts = QStringLiteral("http://g/groups/6");

struct Send
{
    bool readOnce; // one MembershipLinks for the whole send, else each contact on its own
    bool recursive;
};

// Several contacts built one after the other in one send: the memberships read once for the send
// are those each contact would get on its own, including a link found by name for one person that
// then counts as linked for the next.
class MembershipLinksTest : public ABPersonTest, public ::testing::WithParamInterface<Send>
{
protected:
    void SetUp() override
    {
        ABPersonTest::SetUp();
        groups.push_back(myContactsGroup(kMyContacts));
        for (const auto &[id, title] : {std::pair{"g/club", "Club"},
                                        {"g/parent", "Parent"},
                                        {"g/child", "Child"},
                                        {"g/lees", "Lees"},
                                        {"g/googleonly", "Made on Google"}}) {
            const GDataEntryContactGroupPtr group =
                GDataEntryContactGroup::contactGroupEntryWithTitle(title);
            group->setIdentifier(id);
            groups.push_back(group);
        }
        UserDefaults::standard().setInteger(GetParam().recursive ? 1 : 0,
                                            googlekeys::gmRecurseGroups);
    }

    QSet<QString> membershipsOf(GDataEntryContact &contact, const PersonPtr &person)
    {
        if (GetParam().readOnce) {
            if (!links)
                links = std::make_unique<MembershipLinks>(groups);
            links->abMembershipsFor(contact, person, kMyContacts);
        } else {
            membershipmapping::abMembershipsFor(contact, person, groups, kMyContacts);
        }
        const QStringList held = describe(contact.groupMembershipInfos());
        return QSet<QString>(held.cbegin(), held.cend());
    }

    std::vector<GDataEntryContactGroupPtr> groups;
    std::unique_ptr<MembershipLinks> links;
};

TEST_P(MembershipLinksTest, EachContactGetsTheMembershipsItWouldGetAlone)
{
    const PersonPtr lee = addPerson("Lee", "Lee");
    const PersonPtr ann = addPerson("Ann");
    const PersonPtr bob = addPerson("Bob");
    const PersonPtr outside = Person::create();
    const GroupPtr club = addGroup("Club"); // linked by its name when first asked
    const GroupPtr parent = addGroup("Parent", "g/parent");
    const GroupPtr child = addGroup("Child", "g/child");
    ASSERT_TRUE(parent->addSubgroup(child));
    club->addMember(ann);
    child->addMember(ann);
    const GroupPtr lees = Group::createSmartGroup(
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                   QStringLiteral("Lee"), SearchElement::Comparison::Equal));
    lees->setValueForProperty(QStringLiteral("Lees"), kABGroupNameProperty);
    lees->setValueForProperty(QStringLiteral("g/lees"), kGroupIDProperty);
    AddressBook::shared()->addRecord(lees);

    QSet<QString> ofAnn{kMyContacts, "g/club", "g/child"};
    if (GetParam().recursive)
        ofAnn.insert("g/parent");
    struct Case
    {
        PersonPtr person;
        std::vector<GDataGroupMembershipInfo> held;
        QSet<QString> expected;
    };
    // In this order: Lee's contact is built before Club is found by name, Bob's after.
    const Case cases[] = {
        {lee, {}, {kMyContacts, "g/lees"}},
        {ann, {{"g/lees"}}, ofAnn},
        // Bob has left Club and Parent; the group made on Google stays.
        {bob, {{"g/club"}, {"g/googleonly"}, {"g/parent"}}, {kMyContacts, "g/googleonly"}},
        {outside, {{"g/child"}}, {kMyContacts}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.person->valueForProperty(kABFirstNameProperty).toString().toStdString());
        GDataEntryContact contact;
        contact.setGroupMembershipInfos(c.held);
        EXPECT_EQ(membershipsOf(contact, c.person), c.expected);
    }
    EXPECT_EQ(club->valueForProperty(kGroupIDProperty).toString(), "g/club");
}

INSTANTIATE_TEST_SUITE_P(Sends, MembershipLinksTest,
                         ::testing::Values(Send{true, false}, Send{true, true}, Send{false, false},
                                           Send{false, true}),
                         [](const ::testing::TestParamInfo<Send> &info) {
                             return std::string(info.param.readOnce ? "ReadOnce" : "PerContact") +
                                    (info.param.recursive ? "Nested" : "Direct");
                         });

} // namespace
