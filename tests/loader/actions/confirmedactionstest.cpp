#include "tests/loader/window/dataloadertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "foundation/propertylist.h"
#include "foundation/zeltorfiletool.h"
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

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QTemporaryDir>

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
// one like the Google group) and a smart group. On Google a group "Team" with Ann and two
// address-only contacts (Dan's, who is in the book, and Fay's, who is not), Cara in no group, and
// a group "Crew" whose one member, Eve, is not in the book.
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
        auto crew = std::make_shared<GDataEntryContactGroup>();
        crew->setTitle(QStringLiteral("Crew"));
        const QString crewID = server.seedGroups(kAccount, {crew}).front();
        auto eve = std::make_shared<GDataEntryContact>();
        eve->setTitle(QStringLiteral("Eve Crew"));
        eve->setGroupMembershipInfos({GDataGroupMembershipInfo::groupMembershipInfoWithHref(crewID)});
        auto fay = std::make_shared<GDataEntryContact>();
        fay->setEmailAddresses({{"fay@example.org", std::nullopt, std::nullopt, true}});
        fay->setGroupMembershipInfos(
            {GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupIDs.front())});
        contactIDs = server.seedContacts(kAccount, {annContact, caraContact, addressOnly, eve, fay});
        beforeOpen();
        ASSERT_TRUE(openLoader());
        ASSERT_EQ(tool()->contactArray().size(), 5u);
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
    virtual void beforeOpen() {}

    PersonPtr ann, ben, cara;
    QStringList contactIDs; // Ann, Cara, Dan's address, Eve, Fay's address
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

struct DownloadCase
{
    const char *name;
    Action action;
    int answer;
    QString title;
    QStringList added;
};

void PrintTo(const DownloadCase &c, std::ostream *os)
{
    *os << c.name;
}

class ConfirmedDownloadTest : public ConfirmedActionsTest,
                              public testing::WithParamInterface<DownloadCase>
{};

TEST_P(ConfirmedDownloadTest, AddsWhatItDownloadsAndWritesTheFlagBack)
{
    const DownloadCase &c = GetParam();
    const QStringList all = book();
    const qsizetype shown = prompter.shown().size();
    ASSERT_TRUE(run(c.action, kAlertFirstButtonReturn, true));
    EXPECT_EQ(book(), all);
    EXPECT_FALSE(UserDefaults::standard().boolForKey(googlekeys::abUpdateRemoveABGroups));
    ASSERT_TRUE(run(c.action, c.answer, true));
    EXPECT_EQ(sheetAt(shown).message, c.title);
    QStringList expected = all + c.added;
    expected.sort();
    EXPECT_EQ(book(), expected);
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
}

INSTANTIATE_TEST_SUITE_P(
    EachDownload, ConfirmedDownloadTest,
    testing::Values(
        DownloadCase{"JustCreateTheGroup", [](auto &l) { l.downloadFromGoogleGoogleGroup("Crew"); },
                     kAlertSecondButtonReturn, "Create an Address Book Group named: Crew?",
                     {"G:Crew"}},
        DownloadCase{"CreateTheGroupAndItsMembers",
                     [](auto &l) { l.downloadFromGoogleGoogleGroup("Crew"); },
                     kAlertThirdButtonReturn, "Create an Address Book Group named: Crew?",
                     {"G:Crew", "P:Eve Crew"}},
        DownloadCase{"OnlyTheMembers",
                     [](auto &l) { l.downloadFromGoogleGoogleGroupMembers("Crew"); },
                     kAlertSecondButtonReturn, "Download all members of the Google Group: Crew?",
                     {"P:Eve Crew"}},
        DownloadCase{"TheGroupAndTheMembers",
                     [](auto &l) { l.downloadFromGoogleGoogleGroupMembers("Crew"); },
                     kAlertThirdButtonReturn, "Download all members of the Google Group: Crew?",
                     {"G:Crew", "P:Eve Crew"}},
        DownloadCase{"AllContacts", [](auto &l) { l.downloadFromGoogleAllGoogleContacts(); },
                     kAlertSecondButtonReturn, "Download all 5 Google Contacts into Address Book?",
                     {"P:Eve Crew", "P:"}},
        DownloadCase{"AddressOnlyContactsNotInTheBook",
                     [](auto &l) { l.downloadFromGoogleOnlyEmailContacts(); },
                     kAlertSecondButtonReturn,
                     "Download any Google Contact who has only an email address (typically these "
                     "were created by GMail)?",
                     {"P:"}},
        DownloadCase{"NoGroupContacts", [](auto &l) { l.downloadFromGoogleNoGroupContacts(); },
                     kAlertSecondButtonReturn,
                     "Download any Google Contact who IS NOT a member of ANY Google Group?", {}},
        DownloadCase{"People", [](auto &l) { l.downloadFromGooglePeople(); },
                     kAlertSecondButtonReturn,
                     "Download the current Google information for any  \"Person\" record in  "
                     "Address Book?",
                     {}},
        DownloadCase{"Companies", [](auto &l) { l.downloadFromGoogleCompanies(); },
                     kAlertSecondButtonReturn,
                     "Download the current Google information for any \"Company\" record in  "
                     "Address Book?",
                     {}},
        DownloadCase{"ABGroupMembers",
                     [](auto &l) { l.downloadFromGoogleABGroupMembers("Work people"); },
                     kAlertSecondButtonReturn,
                     "Download the current Google information for all Google Contac members of "
                     "the Address Book Group: Work people?",
                     {}}),
    [](const testing::TestParamInfo<DownloadCase> &info) { return std::string(info.param.name); });

// The options that protect a kind of record hold for the deletions too.
TEST_F(ConfirmedActionsTest, ProtectedKindsStay)
{
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(true, abkeys::abUpdateNeverRemoveSmartGroups);
    ud.setBool(true, abkeys::abUpdateNeverRemovePeople);
    const QStringList all = book();
    for (const Action &protectedOnes : std::initializer_list<Action>{
             [](auto &l) { l.removeABAllSmartGroups(); }, [](auto &l) { l.removeABAllPeople(); },
             [](auto &l) { l.removeABAllGoogleContacts(); }}) {
        ASSERT_TRUE(run(protectedOnes, kAlertSecondButtonReturn, false));
        EXPECT_EQ(book(), all);
    }
    ASSERT_TRUE(run([](auto &l) { l.removeABAllCompanies(); }, kAlertSecondButtonReturn, false));
    QStringList withoutAcme = all;
    withoutAcme.removeOne("C:Acme");
    EXPECT_EQ(book(), withoutAcme);
}

TEST_F(ConfirmedActionsTest, AnEmptySetShowsItsSheetAndStillWritesTheFlagBack)
{
    struct Case
    {
        Action action;
        QString sheet;
    };
    const Case cases[] = {
        {[](auto &l) { l.downloadFromGoogleABGroupMembers("Nobody"); },
         "No Google Contacts are members of Address Book Group \"Nobody\"!"},
        {[](auto &l) { l.downloadFromGoogleGoogleGroupMembers("Nobody"); },
         "There are no members of the Google Group \"Nobody\"!"},
        {[](auto &l) { l.downloadFromGoogleGoogleGroup("Nobody"); }, "There is no Google Group \"Nobody\"!"},
    };
    const QStringList all = book();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sheet.toStdString());
        ASSERT_TRUE(run(c.action, kAlertSecondButtonReturn, true));
        EXPECT_EQ(prompter.shown().back().prompt.message, c.sheet);
        EXPECT_EQ(prompter.shown().back().prompt.buttons, QStringList{"OK"});
        EXPECT_EQ(book(), all);
    }
}

// The download reads Google again first: a contact made since the window's last fetch is found,
// and its person keeps the link.
TEST_F(ConfirmedActionsTest, AContactMadeJustBeforeADownloadKeepsItsPersonsLink)
{
    const PersonPtr gil = addPerson("Gil", "New");
    auto contact = std::make_shared<GDataEntryContact>();
    contact->setTitle(QStringLiteral("Gil New"));
    contact->setContentWithString(QStringLiteral("from Google"));
    const QString id = server.seedContacts(kAccount, {contact}).front();
    AddressBookTool::setGoogleID(id, gil);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_EQ(tool()->contactArray().size(), 5u);
    ASSERT_TRUE(run([](auto &l) { l.downloadFromGooglePeople(); }, kAlertSecondButtonReturn, true));
    EXPECT_EQ(gil->valueForProperty(AddressBookTool::contactIDPropertyName()).toString(), id);
    EXPECT_EQ(gil->valueForProperty(kABNoteProperty).toString(), "from Google");
}

// A contact with neither title nor address (a phone only) cannot be told apart from one already
// downloaded: it is left out, so repeated downloads do not pile up persons.
TEST_F(ConfirmedActionsTest, TheAddressOnlyDownloadTwiceMakesEachPersonOnce)
{
    auto phoneOnly = std::make_shared<GDataEntryContact>();
    phoneOnly->setPhoneNumbers({{"555-0199", std::nullopt, std::nullopt, true}});
    server.seedContacts(kAccount, {phoneOnly});
    QStringList expected = book() << "P:";
    expected.sort();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(run([](auto &l) { l.downloadFromGoogleOnlyEmailContacts(); },
                        kAlertSecondButtonReturn, true));
        EXPECT_EQ(book(), expected) << "run " << i + 1;
    }
}

TEST_F(ConfirmedActionsTest, AFailedFetchStopsTheDownloadBeforeAnythingChanges)
{
    const QStringList all = book();
    server.injectFault("/m8/feeds/contacts/", 500, 20, 0, false, "GET");
    ASSERT_TRUE(run([](auto &l) { l.downloadFromGoogleAllGoogleContacts(); },
                    kAlertSecondButtonReturn, true));
    server.clearFaults();
    EXPECT_TRUE(promptMessages().filter("Google could not be read again, so nothing was downloaded").size() == 1)
        << promptMessages().join(" | ").toStdString();
    EXPECT_EQ(book(), all);
}

// The engine's commands get the sender's title where they take a name, and show their own sheet.
TEST_F(ConfirmedActionsTest, TheGoogleSideActionsReachTheirEngineCommands)
{
    struct Case
    {
        const char *name;
        Action viaLoader;
        std::function<void(GoogleContactTool &)> direct;
    };
    const Case cases[] = {
        {"uploadFromABABGroup", [](auto &l) { l.uploadFromABABGroup("Work people"); },
         [](auto &t) { t.uploadFromABABGroup("Work people"); }},
        {"uploadFromABAllManualGroups", [](auto &l) { l.uploadFromABAllManualGroups(); },
         [](auto &t) { t.uploadFromABAllManualGroups(); }},
        {"uploadFromABAllSmartGroups", [](auto &l) { l.uploadFromABAllSmartGroups(); },
         [](auto &t) { t.uploadFromABAllSmartGroups(); }},
        {"uploadFromABGoogleGroupMembers", [](auto &l) { l.uploadFromABGoogleGroupMembers("Team"); },
         [](auto &t) { t.uploadFromABGoogleGroupMembers("Team"); }},
        {"uploadFromABAllGoogleContacts", [](auto &l) { l.uploadFromABAllGoogleContacts(); },
         [](auto &t) { t.uploadFromABAllGoogleContacts(); }},
        {"uploadFromABABGroupMembers", [](auto &l) { l.uploadFromABABGroupMembers("Work people"); },
         [](auto &t) { t.uploadFromABABGroupMembers("Work people"); }},
        {"uploadFromABAllCompanies", [](auto &l) { l.uploadFromABAllCompanies(); },
         [](auto &t) { t.uploadFromABAllCompanies(); }},
        {"uploadFromABAllPeople", [](auto &l) { l.uploadFromABAllPeople(); },
         [](auto &t) { t.uploadFromABAllPeople(); }},
        {"removeGoogleAllGoogleGroups", [](auto &l) { l.removeGoogleAllGoogleGroups(); },
         [](auto &t) { t.deleteAllGoogleGroups(); }},
        {"removeGoogleAllGoogleContacts", [](auto &l) { l.removeGoogleAllGoogleContacts(); },
         [](auto &t) { t.deleteAllGoogleContacts(); }},
        {"removeGoogleGoogleOnlyEmailContacts", [](auto &l) { l.removeGoogleGoogleOnlyEmailContacts(); },
         [](auto &t) { t.deleteAllGoogleEmailOnlyContacts(); }},
        {"removeGoogleGoogleGroupMembers", [](auto &l) { l.removeGoogleGoogleGroupMembers("Team"); },
         [](auto &t) { t.deleteGoogleMembersOfGroupWithName("Team"); }},
        {"removeGoogleGoogleNoGroupContacts", [](auto &l) { l.removeGoogleGoogleNoGroupContacts(); },
         [](auto &t) { t.deleteAllGoogleNoGroupContacts(); }},
        {"removeGoogleABGroupMembers", [](auto &l) { l.removeGoogleABGroupMembers("Work people"); },
         [](auto &t) { t.deleteGoogleMembersOfABGroupWithName("Work people"); }},
        {"removeGoogleAllPeople", [](auto &l) { l.removeGoogleAllPeople(); },
         [](auto &t) { t.deleteAllABPeople(); }},
        {"removeGoogleAllCompanies", [](auto &l) { l.removeGoogleAllCompanies(); },
         [](auto &t) { t.deleteAllABCompanies(); }},
    };
    const auto sheetOf = [this](const std::function<void()> &call) -> std::optional<Prompt> {
        const qsizetype before = prompter.shown().size();
        call();
        if (!runUntil([&] { return prompter.shown().size() > before; }, 5000))
            return std::nullopt;
        // Each sheet is answered Cancel, its first button.
        QElapsedTimer spin;
        spin.start();
        while (spin.elapsed() < 50)
            QCoreApplication::processEvents();
        return prompter.shown().at(before).prompt;
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Prompt> viaLoader = sheetOf([&] { c.viaLoader(*loader); });
        const std::optional<Prompt> direct = sheetOf([&] { c.direct(*tool()); });
        ASSERT_TRUE(viaLoader);
        EXPECT_EQ(viaLoader, direct);
    }
    EXPECT_EQ(liveEntries(GDataEntryBase::Kind::Contact).size(), 5u);
    // The one without a sheet of its own: the group of that title goes.
    loader->removeGoogleGoogleGroup("Crew");
    EXPECT_TRUE(runUntil([&] {
        for (const GDataEntryPtr &group : liveEntries(GDataEntryBase::Kind::ContactGroup)) {
            if (group->title() == QStringLiteral("Crew"))
                return false;
        }
        return true;
    }));
}

// A listening agent is silenced for the handler and listens again afterwards.
class ConfirmedAgentTest : public ConfirmedActionsTest
{
protected:
    void beforeOpen() override { startAgentStandIn(); }
};

TEST_F(ConfirmedAgentTest, TheAgentHearsNothingOfADeletionOrADownload)
{
    const struct
    {
        const char *name;
        Action action;
        bool download;
    } cases[] = {
        {"deletion", [](auto &l) { l.removeABAllGoogleContacts(); }, false},
        {"download", [](auto &l) { l.downloadFromGoogleAllGoogleContacts(); }, true},
    };
    ASSERT_TRUE(agentListening());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype before = agentCalls().size();
        ASSERT_TRUE(run(c.action, kAlertSecondButtonReturn, c.download));
        EXPECT_EQ(agentCalls().mid(before), (QStringList{"false", "true"}));
        EXPECT_TRUE(agentListening());
    }
}

// A restore writes links into the book: the agent hears nothing of them either.
TEST_F(ConfirmedAgentTest, TheAgentHearsNothingOfARestoresLinks)
{
    QTemporaryDir made;
    const QString folder = made.filePath("Archive");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QVariantList records{QVariantMap{
        {"identifier", "http://elsewhere/m8/feeds/contacts/x/base/1"},
        {"name", "Ben Work"},
        {"extendedProperties",
         QVariantList{QVariantMap{{"name", "tolvaneContact"},
                                  {"value", ""},
                                  {"XMLValue", QVariantMap{{"aID", ben->uniqueId()}}}}}}}};
    ASSERT_TRUE(propertylist::writeFile(
        QDir(folder).filePath("googleArchive_20090301_142205_1.contacts"), records, nullptr));
    const QString archive = made.filePath("google_20090301_142205_1.zip");
    ASSERT_TRUE(ZeltorFileTool::zipSource(folder, archive));
    const qsizetype calls = agentCalls().size();
    const qsizetype shown = prompter.shown().size();
    tool()->googleArchivePanelDidEnd(1, archive);
    ASSERT_TRUE(runUntil([&] { return prompter.shown().size() > shown; }, 60000));
    EXPECT_EQ(prompter.shown().back().prompt.message, "Batch update completed");
    EXPECT_FALSE(ben->valueForProperty(AddressBookTool::contactIDPropertyName()).toString().isEmpty());
    EXPECT_EQ(agentCalls().mid(calls), (QStringList{"false", "true"}));
    EXPECT_TRUE(agentListening());
}

// The main menu reaches the actions: a group menu's item names its group whole, and a command
// the application delegate sends needs no name.
TEST_F(ConfirmedActionsTest, TheMainMenuRunsTheActionOnTheGroupItsItemNames)
{
    QStringList expected = book();
    QMenu *const members = delegate->menuSet()->abManualGroupNamesMenu(2);
    ASSERT_NE(members, nullptr);
    emit members->aboutToShow();
    QAction *workPeople = nullptr;
    for (QAction *item : members->actions())
        if (item->text() == "Work people")
            workPeople = item;
    ASSERT_NE(workPeople, nullptr);
    const qsizetype shown = prompter.shown().size();
    ASSERT_TRUE(run([&](auto &) { workPeople->trigger(); }, kAlertSecondButtonReturn, false));
    EXPECT_EQ(sheetAt(shown).message, "Delete all members of the Address Book Group: Work people");
    expected.removeOne("P:Ann Lee");
    expected.removeOne("P:Ben Work");
    EXPECT_EQ(book(), expected);

    ASSERT_TRUE(run([&](auto &) { delegate->performMenuCommand("removeABAllCompanies:"); },
                    kAlertSecondButtonReturn, false));
    expected.removeOne("C:Acme");
    EXPECT_EQ(book(), expected);
}

} // namespace
