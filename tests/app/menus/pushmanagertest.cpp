#include "app/menus/commandkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/push/googleabautoupdate.h"
#include "google/push/pushkeys.h"
#include "google/upload/googleelementkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/app/mainprogramtest.h"

#include <algorithm>
#include <memory>

namespace {

// The main program signed in, with a book of two groups (a subgroup below the first) and a
// person in no group, and the automatic push on with only "Golf" chosen.
class PushManagerTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        storePassword(kPassword);
        ASSERT_TRUE(startAndLogIn());
        ASSERT_TRUE(runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); }));
        golf = addGroup(QStringLiteral("Golf"));
        juniors = addGroup(QStringLiteral("Juniors"));
        work = addGroup(QStringLiteral("Work"));
        ASSERT_TRUE(golf->addSubgroup(juniors));
        for (const char *name : {"Ann", "Ben"})
            golf->addMember(addPerson(name));
        juniors->addMember(addPerson("Dee"));
        work->addMember(addPerson("Cy"));
        addPerson("Eve");
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setObject(QStringList{golf->uniqueId()}, commandkeys::autoABGroupKeys);
        defaults.setInteger(1, pushkeys::autoPushABChanges);
        defaults.setBool(false, pushkeys::autoABStrict);
    }
    void TearDown() override
    {
        push.reset();
        MainProgramTest::TearDown();
    }

    GroupPtr addGroup(const QString &name)
    {
        const GroupPtr group = Group::create();
        group->setValueForProperty(name, kABGroupNameProperty);
        AddressBook::shared()->addRecord(group);
        return group;
    }
    PersonPtr addPerson(const char *first)
    {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QString::fromLatin1(first), kABFirstNameProperty);
        person->setValueForProperty(QStringLiteral("Links"), kABLastNameProperty);
        AddressBook::shared()->addRecord(person);
        people.insert(QString::fromLatin1(first), person);
        return person;
    }
    QStringList idsOf(const QStringList &names) const
    {
        QStringList ids;
        for (const QString &name : names)
            ids << people.value(name)->uniqueId();
        return ids;
    }
    // An automatic push on the application engine, as the agent makes one, in the delegate's
    // field.
    void setAutomaticPush()
    {
        push = std::make_unique<GoogleABAutoUpdate>();
        push->setGoogleTool(delegate->appGoogleContactTool());
        delegate->setGoogleABAutoUpdate(push.get());
    }
    // Hands the notice to the delegate and waits for the push it starts to end.
    bool notify(const QVariantMap &info)
    {
        delegate->abChangedExternally(info);
        return runUntil([this] { return !push->isPushing(); }, 30000);
    }
    QStringList serverFirstNames()
    {
        QStringList names;
        const GDataFeedPtr feed = server.entries(kAccount, GDataEntryBase::Kind::Contact);
        for (const GDataEntryPtr &entry : feed ? feed->entries() : std::vector<GDataEntryPtr>{})
            if (!entry->isDeleted())
                names << entry->title().value_or(QString()).section(u' ', 0, 0);
        names.sort();
        return names;
    }
    QStringList storedKeys() const
    {
        return UserDefaults::standard().stringArrayForKey(commandkeys::autoABGroupKeys);
    }
    const AutoABGroup *rowOf(const GroupPtr &group) const
    {
        const QList<AutoABGroup> &rows = delegate->autoABGroups();
        const auto it = std::find_if(rows.cbegin(), rows.cend(), [&](const AutoABGroup &row) {
            return row.abid == group->uniqueId();
        });
        return it == rows.cend() ? nullptr : &*it;
    }

    GroupPtr golf, juniors, work;
    QHash<QString, PersonPtr> people;
    std::unique_ptr<GoogleABAutoUpdate> push;
};

TEST_F(PushManagerTest, TheSelectionDropsDeletedGroupsFollowsRenamesAndIsStored)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(1, commandkeys::autoABUsesSelectedGroups);
    defaults.setObject(QStringList{golf->uniqueId(), work->uniqueId()},
                       commandkeys::autoABGroupKeys);

    // Another program deleted "Work": the notice takes it out of the stored selection.
    delegate->abChangedExternally({{kABDeletedRecords, QStringList{work->uniqueId()}}});
    EXPECT_EQ(storedKeys(), QStringList{golf->uniqueId()});
    EXPECT_EQ(rowOf(work), nullptr);

    golf->setValueForProperty(QStringLiteral("Golf Club"), kABGroupNameProperty);
    ASSERT_TRUE(AddressBook::shared()->save());
    delegate->abChangedExternally({{kABUpdatedRecords, QStringList{golf->uniqueId()}}});
    ASSERT_NE(rowOf(golf), nullptr);
    EXPECT_EQ(rowOf(golf)->groupName, QStringLiteral("Golf Club"));
    EXPECT_TRUE(rowOf(golf)->doSynch);
    EXPECT_EQ(storedKeys(), QStringList{golf->uniqueId()});

    // Without the selection in use, the stored selection is left as it was.
    defaults.setInteger(0, commandkeys::autoABUsesSelectedGroups);
    const GroupPtr added = addGroup(QStringLiteral("Added"));
    ASSERT_TRUE(AddressBook::shared()->save());
    defaults.setInteger(1, commandkeys::autoABSelectedGroupsIncludeNewGroups);
    delegate->abChangedExternally({{kABInsertedRecords, QStringList{added->uniqueId()}}});
    EXPECT_EQ(storedKeys(), QStringList{golf->uniqueId()});
}

struct HandOverCase
{
    const char *name;
    int usesSelectedGroups;
    int nestedGroups;
    int contactsWithoutGroups;
    // Who is on Google once the push has ended.
    QStringList pushed;
};

class PushHandOverTest : public PushManagerTest, public ::testing::WithParamInterface<HandOverCase>
{
};

TEST_P(PushHandOverTest, InsertedPeopleArePushedAsTheSelectionAndItsOptionsSay)
{
    const HandOverCase &c = GetParam();
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(c.usesSelectedGroups, commandkeys::autoABUsesSelectedGroups);
    defaults.setInteger(c.nestedGroups, googlekeys::autoABSelectedGroupsIncludeNestedGroups);
    defaults.setInteger(c.contactsWithoutGroups, pushkeys::autoABUsesContactsWithoutGroups);
    setAutomaticPush();
    server.clearRequestLog();

    ASSERT_TRUE(notify({{kABInsertedRecords, idsOf({"Ann", "Ben", "Cy", "Dee", "Eve"})}}));
    EXPECT_EQ(serverFirstNames(), c.pushed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PushHandOverTest,
    ::testing::Values(
        HandOverCase{"EveryoneWithoutTheSelection", 0, 0, 0, {"Ann", "Ben", "Cy", "Dee", "Eve"}},
        HandOverCase{"TheDirectMembersOfTheChosenGroup", 1, 0, 0, {"Ann", "Ben"}},
        HandOverCase{"TheMembersOfItsSubgroupsToo", 1, 1, 0, {"Ann", "Ben", "Dee"}},
        HandOverCase{"AndThoseInNoGroup", 1, 0, 1, {"Ann", "Ben", "Eve"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PushManagerTest, UpdatesOutsideTheSelectionStayWhileDeletionsAlwaysGo)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(0, commandkeys::autoABUsesSelectedGroups);
    setAutomaticPush();
    ASSERT_TRUE(notify({{kABInsertedRecords, idsOf({"Ann", "Cy", "Eve"})}}));
    ASSERT_EQ(serverFirstNames(), (QStringList{"Ann", "Cy", "Eve"}));

    defaults.setInteger(1, commandkeys::autoABUsesSelectedGroups);
    server.clearRequestLog();
    // Nothing of the notice is in the selection: nothing is sent.
    delegate->abChangedExternally({{kABUpdatedRecords, idsOf({"Cy", "Eve"})}});
    EXPECT_FALSE(push->isPushing());
    EXPECT_TRUE(server.requestsTo(QStringLiteral("/batch")).isEmpty());

    // Eve, in no group, is deleted: the deletion reaches Google though she was never chosen.
    const QString eve = people.value("Eve")->uniqueId();
    ASSERT_TRUE(AddressBook::shared()->removeRecord(people.value("Eve")));
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(notify({{kABDeletedRecords, QStringList{eve}}}));
    EXPECT_EQ(serverFirstNames(), (QStringList{"Ann", "Cy"}));
}

} // namespace
