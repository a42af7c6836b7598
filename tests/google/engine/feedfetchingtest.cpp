// Feed fetching against the loopback server: the launch (groups, then every page of contacts,
// then the first window), refetches with and without a chained step, the single-contact fetch,
// and the failures: a refused account, no network, and a failed fetch that keeps the last good
// contacts.

#include "tests/support/google/engineservertest.h"

#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <gtest/gtest.h>

namespace {

using Role = GoogleContactTool::Role;

void addPeople(int count)
{
    for (int i = 0; i < count; ++i) {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QStringLiteral("Person%1").arg(i), kABLastNameProperty);
        AddressBook::shared()->addRecord(person);
    }
}

// The journal without the progress of building the browser's rows.
QStringList withoutRowProgress(const QStringList &journal)
{
    QStringList kept;
    for (const QString &line : journal) {
        if (!line.startsWith("progressCur:") && !line.startsWith("progressMax:") &&
            line != "updateUserInfo:Processing Google Data")
            kept << line;
    }
    return kept;
}

void seedContacts(GDataTestServer &server, int count)
{
    std::vector<GDataEntryPtr> contacts;
    for (int i = 0; i < count; ++i)
        contacts.push_back(GDataEntryContact::contactEntryWithTitle(QStringLiteral("C%1").arg(i)));
    server.seedContacts(kUser, contacts);
}

class FeedFetchingTest : public EngineServerTest
{
protected:
    void SetUp() override
    {
        EngineServerTest::SetUp();
        storePassword(kPassword);
    }
};

TEST_F(FeedFetchingTest, Launch_FetchesGroupsThenEveryContactPageAndOpensTheBrowser)
{
    server.seedGroups(kUser, {GDataEntryContactGroup::contactGroupEntryWithTitle(
                                 QStringLiteral("Friends of Bob"))});
    seedContacts(server, 5);
    server.setOptions({{"pageSize", 2}});
    addPeople(3);
    UserDefaults::standard().setBool(true, googlekeys::startMode);
    const int groupCount =
        int(server.entries(kUser, GDataEntryBase::Kind::ContactGroup)->entries().size());
    auto engine = makeEngine();
    server.clearRequestLog();

    ASSERT_TRUE(logIn(*engine));

    EXPECT_EQ(engine->lists().contactCount(), 5);
    EXPECT_EQ(engine->lists().groupCount(), groupCount);
    EXPECT_EQ(int(engine->lists().gAllIDs().size()), groupCount + 5);
    EXPECT_TRUE(engine->lists().isContactListComplete());
    const QStringList groupRequests = requestsTo(QStringLiteral("/m8/feeds/groups/"));
    const QStringList contactRequests = requestsTo(QStringLiteral("/m8/feeds/contacts/"));
    EXPECT_EQ(groupRequests.size(), (groupCount + 1) / 2) << "pages of two";
    ASSERT_EQ(contactRequests.size(), 3) << "five contacts in pages of two";
    EXPECT_TRUE(contactRequests.first().contains("sortorder=ascending"));
    EXPECT_TRUE(contactRequests.first().contains("max-results=2000"));
    const QStringList all = requestsTo(QStringLiteral("/m8/feeds/"));
    EXPECT_LT(all.indexOf(groupRequests.last()), all.indexOf(contactRequests.first()));

    const QString groupsSet = QStringLiteral("setGroupArray:%1").arg(groupCount);
    const QStringList expected = {groupsSet,
                                  "determineGoogleGroupCounts",
                                  "refreshView",
                                  "status:Listening",
                                  "lastAction:Logged into Google",
                                  "setContactArray:5",
                                  "openBrowserView",
                                  groupsSet,
                                  "refreshView",
                                  "moc:loadPending",
                                  "data:loadPending"};
    EXPECT_EQ(withoutRowProgress(journal), expected);
    EXPECT_FALSE(flag(googlekeys::startMode));
    EXPECT_TRUE(flag(googlekeys::isLoggedIn));
    EXPECT_TRUE(lines().contains(QStringLiteral("5 Google Contacts returned")));
    EXPECT_TRUE(lines().contains(QStringLiteral("%1 Google Groups returned").arg(groupCount)));
}

struct FirstWindowCase
{
    const char *name;
    int googleContacts;
    int addressBookPeople; // besides the Me record, which shows as a person
    const char *window;
};

void PrintTo(const FirstWindowCase &c, std::ostream *os)
{
    *os << c.name;
}

class FirstWindowTest : public FeedFetchingTest,
                        public ::testing::WithParamInterface<FirstWindowCase>
{
};

TEST_P(FirstWindowTest, OpensBrowserOnlyWithMoreThanTwoOnEachSide)
{
    const FirstWindowCase &c = GetParam();
    seedContacts(server, c.googleContacts);
    addPeople(c.addressBookPeople);
    UserDefaults::standard().setBool(true, googlekeys::startMode);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    EXPECT_EQ(journal.count(QString::fromLatin1(c.window)), 1);
    EXPECT_EQ(journal.count("openBrowserView") + journal.count("openDataMover"), 1);

    // Later fetches of the launch open nothing.
    journal.clear();
    engine->fetchAllContactsWithUIRefresh(true);
    ASSERT_TRUE(runUntil([&] { return journal.contains("data:loadPending"); }));
    EXPECT_EQ(journal.count("openBrowserView") + journal.count("openDataMover"), 0);
}

const FirstWindowCase kFirstWindowCases[] = {
    {"ThreeAndThree", 3, 3, "openBrowserView"},
    {"TwoGoogleContacts", 2, 100, "openDataMover"},
    {"TwoPeople", 3, 2 - 1, "openDataMover"},
};

INSTANTIATE_TEST_SUITE_P(Counts, FirstWindowTest, ::testing::ValuesIn(kFirstWindowCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FeedFetchingTest, GroupsOnly_RefreshTheViewWithoutFetchingContacts)
{
    auto engine = makeEngine();
    engine->setUser(kUser);
    ASSERT_TRUE(engine->establishUserCredentials());
    engine->fetchAllGroupsWithUIRefresh(true, false);
    ASSERT_TRUE(runUntil([&] { return journal.contains("refreshView"); }));
    EXPECT_TRUE(engine->groupFeed());
    EXPECT_TRUE(requestsTo(QStringLiteral("/m8/feeds/contacts/")).isEmpty());
}

TEST_F(FeedFetchingTest, GroupsOnlyWithoutUIDelegate_RefreshGoesToTheDataDelegateThatOffersIt)
{
    RecordingDataDelegate offering(journal, true);
    auto engine = makeEngine();
    engine->setUIDelegate(nullptr);
    engine->setDataDelegate(&offering);
    engine->setUser(kUser);
    ASSERT_TRUE(engine->establishUserCredentials());
    engine->fetchAllGroupsWithUIRefresh(true, false);
    ASSERT_TRUE(runUntil([&] { return engine->groupFeed() != nullptr; }));
    EXPECT_EQ(journal, QStringList{"data:refreshView"});
}

TEST_F(FeedFetchingTest, GroupsAndContactsWithSelector_RunTheStepOnTheFirstDelegateOfferingIt)
{
    seedContacts(server, 1);
    data.offer(QStringLiteral("processGroupABGroups"));
    moc.offer(QStringLiteral("processGroupABGroups"));
    auto engine = makeEngine();
    engine->setUser(kUser);
    ASSERT_TRUE(engine->establishUserCredentials());
    engine->fetchAllGroupsAndContactsWithDidFinishSelector(QStringLiteral("processGroupABGroups"));
    ASSERT_TRUE(runUntil([&] { return journal.contains("step:processGroupABGroups@data"); }));
    EXPECT_EQ(engine->lists().contactCount(), 1);
    EXPECT_FALSE(journal.contains("step:processGroupABGroups@moc"));
}

TEST_F(FeedFetchingTest, ContactRefetch_StoresTheNewListAndReportsItsEnd)
{
    seedContacts(server, 2);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    seedContacts(server, 1);
    journal.clear();

    engine->refetchAllContacts(QString());
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmRefetchAllContactsComplete); }));

    EXPECT_EQ(engine->lists().contactCount(), 3);
    EXPECT_TRUE(requestsTo(QStringLiteral("/m8/feeds/contacts/")).last().contains("max-results"));
    EXPECT_FALSE(requestsTo(QStringLiteral("/m8/feeds/contacts/")).last().contains("sortorder"));
    const QStringList expected = {
        "updateUserInfo:Refreshing local version of Google Contact data ...",
        "updateUserInfo:Processing Google responses...",
        "refreshView",
        "status:Listening",
        "lastAction:Logged into Google",
        "setContactArray:3",
        "data:refreshContactData",
        "closeUserInfo"};
    EXPECT_EQ(withoutRowProgress(journal), expected);
}

TEST_F(FeedFetchingTest, ContactRefetchWithStep_RunsItOnTheNewListBeforeAnyRedraw)
{
    seedContacts(server, 2);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    engine->offer(QStringLiteral("doPicturesElseSmart"));
    ui.offer(QStringLiteral("doPicturesElseSmart"));
    seedContacts(server, 1);
    journal.clear();

    engine->refetchAllContacts(QStringLiteral("doPicturesElseSmart"));
    ASSERT_TRUE(runUntil([&] { return !journal.filter("step:").isEmpty(); }));

    EXPECT_EQ(journal,
              (QStringList{"updateUserInfo:Refreshing local version of Google Contact data ...",
                           "updateUserInfo:Processing Google responses...",
                           "step:doPicturesElseSmart@engine(3)"}));
    EXPECT_FALSE(flag(googlekeys::gmRefetchAllContactsComplete));
}

TEST_F(FeedFetchingTest, GroupRefetchWithStep_RunsItOnTheFirstDelegateOfferingIt)
{
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    ui.offer(QStringLiteral("processGoogleGroups"));
    data.offer(QStringLiteral("processGoogleGroups"));
    journal.clear();
    engine->armRefreshTreadInterval(3.0);

    engine->refetchAllGroups(QStringLiteral("processGoogleGroups"));
    EXPECT_TRUE(engine->refreshTread());

    const int groups = engine->lists().groupCount();
    EXPECT_EQ(
        journal,
        (QStringList{"updateUserInfo:Refreshing local version of Google Group data ...",
                     QStringLiteral("setGroupArray:%1").arg(groups), "determineGoogleGroupCounts",
                     "data:refreshGroupData", "step:processGoogleGroups@ui"}));
}

// A contact fetch or refetch that fails keeps the contacts of the last good fetch and marks
// them as not complete, so nothing reads the failure as "every contact was deleted".
struct FailedFetchCase
{
    const char *name;
    bool refetch;
};

void PrintTo(const FailedFetchCase &c, std::ostream *os)
{
    *os << c.name;
}

class FailedContactFetchTest : public FeedFetchingTest,
                               public ::testing::WithParamInterface<FailedFetchCase>
{
};

TEST_P(FailedContactFetchTest, KeepsTheLastGoodContactsAndSaysTheyAreNotComplete)
{
    seedContacts(server, 3);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    const std::vector<GDataEntryContactPtr> before = engine->contactArray();
    // The first try and both retries fail.
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 500, 3);
    journal.clear();
    engine->armRefreshTreadInterval(3.0);

    if (GetParam().refetch)
        engine->refetchAllContacts(QString());
    else
        engine->fetchAllContactsWithUIRefresh(true);
    ASSERT_TRUE(runUntil([&] { return engine->contactFetchError().has_value(); }));

    EXPECT_EQ(engine->contactArray(), before);
    EXPECT_FALSE(engine->lists().isContactListComplete());
    EXPECT_EQ(int(engine->lists().gAllIDs().size()),
              engine->lists().groupCount() + engine->lists().contactCount());
    EXPECT_EQ(engine->contactFetchError()->code, 500);
    EXPECT_FALSE(engine->isLoggedIn());
    EXPECT_FALSE(flag(googlekeys::isLoggedIn));
    EXPECT_FALSE(flag(googlekeys::waitingOnGoogle));
    EXPECT_EQ(flag(googlekeys::gmRefetchAllContactsComplete), GetParam().refetch);
    // A failed refetch has answered: whoever waits for it need not wait out the deadline.
    EXPECT_EQ(engine->refreshWait().isArmed(), !GetParam().refetch);
    EXPECT_EQ(promptMessages(), QStringList{"An Error has Occurred"});
    EXPECT_FALSE(journal.contains("refreshView"));

    // The next good fetch makes the list whole again.
    engine->fetchAllContactsWithUIRefresh(true);
    ASSERT_TRUE(runUntil([&] { return engine->lists().isContactListComplete(); }));
    EXPECT_EQ(engine->lists().contactCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Fetches, FailedContactFetchTest,
                         ::testing::Values(FailedFetchCase{"Fetch", false},
                                           FailedFetchCase{"Refetch", true}),
                         [](const auto &info) { return std::string(info.param.name); });

// A next link that leads nowhere fails the fetch: the first pages are never taken for the whole
// feed, which would read every contact after them as deleted.
TEST_F(FeedFetchingTest, BrokenNextLink_FailsTheFetchAndKeepsTheLastGoodContacts)
{
    seedContacts(server, 5);
    server.setOptions({{"pageSize", 2}});
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    const std::vector<GDataEntryContactPtr> before = engine->contactArray();
    ASSERT_EQ(before.size(), 5u);

    server.setOptions({{"brokenNextLink", true}});
    engine->refetchAllContacts(QString());
    ASSERT_TRUE(runUntil([&] { return engine->contactFetchError().has_value(); }));
    EXPECT_EQ(engine->contactArray(), before);
    EXPECT_FALSE(engine->lists().isContactListComplete());
    EXPECT_EQ(requestsTo(QStringLiteral("/no-such-page")).size(), 1);

    server.setOptions({{"brokenNextLink", false}});
    engine->fetchAllContactsWithUIRefresh(true);
    ASSERT_TRUE(runUntil([&] { return engine->lists().isContactListComplete(); }));
    EXPECT_EQ(engine->lists().contactCount(), 5);
}

TEST_F(FeedFetchingTest, SingleFetch_ReturnsTheContactAndKeepsIt)
{
    seedContacts(server, 2);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    const GDataEntryContactPtr wanted = engine->contactArray().at(1);

    const GDataEntryPtr fetched = engine->fetchContactByID(wanted->identifier());

    ASSERT_TRUE(fetched);
    EXPECT_EQ(fetched->identifier(), wanted->identifier());
    EXPECT_EQ(fetched->title(), wanted->title());
    EXPECT_EQ(engine->singleFetchContact(), fetched);
    EXPECT_FALSE(engine->singleFetchWait().isArmed());
}

TEST_F(FeedFetchingTest, SingleFetchOfMissingContact_ReturnsNoneAndReportsTheFailure)
{
    seedContacts(server, 1);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    journal.clear();

    EXPECT_EQ(engine->fetchContactByID(engine->contactArray().at(0)->identifier() + "0"), nullptr);
    EXPECT_EQ(journal, QStringList{"cleanup:Single Contact Fetch//404"});
}

TEST_F(FeedFetchingTest, AgentSingleFetchWithoutAnswer_FailsTheJobAndIgnoresTheLateAnswer)
{
    seedContacts(server, 1);
    auto engine = makeEngine(Role::Agent);
    ASSERT_TRUE(logIn(*engine));
    const QString id = engine->contactArray().at(0)->identifier();
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 0, 1, 4000);
    journal.clear();

    EXPECT_EQ(engine->fetchContactByID(id), nullptr);

    EXPECT_TRUE(lines().contains(
        "[GoogleContactTool singleFetchTread] - Google single fetch has timed out!"));
    EXPECT_EQ(journal, QStringList{"cleanup:Single Contact Fetch//-1001"});
    runUntil([] { return false; }, 1500);
    EXPECT_EQ(engine->singleFetchContact(), nullptr);
    EXPECT_EQ(journal.size(), 1);
}

} // namespace

namespace {

// The snapshot a program stores when it quits, taken from the engine.
void storeSnapshot(const GoogleContactTool &engine)
{
    UserDefaults &ud = UserDefaults::standard();
    ud.setObject(engine.lastGroupInsertDate(), googlekeys::lastGoogleGroupInsert);
    ud.setObject(engine.lastGroupUpdateDate(), googlekeys::lastGoogleGroupUpdate);
    ud.setInteger(engine.lists().groupCount(), googlekeys::lastGoogleGroupCount);
    ud.setObject(engine.lastContactInsertDate(), googlekeys::lastGoogleContactInsert);
    ud.setObject(engine.lastContactUpdateDate(), googlekeys::lastGoogleContactUpdate);
    ud.setInteger(engine.lists().contactCount(), googlekeys::lastGoogleContactCount);
}

TEST_F(FeedFetchingTest, ChangeTracking_SeesAContactAddedOnGoogleSinceTheSnapshot)
{
    seedContacts(server, 2);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    storeSnapshot(*engine);
    EXPECT_FALSE(engine->hasGoogleChangedSinceLast());
    EXPECT_FALSE(engine->hasGoogleCountChangedSinceLast());
    EXPECT_FALSE(engine->hasGoogleModDateChangedSinceLast());
    const QDateTime snapshot = engine->lastContactUpdateDate();

    seedContacts(server, 1);
    engine->refetchAllContacts(QString());
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmRefetchAllContactsComplete); }));

    EXPECT_TRUE(engine->hasGoogleChangedSinceLast());
    EXPECT_TRUE(engine->hasGoogleCountChangedSinceLast());
    EXPECT_EQ(engine->contactsInsertedSince(snapshot).size(), 1u);
    EXPECT_EQ(engine->contactsChangedSince(snapshot).size(), 1u);
    EXPECT_TRUE(engine->groupsChangedSince(engine->lastGroupUpdateDate()).empty());
}

} // namespace

namespace {

QStringList titlesOf(const std::vector<GDataEntryContactPtr> &contacts)
{
    QStringList titles;
    for (const GDataEntryContactPtr &contact : contacts)
        titles << contact->title().value_or(QString());
    return titles;
}

TEST_F(FeedFetchingTest, FetchAndRefetchWithStep_KeepContactsInTitleOrder)
{
    std::vector<GDataEntryPtr> contacts;
    for (const char *title : {"Cy", "Al", "Bo"})
        contacts.push_back(GDataEntryContact::contactEntryWithTitle(QString::fromLatin1(title)));
    server.seedContacts(kUser, contacts);
    server.seedGroups(kUser, {GDataEntryContactGroup::contactGroupEntryWithTitle("Zed"),
                              GDataEntryContactGroup::contactGroupEntryWithTitle("Abe")});
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    EXPECT_EQ(titlesOf(engine->contactArray()), (QStringList{"Al", "Bo", "Cy"}));
    QStringList groupTitles;
    for (const GDataEntryContactGroupPtr &group : engine->groupArray())
        groupTitles << group->title().value_or(QString());
    EXPECT_LT(groupTitles.indexOf("Abe"), groupTitles.indexOf("Zed"));

    server.seedContacts(kUser, {GDataEntryContact::contactEntryWithTitle("Ab")});
    engine->offer(QStringLiteral("doSaveAB"));
    engine->refetchAllContacts(QStringLiteral("doSaveAB"));
    ASSERT_TRUE(runUntil([&] { return engine->lists().contactCount() == 4; }));
    EXPECT_EQ(titlesOf(engine->contactArray()), (QStringList{"Ab", "Al", "Bo", "Cy"}));
}

} // namespace

namespace {

TEST_F(FeedFetchingTest, RefreshFeeds_EmptiesTheIdentifierIndexUntilTheContactsAreIn)
{
    seedContacts(server, 2);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    ASSERT_FALSE(engine->lists().gAllIDs().empty());
    engine->refreshFeeds();
    EXPECT_TRUE(engine->lists().gAllIDs().empty());
    ASSERT_TRUE(runUntil([&] { return !engine->lists().gAllIDs().empty(); }));
    EXPECT_EQ(int(engine->lists().gAllIDs().size()), engine->lists().groupCount() + 2);
}

} // namespace

namespace {

TEST_F(FeedFetchingTest, ContactRefetchWithEmptyStep_EndsAsAPlainRefetch)
{
    seedContacts(server, 1);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    journal.clear();
    engine->refetchAllContacts(QStringLiteral(""));
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmRefetchAllContactsComplete); }));
    EXPECT_TRUE(journal.contains("closeUserInfo"));
    EXPECT_TRUE(lines().filter("unhandled postSelector").isEmpty());
}

// A window without the browser, as the data loader and the agent are.
class RowlessUIDelegate : public RecordingUIDelegate
{
public:
    using RecordingUIDelegate::RecordingUIDelegate;
    bool showsContactBrowserRows() const override { return false; }
};

QStringList rowNames(const GoogleContactLists &lists)
{
    QStringList names;
    for (const QVariantMap &row : lists.browserRows())
        names << row.value(QStringLiteral("name")).toString();
    return names;
}

TEST_F(FeedFetchingTest, RowlessDelegate_RowsWaitForTheNextDelegateThatShowsThem)
{
    seedContacts(server, 2);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    ASSERT_EQ(rowNames(engine->lists()), (QStringList{"C0", "C1"}));
    RowlessUIDelegate rowless(journal);
    engine->setUIDelegate(&rowless);
    seedContacts(server, 1);
    journal.clear();

    engine->refetchAllContacts(QString());
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmRefetchAllContactsComplete); }));

    // No row is built, and none of the list before the fetch is left to show.
    EXPECT_EQ(engine->lists().contactCount(), 3);
    EXPECT_TRUE(engine->lists().browserRows().isEmpty());
    EXPECT_TRUE(journal.filter("progressMax:").isEmpty());
    EXPECT_TRUE(journal.contains("setContactArray:0"));

    // Another rowless window, then none, still builds nothing.
    engine->setUIDelegate(&rowless);
    engine->setUIDelegate(nullptr);
    EXPECT_TRUE(engine->lists().browserRows().isEmpty());

    journal.clear();
    engine->setUIDelegate(&ui);
    EXPECT_EQ(rowNames(engine->lists()), (QStringList{"C0", "C0", "C1"}));
    EXPECT_EQ(journal.filter("progressMax:"), QStringList{"progressMax:3"});
    EXPECT_EQ(journal.last(), "setContactArray:3");

    // Built once: taking the delegate again builds nothing more.
    journal.clear();
    engine->setUIDelegate(&ui);
    EXPECT_TRUE(journal.isEmpty());
}

TEST_F(FeedFetchingTest, FetchWithoutDelegate_BuildsNoRowsUntilAWindowShowsThem)
{
    seedContacts(server, 2);
    auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    ASSERT_EQ(rowNames(engine->lists()), (QStringList{"C0", "C1"}));
    engine->setUIDelegate(nullptr);
    seedContacts(server, 1);

    engine->refetchAllContacts(QString());
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmRefetchAllContactsComplete); }));

    // Nobody shows rows, so none is built, and the rows of the list before the fetch are gone.
    EXPECT_EQ(engine->lists().contactCount(), 3);
    EXPECT_TRUE(engine->lists().browserRows().isEmpty());

    journal.clear();
    engine->setUIDelegate(&ui);
    EXPECT_EQ(rowNames(engine->lists()), (QStringList{"C0", "C0", "C1"}));
    EXPECT_EQ(journal.last(), "setContactArray:3");
}

} // namespace
