#include "tests/loader/window/dataloadertest.h"

#include "addressbook/google/linkproperties.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlecontacttool.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

using Action = std::function<void(DataMoverWindowController &)>;

PersonPtr addPerson(const QString &first, const QString &last, const QString &email = {})
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(first, kABFirstNameProperty);
    person->setValueForProperty(last, kABLastNameProperty);
    if (!email.isEmpty()) {
        MutableMultiValue values(PropertyType::MultiString);
        values.addValue(email, kABWorkLabel);
        person->setValueForProperty(QVariant::fromValue(MultiValue(values)), kABEmailProperty);
    }
    AddressBook::shared()->addRecord(person);
    return person;
}

GroupPtr addGroup(const QString &name, const QList<PersonPtr> &members)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    for (const PersonPtr &person : members)
        group->addMember(person);
    return group;
}

// The book at hand: Me, four people, a company, three plain groups (one named like a key word,
// one like the Google group) and a smart group; on Google a group "Team" with Ann and an
// address-only contact for Dan, and Cara in no group.
class ConfirmedActionsTest : public DataLoaderTest
{
protected:
    void SetUp() override
    {
        DataLoaderTest::SetUp();
        ann = addPerson("Ann", "Lee", "ann@example.org");
        ben = addPerson("Ben", "Work");
        cara = addPerson("Cara", "Solo", "cara@example.org");
        addPerson("Dan", "", "dan@example.org");
        const PersonPtr acme = Person::create();
        acme->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
        acme->setValueForProperty(kABShowAsCompany, kABPersonFlags);
        AddressBook::shared()->addRecord(acme);
        addGroup("Work people", {ann, ben});
        addGroup("people", {cara});
        addGroup("Team", {});
        const GroupPtr lees = Group::createSmartGroup(
            SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                       QStringLiteral("Lee"), SearchElement::Comparison::Equal));
        lees->setValueForProperty(QStringLiteral("Lees"), kABGroupNameProperty);
        AddressBook::shared()->addRecord(lees);
        ASSERT_TRUE(AddressBook::shared()->save());

        auto team = std::make_shared<GDataEntryContactGroup>();
        team->setTitle(QStringLiteral("Team"));
        const QStringList groupIDs = server.seedGroups(kAccount, {team});
        auto annContact = std::make_shared<GDataEntryContact>();
        annContact->setTitle(QStringLiteral("Ann Lee"));
        annContact->setEmailAddresses({{"ann@example.org", std::nullopt, std::nullopt, true}});
        annContact->setGroupMembershipInfos(
            {GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupIDs.front())});
        auto caraContact = std::make_shared<GDataEntryContact>();
        caraContact->setTitle(QStringLiteral("Cara Solo"));
        caraContact->setEmailAddresses({{"cara@example.org", std::nullopt, std::nullopt, true}});
        auto addressOnly = std::make_shared<GDataEntryContact>();
        addressOnly->setEmailAddresses({{"dan@example.org", std::nullopt, std::nullopt, true}});
        addressOnly->setGroupMembershipInfos(
            {GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupIDs.front())});
        server.seedContacts(kAccount, {annContact, caraContact, addressOnly});
        ASSERT_TRUE(openLoader());
        ASSERT_EQ(tool()->contactArray().size(), 3u);
    }

    // Every record of the book: "P:" people and "C:" companies by name, "G:" groups, sorted.
    static QStringList book()
    {
        QStringList names;
        const PersonPtr me = AddressBook::shared()->me();
        for (const PersonPtr &person : AddressBook::shared()->people()) {
            if (person == me)
                names << QStringLiteral("Me");
            else if (person->valueForProperty(kABPersonFlags).toInt() & kABShowAsCompany)
                names << QStringLiteral("C:") + person->valueForProperty(kABOrganizationProperty).toString();
            else
                names << QStringLiteral("P:%1 %2").arg(person->valueForProperty(kABFirstNameProperty).toString(),
                                                       person->valueForProperty(kABLastNameProperty).toString()).trimmed();
        }
        for (const GroupPtr &group : AddressBook::shared()->groups())
            names << QStringLiteral("G:") + group->valueForProperty(kABGroupNameProperty).toString();
        names.sort();
        return names;
    }

    // Runs the action with the sheet answered and waits until its handler has run: for a
    // download, until the download flag is written back.
    bool run(const Action &action, int answer, bool download)
    {
        UserDefaults &ud = UserDefaults::standard();
        ud.setBool(false, googlekeys::abUpdateRemoveABGroups);
        const qsizetype before = prompter.shown().size();
        prompter.answer(answer);
        action(*loader);
        if (!runUntil([&] { return prompter.shown().size() > before; }))
            return false;
        if (download && answer != kAlertFirstButtonReturn)
            return runUntil([&] { return ud.boolForKey(googlekeys::abUpdateRemoveABGroups); }, 60000);
        QElapsedTimer spin;
        spin.start();
        while (spin.elapsed() < 50)
            QCoreApplication::processEvents();
        return true;
    }

    Prompt sheetAt(qsizetype index) const { return prompter.shown().at(index).prompt; }

    PersonPtr ann, ben, cara;
};

struct DeletionCase
{
    const char *name;
    Action action;
    QString title;
    QStringList removed;
};

void PrintTo(const DeletionCase &c, std::ostream *os)
{
    *os << c.name;
}

class ConfirmedDeletionTest : public ConfirmedActionsTest,
                              public testing::WithParamInterface<DeletionCase>
{};

TEST_P(ConfirmedDeletionTest, RemovesItsRecordsAndCancelRemovesNothing)
{
    const DeletionCase &c = GetParam();
    const QStringList all = book();
    const qsizetype shown = prompter.shown().size();
    ASSERT_TRUE(run(c.action, kAlertFirstButtonReturn, false));
    EXPECT_EQ(sheetAt(shown).message, c.title);
    EXPECT_EQ(sheetAt(shown).buttons.front(), "Cancel");
    EXPECT_EQ(book(), all);
    ASSERT_TRUE(run(c.action, kAlertSecondButtonReturn, false));
    QStringList expected = all;
    for (const QString &gone : c.removed)
        expected.removeOne(gone);
    EXPECT_EQ(book(), expected);
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
}

INSTANTIATE_TEST_SUITE_P(
    EachDeletion, ConfirmedDeletionTest,
    testing::Values(
        DeletionCase{"AllSmartGroups", [](auto &l) { l.removeABAllSmartGroups(); },
                     "Delete ALL of the Address Book's Smart Groups?", {"G:Lees"}},
        DeletionCase{"AllPlainGroups", [](auto &l) { l.removeABAllManualGroups(); },
                     "Delete ALL of the Address Book's non-Smart Groups",
                     {"G:Work people", "G:people", "G:Team"}},
        DeletionCase{"AGroupNamedLikeAKeyWord", [](auto &l) { l.removeABGroup("people"); },
                     "Delete the Address Book Group: people", {"G:people"}},
        DeletionCase{"AGroupByTheGoogleMenu",
                     [](auto &l) { l.removeABGoogleGroup("Work people"); },
                     "Delete the Address Book Group: Work people", {"G:Work people"}},
        DeletionCase{"TheMembersOfWorkPeople",
                     [](auto &l) { l.removeABGroupMembers("Work people"); },
                     "Delete all members of the Address Book Group: Work people",
                     {"P:Ann Lee", "P:Ben Work"}},
        DeletionCase{"AllCompanies", [](auto &l) { l.removeABAllCompanies(); },
                     "Delete ALL Address Book Companies", {"C:Acme"}},
        DeletionCase{"AllPeopleMeKept", [](auto &l) { l.removeABAllPeople(); },
                     "Delete ALL Address Book Contacts",
                     {"P:Ann Lee", "P:Ben Work", "P:Cara Solo", "P:Dan"}},
        DeletionCase{"TheMembersOfAGoogleGroup",
                     [](auto &l) { l.removeABGoogleGroupMembers("Team"); },
                     "Delete from Address Book all members of the Google Group: Team",
                     {"P:Ann Lee", "P:Dan"}},
        DeletionCase{"EveryGoogleContactsPerson", [](auto &l) { l.removeABAllGoogleContacts(); },
                     "Delete from Address Book ALL Google Contacts",
                     {"P:Ann Lee", "P:Cara Solo", "P:Dan"}},
        DeletionCase{"ThePersonsOfAddressOnlyContacts",
                     [](auto &l) { l.removeABGoogleOnlyEmailContacts(); },
                     "Delete from Address Book ALL Email-Address-Only Google Contacts?", {"P:Dan"}},
        DeletionCase{"ThePersonsOfNoGroupContacts",
                     [](auto &l) { l.removeABGoogleNoGroupContacts(); },
                     "Delete from Address Book ALL Google Contacts who are not a member of any "
                     "Google Group",
                     {"P:Cara Solo"}},
        DeletionCase{"AllGroupsFoundOnGoogle", [](auto &l) { l.removeABAllGoogleGroups(); },
                     "Delete ALL the Address Book Groups which are found on Google?", {"G:Team"}}),
    [](const testing::TestParamInfo<DeletionCase> &info) { return std::string(info.param.name); });

} // namespace
