#include "tests/support/google/abpersontestbook.h"
#include "tests/support/google/googleentrybuilders.h"
#include "tests/support/google/uploadservertest.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/text/textdate.h"
#include "google/batch/batchwriteback.h"
#include "google/engine/googlecontactlists.h"
#include "google/engine/googlekeys.h"
#include "google/upload/uploaddecisions.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <functional>

namespace {

using uploaddecisions::UploadAction;

const QString kMask = QStringLiteral("dm1111111111001");
const QString kAsOfProperty = QStringLiteral("com.test.googleAsOf");
const QString kMyContacts = QStringLiteral("g/mycontacts");

QString versionOf(const PersonPtr &person)
{
    return textdate::format(person->valueForProperty(kABModificationDateProperty).toDateTime());
}

class UploadDecisionsTest : public ABPersonTest
{
public:
    // The table's arrangers build through the fixture.
    using ABPersonTest::addCompany;
    using ABPersonTest::addGroup;
    using ABPersonTest::addPerson;

    void SetUp() override
    {
        ABPersonTest::SetUp();
        UserDefaults::standard().setString(kAsOfProperty,
                                           abkeys::googleContactAsOfDatePropertyName);
        AddressBook::shared()->addPropertiesAndTypes(RecordClass::Person,
                                                     {{kAsOfProperty, PropertyType::String}});
        options.people = true;
        options.companies = true;
        options.memberships = true;
        options.smartGroups = true;
        options.dataMask = kMask;
        options.extendedPropertyName = kContactExtended;
        googleGroups.push_back(myContactsGroup(kMyContacts));
        googleGroups.push_back(makeGroup("g/club", QStringLiteral("Club")));
        googleGroups.push_back(makeGroup("g/googleonly", QStringLiteral("Only on Google")));
    }

    // A contact linked to the person by its record identifier, last written with that version
    // text of the record, its as-of stamp the given seconds before Google's updated date.
    GDataEntryContactPtr linkedContact(const PersonPtr &person, const QString &version,
                                       QStringList hrefs = {kMyContacts}, double asOfLag = 0)
    {
        const QDateTime updated =
            QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 3600);
        const GDataEntryContactPtr contact =
            makeContact({"c/" + person->uniqueId(), person->uniqueId(), {}, hrefs});
        contact->setUpdatedDate(updated);
        contact->addExtendedProperty(
            makeProperty(kContactExtended,
                         {{"aID", person->uniqueId()},
                          {kMask, version},
                          {"asOf", textdate::format(updated.addMSecs(qint64(-asOfLag * 1000)))}}));
        contacts.push_back(contact);
        return contact;
    }

    uploaddecisions::UploadDecision decide(const PersonPtr &person)
    {
        lists.setGroups(googleGroups);
        lists.setContacts(contacts);
        lists.setContactListComplete(true);
        lists.setGroupListComplete(true);
        return uploaddecisions::decisionForABPerson(lists, person, options);
    }

    uploaddecisions::ContactDecisionOptions options;
    std::vector<GDataEntryContactGroupPtr> googleGroups;
    std::vector<GDataEntryContactPtr> contacts;
    GoogleContactLists lists;
};

struct ContactCase
{
    const char *name;
    // Builds the person and its contact (if any) and returns the person.
    std::function<PersonPtr(UploadDecisionsTest &)> arrange;
    UploadAction expected;
};

class ContactDecisionTable : public UploadDecisionsTest,
                             public ::testing::WithParamInterface<ContactCase>
{
};

TEST_P(ContactDecisionTable, DecidesAddUpdateOrSkip)
{
    const PersonPtr person = GetParam().arrange(*this);
    const uploaddecisions::UploadDecision decision = decide(person);
    EXPECT_EQ(decision.action, GetParam().expected);
    if (decision.action == UploadAction::Update) {
        ASSERT_TRUE(decision.googleObj);
        EXPECT_EQ(decision.googleObj->identifier(), "c/" + person->uniqueId());
    } else {
        EXPECT_FALSE(decision.googleObj);
    }
}

PersonPtr inClub(UploadDecisionsTest &t, const PersonPtr &person)
{
    const GroupPtr club = t.addGroup("Club", "g/club");
    club->addMember(person);
    return person;
}

const ContactCase kContactCases[] = {
    {"NewPerson_Add", [](UploadDecisionsTest &t) { return t.addPerson("Ann", "Lee"); },
     UploadAction::Add},
    {"NewCompany_Add", [](UploadDecisionsTest &t) { return t.addCompany("Acme"); },
     UploadAction::Add},
    {"LinkedUnchanged_Skip",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         t.linkedContact(p, versionOf(p));
         return p;
     },
     UploadAction::Skip},
    {"LinkedRecordChanged_Update",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         t.linkedContact(p, textdate::format(QDateTime::currentDateTime().addSecs(-60)));
         return p;
     },
     UploadAction::Update},
    {"LinkedOptionsChanged_Update",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         t.linkedContact(p, versionOf(p));
         t.options.dataMask = "dm0000000000001";
         return p;
     },
     UploadAction::Update},
    {"ChangedOnGoogleExactly20Seconds_Skip",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         t.linkedContact(p, versionOf(p), {kMyContacts}, 20.0);
         return p;
     },
     UploadAction::Skip},
    {"ChangedOnGoogle21Seconds_Update",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         t.linkedContact(p, versionOf(p), {kMyContacts}, 21.0);
         return p;
     },
     UploadAction::Update},
    {"OnlyTheStampedLinkWriteBackTouchedTheRecord_Skip",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         batchwriteback::writeContactLinks(p, *t.linkedContact(p, versionOf(p)), true);
         return p;
     },
     UploadAction::Skip},
    {"OnlyTheUnstampedLinkWriteBackTouchedTheRecord_Skip",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         p->setValueForProperty(textdate::format(QDateTime::currentDateTime()), kAsOfProperty);
         batchwriteback::writeContactLinks(p, *t.linkedContact(p, versionOf(p)), false);
         return p;
     },
     UploadAction::Skip},
    {"EditedHalfASecondAfterTheLinkWriteBack_Update",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         batchwriteback::writeContactLinks(p, *t.linkedContact(p, versionOf(p)), true);
         waitBeforeEditing(p);
         p->setValueForProperty(QStringLiteral("Leeds"), kABLastNameProperty);
         return p;
     },
     UploadAction::Update},
    {"LinkedGroupMembershipHeld_Skip",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = inClub(t, t.addPerson("Ann", "Lee"));
         t.linkedContact(p, versionOf(p), {kMyContacts, "g/club"});
         return p;
     },
     UploadAction::Skip},
    {"GoogleOnlyMembershipDoesNotCount_Skip",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = t.addPerson("Ann", "Lee");
         t.linkedContact(p, versionOf(p), {kMyContacts, "g/googleonly"});
         return p;
     },
     UploadAction::Skip},
    {"JoinedLinkedGroup_Update",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = inClub(t, t.addPerson("Ann", "Lee"));
         t.linkedContact(p, versionOf(p), {kMyContacts});
         return p;
     },
     UploadAction::Update},
    {"LeftLinkedGroup_Update",
     [](UploadDecisionsTest &t) {
         t.addGroup("Club", "g/club");
         const PersonPtr p = t.addPerson("Ann", "Lee");
         t.linkedContact(p, versionOf(p), {kMyContacts, "g/club"});
         return p;
     },
     UploadAction::Update},
    {"MembershipsOptionOff_MembershipsDoNotDecide",
     [](UploadDecisionsTest &t) {
         const PersonPtr p = inClub(t, t.addPerson("Ann", "Lee"));
         t.linkedContact(p, versionOf(p), {kMyContacts});
         t.options.memberships = false;
         return p;
     },
     UploadAction::Skip},
};

INSTANTIATE_TEST_SUITE_P(Cases, ContactDecisionTable, ::testing::ValuesIn(kContactCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(UploadDecisionsTest, Scope_KindsAndTheMeRecordFollowTheOptions)
{
    const PersonPtr person = addPerson("Ann", "Lee");
    const PersonPtr company = addCompany("Acme");
    options.me = person;
    struct Case
    {
        bool people, companies, neverMoveMe, personIn, companyIn;
    };
    const Case cases[] = {
        {true, true, false, true, true},   {true, false, false, true, false},
        {false, true, false, false, true}, {false, false, false, false, false},
        {true, true, true, false, true},
    };
    for (const Case &c : cases) {
        options.people = c.people;
        options.companies = c.companies;
        options.neverMoveMeCard = c.neverMoveMe;
        EXPECT_EQ(uploaddecisions::isInScope(person, options), c.personIn)
            << c.people << c.companies << c.neverMoveMe;
        EXPECT_EQ(uploaddecisions::isInScope(company, options), c.companyIn)
            << c.people << c.companies << c.neverMoveMe;
    }
}

TEST_F(UploadDecisionsTest, SmartGroupMembershipsCountOnlyWithTheirOption)
{
    const PersonPtr person = addPerson("Ann", "Lee");
    const GroupPtr smart = Group::createSmartGroup(
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                   QStringLiteral("Lee"), SearchElement::Comparison::Equal));
    smart->setValueForProperty(QStringLiteral("Lees"), kABGroupNameProperty);
    AddressBook::shared()->addRecord(smart);
    googleGroups.push_back(makeGroup("g/lees", QStringLiteral("Lees")));
    smart->setValueForProperty(QStringLiteral("g/lees"), kGroupIDProperty);
    linkedContact(person, versionOf(person), {kMyContacts});

    options.smartGroups = false;
    EXPECT_EQ(decide(person).action, UploadAction::Skip);
    options.smartGroups = true;
    EXPECT_EQ(decide(person).action, UploadAction::Update);
}

TEST_F(UploadDecisionsTest, Groups_AddStampOrUpdateByName)
{
    googleGroups.push_back(makeGroup("g/renamed", QStringLiteral("Old name")));
    lists.setGroups(googleGroups);
    lists.setGroupListComplete(true);

    const GroupPtr fresh = addGroup("Fresh");
    EXPECT_EQ(uploaddecisions::decisionForABGroup(lists, fresh).action, UploadAction::Add);

    const GroupPtr found = addGroup("Club");
    const uploaddecisions::UploadDecision stamped =
        uploaddecisions::decisionForABGroup(lists, found);
    EXPECT_EQ(stamped.action, UploadAction::Skip);
    EXPECT_EQ(found->valueForProperty(kGroupIDProperty).toString(), "g/club");
    EXPECT_EQ(uploaddecisions::decisionForABGroup(lists, found).action, UploadAction::Skip);

    const GroupPtr renamed = addGroup("New name", "g/renamed");
    const uploaddecisions::UploadDecision update =
        uploaddecisions::decisionForABGroup(lists, renamed);
    EXPECT_EQ(update.action, UploadAction::Update);
    ASSERT_TRUE(update.googleObj);
    EXPECT_EQ(update.googleObj->identifier(), "g/renamed");
}

} // namespace
